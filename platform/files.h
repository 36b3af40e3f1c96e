#pragma once
// The file system as the checks and the repair files use it.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct FileVersion {
  unsigned major = 0;
  unsigned minor = 0;
  unsigned build = 0;
  unsigned revision = 0;
};

struct FoundFile {
  std::string name;  // name only, no folder
  std::uint64_t size = 0;
};

// A file being written; closed when the owner lets go of it.
class OutputFile {
public:
  virtual ~OutputFile() = default;
  // WriteFile: the platform's error code, 0 on success; *written tells how much was stored.
  virtual long Write(const std::string& bytes, std::size_t* written) = 0;
  // FlushFileBuffers: the platform's error code, 0 on success.
  virtual long Flush() = 0;
};

class FileSystem {
public:
  virtual ~FileSystem() = default;
  // FindFirstFileW/FindNextFileW on a path with a wildcard pattern, in the order the platform returns.
  virtual std::vector<FoundFile> FindFiles(const std::string& pattern) = 0;
  // The runtime's existence test (_waccess mode 0): whether the path exists; when it does not,
  // *error is the errno that says why (2: no such file, 13: access denied).
  virtual bool Exists(const std::string& path, int* error) = 0;
  bool Exists(const std::string& path) {
    int error = 0;
    return Exists(path, &error);
  }
  // The fixed file version of the path's version resource; nothing when it has none.
  virtual std::optional<FileVersion> ReadVersion(const std::string& path) = 0;
  // Creates or empties a file for writing, not shared; the platform's error code, 0 on success.
  virtual long CreateOutputFile(const std::string& name, std::unique_ptr<OutputFile>* file) = 0;
  // GetTempFileNameW in the folder, then the new file opened for writing; *name is its path. The
  // platform's error code, 0 on success.
  virtual long CreateTempFile(const std::string& folder, std::string* name, std::unique_ptr<OutputFile>* file) = 0;
  // MoveFileExW replacing an existing destination, written through: the platform's error code, 0 on success.
  virtual long MoveReplacing(const std::string& from, const std::string& to) = 0;
  // MoveFileExW without replacing, written through: an existing destination stays and gives 183
  // (ERROR_ALREADY_EXISTS). The platform's error code, 0 on success.
  virtual long MoveNew(const std::string& from, const std::string& to) = 0;
  // DeleteFileW: the platform's error code, 0 on success.
  virtual long Delete(const std::string& path) = 0;
  // GetFullPathNameW: the path from the drive on, as the current folder completes it; nothing when
  // it fails.
  virtual std::optional<std::string> FullPath(const std::string& path) = 0;
};

}  // namespace platform
