#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

namespace platform::win32 {
namespace {

// The shell may hand a verb to extensions that it creates through COM, so the calling thread needs
// an apartment for the call; the dialog's thread has one only while a check run is under way.
class ComApartment {
public:
  ComApartment() : m_initialized(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ~ComApartment() {
    if (m_initialized) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

private:
  bool m_initialized;
};

}  // namespace

void Win32Shell::Execute(const std::string& verb, const std::string& file, const std::string& folder) {
  const ComApartment apartment;
  ShellExecuteA(nullptr, verb.c_str(), file.c_str(), nullptr, folder.empty() ? nullptr : folder.c_str(),
                SW_SHOWDEFAULT);
}

}  // namespace platform::win32
