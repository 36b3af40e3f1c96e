#pragma once
#include <string>
#include <string_view>

#include "platform/system.h"

namespace platform::win32 {

class Win32System final : public System {
public:
  std::string SystemDirectory(unsigned bufferSize) override;
  unsigned OsMajorVersion() override;
  bool IsWow64() override;
  std::string MessageText(unsigned long code) override;
  std::string ComputerName() override;
  LocalTime Now() override;
  long AnsiToUtf8(const std::string& ansi, std::string* utf8) override;
  bool IsLeadByte(char byte) override;
  bool Utf8ToAnsi(const std::string& utf8, std::string* ansi) override;
};

// MultiByteToWideChar from the ANSI code page; empty when the conversion fails.
std::wstring AnsiToWide(std::string_view ansi);
// UTF-16 in the ANSI code page; false when the code page cannot hold every character of it.
bool WideToAnsi(std::wstring_view wide, std::string* ansi);
// UTF-16 in UTF-8; empty when the conversion fails.
std::string WideToUtf8(std::wstring_view wide);

}  // namespace platform::win32
