#pragma once
// The published request and answer layouts of the disk, SMART, SCSI miniport and storage requests,
// byte for byte as the drivers read and write them (little-endian, no padding).
#include <cstddef>
#include <cstdint>

namespace disk {

inline constexpr std::uint32_t DFP_GET_VERSION = 0x00074080;  // also SMART_GET_VERSION
inline constexpr std::uint32_t DFP_RECEIVE_DRIVE_DATA = 0x0007C088;  // also SMART_RCV_DRIVE_DATA
inline constexpr std::uint32_t SMART_GET_VERSION = DFP_GET_VERSION;
inline constexpr std::uint32_t SMART_RCV_DRIVE_DATA = DFP_RECEIVE_DRIVE_DATA;
inline constexpr std::uint32_t IOCTL_SCSI_MINIPORT = 0x0004D008;
inline constexpr std::uint32_t IOCTL_SCSI_MINIPORT_IDENTIFY = 0x001B0501;
inline constexpr std::uint32_t IOCTL_STORAGE_QUERY_PROPERTY = 0x002D1400;
inline constexpr std::uint32_t IOCTL_DISK_GET_DRIVE_GEOMETRY_EX = 0x000700A0;
inline constexpr std::uint32_t kVxdIdentifyFunction = 1;

inline constexpr std::uint8_t kIdentifyDevice = 0xEC;
inline constexpr std::uint8_t kIdentifyPacketDevice = 0xA1;

#pragma pack(push, 1)

struct GETVERSIONINPARAMS {
  std::uint8_t bVersion;
  std::uint8_t bRevision;
  std::uint8_t bReserved;
  std::uint8_t bIDEDeviceMap;  // bits 0-3 ATA devices, bits 4-7 ATAPI devices
  std::uint32_t fCapabilities;
  std::uint32_t dwReserved[4];
};

struct IDEREGS {
  std::uint8_t bFeaturesReg;
  std::uint8_t bSectorCountReg;
  std::uint8_t bSectorNumberReg;
  std::uint8_t bCylLowReg;
  std::uint8_t bCylHighReg;
  std::uint8_t bDriveHeadReg;
  std::uint8_t bCommandReg;
  std::uint8_t bReserved;
};

struct SENDCMDINPARAMS {
  std::uint32_t cBufferSize;
  IDEREGS irDriveRegs;
  std::uint8_t bDriveNumber;
  std::uint8_t bReserved[3];
  std::uint32_t dwReserved[4];
  std::uint8_t bBuffer[1];
};

struct DRIVERSTATUS {
  std::uint8_t bDriverError;
  std::uint8_t bIDEError;
  std::uint8_t bReserved[2];
  std::uint32_t dwReserved[2];
};

struct SENDCMDOUTPARAMS {
  std::uint32_t cBufferSize;
  DRIVERSTATUS DriverStatus;
  std::uint8_t bBuffer[1];
};

struct SRB_IO_CONTROL {
  std::uint32_t HeaderLength;
  std::uint8_t Signature[8];
  std::uint32_t Timeout;
  std::uint32_t ControlCode;
  std::uint32_t ReturnCode;
  std::uint32_t Length;
};

struct STORAGE_PROPERTY_QUERY {
  std::uint32_t PropertyId;  // 0: the device property
  std::uint32_t QueryType;   // 0: the standard query
  std::uint8_t AdditionalParameters[4];  // one byte, padded to the structure's natural size
};

#pragma pack(pop)

static_assert(sizeof(GETVERSIONINPARAMS) == 24);
static_assert(sizeof(SENDCMDINPARAMS) == 33);
static_assert(offsetof(SENDCMDOUTPARAMS, bBuffer) == 16);
static_assert(sizeof(SRB_IO_CONTROL) == 28);
static_assert(sizeof(STORAGE_PROPERTY_QUERY) == 12);

// STORAGE_DEVICE_DESCRIPTOR: the 32-bit offsets of its texts within the answer.
inline constexpr std::size_t kProductIdOffsetAt = 16;
inline constexpr std::size_t kProductRevisionOffsetAt = 20;
inline constexpr std::size_t kSerialNumberOffsetAt = 24;
// DISK_GEOMETRY_EX: the media type (32-bit) and the disk size (64-bit).
inline constexpr std::size_t kMediaTypeAt = 8;
inline constexpr std::size_t kDiskSizeAt = 24;
inline constexpr std::uint32_t kRemovableMedia = 11;
inline constexpr std::uint32_t kFixedMedia = 12;

// The answer of the IDE21201.VXD driver's function 1.
inline constexpr std::size_t kVxdAnswerSize = 4108;
inline constexpr std::size_t kVxdControllerPresentAt = 0;  // one byte per controller 0-3
inline constexpr std::size_t kVxdDrivePresentAt = 4;       // one byte per drive 0-7
inline constexpr std::size_t kVxdBlocksAt = 12;            // one identify block per drive 0-7

}  // namespace disk
