#include "session/unattended_check.h"

#include "platform/ascii.h"
#include "repair/file_error.h"

namespace {

CommandLine OfMode(CommandLine::Mode mode) {
  CommandLine command;
  command.mode = mode;
  return command;
}

}  // namespace

std::vector<ExitStatusInfo> ExitStatuses() {
  std::vector<ExitStatusInfo> statuses;
  for (const CheckResultInfo& result : kCheckResults) statuses.push_back({CodeOf(result.result), result.meaning});
  statuses.insert(statuses.end(), {
                                      {StatusOf(ExitStatus::repairFileNotWritten), "레지스트리 파일 생성 실패"},
                                      {StatusOf(ExitStatus::reportNotWritten), "보고서 저장 실패"},
                                      {StatusOf(ExitStatus::rowsNotRemoved), "정리하지 못한 레지스트리 키 있음"},
                                      {StatusOf(ExitStatus::undoFileNotWritten),
                                       "백업 파일 생성 실패로 레지스트리 정리를 시작하지 않음"},
                                      {StatusOf(ExitStatus::runBrokenOff), "예기치 않은 오류로 검사 중단"},
                                      {StatusOf(ExitStatus::badArguments), "잘못된 인자"},
                                  });
  return statuses;
}

// Without tabs or columns: a message box sets it in a proportional font and wraps long lines.
std::string UsageText() {
  std::string text =
      "사용법: MendrelDiag.exe [/check [호스트] [/out 파일] [/json 파일]]\r\n"
      "        MendrelDiag.exe /cleanup regular|standard [/out 파일] [/json 파일]\r\n"
      "\r\n"
      "인자 없이 실행하면 검사 창을 엽니다.\r\n"
      "\r\n"
      "/check : 창 없이 검사를 진행하고 보고서를 파일로 저장합니다. "
      "호스트를 지정하지 않으면 서버 테스트를 건너뜁니다.\r\n"
      "/cleanup regular|standard : 창과 확인 없이 일반사용자용(regular) 또는 표준사용자용(standard) "
      "레지스트리 정리를 진행합니다. 정리 전 레지스트리 백업 파일을 보고서 파일과 같은 폴더에 만듭니다.\r\n"
      "/out 파일 : 보고서 파일입니다. 지정하지 않으면 현재 폴더의 "
      "MendrelDiag-<컴퓨터 이름>-<날짜-시각>.txt 입니다.\r\n"
      "/json 파일 : 같은 검사나 정리의 JSON 문서입니다. /out 없이 지정하면 보고서 대신 이 문서만 저장합니다.\r\n"
      "/? : 이 도움말을 표시합니다.\r\n"
      "\r\n"
      "종료 코드 :\r\n";
  for (const ExitStatusInfo& status : ExitStatuses()) {
    text.append(std::to_string(status.status)).append(" : ").append(status.meaning).append("\r\n");
  }
  return text;
}

std::string BrokenOffLine(std::string_view reason) {
  return "***** 예기치 않은 오류로 검사가 중단되었습니다 : " + std::string(reason) + "\r\n";
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine command;
  if (arguments.empty()) return command;
  for (const std::string& argument : arguments) {
    if (argument == "/?") return OfMode(CommandLine::Mode::usage);
  }
  const CommandLine invalid = OfMode(CommandLine::Mode::invalid);
  std::size_t next = 1;
  if (platform::EqualsIgnoringCase(arguments[0], "/check")) {
    command.mode = CommandLine::Mode::check;
    if (next < arguments.size() && !arguments[next].starts_with('/')) command.host = arguments[next++];
  } else if (platform::EqualsIgnoringCase(arguments[0], "/cleanup")) {
    command.mode = CommandLine::Mode::cleanup;
    if (next < arguments.size()) command.cleanup = CleanupOfKind(arguments[next++]);
    if (command.cleanup == nullptr) return invalid;
  } else {
    return invalid;
  }
  for (const auto& [option, path] : {std::pair{"/out", &command.outPath}, std::pair{"/json", &command.jsonPath}}) {
    if (next < arguments.size() && platform::EqualsIgnoringCase(arguments[next], option)) {
      if (next + 1 >= arguments.size() || arguments[next + 1].empty()) return invalid;
      *path = arguments[next + 1];
      next += 2;
    }
  }
  return next == arguments.size() ? command : invalid;
}

