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
  std::string SystemWow64Directory() override;
  std::string MessageText(unsigned long code) override;
  std::string ComputerName() override;
  std::string UserSid() override;
  LocalTime Now() override;
  std::string AnsiToUtf8(std::string_view ansi) override;
  bool Utf8ToAnsi(std::string_view utf8, std::string* ansi) override;
};

// Text that a platform call hands over in the ANSI code page, in UTF-8.
std::string AnsiToUtf8(std::string_view ansi);
// UTF-16 in the ANSI code page; false when the code page cannot hold every character of it, which
// *ansi then shows as the code page's default character.
bool WideToAnsi(std::wstring_view wide, std::string* ansi);

}  // namespace platform::win32
