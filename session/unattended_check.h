#pragma once
// The check run and the clean-ups without the dialog, for help desks that diagnose or clean up a PC
// remotely or by script:
//   MendrelDiag.exe /check [host] [/out FILE] [/json FILE]
//   MendrelDiag.exe /cleanup regular|standard [/out FILE] [/json FILE]
// Each runs what its button runs, writes the report to a file (and the JSON document of the same
// run when asked, /json alone: the document instead of the report) and ends with an exit
// status from the table below. Nothing in it waits for an answer: the command itself is the
// clean-up's confirmation.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "session/diag_session.h"

struct CommandLine {
  enum class Mode { dialog, usage, check, cleanup, invalid };
  Mode mode = Mode::dialog;
  std::string host;
  const Cleanup* cleanup = nullptr;  // for Mode::cleanup
  std::string outPath;   // empty: the standard report name in the current folder, unless jsonPath
  std::string jsonPath;  // empty: no JSON document (a check only)
};

// The arguments after the program's name. Option names ignore case; "/?" anywhere asks for the usage.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The exit statuses besides the check's result codes (-1 to 8). Scripts rely on every number;
// those the program chose itself follow the result codes, the others are the system's own codes
// for the same cause, so that no status means two things.
enum class ExitStatus : int {
  repairFileNotWritten = 9,  // the report is written, ending with the reason
  reportNotWritten = 10,
  rowsNotRemoved = 11,     // a clean-up row failed or was denied; the others are done
  undoFileNotWritten = 12,  // a clean-up removed nothing; the report ends with the reason
  runBrokenOff = 1359,   // ERROR_INTERNAL_ERROR: an unexpected failure; the report ends with it
  badArguments = 1639,   // ERROR_INVALID_COMMAND_LINE
};

constexpr int StatusOf(ExitStatus status) { return static_cast<int>(status); }

struct ExitStatusInfo {
  int status;
  std::string_view meaning;  // for the usage text
};

// Every exit status of a run without the dialog, result codes first.
std::vector<ExitStatusInfo> ExitStatuses();

// How to call the program, with the table of exit statuses.
std::string UsageText();

// The last line of a report whose run broke off unexpectedly.
std::string BrokenOffLine(std::string_view reason);

// The dialog's view for a run that nobody watches: the host given on the command line, and Yes to
// the one question the command answered itself (for /check the question for an empty host, whose
// server tests are then skipped; for /cleanup that clean-up's confirmation). Any other question is a
// fault of the program: it breaks the run off rather than answer for a user who is not there.
class ReportOnlyView final : public DialogView {
public:
  explicit ReportOnlyView(std::string host, Question answered = Question::runWithoutHost)
      : m_host(std::move(host)), m_answered(answered) {}
  std::string ReadHost() override { return m_host; }
  bool ConfirmYesNo(Question question, const std::string& text) override {
    if (question != m_answered) throw std::logic_error("unattended run asked: " + text);
    return true;
  }
  // The report lives in the report log; there is nobody to tell.
  void ShowError(const std::string&) override {}
  void ShowInfo(const std::string&) override {}
  std::optional<SaveChoice> ChooseSaveFile(const std::string&) override { return std::nullopt; }
  bool PutOnClipboard(const std::string&) override { return false; }

private:
  std::string m_host;
  Question m_answered;
};

// Runs the check over a session with a ReportOnlyView and writes what the command line asks for:
// the report to outPath (empty: the standard name in the current folder, unless only the document
// is asked for), the JSON document to jsonPath. Returns the exit status; when a file could not be
// written, *failure is the message that names it and the reason (each such message, one after the
// other).
int RunUnattendedCheck(DiagSession& session, const CommandLine& command, std::string* failure);

// Runs the clean-up over a session whose view answers its confirmation, with the undo file beside
// the report, and writes the report as RunUnattendedCheck does. Returns the exit status: 0 when every
// row reported success.
int RunUnattendedCleanup(DiagSession& session, const CommandLine& command, std::string* failure);
