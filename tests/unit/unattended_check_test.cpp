#include "session/unattended_check.h"

#include <gtest/gtest.h>

#include <fstream>
#include <new>
#include <set>
#include <stdexcept>
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
    const char* jsonPath = "";
  } cases[] = {
      {{}, Mode::dialog, "", ""},
      {{"/?"}, Mode::usage, "", ""},
      {{"/check", "/?"}, Mode::usage, "", ""},
      {{"/check"}, Mode::check, "", ""},
      {{"/CHECK", "127.0.0.1:8080"}, Mode::check, "127.0.0.1:8080", ""},
      {{"/check", "/out", R"(C:\보고서\r.txt)"}, Mode::check, "", R"(C:\보고서\r.txt)"},
      {{"/Check", "h", "/OUT", "r.txt"}, Mode::check, "h", "r.txt"},
      {{"/check", ""}, Mode::check, "", ""},
      {{"/check", "h", "/out", "r.txt", "/JSON", "r.json"}, Mode::check, "h", "r.txt", "r.json"},
      {{"/check", "/json", "r.json"}, Mode::check, "", "", "r.json"},
      {{"/check", "/out"}, Mode::invalid, "", ""},
      {{"/check", "/out", ""}, Mode::invalid, "", ""},
      {{"/check", "/json"}, Mode::invalid, "", ""},
      {{"/check", "/json", "r.json", "/out", "r.txt"}, Mode::invalid, "", ""},
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
    EXPECT_EQ(command.jsonPath, c.jsonPath) << shown;
  }
}

TEST(CommandLineTest, ReadsTheCleanupAndItsReportFile) {
  const struct {
    std::vector<std::string> arguments;
    Mode mode;
    const Cleanup* cleanup;
    const char* outPath;
  } cases[] = {
      {{"/cleanup", "regular"}, Mode::cleanup, &kRegularUserCleanup, ""},
      {{"/CleanUp", "STANDARD", "/out", "r.txt"}, Mode::cleanup, &kStandardUserCleanup, "r.txt"},
      {{"/cleanup"}, Mode::invalid, nullptr, ""},
      {{"/cleanup", "all"}, Mode::invalid, nullptr, ""},
      {{"/cleanup", "/out", "r.txt"}, Mode::invalid, nullptr, ""},
      {{"/cleanup", "regular", "extra"}, Mode::invalid, nullptr, ""},
      {{"/cleanup", "regular", "/out"}, Mode::invalid, nullptr, ""},
      {{"/cleanup", "regular", "/json", "r.json"}, Mode::cleanup, &kRegularUserCleanup, ""},
  };
  for (const auto& c : cases) {
    const CommandLine command = ParseCommandLine(c.arguments);
    EXPECT_EQ(command.mode, c.mode) << c.arguments.size();
    if (c.mode != Mode::cleanup) continue;
    EXPECT_EQ(command.cleanup, c.cleanup);
    EXPECT_EQ(command.outPath, c.outPath);
  }
}

CommandLine CleanupCommand(const Cleanup& cleanup, const std::string& outPath) {
  CommandLine command;
  command.mode = CommandLine::Mode::cleanup;
  command.cleanup = &cleanup;
  command.outPath = outPath;
  return command;
}

// A clean-up without the dialog: the same report as the dialog's, the undo file beside it.
TEST(UnattendedCleanupTest, WritesTheDialogsReportAndExitsWithTheRowsOutcome) {
  for (const Cleanup* cleanup : {&kRegularUserCleanup, &kStandardUserCleanup}) {
    FakePorts dialog;
    FakePorts script;
    for (FakePorts* pc : {&dialog, &script}) {
      for (const std::string& key : KeysOf(cleanup->list)) pc->registry.SetString(cleanup->list.root, key, "", "x");
    }
    dialog.view.answers = {true};
    (cleanup == &kRegularUserCleanup ? dialog.session.OnCleanupRegularUsers() : dialog.session.OnCleanupStandardUsers());

    ReportOnlyView reportOnly("", ConfirmationOf(*cleanup));
    DiagSession unattended(script.ports, reportOnly);
    std::string failure;
    EXPECT_EQ(RunUnattendedCleanup(unattended, CleanupCommand(*cleanup, ""), &failure), 0) << cleanup->kind;
    EXPECT_EQ(failure, "");
    const std::string name = "MendrelDiag-undo-" + std::string(cleanup->kind) + "-HELPDESK-PC-20261210-090507.reg";
    std::string expected = "\xEF\xBB\xBF" + dialog.session.Report().Text();
    const std::string documents = R"(C:\Users\helpdesk\Documents\)";
    expected.replace(expected.find(documents), documents.size(), R"(C:\work\)");
    EXPECT_EQ(script.files.outputFiles["MendrelDiag-HELPDESK-PC-20261210-090507.txt"], expected);
    EXPECT_EQ(script.files.outputFiles[R"(C:\work\)" + name], dialog.files.outputFiles[documents + name]);
    EXPECT_FALSE(script.files.outputFiles[R"(C:\work\)" + name].empty());
  }
}

