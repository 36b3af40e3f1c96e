#include "session/diag_session.h"

#include <string_view>

#include "session/report_document.h"
#include "checks/check_sequence.h"
#include "checks/component_catalogue.h"
#include "checks/installation_checks.h"
#include "platform/ascii.h"
#include "repair/cleanup_lists.h"
#include "repair/repair_files.h"
#include "report/report_file.h"

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
  m_result.reset();
  m_state.m_strHost = m_view.ReadHost();
  if (m_state.m_strHost.empty() && !m_view.ConfirmYesNo(std::string(kNoHostQuestion))) return std::nullopt;

  m_started = m_ports.system.Now();
  CheckContext ctx{m_ports, m_report, m_state};
  const CheckResult result = RunChecks(ctx);
  m_result = result;
  m_report.AppendReportLine(0, VerdictSeparator);
  // The verdict writes no section heading: its lines are the last ones of the last section.
  const std::size_t adviceStart = m_report.Sections().back().lines.size();
  ShowVerdict(result);
  for (std::size_t i = adviceStart; i < m_report.Sections().back().lines.size(); ++i) {
    m_report.Found().advice.push_back(m_report.Sections().back().lines[i].text);
  }
  m_report.AppendReportLine(0, "");
  m_report.AppendReportLine(0, "모든 검사 프로세스가 완료되었습니다.");
  return result;
}

void DiagSession::ShowVerdict(CheckResult result) {
  if (const RepairFile* repair = RepairFileFor(result)) {
    WriteRepairFile(*repair, m_ports.files, m_ports.system, m_state);
    const std::string name(repair->name);
    m_report.Found().repairFiles.push_back(m_ports.files.FullPath(name).value_or(name));
    // Two of the advice lines quote the name with a blank after it and have none before the tail.
    const bool blank = repair->blankInAdviceQuotes;
    std::string line = "***** 생성된 레지스트리 파일 \"";
    line.append(repair->name).append(blank ? " \"" : "\"").append(blank ? kTail : kTailAfterBlank);
    m_report.AppendReportLine(0, line);
    return;
  }
  switch (result) {
    case CheckResult::serverTestFailed:
      m_report.AppendReportLine(0, "***** 테스트 실패 : 일반오류 입니다. 사용자 PC의 환경을 확인하세요.");
      break;
    case CheckResult::notInstalled:
      m_report.AppendReportLine(0, "***** CALYRA Web 7.0 클라이언트를 새로 설치하는 것을 권장합니다.");
      break;
    case CheckResult::networkFiltered:
      m_report.AppendReportLine(
          0, "***** 테스트 실패 : 네트워크 환경으로 인한 오류 입니다. 네트워크 환경을 확인하세요.");
      break;
    case CheckResult::killBitSet:
      m_report.AppendReportLine(0,
                                "***** 테스트 실패 : 브라우저의 인터넷 설정으로 인하여 CALYRA Web 7.0 "
                                "클라이언트의 작동이 제한되고 있습니다.");
      RemoveKillBitKeys(m_ports.registry, m_report);
      break;
    default:  // passed, and the codes whose advice is a repair file: none
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
    m_view.ShowInfo("CALYRA Web 7.0 클라이언트의 설치 폴더를 찾을 수 없습니다.");
    return;
  }
  m_ports.shell.Execute("explore", folder, folder);
}

void DiagSession::OnRegistryEditor() { m_ports.shell.Execute("open", "regedit.exe", ""); }

void DiagSession::CleanupRegularUsers() {
  RunCleanup(kRegularUserCleanup, m_ports, m_view, m_report, m_ports.shell.DocumentsFolder());
}

void DiagSession::CleanupStandardUsers() {
  RunCleanup(kStandardUserCleanup, m_ports, m_view, m_report, m_ports.shell.DocumentsFolder());
}

CleanupOutcome DiagSession::RunCleanupBeside(const Cleanup& cleanup, const std::string& reportPath) {
  return RunCleanup(cleanup, m_ports, m_view, m_report, FolderOf(m_ports.files.FullPath(reportPath).value_or(reportPath)));
}

std::string DiagSession::StandardReportName() {
  return ReportFileName(m_ports.system.ComputerName(), m_ports.system.Now());
}

std::string DiagSession::SaveReportTo(const std::string& path) {
  return SaveReport(m_ports.files, m_ports.system, path, m_report.Text());
}

std::string DiagSession::SaveDocumentTo(const std::string& path, std::optional<int> exitStatus) {
  const RunRecord run{m_ports.system.ComputerName(), m_started, m_state.m_strHost, m_result, exitStatus};
  return SaveBytes(m_ports.files, m_ports.system, path, ReportDocumentBytes(run, m_report));
}

void DiagSession::EndReportWith(std::string_view text) {
  for (std::size_t end; (end = text.find("\r\n")) != std::string_view::npos; text.remove_prefix(end + 2)) {
    m_report.AppendReportLine(0, text.substr(0, end));
  }
  if (!text.empty()) m_report.AppendReportLine(0, text);
}

void DiagSession::OnSaveReport() {
  const std::optional<platform::SaveChoice> chosen = m_view.ChooseSaveFile(StandardReportName());
  if (!chosen) return;
  std::string path = chosen->path;
  const bool json = chosen->fileType == platform::kJsonFileType;
  // The dialog offers the standard name with its .txt: a document chosen as such gets its own ending.
  if (json && path.size() > 4 && platform::EqualsIgnoringCase(path.substr(path.size() - 4), ".txt")) {
    path.replace(path.size() - 4, 4, ".json");
    // The dialog asked about replacing the name it showed, not this one.
    if (m_ports.files.Exists(path) && !m_view.ConfirmYesNo(path + " 파일이 이미 있습니다. 바꾸시겠습니까?")) return;
  }
  const std::string failure = json ? SaveDocumentTo(path) : SaveReportTo(path);
  if (!failure.empty()) m_view.ShowError(failure);
}

void DiagSession::OnCopyReport() {
  if (!m_view.PutOnClipboard(m_report.Text())) {
    m_view.ShowError("보고서를 클립보드에 복사하지 못했습니다. 다른 프로그램이 클립보드를 쓰고 있다면 잠시 후 다시 시도하세요.");
  }
}
