#pragma once
#include <string>

namespace platform {

class Shell {
public:
  virtual ~Shell() = default;
  // ShellExecuteA with no owner window, no parameters and the default show state; results are ignored.
  virtual void Execute(const std::string& verb, const std::string& file, const std::string& folder) = 0;
  // SHGetFolderPathW(CSIDL_PERSONAL): the user's documents folder in the ANSI code page; empty when
  // there is none or the code page cannot spell it.
  virtual std::string DocumentsFolder() = 0;
};

}  // namespace platform
