#pragma once
#include "platform/shell.h"

namespace platform::win32 {

class Win32Shell final : public Shell {
public:
  void Execute(const std::string& verb, const std::string& file, const std::string& folder) override;
  std::string DocumentsFolder() override;
};

}  // namespace platform::win32
