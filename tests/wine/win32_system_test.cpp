#include "platform/win32/win32_system.h"

#include "platform/unicode.h"
#include "platform/win32/win32_registry.h"

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

// The tests run in the Korean code page, CP949.
TEST(Win32SystemTest, AnsiTextConvertsBothWays) {
  platform::win32::Win32System system;
  const std::string ansi = "\xB0\xCB\xBB\xE7 \xBF\xCF\xB7\xE1";  // 검사 완료
  EXPECT_EQ(system.AnsiToUtf8(ansi), "검사 완료");
  EXPECT_EQ(system.AnsiToUtf8(""), "");

  std::string converted = "stale";
  EXPECT_TRUE(system.Utf8ToAnsi("검사 완료", &converted));
  EXPECT_EQ(converted, ansi);
  EXPECT_TRUE(system.Utf8ToAnsi("", &converted));
  EXPECT_EQ(converted, "");
  // What the code page lacks shows as its default character, and the answer says so.
  EXPECT_FALSE(system.Utf8ToAnsi("검사 Việt", &converted));
  EXPECT_EQ(converted, "\xB0\xCB\xBB\xE7 Vi?t");
}

TEST(Win32SystemTest, OsMajorVersionIsThatOfAnNtSystem) {
  platform::win32::Win32System system;
  EXPECT_GE(system.OsMajorVersion(), 5u);
}

// The account the program runs as is the one whose hive HKEY_CURRENT_USER opens.
TEST(Win32SystemTest, UserSidIsThatOfTheCurrentUsersHive) {
  platform::win32::Win32System system;
  const std::string sid = system.UserSid();
  ASSERT_EQ(sid.rfind("S-1-5-", 0), 0u) << sid;
  platform::win32::Win32Registry registry;
  platform::RegKey key;
  ASSERT_EQ(platform::OpenKey(registry, platform::kCurrentUser, "Software", platform::kKeyRead, &key), 0);
  std::u16string location;
  ASSERT_EQ(registry.KeyLocation(key.get(), &location), 0);
  const std::string expected = "\\REGISTRY\\USER\\" + sid + "\\Software";
  EXPECT_EQ(lstrcmpiA(platform::Utf16ToUtf8(location).c_str(), expected.c_str()), 0) << platform::Utf16ToUtf8(location);
}

}  // namespace
