#pragma once
#include <string>

namespace platform {

class Shell {
public:
  virtual ~Shell() = default;
  // ShellExecuteW with no owner window, no parameters and the default show state; results are ignored.
  virtual void Execute(const std::string& verb, const std::string& file, const std::string& folder) = 0;
  // SHGetFolderPathW(CSIDL_PERSONAL): the user's documents folder; empty when there is none.
  virtual std::string DocumentsFolder() = 0;
};

}  // namespace platform
