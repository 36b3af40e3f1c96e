#include "sysinfo/volume_serial.h"

#include <cstdio>

std::string ReadVolumeSerial(platform::System& system, platform::Volumes& volumes) {
  const std::string folder = system.SystemDirectory(260);
  if (folder.empty()) return {};
  const std::optional<std::uint32_t> serial = volumes.SerialNumber(std::string(1, folder[0]) + ":\\");
  if (!serial) return {};
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(*serial));
  return text;
}
