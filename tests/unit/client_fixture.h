#pragma once
// A PC with a healthy client installed, over fakes of every port; tests break one thing of it.
#include <string>
#include <string_view>

#include "checks/check_sequence.h"
#include "client_identity.h"
#include "fakes/fake_ports.h"

namespace client {

inline const std::string kInstallDir = R"(C:\Program Files\Veltora\CALYRA Web 7.0)";
inline const std::string kSystemDir = R"(C:\WINDOWS\system32)";

inline std::string ClassKey(std::string_view classId) { return "CLSID\\" + std::string(classId); }
inline std::string ServerKey(std::string_view classId, std::string_view server) {
  return ClassKey(classId) + "\\" + std::string(server);
}

// System message texts, as FormatMessage gives them: with their line break.
inline const std::string kNotFoundText = "지정된 파일을 찾을 수 없습니다.\r\n";
inline const std::string kMoreDataText = "데이터가 더 있습니다.\r\n";
inline const std::string kClassNotRegisteredText = "클래스가 등록되지 않았습니다.\r\n";
inline const std::string kInvalidDataText = "데이터가 잘못되었습니다.\r\n";

}  // namespace client

// Turns a transcript written with "\n" into report text: every line ends in "\r\n", and the lines
// "{==}" and "{--}" stand for the two 110-character separators.
inline std::string Transcript(std::string_view text) {
  std::string report;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    if (line == "{==}") {
      report += std::string(110, '=');
    } else if (line == "{--}") {
      report += std::string(110, '-');
    } else {
      report += line;
    }
    report += "\r\n";
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  return report;
}

struct ClientFixture : FakePorts {
  // For the sequence alone, without the verdict.
  ReportLog report;
  DiagState state;
  CheckContext context{ports, report, state};

  ClientFixture() {
    using namespace client;
    system.systemDirectory = kSystemDir;
    volumes.serials["C:\\"] = 0x1C2D3E4F;
    ipHelper.reads = {{FakeAdapter({0x52, 0x54, 0x00, 0x12, 0x34, 0x56}, "192.168.10.20", "192.168.10.1")}};
    system.messages[2] = kNotFoundText;
    system.messages[13] = kInvalidDataText;  // errno 13, access denied, read as a system code
    system.messages[234] = kMoreDataText;
    system.messages[static_cast<unsigned long>(FakeComRuntime::kClassNotRegistered)] = kClassNotRegisteredText;

    registry.SetString(platform::kLocalMachine, client::kProductKey, "Install_Dir", kInstallDir);
    files.AddFolder(kInstallDir);
    registry.SetString(platform::kClassesRoot, kHandlerKey, "CLSID", kHttpWrapClass);
    registry.SetString(platform::kClassesRoot, kNameSpaceKey, "CLSID", kHttpWrapClass);

    files.AddFile(kSystemDir + R"(\VelUpdCtl.ocx)", 90000, platform::FileVersion{1, 0, 0, 5});
    files.AddFile(kInstallDir + R"(\VeltoraWebIface.dll)", 200000, platform::FileVersion{7, 0, 1, 3});
    files.AddFile(kInstallDir + R"(\VeltoraWebCore.dll)", 300000, platform::FileVersion{7, 0, 2, 0});
    files.AddFile(kInstallDir + R"(\VeltoraWebLang.dll)", 40000, platform::FileVersion{7, 0, 0, 1});
    files.AddFile(kInstallDir + R"(\VeltoraWebTray.exe)", 150000, platform::FileVersion{7, 0, 2, 7});
    files.AddFile(kInstallDir + R"(\plugin\VelPubCert.dll)", 80000, platform::FileVersion{2, 1, 0, 0});
    files.AddFile(kInstallDir + R"(\Uninst.exe)", 60000, platform::FileVersion{3, 1, 40000, 65535});

    Register(kUpdaterClass, "InprocServer32", kSystemDir + R"(\VelUpdCtl.ocx)");
    registry.CreateKey(platform::kClassesRoot, ServerKey(kIfaceClass, "InprocServer32"));
    Register(kHttpWrapClass, "InprocServer32", kInstallDir + R"(\VeltoraWebIface.dll)");
    Register(kCoreClass, "InprocServer32", kInstallDir + R"(\VeltoraWebCore.dll)");
    Register(kTrayClass, "LocalServer32", "\"" + kInstallDir + R"(\VeltoraWebTray.exe")");
    Register(kPubCertClass, "InprocServer32", kInstallDir + R"(\plugin\VelPubCert.dll)");

    for (const char* classId : {kUpdaterClass, kHttpWrapClass, kCoreClass, kTrayClass, kPubCertClass}) {
      com.answers[classId] = 0;
    }
  }

  void Register(std::string_view classId, std::string_view server, const std::string& path) {
    registry.SetString(platform::kClassesRoot, client::ServerKey(classId, server), "", path);
  }

  CheckResult RunSequence() { return RunChecks(context); }
};