namespace {

// Where the report goes: the file named, else the standard name in the current folder, unless only
// the document is asked for (empty).
std::string ReportPath(DiagSession& session, const CommandLine& command) {
  if (!command.outPath.empty()) return command.outPath;
  return command.jsonPath.empty() ? session.StandardReportName() : std::string();
}

// Runs one command and writes what the command line asks for: the report to reportPath and the
// JSON document to command.jsonPath. A failure the command could not handle itself ends the report
// with its reason.
template <typename Command>
int RunAndSave(DiagSession& session, const CommandLine& command, const std::string& reportPath,
               std::string* failure, Command run) {
  int status = 0;
  std::string trailer;
  try {
    status = run();
  } catch (const FileError& error) {
    // The dialog shows this in a box and its report stops there; here the report carries it.
    trailer = error.Message() + "\r\n";
    status = StatusOf(ExitStatus::repairFileNotWritten);
  } catch (const std::exception& error) {
    // Whatever the run found so far is worth having, with the reason it stopped.
    trailer = BrokenOffLine(error.what());
    status = StatusOf(ExitStatus::runBrokenOff);
  }
  session.EndReportWith(trailer);
  failure->clear();
  if (!reportPath.empty()) *failure = session.SaveReportTo(reportPath);
  if (!failure->empty()) status = StatusOf(ExitStatus::reportNotWritten);
  if (!command.jsonPath.empty()) {
    // The document tells the status the run ends with, so it is written last.
    const std::string documentFailure = session.SaveDocumentTo(command.jsonPath, status);
    if (!documentFailure.empty()) {
      failure->append(failure->empty() ? "" : "\r\n").append(documentFailure);
      status = StatusOf(ExitStatus::reportNotWritten);
    }
  }
  return status;
}

}  // namespace

int RunUnattendedCheck(DiagSession& session, const CommandLine& command, std::string* failure) {
  return RunAndSave(session, command, ReportPath(session, command), failure, [&] {
    // Never empty: the view answers Yes when there is no host.
    return CodeOf(session.OnStartCheck().value_or(CheckResult::passed));
  });
}

int RunUnattendedCleanup(DiagSession& session, const CommandLine& command, std::string* failure) {
  // Named before the run: the undo file goes beside it, or beside the document when that is all.
  std::string reportPath = command.outPath;
  if (reportPath.empty() && command.jsonPath.empty()) reportPath = session.StandardCleanupReportPath();
  std::string notStarted;
  const int status = RunAndSave(session, command, reportPath, failure, [&] {
    const CleanupRun run = session.RunCleanupBeside(*command.cleanup, reportPath.empty() ? command.jsonPath : reportPath);
    notStarted = run.notStartedMessage;
    switch (run.outcome) {
      case CleanupOutcome::allRemoved:
        return 0;
      case CleanupOutcome::someNotRemoved:
        return StatusOf(ExitStatus::rowsNotRemoved);
      case CleanupOutcome::notStarted:
        return StatusOf(ExitStatus::undoFileNotWritten);
      case CleanupOutcome::declined:
        break;
    }
    // The view answers the confirmation itself.
    throw std::logic_error("unattended clean-up declined");
  });
  // The undo file and the report share a folder, so both often fail together: that nothing was
  // removed matters more to a script than where the report went, and the caller hears of both.
  if (notStarted.empty() || status != StatusOf(ExitStatus::reportNotWritten)) return status;
  *failure = notStarted + "\r\n" + *failure;
  return StatusOf(ExitStatus::undoFileNotWritten);
}
