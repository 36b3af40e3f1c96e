#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/wide_text.h"

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

// NtQueryKey and the class of answer it gives, declared here: the SDK's headers do not carry it.
using NtQueryKeyFunction = LONG(WINAPI*)(HANDLE key, int informationClass, void* information, ULONG length,
                                         ULONG* resultLength);
using RtlNtStatusToDosErrorFunction = ULONG(WINAPI*)(LONG status);
constexpr int kKeyNameInformation = 3;
constexpr LONG kStatusBufferOverflow = static_cast<LONG>(0x80000005);
constexpr LONG kStatusBufferTooSmall = static_cast<LONG>(0xC0000023);

template <typename Function>
Function NtdllFunction(const char* name) {
  // Through void* since the two function pointer types have nothing in common.
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

}  // namespace

long Win32Registry::OpenKey(KeyHandle parent, const std::string& path, std::uint32_t access, KeyHandle* key) {
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExW(ToHkey(parent), Wide(path).c_str(), 0, access, &opened);
  if (status == ERROR_SUCCESS) *key = reinterpret_cast<KeyHandle>(opened);
  return status;
}

long Win32Registry::QueryValue(KeyHandle key, const std::string& name, std::string* data, std::uint32_t* ansiSize) {
  const std::wstring wideName = Wide(name);
  std::vector<BYTE> bytes(1024);  // the usual value fits; a larger one, or one that grows meanwhile, asks again
  DWORD type = 0;
  for (;;) {
    auto size = static_cast<DWORD>(bytes.size());
    const LONG status = RegQueryValueExW(ToHkey(key), wideName.c_str(), nullptr, &type, bytes.data(), &size);
    if (status == ERROR_MORE_DATA) {
      bytes.resize(std::max<std::size_t>(size, bytes.size() * 2));
      continue;
    }
    if (status != ERROR_SUCCESS) return status;
    bytes.resize(size);
    break;
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) {
    data->assign(bytes.begin(), bytes.end());
    *ansiSize = static_cast<std::uint32_t>(bytes.size());
    return ERROR_SUCCESS;
  }
  const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
  *data = Utf8(text);
  // As RegQueryValueExA converts the text, terminating zero and all.
  *ansiSize = text.empty() ? 0
                           : static_cast<std::uint32_t>(WideCharToMultiByte(CP_ACP, 0, text.data(),
                                                                            static_cast<int>(text.size()), nullptr, 0,
                                                                            nullptr, nullptr));
  return ERROR_SUCCESS;
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
  return RegDeleteKeyW(ToHkey(parent), Wide(path).c_str());
}

// An empty name opens the key itself, which RegDeleteKeyW then removes.
long Win32Registry::DeleteOpenedKey(KeyHandle key) { return RegDeleteKeyW(ToHkey(key), L""); }

long Win32Registry::CloseKey(KeyHandle key) { return RegCloseKey(ToHkey(key)); }

long Win32Registry::ValueAt(KeyHandle key, std::uint32_t index, RegistryValue* value) {
  // Sized for the usual value rather than asked for: asking the key first costs a call to the
  // registry per value, as much as reading it, and the undo file reads every value of large trees.
  // A larger value, or one that grows meanwhile, asks for more; names never exceed 16383.
  DWORD nameCapacity = 255;
  DWORD dataCapacity = 1024;
  for (;;) {
    std::vector<wchar_t> name(nameCapacity + 1);
    std::vector<BYTE> data(std::max<DWORD>(dataCapacity, 1));
    DWORD nameLength = nameCapacity + 1;
    DWORD type = 0;
    DWORD size = dataCapacity;
    const LONG status = RegEnumValueW(ToHkey(key), index, name.data(), &nameLength, nullptr, &type, data.data(), &size);
    if (status == ERROR_MORE_DATA) {
      nameCapacity = std::max<DWORD>(nameCapacity, 16383);
      dataCapacity = std::max(size, dataCapacity * 2);
      continue;
    }
    if (status != ERROR_SUCCESS) return status;
    value->name.assign(name.begin(), name.begin() + nameLength);
    value->type = type;
    value->data.assign(data.begin(), data.begin() + std::min(size, dataCapacity));
    return status;
  }
}

long Win32Registry::KeyLocation(KeyHandle key, std::u16string* location) {
  static const auto query = NtdllFunction<NtQueryKeyFunction>("NtQueryKey");
  static const auto toError = NtdllFunction<RtlNtStatusToDosErrorFunction>("RtlNtStatusToDosError");
  if (query == nullptr || toError == nullptr) return ERROR_CALL_NOT_IMPLEMENTED;
  // KEY_NAME_INFORMATION: the name's length in bytes, then the name without a terminating zero.
  std::vector<ULONG> buffer(128);
  for (;;) {
    const auto length = static_cast<ULONG>(buffer.size() * sizeof(ULONG));
    ULONG needed = 0;
    const LONG status = query(reinterpret_cast<HANDLE>(ToHkey(key)), kKeyNameInformation, buffer.data(), length,
                              &needed);
    if ((status == kStatusBufferOverflow || status == kStatusBufferTooSmall) && needed > length) {
      buffer.resize(needed / sizeof(ULONG) + 1);
      continue;
    }
    if (status < 0) return static_cast<long>(toError(status));
    const auto* name = reinterpret_cast<const char16_t*>(buffer.data() + 1);
    location->assign(name, std::min<std::size_t>(buffer[0], length - sizeof(ULONG)) / sizeof(char16_t));
    return ERROR_SUCCESS;
  }
}

long Win32Registry::QueryKeyInfo(KeyHandle key, KeyInfo* info) {
  DWORD subkeys = 0;
  DWORD values = 0;
  FILETIME lastWrite{};
  const LONG status = RegQueryInfoKeyW(ToHkey(key), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                                       nullptr, nullptr, nullptr, &lastWrite);
  if (status == ERROR_SUCCESS) {
    *info = {subkeys, values, std::uint64_t{lastWrite.dwHighDateTime} << 32 | lastWrite.dwLowDateTime};
  }
  return status;
}

}  // namespace platform::win32
