// Whole check runs over a healthy client: the sequence's sections, the verdict and the closing lines.
#include <gtest/gtest.h>

#include "checks/component_catalogue.h"
#include "client_fixture.h"

namespace {

using namespace client;

// The title and the hardware section of the fixture's PC.
const std::string kOpening = R"(CALYRA Web 7.0 클라이언트 설치 검사를 시작합니다.

{==}
하드웨어 정보 추출 검사
{==}

  -. Network Info ============================
    -. IP Address : 192.168.10.20
    -. Mac Address : 525400123456
    -. Gateway Address : 192.168.10.1
    -. Proxy Address : 

  -. HardWare Info ===========================
    -. HDD Pysical Serial : 
    -. HDD Logical Serial : 1C2D3E4F

검사 완료
)";

// Everything before the server tests, as a healthy client reports it.
const std::string kHealthyInstallation = kOpening + R"(
{==}
설치여부 확인 및 경로 검사
{==}

  -. 설치 경로 : C:\Program Files\Veltora\CALYRA Web 7.0
  -. C:\Program Files\Veltora\CALYRA Web 7.0폴더가 존재합니다.

검사 완료

{==}
기본 레지스트리 키 검사
{==}

  -. 프로토콜 Handler 키 검사
  -. 프로토콜 CLSID : {51BA3E78-ECB2-16F4-A22E-A41505A64625}
  -. 프로토콜 Name-Space 키 검사
  -. 프로토콜 CLSID : {51BA3E78-ECB2-16F4-A22E-A41505A64625}

검사 완료

{==}
인터넷 옵션 설정 검사
{==}

  -. 추가기능 관리 옵션 설정 검사
  -. Kill bit 검사

검사 완료

{==}
업데이트 구성요소 검사
{==}

  -. VelUpdCtl.ocx 검사
    -. 레지스트리 검사
    -. 파일 찾음 - C:\WINDOWS\system32\VelUpdCtl.ocx
    -. 파일 버젼 : 1.0.0.5
    -. 객체 생성 테스트
      -. VelUpdCtl.ocx 객체 생성 테스트 성공

검사 완료

{==}
클라이언트 구성요소 검사
{==}

  -. VeltoraWebIface.dll 검사
    -. VeltoraWebIface.dll
      -. 레지스트리 등록 여부 검사
      -. 파일 찾음 - C:\Program Files\Veltora\CALYRA Web 7.0\VeltoraWebIface.dll
      -. 파일 버젼 : 7.0.1.3
      -. 객체 생성 테스트
        -. VeltoraWebIface.dll 객체 생성 테스트 성공

  -. VeltoraWebCore.dll 검사
    -. VeltoraWebCore.dll
      -. 레지스트리 등록 여부 검사
      -. 파일 찾음 - C:\Program Files\Veltora\CALYRA Web 7.0\VeltoraWebCore.dll
      -. 파일 버젼 : 7.0.2.0
      -. 객체 생성 테스트
        -. VeltoraWebCore.dll 객체 생성 테스트 성공

  -. VeltoraWebLang.dll 검사
    -. VeltoraWebLang.dll
      -. 파일 존재여부 검사
      -. 파일 버젼 : 7.0.0.1

  -. VeltoraWebTray.exe 검사
    -. VeltoraWebTray.exe
      -. 레지스트리 등록 여부 검사
      -. 파일 찾음 - C:\Program Files\Veltora\CALYRA Web 7.0\VeltoraWebTray.exe
      -. 파일 버젼 : 7.0.2.7
      -. 객체 생성 테스트
        -. VeltoraWebTray.exe 객체 생성 테스트 성공

  -. VelPubCert.dll 검사
    -. VelPubCert.dll
      -. 레지스트리 등록 여부 검사
      -. 파일 찾음 - C:\Program Files\Veltora\CALYRA Web 7.0\plugin\VelPubCert.dll
      -. 파일 버젼 : 2.1.0.0
      -. 객체 생성 테스트
        -. VelPubCert.dll 객체 생성 테스트 성공

  -. Uninst.exe 검사
    -. Uninst.exe
      -. 파일 존재여부 검사
      -. 파일 버젼 : 3.1.40000.65535

검사 완료

{==}
CALYRA Web 7.0 클라이언트 기능 테스트
{==}

)";

constexpr std::string_view kSuccessAndClosing = R"(
{==}
모든 검사가 정상적으로 완료 되었습니다.
{==}

{--}

모든 검사 프로세스가 완료되었습니다.
)";

constexpr char kEmptyHostQuestion[] =
    "대상 호스트를 지정하지 않으면 테스트를 진행하지 않습니다. 계속하시겠습니까?";

class CheckRun : public testing::Test, protected ClientFixture {
protected:
  void TearDown() override {
    EXPECT_EQ(registry.OpenHandles(), 0);
    EXPECT_EQ(com.initializeCount, com.uninitializeCount);
  }
};

