#pragma once
#include <string>

namespace platform {

// ShellExecuteA with no owner window, no parameters and the default show state; results are ignored.
class Shell {
public:
  virtual ~Shell() = default;
  virtual void Execute(const std::string& verb, const std::string& file, const std::string& folder) = 0;
};

}  // namespace platform
