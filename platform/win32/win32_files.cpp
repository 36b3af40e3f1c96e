#include "platform/win32/win32_files.h"

#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace platform::win32 {
namespace {

// A file that GetTempFileNameW created, by its name: deleted unless handed over.
using unique_created_file = unique_handle<const wchar_t*, &DeleteFileW>;

void FreeHeapBlock(void* block) { HeapFree(GetProcessHeap(), 0, block); }
using unique_heap_block = unique_handle<void*, &FreeHeapBlock>;

class Win32OutputFile final : public OutputFile {
public:
  explicit Win32OutputFile(unique_file file) : m_file(std::move(file)) {}

  long Write(const std::string& bytes, std::size_t* written) override {
    // One WriteFile call; a caller that hands over more than it takes sees the shortfall in *written.
    const auto length = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), MAXDWORD));
    DWORD stored = 0;
    const long status = WriteFile(m_file.get(), bytes.data(), length, &stored, nullptr) ? 0 : GetLastError();
    *written = stored;
    return status;
  }

  long Flush() override { return FlushFileBuffers(m_file.get()) ? 0 : static_cast<long>(GetLastError()); }

private:
  unique_file m_file;
};

}  // namespace

std::vector<FoundFile> Win32FileSystem::FindFiles(const std::string& pattern) {
  std::vector<FoundFile> found;
  WIN32_FIND_DATAW entry{};
  const unique_find search(FindFirstFileW(Wide(pattern).c_str(), &entry));
  if (!search) return found;
  do {
    found.push_back({Utf8(entry.cFileName), (std::uint64_t{entry.nFileSizeHigh} << 32) | entry.nFileSizeLow});
  } while (FindNextFileW(search.get(), &entry));
  return found;
}

bool Win32FileSystem::Exists(const std::string& path, int* error) {
  if (_waccess(Wide(path).c_str(), 0) == 0) return true;
  *error = errno;
  return false;
}

std::optional<FileVersion> Win32FileSystem::ReadVersion(const std::string& path) {
  const std::wstring file = Wide(path);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
  // No resource: there is no block to look into.
  if (size == 0) return std::nullopt;
  const unique_heap_block block(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size));
  if (!block) return std::nullopt;
  // Whether the read succeeded is left to the lookup: a block it did not fill holds no fixed information.
  GetFileVersionInfoW(file.c_str(), 0, size, block.get());
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.get(), L"\\", &value, &length) || value == nullptr || length < sizeof(VS_FIXEDFILEINFO)) {
    return std::nullopt;
  }
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(value);
  return FileVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS),
                     LOWORD(info->dwFileVersionLS)};
}

long Win32FileSystem::CreateOutputFile(const std::string& name, std::unique_ptr<OutputFile>* file) {
  unique_file created(CreateFileW(Wide(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!created) return GetLastError();
  *file = std::make_unique<Win32OutputFile>(std::move(created));
  return 0;
}

long Win32FileSystem::CreateTempFile(const std::string& folder, std::string* name, std::unique_ptr<OutputFile>* file) {
  wchar_t path[MAX_PATH] = {};
  // GetTempFileNameW creates the file, which keeps the name ours until it is replaced or deleted.
  if (GetTempFileNameW(Wide(folder).c_str(), L"mdg", 0, path) == 0) return GetLastError();
  unique_created_file created(path);
  unique_file opened(CreateFileW(path, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  // The code is read before the owner's delete sets one of its own.
  if (!opened) return GetLastError();
  *name = Utf8(path);
  *file = std::make_unique<Win32OutputFile>(std::move(opened));
  // From here the caller moves the file into place or deletes it.
  created.release();
  return 0;
}

long Win32FileSystem::MoveReplacing(const std::string& from, const std::string& to) {
  const std::wstring target = Wide(to);
  // Windows refuses to replace a read-only file; Wine replaces it. Refuse everywhere, as Windows does.
  if (const DWORD attributes = GetFileAttributesW(target.c_str());
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return ERROR_ACCESS_DENIED;
  }
  return MoveFileExW(Wide(from).c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? 0
             : GetLastError();
}

long Win32FileSystem::MoveNew(const std::string& from, const std::string& to) {
  return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_WRITE_THROUGH) ? 0 : GetLastError();
}

long Win32FileSystem::Delete(const std::string& path) { return DeleteFileW(Wide(path).c_str()) ? 0 : GetLastError(); }

std::optional<std::string> Win32FileSystem::FullPath(const std::string& path) {
  const std::wstring relative = Wide(path);
  // The first call tells the size with its terminating zero; the second fills it.
  const DWORD size = GetFullPathNameW(relative.c_str(), 0, nullptr, nullptr);
  if (size == 0) return std::nullopt;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(relative.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return std::nullopt;
  full.resize(length);
  return Utf8(full);
}

}  // namespace platform::win32
