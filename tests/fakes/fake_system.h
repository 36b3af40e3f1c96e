#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/system.h"

struct FakeSystem final : platform::System {
  std::string systemDirectory = R"(C:\WINDOWS\system32)";
  unsigned osMajorVersion = 6;
  bool wow64 = false;
  std::map<unsigned long, std::string> messages;  // the system's message table
  std::string computerName = "HELPDESK-PC";
  platform::LocalTime now{2026, 12, 10, 9, 5, 7, 540};

  std::string SystemDirectory(unsigned bufferSize) override {
    return systemDirectory.size() < bufferSize ? systemDirectory : std::string();
  }
  unsigned OsMajorVersion() override { return osMajorVersion; }
  bool IsWow64() override { return wow64; }
  std::string MessageText(unsigned long code) override {
    const auto message = messages.find(code);
    return message == messages.end() ? std::string() : message->second;
  }
  std::string ComputerName() override { return computerName; }
  platform::LocalTime Now() override { return now; }
  long conversionError = 0;  // what every conversion to UTF-8 answers, when not 0

  // Native builds keep their literals in UTF-8: their ANSI text already is.
  long AnsiToUtf8(const std::string& ansi, std::string* utf8) override {
    *utf8 = conversionError == 0 ? ansi : std::string();
    return conversionError;
  }
  // The lead bytes of CP949, for tests that hand in its bytes.
  bool IsLeadByte(char byte) override {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x81 && value <= 0xFE;
  }
  std::string outsideCodePage = "\xE2\x98\x83";  // U+2603, a snowman: no ANSI code page has it
  // Texts that the code page writes with other bytes than UTF-8's; every other text keeps its bytes.
  std::vector<std::pair<std::string, std::string>> ansiBytes;
  bool Utf8ToAnsi(const std::string& utf8, std::string* ansi) override {
    if (utf8.find(outsideCodePage) != std::string::npos) return false;
    *ansi = utf8;
    for (const auto& [text, bytes] : ansiBytes) {
      for (std::size_t at = ansi->find(text); at != std::string::npos; at = ansi->find(text, at + bytes.size())) {
        ansi->replace(at, text.size(), bytes);
      }
    }
    return true;
  }
};
