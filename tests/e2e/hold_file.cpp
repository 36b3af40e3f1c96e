// hold_file: opens a file in the current folder for reading and writing, shared with nobody, and keeps
// it open until the process is ended, so that an end-to-end scenario can show what the dialog does
// when another program holds the file that it has to write. Prints "holding NAME" once it holds it.
//
//   hold_file.exe NAME
#include <windows.h>

#include <cstdio>

#include "platform/win32/unique_handle.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: hold_file NAME\n", stderr);
    return 2;
  }
  const platform::win32::unique_file file(
      CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    std::fprintf(stderr, "hold_file: cannot open %s (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  std::printf("holding %s\n", argv[1]);
  std::fflush(stdout);
  Sleep(INFINITE);
}
