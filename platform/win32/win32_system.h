#pragma once
#include "platform/system.h"

namespace platform::win32 {

class Win32System final : public System {
public:
  std::string SystemDirectory(unsigned bufferSize) override;
  unsigned OsMajorVersion() override;
  bool IsWow64() override;
  std::string MessageText(unsigned long code) override;
};

}  // namespace platform::win32
