#include "platform/unicode.h"

#include <gtest/gtest.h>

namespace {

using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

struct RoundTrip {
  const char* what;
  std::string utf8;
  std::u16string utf16;
};

class UnicodeRoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(UnicodeRoundTrip, ConvertsBothWays) {
  EXPECT_EQ(Utf8ToUtf16(GetParam().utf8), GetParam().utf16);
  EXPECT_EQ(Utf16ToUtf8(GetParam().utf16), GetParam().utf8);
}

// Texts that no single ANSI code page holds, at each length of encoding.
INSTANTIATE_TEST_SUITE_P(
    Texts, UnicodeRoundTrip,
    testing::Values(RoundTrip{"empty", "", u""}, RoundTrip{"ascii", "C:\\Program Files", u"C:\\Program Files"},
                    RoundTrip{"korean", "클라이언트", u"클라이언트"},
                    RoundTrip{"vietnamese and thai", "Tiếng Việt ภาษาไทย", u"Tiếng Việt ภาษาไทย"},
                    RoundTrip{"outside the basic plane", "😀𝄞", u"😀𝄞"},
                    RoundTrip{"inner zero", std::string("a\0b", 3), std::u16string(u"a\0b", 3)}),
    [](const testing::TestParamInfo<RoundTrip>& test) {
      std::string name = test.param.what;
      for (char& c : name) c = c == ' ' ? '_' : c;
      return name;
    });

TEST(UnicodeTest, Utf16LeBytesPutTheLowByteOfEachUnitFirst) {
  EXPECT_EQ(platform::Utf16LeBytes(u"A\uD55C\U0001F600"), std::string("A\0\x5C\xD5\x3D\xD8\x00\xDE", 8));
  EXPECT_EQ(platform::Utf16LeBytes(std::u16string(1, platform::kByteOrderMark)), "\xFF\xFE");
}

TEST(UnicodeTest, LoneSurrogatesFromThePlatformBecomeReplacementCharacters) {
  EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', char16_t{0xD800}, u'b'}), "a\uFFFDb");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t{0xDC00}, char16_t{0xD83D}}), "\uFFFD\uFFFD");
  // A pair in the wrong order is two lone halves.
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t{0xDE00}, char16_t{0xD83D}, u'x'}), "\uFFFD\uFFFDx");
}

TEST(UnicodeTest, IllFormedUtf8BecomesReplacementCharactersAndTheRestStays) {
  const struct {
    std::string utf8;
    std::u16string utf16;
  } cases[] = {
      {"\xB0" "a", u"\uFFFDa"},                // a continuation byte alone
      {"\xEA\xB0", u"\uFFFD\uFFFD"},           // a sequence cut at the end
      {"\xC0\xAF", u"\uFFFD\uFFFD"},           // an overlong slash
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"}, // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
      {"\xC5\xAC\xB6", u"Ŭ\uFFFD"},            // CP949 bytes taken for UTF-8
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16) << testing::PrintToString(c.utf8);
}

TEST(UnicodeTest, VeryLongTextsConvertWhole) {
  std::string utf8;
  for (int i = 0; i < 100000; ++i) utf8 += "가a😀";
  const std::u16string utf16 = Utf8ToUtf16(utf8);
  EXPECT_EQ(utf16.size(), 400000u);
  EXPECT_EQ(Utf16ToUtf8(utf16), utf8);
}

}  // namespace
