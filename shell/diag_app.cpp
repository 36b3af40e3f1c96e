// The application: without arguments it initialises the common controls and runs the main dialog;
// with /check or /cleanup it runs the check or a clean-up without any window (see session/unattended_check.h).
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "shell/DiagDlg.h"
#include "session/unattended_check.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace {

class CDiagApp {
public:
  void InitInstance();
};

void CDiagApp::InitInstance() {
  // Handlers run synchronously and a long server test pumps no messages: without this, the system
  // would put a frozen "not responding" copy over the window and the report would stop growing.
  DisableProcessWindowsGhosting();
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  CDiagDlg dialog;
  dialog.DoModal();
}

// Text for whoever started the program: its standard error when it handed one over, else the
// console of the caller when there is one. A program without a caller's console stays silent.
void TellCaller(std::string_view text) {
  DWORD written = 0;
  const HANDLE standardError = GetStdHandle(STD_ERROR_HANDLE);
  if (standardError != nullptr && standardError != INVALID_HANDLE_VALUE &&
      GetFileType(standardError) != FILE_TYPE_CHAR) {
    // A pipe or file gets the ANSI code page's bytes, as the caller's tools read other programs'
    // output; a text that the code page cannot hold whole (Korean on a Western PC) goes in UTF-8
    // rather than as question marks.
    std::string bytes;
    if (!platform::win32::WideToAnsi(platform::win32::Wide(text), &bytes)) bytes = text;
    WriteFile(standardError, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return;
  }
  const platform::win32::unique_call<&FreeConsole> attached(AttachConsole(ATTACH_PARENT_PROCESS) != FALSE);
  if (!attached) return;
  const platform::win32::unique_file console(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                                         0, nullptr));
  if (!console) return;
  // The caller's prompt is already on the line: start on a new one.
  const std::wstring wide = L"\r\n" + platform::win32::Wide(text);
  WriteConsoleW(console.get(), wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

int RunWithoutDialog(const CommandLine& command) {
  Win32Ports ports;
  const bool cleanup = command.mode == CommandLine::Mode::cleanup;
  ReportOnlyView view(command.host, cleanup ? ConfirmationOf(*command.cleanup) : Question::runWithoutHost);
  DiagSession session(ports.All(), view);
  std::string failure;
  const int status = cleanup ? RunUnattendedCleanup(session, command, &failure)
                             : RunUnattendedCheck(session, command, &failure);
  if (!failure.empty()) TellCaller(failure + "\r\n");
  return status;
}

int Run(const CommandLine& command) {
  switch (command.mode) {
    case CommandLine::Mode::dialog: {
      CDiagApp app;
      app.InitInstance();
      return 0;
    }
    case CommandLine::Mode::usage:
      ShowMessageBox(nullptr, UsageText(), MB_OK | MB_ICONINFORMATION);
      return 0;
    case CommandLine::Mode::check:
    case CommandLine::Mode::cleanup:
      return RunWithoutDialog(command);
    case CommandLine::Mode::invalid:
      break;
  }
  TellCaller(UsageText());
  return StatusOf(ExitStatus::badArguments);
}

// The arguments after the program's name, in UTF-8 as typed, whatever the code page holds.
std::vector<std::string> Arguments() {
  int count = 0;
  const platform::win32::unique_handle<LPWSTR*, &LocalFree> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::string> utf8;
  for (int i = 1; arguments && i < count; ++i) utf8.push_back(platform::win32::Utf8(arguments.get()[i]));
  return utf8;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The last stop for a failure that nothing below could handle: a status of its own rather than
  // abort()'s 3, which a script would read as a check's result code.
  try {
    return Run(ParseCommandLine(Arguments()));
  } catch (const std::exception& error) {
    TellCaller(BrokenOffLine(error.what()));
  } catch (...) {
    TellCaller(BrokenOffLine("?"));
  }
  return StatusOf(ExitStatus::runBrokenOff);
}
