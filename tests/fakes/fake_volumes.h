#pragma once
#include <map>

#include "platform/volume.h"

struct FakeVolumes final : platform::Volumes {
  std::map<std::string, std::uint32_t> serials;  // by root path

  std::optional<std::uint32_t> SerialNumber(const std::string& rootPath) override {
    const auto serial = serials.find(rootPath);
    if (serial == serials.end()) return std::nullopt;
    return serial->second;
  }
};
