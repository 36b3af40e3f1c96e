#include "session/diag_session.h"

#include <string_view>

#include "session/report_document.h"
#include "checks/check_sequence.h"
#include "checks/installation_checks.h"
#include "checks/verdict.h"
#include "platform/ascii.h"
#include "platform/system_folder.h"
#include "repair/cleanup_lists.h"
#include "repair/kill_bit.h"
#include "repair/repair_files.h"
#include "report/report_file.h"

Question ConfirmationOf(const Cleanup& cleanup) {
  return &cleanup == &kStandardUserCleanup ? Question::cleanupStandard : Question::cleanupRegular;
}

std::optional<CheckResult> DiagSession::OnStartCheck() {
  m_report.Clear();
  m_result.reset();
  m_cleanup = nullptr;
  m_state.m_strHost = m_view.ReadHost();
  if (m_state.m_strHost.empty() && !m_view.ConfirmYesNo(Question::runWithoutHost, std::string(kNoHostQuestion))) return std::nullopt;

  m_started = m_ports.system.Now();
  CheckContext ctx{m_ports, m_report, m_state};
  const CheckResult result = RunChecks(ctx);
  m_result = result;
  m_report.AppendReportLine(0, VerdictSeparator);
  ShowVerdict(result);
  m_report.AppendReportLine(0, "");
  m_report.AppendReportLine(0, "모든 검사 프로세스가 완료되었습니다.");
  return result;
}

void DiagSession::ShowVerdict(CheckResult result) {
  const Verdict verdict = VerdictFor(result);
  if (!verdict.repairFile.empty()) {
    WriteRepairFile(*RepairFileFor(result), m_ports.files, m_ports.system, m_state);
    const std::string name(verdict.repairFile);
    m_report.Found().repairFiles.push_back(m_ports.files.FullPath(name).value_or(name));
  }
  for (const std::string& line : verdict.advice) Advise(0, line);
  if (verdict.removesKillBitKeys) {
    for (const ReportLine& line : RemoveKillBitKeys(m_ports.registry)) Advise(line.level, line.text);
  }
}

void DiagSession::Advise(int level, std::string_view text) {
  m_report.AppendReportLine(level, text);
  m_report.Found().advice.emplace_back(text);
}

void DiagSession::OnInstallFolder() {
  const std::string folder = ReadInstallFolder(m_ports.registry).folder;
  // Without a folder the shell would open some default place instead: say so rather than guess.
  if (folder.empty()) {
    m_view.ShowInfo("CALYRA Web 7.0 클라이언트의 설치 폴더를 찾을 수 없습니다.");
    return;
  }
  m_ports.shell.Execute("explore", folder, folder);
}

void DiagSession::OnRegistryEditor() { m_ports.shell.Execute("open", "regedit.exe", ""); }

CleanupOutcome DiagSession::OnCleanupRegularUsers() {
  return ConfirmAndRunCleanup(kRegularUserCleanup, m_ports.shell.DocumentsFolder()).outcome;
}

CleanupOutcome DiagSession::OnCleanupStandardUsers() {
  return ConfirmAndRunCleanup(kStandardUserCleanup, m_ports.shell.DocumentsFolder()).outcome;
}

CleanupRun DiagSession::RunCleanupBeside(const Cleanup& cleanup, const std::string& reportPath) {
  const std::string folder = FolderOf(m_ports.files.FullPath(reportPath).value_or(reportPath));
  return ConfirmAndRunCleanup(cleanup, platform::PathAsStored(m_ports.system, folder));
}

CleanupRun DiagSession::ConfirmAndRunCleanup(const Cleanup& cleanup, const std::string& undoFolder) {
  if (!m_view.ConfirmYesNo(ConfirmationOf(cleanup), std::string(cleanup.confirmation))) {
    return {CleanupOutcome::declined, {}};
  }
  m_report.Clear();
  m_result.reset();
  m_started = m_ports.system.Now();
  m_cleanup = &cleanup;
  m_cleanupRun = RunCleanup(cleanup, m_ports, m_report, undoFolder);
  if (m_cleanupRun.outcome == CleanupOutcome::notStarted) m_view.ShowError(m_cleanupRun.notStartedMessage);
  return m_cleanupRun;
}

std::string DiagSession::StandardReportName() {
  return ReportFileName(m_ports.system.ComputerName(), m_ports.system.Now());
}

std::string DiagSession::StandardCleanupReportPath() {
  const std::string name = StandardReportName();
  const std::string documents = m_ports.shell.DocumentsFolder();
  const std::optional<std::string> path = m_ports.files.FullPath(name);
  if (documents.empty() || !path || !platform::IsSystemFolder(m_ports.system, FolderOf(*path))) return name;
  return PathIn(documents, name);
}

std::string DiagSession::SaveReportTo(const std::string& path) {
  return SaveReport(m_ports.files, m_ports.system, path, m_report.Text());
}

std::string DiagSession::SaveDocumentTo(const std::string& path, std::optional<int> exitStatus) {
  const RunRecord run{m_ports.system.ComputerName(), m_started, m_state.m_strHost, m_result, exitStatus};
  const std::string bytes = m_cleanup ? CleanupDocumentBytes(run, *m_cleanup, m_cleanupRun, m_report)
                                      : ReportDocumentBytes(run, m_report);
  return SaveBytes(m_ports.files, m_ports.system, path, bytes);
}

void DiagSession::EndReportWith(std::string_view text) {
  for (std::size_t end; (end = text.find("\r\n")) != std::string_view::npos; text.remove_prefix(end + 2)) {
    m_report.AppendReportLine(0, text.substr(0, end));
  }
  if (!text.empty()) m_report.AppendReportLine(0, text);
}

void DiagSession::OnSaveReport() {
  const std::optional<SaveChoice> chosen = m_view.ChooseSaveFile(StandardReportName());
  if (!chosen) return;
  std::string path = chosen->path;
  const bool json = chosen->fileType == kJsonFileType;
  // The dialog offers the standard name with its .txt: a document chosen as such gets its own ending.
  if (json && path.size() > 4 && platform::EqualsIgnoringCase(path.substr(path.size() - 4), ".txt")) {
    path.replace(path.size() - 4, 4, ".json");
    // The dialog asked about replacing the name it showed, not this one.
    if (m_ports.files.Exists(path) &&
        !m_view.ConfirmYesNo(Question::replaceFile, path + " 파일이 이미 있습니다. 바꾸시겠습니까?"))
      return;
  }
  const std::string failure = json ? SaveDocumentTo(path) : SaveReportTo(path);
  if (!failure.empty()) m_view.ShowError(failure);
}

void DiagSession::OnCopyReport() {
  if (!m_view.PutOnClipboard(m_report.Text())) {
    m_view.ShowError("보고서를 클립보드에 복사하지 못했습니다. 다른 프로그램이 클립보드를 쓰고 있다면 잠시 후 다시 시도하세요.");
  }
}
