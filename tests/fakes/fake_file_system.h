#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"

// A file system in memory.
struct FakeFileSystem final : platform::FileSystem {
  // The file tree. Paths are full Windows paths and compare without regard to case; a file's
  // folders exist with it. A search lists the files in the order they were added.
  void AddFolder(const std::string& path);
  void AddFile(const std::string& path, std::uint64_t size = 1,
               std::optional<platform::FileVersion> version = std::nullopt);
  void RemoveFile(const std::string& path);
  // Exists answers this errno for the path although it is in the tree (13: access denied).
  void SetExistsError(const std::string& path, int error);

  // Files created through CreateOutputFile, by name, with the bytes written to them so far.
  std::map<std::string, std::string> outputFiles;
  // CreateOutputFile (by name) and CreateTempFile (by folder) answer these codes and create nothing.
  std::map<std::string, long> createErrors;
  // MoveReplacing and MoveNew answer these codes for these destinations and move nothing.
  std::map<std::string, long> moveErrors;
  // How the next writes answer, in order; once none is left, a write stores everything.
  struct WriteAnswer {
    long code = 0;
    std::size_t stored = std::numeric_limits<std::size_t>::max();  // at most this many bytes
  };
  std::deque<WriteAnswer> writeAnswers;

  std::vector<platform::FoundFile> FindFiles(const std::string& pattern) override;
  using platform::FileSystem::Exists;
  bool Exists(const std::string& path, int* error) override;
  std::optional<platform::FileVersion> ReadVersion(const std::string& path) override;
  long CreateOutputFile(const std::string& name, std::unique_ptr<platform::OutputFile>* file) override;
  // Temporary files are named <folder>mdg<n>.tmp.
  long CreateTempFile(const std::string& folder, std::string* name, std::unique_ptr<platform::OutputFile>* file) override;
  long MoveReplacing(const std::string& from, const std::string& to) override;
  // Refuses a destination among the output files or in the tree.
  long MoveNew(const std::string& from, const std::string& to) override;
  long Delete(const std::string& path) override;
  // A name without a folder is completed with this folder; nothing when it is empty.
  std::string currentFolder = R"(C:\work)";
  std::optional<std::string> FullPath(const std::string& path) override {
    if (path.find_first_of("\\:") != std::string::npos) return path;
    if (currentFolder.empty()) return std::nullopt;
    return currentFolder + "\\" + path;
  }

private:
  struct File {
    std::string path;
    std::uint64_t size;
    std::optional<platform::FileVersion> version;
  };
  const File* FindFile(const std::string& path) const;

  std::vector<File> m_files;
  std::vector<std::string> m_folders;
  std::map<std::string, int> m_existsErrors;  // by folded path
  int m_tempFiles = 0;
};