TEST(UnattendedCleanupTest, ExitStatusesTellTheOutcome) {
  const Cleanup& cleanup = kStandardUserCleanup;
  const std::string product = R"(SOFTWARE\Veltora\CALYRAWebV7)";
  const struct {
    const char* name;
    void (*breakIt)(FakePorts&, const std::string& product);
    int status;
    bool removed;
  } cases[] = {
      // The rows of a parent that does not exist fail, yet leave no key of theirs.
      {"OtherParentsMissing", [](FakePorts&, const std::string&) {}, 0, true},
      {"MachineWideOnly",
       [](FakePorts& pc, const std::string& key) {
         for (const std::string& listed : KeysOf(kStandardUserCleanup.list)) {
           pc.registry.SetString(platform::kLocalMachine, listed, "", "x");
         }
         pc.registry.DeleteKey(platform::kCurrentUser, key + R"(\Locked)");
         pc.registry.DeleteKey(platform::kCurrentUser, key);
       },
       0, true},
      {"KeyDenied", [](FakePorts& pc, const std::string& key) { pc.registry.DenyDelete(platform::kCurrentUser, key); },
       11, false},
      // Opening the parent for writing refused: its keys may well be there.
      {"ParentDenied",
       [](FakePorts& pc, const std::string&) { pc.registry.DenyWrite(platform::kCurrentUser, R"(SOFTWARE\Veltora)"); },
       11, false},
      {"NameWithALineBreak",
       [](FakePorts& pc, const std::string& key) { pc.registry.CreateKey(platform::kCurrentUser, key + "\\Two\nLines"); },
       12, false},
      {"UndoFileNotWritten",
       [](FakePorts& pc, const std::string&) {
         pc.files.moveErrors[R"(C:\out\MendrelDiag-undo-standard-HELPDESK-PC-20261210-090507.reg)"] = 32;
       },
       12, false},
      {"ReportNotWritten", [](FakePorts& pc, const std::string&) { pc.files.moveErrors[R"(C:\out\r.txt)"] = 5; }, 10,
       true},
      // A folder without rights fails both files: the status says that nothing was removed.
      {"NeitherWritten",
       [](FakePorts& pc, const std::string&) {
         pc.files.moveErrors[R"(C:\out\MendrelDiag-undo-standard-HELPDESK-PC-20261210-090507.reg)"] = 5;
         pc.files.moveErrors[R"(C:\out\r.txt)"] = 5;
       },
       12, false},
  };
  for (const auto& c : cases) {
    FakePorts pc;
    pc.registry.CreateKey(platform::kCurrentUser, product + R"(\Locked)");
    c.breakIt(pc, product);
    ReportOnlyView reportOnly("", ConfirmationOf(cleanup));
    DiagSession unattended(pc.ports, reportOnly);
    std::string failure;
    EXPECT_EQ(RunUnattendedCleanup(unattended, CleanupCommand(cleanup, R"(C:\out\r.txt)"), &failure), c.status) << c.name;
    EXPECT_EQ(pc.registry.KeyExists(platform::kCurrentUser, product), !c.removed) << c.name;
  }
}

