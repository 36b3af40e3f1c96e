#pragma once
#include "platform/device_control.h"

namespace platform::win32 {

class Win32DeviceControl final : public DeviceControl {
public:
  std::uint32_t PlatformId() override;
  bool Open(const std::string& name, std::uint32_t access, std::uint32_t share, std::uint32_t disposition,
            std::uint32_t flags, DeviceHandle* device) override;
  int Control(DeviceHandle device, std::uint32_t code, const void* input, std::uint32_t inputSize, void* output,
              std::uint32_t outputSize, std::uint32_t* returned) override;
  void Close(DeviceHandle device) override;
  void SetPriorityClass(std::uint32_t priorityClass) override;
};

}  // namespace platform::win32
