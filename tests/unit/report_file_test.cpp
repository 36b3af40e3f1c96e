#include "report/report_file.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "fakes/fake_file_system.h"
#include "fakes/fake_system.h"

namespace {

TEST(ReportFileTest, NameCarriesTheComputerAndAZeroPaddedLocalTime) {
  EXPECT_EQ(ReportFileName("HELPDESK-PC", {2026, 12, 10, 9, 5, 7, {}}), "MendrelDiag-HELPDESK-PC-20261210-090507.txt");
  EXPECT_EQ(ReportFileName("A", {2027, 1, 2, 23, 59, 0, {}}), "MendrelDiag-A-20270102-235900.txt");
}

TEST(ReportFileTest, BytesAreTheReportInUtf8AfterAByteOrderMark) {
  EXPECT_EQ(ReportFileBytes("검사 완료\r\n"), "\xEF\xBB\xBF검사 완료\r\n");
  EXPECT_EQ(ReportFileBytes(""), "\xEF\xBB\xBF");
}

// Every way a save can fail leaves the old file as it was and no temporary file behind.
TEST(ReportFileTest, AFailedWriteKeepsTheOldFileAndCleansUp) {
  const std::string path = R"(C:\Users\me\Documents\report.txt)";
  const struct {
    const char* name;
    long createError;                    // for the folder
    long writeError;                     // of the one write
    std::size_t stored;                  // bytes the write takes
    long moveError;                      // onto the destination
    long expected;
  } cases[] = {
      {"saved", 0, 0, std::string::npos, 0, 0},
      {"folder gone", 3, 0, std::string::npos, 0, 3},
      {"disk full", 0, 112, 0, 0, 112},
      {"short write", 0, 0, 4, 0, 112},
      {"destination read-only", 0, 0, std::string::npos, 5, 5},
      {"destination held open", 0, 0, std::string::npos, 32, 32},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFileSystem files;
    files.outputFiles[path] = "old";
    if (c.createError) files.createErrors[R"(C:\Users\me\Documents\)"] = c.createError;
    files.writeAnswers.push_back({c.writeError, c.stored});
    if (c.moveError) files.moveErrors[path] = c.moveError;

    EXPECT_EQ(WriteFileReplacing(files, path, "new report"), c.expected);
    EXPECT_EQ(files.outputFiles[path], c.expected == 0 ? "new report" : "old");
    EXPECT_EQ(files.outputFiles.size(), 1u);
  }
}

// A new file never takes the place of one already there, but the first free name after it; a
// failure leaves no file behind.
TEST(ReportFileTest, ANewFileTakesTheFirstFreeName) {
  const struct {
    const char* path;
    std::vector<std::string> taken;
    const char* written;
    long moveError = 0;  // onto the first name
  } cases[] = {
      {R"(C:\out\undo.reg)", {}, R"(C:\out\undo.reg)"},
      {R"(C:\out\undo.reg)", {R"(C:\out\undo.reg)", R"(C:\out\undo-2.reg)"}, R"(C:\out\undo-3.reg)"},
      {"undo.reg", {"undo.reg"}, "undo-2.reg"},
      {R"(C:\a.b\undo)", {R"(C:\a.b\undo)"}, R"(C:\a.b\undo-2)"},
      {R"(C:\out\undo.reg)", {}, R"(C:\out\undo.reg)", 32},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written);
    FakeFileSystem files;
    for (const std::string& taken : c.taken) files.outputFiles[taken] = "earlier " + taken;
    if (c.moveError) files.moveErrors[c.path] = c.moveError;
    std::string written;

    EXPECT_EQ(WriteNewFile(files, c.path, "new", &written), c.moveError);
    EXPECT_EQ(written, c.written);
    for (const std::string& taken : c.taken) EXPECT_EQ(files.outputFiles[taken], "earlier " + taken);
    const auto file = files.outputFiles.find(written);
    EXPECT_EQ(file != files.outputFiles.end() ? file->second : "none", c.moveError == 0 ? "new" : "none");
    EXPECT_EQ(files.outputFiles.size(), c.taken.size() + (c.moveError == 0 ? 1 : 0));
  }
}

TEST(ReportFileTest, TheTemporaryFileLiesInTheDestinationsFolder) {
  const struct {
    const char* path;
    const char* folder;
  } cases[] = {
      {R"(C:\report.txt)", R"(C:\)"},
      {R"(D:\out\report.txt)", R"(D:\out\)"},
      {"report.txt", "."},
      {"C:report.txt", "C:"},
  };
  for (const auto& c : cases) {
    FakeFileSystem files;
    files.createErrors[c.folder] = 3;
    EXPECT_EQ(WriteFileReplacing(files, c.path, "x"), 3) << c.path;
  }
}

TEST(ReportFileTest, AFailedSaveIsAMessageNamingTheFileAndTheReason) {
  FakeFileSystem files;
  FakeSystem system;
  system.messages[5] = "액세스가 거부되었습니다.\r\n";
  const std::string path = R"(C:\locked\report.txt)";
  files.moveErrors[path] = 5;
  EXPECT_EQ(SaveReport(files, system, path, "r"),
            "보고서를 저장하지 못했습니다.\r\n\r\n파일 : C:\\locked\\report.txt\r\n사유 : 액세스가 거부되었습니다.");
  files.moveErrors[path] = 1234;
  EXPECT_EQ(SaveReport(files, system, path, "r"), "보고서를 저장하지 못했습니다.\r\n\r\n파일 : C:\\locked\\report.txt\r\n사유 : 오류 코드 1234");
  files.moveErrors.clear();
  EXPECT_EQ(SaveReport(files, system, path, "r"), "");
  EXPECT_EQ(files.outputFiles[path], "\xEF\xBB\xBFr");
}

}  // namespace
