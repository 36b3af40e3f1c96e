#include "platform/win32/win32_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Win32SystemTest, MessageTextComesWithItsLineBreak) {
  platform::win32::Win32System system;
  const std::string text = system.MessageText(ERROR_FILE_NOT_FOUND);
  ASSERT_GT(text.size(), 2u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST(Win32SystemTest, MessageTextIsEmptyForAnUnknownCode) {
  platform::win32::Win32System system;
  EXPECT_EQ(system.MessageText(0x2000ABCDu), "");  // a customer code: the system has no text for it
}

TEST(Win32SystemTest, SystemDirectoryOnlyWhenItFits) {
  platform::win32::Win32System system;
  const std::string folder = system.SystemDirectory(256);
  // An x64 program under Wine sees the 64-bit system folder.
  EXPECT_EQ(lstrcmpiA(folder.c_str(), "C:\\windows\\system32"), 0) << folder;

  const auto length = static_cast<unsigned>(folder.size());
  EXPECT_EQ(system.SystemDirectory(length + 1), folder) << "room for the terminating zero";
  EXPECT_EQ(system.SystemDirectory(length), "");
  EXPECT_EQ(system.SystemDirectory(0), "");
}

// The tests run in the Korean code page, where literals are compiled to.
TEST(Win32SystemTest, AnsiTextConvertsToUtf8) {
  platform::win32::Win32System system;
  std::string utf8 = "stale";
  EXPECT_EQ(system.AnsiToUtf8("검사 완료", &utf8), 0);
  EXPECT_EQ(utf8, "\xEA\xB2\x80\xEC\x82\xAC \xEC\x99\x84\xEB\xA3\x8C");
  EXPECT_EQ(system.AnsiToUtf8("", &utf8), 0);
  EXPECT_EQ(utf8, "");
}

TEST(Win32SystemTest, OsMajorVersionIsThatOfAnNtSystem) {
  platform::win32::Win32System system;
  EXPECT_GE(system.OsMajorVersion(), 5u);
}

}  // namespace
