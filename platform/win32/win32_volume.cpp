#include "platform/win32/win32_volume.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace platform::win32 {

std::optional<std::uint32_t> Win32Volumes::SerialNumber(const std::string& rootPath) {
  DWORD serial = 0;
  if (!GetVolumeInformationW(Wide(rootPath).c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0)) return std::nullopt;
  return serial;
}

}  // namespace platform::win32
