#pragma once
// COM as the check run uses it: the apartment of the dialog's thread and a test creation of objects.
#include <string>

namespace platform {

inline constexpr unsigned kClassContextInproc = 3;       // CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER
inline constexpr unsigned kClassContextLocalServer = 4;  // CLSCTX_LOCAL_SERVER

class ComRuntime {
public:
  virtual ~ComRuntime() = default;
  // CoInitialize / CoUninitialize on the calling thread (single-threaded apartment).
  virtual void Initialize() = 0;
  virtual void Uninitialize() = 0;
  // CoCreateInstance with no outer object; the interface, when obtained, is released at once.
  // Class and interface are registry strings in braces. Returns the HRESULT.
  virtual long CreateAndRelease(const std::string& classId, unsigned context, const std::string& interfaceId) = 0;
};

}  // namespace platform
