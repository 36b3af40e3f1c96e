// Each case breaks one thing of a healthy client and checks how the report ends and which code the
// run returns.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "client_fixture.h"

namespace {

using namespace client;
using platform::kClassesRoot;
using platform::kLocalMachine;

struct FailureCase {
  const char* name;
  std::function<void(ClientFixture&)> breakIt;
  int code;
  std::string tail;  // a transcript, as Transcript() reads it
};
void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

const std::string kIface = kInstallDir + R"(\VeltoraWebIface.dll)";
const std::string kTray = kInstallDir + R"(\VeltoraWebTray.exe)";
const std::string kPubCert = kInstallDir + R"(\plugin\VelPubCert.dll)";

// Replaces a key by an empty one: no values, no subkeys.
void EmptyKey(ClientFixture& f, platform::KeyHandle root, const std::string& path) {
  ASSERT_EQ(f.registry.DeleteKey(root, path), 0);
  f.registry.CreateKey(root, path);
}

void RemoveClass(ClientFixture& f, const char* classId, const char* server) {
  ASSERT_EQ(f.registry.DeleteKey(kClassesRoot, ServerKey(classId, server)), 0);
  ASSERT_EQ(f.registry.DeleteKey(kClassesRoot, ClassKey(classId)), 0);
}

void CloseTrayGate(ClientFixture& f) {
  f.files.RemoveFile(kInstallDir + R"(\VeltoraWebCore.dll)");
  f.files.AddFile(kInstallDir + R"(\VeltoraWebCore.dll)", 1, platform::FileVersion{7, 0, 1, 0});
}

const std::string kLongPath(300, 'x');
// 255 characters and the terminating zero fill the 256-byte buffer exactly.
const std::string kPathOf255 = kInstallDir + "\\" + std::string(255 - kInstallDir.size() - 1, 'a');

std::vector<FailureCase> Cases() {
  return {
      // Installation and path.
      {"InstallDirValueMissing", [](auto& f) { EmptyKey(f, kLocalMachine, client::kProductKey); }, 1,
       R"(  -. 설치경로가 존재하지 않습니다. 클라이언트 모듈이 설치가 되어 있지 않습니다.
  -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"InstallDirLongerThan255Bytes",
       [](auto& f) { f.registry.SetString(kLocalMachine, client::kProductKey, "Install_Dir", kLongPath); }, 1,
       R"(  -. 설치경로가 존재하지 않습니다. 클라이언트 모듈이 설치가 되어 있지 않습니다.
  -. 에러 메세지 : 데이터가 더 있습니다.

)"},
      {"InstallFolderMissing",
       [](auto& f) { f.registry.SetString(kLocalMachine, client::kProductKey, "Install_Dir", R"(D:\Nowhere)"); }, 1,
       R"(  -. 설치 경로 : D:\Nowhere
  -. D:\Nowhere폴더가 존재하지 않습니다. 클라이언트 모듈을 재설치 하여 주십시오.
  -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"InstallDirEmpty",
       [](auto& f) { f.registry.SetString(kLocalMachine, client::kProductKey, "Install_Dir", ""); }, 1,
       R"(  -. 설치 경로 : 
  -. 폴더가 존재하지 않습니다. 클라이언트 모듈을 재설치 하여 주십시오.
  -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},

      // Protocol handlers.
      {"HandlerKeyDenied", [](auto& f) { f.registry.DenyAccess(kClassesRoot, kHandlerKey); }, 2,
       // No system text for 5 here: the error line keeps only its prefix.
       R"(  -. 프로토콜 Handler 키 검사
  -. S-HTTP 프로토콜이 핸들러에 등록되어 있지 않습니다.
  -. 
)"},
      {"HandlerWithoutClsid", [](auto& f) { EmptyKey(f, kClassesRoot, kHandlerKey); }, 2,
       R"(  -. 프로토콜 Handler 키 검사
  -. 등록이 잘못되어 있습니다.
  -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"HandlerClsidWithoutBraces",
       [](auto& f) {
         f.registry.SetString(kClassesRoot, kHandlerKey, "CLSID", "51BA3E78-ECB2-16F4-A22E-A41505A64625");
       },
       2,
       R"(  -. 프로토콜 Handler 키 검사
  -. 프로토콜 CLSID : 51BA3E78-ECB2-16F4-A22E-A41505A64625
    -. 프르토콜 CLSID 가 설정값과 다릅니다.51BA3E78-ECB2-16F4-A22E-A41505A64625
)"},
      {"NameSpaceKeyMissing", [](auto& f) { f.registry.DeleteKey(kClassesRoot, kNameSpaceKey); }, 2,
       R"(  -. 프로토콜 CLSID : {51BA3E78-ECB2-16F4-A22E-A41505A64625}
  -. 프로토콜 Name-Space 키 검사
  -. HTTP Wrapper 프로토콜이 핸들러에 등록되어 있지 않습니다.
  -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"NameSpaceWithoutClsid", [](auto& f) { EmptyKey(f, kClassesRoot, kNameSpaceKey); }, 2,
       R"(  -. 프로토콜 Name-Space 키 검사
  -. 등록이 잘못되어 있습니다.
  -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"NameSpaceClsidWithBlanks",
       [](auto& f) {
         f.registry.SetString(kClassesRoot, kNameSpaceKey, "CLSID", " {51BA3E78-ECB2-16F4-A22E-A41505A64625} ");
       },
       2,
       R"(  -. 프로토콜 Name-Space 키 검사
  -. 프로토콜 CLSID :  {51BA3E78-ECB2-16F4-A22E-A41505A64625} 
    -. 프르토콜 CLSID 가 설정값과 다릅니다. {51BA3E78-ECB2-16F4-A22E-A41505A64625} 
)"},

      // Row 1, the updater control.
      {"UpdaterNotInSystemFolder", [](auto& f) { f.files.RemoveFile(kSystemDir + R"(\VelUpdCtl.ocx)"); }, 1,
       R"(  -. VelUpdCtl.ocx 검사
    -. VelUpdCtl.ocx 파일이 시스템 폴더 내에 존재하지 않습니다. 클라이언트를 재설치하여 주십시오.
    -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"UpdaterClassKeyMissing", [](auto& f) { RemoveClass(f, kUpdaterClass, "InprocServer32"); }, 3,
       R"(  -. VelUpdCtl.ocx 검사
    -. 레지스트리 검사
      -. CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}를 가져오는데 실패하였습니다.
      -. VelUpdCtl.ocx가 등록이 되지 않았거나 키를 읽는 권한이 없습니다.
      -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"UpdaterServerKeyDenied",
       [](auto& f) { f.registry.DenyAccess(kClassesRoot, ServerKey(kUpdaterClass, "InprocServer32")); }, 3,
       R"(    -. 레지스트리 검사
      -. CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}\InprocServer32를 가져오는데 실패하였습니다.
      -. VelUpdCtl.ocx가 등록이 되지 않았거나 키를 읽는 권한이 없습니다.
      -. 
)"},
      {"UpdaterDefaultValueMissing",
       [](auto& f) { EmptyKey(f, kClassesRoot, ServerKey(kUpdaterClass, "InprocServer32")); }, 3,
       R"(    -. 레지스트리 검사
      -. 등록된 파일이 없습니다. VelUpdCtl.ocx를 사용할 수 없습니다.
      -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"UpdaterRegisteredFileMissing",
       [](auto& f) { f.Register(kUpdaterClass, "InprocServer32", R"(C:\WINDOWS\system32\Other.ocx)"); }, 1,
       R"(    -. 레지스트리 검사
    -. 파일 찾음 - C:\WINDOWS\system32\Other.ocx
      -. C:\WINDOWS\system32\Other.ocx 파일을 찾을 수 없거나 로드할 수 없습니다.
      -. 클라이언트를 재설치하여 주십시오
      -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"UpdaterObjectNotCreated", [](auto& f) { f.com.answers.erase(kUpdaterClass); }, 3,
       R"(    -. 파일 버젼 : 1.0.0.5
    -. 객체 생성 테스트
      -. VelUpdCtl.ocx 객체 생성 테스트 실패 - 객체 생성이 안됩니다.
      -. 에러 메세지 : 클래스가 등록되지 않았습니다.

)"},

