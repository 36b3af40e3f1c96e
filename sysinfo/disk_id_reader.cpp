#include "sysinfo/disk_id_reader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "sysinfo/disk_requests.h"

namespace {

constexpr int kDriveCount = 16;
constexpr int kScsiPortCount = 16;
constexpr int kVxdDriveCount = 8;
constexpr int kVxdRuns = 10;

constexpr std::uint32_t kReadWrite = platform::kGenericRead | platform::kGenericWrite;
constexpr std::uint32_t kShareReadWrite = platform::kFileShareRead | platform::kFileShareWrite;

// SENDCMDOUTPARAMS: the identify data follows the 16-byte header.
constexpr std::size_t kCommandDataAt = offsetof(disk::SENDCMDOUTPARAMS, bBuffer);
constexpr std::size_t kCommandAnswerSize = kCommandDataAt + sizeof(IdentifyBlock);  // 528
constexpr std::size_t kSmartBufferSize = 545;
constexpr std::size_t kMiniportBufferSize = 557;
constexpr std::uint32_t kMiniportInputSize = sizeof(disk::SRB_IO_CONTROL) + sizeof(disk::SENDCMDINPARAMS) - 1;  // 60
constexpr std::size_t kMiniportDataAt = sizeof(disk::SRB_IO_CONTROL) + kCommandDataAt;  // 44
constexpr std::size_t kModelFieldAt = 54;  // word 27 of the identify data
constexpr std::size_t kStorageAnswerSize = 10000;

std::string DeviceName(std::string_view format, int number) {
  char name[32];
  std::snprintf(name, sizeof name, format.data(), number);
  return name;
}

template <typename T>
T ReadAt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  T value;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

IdentifyBlock BlockAt(const std::uint8_t* bytes) {
  IdentifyBlock block;
  std::memcpy(block.data(), bytes, block.size());
  return block;
}

template <typename T>
void WriteAt(std::vector<std::uint8_t>& bytes, std::size_t at, const T& value) {
  std::memcpy(bytes.data() + at, &value, sizeof value);
}

std::uint32_t Size(const std::vector<std::uint8_t>& buffer) { return static_cast<std::uint32_t>(buffer.size()); }

// The process runs at real-time priority for the guard's life and at normal priority after it,
// however the scope ends: a process left at real time starves the whole PC.
class RealtimePriority {
public:
  explicit RealtimePriority(platform::DeviceControl& devices) : m_devices(devices) {
    m_devices.SetPriorityClass(platform::kRealtimePriorityClass);
  }
  RealtimePriority(const RealtimePriority&) = delete;
  RealtimePriority& operator=(const RealtimePriority&) = delete;
  ~RealtimePriority() { m_devices.SetPriorityClass(platform::kNormalPriorityClass); }

private:
  platform::DeviceControl& m_devices;
};

}  // namespace

std::optional<platform::Device> DiskIdReader::Open(const std::string& name, std::uint32_t access,
                                                   std::uint32_t share, std::uint32_t disposition,
                                                   std::uint32_t flags) {
  platform::DeviceHandle handle = 0;
  if (!m_devices.Open(name, access, share, disposition, flags, &handle)) return std::nullopt;
  return std::optional<platform::Device>(std::in_place, m_devices, handle);
}

bool DiskIdReader::AddIdentifyBlock(const IdentifyBlock& block) {
  if (std::find(m_blocks.begin(), m_blocks.end(), block) != m_blocks.end()) return false;
  m_blocks.push_back(block);
  return true;
}

const DriveInfo* DiskIdReader::DriveRecord(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= m_records.size()) return nullptr;
  return &m_records[static_cast<std::size_t>(index)];
}

