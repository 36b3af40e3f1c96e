#include "platform/win32/win32_device_control.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace platform::win32 {

std::uint32_t Win32DeviceControl::PlatformId() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionExW(&info) ? info.dwPlatformId : 0;
}

bool Win32DeviceControl::Open(const std::string& name, std::uint32_t access, std::uint32_t share,
                              std::uint32_t disposition, std::uint32_t flags, DeviceHandle* device) {
  const HANDLE handle = CreateFileW(Wide(name).c_str(), access, share, nullptr, disposition, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  *device = reinterpret_cast<DeviceHandle>(handle);
  return true;
}

int Win32DeviceControl::Control(DeviceHandle device, std::uint32_t code, const void* input, std::uint32_t inputSize,
                                void* output, std::uint32_t outputSize, std::uint32_t* returned) {
  DWORD bytes = 0;
  const BOOL result = DeviceIoControl(reinterpret_cast<HANDLE>(device), code, const_cast<void*>(input), inputSize,
                                      output, outputSize, &bytes, nullptr);
  *returned = bytes;
  return result;
}

void Win32DeviceControl::Close(DeviceHandle device) { CloseHandle(reinterpret_cast<HANDLE>(device)); }

void Win32DeviceControl::SetPriorityClass(std::uint32_t priorityClass) {
  ::SetPriorityClass(GetCurrentProcess(), priorityClass);
}

}  // namespace platform::win32
