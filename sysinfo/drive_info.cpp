#include "sysinfo/drive_info.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace {

unsigned Word(const IdentifyBlock& block, int index) {
  return static_cast<unsigned>(block[2 * index] | block[2 * index + 1] << 8);
}

// The C locale's whitespace, spelled out so that the decoding does not depend on the user's locale.
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsPrintable(char c) { return c >= 0x20 && c <= 0x7E; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The hex form: two digits a character, blanks counting as "0". None when the text is not hex.
std::optional<std::string> DecodeHex(std::string_view text) {
  std::string result;
  unsigned byte = 0;
  bool secondDigit = false;
  for (char c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (IsSpace(c)) c = '0';
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    byte = (byte << 4 | static_cast<unsigned>(digit)) & 0xFF;
    secondDigit = !secondDigit;
    if (secondDigit) continue;
    if (byte != 0 && !IsPrintable(static_cast<char>(byte))) return std::nullopt;
    result += static_cast<char>(byte);
    byte = 0;
  }
  // A zero character ends the text, though the digits after it still had to be hex; a lone last
  // digit is dropped.
  return result.substr(0, result.find('\0'));
}

std::string Trim(std::string text) {
  const auto first = std::find_if_not(text.begin(), text.end(), IsSpace);
  if (first == text.end()) return text;  // whitespace only stays as it is
  const auto last = std::find_if_not(text.rbegin(), text.rend(), IsSpace).base();
  return std::string(first, last);
}

}  // namespace

std::string IdentifyWordsToText(const IdentifyBlock& block, int first, int last) {
  std::string bytes;
  for (int word = first; word <= last; ++word) {
    bytes += static_cast<char>(Word(block, word) >> 8);
    bytes += static_cast<char>(Word(block, word) & 0xFF);
  }
  // Trailing blanks go, back to the first other byte; the first byte always stays.
  for (std::size_t i = bytes.size(); i-- > 1 && bytes[i] == ' ';) bytes[i] = '\0';
  return bytes.substr(0, bytes.find('\0'));
}

DriveInfo DriveInfoFromIdentifyBlock(const IdentifyBlock& block) {
  DriveInfo info;
  std::int64_t sectors = 0;
  if (Word(block, 83) & 0x400) {
    const std::uint64_t count = std::uint64_t{Word(block, 103)} << 48 | std::uint64_t{Word(block, 102)} << 32 |
                                std::uint64_t{Word(block, 101)} << 16 | Word(block, 100);
    sectors = static_cast<std::int64_t>(count);
  } else {
    sectors = static_cast<std::int32_t>(Word(block, 61) << 16 | Word(block, 60));
  }
  // Unsigned arithmetic: a 48-bit count times 512 may exceed what the signed size holds.
  info.size = static_cast<std::int64_t>(static_cast<std::uint64_t>(sectors) * 512);
  info.bufferSize = Word(block, 21) * 512;
  info.model = IdentifyWordsToText(block, 27, 46);
  info.serial = IdentifyWordsToText(block, 10, 19);
  info.revision = IdentifyWordsToText(block, 23, 26);
  const unsigned configuration = Word(block, 0);
  info.type = configuration & 0x80 ? "Removable" : configuration & 0x40 ? "Fixed" : "Unknown";
  return info;
}

std::string DecodeDescriptorText(std::span<const std::uint8_t> answer, std::int64_t offset, bool swap) {
  // The device wrote the offsets: read only inside its answer, up to a zero that lies inside it too.
  if (offset <= 0 || static_cast<std::uint64_t>(offset) >= answer.size()) return {};
  const auto begin = answer.begin() + static_cast<std::ptrdiff_t>(offset);
  const auto zero = std::find(begin, answer.end(), 0);
  if (zero == answer.end()) return {};
  const std::string_view text(reinterpret_cast<const char*>(&*begin), static_cast<std::size_t>(zero - begin));

  std::optional<std::string> decoded = DecodeHex(text);
  if (!decoded) {
    if (!std::all_of(text.begin(), text.end(), IsPrintable)) return {};
    decoded = std::string(text);
  }
  std::string result = std::move(*decoded);
  if (swap) {
    for (std::size_t i = 0; i + 1 < result.size(); i += 2) std::swap(result[i], result[i + 1]);
    // An odd last character trades places with the terminating zero: it is lost.
    if (result.size() % 2) result.pop_back();
  }
  return Trim(std::move(result));
}
