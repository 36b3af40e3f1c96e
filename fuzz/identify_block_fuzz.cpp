// Identification blocks as drives might write them, through each method that stores them.
// Input: the block (short inputs are zero-padded), then two bytes naming a word range.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "fakes/fake_device_control.h"
#include "fakes/identify_blocks.h"
#include "fuzz_check.h"
#include "sysinfo/disk_id_reader.h"

namespace {

void CheckText(const std::string& text, std::size_t fieldBytes) {
  FUZZ_CHECK(text.size() <= fieldBytes);
  FUZZ_CHECK(text.find('\0') == std::string::npos);
  // A field that fills its words to the end has lost its trailing blanks, all but its first byte.
  FUZZ_CHECK(text.size() < fieldBytes || text.size() == 1 || text.back() != ' ');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  IdentifyBlock block{};
  std::memcpy(block.data(), data, std::min(size, block.size()));
  int first = size > 512 ? data[512] : 10;
  int last = size > 513 ? data[513] : 19;
  if (first > last) std::swap(first, last);
  CheckText(IdentifyWordsToText(block, first, last), 2 * static_cast<std::size_t>(last - first + 1));

  const DriveInfo info = DriveInfoFromIdentifyBlock(block);
  CheckText(info.serial, 20);
  CheckText(info.model, 40);
  CheckText(info.revision, 8);

  // The block as the first method's answer: one record, decoded as above.
  std::vector<std::uint8_t> version(24);
  version[3] = 1;
  FakeDeviceControl devices;
  devices.devices[R"(\\.\PhysicalDrive0)"] = {{0x00074080, {version}}, {0x0007C088, {AnswerWithBlock(16, block)}}};
  DiskIdReader reader(devices);
  reader.ReadAllDrives();
  FUZZ_CHECK(reader.DriveRecord(0) && reader.DriveRecord(0)->serial == info.serial);
  FUZZ_CHECK(reader.DriveRecord(1) == nullptr);  // SMART's copy of the same block is not stored twice
  FUZZ_CHECK(devices.openHandles.empty());
  return 0;
}
