#pragma once
// COM as the check run uses it: the apartment of the dialog's thread and a test creation of objects.
#include <string>

namespace platform {

inline constexpr unsigned kClassContextInproc = 3;       // CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER
inline constexpr unsigned kClassContextLocalServer = 4;  // CLSCTX_LOCAL_SERVER

class ComRuntime {
public:
  virtual ~ComRuntime() = default;
  // Enters a single-threaded apartment on the calling thread: true when the call succeeded (also
  // when the thread already had one), and only then is Uninitialize owed.
  virtual bool Initialize() = 0;
  virtual void Uninitialize() = 0;
  // CoCreateInstance with no outer object; the interface, when obtained, is released at once.
  // Class and interface are registry strings in braces. Returns the HRESULT.
  virtual long CreateAndRelease(const std::string& classId, unsigned context, const std::string& interfaceId) = 0;
};

// The calling thread's apartment for as long as the owner lives, left only if it was entered: a
// thread already in a multithreaded one keeps it.
class ComApartment {
public:
  explicit ComApartment(ComRuntime& com) : m_com(com), m_entered(com.Initialize()) {}
  ~ComApartment() {
    if (m_entered) m_com.Uninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

private:
  ComRuntime& m_com;
  bool m_entered;
};

}  // namespace platform
