#pragma once
// Device control on disks: open a device, send control requests, close it; the process priority
// class and the platform family that the disk readers need besides.
#include <cstdint>
#include <string>

namespace platform {

using DeviceHandle = std::uintptr_t;

inline constexpr std::uint32_t kGenericRead = 0x80000000;
inline constexpr std::uint32_t kGenericWrite = 0x40000000;
inline constexpr std::uint32_t kFileShareRead = 0x1;
inline constexpr std::uint32_t kFileShareWrite = 0x2;
inline constexpr std::uint32_t kFileShareDelete = 0x4;
inline constexpr std::uint32_t kOpenExisting = 3;
inline constexpr std::uint32_t kFileFlagDeleteOnClose = 0x04000000;

inline constexpr std::uint32_t kPlatformWin32Nt = 2;  // VER_PLATFORM_WIN32_NT
inline constexpr std::uint32_t kRealtimePriorityClass = 0x100;
inline constexpr std::uint32_t kNormalPriorityClass = 0x20;

class DeviceControl {
public:
  virtual ~DeviceControl() = default;
  // GetVersionExW: the platform id.
  virtual std::uint32_t PlatformId() = 0;
  // CreateFileW; false when the handle is invalid.
  virtual bool Open(const std::string& name, std::uint32_t access, std::uint32_t share, std::uint32_t disposition,
                    std::uint32_t flags, DeviceHandle* device) = 0;
  // DeviceIoControl, synchronous: the call's own result, which callers trust only when it is exactly 1.
  virtual int Control(DeviceHandle device, std::uint32_t code, const void* input, std::uint32_t inputSize,
                      void* output, std::uint32_t outputSize, std::uint32_t* returned) = 0;
  virtual void Close(DeviceHandle device) = 0;
  // SetPriorityClass on the current process.
  virtual void SetPriorityClass(std::uint32_t priorityClass) = 0;
};

// Owns an open device and closes it on every path.
class Device {
public:
  Device(DeviceControl& control, DeviceHandle handle) : m_control(control), m_handle(handle) {}
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;
  ~Device() { m_control.Close(m_handle); }

  // DeviceIoControl that counts only an answer of exactly 1 as success.
  bool Control(std::uint32_t code, const void* input, std::uint32_t inputSize, void* output,
               std::uint32_t outputSize) {
    std::uint32_t returned = 0;
    return m_control.Control(m_handle, code, input, inputSize, output, outputSize, &returned) == 1;
  }

private:
  DeviceControl& m_control;
  DeviceHandle m_handle;
};

}  // namespace platform
