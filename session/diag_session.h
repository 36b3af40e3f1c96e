#pragma once
// The commands of the main dialog, free of any window: the dialog reads its controls through the
// view port and forwards each command here. A run without the dialog uses the same commands over a
// view that nobody watches.
#include <optional>
#include <string>
#include <string_view>

#include "checks/check_context.h"
#include "platform/dialog_view.h"
#include "platform/ports.h"
#include "repair/cleanup_lists.h"
#include "report/report_log.h"

// The question before a run without a host; the only one a run without the dialog may answer.
inline constexpr std::string_view kNoHostQuestion =
    "대상 호스트를 지정하지 않으면 테스트를 진행하지 않습니다. 계속하시겠습니까?";

class DiagSession {
public:
  DiagSession(const platform::Ports& ports, platform::DialogView& view)
      : m_ports(ports), m_view(view), m_report(view) {}

  // The start button and Enter: the run's result code, nothing when the user declines to run
  // without a host. A repair file that cannot be written raises FileError.
  std::optional<CheckResult> OnStartCheck();
  // The run's advice for its code: writes the repair file first, or removes the kill-bit keys after.
  void ShowVerdict(CheckResult result);
  // Opens the product's install folder in the shell's file browser.
  void OnInstallFolder();
  void OnRegistryEditor();
  // The two registry clean-ups: machine-wide and per-user installations. The undo file goes to the
  // user's documents folder: a program run as administrator starts in the system folder.
  void CleanupRegularUsers();
  void CleanupStandardUsers();
  // A clean-up whose undo file goes beside the report file at reportPath.
  CleanupOutcome RunCleanupBeside(const Cleanup& cleanup, const std::string& reportPath);

  // The system menu's save: the user chooses a file and whether it holds the report or the JSON
  // document, offered the standard name; a failure is shown.
  void OnSaveReport();
  // The system menu's copy: the report on the clipboard; a failure is shown.
  void OnCopyReport();
  // MendrelDiag-<computer name>-<yyyyMMdd-HHmmss>.txt, for this moment.
  std::string StandardReportName();
  // Writes the report to path: the message that names the file and the system's reason, or nothing.
  std::string SaveReportTo(const std::string& path);
  // Writes the run's JSON document to path, with the exit status of a run without the dialog; the
  // message that names the file and the system's reason, or nothing.
  std::string SaveDocumentTo(const std::string& path, std::optional<int> exitStatus = std::nullopt);
  // Ends the report with text (lines ending in CR LF) that the run itself did not write: why it
  // stopped.
  void EndReportWith(std::string_view text);

  const ReportLog& Report() const { return m_report; }
  const DiagState& State() const { return m_state; }

private:
  platform::Ports m_ports;
  platform::DialogView& m_view;
  ReportLog m_report;
  DiagState m_state;
  platform::LocalTime m_started;
  std::optional<CheckResult> m_result;  // of the last run, once its checks ended
};
