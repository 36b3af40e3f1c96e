#pragma once
// Disks that answer device-control requests with recorded bytes; a device without recorded
// answers does not open, a request without one fails.
#include <algorithm>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "platform/device_control.h"

struct FakeDeviceControl final : platform::DeviceControl {
  struct Answer {
    std::vector<std::uint8_t> bytes;
    bool ignoresOutputSize = false;  // a driver that fills its structure whatever size it is told
    bool outOfMemory = false;        // the request throws std::bad_alloc instead of answering
  };
  struct Opened {
    std::string name;
    std::uint32_t access, share, disposition, flags;
  };
  struct Request {
    std::string device;
    std::uint32_t code;
    std::vector<std::uint8_t> input;
    std::uint32_t outputSize;
  };

  std::uint32_t platformId = platform::kPlatformWin32Nt;
  std::map<std::string, std::map<std::uint32_t, Answer>> devices;
  std::vector<Opened> opened;
  std::vector<Request> requests;
  std::vector<std::uint32_t> priorityClasses;
  std::map<platform::DeviceHandle, std::string> openHandles;

  std::uint32_t PlatformId() override { return platformId; }
  bool Open(const std::string& name, std::uint32_t access, std::uint32_t share, std::uint32_t disposition,
            std::uint32_t flags, platform::DeviceHandle* device) override {
    opened.push_back({name, access, share, disposition, flags});
    if (!devices.count(name)) return false;
    *device = ++m_lastHandle;
    openHandles[*device] = name;
    return true;
  }
  int Control(platform::DeviceHandle device, std::uint32_t code, const void* input, std::uint32_t inputSize,
              void* output, std::uint32_t outputSize, std::uint32_t* returned) override {
    const std::string& name = openHandles.at(device);
    const auto* bytes = static_cast<const std::uint8_t*>(input);
    requests.push_back({name, code, std::vector<std::uint8_t>(bytes, bytes + inputSize), outputSize});
    const auto& answers = devices.at(name);
    const auto answer = answers.find(code);
    if (answer == answers.end()) return 0;
    if (answer->second.outOfMemory) throw std::bad_alloc();
    const std::size_t size = answer->second.ignoresOutputSize
                                 ? answer->second.bytes.size()
                                 : std::min<std::size_t>(answer->second.bytes.size(), outputSize);
    std::copy_n(answer->second.bytes.begin(), size, static_cast<std::uint8_t*>(output));
    *returned = static_cast<std::uint32_t>(size);
    return 1;
  }
  void Close(platform::DeviceHandle device) override { openHandles.erase(device); }
  void SetPriorityClass(std::uint32_t priorityClass) override { priorityClasses.push_back(priorityClass); }

private:
  platform::DeviceHandle m_lastHandle = 0;
};
