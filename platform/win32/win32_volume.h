#pragma once
#include "platform/volume.h"

namespace platform::win32 {

class Win32Volumes final : public Volumes {
public:
  std::optional<std::uint32_t> SerialNumber(const std::string& rootPath) override;
};

}  // namespace platform::win32