TEST_F(CheckRun, HealthyClientWithHost) {
  view.host = "shttp.example.com";
  session.OnStartCheck();

  EXPECT_EQ(session.Report().Text(), Transcript(kHealthyInstallation) +
                                         Transcript(R"(S-HTTP 서버 동작 테스트
대상 호스트 : shttp.example.com
  -. S-HTTP 서버 헤더 검증
    -. Sending URL... : http://shttp.example.com/shttp/handshake/req_env
    -. S-HTTP 헤더 검증에 성공하였습니다.
    -. Test 성공
  -. S-HTTP Ping Test
    -. Sending URL... : http://shttp.example.com/shttp/ping?1234
    -. 수신 데이터 : 1234
    -. Test 성공.
  -. POST 전송 사이즈 제한 검사
    -. Sending 100 Kb
    -. Test 성공
)") +
                                         Transcript(kSuccessAndClosing));
  EXPECT_EQ(box.text, session.Report().Text());
  EXPECT_TRUE(view.questions.empty());
  EXPECT_EQ(com.initializeCount, 1);
  EXPECT_TRUE(files.outputFiles.empty());
}

TEST_F(CheckRun, HealthyClientKeepsPathsAndVersions) {
  view.host = "h";
  session.OnStartCheck();

  const DiagState& kept = session.State();
  EXPECT_EQ(kept.m_strHost, "h");
  EXPECT_EQ(kept.m_strInstallDir, kInstallDir);
  const std::string expectedPaths[] = {
      kSystemDir + R"(\VelUpdCtl.ocx)",        kInstallDir + R"(\VeltoraWebIface.dll)",
      kInstallDir + R"(\VeltoraWebCore.dll)",  kInstallDir + R"(\VeltoraWebLang.dll)",
      kInstallDir + R"(\VeltoraWebTray.exe)",  kInstallDir + R"(\plugin\VelPubCert.dll)",
      kInstallDir + R"(\Uninst.exe)",
  };
  for (std::size_t row = 0; row < 7; ++row) {
    EXPECT_EQ(kept.components[row].foundPath, expectedPaths[row]) << "row " << row + 1;
  }
  EXPECT_EQ(kept.components[2].FileVersion.build, 2u);
  EXPECT_EQ(kept.components[6].FileVersion.revision, 65535u);
}

TEST_F(CheckRun, ObjectTestsAskForTheCatalogueClassesContextsAndInterfaces) {
  EXPECT_EQ(RunSequence(), CheckResult::passed);
  const std::string unknown(kIUnknown), protocol(kIInternetProtocol);
  const std::vector<FakeComRuntime::Creation> expected = {
      {kUpdaterClass, platform::kClassContextInproc, unknown},
      {kHttpWrapClass, platform::kClassContextInproc, protocol},
      {kCoreClass, platform::kClassContextInproc, protocol},
      {kTrayClass, platform::kClassContextLocalServer, unknown},
      {kPubCertClass, platform::kClassContextInproc, kPubCertInterface},
  };
  EXPECT_EQ(com.creations, expected);
}

TEST_F(CheckRun, EmptyHostAnsweredYesSkipsTheServerTests) {
  view.answers = {true};
  session.OnStartCheck();

  EXPECT_EQ(view.questions, std::vector<std::string>{kEmptyHostQuestion});
  EXPECT_EQ(view.asked, std::vector<Question>{Question::runWithoutHost});
  EXPECT_EQ(session.Report().Text(),
            Transcript(kHealthyInstallation) + Transcript("Skip Ping test.\n") + Transcript(kSuccessAndClosing));
  EXPECT_EQ(xmlHttp.created, 0);
}

TEST_F(CheckRun, EmptyHostAnsweredNoRunsNothing) {
  box.text = "the previous run";
  view.answers = {false};
  session.OnStartCheck();

  EXPECT_EQ(view.questions, std::vector<std::string>{kEmptyHostQuestion});
  EXPECT_EQ(session.Report().Text(), "");
  EXPECT_EQ(box.text, "");
  EXPECT_EQ(com.initializeCount, 0);
}

TEST_F(CheckRun, BlankHostIsAHost) {
  view.host = " ";
  session.OnStartCheck();
  EXPECT_TRUE(view.questions.empty());
  EXPECT_NE(session.Report().Text().find(Transcript("대상 호스트 :  \n")), std::string::npos);
}

TEST_F(CheckRun, TrayAgentIsOnlyCheckedForExistenceBelowCoreBuildTwo) {
  files.RemoveFile(kInstallDir + R"(\VeltoraWebCore.dll)");
  files.AddFile(kInstallDir + R"(\VeltoraWebCore.dll)", 300000, platform::FileVersion{7, 0, 1, 65535});
  // Its registration would fail: the gate keeps the check from looking.
  registry.DeleteKey(platform::kClassesRoot, ServerKey(kTrayClass, "LocalServer32"));

  EXPECT_EQ(RunSequence(), CheckResult::passed);
  EXPECT_NE(report.Text().find(Transcript("  -. VeltoraWebTray.exe 검사\n"
                                          "    -. VeltoraWebTray.exe\n"
                                          "      -. 파일 존재여부 검사\n"
                                          "        -. 파일 버젼 : 7.0.2.7\n"
                                          "\n"
                                          "  -. VelPubCert.dll 검사\n")),
            std::string::npos)
      << report.Text();
  for (const auto& creation : com.creations) EXPECT_NE(creation.classId, kTrayClass);
}

