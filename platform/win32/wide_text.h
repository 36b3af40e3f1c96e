#pragma once
// The edge between the portable code's UTF-8 and the W functions' UTF-16: wchar_t is 16 bits on
// Windows, so the conversions of platform/unicode.h serve both ways.
#include <string>
#include <string_view>

#include "platform/unicode.h"

namespace platform::win32 {

inline std::wstring Wide(std::string_view utf8) {
  const std::u16string utf16 = Utf8ToUtf16(utf8);
  return std::wstring(utf16.begin(), utf16.end());
}

inline std::string Utf8(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

}  // namespace platform::win32
