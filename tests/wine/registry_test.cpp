#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_registry.h"
#include "key_tree_cases.h"
#include "registry_cases.h"

namespace {

using unique_hkey = platform::win32::unique_handle<HKEY, RegCloseKey>;

constexpr char kScratchParent[] = "Software\\MendrelDiagTest";

// A scratch key of this process below HKEY_CURRENT_USER, removed with everything below it when the
// case ends.
class RealScratchTree final : public registry_cases::ScratchTree {
public:
  RealScratchTree()
      : m_path(std::string(kScratchParent) + "\\" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(++s_count)) {}
  ~RealScratchTree() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kScratchParent);  // refused while other runs still have theirs
  }

  platform::Registry& registry() override { return m_registry; }
  std::string Path() const override { return m_path; }
  void CreateKey(const std::string& path) override { Create(path); }
  void SetValue(const std::string& path, const std::string& name, const std::string& bytes) override {
    // RegSetValueExA counts a zero that directly follows string data as its terminator; a non-zero
    // byte there keeps the value exactly as given.
    const std::string data = bytes + '!';
    EXPECT_EQ(RegSetValueExA(Create(path).get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
  }
  bool KeyExists(const std::string& path) const override {
    unique_hkey key;
    return RegOpenKeyExA(HKEY_CURRENT_USER, Full(path).c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
  }

private:
  std::string Full(const std::string& path) const { return m_path + "\\" + path; }
  // Key by key: an A call takes at most MAX_PATH characters of path, and a key name alone may be 255.
  unique_hkey Create(const std::string& path) {
    unique_hkey key;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                              nullptr),
              ERROR_SUCCESS);
    for (std::size_t start = 0; start < path.size();) {
      const std::size_t end = std::min(path.find('\\', start), path.size());
      unique_hkey child;
      EXPECT_EQ(RegCreateKeyExA(key.get(), path.substr(start, end - start).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, child.put(), nullptr),
                ERROR_SUCCESS);
      key = std::move(child);
      start = end + 1;
    }
    return key;
  }

  static inline int s_count = 0;
  platform::win32::Win32Registry m_registry;
  std::string m_path;
};

class WineRegistryTable : public testing::TestWithParam<registry_cases::Case> {};

