#include "repair/cleanup_lists.h"

#include <string>
#include <utility>
#include <vector>

#include "checks/client_identity.h"
#include "platform/ascii.h"
#include "platform/error_codes.h"
#include "platform/unicode.h"
#include "repair/undo_file.h"
#include "report/error_text.h"
#include "report/report_file.h"

namespace {

constexpr std::string_view kUndoNotWritten =
    "***** 정리 전 레지스트리 백업 파일을 만들지 못하여 레지스트리 정리를 시작하지 않았습니다.";

// A row that names one of the client's identifiers takes it from its one place; the others stand
// only here.

// Machine-wide: the product's classes, application ids, ProgIDs, interfaces and type libraries,
// its protocol registrations, the browser's records of its updater, and the product key.
constexpr RemovalRow kMachineClasses[] = {
  {kUpdaterClassId},  // 01
  {"{2178C5C8-78E5-23ad-0215-267418B6BAFB}"},  // 02
  {kHttpWrapClassId},  // 03
  {kCoreClassId},  // 04
  {kTrayClassId},  // 05
  {kTrayClassId},  // 06: the tray agent's class once more, found removed by 05
  {kPubCertClassId},  // 07
  {"{1465513C-D7CF-0217-7769-6AFA8231ED32}"},  // 08
  {"{3241092B-0870-0E70-1FFC-406409394A52}"},  // 09
  {"{25EB6A5F-7E76-BF5A-F92E-09A03BCBC85C}"},  // 10
  {"{D3BE3497-3F09-FFF9-A00A-2269352EF750}"},  // 11
  {kIfaceClassId},  // 12
  {"{0EFCFEBC-EB44-55F2-39A1-7411B486F976}"},  // 13
  {kPubCertInterfaceId},  // 14
  {"{27F4532D-C81A-5ADD-1954-594577958B97}"},  // 15
  {"{FD4CA84C-016C-CF73-58A9-198D8E349536}"},  // 16
  {"{8A3A7F00-99DB-89BD-F697-B2882437DBB9}"},  // 17
};
constexpr RemovalRow kMachineAppIds[] = {
  {"{3EE41CD0-7029-C54E-F822-4D7B50AA6099}"},  // 18
  {kHttpWrapRegistration.appId},  // 19
  {"{9B0A6350-DE1F-3Af6-A5A1-9861E99CF214}"},  // 20
  {"{8BDD389E-0A5E-D068-93E5-73B7B4F03F14}"},  // 21
  {"{1EAC8F66-1BCE-4C0A-2344-C98776E75AAF}"},  // 22
  {"{DD01472C-93C1-80E2-2A84-D0AAA9FC833C}"},  // 23
  {"{7B6CD0DA-A16E-1118-BA20-0D4D6BE1AB0B}"},  // 24
  {"{AC9B0F50-C27B-9D6E-CD96-77210C66623A}"},  // 25
  {"{7A72C098-FA0F-4D75-1D8D-4BB047C15C13}"},  // 26
  {"VelUpdaterAdm.DLL"},  // 27
  {"VelHttp.DLL"},  // 28
  {"VelProto.DLL"},  // 29
  {"VelAgent2.EXE"},  // 30
  {"VelPubCert.DLL"},  // 31
  {"VelCookie2.DLL"},  // 32
  {"VelSpeed2.DLL"},  // 33
  {"VelContent.DLL"},  // 34
  {"VelCertStore.DLL"},  // 35
};
constexpr RemovalRow kMachineProgIds[] = {
  {kUpdaterRegistration.progId},  // 36
  {"VelUpdaterAdm.UpdaterControl"},  // 37
  {"VelUpdaterAdm.UpdaterControl.1"},  // 38
  {kHttpWrapRegistration.versionIndependentProgId},  // 39
  {kHttpWrapRegistration.progId},  // 40
  {kCoreRegistration.versionIndependentProgId},  // 41
  {kCoreRegistration.progId},  // 42
  {kTrayRegistration.versionIndependentProgId},  // 43
  {kTrayRegistration.progId},  // 44
  {"VelPubCert.PubCertModule"},  // 45
  {"VelPubCert.PubCertModule.1"},  // 46
  {"VelCookie2.CCookieModule"},  // 47
  {"VelCookie2.CCookieModule.1"},  // 48
  {"VelSpeed2.CSpeedModule"},  // 49
  {"VelSpeed2.CSpeedModule.1"},  // 50
  {"VelContents.ContentModule"},  // 51
  {"VelContents.ContentModule.1"},  // 52
  {"VelCertStore.UpdaterCtrl"},  // 53
  {"VelCertStore.UpdaterCtrl.1"},  // 54
};
constexpr RemovalRow kMachineInterfaces[] = {
  {"{81FB10E3-7BC5-5E62-CF0E-E53047CD2ACB}"},  // 55
  {"{3FF4CF4A-8CF4-CA25-E520-F3E188A9B5A5}"},  // 56
  {"{7CC7E8D8-F21D-C49E-EDD3-9CD8AD85C987}"},  // 57
  {kIfaceClassId},  // 58
  {"{27F4532D-C81A-5ADD-1954-594577958B97}"},  // 59
  {"{0EFCFEBC-EB44-55F2-39A1-7411B486F976}"},  // 60
  {kPubCertInterfaceId},  // 61
  {"{AA5875B3-C7B4-644D-E22B-21585E50E484}"},  // 62
  {"{3E7F49FA-D229-0CAE-6579-082FDDBB1F78}"},  // 63
  {"{FD4CA84C-016C-CF73-58A9-198D8E349536}"},  // 64
  {"{F6001BAE-206F-3C3B-F61C-CFDC738EC80F}"},  // 65
};
constexpr RemovalRow kMachineTypeLibs[] = {
  {kUpdaterRegistration.typeLib},  // 66
  {"{F31C3757-F178-92E7-9FED-584D5CA7F8B1}"},  // 67
  {kHttpWrapRegistration.typeLib},  // 68
  {kCoreRegistration.typeLib},  // 69
  {kTrayRegistration.typeLib},  // 70
  {"{13CECEE9-4C17-A203-327E-B48AD6CCDAB1}"},  // 71
  {"{252E5432-6AC9-9EA9-B9ED-D6D90E111F40}"},  // 72
  {"{68B7402F-CCA1-69F5-5754-82F7B727DBA5}"},  // 73
  {"{0BCAFBB1-EDA2-14D1-6151-29023E4881F6}"},  // 74
  {"{8970B2CF-5421-019C-F069-0878C09D6FEE}"},  // 75
  {"{F7ED8174-A132-B393-D519-9BE30C7F3ED7}"},  // 76
  {kUpdaterClassId},  // 77
};
constexpr RemovalRow kMachineProtocolHandler[] = {
  {"s-http"},  // 78
};
// Only the product's own name-space handler: the other handlers under the same keys are other
// software's.
constexpr RemovalRow kMachineNameSpaceHandler[] = {
  {R"(Name-Space Handler\http\s-http)"},  // 79
};
constexpr RemovalRow kMachineDownloadRecord[] = {
  {kUpdaterClassId},  // 80
};
constexpr RemovalRow kMachineModuleUsage[] = {
  {"C:/Windows/System32/VelUpdateAdm.dll"},  // 81
};
constexpr RemovalRow kMachineProductKey[] = {
  {kProductKeyName},  // 82
};
constexpr RemovalGroup kRegularGroups[] = {
  {R"(SOFTWARE\Classes\CLSID)", kMachineClasses},
  {R"(SOFTWARE\Classes\AppID)", kMachineAppIds},
  {R"(SOFTWARE\Classes)", kMachineProgIds},
  {R"(SOFTWARE\Classes\Interface)", kMachineInterfaces},
  {R"(SOFTWARE\Classes\TypeLib)", kMachineTypeLibs},
  {R"(SOFTWARE\Classes\PROTOCOLS\Handler)", kMachineProtocolHandler},
  {R"(SOFTWARE\Classes\PROTOCOLS)", kMachineNameSpaceHandler},
  {R"(SOFTWARE\Microsoft\Code Store Database\Distribution Units)", kMachineDownloadRecord},
  {R"(SOFTWARE\Microsoft\Windows\CurrentVersion\ModuleUsage)", kMachineModuleUsage},
  {R"(SOFTWARE\Veltora)", kMachineProductKey},
};

// Per user, as an installation without administrator rights writes them. Row 58 takes only the
// product's own protocol and name-space handler below the user's PROTOCOLS key: the handlers of
// other software stay.
constexpr std::string_view kUserProtocolKeys[] = {kProtocolHandlerKey, kNameSpaceHandlerKey};

constexpr RemovalRow kUserSoftwareAppIds[] = {
  {kHttpWrapRegistration.appId},  // 01
  {"VelHttp.DLL"},  // 02
};
constexpr RemovalRow kUserAppIds[] = {
  {"{DD01472C-93C1-80E2-2A84-D0AAA9FC833C}"},  // 03
  {"{1EAC8F66-1BCE-4C0A-2344-C98776E75AAF}"},  // 04
  {"{8BDD389E-0A5E-D068-93E5-73B7B4F03F14}"},  // 05
  {"{4E1D8E17-CC6B-4142-827E-1DFAEEE826D7}"},  // 06
  {"{A69CB4C3-E2A1-EE5B-4240-BB5C0933DA7A}"},  // 07
  {"{7B6CD0DA-A16E-1118-BA20-0D4D6BE1AB0B}"},  // 08
  {kCoreRegistration.appId},  // 09
  {"VelUpdUser.DLL"},  // 10
  {"VelCookie2.DLL"},  // 11
  {"VelProto.DLL"},  // 12
  {"VelPubCert.DLL"},  // 13
  {"VelSpeed2.DLL"},  // 14
  {"VelContents.DLL"},  // 15
  {"VelUpdLauncher.EXE"},  // 16
};
constexpr RemovalRow kUserClasses[] = {
  {kCoreClassId},  // 17
  {kUpdaterClassId},  // 18
  {"{3241092B-0870-0E70-1FFC-406409394A52}"},  // 19
  {kTrayClassId},  // 20
  {"{FB703473-AC78-61F0-E548-0C3396BCDB87}"},  // 21
  {kPubCertClassId},  // 22
  {kHttpWrapClassId},  // 23
  {"{1465513C-D7CF-0217-7769-6AFA8231ED32}"},  // 24
};
constexpr RemovalRow kUserProgIds[] = {
  {kHttpWrapRegistration.versionIndependentProgId},  // 25
  {kHttpWrapRegistration.progId},  // 26
  {"VELTORA.UpdaterPerUser"},  // 27
  {"VELTORA.UpdaterPerUser.1"},  // 28
  {kTrayRegistration.versionIndependentProgId},  // 29
  {kTrayRegistration.progId},  // 30
  {"VelCookie2.CCookieModule"},  // 31
  {"VelCookie2.CCookieModule.1"},  // 32
  {kCoreRegistration.versionIndependentProgId},  // 33
  {kCoreRegistration.progId},  // 34
  {"VelPubCert.PubCertModule"},  // 35
  {"VelPubCert.PubCertModule.1"},  // 36
  {"VelSpeed2.CSpeedModule"},  // 37
  {"VelSpeed2.CSpeedModule.1"},  // 38
  {"VelUpdLauncher.Launcher"},  // 39
  {"VelUpdLauncher.Launcher.1"},  // 40
};
constexpr RemovalRow kUserInterfaces[] = {
  {"{50090510-7B67-6850-1FC7-202658868752}"},  // 41
  {kPubCertInterfaceId},  // 42
  {"{27F4532D-C81A-5ADD-1954-594577958B97}"},  // 43
  {"{DD9D29C7-3A8F-3856-E744-0311A95B2B30}"},  // 44
  {kIfaceClassId},  // 45
  {"{E34A5803-9C1C-50CB-2A7A-8CD7DC43FA5F}"},  // 46
  {"{AA5875B3-C7B4-644D-E22B-21585E50E484}"},  // 47
  {"{3E7F49FA-D229-0CAE-6579-082FDDBB1F78}"},  // 48
  {"{0EFCFEBC-EB44-55F2-39A1-7411B486F976}"},  // 49
};
constexpr RemovalRow kUserTypeLibs[] = {
  {kCoreRegistration.typeLib},  // 50
  {"{CE0E2934-F985-BD6C-9E05-63F21CBE29B2}"},  // 51
  {"{68B7402F-CCA1-69F5-5754-82F7B727DBA5}"},  // 52
  {"{252E5432-6AC9-9EA9-B9ED-D6D90E111F40}"},  // 53
  {kHttpWrapRegistration.typeLib},  // 54
  {"{73FA7FC0-8A3B-0CFB-51E9-3A812279B71D}"},  // 55
  {"{13CECEE9-4C17-A203-327E-B48AD6CCDAB1}"},  // 56
  {kTrayRegistration.typeLib},  // 57
};
constexpr RemovalRow kUserProtocols[] = {
  {R"(PROTOCOLS\Handler\s-http, PROTOCOLS\Name-Space Handler\http\s-http)", kUserProtocolKeys},  // 58
};
constexpr RemovalRow kUserProductKey[] = {
  {"CALYRAWebV7"},  // 59
};
constexpr RemovalGroup kStandardGroups[] = {
  {R"(SOFTWARE\AppID)", kUserSoftwareAppIds},
  {R"(SOFTWARE\Classes\AppID)", kUserAppIds},
  {R"(SOFTWARE\Classes\CLSID)", kUserClasses},
  {R"(SOFTWARE\Classes)", kUserProgIds},
  {R"(SOFTWARE\Classes\Interface)", kUserInterfaces},
  {R"(SOFTWARE\Classes\TypeLib)", kUserTypeLibs},
  {R"(SOFTWARE\Classes)", kUserProtocols},
  {R"(SOFTWARE\Veltora)", kUserProductKey},
};
}  // namespace