bool DiskIdReader::ReadEachPhysicalDrive(std::uint32_t share,
                                         const std::function<bool(int, platform::Device&)>& read) {
  bool answered = false;
  for (int i = 0; i < kDriveCount; ++i) {
    std::optional<platform::Device> drive =
        Open(DeviceName(R"(\\.\PhysicalDrive%d)", i), kReadWrite, share, platform::kOpenExisting);
    if (drive && read(i, *drive)) answered = true;
  }
  return answered;
}

bool DiskIdReader::ReadPhysicalDriveInNTWithAdminRights() {
  return ReadEachPhysicalDrive(kShareReadWrite, [this](int i, platform::Device& drive) {
    disk::GETVERSIONINPARAMS version{};
    if (!drive.Control(disk::DFP_GET_VERSION, nullptr, 0, &version, sizeof version) || version.bIDEDeviceMap == 0)
      return false;

    disk::SENDCMDINPARAMS request{};
    request.cBufferSize = sizeof(IdentifyBlock);
    request.irDriveRegs.bSectorCountReg = 1;
    request.irDriveRegs.bSectorNumberReg = 1;
    request.irDriveRegs.bDriveHeadReg = i % 2 ? 0xB0 : 0xA0;
    // An ATAPI device at this position answers only the packet form of the command.
    const bool atapi = i < 4 && (version.bIDEDeviceMap >> (i + 4) & 1);
    request.irDriveRegs.bCommandReg = atapi ? disk::kIdentifyPacketDevice : disk::kIdentifyDevice;
    request.bDriveNumber = static_cast<std::uint8_t>(i);

    std::vector<std::uint8_t> answer(kCommandAnswerSize);
    if (!drive.Control(disk::DFP_RECEIVE_DRIVE_DATA, &request, sizeof request - 1, answer.data(), Size(answer)))
      return false;
    AddIdentifyBlock(BlockAt(answer.data() + kCommandDataAt));
    return true;
  });
}

bool DiskIdReader::ReadDriveViaScsiMiniport() {
  bool answered = false;
  for (int i = 0; i < kScsiPortCount; ++i) {
    std::optional<platform::Device> port = Open(DeviceName(R"(\\.\Scsi%d:)", i), kReadWrite, kShareReadWrite, platform::kOpenExisting);
    if (!port) continue;
    for (std::uint8_t target = 0; target < 2; ++target) {
      std::vector<std::uint8_t> buffer(kMiniportBufferSize);
      disk::SRB_IO_CONTROL header{};
      header.HeaderLength = sizeof header;
      std::memcpy(header.Signature, "SCSIDISK", sizeof header.Signature);
      header.Timeout = 10000;
      header.ControlCode = disk::IOCTL_SCSI_MINIPORT_IDENTIFY;
      header.Length = kMiniportBufferSize - sizeof header;
      disk::SENDCMDINPARAMS request{};
      request.irDriveRegs.bCommandReg = disk::kIdentifyDevice;
      request.bDriveNumber = target;
      WriteAt(buffer, 0, header);
      WriteAt(buffer, sizeof header, request);

      if (port->Control(disk::IOCTL_SCSI_MINIPORT, buffer.data(), kMiniportInputSize, buffer.data(), Size(buffer)) &&
          buffer[kMiniportDataAt + kModelFieldAt] != 0) {
        AddIdentifyBlock(BlockAt(buffer.data() + kMiniportDataAt));
        answered = true;
      }
    }
  }
  return answered;
}

bool DiskIdReader::ReadDriveViaSmart() {
  return ReadEachPhysicalDrive(kShareReadWrite | platform::kFileShareDelete, [this](int, platform::Device& drive) {
    disk::GETVERSIONINPARAMS version{};
    if (!drive.Control(disk::SMART_GET_VERSION, nullptr, 0, &version, sizeof version)) return false;

    std::vector<std::uint8_t> buffer(kSmartBufferSize);
    disk::SENDCMDINPARAMS request{};
    request.irDriveRegs.bCommandReg = disk::kIdentifyDevice;
    WriteAt(buffer, 0, request);
    if (!drive.Control(disk::SMART_RCV_DRIVE_DATA, buffer.data(), sizeof request, buffer.data(), Size(buffer)))
      return false;
    AddIdentifyBlock(BlockAt(buffer.data() + kCommandDataAt));
    return true;
  });
}