TEST_F(CheckRun, SecondRunReplacesTheReportAndFindsRemovedFilesMissing) {
  view.host = "h";
  session.OnStartCheck();
  files.RemoveFile(kInstallDir + R"(\Uninst.exe)");
  session.OnStartCheck();

  const std::string& text = session.Report().Text();
  EXPECT_EQ(text.find("CALYRA Web 7.0 클라이언트 설치 검사를 시작합니다."), 0u);
  EXPECT_EQ(text.find("CALYRA Web 7.0 클라이언트 설치 검사를 시작합니다.", 1), std::string::npos);
  EXPECT_NE(text.find(Transcript("  -. Uninst.exe 검사\n"
                                 "    -. uninst.exe 이 존재하지 않습니다.  클라이언트를 재설치하여 주십시오.\n"
                                 "{--}\n")),
            std::string::npos);
  EXPECT_EQ(session.State().components[0].foundPath, kSystemDir + R"(\VelUpdCtl.ocx)");
  EXPECT_EQ(session.State().components[6].foundPath, "");
  EXPECT_EQ(com.initializeCount, 2);
}

TEST_F(CheckRun, ProductMissingEndsAfterTheInstallationSection) {
  registry.DeleteKey(platform::kLocalMachine, client::kProductKey);
  view.host = "h";
  session.OnStartCheck();

  EXPECT_EQ(session.Report().Text(), Transcript(kOpening + R"(
{==}
설치여부 확인 및 경로 검사
{==}

  -. \HKEY_LOCAL_MACHINE\Software\Veltora\CALYRAWeb_7 키가 존재하지 않습니다
  -. 클라이언트 모듈이 설치가 되어 있지 않습니다.
  -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

{--}
***** CALYRA Web 7.0 클라이언트를 새로 설치하는 것을 권장합니다.

모든 검사 프로세스가 완료되었습니다.
)"));
}

TEST_F(CheckRun, ProtocolHandlerMissingWritesItsRepairFileBeforeTheAdvice) {
  registry.DeleteKey(platform::kClassesRoot, kHandlerKey);
  view.host = "h";
  session.OnStartCheck();

  EXPECT_TRUE(session.Report().Text().ends_with(Transcript(R"(  -. 프로토콜 Handler 키 검사
  -. S-HTTP 프로토콜이 핸들러에 등록되어 있지 않습니다.
  -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

{--}
***** 생성된 레지스트리 파일 "PROTOCOL_Handler.reg" 를 등록하시고 테스트를 새로 진행하시기 바랍니다.

모든 검사 프로세스가 완료되었습니다.
)")))
      << session.Report().Text();
  EXPECT_TRUE(files.outputFiles.contains("PROTOCOL_Handler.reg"));
}

TEST_F(CheckRun, KillBitSetRemovesBothKeys) {
  registry.CreateKey(platform::kCurrentUser, kAddonKey);
  registry.CreateKey(platform::kLocalMachine, client::kKillBitKey);
  view.host = "h";
  session.OnStartCheck();

  EXPECT_TRUE(session.Report().Text().ends_with(Transcript(R"(
{==}
인터넷 옵션 설정 검사
{==}

  -. 추가기능 관리 옵션 설정 검사
  -. Kill bit 검사
    -. Kill bit이 설정되어 있습니다.
{--}
***** 테스트 실패 : 브라우저의 인터넷 설정으로 인하여 CALYRA Web 7.0 클라이언트의 작동이 제한되고 있습니다.
해당 키를 삭제합니다.

모든 검사 프로세스가 완료되었습니다.
)")))
      << session.Report().Text();
  EXPECT_FALSE(registry.KeyExists(platform::kCurrentUser, kAddonKey));
  EXPECT_FALSE(registry.KeyExists(platform::kLocalMachine, client::kKillBitKey));
  EXPECT_TRUE(com.creations.empty());
}


TEST_F(CheckRun, AServerTestCodeEndsTheRunWithoutTheBanner) {
  state.m_strHost = "127.0.0.1:8080";
  xmlHttp.AnswerAll({.status = 404});
  EXPECT_EQ(RunSequence(), CheckResult::serverTestFailed);
  EXPECT_EQ(report.Text().find("모든 검사가 정상적으로 완료 되었습니다."), std::string::npos);
  EXPECT_EQ(xmlHttp.created, xmlHttp.released);
}

// A thread that already lives in another kind of apartment refuses to enter ours: the run goes on,
// and must not leave an apartment it never entered.
TEST(CheckRunApartment, IsLeftOnlyWhenItWasEntered) {
  ClientFixture f;
  f.com.initializeSucceeds = false;
  EXPECT_EQ(f.RunSequence(), CheckResult::passed);
  EXPECT_EQ(f.com.initializeCount, 1);
  EXPECT_EQ(f.com.uninitializeCount, 0);
}

}  // namespace
