#pragma once
// Decoding of what disks tell about themselves: ATA identification blocks and the texts of the
// storage device descriptor.
#include <array>
#include <cstdint>
#include <span>
#include <string>

// The 512 bytes of IDENTIFY DEVICE (0xEC) or IDENTIFY PACKET DEVICE (0xA1): 256 little-endian words.
using IdentifyBlock = std::array<std::uint8_t, 512>;

struct DriveInfo {
  std::int64_t size = 0;
  std::uint32_t bufferSize = 0;
  std::string model;
  std::string serial;
  std::string revision;
  std::string type;
};

// The characters of words first to last, two per word with the first in the high byte, without
// trailing blanks.
std::string IdentifyWordsToText(const IdentifyBlock& block, int first, int last);

DriveInfo DriveInfoFromIdentifyBlock(const IdentifyBlock& block);

// A text of the storage device descriptor at offset within answer, given either as hex digits or
// as plain text; swap exchanges the characters of each pair. Empty when the offset or the text lies
// outside the answer.
std::string DecodeDescriptorText(std::span<const std::uint8_t> answer, std::int64_t offset, bool swap);