bool DiskIdReader::ReadDriveViaVxd() {
  const RealtimePriority priority(m_devices);
  bool answered = false;
  std::vector<std::uint8_t> answer(disk::kVxdAnswerSize);
  if (std::optional<platform::Device> vxd = Open(R"(\\.\IDE21201.VXD)", 0, 0, 0, platform::kFileFlagDeleteOnClose)) {
    // The driver fills its whole structure; the size it is given is the one it has always been given.
    vxd->Control(disk::kVxdIdentifyFunction, nullptr, 0, answer.data(), 4);
    vxd.reset();
    for (std::size_t i = 0; i < kVxdDriveCount; ++i) {
      if (answer[disk::kVxdDrivePresentAt + i] == 0 || answer[disk::kVxdControllerPresentAt + i / 2] == 0) continue;
      AddIdentifyBlock(BlockAt(answer.data() + disk::kVxdBlocksAt + i * sizeof(IdentifyBlock)));
      answered = true;
    }
  }
  return answered;
}

bool DiskIdReader::ReadDriveViaStorageQuery() {
  // Every drive that opens gives a record, whatever its answers.
  return ReadEachPhysicalDrive(kShareReadWrite, [this](int, platform::Device& drive) {
    DriveInfo info;
    const disk::STORAGE_PROPERTY_QUERY query{};
    std::vector<std::uint8_t> answer(kStorageAnswerSize);
    if (drive.Control(disk::IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query, answer.data(), Size(answer))) {
      info.model = DecodeDescriptorText(answer, ReadAt<std::int32_t>(answer, disk::kProductIdOffsetAt), false);
      info.revision = DecodeDescriptorText(answer, ReadAt<std::int32_t>(answer, disk::kProductRevisionOffsetAt), false);
      info.serial = DecodeDescriptorText(answer, ReadAt<std::int32_t>(answer, disk::kSerialNumberOffsetAt), true);
    }

    std::fill(answer.begin(), answer.end(), 0);
    if (drive.Control(disk::IOCTL_DISK_GET_DRIVE_GEOMETRY_EX, nullptr, 0, answer.data(), Size(answer))) {
      const std::uint32_t media = ReadAt<std::uint32_t>(answer, disk::kMediaTypeAt);
      info.type = media == disk::kRemovableMedia ? "Removable" : media == disk::kFixedMedia ? "Fixed" : "Unknown";
      info.size = ReadAt<std::int64_t>(answer, disk::kDiskSizeAt);
    }
    m_records.push_back(std::move(info));
    return true;
  });
}

void DiskIdReader::ReadAllDrives() {
  const bool nt = m_devices.PlatformId() == platform::kPlatformWin32Nt;
  m_blocks.clear();
  if (nt) {
    // All three, whatever each finds: the first stored block decides the reported serial.
    ReadPhysicalDriveInNTWithAdminRights();
    ReadDriveViaScsiMiniport();
    ReadDriveViaSmart();
  } else {
    for (int run = 0; run < kVxdRuns && !ReadDriveViaVxd(); ++run) {
    }
  }
  for (const IdentifyBlock& block : m_blocks) m_records.push_back(DriveInfoFromIdentifyBlock(block));
  if (m_records.empty() && nt) ReadDriveViaStorageQuery();
}

std::string ReadPhysicalDiskSerial(platform::DeviceControl& devices) {
  DiskIdReader reader(devices);
  reader.ReadAllDrives();
  const DriveInfo* first = reader.DriveRecord(0);
  if (!first) return {};
  const std::size_t start = first->serial.find_first_not_of(" \t\n\v\f\r");
  return start == std::string::npos ? std::string() : first->serial.substr(start);
}
