// Storage descriptors as devices might write them: offsets anywhere, texts with or without zeros.
// Input: a 32-bit offset, a swap byte, then the device's answer.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fakes/fake_device_control.h"
#include "fuzz_check.h"
#include "sysinfo/disk_id_reader.h"

namespace {

bool Printable(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  std::int32_t offset;
  std::memcpy(&offset, data, 4);
  const bool swap = data[4] & 1;
  // An exact-size copy, so that the sanitizer sees any read past the answer's end.
  const std::vector<std::uint8_t> answer(data + 5, data + size);
  const std::string text = DecodeDescriptorText(answer, offset, swap);
  FUZZ_CHECK(Printable(text));
  FUZZ_CHECK(text.size() <= answer.size());

  // The same bytes as the storage query's answer, with the offsets the device wrote into them.
  FakeDeviceControl devices;
  devices.devices[R"(\\.\PhysicalDrive0)"] = {{0x002D1400, {answer}}};
  DiskIdReader reader(devices);
  reader.ReadDriveViaStorageQuery();
  const DriveInfo* drive = reader.DriveRecord(0);
  FUZZ_CHECK(drive && Printable(drive->model) && Printable(drive->revision) && Printable(drive->serial));
  FUZZ_CHECK(devices.openHandles.empty());
  return 0;
}
