#include "platform/win32/win32_files.h"

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using platform::FileVersion;
using platform::FoundFile;
using testing::ElementsAre;
using testing::UnorderedElementsAre;

MATCHER_P2(IsFound, name, size, "") { return arg.name == name && arg.size == size; }

// A scratch folder of this process under the temporary folder, removed with its files at the end.
class FilesTest : public testing::Test {
protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    m_folder = std::string(temp) + "adp-files-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(m_folder.c_str(), nullptr));
  }
  void TearDown() override {
    WIN32_FIND_DATAA entry{};
    const HANDLE search = FindFirstFileA((m_folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileA((m_folder + "\\" + entry.cFileName).c_str());
      } while (FindNextFileA(search, &entry));
      FindClose(search);
    }
    EXPECT_TRUE(RemoveDirectoryA(m_folder.c_str()));
  }

  std::string PathOf(const std::string& name) const { return m_folder + "\\" + name; }
  void MakeFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(PathOf(name), std::ios::binary) << bytes;
  }

  platform::win32::Win32FileSystem m_files;
  std::string m_folder;
};

TEST_F(FilesTest, FindFilesGivesNamesAndSizesOfWhatMatches) {
  MakeFile("VeltoraWebIface.dll", "0123456789");
  MakeFile("VeltoraWebIface2.dll", "");
  MakeFile("VeltoraWebIface.txt", "x");
  MakeFile("VeltoraWebCore.dll", "x");

  EXPECT_THAT(m_files.FindFiles(PathOf("VeltoraWebIface*.dll")),
              UnorderedElementsAre(IsFound("VeltoraWebIface.dll", 10u), IsFound("VeltoraWebIface2.dll", 0u)));
  EXPECT_THAT(m_files.FindFiles(PathOf("VelPubCert*.dll")), ElementsAre());
  EXPECT_THAT(m_files.FindFiles(PathOf("missing\\*.dll")), ElementsAre());
}

TEST_F(FilesTest, FindFilesGivesSizesBeyondFourGigabytes) {
  const HANDLE file = CreateFileA(PathOf("large.dll").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  LARGE_INTEGER size{};
  size.QuadPart = 0x100000007LL;  // sparse on the host: nothing is written
  EXPECT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN));
  EXPECT_TRUE(SetEndOfFile(file));
  CloseHandle(file);

  EXPECT_THAT(m_files.FindFiles(PathOf("*.dll")), ElementsAre(IsFound("large.dll", 0x100000007u)));
}

TEST_F(FilesTest, ExistsSaysYesOrNoAndWhyNot) {
  MakeFile("present.dll", "x");
  const struct {
    const char* name;
    std::string path;
    bool exists;
    int error;  // left as it was when the path exists
  } cases[] = {
      {"file", PathOf("present.dll"), true, -1},
      {"folder", m_folder, true, -1},
      {"missing file", PathOf("absent.dll"), false, ENOENT},
      {"missing folder on the path", PathOf("absent\\present.dll"), false, ENOENT},
      {"empty path", "", false, ENOENT},
  };
  for (const auto& c : cases) {
    int error = -1;
    EXPECT_EQ(m_files.Exists(c.path, &error), c.exists) << c.name;
    EXPECT_EQ(error, c.error) << c.name;
  }
}

TEST_F(FilesTest, ReadVersionGivesTheFixedFileVersion) {
  // As built, before the installer gives a copy its own version.
  const std::optional<FileVersion> version = m_files.ReadVersion(DIAG_DOUBLES_DIR "/Uninst.exe");
  ASSERT_TRUE(version.has_value());
  EXPECT_EQ(version->major, 1u);
  EXPECT_EQ(version->minor, 0u);
  EXPECT_EQ(version->build, 0u);
  EXPECT_EQ(version->revision, 0u);
}

TEST_F(FilesTest, ReadVersionGivesNothingWithoutAVersionResource) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  MakeFile("empty.dll", "");
  MakeFile("text.dll", "not a module");

  EXPECT_FALSE(m_files.ReadVersion(self).has_value()) << "a module without one";
  EXPECT_FALSE(m_files.ReadVersion(PathOf("empty.dll")).has_value());
  EXPECT_FALSE(m_files.ReadVersion(PathOf("text.dll")).has_value());
  EXPECT_FALSE(m_files.ReadVersion(PathOf("absent.dll")).has_value());
}

// The repair files go into the current folder by bare name.
class OutputFileTest : public FilesTest {
protected:
  void SetUp() override {
    FilesTest::SetUp();
    GetCurrentDirectoryA(MAX_PATH, m_previous);
    ASSERT_TRUE(SetCurrentDirectoryA(m_folder.c_str()));
  }
  void TearDown() override {
    SetCurrentDirectoryA(m_previous);
    FilesTest::TearDown();
  }

  std::string Contents(const std::string& name) const {
    std::ifstream in(PathOf(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  char m_previous[MAX_PATH] = {};
};

TEST_F(OutputFileTest, WritesAndClosesWhenReleased) {
  std::unique_ptr<platform::OutputFile> file;
  ASSERT_EQ(m_files.CreateOutputFile("VelUpdCtl.reg", &file), 0);
  std::size_t written = 0;
  EXPECT_EQ(file->Write("REGEDIT4\r\n\r\n", &written), 0);
  EXPECT_EQ(written, 12u);
  EXPECT_EQ(file->Write("[HKEY_CLASSES_ROOT]\r\n", &written), 0);
  EXPECT_EQ(written, 21u);

  // Not shared while open.
  std::unique_ptr<platform::OutputFile> second;
  EXPECT_EQ(m_files.CreateOutputFile("VelUpdCtl.reg", &second), ERROR_SHARING_VIOLATION);
  EXPECT_EQ(second, nullptr);

  file.reset();
  EXPECT_EQ(Contents("VelUpdCtl.reg"), "REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT]\r\n");
}

TEST_F(OutputFileTest, CreatingAgainEmptiesTheFile) {
  MakeFile("PROTOCOL_Handler.reg", "an older repair file");
  std::unique_ptr<platform::OutputFile> file;
  ASSERT_EQ(m_files.CreateOutputFile("PROTOCOL_Handler.reg", &file), 0);
  file.reset();
  EXPECT_EQ(Contents("PROTOCOL_Handler.reg"), "");
}

TEST_F(OutputFileTest, CreateGivesThePlatformErrorCode) {
  std::unique_ptr<platform::OutputFile> file;
  EXPECT_EQ(m_files.CreateOutputFile("absent\\VelUpdCtl.reg", &file), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(file, nullptr);
}

// The undo file's way into place: a file already there keeps its name and its bytes.
TEST_F(FilesTest, MoveNewNeverReplaces) {
  MakeFile("first.reg", "first");
  MakeFile("second.tmp", "second");
  EXPECT_EQ(m_files.MoveNew(PathOf("second.tmp"), PathOf("first.reg")), ERROR_ALREADY_EXISTS);
  EXPECT_TRUE(m_files.Exists(PathOf("second.tmp")));
  EXPECT_EQ(m_files.MoveNew(PathOf("second.tmp"), PathOf("first-2.reg")), 0);
  EXPECT_FALSE(m_files.Exists(PathOf("second.tmp")));
  std::ifstream first(PathOf("first.reg"), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(first), {}), "first");
}

}  // namespace
