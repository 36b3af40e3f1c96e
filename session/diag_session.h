#pragma once
// The commands of the main dialog, free of any window: the dialog reads its controls through the
// view and forwards each command here. A run without the dialog uses the same commands over a view
// that answers for the command line.
#include <optional>
#include <string>
#include <string_view>

#include "checks/check_context.h"
#include "platform/ports.h"
#include "repair/cleanup_lists.h"
#include "report/report_log.h"
#include "session/dialog_view.h"

// The question before a run without a host; the only one a run without the dialog may answer.
inline constexpr std::string_view kNoHostQuestion =
    "대상 호스트를 지정하지 않으면 테스트를 진행하지 않습니다. 계속하시겠습니까?";

// The question that confirms a clean-up.
Question ConfirmationOf(const Cleanup& cleanup);

class DiagSession {
public:
  // A session whose report nobody watches: a run without the dialog.
  DiagSession(const platform::Ports& ports, DialogView& view) : m_ports(ports), m_view(view) {}
  // The dialog's session: the report shows in mirror as it grows.
  DiagSession(const platform::Ports& ports, DialogView& view, ReportMirror& mirror)
      : m_ports(ports), m_view(view), m_report(mirror) {}

  // The dialog's commands.

  // The start button and Enter: the run's result code, nothing when the user declines to run
  // without a host. A repair file that cannot be written raises FileError.
  std::optional<CheckResult> OnStartCheck();
  // Opens the product's install folder in the shell's file browser.
  void OnInstallFolder();
  void OnRegistryEditor();
  // The two registry clean-ups: machine-wide and per-user installations. Each asks first; the undo
  // file goes to the user's documents folder: a program run as administrator starts in the system
  // folder.
  CleanupOutcome OnCleanupRegularUsers();
  CleanupOutcome OnCleanupStandardUsers();
  // The system menu's save: the user chooses a file and whether it holds the report or the JSON
  // document, offered the standard name; a failure is shown.
  void OnSaveReport();
  // The system menu's copy: the report on the clipboard; a failure is shown.
  void OnCopyReport();

  // What the runs without the dialog need besides.

  // A clean-up whose undo file goes beside the report file at reportPath.
  CleanupRun RunCleanupBeside(const Cleanup& cleanup, const std::string& reportPath);
  // MendrelDiag-<computer name>-<yyyyMMdd-HHmmss>.txt, for this moment.
  std::string StandardReportName();
  // The standard name in the folder where a clean-up without the dialog writes its report and undo
  // file when no file is named: the current folder, unless that is the system folder (where an
  // elevated prompt or a job run as SYSTEM starts, and whose files a 32-bit program would name where
  // they are not): then the user's documents folder.
  std::string StandardCleanupReportPath();
  // Writes the report to path: the message that names the file and the system's reason, or nothing.
  std::string SaveReportTo(const std::string& path);
  // Writes the JSON document of what filled the report, a check run or a clean-up, to path, with the
  // exit status of a run without the dialog; the message that names the file and the system's
  // reason, or nothing.
  std::string SaveDocumentTo(const std::string& path, std::optional<int> exitStatus = std::nullopt);
  // Ends the report with text (lines ending in CR LF) that the run itself did not write: why it
  // stopped.
  void EndReportWith(std::string_view text);

  const ReportLog& Report() const { return m_report; }
  const DiagState& State() const { return m_state; }

private:
  // Carries out the verdict on the run's result: writes the repair file first, then appends the
  // advice and records it, then removes the kill-bit keys.
  void ShowVerdict(CheckResult result);
  // One line after the verdict separator: in the report and in its findings' advice.
  void Advise(int level, std::string_view text);
  // Asks the clean-up's confirmation; on Yes empties the report and runs it with the undo file in
  // undoFolder. When the undo file is not written, a stop box says why.
  CleanupRun ConfirmAndRunCleanup(const Cleanup& cleanup, const std::string& undoFolder);

  platform::Ports m_ports;
  DialogView& m_view;
  ReportLog m_report;
  DiagState m_state;
  platform::LocalTime m_started;
  std::optional<CheckResult> m_result;  // of the last run, once its checks ended
  // The clean-up that filled the report, when it was the last command: a document saved now is its.
  const Cleanup* m_cleanup = nullptr;
  CleanupRun m_cleanupRun;
};
