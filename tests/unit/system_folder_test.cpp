#include "platform/system_folder.h"

#include <gtest/gtest.h>

#include "fakes/fake_system.h"

TEST(SystemFolderTest, EitherViewIsTheSystemFolder) {
  FakeSystem system;
  for (const char* folder : {R"(C:\WINDOWS\system32)", R"(c:\windows\SYSTEM32\)", R"(C:\Windows\SysWOW64)"}) {
    EXPECT_TRUE(platform::IsSystemFolder(system, folder)) << folder;
  }
  for (const char* folder : {R"(C:\WINDOWS)", R"(C:\WINDOWS\system32\drivers)", R"(C:\work)", ""}) {
    EXPECT_FALSE(platform::IsSystemFolder(system, folder)) << folder;
  }
}

// A 32-bit program on 64-bit Windows that writes into the system folder writes into the WOW64 one,
// save for the folders the file system leaves alone; a 64-bit program's paths are what they say.
TEST(SystemFolderTest, PathsInTheSystemFolderAreStoredInTheWow64OneForA32BitProgram) {
  const struct {
    const char* path;
    const char* stored;
  } cases[] = {
      {R"(C:\WINDOWS\system32\MendrelDiag-undo.reg)", R"(C:\WINDOWS\SysWOW64\MendrelDiag-undo.reg)"},
      {R"(c:\windows\System32\config\systemprofile\Documents\x.reg)",
       R"(C:\WINDOWS\SysWOW64\config\systemprofile\Documents\x.reg)"},
      {R"(C:\WINDOWS\system32\drivers\etc\hosts)", R"(C:\WINDOWS\system32\drivers\etc\hosts)"},
      {R"(C:\WINDOWS\system32\spool\x)", R"(C:\WINDOWS\system32\spool\x)"},
      {R"(C:\WINDOWS\system32x\a)", R"(C:\WINDOWS\system32x\a)"},
      {R"(C:\Users\helpdesk\Documents\x.reg)", R"(C:\Users\helpdesk\Documents\x.reg)"},
  };
  FakeSystem wow64;
  wow64.wow64 = true;
  FakeSystem native;
  for (const auto& c : cases) {
    EXPECT_EQ(platform::PathAsStored(wow64, c.path), c.stored) << c.path;
    EXPECT_EQ(platform::PathAsStored(native, c.path), c.path) << c.path;
  }
}
