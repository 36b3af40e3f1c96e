#pragma once
// Volume information.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

class Volumes {
public:
  virtual ~Volumes() = default;
  // GetVolumeInformationW for a root path such as "C:\", serial number only; none when it fails.
  virtual std::optional<std::uint32_t> SerialNumber(const std::string& rootPath) = 0;
};

}  // namespace platform
