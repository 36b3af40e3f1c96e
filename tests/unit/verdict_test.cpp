// The verdict for each code of a check run, and the removal of the kill-bit keys.
#include <gtest/gtest.h>

#include "client_fixture.h"
#include "repair/file_error.h"

namespace {

using namespace client;

struct VerdictCase {
  const char* name;
  int code;  // unknown ones too: a code from outside passes through unchanged
  const char* lines;       // a transcript
  const char* repairFile;  // written before the line, or null
};
void PrintTo(const VerdictCase& c, std::ostream* os) { *os << c.name; }

class Verdict : public testing::TestWithParam<VerdictCase> {};

TEST_P(Verdict, WritesItsLine) {
  ClientFixture f;
  f.session.ShowVerdict(static_cast<CheckResult>(GetParam().code));
  EXPECT_EQ(f.session.Report().Text(), Transcript(GetParam().lines));
  if (GetParam().repairFile) {
    EXPECT_EQ(f.files.outputFiles.size(), 1u);
    EXPECT_TRUE(f.files.outputFiles.contains(GetParam().repairFile));
  } else {
    EXPECT_TRUE(f.files.outputFiles.empty());
  }
  EXPECT_EQ(f.registry.OpenHandles(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, Verdict,
    testing::Values(
        VerdictCase{"ServerTestFailed", -1, "***** 테스트 실패 : 일반오류 입니다. 사용자 PC의 환경을 확인하세요.\n",
                    nullptr},
        VerdictCase{"AllPassed", 0, "", nullptr},
        VerdictCase{"NotInstalled", 1, "***** CALYRA Web 7.0 클라이언트를 새로 설치하는 것을 권장합니다.\n", nullptr},
        VerdictCase{"ProtocolHandler", 2,
                    "***** 생성된 레지스트리 파일 \"PROTOCOL_Handler.reg\" 를 등록하시고 테스트를 새로 "
                    "진행하시기 바랍니다.\n",
                    "PROTOCOL_Handler.reg"},
        VerdictCase{"Updater", 3,
                    "***** 생성된 레지스트리 파일 \"VelUpdCtl.reg\" 를 등록하시고 테스트를 새로 진행하시기 바랍니다.\n",
                    "VelUpdCtl.reg"},
        VerdictCase{"Interface", 4,
                    "***** 생성된 레지스트리 파일 \"VeltoraWebIface_CLSID.reg\" 를 등록하시고 테스트를 새로 "
                    "진행하시기 바랍니다.\n",
                    "VeltoraWebIface_CLSID.reg"},
        VerdictCase{"Core", 5,
                    "***** 생성된 레지스트리 파일 \"VeltoraWebCore_CLSID.reg \"를 등록하시고 테스트를 새로 "
                    "진행하시기 바랍니다.\n",
                    "VeltoraWebCore_CLSID.reg"},
        VerdictCase{"Tray", 6,
                    "***** 생성된 레지스트리 파일 \"VeltoraWebTray_CLSID.reg \"를 등록하시고 테스트를 새로 "
                    "진행하시기 바랍니다.\n",
                    "VeltoraWebTray_CLSID.reg"},
        VerdictCase{"Network", 7,
                    "***** 테스트 실패 : 네트워크 환경으로 인한 오류 입니다. 네트워크 환경을 확인하세요.\n", nullptr},
        VerdictCase{"KillBitWithoutKeys", 8, R"(***** 테스트 실패 : 브라우저의 인터넷 설정으로 인하여 CALYRA Web 7.0 클라이언트의 작동이 제한되고 있습니다.
해당 키를 삭제합니다.
  -. HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Ext\Settings\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D} 키 삭제에 실패하였습니다.레지스트리 편집기에서 삭제하여 주시기 바랍니다.
  -. HKEY_LOCAL_MACHINE\Software\Microsoft\Internet Explorer\ActiveX Compatibility\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D} 키 삭제에 실패하였습니다.레지스트리 편집기에서 삭제하여 주시기 바랍니다.
)",
                    nullptr},
        VerdictCase{"UnknownAbove", 9, "", nullptr}, VerdictCase{"UnknownBelow", -2, "", nullptr}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(KillBitRemoval, TriesTheMachineKeyWhenTheUserKeyStays) {
  ClientFixture f;
  f.registry.CreateKey(platform::kCurrentUser, kAddonKey + R"(\iexplore)");  // one delete call cannot remove it
  f.registry.CreateKey(platform::kLocalMachine, client::kKillBitKey);
  f.session.ShowVerdict(CheckResult::killBitSet);

  EXPECT_TRUE(f.session.Report().Text().ends_with(Transcript(
      R"(해당 키를 삭제합니다.
  -. HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Ext\Settings\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D} 키 삭제에 실패하였습니다.레지스트리 편집기에서 삭제하여 주시기 바랍니다.
)")));
  EXPECT_TRUE(f.registry.KeyExists(platform::kCurrentUser, kAddonKey));
  EXPECT_FALSE(f.registry.KeyExists(platform::kLocalMachine, client::kKillBitKey));
}

TEST(KillBitRemoval, DeletesTheUserKeyUnderItsRealName) {
  ClientFixture f;
  f.registry.CreateKey(platform::kCurrentUser, kAddonKey);
  f.session.ShowVerdict(CheckResult::killBitSet);

  EXPECT_FALSE(f.registry.KeyExists(platform::kCurrentUser, kAddonKey));
  EXPECT_EQ(f.session.Report().Text().find("HKEY_CURRENT_USER"), std::string::npos);
  EXPECT_NE(f.session.Report().Text().find("HKEY_LOCAL_MACHINE"), std::string::npos);
}

TEST(VerdictRepairFile, FailureToWriteLeavesTheRunWithFileError) {
  ClientFixture f;
  f.registry.DeleteKey(platform::kClassesRoot, kHandlerKey);
  f.files.createErrors["PROTOCOL_Handler.reg"] = 5;
  f.view.host = "h";

  EXPECT_THROW(f.session.OnStartCheck(), FileError);
  EXPECT_TRUE(f.session.Report().Text().ends_with(Transcript("{--}\n")));
  EXPECT_EQ(f.com.initializeCount, f.com.uninitializeCount);
  EXPECT_EQ(f.registry.OpenHandles(), 0);
}

}  // namespace
