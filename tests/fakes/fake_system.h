#pragma once
#include <map>
#include <string>
#include <string_view>

#include "fakes/fake_registry.h"
#include "platform/system.h"

struct FakeSystem final : platform::System {
  std::string systemDirectory = R"(C:\WINDOWS\system32)";
  unsigned osMajorVersion = 6;
  bool wow64 = false;
  std::string systemWow64Directory = R"(C:\WINDOWS\SysWOW64)";
  std::map<unsigned long, std::string> messages;  // the system's message table
  std::string computerName = "HELPDESK-PC";
  std::string userSid = FakeRegistry::kUserSid;  // whose hive the fake registry's HKEY_CURRENT_USER is
  platform::LocalTime now{2026, 12, 10, 9, 5, 7, 540};

  std::string SystemDirectory(unsigned bufferSize) override {
    return systemDirectory.size() < bufferSize ? systemDirectory : std::string();
  }
  unsigned OsMajorVersion() override { return osMajorVersion; }
  bool IsWow64() override { return wow64; }
  std::string SystemWow64Directory() override { return systemWow64Directory; }
  std::string MessageText(unsigned long code) override {
    const auto message = messages.find(code);
    return message == messages.end() ? std::string() : message->second;
  }
  std::string ComputerName() override { return computerName; }
  std::string UserSid() override { return userSid; }
  platform::LocalTime Now() override { return now; }
  // A code page that holds every character but this one, with the same bytes as UTF-8.
  std::string outsideCodePage = "\xE2\x98\x83";  // U+2603, a snowman: no ANSI code page has it

  // Characters whose bytes in the code page differ from their UTF-8, with those bytes.
  std::map<std::string, std::string> ansiBytes;

  std::string AnsiToUtf8(std::string_view ansi) override { return std::string(ansi); }
  bool Utf8ToAnsi(std::string_view utf8, std::string* ansi) override {
    *ansi = utf8;
    for (const auto& [character, bytes] : ansiBytes) {
      for (std::size_t at = ansi->find(character); at != std::string::npos; at = ansi->find(character, at + bytes.size())) {
        ansi->replace(at, character.size(), bytes);
      }
    }
    return utf8.find(outsideCodePage) == std::string::npos;
  }
};
