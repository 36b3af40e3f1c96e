// The verdict for each code of a check run, the removal of the kill-bit keys, and the session that
// carries both out.
#include "checks/verdict.h"

#include <gtest/gtest.h>

#include "client_fixture.h"
#include "repair/file_error.h"
#include "repair/kill_bit.h"
#include "repair/repair_files.h"

namespace {

using namespace client;

const std::string kUserKey = std::string(R"(Software\Microsoft\Windows\CurrentVersion\Ext\Settings\)") + kUpdaterClass;
const std::string kMachineKey =
    std::string(R"(Software\Microsoft\Internet Explorer\ActiveX Compatibility\)") + kUpdaterClass;

const std::string kUserKeyStays =
    R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Ext\Settings\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D} 키 삭제에 실패하였습니다.레지스트리 편집기에서 삭제하여 주시기 바랍니다.)";
const std::string kMachineKeyStays =
    R"(HKEY_LOCAL_MACHINE\Software\Microsoft\Internet Explorer\ActiveX Compatibility\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D} 키 삭제에 실패하였습니다.레지스트리 편집기에서 삭제하여 주시기 바랍니다.)";

struct VerdictCase {
  const char* name;
  int code;  // unknown ones too: a code from outside passes through unchanged
  const char* advice;      // the line, or null
  const char* repairFile;  // written before the line, or null
  bool removesKillBitKeys;
};
void PrintTo(const VerdictCase& c, std::ostream* os) { *os << c.name; }

class VerdictTable : public testing::TestWithParam<VerdictCase> {};

TEST_P(VerdictTable, GivesTheAdviceTheRepairFileAndTheKillBitRemovalOfItsCode) {
  const VerdictCase& row = GetParam();
  const Verdict verdict = VerdictFor(static_cast<CheckResult>(row.code));
  EXPECT_EQ(verdict.advice, row.advice ? std::vector<std::string>{row.advice} : std::vector<std::string>{});
  EXPECT_EQ(verdict.repairFile, row.repairFile ? row.repairFile : "");
  EXPECT_EQ(RepairFileName(static_cast<CheckResult>(row.code)), verdict.repairFile);
  EXPECT_EQ(verdict.removesKillBitKeys, row.removesKillBitKeys);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, VerdictTable,
    testing::Values(
        VerdictCase{"ServerTestFailed", -1, "***** 테스트 실패 : 일반오류 입니다. 사용자 PC의 환경을 확인하세요.",
                    nullptr, false},
        VerdictCase{"AllPassed", 0, nullptr, nullptr, false},
        VerdictCase{"NotInstalled", 1, "***** CALYRA Web 7.0 클라이언트를 새로 설치하는 것을 권장합니다.", nullptr,
                    false},
        VerdictCase{"ProtocolHandler", 2,
                    "***** 생성된 레지스트리 파일 \"PROTOCOL_Handler.reg\" 를 등록하시고 테스트를 새로 "
                    "진행하시기 바랍니다.",
                    "PROTOCOL_Handler.reg", false},
        VerdictCase{"Updater", 3,
                    "***** 생성된 레지스트리 파일 \"VelUpdCtl.reg\" 를 등록하시고 테스트를 새로 진행하시기 바랍니다.",
                    "VelUpdCtl.reg", false},
        VerdictCase{"Interface", 4,
                    "***** 생성된 레지스트리 파일 \"VeltoraWebIface_CLSID.reg\" 를 등록하시고 테스트를 새로 "
                    "진행하시기 바랍니다.",
                    "VeltoraWebIface_CLSID.reg", false},
        VerdictCase{"Core", 5,
                    "***** 생성된 레지스트리 파일 \"VeltoraWebCore_CLSID.reg \"를 등록하시고 테스트를 새로 "
                    "진행하시기 바랍니다.",
                    "VeltoraWebCore_CLSID.reg", false},
        VerdictCase{"Tray", 6,
                    "***** 생성된 레지스트리 파일 \"VeltoraWebTray_CLSID.reg \"를 등록하시고 테스트를 새로 "
                    "진행하시기 바랍니다.",
                    "VeltoraWebTray_CLSID.reg", false},
        VerdictCase{"Network", 7, "***** 테스트 실패 : 네트워크 환경으로 인한 오류 입니다. 네트워크 환경을 확인하세요.",
                    nullptr, false},
        VerdictCase{"KillBit", 8,
                    "***** 테스트 실패 : 브라우저의 인터넷 설정으로 인하여 CALYRA Web 7.0 클라이언트의 작동이 "
                    "제한되고 있습니다.",
                    nullptr, true},
        VerdictCase{"UnknownAbove", 9, nullptr, nullptr, false},
        VerdictCase{"UnknownBelow", -2, nullptr, nullptr, false}),
    [](const auto& row) { return std::string(row.param.name); });

// The verdict names a repair file exactly for the codes that have a template.
TEST(VerdictRepairFile, EveryFileItNamesHasATemplateAndEveryTemplateAName) {
  for (int code = -2; code <= 9; ++code) {
    const CheckResult result = static_cast<CheckResult>(code);
    EXPECT_EQ(VerdictFor(result).repairFile.empty(), RepairFileFor(result) == nullptr) << code;
  }
}

