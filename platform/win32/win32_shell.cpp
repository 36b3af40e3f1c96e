#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/win32_com.h"
#include "platform/win32/wide_text.h"

namespace platform::win32 {

void Win32Shell::Execute(const std::string& verb, const std::string& file, const std::string& folder) {
  // The shell may hand a verb to extensions that it creates through COM, so the calling thread needs
  // an apartment for the call; the dialog's thread has one only while a check run is under way.
  Win32ComRuntime com;
  const ComApartment apartment(com);
  const std::wstring wideFolder = Wide(folder);
  ShellExecuteW(nullptr, Wide(verb).c_str(), Wide(file).c_str(), nullptr,
                wideFolder.empty() ? nullptr : wideFolder.c_str(), SW_SHOWDEFAULT);
}

std::string Win32Shell::DocumentsFolder() {
  wchar_t folder[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
  return Utf8(folder);
}

}  // namespace platform::win32
