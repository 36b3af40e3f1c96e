#include "app/unattended_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "client_fixture.h"
#include "repair/file_error.h"

namespace {

using Mode = CommandLine::Mode;

TEST(CommandLineTest, ReadsTheModeHostAndReportFile) {
  const struct {
    std::vector<std::string> arguments;
    Mode mode;
    const char* host;
    const char* outPath;
  } cases[] = {
      {{}, Mode::dialog, "", ""},
      {{"/?"}, Mode::usage, "", ""},
      {{"/check", "/?"}, Mode::usage, "", ""},
      {{"/check"}, Mode::check, "", ""},
      {{"/CHECK", "127.0.0.1:8080"}, Mode::check, "127.0.0.1:8080", ""},
      {{"/check", "/out", R"(C:\보고서\r.txt)"}, Mode::check, "", R"(C:\보고서\r.txt)"},
      {{"/Check", "h", "/OUT", "r.txt"}, Mode::check, "h", "r.txt"},
      {{"/check", ""}, Mode::check, "", ""},
      {{"/check", "/out"}, Mode::invalid, "", ""},
      {{"/check", "/out", ""}, Mode::invalid, "", ""},
      {{"/check", "h", "extra"}, Mode::invalid, "", ""},
      {{"/check", "/out", "r.txt", "/out", "s.txt"}, Mode::invalid, "", ""},
      {{"/check", "/bogus"}, Mode::invalid, "", ""},
      {{"h"}, Mode::invalid, "", ""},
      {{"/out", "r.txt", "/check"}, Mode::invalid, "", ""},
  };
  for (const auto& c : cases) {
    std::string shown;
    for (const std::string& argument : c.arguments) shown += "[" + argument + "]";
    const CommandLine command = ParseCommandLine(c.arguments);
    EXPECT_EQ(command.mode, c.mode) << shown;
    if (c.mode != Mode::check) continue;
    EXPECT_EQ(command.host, c.host) << shown;
    EXPECT_EQ(command.outPath, c.outPath) << shown;
  }
}

// The fixture's PC, checked without the dialog.
struct UnattendedCheck : testing::Test, ClientFixture {
  ReportOnlyView reportOnly{""};
  DiagSession unattended{Ports{registry, com, files, system, xmlHttp, ipHelper, volumes, devices, shell, reportOnly}};
  std::string failure;

  int Run(const std::string& outPath) { return RunUnattendedCheck(unattended, files, system, outPath, &failure); }
};

TEST_F(UnattendedCheck, ExitsWithTheResultCodeAndWritesTheReportTheDialogWouldShow) {
  view.answers = {true};
  session.OnStartCheck();
  EXPECT_EQ(Run(R"(C:\out\report.txt)"), 0);
  EXPECT_EQ(failure, "");
  EXPECT_EQ(files.outputFiles[R"(C:\out\report.txt)"], "\xEF\xBB\xBF" + session.Report().Text());

  // Without a file name, the standard one in the current folder; a broken PC gives its code.
  registry.DeleteKey(platform::kLocalMachine, client::kProductKey);
  EXPECT_EQ(Run(""), 1);
  EXPECT_NE(files.outputFiles["MendrelDiag-HELPDESK-PC-20261210-090507.txt"].find("새로 설치하는 것을 권장합니다."),
            std::string::npos);
}

TEST_F(UnattendedCheck, ARepairFileThatCannotBeWrittenEndsTheReportWithTheReason) {
  registry.DeleteKey(platform::kClassesRoot, client::kHandlerKey);
  files.createErrors["PROTOCOL_Handler.reg"] = 5;
  EXPECT_EQ(Run("r.txt"), kExitRepairFileFailed);
  const std::string& written = files.outputFiles["r.txt"];
  const FileError error(FileError::Cause::accessDenied, "PROTOCOL_Handler.reg");
  EXPECT_TRUE(written.ends_with(Transcript("{--}\n") + error.Message() + "\r\n")) << written;
}

TEST_F(UnattendedCheck, AReportThatCannotBeWrittenIsTold) {
  files.createErrors[R"(C:\gone\)"] = 3;
  EXPECT_EQ(Run(R"(C:\gone\r.txt)"), kExitReportNotWritten);
  EXPECT_NE(failure.find(R"(C:\gone\r.txt)"), std::string::npos);
  EXPECT_EQ(files.outputFiles.count(R"(C:\gone\r.txt)"), 0u);
}

}  // namespace