TEST(KillBitRemoval, WithoutKeysReportsBothAsStaying) {
  FakeRegistry registry;
  const std::vector<ReportLine> lines = RemoveKillBitKeys(registry);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].level, 0);
  EXPECT_EQ(lines[0].text, "해당 키를 삭제합니다.");
  EXPECT_EQ(lines[1].level, 1);
  EXPECT_EQ(lines[1].text, kUserKeyStays);
  EXPECT_EQ(lines[2].level, 1);
  EXPECT_EQ(lines[2].text, kMachineKeyStays);
  EXPECT_EQ(registry.OpenHandles(), 0);
}

TEST(KillBitRemoval, TriesTheMachineKeyWhenTheUserKeyStays) {
  FakeRegistry registry;
  registry.CreateKey(platform::kCurrentUser, kUserKey + R"(\iexplore)");  // one delete call cannot remove it
  registry.CreateKey(platform::kLocalMachine, kMachineKey);
  const std::vector<ReportLine> lines = RemoveKillBitKeys(registry);

  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].text, kUserKeyStays);
  EXPECT_TRUE(registry.KeyExists(platform::kCurrentUser, kUserKey));
  EXPECT_FALSE(registry.KeyExists(platform::kLocalMachine, kMachineKey));
}

TEST(KillBitRemoval, DeletesTheUserKeyUnderItsRealName) {
  FakeRegistry registry;
  registry.CreateKey(platform::kCurrentUser, kUserKey);
  const std::vector<ReportLine> lines = RemoveKillBitKeys(registry);

  EXPECT_FALSE(registry.KeyExists(platform::kCurrentUser, kUserKey));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].text, kMachineKeyStays);
}

// The session writes the verdict's lines after the separator and records the same lines as the
// run's advice, the kill-bit removal's among them.
TEST(VerdictInTheSession, KillBitAdviceIsEveryLineAfterTheSeparator) {
  ClientFixture f;
  f.registry.CreateKey(platform::kLocalMachine, kMachineKey);
  f.view.host = "h";
  f.session.OnStartCheck();

  EXPECT_TRUE(f.session.Report().Text().ends_with(
      Transcript("{--}\n"
                 "***** 테스트 실패 : 브라우저의 인터넷 설정으로 인하여 CALYRA Web 7.0 클라이언트의 작동이 제한되고 "
                 "있습니다.\n"
                 "해당 키를 삭제합니다.\n"
                 "  -. " + kUserKeyStays + "\n"
                 "\n"
                 "모든 검사 프로세스가 완료되었습니다.\n")))
      << f.session.Report().Text();
  EXPECT_EQ(f.session.Report().Found().advice,
            (std::vector<std::string>{
                "***** 테스트 실패 : 브라우저의 인터넷 설정으로 인하여 CALYRA Web 7.0 클라이언트의 작동이 제한되고 있습니다.",
                "해당 키를 삭제합니다.", kUserKeyStays}));
  EXPECT_TRUE(f.session.Report().Found().repairFiles.empty());
  EXPECT_FALSE(f.registry.KeyExists(platform::kLocalMachine, kMachineKey));
  EXPECT_EQ(f.registry.OpenHandles(), 0);
}

TEST(VerdictInTheSession, ARepairFileIsWrittenAndRecordedBeforeItsAdvice) {
  ClientFixture f;
  f.registry.DeleteKey(platform::kClassesRoot, kHandlerKey);
  f.view.host = "h";
  f.session.OnStartCheck();

  EXPECT_EQ(f.files.outputFiles.size(), 1u);
  EXPECT_TRUE(f.files.outputFiles.contains("PROTOCOL_Handler.reg"));
  const std::string advice =
      "***** 생성된 레지스트리 파일 \"PROTOCOL_Handler.reg\" 를 등록하시고 테스트를 새로 진행하시기 바랍니다.";
  EXPECT_TRUE(f.session.Report().Text().ends_with(
      Transcript("{--}\n" + advice + "\n\n모든 검사 프로세스가 완료되었습니다.\n")));
  EXPECT_EQ(f.session.Report().Found().advice, std::vector<std::string>{advice});
  EXPECT_EQ(f.session.Report().Found().repairFiles.size(), 1u);
}

TEST(VerdictInTheSession, APassedRunHasNoAdvice) {
  ClientFixture f;
  f.view.answers = {true};
  f.session.OnStartCheck();
  EXPECT_TRUE(f.session.Report().Found().advice.empty());
  EXPECT_TRUE(f.session.Report().Found().repairFiles.empty());
  EXPECT_TRUE(f.files.outputFiles.empty());
}

TEST(VerdictRepairFile, FailureToWriteLeavesTheRunWithFileError) {
  ClientFixture f;
  f.registry.DeleteKey(platform::kClassesRoot, kHandlerKey);
  f.files.createErrors["PROTOCOL_Handler.reg"] = 5;
  f.view.host = "h";

  EXPECT_THROW(f.session.OnStartCheck(), FileError);
  EXPECT_TRUE(f.session.Report().Text().ends_with(Transcript("{--}\n")));
  EXPECT_TRUE(f.session.Report().Found().advice.empty());
  EXPECT_TRUE(f.session.Report().Found().repairFiles.empty());
  EXPECT_EQ(f.com.initializeCount, f.com.uninitializeCount);
  EXPECT_EQ(f.registry.OpenHandles(), 0);
}

}  // namespace
