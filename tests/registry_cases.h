#pragma once
// One table of registry answers, run against the in-memory registry of the unit tests and against
// Wine's registry, so that the fake is known to answer as the real one does.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace registry_cases {

using namespace platform;

// A scratch key below HKEY_CURRENT_USER that a case builds its keys in, through the setup calls of
// the registry under test; paths are relative to the scratch key.
class ScratchTree {
public:
  virtual ~ScratchTree() = default;
  virtual Registry& registry() = 0;
  virtual std::string Path() const = 0;
  virtual void CreateKey(const std::string& path) = 0;
  // Stores the bytes as they are, as a string value; "" names the default value.
  virtual void SetValue(const std::string& path, const std::string& name, const std::string& bytes) = 0;
  virtual bool KeyExists(const std::string& path) const = 0;
};

enum class Call { Open, Query, OpenSubkeys, Delete, DeleteOpened };

// The handle a case calls through: the scratch key, no handle at all, a handle already closed, or
// an open handle on the key "Leaf" after that key was deleted.
enum class Through { Scratch, NoHandle, ClosedKey, DeletedKey };

struct Case {
  const char* name;
  Call call;
  Through through = Through::Scratch;
  const char* path = "";   // below the handle; the calls through a key open it first unless it is empty
  const char* value = "";  // Query: the value's name
  std::uint32_t size = 256;  // Query: the buffer's size
  long code = kErrorSuccess;  // OpenSubkeys: the answer that ends the enumeration
  std::uint32_t sizeAfter = 256;        // Query: the size the registry reports when the value was read
  std::string text = "";                // Query: what ReadStringValue gives on success
  std::vector<std::string> names = {};  // OpenSubkeys: the names of the keys opened before that answer
  bool keyRemains = false;              // Delete, DeleteOpened: whether path is still there afterwards
};

inline void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }
inline std::string CaseName(const testing::TestParamInfo<Case>& info) { return info.param.name; }

inline std::string Sz(const std::string& text) { return text + '\0'; }

inline const std::string kLongestName(255, 'k');  // the registry's limit for one key name

inline void BuildTree(ScratchTree& tree) {
  tree.SetValue("Product", "", Sz("Client"));
  tree.SetValue("Product", "Install_Dir", Sz("C:\\Client"));
  tree.SetValue("Values", "Fits", Sz(std::string(255, 'a')));
  tree.SetValue("Values", "Over", Sz(std::string(256, 'a')));
  tree.SetValue("Values", "Bare", "abc");
  tree.SetValue("Values", "BareFull", std::string(256, 'b'));
  // Each listed key holds its name as its default value, to tell which one a call opened.
  for (const char* name : {"beta", "Gamma", "aB", "_u", "Alpha", "a_b"}) {
    tree.SetValue(std::string("List\\") + name, "", Sz(name));
  }
  tree.SetValue("Longest\\" + kLongestName, "", Sz(kLongestName));
  tree.CreateKey("Tree\\Child\\Grandchild");
  tree.CreateKey("Leaf");
}

