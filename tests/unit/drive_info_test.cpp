// Decoding what disks write: identification blocks and the texts of the storage descriptor.
#include <gtest/gtest.h>

#include "fakes/identify_blocks.h"

namespace {

TEST(IdentifyBlock, SerialLosesTrailingBlanksAndKeepsLeadingOnes) {
  IdentifyBlock block = MakeIdentifyBlock("MODEL X", " ABC123", "1.0");
  EXPECT_EQ(IdentifyWordsToText(block, 10, 19), " ABC123");
  EXPECT_EQ(IdentifyWordsToText(block, 27, 46), "MODEL X");
  EXPECT_EQ(IdentifyWordsToText(block, 23, 26), "1.0");
}

TEST(IdentifyBlock, FieldOfBlanksLeavesOneBlank) {
  EXPECT_EQ(IdentifyWordsToText(MakeIdentifyBlock("M", "", "R"), 10, 19), " ");
}

TEST(IdentifyBlock, ZeroBytesEndTheTextAndStopTheTrimming) {
  IdentifyBlock block{};
  PutText(block, 10, 19, "AB  ");
  PutWord(block, 12, 0);  // the rest of the field is zero
  PutWord(block, 13, 0);
  EXPECT_EQ(IdentifyWordsToText(block, 10, 19), "AB  ");
  PutWord(block, 10, 'A' << 8);
  EXPECT_EQ(IdentifyWordsToText(block, 10, 19), "A");
}

TEST(IdentifyBlock, DriveInfoTakesEveryField) {
  IdentifyBlock block = MakeIdentifyBlock("VBOX HARDDISK", "VB1234", "1.0");
  PutWord(block, 21, 16);
  PutWord(block, 60, 0x5678);
  PutWord(block, 61, 0x0012);
  const DriveInfo info = DriveInfoFromIdentifyBlock(block);
  EXPECT_EQ(info.size, std::int64_t{0x125678} * 512);
  EXPECT_EQ(info.bufferSize, 16u * 512);
  EXPECT_EQ(info.model, "VBOX HARDDISK");
  EXPECT_EQ(info.serial, "VB1234");
  EXPECT_EQ(info.revision, "1.0");
  EXPECT_EQ(info.type, "Fixed");
}

TEST(IdentifyBlock, The48BitCountWinsWhenWord83SaysSo) {
  IdentifyBlock block{};
  PutWord(block, 60, 0xFFFF);
  PutWord(block, 61, 0x0FFF);
  PutWord(block, 83, 0x0400);
  PutWord(block, 100, 0x0001);
  PutWord(block, 102, 0x0002);
  EXPECT_EQ(DriveInfoFromIdentifyBlock(block).size, std::int64_t{0x0000000200000001} * 512);
}

TEST(IdentifyBlock, TypeFromWordZero) {
  IdentifyBlock block{};
  EXPECT_EQ(DriveInfoFromIdentifyBlock(block).type, "Unknown");
  PutWord(block, 0, 0x00C0);  // removable wins over fixed
  EXPECT_EQ(DriveInfoFromIdentifyBlock(block).type, "Removable");
}

struct DescriptorCase {
  const char* name;
  std::string_view text;
  bool swap;
  const char* decoded;
};

class DescriptorTexts : public testing::TestWithParam<DescriptorCase> {};

TEST_P(DescriptorTexts, Decode) {
  std::string text(GetParam().text);
  const auto answer = MakeDescriptor({40, "p"}, {0, ""}, {60, text});
  EXPECT_EQ(DecodeDescriptorText(answer, 60, GetParam().swap), GetParam().decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, DescriptorTexts,
    testing::Values(DescriptorCase{"HexWithSwap", "3132333435", true, "2143"},
                    DescriptorCase{"HexWithoutSwap", "3132333435", false, "12345"},
                    DescriptorCase{"HexEitherCase", "4A4b", false, "JK"},
                    DescriptorCase{"HexBlanksCountAsZeros", "4 4b", false, "@K"},
                    DescriptorCase{"HexZeroEndsTheText", "41004243", false, "A"},
                    DescriptorCase{"HexLoneDigitDropped", "414", false, "A"},
                    DescriptorCase{"PlainTextTrimmed", "  XY12  ", false, "XY12"},
                    DescriptorCase{"PlainTextSwapped", "BADC", true, "ABCD"},
                    DescriptorCase{"UnprintableHexByteFallsBackToText", "7F41", false, "7F41"},
                    DescriptorCase{"CharacterAbove7EIsEmpty", "AB\xC7\xD1", false, ""},
                    DescriptorCase{"TabInPlainTextIsEmpty", "X\tY", false, ""},
                    DescriptorCase{"BlanksAreZerosThatEndTheText", "  41", false, ""},
                    DescriptorCase{"DecodedBlanksOnlyStay", "2020", false, "  "},
                    DescriptorCase{"EmptyText", "", true, ""}),
    [](const testing::TestParamInfo<DescriptorCase>& row) { return row.param.name; });

TEST(DescriptorText, OffsetZeroOrNegativeIsAbsent) {
  const auto answer = MakeDescriptor({0, ""}, {0, ""}, {60, "ABC"});
  EXPECT_EQ(DecodeDescriptorText(answer, 0, false), "");
  EXPECT_EQ(DecodeDescriptorText(answer, -4, false), "");
}

// The offsets come from the device: nothing outside its answer is read.
TEST(DescriptorText, OffsetOrTextOutsideTheAnswerIsEmpty) {
  const auto answer = MakeDescriptor({0, ""}, {0, ""}, {58, "ABCDEF"}, 64);
  EXPECT_EQ(DecodeDescriptorText(answer, 64, false), "");
  EXPECT_EQ(DecodeDescriptorText(answer, 1 << 30, false), "");
  EXPECT_EQ(DecodeDescriptorText(answer, 58, false), "");  // no zero before the end
  EXPECT_EQ(DecodeDescriptorText(std::span(answer).first(62), 58, false), "");
  const auto terminated = MakeDescriptor({0, ""}, {0, ""}, {58, "ABCDE"}, 64);
  EXPECT_EQ(DecodeDescriptorText(terminated, 58, false), "ABCDE");
}

}  // namespace
