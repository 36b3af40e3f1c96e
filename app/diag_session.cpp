#include "app/diag_session.h"

#include <string_view>

#include "checks/check_sequence.h"
#include "checks/component_catalogue.h"
#include "checks/installation_checks.h"
#include "repair/cleanup_lists.h"
#include "repair/repair_files.h"

namespace {

// The advice's tail after the quoted file name, exactly as the users know it.
constexpr std::string_view kTailAfterBlank = " 를 등록하시고 테스트를 새로 진행하시기 바랍니다.";
constexpr std::string_view kTail = "를 등록하시고 테스트를 새로 진행하시기 바랍니다.";

// Both kill-bit keys of the updater control: the per-user add-on setting and the machine's kill bit.
void RemoveKillBitKeys(platform::Registry& registry, ReportLog& report) {
  const struct {
    platform::KeyHandle root;
    std::string_view rootName;
    std::string path;
  } keys[] = {
      {platform::kCurrentUser, "HKEY_CURRENT_USER",
       std::string(R"(Software\Microsoft\Windows\CurrentVersion\Ext\Settings\)").append(kUpdaterClassId)},
      {platform::kLocalMachine, "HKEY_LOCAL_MACHINE", kKillBitKey},
  };
  report.AppendReportLine(0, "해당 키를 삭제합니다.");
  for (const auto& key : keys) {
    if (registry.DeleteKey(key.root, key.path) != platform::kErrorSuccess) {
      report.AppendReportLine(1, std::string(key.rootName) + "\\" + key.path +
                                     " 키 삭제에 실패하였습니다.레지스트리 편집기에서 삭제하여 주시기 바랍니다.");
    }
  }
}

}  // namespace

std::optional<CheckResult> DiagSession::OnStartCheck() {
  m_report.Clear();
  m_state.m_strHost = m_ports.view.ReadHost();
  if (m_state.m_strHost.empty() &&
      !m_ports.view.ConfirmYesNo("대상 호스트를 지정하지 않으면 테스트를 진행하지 않습니다. 계속하시겠습니까?")) {
    return std::nullopt;
  }

  CheckContext ctx{m_report,         m_ports.registry, m_ports.com,     m_ports.files,   m_ports.system,
                   m_ports.xmlHttp, m_ports.ipHelper, m_ports.volumes, m_ports.devices, m_state};
  const CheckResult result = RunChecks(ctx);
  m_report.AppendReportLine(0, VerdictSeparator);
  ShowVerdict(result);
  m_report.AppendReportLine(0, "");
  m_report.AppendReportLine(0, "모든 검사 프로세스가 완료되었습니다.");
  return result;
}

void DiagSession::ShowVerdict(CheckResult result) {
  if (const RepairFile* repair = RepairFileFor(result)) {
    WriteRepairFile(*repair, m_ports.files, m_ports.system, m_state);
    // Two of the advice lines quote the name with a blank after it and have none before the tail.
    const bool blank = repair->blankInAdviceQuotes;
    std::string line = "***** 생성된 레지스트리 파일 \"";
    line.append(repair->name).append(blank ? " \"" : "\"").append(blank ? kTail : kTailAfterBlank);
    m_report.AppendReportLine(0, line);
    return;
  }
  switch (result) {
    case -1:
      m_report.AppendReportLine(0, "***** 테스트 실패 : 일반오류 입니다. 사용자 PC의 환경을 확인하세요.");
      break;
    case 1:
      m_report.AppendReportLine(0, "***** CALYRA Web 7.0 클라이언트를 새로 설치하는 것을 권장합니다.");
      break;
    case 7:
      m_report.AppendReportLine(
          0, "***** 테스트 실패 : 네트워크 환경으로 인한 오류 입니다. 네트워크 환경을 확인하세요.");
      break;
    case 8:
      m_report.AppendReportLine(0,
                                "***** 테스트 실패 : 브라우저의 인터넷 설정으로 인하여 CALYRA Web 7.0 "
                                "클라이언트의 작동이 제한되고 있습니다.");
      RemoveKillBitKeys(m_ports.registry, m_report);
      break;
    default:  // 0 and unknown codes: no advice
      break;
  }
}

void DiagSession::OnInstallFolder() {
  std::string folder;
  {
    platform::RegKey key;
    if (platform::OpenKey(m_ports.registry, platform::kLocalMachine, kProductKey,
                          platform::kKeyRead, &key) == platform::kErrorSuccess)
      platform::ReadStringValue(m_ports.registry, key.get(), "Install_Dir", 256, &folder);
  }
  // Without a folder the shell would open some default place instead: say so rather than guess.
  if (folder.empty()) {
    m_ports.view.ShowInfo("CALYRA Web 7.0 클라이언트의 설치 폴더를 찾을 수 없습니다.");
    return;
  }
  m_ports.shell.Execute("explore", folder, folder);
}

void DiagSession::OnRegistryEditor() { m_ports.shell.Execute("open", "regedit.exe", ""); }

void DiagSession::CleanupRegularUsers() {
  RunCleanup(kRegularUserCleanup, m_ports.registry, m_ports.view, m_report);
}

void DiagSession::CleanupStandardUsers() {
  RunCleanup(kStandardUserCleanup, m_ports.registry, m_ports.view, m_report);
}
