#pragma once
// UTF-8 is the text of the portable code; UTF-16 is the platform's. The adapters convert at the edge
// with these two functions, which never fail: whatever does not encode a character (a lone
// surrogate from the platform, a stray or cut byte sequence) becomes U+FFFD, so a text always
// arrives whole and a fault in it shows where it is.
#include <string>
#include <string_view>

namespace platform {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Text as Windows keeps it in a Unicode file: UTF-16 code units, low byte first. Such a file starts
// with kByteOrderMark (bytes FF FE), by which its readers know the encoding.
inline constexpr char16_t kByteOrderMark = u'\uFEFF';
std::string Utf16LeBytes(std::u16string_view utf16);

}  // namespace platform