inline const Case kCases[] = {
    {.name = "MissingKey", .call = Call::Open, .path = "Absent", .code = kErrorFileNotFound},
    {.name = "LeadingBackslash", .call = Call::Open, .path = "\\Product", .code = kErrorBadPathname},
    {.name = "DefaultValue", .call = Call::Query, .path = "Product", .sizeAfter = 7, .text = "Client"},
    {.name = "PathAndValueNameIgnoreCase", .call = Call::Query, .path = "PRODUCT", .value = "install_dir",
     .sizeAfter = 10, .text = "C:\\Client"},
    {.name = "MissingValue", .call = Call::Query, .path = "Product", .value = "Absent", .code = kErrorFileNotFound},
    {.name = "ValueFillingBuffer", .call = Call::Query, .path = "Values", .value = "Fits",
     .text = std::string(255, 'a')},
    {.name = "ValueOneByteOver", .call = Call::Query, .path = "Values", .value = "Over", .code = kErrorMoreData,
     .sizeAfter = 257},
    {.name = "ValueWithoutZero", .call = Call::Query, .path = "Values", .value = "Bare", .sizeAfter = 3,
     .text = "abc"},
    {.name = "ValueWithoutZeroFillingBuffer", .call = Call::Query, .path = "Values", .value = "BareFull",
     .text = std::string(256, 'b')},
    {.name = "SubkeysSortedThenNoMoreItems", .call = Call::OpenSubkeys, .path = "List", .code = kErrorNoMoreItems,
     .names = {"_u", "a_b", "aB", "Alpha", "beta", "Gamma"}},
    {.name = "SubkeyWithTheLongestName", .call = Call::OpenSubkeys, .path = "Longest", .code = kErrorNoMoreItems,
     .names = {kLongestName}},
    {.name = "NoSubkeys", .call = Call::OpenSubkeys, .path = "Leaf", .code = kErrorNoMoreItems},
    {.name = "OpenBelowNoHandle", .call = Call::Open, .through = Through::NoHandle, .path = "Product",
     .code = kErrorInvalidHandle},
    {.name = "OpenBelowClosedKey", .call = Call::Open, .through = Through::ClosedKey, .path = "Product",
     .code = kErrorInvalidHandle},
    {.name = "QueryClosedKey", .call = Call::Query, .through = Through::ClosedKey, .code = kErrorInvalidHandle},
    {.name = "SubkeysOfClosedKey", .call = Call::OpenSubkeys, .through = Through::ClosedKey,
     .code = kErrorInvalidHandle},
    {.name = "DeleteBelowNoHandle", .call = Call::Delete, .through = Through::NoHandle, .path = "Leaf",
     .code = kErrorInvalidHandle, .keyRemains = true},
    {.name = "DeleteBelowClosedKey", .call = Call::Delete, .through = Through::ClosedKey, .path = "Leaf",
     .code = kErrorInvalidHandle, .keyRemains = true},
    {.name = "DeleteKeyWithSubkeysRefused", .call = Call::Delete, .path = "Tree", .code = kErrorAccessDenied,
     .keyRemains = true},
    {.name = "DeleteLeaf", .call = Call::Delete, .path = "Leaf"},
    {.name = "DeleteLeafByPath", .call = Call::Delete, .path = "Tree\\Child\\Grandchild"},
    {.name = "DeleteMissing", .call = Call::Delete, .path = "Absent", .code = kErrorFileNotFound},
    {.name = "QueryDeletedKey", .call = Call::Query, .through = Through::DeletedKey, .code = kErrorKeyDeleted},
    {.name = "SubkeysOfDeletedKey", .call = Call::OpenSubkeys, .through = Through::DeletedKey,
     .code = kErrorKeyDeleted},
    // RegDeleteKeyW(key, L"") removes the open key itself.
    {.name = "DeleteOpenedLeaf", .call = Call::DeleteOpened, .path = "Leaf"},
    {.name = "DeleteOpenedKeyWithSubkeysRefused", .call = Call::DeleteOpened, .path = "Tree",
     .code = kErrorAccessDenied, .keyRemains = true},
    {.name = "DeleteOpenedClosedKey", .call = Call::DeleteOpened, .through = Through::ClosedKey,
     .code = kErrorInvalidHandle},
    {.name = "DeleteOpenedDeletedKey", .call = Call::DeleteOpened, .through = Through::DeletedKey,
     .code = kErrorKeyDeleted},
};

inline void CheckQuery(Registry& registry, KeyHandle key, const Case& c) {
  // A value that does not fit is read whole all the same: the buffer's size decides afterwards.
  std::string data;
  std::uint32_t size = 0;
  const long status = registry.QueryValue(key, c.value, &data, &size);
  EXPECT_EQ(status, c.code == kErrorMoreData ? kErrorSuccess : c.code);
  if (status == kErrorSuccess) {
    EXPECT_EQ(size, c.sizeAfter);
  }
  std::string text;
  EXPECT_EQ(ReadStringValue(registry, key, c.value, c.size, &text), c.code);
  if (c.code == kErrorSuccess) {
    EXPECT_EQ(text, c.text);
  }
}

inline void CheckSubkeys(Registry& registry, KeyHandle key, const Case& c) {
  std::vector<std::string> names;
  long status = kErrorSuccess;
  for (std::uint32_t index = 0;; ++index) {
    RegKey child;
    long opened = kErrorSuccess;
    status = OpenSubkeyAt(registry, key, index, kKeyRead, &child, &opened);
    if (status != kErrorSuccess) break;
    ASSERT_EQ(opened, kErrorSuccess);
    std::string name;
    EXPECT_EQ(ReadStringValue(registry, child.get(), "", 256, &name), kErrorSuccess);
    names.push_back(name);
  }
  EXPECT_EQ(status, c.code);
  EXPECT_EQ(names, c.names);
}

inline void CheckOpen(Registry& registry, KeyHandle parent, const Case& c) {
  constexpr KeyHandle kUntouched = 0x5A5A;
  KeyHandle key = kUntouched;
  const long status = registry.OpenKey(parent, c.path, kKeyRead, &key);
  EXPECT_EQ(status, c.code);
  if (status == kErrorSuccess) {
    registry.CloseKey(key);
  } else {
    EXPECT_EQ(key, kUntouched);
  }
}

