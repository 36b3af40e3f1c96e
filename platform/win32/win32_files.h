#pragma once
#include "platform/files.h"

namespace platform::win32 {

class Win32FileSystem final : public FileSystem {
public:
  std::vector<FoundFile> FindFiles(const std::string& pattern) override;
  using FileSystem::Exists;
  bool Exists(const std::string& path, int* error) override;
  std::optional<FileVersion> ReadVersion(const std::string& path) override;
  long CreateOutputFile(const std::string& name, std::unique_ptr<OutputFile>* file) override;
  long CreateTempFile(const std::string& folder, std::string* name, std::unique_ptr<OutputFile>* file) override;
  long MoveReplacing(const std::string& from, const std::string& to) override;
  long MoveNew(const std::string& from, const std::string& to) override;
  long Delete(const std::string& path) override;
  std::optional<std::string> FullPath(const std::string& path) override;
};

}  // namespace platform::win32
