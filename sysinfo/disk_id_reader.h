#pragma once
// The manufacturer's identity of the PC's disks, asked through several device-control methods: each
// distinct identification block becomes a drive record, and the storage query stands in when no
// method obtained a block.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/device_control.h"
#include "sysinfo/drive_info.h"

class DiskIdReader {
public:
  explicit DiskIdReader(platform::DeviceControl& devices) : m_devices(devices) {}

  void ReadAllDrives();
  // The record at index, or none.
  const DriveInfo* DriveRecord(int index) const;

  // Each method stores what it finds and tells whether any drive answered.
  bool ReadPhysicalDriveInNTWithAdminRights();
  bool ReadDriveViaScsiMiniport();
  bool ReadDriveViaSmart();
  bool ReadDriveViaVxd();
  bool ReadDriveViaStorageQuery();

  // Stores a copy unless an equal block is stored already; tells whether it stored it.
  bool AddIdentifyBlock(const IdentifyBlock& block);

private:
  std::optional<platform::Device> Open(const std::string& name, std::uint32_t access, std::uint32_t share,
                                       std::uint32_t disposition, std::uint32_t flags = 0);
  // Hands each of the physical drives 0 to 15 that opens for reading and writing, with this sharing,
  // to read with its number; tells whether read said that any of them answered.
  bool ReadEachPhysicalDrive(std::uint32_t share, const std::function<bool(int, platform::Device&)>& read);

  platform::DeviceControl& m_devices;
  std::vector<IdentifyBlock> m_blocks;
  std::vector<DriveInfo> m_records;
};

// The serial number of the first drive record without its leading whitespace, or the empty text.
std::string ReadPhysicalDiskSerial(platform::DeviceControl& devices);