TEST(UnattendedCleanupTest, WhenNeitherFileIsWrittenTheCallerHearsOfBoth) {
  FakePorts pc;
  pc.registry.CreateKey(platform::kCurrentUser, R"(SOFTWARE\Veltora\CALYRAWebV7)");
  pc.system.messages[5] = "액세스가 거부되었습니다.\r\n";
  pc.files.moveErrors[R"(C:\out\MendrelDiag-undo-standard-HELPDESK-PC-20261210-090507.reg)"] = 5;
  pc.files.moveErrors[R"(C:\out\r.txt)"] = 5;
  ReportOnlyView reportOnly("", Question::cleanupStandard);
  DiagSession unattended(pc.ports, reportOnly);
  std::string failure;
  ASSERT_EQ(RunUnattendedCleanup(unattended, CleanupCommand(kStandardUserCleanup, R"(C:\out\r.txt)"), &failure), 12);
  EXPECT_NE(failure.find(R"(C:\out\MendrelDiag-undo-standard-HELPDESK-PC-20261210-090507.reg)"), std::string::npos) << failure;
  EXPECT_NE(failure.find(R"(C:\out\r.txt)"), std::string::npos) << failure;
}

// Without /out the files go into the current folder, but never into the system folder of either
// view: an elevated prompt or a SYSTEM job starts there, and a 32-bit program's files would not be
// where the report says.
TEST(UnattendedCleanupTest, NeverWritesIntoTheSystemFolderByDefault) {
  const std::string report = "MendrelDiag-HELPDESK-PC-20261210-090507.txt";
  const std::string undo = "MendrelDiag-undo-standard-HELPDESK-PC-20261210-090507.reg";
  const std::string documents = R"(C:\Users\helpdesk\Documents\)";
  const struct {
    const char* currentFolder;
    std::string folder;  // where both files go
  } cases[] = {
      {R"(C:\work)", R"(C:\work\)"},
      {R"(C:\WINDOWS\system32)", documents},
      {R"(C:\Windows\SysWOW64)", documents},
  };
  for (const auto& c : cases) {
    FakePorts pc;
    pc.files.currentFolder = c.currentFolder;
    pc.registry.CreateKey(platform::kCurrentUser, R"(SOFTWARE\Veltora\CALYRAWebV7)");
    ReportOnlyView reportOnly("", Question::cleanupStandard);
    DiagSession unattended(pc.ports, reportOnly);
    std::string failure;
    RunUnattendedCleanup(unattended, CleanupCommand(kStandardUserCleanup, ""), &failure);
    EXPECT_TRUE(pc.files.outputFiles.contains(c.folder + undo)) << c.currentFolder;
    const std::string reportKey = c.folder == documents ? documents + report : report;
    ASSERT_TRUE(pc.files.outputFiles.contains(reportKey)) << c.currentFolder;
    EXPECT_NE(pc.files.outputFiles[reportKey].find(c.folder + undo), std::string::npos) << c.currentFolder;
  }
}

// The fixture's PC, checked without the dialog.
struct UnattendedCheck : testing::Test, ClientFixture {
  ReportOnlyView reportOnly{""};
  DiagSession unattended{ports, reportOnly};
  std::string failure;

  int Run(const std::string& outPath, const std::string& jsonPath = "") {
    CommandLine command;
    command.outPath = outPath;
    command.jsonPath = jsonPath;
    return RunUnattendedCheck(unattended, command, &failure);
  }
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
  EXPECT_EQ(Run("r.txt"), 9);
  const std::string& written = files.outputFiles["r.txt"];
  const FileError error(FileError::Cause::accessDenied, "PROTOCOL_Handler.reg");
  EXPECT_TRUE(written.ends_with(Transcript("{--}\n") + error.Message() + "\r\n")) << written;
}

TEST_F(UnattendedCheck, AReportThatCannotBeWrittenIsTold) {
  files.createErrors[R"(C:\gone\)"] = 3;
  EXPECT_EQ(Run(R"(C:\gone\r.txt)"), 10);
  EXPECT_NE(failure.find(R"(C:\gone\r.txt)"), std::string::npos);
  EXPECT_EQ(files.outputFiles.count(R"(C:\gone\r.txt)"), 0u);
}

TEST_F(UnattendedCheck, ABrokenProtocolHandlerEndsWithItsCodeAndItsRepairFile) {
  registry.DeleteKey(platform::kClassesRoot, client::kHandlerKey);
  EXPECT_EQ(Run("r.txt"), 2);
  EXPECT_TRUE(files.outputFiles.contains("PROTOCOL_Handler.reg"));
}

