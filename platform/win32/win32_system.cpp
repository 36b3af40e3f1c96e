#include "platform/win32/win32_system.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace platform::win32 {
namespace {

void FreeLocal(HLOCAL memory) { LocalFree(memory); }
using unique_local = unique_handle<HLOCAL, &FreeLocal>;

// The code of the conversion that just failed; never 0, so that a failure cannot pass for success.
long ConversionError() {
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? static_cast<long>(error) : ERROR_NO_UNICODE_TRANSLATION;
}

// Text of the code page in UTF-16; empty on failure.
long ToWide(UINT codePage, DWORD flags, std::string_view text, std::wstring* wide) {
  wide->clear();
  if (text.empty()) return ERROR_SUCCESS;
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  if (length <= 0) return ConversionError();
  wide->resize(static_cast<std::size_t>(length));
  if (MultiByteToWideChar(codePage, flags, text.data(), size, wide->data(), length) != length) {
    wide->clear();
    return ConversionError();
  }
  return ERROR_SUCCESS;
}

// Empty on failure.
long ToUtf8(std::wstring_view wide, std::string* utf8) {
  utf8->clear();
  if (wide.empty()) return ERROR_SUCCESS;
  const int wideLength = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return ConversionError();
  utf8->resize(static_cast<std::size_t>(length));
  if (WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8->data(), length, nullptr, nullptr) != length) {
    utf8->clear();
    return ConversionError();
  }
  return ERROR_SUCCESS;
}

}  // namespace

std::string Win32System::SystemDirectory(unsigned bufferSize) {
  std::string folder(bufferSize, '\0');
  const UINT length = GetSystemDirectoryA(folder.data(), bufferSize);
  // A result of bufferSize or more is the size the folder would need: it did not fit.
  if (length == 0 || length >= bufferSize) return {};
  folder.resize(length);
  return folder;
}

unsigned Win32System::OsMajorVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  const BOOL known = GetVersionExA(&info);
  return known ? info.dwMajorVersion : 0;
}

bool Win32System::IsWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::string Win32System::MessageText(unsigned long code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, code,
      0x0400, reinterpret_cast<char*>(&text), 0, nullptr);
  const unique_local owner(text);
  if (length == 0 || text == nullptr) return {};
  return std::string(text, length);
}

std::string Win32System::ComputerName() {
  char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD length = sizeof name;
  return GetComputerNameA(name, &length) ? std::string(name, length) : std::string();
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

long Win32System::AnsiToUtf8(const std::string& ansi, std::string* utf8) {
  utf8->clear();
  std::wstring wide;
  if (const long status = ToWide(CP_ACP, 0, ansi, &wide); status != ERROR_SUCCESS) return status;
  return ToUtf8(wide, utf8);
}

bool Win32System::Utf8ToAnsi(const std::string& utf8, std::string* ansi) {
  ansi->clear();
  std::wstring wide;
  return ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, &wide) == ERROR_SUCCESS && WideToAnsi(wide, ansi);
}

bool Win32System::IsLeadByte(char byte) { return IsDBCSLeadByte(static_cast<BYTE>(byte)); }

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
  if (length <= 0 || lossy) return false;
  ansi->resize(static_cast<std::size_t>(length));
  WideCharToMultiByte(CP_ACP, flags, wide.data(), wideLength, ansi->data(), length, nullptr, nullptr);
  return true;
}

std::wstring AnsiToWide(std::string_view ansi) {
  std::wstring wide;
  ToWide(CP_ACP, 0, ansi, &wide);
  return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
  std::string utf8;
  ToUtf8(wide, &utf8);
  return utf8;
}

}  // namespace platform::win32