const Cleanup kRegularUserCleanup = {
    "regular",
    "일반사용자용 Mendrel 모듈을 레지스트리에서 등록해제 하시겠습니까 ?\n"
    "관리자권한으로 실행되지 않으면 기능 수행이 안됩니다. 확인하세요!!",
    "일반사용자용 CALYRA Web 7.0 모듈을 레지스트리에서 등록 해제를 시작합니다.",
    "일반사용자용 CALYRA Web 7.0 모듈의 레지스트리 등록 해제를 완료하였습니다.",
  {platform::kLocalMachine, "HKEY_LOCAL_MACHINE", kRegularGroups},
};

const Cleanup kStandardUserCleanup = {
    "standard",
    "표준사용자용 Mendrel 모듈을 레지스트리에서 등록해제 하시겠습니까 ?",
    "표준사용자용 CALYRA Web 7.0 모듈을 레지스트리에서 등록 해제를 시작합니다.",
    "표준사용자용 CALYRA Web 7.0 모듈의 레지스트리 등록 해제를 완료하였습니다.",
  {platform::kCurrentUser, "HKEY_CURRENT_USER", kStandardGroups},
};

const Cleanup* CleanupOfKind(std::string_view kind) {
  for (const Cleanup* cleanup : {&kRegularUserCleanup, &kStandardUserCleanup}) {
    if (platform::EqualsIgnoringCase(kind, cleanup->kind)) return cleanup;
  }
  return nullptr;
}