TEST_P(WineRegistryTable, AnswersAsTabled) {
  RealScratchTree tree;
  registry_cases::RunCase(tree, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Registry, WineRegistryTable, testing::ValuesIn(registry_cases::kCases),
                         registry_cases::CaseName);

class WineKeyInfoTable : public testing::TestWithParam<registry_cases::InfoCase> {};

TEST_P(WineKeyInfoTable, ShowsWhatChanged) {
  RealScratchTree tree;
  registry_cases::RunInfoCase(tree, GetParam());
}

INSTANTIATE_TEST_SUITE_P(KeyInfo, WineKeyInfoTable, testing::ValuesIn(registry_cases::kInfoCases),
                         registry_cases::InfoCaseName);

class WineKeyTreeTable : public testing::TestWithParam<key_tree_cases::Case> {};

TEST_P(WineKeyTreeTable, RemovesTheTreeAndNothingElse) {
  RealScratchTree tree;
  key_tree_cases::RunCase(tree, GetParam());
}

INSTANTIATE_TEST_SUITE_P(DeleteKeyTree, WineKeyTreeTable, testing::ValuesIn(key_tree_cases::kCases),
                         key_tree_cases::CaseName);

// Values beyond the first guess of the reader's buffers, up to the longest name the registry takes,
// come back whole.
TEST(WineRegistryValues, ReadsNamesAndDataOfEverySize) {
  const struct {
    std::size_t nameLength;
    std::size_t dataSize;
  } cases[] = {{1, 0}, {255, 1024}, {256, 1025}, {300, 70000}, {16383, 3}};
  RealScratchTree tree;
  platform::Registry& registry = tree.registry();
  for (const auto& c : cases) {
    const std::string path = tree.Path() + "\\" + std::to_string(c.nameLength) + "-" + std::to_string(c.dataSize);
    std::u16string name(c.nameLength, u'n');
    name.back() = u'\uD55C';
    std::string data(c.dataSize, '\0');
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7);
    unique_hkey created;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, created.put(),
                              nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(created.get(), reinterpret_cast<const wchar_t*>(name.c_str()), 0, REG_BINARY,
                             reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
    platform::RegKey key;
    ASSERT_EQ(platform::OpenKey(registry, platform::kCurrentUser, path, platform::kKeyRead, &key), 0);
    platform::RegistryValue value;
    ASSERT_EQ(registry.ValueAt(key.get(), 0, &value), 0) << path;
    EXPECT_TRUE(value.name == name) << path;
    EXPECT_EQ(value.type, platform::kRegBinary) << path;
    EXPECT_TRUE(value.data == data) << path;
    EXPECT_EQ(registry.ValueAt(key.get(), 1, &value), platform::kErrorNoMoreItems) << path;
  }
}

// Texts come in UTF-8, whatever the code page holds, below a key named in Korean; their size is
// counted as the code page spells them (CP949 for the tests: two bytes a syllable, one "?" for a
// letter it lacks), as the ANSI call reports it, since the callers' buffers are sized in its bytes.
TEST(WineRegistryValues, TextsComeInUtf8WithTheirCodePageSize) {
  RealScratchTree tree;
  const std::string path = tree.Path() + "\\키";
  unique_hkey created;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, platform::win32::Wide(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, created.put(), nullptr),
            ERROR_SUCCESS);
  const struct {
    const wchar_t* name;
    DWORD type;
    std::wstring data;
    std::string text;
    std::uint32_t size;
  } cases[] = {
      {L"Korean", REG_SZ, std::wstring(L"클라이언트", 6), "클라이언트", 11},
      {L"Vietnamese", REG_EXPAND_SZ, std::wstring(L"%TEMP%\\Tiếng Việt", 18), "%TEMP%\\Tiếng Việt", 18},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(RegSetValueExW(created.get(), c.name, 0, c.type, reinterpret_cast<const BYTE*>(c.data.data()),
                             static_cast<DWORD>(c.data.size() * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }
  platform::win32::Win32Registry registry;
  platform::RegKey key;
  ASSERT_EQ(platform::OpenKey(registry, platform::kCurrentUser, path, platform::kKeyRead, &key), 0);
  for (const auto& c : cases) {
    const std::string name = platform::win32::Utf8(c.name);
    std::string data;
    std::uint32_t size = 0;
    ASSERT_EQ(registry.QueryValue(key.get(), name, &data, &size), 0) << name;
    EXPECT_EQ(data, c.text + '\0') << name;
    // What the ANSI call itself reports.
    char ansi[256];
    DWORD ansiSize = sizeof ansi;
    ASSERT_EQ(RegQueryValueExA(created.get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(ansi), &ansiSize),
              ERROR_SUCCESS);
    EXPECT_EQ(size, ansiSize) << name;
    EXPECT_EQ(size, c.size) << name;
    // A buffer of that many bytes holds it; one byte less does not.
    std::string text;
    EXPECT_EQ(platform::ReadStringValue(registry, key.get(), name, c.size, &text), 0) << name;
    EXPECT_EQ(text, c.text) << name;
    EXPECT_EQ(platform::ReadStringValue(registry, key.get(), name, c.size - 1, &text), platform::kErrorMoreData)
        << name;
  }
}

// Vietnamese and Thai names, which the ANSI code page has no letters for: made through the wide
// calls here, as another program would make them, and removed whole all the same.
TEST(WineKeyTree, RemovesKeysNamedOutsideTheCodePage) {
  const wchar_t* const names[] = {L"Vi\u1EC7t", L"\u0E01\u0E02", L"\u1EC7"};
  for (const wchar_t* name : names) {
    BOOL lacksLetters = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name, -1, nullptr, 0, nullptr, &lacksLetters);
    ASSERT_TRUE(lacksLetters) << "the code page must lack these letters for the test to mean anything";
  }
  RealScratchTree tree;
  tree.CreateKey("Tree\\Plain");
  const std::string scratchPath = tree.Path();
  const std::wstring treePath = std::wstring(scratchPath.begin(), scratchPath.end()) + L"\\Tree\\";
  for (const std::wstring& path : {treePath + names[0] + L"\\Sub", treePath + names[1],
                                  treePath + L"Plain\\" + names[2]}) {
    unique_hkey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                              nullptr),
              ERROR_SUCCESS);
  }

  platform::Registry& registry = tree.registry();
  platform::RegKey scratch;
  ASSERT_EQ(platform::OpenKey(registry, platform::kCurrentUser, scratchPath, platform::kKeyReadWrite, &scratch),
            platform::kErrorSuccess);
  EXPECT_EQ(DeleteKeyTree(registry, scratch.get(), "Tree"), platform::kErrorSuccess);
  EXPECT_FALSE(tree.KeyExists("Tree"));
}

}  // namespace