// Builds the tree, makes the case's call and checks its answers; every key opened here is closed.
inline void RunCase(ScratchTree& tree, const Case& c) {
  BuildTree(tree);
  Registry& registry = tree.registry();
  RegKey scratch;
  ASSERT_EQ(OpenKey(registry, kCurrentUser, tree.Path(), kKeyReadWrite, &scratch), kErrorSuccess);

  KeyHandle handle = scratch.get();
  RegKey held;
  switch (c.through) {
    case Through::Scratch:
      break;
    case Through::NoHandle:
      handle = 0;
      break;
    case Through::ClosedKey:
      ASSERT_EQ(OpenKey(registry, scratch.get(), "", kKeyRead, &held), kErrorSuccess);
      handle = held.get();
      held.Close();
      break;
    case Through::DeletedKey:
      ASSERT_EQ(OpenKey(registry, scratch.get(), "Leaf", kKeyRead, &held), kErrorSuccess);
      ASSERT_EQ(registry.DeleteKey(scratch.get(), "Leaf"), kErrorSuccess);
      handle = held.get();
      break;
  }

  if (c.call == Call::Open) {
    CheckOpen(registry, handle, c);
    return;
  }
  if (c.call == Call::Delete) {
    EXPECT_EQ(registry.DeleteKey(handle, c.path), c.code);
    EXPECT_EQ(tree.KeyExists(c.path), c.keyRemains);
    return;
  }
  RegKey opened;
  if (*c.path != '\0') {
    ASSERT_EQ(OpenKey(registry, handle, c.path, kKeyRead, &opened), kErrorSuccess);
    handle = opened.get();
  }
  if (c.call == Call::Query) CheckQuery(registry, handle, c);
  if (c.call == Call::OpenSubkeys) CheckSubkeys(registry, handle, c);
  if (c.call == Call::DeleteOpened) {
    EXPECT_EQ(registry.DeleteOpenedKey(handle), c.code);
    if (*c.path != '\0') {
      EXPECT_EQ(tree.KeyExists(c.path), c.keyRemains);
    }
  }
}

// A key's info before and after a call through the key: the clean-up compares them to tell a key
// changed since its undo file took it. Reading leaves it as it was; a value or a subkey added or
// removed shows in it.
struct InfoCase {
  const char* name;
  const char* path;  // the key, below the scratch key
  void (*call)(ScratchTree& tree, Registry& registry, KeyHandle key);
  std::uint32_t subkeys = 0;  // afterwards
  std::uint32_t values = 0;
  bool changed = true;
};

inline void PrintTo(const InfoCase& c, std::ostream* out) { *out << c.name; }
inline std::string InfoCaseName(const testing::TestParamInfo<InfoCase>& info) { return info.param.name; }

inline const InfoCase kInfoCases[] = {
    {.name = "Read",
     .path = "Tree",
     .call =
         [](ScratchTree&, Registry& registry, KeyHandle key) {
           RegKey child;
           long opened = kErrorSuccess;
           EXPECT_EQ(OpenSubkeyAt(registry, key, 0, kKeyReadWrite, &child, &opened), kErrorSuccess);
           RegistryValue value;
           EXPECT_EQ(registry.ValueAt(key, 0, &value), kErrorNoMoreItems);
         },
     .subkeys = 1,
     .changed = false},
    {.name = "ValueAdded",
     .path = "Product",
     .call = [](ScratchTree& tree, Registry&, KeyHandle) { tree.SetValue("Product", "New", Sz("x")); },
     .values = 3},
    {.name = "SubkeyCreated",
     .path = "Product",
     .call = [](ScratchTree& tree, Registry&, KeyHandle) { tree.CreateKey("Product\\New"); },
     .subkeys = 1,
     .values = 2},
    {.name = "SubkeyDeleted",
     .path = "Tree\\Child",
     .call = [](ScratchTree&, Registry& registry, KeyHandle key) {
       EXPECT_EQ(registry.DeleteKey(key, "Grandchild"), kErrorSuccess);
     }},
};

inline void RunInfoCase(ScratchTree& tree, const InfoCase& c) {
  BuildTree(tree);
  Registry& registry = tree.registry();
  RegKey key;
  ASSERT_EQ(OpenKey(registry, kCurrentUser, tree.Path() + "\\" + c.path, kKeyReadWrite, &key), kErrorSuccess);
  KeyInfo before;
  ASSERT_EQ(registry.QueryKeyInfo(key.get(), &before), kErrorSuccess);
  c.call(tree, registry, key.get());
  KeyInfo after;
  ASSERT_EQ(registry.QueryKeyInfo(key.get(), &after), kErrorSuccess);
  EXPECT_EQ(after.subkeys, c.subkeys);
  EXPECT_EQ(after.values, c.values);
  EXPECT_EQ(after != before, c.changed);
  EXPECT_GE(after.lastWrite, before.lastWrite);
}

}  // namespace registry_cases
