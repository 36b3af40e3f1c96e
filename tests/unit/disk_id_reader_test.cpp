// The disk serial over recorded device answers: each method's devices and requests, the order in
// which the methods' blocks count, and the storage-query fallback.
#include <gtest/gtest.h>

#include <cstring>

#include "fakes/fake_device_control.h"
#include "fakes/identify_blocks.h"
#include "sysinfo/disk_id_reader.h"

namespace {

constexpr std::uint32_t kGetVersion = 0x00074080;
constexpr std::uint32_t kReceiveDriveData = 0x0007C088;
constexpr std::uint32_t kScsiMiniport = 0x0004D008;
constexpr std::uint32_t kStorageQuery = 0x002D1400;
constexpr std::uint32_t kGeometry = 0x000700A0;

std::string Drive(int i) { return "\\\\.\\PhysicalDrive" + std::to_string(i); }
std::string ScsiPort(int i) { return "\\\\.\\Scsi" + std::to_string(i) + ":"; }

std::vector<std::uint8_t> VersionAnswer(std::uint8_t deviceMap) {
  std::vector<std::uint8_t> answer(24);
  answer[3] = deviceMap;
  return answer;
}

// SENDCMDOUTPARAMS: 16 bytes of header, then the block.
std::vector<std::uint8_t> CommandAnswer(const IdentifyBlock& block) { return AnswerWithBlock(16, block); }

// SRB_IO_CONTROL and SENDCMDOUTPARAMS headers, then the block.
std::vector<std::uint8_t> MiniportAnswer(const IdentifyBlock& block) { return AnswerWithBlock(44, block); }

std::vector<std::uint8_t> GeometryAnswer(std::uint32_t mediaType, std::int64_t size) {
  std::vector<std::uint8_t> answer(32);
  std::memcpy(answer.data() + 8, &mediaType, 4);
  std::memcpy(answer.data() + 24, &size, 8);
  return answer;
}

std::uint32_t U32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint32_t value;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

const IdentifyBlock kDiskA = MakeIdentifyBlock("DISK A", "  SERIAL-A", "A1");
const IdentifyBlock kDiskB = MakeIdentifyBlock("DISK B", "SERIAL-B", "B1");

class DiskIdReaderTest : public testing::Test {
protected:
  void TearDown() override { EXPECT_TRUE(devices.openHandles.empty()); }

  std::vector<FakeDeviceControl::Request> RequestsWith(std::uint32_t code) const {
    std::vector<FakeDeviceControl::Request> found;
    for (const auto& request : devices.requests)
      if (request.code == code) found.push_back(request);
    return found;
  }

