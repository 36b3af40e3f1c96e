#include "platform/win32/win32_system.h"

#include <windows.h>

#include <sddl.h>

#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace platform::win32 {
namespace {

void FreeLocal(HLOCAL memory) { LocalFree(memory); }
using unique_local = unique_handle<HLOCAL, &FreeLocal>;

void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }
using unique_kernel_handle = unique_handle<HANDLE, &CloseKernelHandle>;

}  // namespace

std::string Win32System::SystemDirectory(unsigned bufferSize) {
  std::wstring folder(bufferSize, L'\0');
  const UINT length = GetSystemDirectoryW(folder.data(), bufferSize);
  // A result of bufferSize or more is the size the folder would need: it did not fit.
  if (length == 0 || length >= bufferSize) return {};
  folder.resize(length);
  return Utf8(folder);
}

unsigned Win32System::OsMajorVersion() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  const BOOL known = GetVersionExW(&info);
  return known ? info.dwMajorVersion : 0;
}

bool Win32System::IsWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::string Win32System::SystemWow64Directory() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemWow64DirectoryW(folder, MAX_PATH);
  return length == 0 || length >= MAX_PATH ? std::string() : Utf8(std::wstring_view(folder, length));
}

std::string Win32System::MessageText(unsigned long code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, code,
      0x0400, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  const unique_local owner(text);
  if (length == 0 || text == nullptr) return {};
  return Utf8(std::wstring_view(text, length));
}

std::string Win32System::ComputerName() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
  return GetComputerNameW(name, &length) ? Utf8(std::wstring_view(name, length)) : std::string();
}

std::string Win32System::UserSid() {
  unique_kernel_handle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) return {};
  // The first call tells the size of the user's SID with its header.
  DWORD size = 0;
  GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  std::vector<BYTE> user(size);
  if (size == 0 || !GetTokenInformation(token.get(), TokenUser, user.data(), size, &size)) return {};
  wchar_t* text = nullptr;
  if (!ConvertSidToStringSidW(reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid, &text)) return {};
  const unique_local owner(text);
  return Utf8(text);
}

LocalTime Win32System::Now() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  LocalTime time{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, std::nullopt};
  // The bias is UTC minus local time, in minutes; the zone's state says which extra bias applies.
  TIME_ZONE_INFORMATION zone{};
  switch (GetTimeZoneInformation(&zone)) {
    case TIME_ZONE_ID_UNKNOWN:
      time.utcOffsetMinutes = -zone.Bias;
      break;
    case TIME_ZONE_ID_STANDARD:
      time.utcOffsetMinutes = -(zone.Bias + zone.StandardBias);
      break;
    case TIME_ZONE_ID_DAYLIGHT:
      time.utcOffsetMinutes = -(zone.Bias + zone.DaylightBias);
      break;
    default:  // TIME_ZONE_ID_INVALID
      break;
  }
  return time;
}

std::string Win32System::AnsiToUtf8(std::string_view ansi) { return win32::AnsiToUtf8(ansi); }

bool Win32System::Utf8ToAnsi(std::string_view utf8, std::string* ansi) {
  // Ill-formed UTF-8 has become U+FFFD, which no ANSI code page but UTF-8 holds.
  return WideToAnsi(Wide(utf8), ansi);
}

std::string AnsiToUtf8(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int size = static_cast<int>(ansi.size());
  std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), static_cast<int>(wide.size()));
  return Utf8(wide);
}

bool WideToAnsi(std::wstring_view wide, std::string* ansi) {
  ansi->clear();
  if (wide.empty()) return true;
  const int wideLength = static_cast<int>(wide.size());
  // A system whose code page is UTF-8 holds every character, and the call refuses the lossy flag then.
  const bool utf8CodePage = GetACP() == CP_UTF8;
  BOOL lossy = FALSE;
  const DWORD flags = utf8CodePage ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL* const lossyFlag = utf8CodePage ? nullptr : &lossy;
  const int length = WideCharToMultiByte(CP_ACP, flags, wide.data(), wideLength, nullptr, 0, nullptr, lossyFlag);
  if (length <= 0) return false;
  ansi->resize(static_cast<std::size_t>(length));
  WideCharToMultiByte(CP_ACP, flags, wide.data(), wideLength, ansi->data(), length, nullptr, nullptr);
  return !lossy;
}

}  // namespace platform::win32
