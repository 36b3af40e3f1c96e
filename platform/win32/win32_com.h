#pragma once
#include "platform/com.h"

namespace platform::win32 {

class Win32ComRuntime final : public ComRuntime {
public:
  bool Initialize() override;
  void Uninitialize() override;
  long CreateAndRelease(const std::string& classId, unsigned context, const std::string& interfaceId) override;
};

}  // namespace platform::win32