// A fault of a port, such as memory running out, ends the run with a status of its own, and the
// report keeps what the run found before it.
TEST_F(UnattendedCheck, AnUnexpectedFailureBreaksTheRunOffWithTheReportSoFar) {
  ReportOnlyView withHost{"127.0.0.1:8080"};
  DiagSession checking{ports, withHost};
  xmlHttp.script = [](const std::string&, const std::string&) -> FakeXmlHttp::Answer { throw std::bad_alloc(); };
  CommandLine command;
  command.outPath = "r.txt";
  EXPECT_EQ(RunUnattendedCheck(checking, command, &failure), 1359);
  const std::string& written = files.outputFiles["r.txt"];
  EXPECT_NE(written.find("대상 호스트 : 127.0.0.1:8080\r\n"), std::string::npos) << written;
  EXPECT_TRUE(written.ends_with(BrokenOffLine(std::bad_alloc().what()))) << written;
  EXPECT_EQ(xmlHttp.created, xmlHttp.released);
}

TEST(ReportOnlyViewTest, AnswersOnlyTheQuestionForAnEmptyHost) {
  ReportOnlyView view("");
  EXPECT_TRUE(view.ConfirmYesNo(Question::runWithoutHost, std::string(kNoHostQuestion)));
  EXPECT_THROW(view.ConfirmYesNo(Question::replaceFile, "r.json 파일이 이미 있습니다. 바꾸시겠습니까?"), std::logic_error);
  EXPECT_THROW(view.ConfirmYesNo(Question::cleanupStandard, std::string(kStandardUserCleanup.confirmation)),
               std::logic_error);
}

TEST(ReportOnlyViewTest, ForACleanupAnswersOnlyItsConfirmation) {
  ReportOnlyView view("", ConfirmationOf(kRegularUserCleanup));
  EXPECT_TRUE(view.ConfirmYesNo(Question::cleanupRegular, std::string(kRegularUserCleanup.confirmation)));
  EXPECT_THROW(view.ConfirmYesNo(Question::cleanupStandard, std::string(kStandardUserCleanup.confirmation)),
               std::logic_error);
  EXPECT_THROW(view.ConfirmYesNo(Question::runWithoutHost, std::string(kNoHostQuestion)), std::logic_error);
}

// Each clean-up asks its own question, under its own name.
TEST(ReportOnlyViewTest, EachCleanupIsConfirmedByItsOwnQuestion) {
  EXPECT_EQ(ConfirmationOf(kRegularUserCleanup), Question::cleanupRegular);
  EXPECT_EQ(ConfirmationOf(kStandardUserCleanup), Question::cleanupStandard);
  for (const Cleanup* cleanup : {&kRegularUserCleanup, &kStandardUserCleanup}) {
    FakePorts dialog;
    dialog.session.RunCleanupBeside(*cleanup, R"(C:\out\r.txt)");
    EXPECT_EQ(dialog.view.asked, std::vector<Question>{ConfirmationOf(*cleanup)}) << cleanup->kind;
    EXPECT_EQ(dialog.view.questions, std::vector<std::string>{std::string(cleanup->confirmation)}) << cleanup->kind;
  }
}

// Scripts tell outcomes apart by the status alone: no number may mean two things, and the usage
// says each one.
TEST(ExitStatusTest, EveryStatusIsDistinctAndInTheUsage) {
  std::set<int> seen;
  const std::string usage = UsageText();
  for (const ExitStatusInfo& status : ExitStatuses()) {
    EXPECT_TRUE(seen.insert(status.status).second) << status.status;
    EXPECT_NE(usage.find("\r\n" + std::to_string(status.status) + " : " + std::string(status.meaning) + "\r\n"),
              std::string::npos)
        << status.status;
  }
  EXPECT_EQ(seen, (std::set<int>{-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1359, 1639}));
}

#ifdef DIAG_README
// The README's table is what scripts are written against: the same statuses, none missing.
TEST(ExitStatusTest, TheReadmeTableListsTheSameStatuses) {
  std::ifstream readme(DIAG_README);
  ASSERT_TRUE(readme) << DIAG_README;
  std::set<int> documented;
  bool inTable = false;
  for (std::string line; std::getline(readme, line);) {
    if (line.starts_with("| exit status")) inTable = true;
    else if (inTable && !line.starts_with("|")) break;
    else if (inTable && line.starts_with("| `")) documented.insert(std::stoi(line.substr(3)));
  }
  std::set<int> statuses;
  for (const ExitStatusInfo& status : ExitStatuses()) statuses.insert(status.status);
  EXPECT_EQ(documented, statuses);
}
#endif

}  // namespace
