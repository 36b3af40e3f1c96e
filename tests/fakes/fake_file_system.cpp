#include "fakes/fake_file_system.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "platform/error_codes.h"

namespace {

constexpr int kNoEntry = 2;  // ENOENT

// Windows compares names without regard to case; ASCII folding is enough for the names tests use.
std::string Folded(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string NameOf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

// '*' stands for any run of characters, including none.
bool Matches(std::string_view mask, std::string_view name) {
  if (mask.empty()) return name.empty();
  if (mask.front() == '*') {
    for (std::size_t skip = 0; skip <= name.size(); ++skip) {
      if (Matches(mask.substr(1), name.substr(skip))) return true;
    }
    return false;
  }
  return !name.empty() && mask.front() == name.front() && Matches(mask.substr(1), name.substr(1));
}

class FakeOutputFile final : public platform::OutputFile {
public:
  FakeOutputFile(FakeFileSystem& files, std::string name) : m_files(files), m_name(std::move(name)) {}

  long Write(const std::string& bytes, std::size_t* written) override {
    FakeFileSystem::WriteAnswer answer;
    if (!m_files.writeAnswers.empty()) {
      answer = m_files.writeAnswers.front();
      m_files.writeAnswers.pop_front();
    }
    *written = std::min(bytes.size(), answer.stored);
    m_files.outputFiles[m_name].append(bytes, 0, *written);
    return answer.code;
  }

  long Flush() override { return 0; }

private:
  FakeFileSystem& m_files;
  std::string m_name;
};

}  // namespace

void FakeFileSystem::AddFolder(const std::string& path) {
  for (std::size_t end = path.find('\\'); end != std::string::npos; end = path.find('\\', end + 1)) {
    m_folders.push_back(Folded(path.substr(0, end)));
  }
  m_folders.push_back(Folded(path));
}

void FakeFileSystem::AddFile(const std::string& path, std::uint64_t size, std::optional<platform::FileVersion> version) {
  AddFolder(FolderOf(path));
  m_files.push_back({path, size, version});
}

void FakeFileSystem::RemoveFile(const std::string& path) {
  std::erase_if(m_files, [&](const File& file) { return Folded(file.path) == Folded(path); });
}

void FakeFileSystem::SetExistsError(const std::string& path, int error) { m_existsErrors[Folded(path)] = error; }

const FakeFileSystem::File* FakeFileSystem::FindFile(const std::string& path) const {
  const auto file = std::ranges::find_if(m_files, [&](const File& f) { return Folded(f.path) == Folded(path); });
  return file == m_files.end() ? nullptr : &*file;
}

std::vector<platform::FoundFile> FakeFileSystem::FindFiles(const std::string& pattern) {
  const std::string folder = Folded(FolderOf(pattern));
  const std::string mask = Folded(NameOf(pattern));
  std::vector<platform::FoundFile> found;
  for (const File& file : m_files) {
    if (Folded(FolderOf(file.path)) == folder && Matches(mask, Folded(NameOf(file.path)))) {
      found.push_back({NameOf(file.path), file.size});
    }
  }
  return found;
}

bool FakeFileSystem::Exists(const std::string& path, int* error) {
  const std::string folded = Folded(path);
  if (const auto set = m_existsErrors.find(folded); set != m_existsErrors.end()) {
    *error = set->second;
    return false;
  }
  if (!path.empty() && (FindFile(path) || std::ranges::find(m_folders, folded) != m_folders.end())) return true;
  *error = kNoEntry;
  return false;
}

std::optional<platform::FileVersion> FakeFileSystem::ReadVersion(const std::string& path) {
  const File* file = FindFile(path);
  return file ? file->version : std::nullopt;
}

long FakeFileSystem::CreateOutputFile(const std::string& name, std::unique_ptr<platform::OutputFile>* file) {
  if (const auto error = createErrors.find(name); error != createErrors.end()) return error->second;
  outputFiles[name].clear();
  *file = std::make_unique<FakeOutputFile>(*this, name);
  return 0;
}

long FakeFileSystem::CreateTempFile(const std::string& folder, std::string* name,
                                    std::unique_ptr<platform::OutputFile>* file) {
  if (const auto error = createErrors.find(folder); error != createErrors.end()) return error->second;
  *name = folder + "mdg" + std::to_string(++m_tempFiles) + ".tmp";
  return CreateOutputFile(*name, file);
}

long FakeFileSystem::MoveReplacing(const std::string& from, const std::string& to) {
  if (const auto error = moveErrors.find(to); error != moveErrors.end()) return error->second;
  const auto source = outputFiles.find(from);
  if (source == outputFiles.end()) return kNoEntry;
  outputFiles[to] = std::move(source->second);
  outputFiles.erase(from);
  return 0;
}

long FakeFileSystem::MoveNew(const std::string& from, const std::string& to) {
  if (outputFiles.contains(to) || FindFile(to)) return platform::kErrorAlreadyExists;
  return MoveReplacing(from, to);
}

long FakeFileSystem::Delete(const std::string& path) { return outputFiles.erase(path) ? 0 : kNoEntry; }
