#pragma once
// Identification blocks and storage descriptors built from known texts, as disks would write them.
#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "sysinfo/drive_info.h"

inline void PutWord(IdentifyBlock& block, int word, unsigned value) {
  block[2 * word] = static_cast<std::uint8_t>(value & 0xFF);
  block[2 * word + 1] = static_cast<std::uint8_t>(value >> 8);
}

// ATA strings: two characters a word, the first in the high byte; the field padded with blanks.
inline void PutText(IdentifyBlock& block, int first, int last, std::string_view text) {
  for (int word = first; word <= last; ++word) {
    const std::size_t at = 2 * static_cast<std::size_t>(word - first);
    const char high = at < text.size() ? text[at] : ' ';
    const char low = at + 1 < text.size() ? text[at + 1] : ' ';
    PutWord(block, word, static_cast<unsigned>(static_cast<std::uint8_t>(high) << 8 | static_cast<std::uint8_t>(low)));
  }
}

inline IdentifyBlock MakeIdentifyBlock(std::string_view model, std::string_view serial, std::string_view revision) {
  IdentifyBlock block{};
  PutWord(block, 0, 0x0040);  // fixed
  PutText(block, 10, 19, serial);
  PutText(block, 23, 26, revision);
  PutText(block, 27, 46, model);
  return block;
}

// A device's answer: a header of the given size, then the block.
inline std::vector<std::uint8_t> AnswerWithBlock(std::size_t headerSize, const IdentifyBlock& block) {
  std::vector<std::uint8_t> answer(headerSize + block.size());
  std::copy(block.begin(), block.end(), answer.begin() + static_cast<std::ptrdiff_t>(headerSize));
  return answer;
}

// A storage device descriptor of the given size with its three texts at the offsets given (0: absent).
struct DescriptorText {
  std::uint32_t offset;
  std::string_view text;
};

inline std::vector<std::uint8_t> MakeDescriptor(DescriptorText product, DescriptorText revision,
                                                DescriptorText serial, std::size_t size = 10000) {
  std::vector<std::uint8_t> answer(size);
  const std::size_t fields[] = {16, 20, 24};
  const DescriptorText texts[] = {product, revision, serial};
  for (int i = 0; i < 3; ++i) {
    std::memcpy(answer.data() + fields[i], &texts[i].offset, 4);
    if (texts[i].offset) std::memcpy(answer.data() + texts[i].offset, texts[i].text.data(), texts[i].text.size());
  }
  return answer;
}
