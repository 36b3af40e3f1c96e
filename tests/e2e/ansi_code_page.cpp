// ansi_code_page: prints the ANSI code page that Windows programs get in this prefix ("65001"), the
// one that text handed to a caller as bytes is read in.
#include <windows.h>

#include <cstdio>

int main() {
  std::printf("%u\n", GetACP());
  return 0;
}