  FakeDeviceControl devices;
};

TEST_F(DiskIdReaderTest, NothingOpensGivesTheEmptySerialAfterTryingEveryDevice) {
  EXPECT_EQ(ReadPhysicalDiskSerial(devices), "");
  // Three methods and the fallback over 16 drives, the miniport over 16 ports.
  EXPECT_EQ(devices.opened.size(), 16u * 4);
  EXPECT_EQ(devices.opened[16].name, ScsiPort(0));
  EXPECT_EQ(devices.opened[31].name, ScsiPort(15));
  EXPECT_EQ(devices.opened[63].name, Drive(15));
}

TEST_F(DiskIdReaderTest, FirstMethodSendsTheIdentifyRequestOfEachDrive) {
  devices.devices[Drive(0)] = {{kGetVersion, {VersionAnswer(0x01)}}, {kReceiveDriveData, {CommandAnswer(kDiskA)}}};
  devices.devices[Drive(1)] = {{kGetVersion, {VersionAnswer(0x20)}}, {kReceiveDriveData, {CommandAnswer(kDiskB)}}};

  DiskIdReader reader(devices);
  EXPECT_TRUE(reader.ReadPhysicalDriveInNTWithAdminRights());

  const auto& open = devices.opened[0];
  EXPECT_EQ(open.name, Drive(0));
  EXPECT_EQ(open.access, 0xC0000000u);
  EXPECT_EQ(open.share, 3u);
  EXPECT_EQ(open.disposition, 3u);
  EXPECT_EQ(open.flags, 0u);
  const auto requests = RequestsWith(kReceiveDriveData);
  ASSERT_EQ(requests.size(), 2u);
  const std::vector<std::uint8_t> drive0 = {0x00, 0x02, 0, 0, 0, 1, 1, 0, 0, 0xA0, 0xEC, 0, 0,
                                            0,    0,    0, 0, 0, 0, 0, 0, 0, 0, 0,    0,    0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(requests[0].input, drive0);
  EXPECT_EQ(requests[0].outputSize, 528u);
  EXPECT_EQ(requests[1].input[9], 0xB0);   // odd drive
  EXPECT_EQ(requests[1].input[10], 0xA1);  // map bit 1 + 4: an ATAPI device
  EXPECT_EQ(requests[1].input[12], 1);
  EXPECT_EQ(RequestsWith(kGetVersion)[0].outputSize, 24u);

  EXPECT_EQ(reader.DriveRecord(0), nullptr);  // records come from ReadAllDrives alone
  reader.ReadAllDrives();  // the blocks start afresh; records of both drives follow
  EXPECT_EQ(reader.DriveRecord(0)->serial, "  SERIAL-A");
  EXPECT_EQ(reader.DriveRecord(1)->model, "DISK B");
  EXPECT_EQ(reader.DriveRecord(-1), nullptr);
}

TEST_F(DiskIdReaderTest, FirstMethodSkipsDrivesWithoutDeviceMap) {
  devices.devices[Drive(0)] = {{kGetVersion, {VersionAnswer(0)}}, {kReceiveDriveData, {CommandAnswer(kDiskA)}}};
  DiskIdReader reader(devices);
  EXPECT_FALSE(reader.ReadPhysicalDriveInNTWithAdminRights());
  EXPECT_TRUE(RequestsWith(kReceiveDriveData).empty());
}

TEST_F(DiskIdReaderTest, MiniportAsksBothTargetsOfEachPort) {
  devices.devices[ScsiPort(2)] = {{kScsiMiniport, {MiniportAnswer(kDiskB)}}};
  DiskIdReader reader(devices);
  EXPECT_TRUE(reader.ReadDriveViaScsiMiniport());

  const auto requests = RequestsWith(kScsiMiniport);
  ASSERT_EQ(requests.size(), 2u);
  const auto& header = requests[0].input;
  ASSERT_EQ(header.size(), 60u);
  EXPECT_EQ(U32(header, 0), 28u);
  EXPECT_EQ(std::string(header.begin() + 4, header.begin() + 12), "SCSIDISK");
  EXPECT_EQ(U32(header, 12), 10000u);
  EXPECT_EQ(U32(header, 16), 0x001B0501u);
  EXPECT_EQ(U32(header, 20), 0u);
  EXPECT_EQ(U32(header, 24), 529u);
  EXPECT_EQ(header[28 + 10], 0xEC);
  EXPECT_EQ(header[28 + 12], 0);
  EXPECT_EQ(requests[1].input[28 + 12], 1);  // target 1
  EXPECT_EQ(requests[0].outputSize, 557u);
  reader.ReadAllDrives();
  EXPECT_EQ(reader.DriveRecord(0)->serial, "SERIAL-B");
  EXPECT_EQ(reader.DriveRecord(1), nullptr);  // the second target gave the same block
}

TEST_F(DiskIdReaderTest, MiniportAnswerWithoutModelDoesNotCount) {
  devices.devices[ScsiPort(0)] = {{kScsiMiniport, {MiniportAnswer(IdentifyBlock{})}}};
  DiskIdReader reader(devices);
  EXPECT_FALSE(reader.ReadDriveViaScsiMiniport());
}

TEST_F(DiskIdReaderTest, SmartSendsItsRequestWithDeleteSharing) {
  devices.devices[Drive(3)] = {{kGetVersion, {VersionAnswer(0)}}, {kReceiveDriveData, {CommandAnswer(kDiskA)}}};
  DiskIdReader reader(devices);
  EXPECT_TRUE(reader.ReadDriveViaSmart());
  EXPECT_EQ(devices.opened[3].share, 7u);
  const auto requests = RequestsWith(kReceiveDriveData);
  ASSERT_EQ(requests.size(), 1u);
  std::vector<std::uint8_t> expected(33);
  expected[10] = 0xEC;
  EXPECT_EQ(requests[0].input, expected);
  EXPECT_EQ(requests[0].outputSize, 545u);
}

// One disk answering the first method and SMART alike is one record; the miniport's disk follows.
TEST_F(DiskIdReaderTest, BlocksCountInMethodOrderWithoutDuplicates) {
  devices.devices[Drive(1)] = {{kGetVersion, {VersionAnswer(0x02)}}, {kReceiveDriveData, {CommandAnswer(kDiskA)}}};
  devices.devices[ScsiPort(0)] = {{kScsiMiniport, {MiniportAnswer(kDiskB)}}};

  DiskIdReader reader(devices);
  reader.ReadAllDrives();
  EXPECT_EQ(reader.DriveRecord(0)->model, "DISK A");
  EXPECT_EQ(reader.DriveRecord(1)->model, "DISK B");
  EXPECT_EQ(reader.DriveRecord(2), nullptr);
  EXPECT_EQ(RequestsWith(kReceiveDriveData).size(), 2u);  // the first method and SMART both asked
  EXPECT_TRUE(RequestsWith(kStorageQuery).empty());
  EXPECT_EQ(ReadPhysicalDiskSerial(devices), "SERIAL-A");
}

TEST_F(DiskIdReaderTest, AddIdentifyBlockStoresEachBlockOnce) {
  DiskIdReader reader(devices);
  EXPECT_TRUE(reader.AddIdentifyBlock(kDiskA));
  EXPECT_FALSE(reader.AddIdentifyBlock(kDiskA));
  EXPECT_TRUE(reader.AddIdentifyBlock(kDiskB));
}

TEST_F(DiskIdReaderTest, StorageQueryStandsInWhenNoBlockWasRead) {
  devices.devices[Drive(0)] = {
      {kStorageQuery, {MakeDescriptor({100, "VBOX HARDDISK"}, {120, "1.0"}, {140, "3132333435"})}},
      {kGeometry, {GeometryAnswer(12, 0x40000000)}}};
  devices.devices[Drive(1)] = {{kGeometry, {GeometryAnswer(11, 5)}}};

  DiskIdReader reader(devices);
  reader.ReadAllDrives();
  const DriveInfo* first = reader.DriveRecord(0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->model, "VBOX HARDDISK");
  EXPECT_EQ(first->revision, "1.0");
  EXPECT_EQ(first->serial, "2143");
  EXPECT_EQ(first->type, "Fixed");
  EXPECT_EQ(first->size, 0x40000000);
  EXPECT_EQ(first->bufferSize, 0u);
  EXPECT_EQ(reader.DriveRecord(1)->type, "Removable");
  EXPECT_EQ(reader.DriveRecord(1)->serial, "");

  const auto queries = RequestsWith(kStorageQuery);
  ASSERT_EQ(queries.size(), 2u);
  EXPECT_EQ(queries[0].input, std::vector<std::uint8_t>(12));
  EXPECT_EQ(queries[0].outputSize, 10000u);
  EXPECT_EQ(RequestsWith(kGeometry)[0].outputSize, 10000u);
}

TEST_F(DiskIdReaderTest, StorageQueryRecordWithoutAnswersHasEmptyTexts) {
  devices.devices[Drive(0)] = {};
  EXPECT_EQ(ReadPhysicalDiskSerial(devices), "");
  DiskIdReader reader(devices);
  reader.ReadAllDrives();
  EXPECT_EQ(reader.DriveRecord(0)->type, "");
}

std::vector<std::uint8_t> VxdAnswer() {
  std::vector<std::uint8_t> answer(4108);
  answer[1] = 1;      // controller 1 present
  answer[4 + 2] = 1;  // drive 2 present, on controller 1
  answer[4 + 3] = 1;  // drive 3 present as well
  answer[4 + 0] = 1;  // drive 0 present, but its controller is not
  std::memcpy(answer.data() + 12 + 2 * 512, kDiskB.data(), 512);
  std::memcpy(answer.data() + 12 + 3 * 512, kDiskB.data(), 512);
  std::memcpy(answer.data() + 12, kDiskA.data(), 512);
  return answer;
}

TEST_F(DiskIdReaderTest, NineXFamilyAsksTheVxdAtRealTimePriority) {
  devices.platformId = 1;
  devices.devices["\\\\.\\IDE21201.VXD"] = {{1, {VxdAnswer(), true}}};

  DiskIdReader reader(devices);
  reader.ReadAllDrives();
  EXPECT_EQ(reader.DriveRecord(0)->serial, "SERIAL-B");
  EXPECT_EQ(reader.DriveRecord(1), nullptr);
  ASSERT_EQ(devices.opened.size(), 1u);  // the first run answered
  EXPECT_EQ(devices.opened[0].access, 0u);
  EXPECT_EQ(devices.opened[0].share, 0u);
  EXPECT_EQ(devices.opened[0].disposition, 0u);
  EXPECT_EQ(devices.opened[0].flags, 0x04000000u);
  EXPECT_EQ(devices.requests[0].outputSize, 4u);
  EXPECT_EQ(devices.priorityClasses, (std::vector<std::uint32_t>{0x100, 0x20}));
}

TEST_F(DiskIdReaderTest, NineXFamilyRestoresThePriorityWhenTheRequestThrows) {
  devices.platformId = 1;
  FakeDeviceControl::Answer outOfMemory;
  outOfMemory.outOfMemory = true;
  devices.devices["\\\\.\\IDE21201.VXD"] = {{1, outOfMemory}};

  EXPECT_THROW(ReadPhysicalDiskSerial(devices), std::bad_alloc);
  EXPECT_EQ(devices.priorityClasses, (std::vector<std::uint32_t>{0x100, 0x20}));
}

TEST_F(DiskIdReaderTest, NineXFamilyWithoutVxdTriesTenTimesAndRestoresThePriority) {
  devices.platformId = 1;
  EXPECT_EQ(ReadPhysicalDiskSerial(devices), "");
  EXPECT_EQ(devices.opened.size(), 10u);
  EXPECT_EQ(devices.priorityClasses.size(), 20u);
  EXPECT_EQ(devices.priorityClasses.back(), 0x20u);
}

}  // namespace
