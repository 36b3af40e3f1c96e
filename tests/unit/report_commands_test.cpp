// The system menu's two ways to hand the report over, as the dialog and a run without it share them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "client_fixture.h"

namespace {

struct ReportCommands : testing::Test, FakePorts {
  // A report to hand over: the one of a PC without the product.
  void SetUp() override { view.answers = {true}; session.OnStartCheck(); }
};

TEST_F(ReportCommands, SaveOffersTheStandardNameAndWritesTheChosenFile) {
  view.chosenFile = R"(C:\Users\me\Documents\pc.txt)";
  session.OnSaveReport();
  EXPECT_EQ(view.suggestedNames, std::vector<std::string>{"MendrelDiag-HELPDESK-PC-20261210-090507.txt"});
  EXPECT_EQ(files.outputFiles[R"(C:\Users\me\Documents\pc.txt)"], "\xEF\xBB\xBF" + session.Report().Text());
  EXPECT_TRUE(view.errors.empty());
}

TEST_F(ReportCommands, SaveCancelledWritesNothing) {
  session.OnSaveReport();
  EXPECT_TRUE(files.outputFiles.empty());
  EXPECT_TRUE(view.errors.empty());
}

// The name reaches the file functions as the user typed it, whatever the code page holds.
TEST_F(ReportCommands, SaveKeepsANameOutsideTheCodePage) {
  const std::string path = R"(C:\Users\me\)" + system.outsideCodePage + "Tiếng Việt.txt";
  view.chosenFile = path;
  session.OnSaveReport();
  EXPECT_TRUE(files.outputFiles.contains(path));
  EXPECT_TRUE(view.errors.empty());
}

TEST_F(ReportCommands, AFailedSaveNamesTheFileAndTheReason) {
  system.messages[5] = "액세스가 거부되었습니다.\r\n";
  files.createErrors[R"(C:\Windows\)"] = 5;
  view.chosenFile = R"(C:\Windows\r.txt)";
  session.OnSaveReport();
  EXPECT_EQ(view.errors, std::vector<std::string>{
                             "보고서를 저장하지 못했습니다.\r\n\r\n파일 : C:\\Windows\\r.txt\r\n사유 : 액세스가 거부되었습니다."});
}

TEST_F(ReportCommands, CopyPutsTheWholeReportOnTheClipboardOrSaysItCouldNot) {
  session.OnCopyReport();
  EXPECT_EQ(view.clipboard, session.Report().Text());
  EXPECT_TRUE(view.errors.empty());

  view.clipboardAvailable = false;
  session.OnCopyReport();
  EXPECT_EQ(view.errors, std::vector<std::string>{"보고서를 클립보드에 복사하지 못했습니다. 다른 프로그램이 클립보드를 "
                                                  "쓰고 있다면 잠시 후 다시 시도하세요."});
}

}  // namespace
