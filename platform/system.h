#pragma once
// Facts about the running system.
#include <optional>
#include <string>

namespace platform {

struct LocalTime {
  unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  std::optional<int> utcOffsetMinutes;  // local time minus UTC; nothing when the time zone is unknown
};

class System {
public:
  virtual ~System() = default;
  // GetSystemDirectoryA into a buffer of bufferSize characters; empty when it fails or does not fit.
  virtual std::string SystemDirectory(unsigned bufferSize) = 0;
  // GetVersionExA: the major version number.
  virtual unsigned OsMajorVersion() = 0;
  // IsWow64Process of this process: a 32-bit program on 64-bit Windows.
  virtual bool IsWow64() = 0;
  // FormatMessageA from the system table, language 0x0400, no inserts; empty when it has none.
  virtual std::string MessageText(unsigned long code) = 0;
  // GetComputerNameA: the NetBIOS name; empty when it fails.
  virtual std::string ComputerName() = 0;
  // GetLocalTime, with the offset that GetTimeZoneInformation gives for this moment.
  virtual LocalTime Now() = 0;
  // Text of the ANSI code page in UTF-8 (through UTF-16): 0, or the platform's error code when the
  // conversion fails.
  virtual long AnsiToUtf8(const std::string& ansi, std::string* utf8) = 0;
  // IsDBCSLeadByte: whether the byte starts a two-byte character of the ANSI code page.
  virtual bool IsLeadByte(char byte) = 0;
  // UTF-8 text in the ANSI code page; false when the code page cannot hold every character of it.
  virtual bool Utf8ToAnsi(const std::string& utf8, std::string* ansi) = 0;
};

}  // namespace platform
