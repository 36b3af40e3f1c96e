// exit_status: runs a command line, waits for it and prints its exit status as Windows gives it to
// a script ("exit status -1"), whole: a Unix parent of Wine sees only its low byte.
//
//   exit_status.exe PROGRAM [ARGUMENT...]
#include <windows.h>

#include <cstdio>

#include "platform/win32/unique_handle.h"

namespace {

using UniqueHandle = platform::win32::unique_handle<HANDLE, CloseHandle>;

// The command line after this program's own name, exactly as it was given.
wchar_t* CommandAfterOwnName() {
  wchar_t* rest = GetCommandLineW();
  if (*rest == L'"') {
    for (++rest; *rest && *rest != L'"'; ++rest) {}
    if (*rest) ++rest;
  } else {
    while (*rest && *rest != L' ' && *rest != L'\t') ++rest;
  }
  while (*rest == L' ' || *rest == L'\t') ++rest;
  return rest;
}

}  // namespace

int main() {
  wchar_t* command = CommandAfterOwnName();
  if (!*command) {
    std::fputs("usage: exit_status PROGRAM [ARGUMENT...]\n", stderr);
    return 2;
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    std::fprintf(stderr, "exit_status: cannot start the program (error %lu)\n", GetLastError());
    return 1;
  }
  const UniqueHandle child(process.hProcess);
  const UniqueHandle thread(process.hThread);
  WaitForSingleObject(child.get(), INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(child.get(), &code);
  std::printf("exit status %ld\n", static_cast<long>(static_cast<LONG>(code)));
  return 0;
}
