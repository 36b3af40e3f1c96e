#include "platform/unicode.h"

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The character at text[*at], advancing *at past it; one byte at a time through anything ill-formed.
char32_t NextCharacter(std::string_view text, std::size_t* at) {
  const auto lead = static_cast<unsigned char>(text[*at]);
  ++*at;
  if (lead < 0x80) return lead;
  // The sequence's length, the lead byte's payload and the smallest character it may encode, so that
  // an overlong form is refused.
  std::size_t length = 0;
  char32_t c = 0;
  char32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 1, c = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 2, c = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 3, c = lead & 0x07, least = 0x10000;
  } else {
    return kReplacement;
  }
  if (text.size() - *at < length) return kReplacement;
  for (std::size_t i = 0; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[*at + i]);
    if (!IsContinuation(byte)) return kReplacement;
    c = c << 6 | (byte & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kReplacement;
  *at += length;
  return c;
}

void AppendUtf8(std::string* text, char32_t c) {
  if (c < 0x80) {
    text->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    text->push_back(static_cast<char>(0xC0 | c >> 6));
    text->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    text->push_back(static_cast<char>(0xE0 | c >> 12));
    text->push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
    text->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    text->push_back(static_cast<char>(0xF0 | c >> 18));
    text->push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
    text->push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
    text->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string utf16;
  utf16.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const char32_t c = NextCharacter(utf8, &at);
    if (c < 0x10000) {
      utf16.push_back(static_cast<char16_t>(c));
    } else {
      utf16.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      utf16.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
  }
  return utf16;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string utf8;
  utf8.reserve(utf16.size() * 3);
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const char16_t unit = utf16[i];
    if (IsHighSurrogate(unit) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
      AppendUtf8(&utf8, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (utf16[i + 1] - 0xDC00));
      ++i;
    } else {
      AppendUtf8(&utf8, IsHighSurrogate(unit) || IsLowSurrogate(unit) ? kReplacement : unit);
    }
  }
  return utf8;
}

std::string Utf16LeBytes(std::u16string_view utf16) {
  std::string bytes;
  bytes.reserve(utf16.size() * 2);
  for (const char16_t unit : utf16) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

}  // namespace platform
