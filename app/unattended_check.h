#pragma once
// The check run without the dialog, for help desks that diagnose a PC remotely or by script:
//   MendrelDiag.exe /check [host] [/out FILE]
// It runs what the start button runs, writes the report to a file and ends with the run's result
// code. Nothing in it waits for an answer.
#include <string>
#include <string_view>
#include <vector>

#include "app/diag_session.h"

struct CommandLine {
  enum class Mode { dialog, usage, check, invalid };
  Mode mode = Mode::dialog;
  std::string host;
  std::string outPath;  // empty: the standard report name in the current folder
};

// The arguments after the program's name. Option names ignore case; "/?" anywhere asks for the usage.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

extern const std::string_view kUsage;

// Exit statuses besides the run's result code (-1 to 8).
constexpr int kExitBadArguments = 2;
constexpr int kExitRepairFileFailed = 9;   // the report is written, with the reason
constexpr int kExitReportNotWritten = 10;

// The dialog's view for a run that nobody watches: the host given on the command line, and Yes to
// the question for an empty host (the server tests are skipped).
class ReportOnlyView final : public platform::DialogView {
public:
  explicit ReportOnlyView(std::string host) : m_host(std::move(host)) {}
  // The report lives in the report log; there is no box to mirror it in and nobody to tell.
  void ClearReport() override {}
  void AppendReport(std::string_view) override {}
  std::string ReadHost() override { return m_host; }
  bool ConfirmYesNo(const std::string&) override { return true; }
  void ShowError(const std::string&) override {}
  void ShowInfo(const std::string&) override {}

private:
  std::string m_host;
};

// Runs the check over a session with a ReportOnlyView and writes the report to outPath (empty: the
// standard name in the current folder). Returns the exit status; when the report could not be
// written, *failure is the message that names the file and the reason.
int RunUnattendedCheck(DiagSession& session, platform::FileSystem& files, platform::System& system,
                       const std::string& outPath, std::string* failure);