      // Row 2, the interface DLL.
      {"IfaceMissing", [](auto& f) { f.files.RemoveFile(kIface); }, 1,
       R"(
{==}
클라이언트 구성요소 검사
{==}

  -. VeltoraWebIface.dll 검사
    -. VeltoraWebIface.dll 이 존재하지 않습니다. 클라이언트를 재설치하여 주십시오
)"},
      {"IfaceFirstClassServerKeyMissing",
       [](auto& f) { f.registry.DeleteKey(kClassesRoot, ServerKey(kIfaceClass, "InprocServer32")); }, 4,
       R"(    -. VeltoraWebIface.dll
      -. 레지스트리 등록 여부 검사
        -. CLSID\{7C49CE0F-93B7-9C7A-015D-A399BEED7B01}\InprocServer32를 가져오는데 실패하였습니다.
        -. VeltoraWebIface.dll 이 등록이 되지 않았거나 키를 읽는 권한이 없습니다.
        -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"IfaceSecondClassKeyMissing", [](auto& f) { RemoveClass(f, kHttpWrapClass, "InprocServer32"); }, 4,
       R"(      -. 레지스트리 등록 여부 검사
        -. CLSID\{51BA3E78-ECB2-16F4-A22E-A41505A64625}를 가져오는데 실패하였습니다.
        -. VeltoraWebIface.dll 이 등록이 되지 않았거나 키를 읽는 권한이 없습니다.
        -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"IfaceDefaultValueOver255Bytes", [](auto& f) { f.Register(kHttpWrapClass, "InprocServer32", kLongPath); },
       4,
       R"(      -. 레지스트리 등록 여부 검사
        -. 등록된 파일이 없습니다. VeltoraWebIface.dll을 사용할 수 없습니다.
        -. 에러 메세지 : 데이터가 더 있습니다.

)"},
      {"IfaceDefaultValueOf255BytesIsRead",
       [](auto& f) { f.Register(kHttpWrapClass, "InprocServer32", kPathOf255); }, 1,
       "      -. 파일 찾음 - " + kPathOf255 + "\n        -. " + kPathOf255 +
           R"( 파일을 찾을 수 없거나 로드할 수 없습니다. 클라이언트를 재설치하여 주십시오.
          -. 폴더내 파일 : C:\Program Files\Veltora\CALYRA Web 7.0\VeltoraWebIface.dll
          -. 레지스트리에 등록된 파일 : )" +
           kPathOf255 + R"(
        -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"IfaceRegisteredFileMissing",
       [](auto& f) { f.Register(kHttpWrapClass, "InprocServer32", R"(C:\Elsewhere\VeltoraWebIface.dll)"); }, 1,
       R"(      -. 레지스트리 등록 여부 검사
      -. 파일 찾음 - C:\Elsewhere\VeltoraWebIface.dll
        -. C:\Elsewhere\VeltoraWebIface.dll 파일을 찾을 수 없거나 로드할 수 없습니다. 클라이언트를 재설치하여 주십시오.
          -. 폴더내 파일 : C:\Program Files\Veltora\CALYRA Web 7.0\VeltoraWebIface.dll
          -. 레지스트리에 등록된 파일 : C:\Elsewhere\VeltoraWebIface.dll
        -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"IfaceQuotedPathIsNotUnquoted",
       [](auto& f) { f.Register(kHttpWrapClass, "InprocServer32", "\"" + kIface + "\""); }, 1,
       R"(      -. 파일 찾음 - "C:\Program Files\Veltora\CALYRA Web 7.0\VeltoraWebIface.dll"
        -. "C:\Program Files\Veltora\CALYRA Web 7.0\VeltoraWebIface.dll" 파일을 찾을 수 없거나 로드할 수 없습니다. 클라이언트를 재설치하여 주십시오.
          -. 폴더내 파일 : C:\Program Files\Veltora\CALYRA Web 7.0\VeltoraWebIface.dll
          -. 레지스트리에 등록된 파일 : "C:\Program Files\Veltora\CALYRA Web 7.0\VeltoraWebIface.dll"
        -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"IfaceObjectNotCreated", [](auto& f) { f.com.answers.erase(kHttpWrapClass); }, 4,
       R"(      -. 파일 버젼 : 7.0.1.3
      -. 객체 생성 테스트
        -. VeltoraWebIface.dll 객체 생성 테스트 실패 - 객체 생성에 실패하였습니다.
        -. 에러 메세지 : 클래스가 등록되지 않았습니다.

)"},

      // Row 3, the core module.
      {"CoreMissing", [](auto& f) { f.files.RemoveFile(kInstallDir + R"(\VeltoraWebCore.dll)"); }, 1,
       R"(  -. VeltoraWebCore.dll 검사
    -. VeltoraWebCore.dll 이 존재하지 않습니다. 클라이언트를 재설치하여 주십시오
)"},
      {"CoreClassKeyMissing", [](auto& f) { RemoveClass(f, kCoreClass, "InprocServer32"); }, 5,
       R"(  -. VeltoraWebCore.dll 검사
    -. VeltoraWebCore.dll
      -. 레지스트리 등록 여부 검사
        -. CLSID\{52A45655-7BDB-1C48-5892-A3440DE1069A}를 가져오는데 실패하였습니다.
        -. VeltoraWebCore.dll 이 등록이 되지 않았거나 키를 읽는 권한이 없습니다.
        -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"CoreDefaultValueMissing",
       [](auto& f) { EmptyKey(f, kClassesRoot, ServerKey(kCoreClass, "InprocServer32")); }, 5,
       R"(        -. 등록된 파일이 없습니다. VeltoraWebCore.dll을 사용할 수 없습니다.
        -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"CoreObjectNotCreated", [](auto& f) { f.com.answers.erase(kCoreClass); }, 5,
       R"(        -. VeltoraWebCore.dll 객체 생성 테스트 실패 - 객체 생성에 실패하였습니다.
        -. 에러 메세지 : 클래스가 등록되지 않았습니다.

)"},

      // Row 4, the locale DLL.
      {"LangMissing", [](auto& f) { f.files.RemoveFile(kInstallDir + R"(\VeltoraWebLang.dll)"); }, 1,
       R"(
  -. VeltoraWebLang.dll 검사
    -. VeltoraWebLang.dll 이 존재하지 않습니다. 클라이언트를 재설치하여 주십시오.
)"},
      {"LangNotAccessible",
       [](auto& f) { f.files.SetExistsError(kInstallDir + R"(\VeltoraWebLang.dll)", 13); }, 1,
       R"(  -. VeltoraWebLang.dll 검사
    -. VeltoraWebLang.dll
      -. 파일 존재여부 검사
        -. C:\Program Files\Veltora\CALYRA Web 7.0\VeltoraWebLang.dll 파일을 찾을 수 없거나 로드할 수 없습니다. 클라이언트를 재설치하여 주십시오.
        -. 에러 메세지 : 데이터가 잘못되었습니다.

)"},

      // Row 5, the tray agent.
      {"TrayMissing", [](auto& f) { f.files.RemoveFile(kTray); }, 1,
       R"(  -. VeltoraWebTray.exe 검사
    -. VeltoraWebTray.exe 이 존재하지 않습니다. 클라이언트를 재설치하여 주십시오.
)"},
      {"TrayServerKeyMissing",
       [](auto& f) { f.registry.DeleteKey(kClassesRoot, ServerKey(kTrayClass, "LocalServer32")); }, 6,
       R"(  -. VeltoraWebTray.exe 검사
    -. VeltoraWebTray.exe
      -. 레지스트리 등록 여부 검사
        -. CLSID\{824B7195-5022-D47E-A0EA-69C3CF360213}\LocalServer32를 가져오는데 실패하였습니다.
        -. VeltoraWebTray.exe 이 등록이 되지 않았거나 키를 읽는 권한이 없습니다.
        -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"TrayDefaultValueMissing",
       [](auto& f) { EmptyKey(f, kClassesRoot, ServerKey(kTrayClass, "LocalServer32")); }, 6,
       R"(        -. 등록된 파일이 없습니다. VeltoraWebTray.exe을 사용할 수 없습니다.
        -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"TrayRegisteredFileMissing",
       [](auto& f) { f.Register(kTrayClass, "LocalServer32", R"("C:\Old\VeltoraWebTray.exe" /auto)"); }, 1,
       R"(      -. 파일 찾음 - C:\Old\VeltoraWebTray.exe /auto
        -. C:\Old\VeltoraWebTray.exe /auto 파일을 찾을 수 없거나 로드할 수 없습니다. 클라이언트를 재설치하여 주십시오.
          -. 폴더내 파일 : C:\Program Files\Veltora\CALYRA Web 7.0\VeltoraWebTray.exe
          -. 레지스트리에 등록된 파일 : C:\Old\VeltoraWebTray.exe /auto
        -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"TrayObjectNotCreated", [](auto& f) { f.com.answers.erase(kTrayClass); }, 6,
       R"(      -. 객체 생성 테스트
        -. VeltoraWebTray.exe 객체 생성 테스트 실패 - 객체 생성에 실패하였습니다.
        -. 에러 메세지 : 클래스가 등록되지 않았습니다.

)"},
      {"TrayNotAccessibleBelowCoreBuildTwo",
       [](auto& f) {
         CloseTrayGate(f);
         f.files.SetExistsError(kTray, 13);
       },
       1,
       R"(  -. VeltoraWebTray.exe 검사
    -. VeltoraWebTray.exe
      -. 파일 존재여부 검사
        -. C:\Program Files\Veltora\CALYRA Web 7.0\VeltoraWebTray.exe 파일을 찾을 수 없거나 로드할 수 없습니다. 클라이언트를 재설치하여 주십시오
        -. 에러 메세지 : 데이터가 잘못되었습니다.

)"},

      // Row 6, the public-certificate plug-in.
      {"PubCertMissing", [](auto& f) { f.files.RemoveFile(kPubCert); }, 1,
       R"(  -. VelPubCert.dll 검사
    -. VelPubCert.dll 이 존재하지 않습니다. 클라이언트를 재설치하여 주십시오
)"},
      {"PubCertEmpty",
       [](auto& f) {
         f.files.RemoveFile(kPubCert);
         f.files.AddFile(kPubCert, 0, platform::FileVersion{2, 1, 0, 0});
       },
       1,
       R"(  -. VelPubCert.dll 검사
    -. VelPubCert.dll 이 존재하지 않습니다. 클라이언트를 재설치하여 주십시오
)"},
      {"PubCertClassKeyMissing", [](auto& f) { RemoveClass(f, kPubCertClass, "InprocServer32"); }, 4,
       R"(        -. CLSID\{83E851E7-8918-AD9B-7810-3F7A2DF0D122}를 가져오는데 실패하였습니다.
        -. VelPubCert.dll 이 등록이 되지 않았거나 키를 읽는 권한이 없습니다.
        -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"PubCertRegisteredFileMissing",
       [](auto& f) { f.Register(kPubCertClass, "InprocServer32", R"(C:\Old\VelPubCert.dll)"); }, 1,
       R"(        -. C:\Old\VelPubCert.dll 파일을 찾을 수 없거나 로드할 수 없습니다. 클라이언트를 재설치하여 주십시오.
          -. 폴더내 파일 : C:\Program Files\Veltora\CALYRA Web 7.0\plugin\VelPubCert.dll
          -. 레지스트리에 등록된 파일 : C:\Old\VelPubCert.dll
        -. 에러 메세지 : 지정된 파일을 찾을 수 없습니다.

)"},
      {"PubCertObjectNotCreated", [](auto& f) { f.com.answers.erase(kPubCertClass); }, 4,
       R"(        -. VelPubCert.dll 객체 생성 테스트 실패 - 객체 생성에 실패하였습니다.
        -. 에러 메세지 : 클래스가 등록되지 않았습니다.

)"},

      // Row 7, the uninstaller.
      {"UninstMissing", [](auto& f) { f.files.RemoveFile(kInstallDir + R"(\Uninst.exe)"); }, 1,
       R"(
  -. Uninst.exe 검사
    -. uninst.exe 이 존재하지 않습니다.  클라이언트를 재설치하여 주십시오.
)"},
      {"UninstNotAccessible", [](auto& f) { f.files.SetExistsError(kInstallDir + R"(\Uninst.exe)", 13); }, 1,
       R"(      -. 파일 존재여부 검사
        -. C:\Program Files\Veltora\CALYRA Web 7.0\Uninst.exe 파일을 찾을 수 없거나 로드할 수 없습니다. 클라이언트를 재설치하여 주십시오.
        -. 에러 메세지 : 데이터가 잘못되었습니다.

)"},
  };
}

class CheckFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(CheckFailure, EndsTheReportWithItsLinesAndCode) {
  ClientFixture f;
  GetParam().breakIt(f);
  const CheckResult result = f.RunSequence();

  EXPECT_EQ(CodeOf(result), GetParam().code);
  const std::string& text = f.report.Text();
  const std::string tail = Transcript(GetParam().tail);
  EXPECT_TRUE(text.ends_with(tail)) << "report ends with:\n"
                                    << text.substr(text.size() - std::min(text.size(), tail.size() + 200));
  EXPECT_EQ(f.registry.OpenHandles(), 0);
  EXPECT_EQ(f.com.initializeCount, 1);
  EXPECT_EQ(f.com.uninitializeCount, 1);
}

INSTANTIATE_TEST_SUITE_P(OneThingBroken, CheckFailure, testing::ValuesIn(Cases()),
                         [](const auto& row) { return std::string(row.param.name); });

// What a check accepts although it looks wrong.
struct PassingCase {
  const char* name;
  std::function<void(ClientFixture&)> change;
};
void PrintTo(const PassingCase& c, std::ostream* os) { *os << c.name; }

class CheckPasses : public testing::TestWithParam<PassingCase> {};

TEST_P(CheckPasses, RunEndsWithSuccess) {
  ClientFixture f;
  GetParam().change(f);
  EXPECT_EQ(f.RunSequence(), CheckResult::passed) << f.report.Text();
  EXPECT_EQ(f.registry.OpenHandles(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, CheckPasses,
    testing::Values(
        PassingCase{"LowerCaseHandlerClsid",
                    [](auto& f) {
                      f.registry.SetString(kClassesRoot, kHandlerKey, "CLSID",
                                           "{51ba3e78-ecb2-16f4-a22e-a41505a64625}");
                    }},
        PassingCase{"InstallDirWithoutTerminatingZero",
                    [](auto& f) {
                      f.registry.SetValue(kLocalMachine, client::kProductKey, "Install_Dir", kInstallDir);
                    }},
        PassingCase{"KillBitKeyNotReadable",
                    [](auto& f) {
                      f.registry.DenyAccess(kLocalMachine, client::kKillBitKey);
                    }},
        PassingCase{"RegisteredPathDiffersFromFoundPathButExists",
                    [](auto& f) {
                      f.files.AddFile(R"(C:\Shared\VeltoraWebCore.dll)", 1, platform::FileVersion{7, 0, 2, 0});
                      f.Register(kCoreClass, "InprocServer32", R"(C:\Shared\VeltoraWebCore.dll)");
                    }}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
