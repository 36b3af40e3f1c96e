#include "platform/win32/win32_registry.h"

#include <windows.h>

namespace platform::win32 {
namespace {

// The port carries the predefined roots as their 32-bit values; 64-bit Windows sign-extends them.
HKEY ToHkey(KeyHandle key) {
  switch (key) {
    case kClassesRoot:
      return HKEY_CLASSES_ROOT;
    case kCurrentUser:
      return HKEY_CURRENT_USER;
    case kLocalMachine:
      return HKEY_LOCAL_MACHINE;
    default:
      return reinterpret_cast<HKEY>(key);
  }
}

}  // namespace

long Win32Registry::OpenKey(KeyHandle parent, const std::string& path, std::uint32_t access, KeyHandle* key) {
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExA(ToHkey(parent), path.c_str(), 0, access, &opened);
  if (status == ERROR_SUCCESS) *key = reinterpret_cast<KeyHandle>(opened);
  return status;
}

long Win32Registry::QueryValue(KeyHandle key, const std::string& name, char* buffer, std::uint32_t* size) {
  DWORD bytes = *size;
  const LONG status =
      RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &bytes);
  *size = bytes;
  return status;
}

long Win32Registry::OpenSubkeyAt(KeyHandle key, std::uint32_t index, std::uint32_t access, KeyHandle* child,
                                 long* opened) {
  wchar_t name[256];
  DWORD length = 256;
  const LONG status = RegEnumKeyExW(ToHkey(key), index, name, &length, nullptr, nullptr, nullptr, nullptr);
  if (status != ERROR_SUCCESS) return status;
  HKEY handle = nullptr;
  *opened = RegOpenKeyExW(ToHkey(key), name, 0, access, &handle);
  if (*opened == ERROR_SUCCESS) *child = reinterpret_cast<KeyHandle>(handle);
  return status;
}

long Win32Registry::DeleteKey(KeyHandle parent, const std::string& path) {
  return RegDeleteKeyA(ToHkey(parent), path.c_str());
}

// An empty name opens the key itself, which RegDeleteKeyW then removes.
long Win32Registry::DeleteOpenedKey(KeyHandle key) { return RegDeleteKeyW(ToHkey(key), L""); }

long Win32Registry::CloseKey(KeyHandle key) { return RegCloseKey(ToHkey(key)); }

}  // namespace platform::win32
