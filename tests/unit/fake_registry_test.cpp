#include "fakes/fake_registry.h"

#include <gtest/gtest.h>

#include "fakes/fake_scratch_tree.h"
#include "registry_cases.h"

namespace {

using namespace platform;

class FakeRegistryTable : public testing::TestWithParam<registry_cases::Case> {};

TEST_P(FakeRegistryTable, AnswersAsWineDoes) {
  FakeScratchTree tree;
  registry_cases::RunCase(tree, GetParam());
  EXPECT_EQ(tree.fake.OpenHandles(), 0);
}

INSTANTIATE_TEST_SUITE_P(Registry, FakeRegistryTable, testing::ValuesIn(registry_cases::kCases),
                         registry_cases::CaseName);

class FakeKeyInfoTable : public testing::TestWithParam<registry_cases::InfoCase> {};

TEST_P(FakeKeyInfoTable, ShowsWhatChanged) {
  FakeScratchTree tree;
  registry_cases::RunInfoCase(tree, GetParam());
  EXPECT_EQ(tree.fake.OpenHandles(), 0);
}

INSTANTIATE_TEST_SUITE_P(KeyInfo, FakeKeyInfoTable, testing::ValuesIn(registry_cases::kInfoCases),
                         registry_cases::InfoCaseName);

// Wine runs as root and cannot refuse access, so this answer is the fake's alone.
TEST(FakeRegistryTest, DeniedKeyRefusesOpenAndDeleteYetStaysListed) {
  FakeRegistry registry;
  registry.CreateKey(kLocalMachine, "Software\\Parent\\Locked");
  registry.DenyAccess(kLocalMachine, "software\\parent\\LOCKED");

  KeyHandle key = 0;
  EXPECT_EQ(registry.OpenKey(kLocalMachine, "Software\\Parent\\Locked", kKeyRead, &key), kErrorAccessDenied);
  EXPECT_EQ(registry.DeleteKey(kLocalMachine, "Software\\Parent\\Locked"), kErrorAccessDenied);
  EXPECT_TRUE(registry.KeyExists(kLocalMachine, "Software\\Parent\\Locked"));

  RegKey parent;
  ASSERT_EQ(OpenKey(registry, kLocalMachine, "Software\\Parent", kKeyReadWrite, &parent), kErrorSuccess);
  RegKey child;
  long opened = kErrorSuccess;
  EXPECT_EQ(OpenSubkeyAt(registry, parent.get(), 0, kKeyRead, &child, &opened), kErrorSuccess);
  EXPECT_EQ(opened, kErrorAccessDenied);
  EXPECT_FALSE(child);
  parent.Close();
  EXPECT_EQ(registry.OpenHandles(), 0);
}

TEST(FakeRegistryTest, CountsHandlesUntilClosedOnce) {
  FakeRegistry registry;
  registry.SetString(kClassesRoot, "CLSID\\{X}", "", "x");
  KeyHandle first = 0;
  KeyHandle second = 0;
  ASSERT_EQ(registry.OpenKey(kClassesRoot, "CLSID", kKeyRead, &first), kErrorSuccess);
  ASSERT_EQ(registry.OpenKey(first, "{x}", kKeyRead, &second), kErrorSuccess);
  EXPECT_EQ(registry.OpenHandles(), 2);

  EXPECT_EQ(registry.CloseKey(first), kErrorSuccess);
  EXPECT_EQ(registry.CloseKey(first), kErrorInvalidHandle);
  EXPECT_EQ(registry.CloseKey(kClassesRoot), kErrorSuccess);
  EXPECT_EQ(registry.OpenHandles(), 1);

  std::string text;
  EXPECT_EQ(ReadStringValue(registry, second, "", 256, &text), kErrorSuccess);
  EXPECT_EQ(text, "x");
  EXPECT_EQ(registry.CloseKey(second), kErrorSuccess);
  EXPECT_EQ(registry.OpenHandles(), 0);
}

}  // namespace
