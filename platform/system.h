#pragma once
// Facts about the running system.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct LocalTime {
  unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  std::optional<int> utcOffsetMinutes;  // local time minus UTC; nothing when the time zone is unknown
};

class System {
public:
  virtual ~System() = default;
  // GetSystemDirectoryW into a buffer of bufferSize characters; empty when it fails or does not fit.
  virtual std::string SystemDirectory(unsigned bufferSize) = 0;
  // GetVersionExW: the major version number.
  virtual unsigned OsMajorVersion() = 0;
  // IsWow64Process of this process: a 32-bit program on 64-bit Windows.
  virtual bool IsWow64() = 0;
  // GetSystemWow64DirectoryW: where the file system puts what a 32-bit program writes into the
  // system folder; empty on 32-bit Windows.
  virtual std::string SystemWow64Directory() = 0;
  // FormatMessageW from the system table, language 0x0400, no inserts; empty when it has none.
  virtual std::string MessageText(unsigned long code) = 0;
  // GetComputerNameW: the NetBIOS name; empty when it fails.
  virtual std::string ComputerName() = 0;
  // The account this process runs as, the one whose hive HKEY_CURRENT_USER is, as a string SID
  // ("S-1-5-21-..."): OpenProcessToken, GetTokenInformation(TokenUser), ConvertSidToStringSidW.
  // Empty when it cannot be told.
  virtual std::string UserSid() = 0;
  // GetLocalTime, with the offset that GetTimeZoneInformation gives for this moment.
  virtual LocalTime Now() = 0;
  // Bytes that the platform hands over in the ANSI code page (a device's own text), in UTF-8; a byte
  // that the code page does not map becomes its replacement character.
  virtual std::string AnsiToUtf8(std::string_view ansi) = 0;
  // UTF-8 text in the ANSI code page, for the formats and rules that are about its bytes; false when
  // the code page cannot hold every character of it, which *ansi then shows as its default character.
  virtual bool Utf8ToAnsi(std::string_view utf8, std::string* ansi) = 0;
};

}  // namespace platform