namespace {

// What the undo file came to: its path (empty when no key of the list exists), or the failure and
// the key where the walk stopped, if it did; and what the walk holds for the removal.
struct UndoFile {
  std::string path;
  long status = 0;
  UndoWalk walk = {};
};

UndoFile WriteUndoFile(const Cleanup& cleanup, const platform::Ports& ports, const std::string& folder) {
  const std::string name = UndoFileName(cleanup.kind, ports.system.ComputerName(), ports.system.Now());
  UndoFile undo{PathIn(folder, name)};
  undo.status = UndoFileText(ports.registry, cleanup.list, ports.system.UserSid(), &undo.walk);
  if (undo.status != 0) return undo;
  if (undo.walk.keys == 0) {
    undo.path.clear();
    return undo;
  }
  // Without a folder of its own the file would land wherever the current folder happens to be.
  if (folder.empty()) {
    undo.status = platform::kErrorPathNotFound;
    return undo;
  }
  // Never over an earlier one, which may hold what an earlier run removed.
  const std::string first = undo.path;
  undo.status = WriteNewFile(ports.files, first, UndoFileBytes(undo.walk.text), &undo.path);
  return undo;
}

}  // namespace

CleanupRun RunCleanup(const Cleanup& cleanup, const platform::Ports& ports, ReportLog& report,
                      const std::string& undoFolder) {
  // Before the first removal: what cannot be put back is not taken away.
  UndoFile undo = WriteUndoFile(cleanup, ports, undoFolder);
  if (undo.status != 0) {
    // The key and value where the walk stopped come first: a reason alone would read as the folder's.
    std::vector<std::pair<std::string_view, std::string>> facts;
    if (!undo.walk.stopKey.empty()) facts.emplace_back("키 : ", platform::Utf16ToUtf8(undo.walk.stopKey));
    if (undo.walk.stopValue) facts.emplace_back("값 : ", std::to_string(*undo.walk.stopValue) + "번째 값");
    facts.emplace_back("파일 : ", undo.path);
    facts.emplace_back("사유 : ", ReasonText(ports.system, undo.status));
    report.AppendReportLine(0, kUndoNotWritten);
    std::string message = std::string(kUndoNotWritten) + "\r\n";
    for (const auto& [label, text] : facts) {
      report.AppendReportLine(1, label, text);
      message.append("\r\n").append(label).append(text);
    }
    return {CleanupOutcome::notStarted, message, {}, {}};
  }
  report.AppendReportLine(0, cleanup.startLine);
  report.AppendReportLine(0, "");
  report.AppendReportLine(0, ReportSeparator);
  report.AppendReportLine(0, "");
  CleanupRun run{CleanupOutcome::allRemoved, {}, undo.path,
                 RemoveCleanupList(ports.registry, report, cleanup.list, &undo.walk.held)};
  report.AppendReportLine(0, ReportSeparator);
  report.AppendReportLine(0, cleanup.endLine);
  report.AppendReportLine(0, ReportSeparator);
  report.AppendReportLine(0, "");
  if (undo.path.empty()) {
    report.AppendReportLine(0, "정리할 키가 없어 백업 파일을 만들지 않았습니다.");
  } else {
    report.AppendReportLine(0, "정리 전 레지스트리 백업 파일 : ", undo.path);
    report.AppendReportLine(0, "이 파일을 레지스트리에 등록하면 정리 전 상태로 복원됩니다.");
  }
  for (const RemovalOutcome& row : run.rows) {
    if (row.state == RemovalOutcome::State::remains) run.outcome = CleanupOutcome::someNotRemoved;
  }
  return run;
}
