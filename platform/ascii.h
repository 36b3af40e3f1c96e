#pragma once
// Comparing UTF-8 text with a plain ASCII text without regard to case.
#include <algorithm>
#include <string_view>

namespace platform {

inline char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// When one side is plain ASCII, folding ASCII letters alone decides equality: a text holding any
// byte of a multibyte character (all above 0x7F) differs from it at that byte whatever the folding.
inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

}  // namespace platform
