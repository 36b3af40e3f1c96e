// The undo file: values as the registry editor writes them, keys named where they really are, and
// the clean-up that removes nothing without it.
#include "repair/undo_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "client_fixture.h"
#include "fakes/fake_ports.h"
#include "repair/cleanup_lists.h"

namespace {

using namespace platform;

// Text as the registry stores it through the wide functions: UTF-16 LE, with the terminating zero.
std::string Utf16Bytes(std::u16string_view text, bool terminated = true) {
  std::string bytes;
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  if (terminated) bytes.append(2, '\0');
  return bytes;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (const int value : values) bytes += static_cast<char>(value);
  return bytes;
}

std::string Narrow(std::u16string_view text) {  // for failure messages: ASCII shows, the rest as '?'
  std::string narrow;
  for (const char16_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
  return narrow;
}

struct ValueCase {
  const char* name;
  RegistryValue value;
  std::u16string line;
};

TEST(RegFileValueLineTest, WritesEveryTypeAsTheRegistryEditorDoes) {
  const ValueCase cases[] = {
      {"String", {u"Name", kRegSz, Utf16Bytes(u"C:\\Program Files\\x")}, u"\"Name\"=\"C:\\\\Program Files\\\\x\""},
      {"Quotes", {u"say \"hi\"", kRegSz, Utf16Bytes(u"\"a\\b\"")}, u"\"say \\\"hi\\\"\"=\"\\\"a\\\\b\\\"\""},
      {"Default", {u"", kRegSz, Utf16Bytes(u"text")}, u"@=\"text\""},
      {"EmptyString", {u"e", kRegSz, Utf16Bytes(u"")}, u"\"e\"=\"\""},
      {"Korean", {u"설치 폴더", kRegSz, Utf16Bytes(u"C:\\프로그램")}, u"\"설치 폴더\"=\"C:\\\\프로그램\""},
      {"StringWithoutZero", {u"n", kRegSz, Utf16Bytes(u"ab", false)}, u"\"n\"=hex(1):61,00,62,00"},
      {"StringWithZeroInside", {u"z", kRegSz, Bytes({'a', 0, 0, 0, 'b', 0, 0, 0})},
       u"\"z\"=hex(1):61,00,00,00,62,00,00,00"},
      {"StringWithLineBreak", {u"l", kRegSz, Utf16Bytes(u"a\nb")}, u"\"l\"=hex(1):61,00,0a,00,62,00,00,00"},
      {"Expandable", {u"p", kRegExpandSz, Utf16Bytes(u"%A%")}, u"\"p\"=hex(2):25,00,41,00,25,00,00,00"},
      {"Multi", {u"m", kRegMultiSz, Bytes({'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0})},
       u"\"m\"=hex(7):61,00,00,00,62,00,00,00,00,00"},
      {"Dword", {u"d", kRegDword, Bytes({0x78, 0x56, 0x34, 0x12})}, u"\"d\"=dword:12345678"},
      {"DwordZero", {u"", kRegDword, Bytes({0, 0, 0, 0})}, u"@=dword:00000000"},
      {"DwordOfOtherSize", {u"d", kRegDword, Bytes({1, 2})}, u"\"d\"=hex(4):01,02"},
      {"Qword", {u"q", kRegQword, Bytes({1, 2, 3, 4, 5, 6, 7, 0xff})}, u"\"q\"=hex(b):01,02,03,04,05,06,07,ff"},
      {"Binary", {u"b", kRegBinary, Bytes({0xde, 0xad})}, u"\"b\"=hex:de,ad"},
      {"EmptyBinary", {u"b", kRegBinary, ""}, u"\"b\"=hex:"},
      {"None", {u"n", kRegNone, Bytes({1})}, u"\"n\"=hex(0):01"},
      {"EmptyNone", {u"", kRegNone, ""}, u"@=hex(0):"},
      {"BigEndian", {u"e", 5, Bytes({0, 0, 0, 1})}, u"\"e\"=hex(5):00,00,00,01"},
      {"LargeType", {u"t", 0x12345, Bytes({7})}, u"\"t\"=hex(12345):07"},
  };
  for (const ValueCase& c : cases) EXPECT_EQ(Narrow(RegFileValueLine(c.value)), Narrow(c.line)) << c.name;
  for (const ValueCase& c : cases) EXPECT_TRUE(RegFileValueLine(c.value) == c.line) << c.name;
}

// As the registry editor exports a value of Explorer's: the first line breaks after 77 characters,
// every following one holds 25 bytes after two blanks.
TEST(RegFileValueLineTest, WrapsLongValuesAsTheRegistryEditorDoes) {
  std::string data = Bytes({0x24, 0, 0, 0, 0x30, 0x28, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                            1, 0, 0, 0, 0x13, 0, 0, 0, 0, 0, 0, 0, 0x72, 0, 0, 0});
  EXPECT_TRUE(RegFileValueLine({u"ShellState", kRegBinary, data}) ==
              u"\"ShellState\"=hex:24,00,00,00,30,28,00,00,00,00,00,00,00,00,00,00,00,00,00,00,\\\r\n"
              u"  01,00,00,00,13,00,00,00,00,00,00,00,72,00,00,00");

  data.assign(300, '\x5a');
  const std::u16string wrapped = RegFileValueLine({u"", 0x20, data});
  std::vector<std::u16string> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = wrapped.find(u"\r\n", start);
    lines.push_back(wrapped.substr(start, end - start));
    if (end == std::u16string::npos) break;
    start = end + 2;
  }
  ASSERT_GT(lines.size(), 3u);
  std::u16string bytes;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_LE(lines[i].size(), 80u) << i;
    const bool last = i + 1 == lines.size();
    EXPECT_TRUE(last || lines[i].ends_with(u",\\")) << i;
    EXPECT_TRUE(i == 0 || lines[i].starts_with(u"  5a")) << i;
    EXPECT_TRUE(i == 0 || last || lines[i].size() == 2u + 25u * 3u + 1u) << i;
    bytes += lines[i];
  }
  std::size_t count = 0;
  for (std::size_t at = bytes.find(u"5a"); at != std::u16string::npos; at = bytes.find(u"5a", at + 2)) ++count;
  EXPECT_EQ(count, data.size());
}

TEST(RegFileKeyPathTest, NamesTheKeyByItsRootAsTheRegistryEditorImportsIt) {
  const struct {
    std::u16string location;
    bool named;
    std::u16string path;
    std::u16string userSid = u"S-1-5-21-1-2-3-1000";
  } cases[] = {
      {u"\\REGISTRY\\MACHINE\\SOFTWARE\\Wow6432Node\\Classes\\CLSID\\{X}", true,
       u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Classes\\CLSID\\{X}"},
      {u"\\Registry\\Machine\\Software\\Classes\\Wow6432Node\\CLSID", true,
       u"HKEY_LOCAL_MACHINE\\Software\\Classes\\Wow6432Node\\CLSID"},
      {u"\\REGISTRY\\USER\\S-1-5-21-1-2-3-1000\\Software\\Veltora", true, u"HKEY_CURRENT_USER\\Software\\Veltora"},
      {u"\\REGISTRY\\USER\\S-1-5-21-1-2-3-1000_Classes\\Wow6432Node\\CLSID\\{X}", true,
       u"HKEY_CURRENT_USER\\Software\\Classes\\Wow6432Node\\CLSID\\{X}"},
      {u"\\REGISTRY\\USER\\s-1-5-21-1-2-3-1000\\Software", true, u"HKEY_CURRENT_USER\\Software"},
      // Another user's hive goes back into that user's, whoever imports it.
      {u"\\REGISTRY\\USER\\S-1-5-21-1-2-3-1001\\Software\\Veltora", true,
       u"HKEY_USERS\\S-1-5-21-1-2-3-1001\\Software\\Veltora"},
      {u"\\REGISTRY\\USER\\S-1-5-21-1-2-3-1001_Classes\\CLSID\\{X}", true,
       u"HKEY_USERS\\S-1-5-21-1-2-3-1001_Classes\\CLSID\\{X}"},
      {u"\\REGISTRY\\USER\\S-1-5-21-1-2-3-10000\\Software", true, u"HKEY_USERS\\S-1-5-21-1-2-3-10000\\Software"},
      // A hive named otherwise than by the program's own account, such as the default user's.
      {u"\\REGISTRY\\USER\\.DEFAULT\\Software\\Veltora", true, u"HKEY_USERS\\.DEFAULT\\Software\\Veltora",
       u"S-1-5-18"},
      {u"\\REGISTRY\\USER\\S-1-5-21-1-2-3-1000\\Software", true, u"HKEY_USERS\\S-1-5-21-1-2-3-1000\\Software", u""},
      {u"\\REGISTRY\\MACHINE\\SOFTWARE\\한글", true, u"HKEY_LOCAL_MACHINE\\SOFTWARE\\한글"},
      {u"\\REGISTRY\\MACHINEX\\SOFTWARE", false, u""},
      {u"\\REGISTRY\\USER\\", false, u""},
      {u"\\REGISTRY\\A\\B", false, u""},
  };
  for (const auto& c : cases) {
    std::u16string path;
    EXPECT_EQ(RegFileKeyPath(c.location, c.userSid, &path), c.named) << Narrow(c.location);
    EXPECT_TRUE(!c.named || path == c.path) << Narrow(c.location) << " -> " << Narrow(path);
  }
}

TEST(UndoFileBytesTest, IsLittleEndianUtf16WithItsByteOrderMark) {
  EXPECT_EQ(UndoFileBytes(u"A한"), Bytes({0xff, 0xfe, 'A', 0, 0x5c, 0xd5}));
}

TEST(UndoFileNameTest, NamesTheKindThePcAndTheMoment) {
  EXPECT_EQ(UndoFileName("standard", "PC-7", {2026, 1, 2, 3, 4, 5, 540}), "MendrelDiag-undo-standard-PC-7-20260102-030405.reg");
}

constexpr std::string_view kTreeKeys[] = {R"(Both\Deep\A)", "Missing"};
constexpr RemovalRow kRows[] = {{"Product"}, {"Absent"}, {"Product"}, {"Both: Deep\\A, Missing", kTreeKeys}};
constexpr RemovalRow kRedirectedRows[] = {{"{X}"}};
constexpr RemovalGroup kGroups[] = {
    {R"(Software\Vendor)", kRows},
    {R"(Software\Classes\CLSID)", kRedirectedRows},
    {R"(Software\Nowhere)", kRows},
};
constexpr CleanupList kList{kLocalMachine, "HKEY_LOCAL_MACHINE", kGroups};

// Every key of the list that exists, once, with its values first and then each subkey below it,
// named where the registry says it is.
TEST(UndoFileTextTest, HoldsEveryExistingKeyOfTheListWithItsWholeTree) {
  FakeRegistry registry;
  const std::string korean = "한글 키";
  registry.SetValue(kLocalMachine, R"(Software\Vendor\Product)", "", Utf16Bytes(u"기본"), kRegSz);
  registry.SetValue(kLocalMachine, R"(Software\Vendor\Product)", "Count", Bytes({1, 0, 0, 0}), kRegDword);
  registry.SetValue(kLocalMachine, R"(Software\Vendor\Product\)" + korean, "이름", Utf16Bytes(u"값"), kRegSz);
  registry.CreateKey(kLocalMachine, R"(Software\Vendor\Product\)" + korean + R"(\Empty)");
  registry.CreateKey(kLocalMachine, R"(Software\Vendor\Both\Deep\A\B)");
  registry.CreateKey(kLocalMachine, R"(Software\Vendor\Both\Deep\Stays)");
  registry.CreateKey(kLocalMachine, R"(Software\Classes\CLSID\{X})");
  registry.Relocate(kLocalMachine, R"(Software\Classes\CLSID)", R"(\REGISTRY\MACHINE\Software\Classes\Wow6432Node\CLSID)");

  UndoWalk walk;
  ASSERT_EQ(UndoFileText(registry, kList, FakeRegistry::kUserSid, &walk), kErrorSuccess);
  EXPECT_EQ(walk.keys, 4);  // Product twice, Deep\A, {X}
  const std::u16string expected =
      u"Windows Registry Editor Version 5.00\r\n\r\n"
      u"[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Product]\r\n"
      u"@=\"기본\"\r\n"
      u"\"Count\"=dword:00000001\r\n\r\n"
      u"[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Product\\한글 키]\r\n"
      u"\"이름\"=\"값\"\r\n\r\n"
      u"[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Product\\한글 키\\Empty]\r\n\r\n"
      u"[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Both\\Deep\\A]\r\n\r\n"
      u"[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Both\\Deep\\A\\B]\r\n\r\n"
      u"[HKEY_LOCAL_MACHINE\\Software\\Classes\\Wow6432Node\\CLSID\\{X}]\r\n\r\n";
  EXPECT_TRUE(walk.text == expected) << Narrow(walk.text);
  // Each tree held for the removal, children first; none for a key the walk did not find.
  ASSERT_EQ(walk.held.size(), 3u);
  EXPECT_EQ(walk.held[R"(Software\Vendor\Product)"].keys.size(), 3u);
  EXPECT_EQ(walk.held[R"(Software\Vendor\Both\Deep\A)"].keys.size(), 2u);
  walk = {};
  EXPECT_EQ(registry.OpenHandles(), 0);
}

TEST(UndoFileTextTest, AValueThatCannotBeReadFailsTheWholeFile) {
  FakeRegistry registry;
  registry.SetValue(kLocalMachine, R"(Software\Vendor\Product\Inner)", "Count", Bytes({1, 0, 0, 0}), kRegDword);
  registry.FailValues(kLocalMachine, R"(Software\Vendor\Product\Inner)", 1009);  // ERROR_BADDB
  UndoWalk walk;
  EXPECT_EQ(UndoFileText(registry, kList, FakeRegistry::kUserSid, &walk), 1009);
  EXPECT_TRUE(walk.stopKey == u"HKEY_LOCAL_MACHINE\\Software\\Vendor\\Product\\Inner") << Narrow(walk.stopKey);
  walk = {};
  EXPECT_EQ(registry.OpenHandles(), 0);
}

// The hive of the user the program runs as is HKEY_CURRENT_USER; another user's, as when the
// program runs as the system account or under runas, keeps its own name.
TEST(UndoFileTextTest, UserKeysAreNamedByTheHiveTheyBelongTo) {
  const struct {
    const char* name;
    const char* userSid;
    std::u16string root;
    std::u16string classes;
  } cases[] = {
      {"OwnHive", FakeRegistry::kUserSid, u"HKEY_CURRENT_USER", u"HKEY_CURRENT_USER\\Software\\Classes"},
      {"AnotherUsersHive", "S-1-5-18", u"HKEY_USERS\\S-1-5-21-7-7-7-1000",
       u"HKEY_USERS\\S-1-5-21-7-7-7-1000_Classes"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeRegistry registry;
    registry.CreateKey(kCurrentUser, R"(Software\Vendor\Product)");
    registry.CreateKey(kCurrentUser, R"(Software\Classes\CLSID\{X})");
    registry.Relocate(kCurrentUser, R"(Software\Classes)", std::string(R"(\REGISTRY\USER\)") + FakeRegistry::kUserSid +
                                                               "_Classes");
    const CleanupList list{kCurrentUser, "HKEY_CURRENT_USER", kGroups};
    UndoWalk walk;
    ASSERT_EQ(UndoFileText(registry, list, c.userSid, &walk), kErrorSuccess);
    EXPECT_NE(walk.text.find(u"[" + c.root + u"\\Software\\Vendor\\Product]\r\n\r\n"), std::u16string::npos)
        << Narrow(walk.text);
    EXPECT_NE(walk.text.find(u"[" + c.classes + u"\\CLSID\\{X}]\r\n\r\n"), std::u16string::npos) << Narrow(walk.text);
  }
}

// The clean-up itself: the file before any removal, and no removal without it. The PC has the
// per-user product key with a value.
struct CleanupPc {
  FakePorts f;
  const Cleanup& cleanup = kStandardUserCleanup;
  const std::string product = R"(SOFTWARE\Veltora\CALYRAWebV7)";
  const std::string undoFile =
      R"(C:\Users\helpdesk\Documents\MendrelDiag-undo-standard-HELPDESK-PC-20261210-090507.reg)";

  CleanupPc() {
    f.registry.SetValue(kCurrentUser, product, "Install_Dir", Utf16Bytes(u"C:\\V"), kRegSz);
    f.system.messages[5] = "액세스가 거부되었습니다.\r\n";
    f.system.messages[32] = "다른 프로세스가 파일을 사용 중이기 때문에 프로세스가 액세스 할 수 없습니다.\r\n";
    f.system.messages[1010] = "구성 레지스트리 키가 잘못되었습니다.\r\n";
  }
  CleanupOutcome Clean() {
    f.view.answers.push_back(true);
    return f.session.OnCleanupStandardUsers();
  }
};

class UndoCleanupTest : public testing::Test, protected CleanupPc {};

TEST_F(UndoCleanupTest, WritesTheFileBeforeRemovingAndNamesItInTheReport) {
  // The other groups' parents are missing: their rows fail, and no key of theirs can remain.
  EXPECT_EQ(Clean(), CleanupOutcome::allRemoved);
  EXPECT_FALSE(f.registry.KeyExists(kCurrentUser, product));
  const std::string expected = UndoFileBytes(
      u"Windows Registry Editor Version 5.00\r\n\r\n"
      u"[HKEY_CURRENT_USER\\SOFTWARE\\Veltora\\CALYRAWebV7]\r\n\"Install_Dir\"=\"C:\\\\V\"\r\n\r\n");
  EXPECT_EQ(f.files.outputFiles[undoFile], expected);
  EXPECT_TRUE(f.session.Report().Text().ends_with("정리 전 레지스트리 백업 파일 : " + undoFile +
                                                  "\r\n이 파일을 레지스트리에 등록하면 정리 전 상태로 복원됩니다.\r\n"));
}

// A script that runs the clean-up again at once, within the same second: the first file, which
// alone holds what the first run removed, stays as it was, and each later one takes the next name.
TEST_F(UndoCleanupTest, ATakenNameLeavesTheFirstFileAsItWas) {
  EXPECT_EQ(Clean(), CleanupOutcome::allRemoved);
  const std::string first = f.files.outputFiles.at(undoFile);
  for (const std::string number : {"2", "3"}) {
    SCOPED_TRACE(number);
    f.registry.SetValue(kCurrentUser, product, "Run", Utf16Bytes(std::u16string(number.begin(), number.end())), kRegSz);
    EXPECT_EQ(Clean(), CleanupOutcome::allRemoved);
    EXPECT_EQ(f.files.outputFiles.at(undoFile), first);
    const std::string next = undoFile.substr(0, undoFile.size() - 4) + "-" + number + ".reg";
    ASSERT_TRUE(f.files.outputFiles.contains(next));
    const std::string value = UndoFileBytes(u"\"Run\"=\"" + std::u16string(number.begin(), number.end()) + u"\"");
    EXPECT_NE(f.files.outputFiles.at(next).find(value.substr(2)), std::string::npos);
    EXPECT_TRUE(f.session.Report().Text().ends_with("정리 전 레지스트리 백업 파일 : " + next +
                                                    "\r\n이 파일을 레지스트리에 등록하면 정리 전 상태로 복원됩니다.\r\n"));
  }
}

// A key that may be read but not removed stops its own row; the rows before it have removed their
// keys, the rows after it too, and the file written first holds every one of them with the denied key.
TEST_F(UndoCleanupTest, ADenialHalfwayLeavesEveryRemovedKeyInTheFile) {
  const std::vector<std::string> keys = KeysOf(cleanup.list);
  for (const std::string& key : keys) {
    f.registry.SetValue(kCurrentUser, key, "", Utf16Bytes(u"Installed"), kRegSz);
    f.registry.SetValue(kCurrentUser, key + R"(\Below)", "Count", Bytes({1, 0, 0, 0}), kRegDword);
  }
  const std::string denied = keys[keys.size() / 2];
  f.registry.DenyDelete(kCurrentUser, denied);

  EXPECT_EQ(Clean(), CleanupOutcome::someNotRemoved);
  const std::string report = f.session.Report().Text();
  const std::string deniedRow = "[권한없슴] ";
  const std::size_t row = report.find(deniedRow);
  ASSERT_NE(row, std::string::npos) << report;
  EXPECT_TRUE(report.substr(row, report.find("\r\n", row) - row).ends_with("HKEY_CURRENT_USER\\" + denied)) << report;
  EXPECT_EQ(report.find(deniedRow, row + 1), std::string::npos) << report;
  EXPECT_EQ(report.find("[실패]"), std::string::npos) << report;

  const std::string bytes = f.files.outputFiles[undoFile];
  std::u16string text;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
  for (const std::string& key : keys) {
    EXPECT_EQ(f.registry.KeyExists(kCurrentUser, key), key == denied) << key;
    EXPECT_FALSE(f.registry.KeyExists(kCurrentUser, key + R"(\Below)")) << key;
    const std::u16string path = u"[HKEY_CURRENT_USER\\" + std::u16string(key.begin(), key.end());
    EXPECT_NE(text.find(path + u"]\r\n@=\"Installed\"\r\n"), std::u16string::npos) << key;
    EXPECT_NE(text.find(path + u"\\Below]\r\n\"Count\"=dword:00000001\r\n"), std::u16string::npos) << key;
  }
}

// A key below a listed one that may be read but not written: the file holds it, and its row is
// denied with what went before it removed, as a removal that walks the tree itself leaves it.
// Without administrator rights every machine-wide key is such a key.
TEST_F(UndoCleanupTest, AKeyThatCannotBeWrittenIsInTheFileAndDeniesItsRow) {
  f.registry.SetValue(kCurrentUser, product + R"(\A)", "Count", Bytes({1, 0, 0, 0}), kRegDword);
  f.registry.SetValue(kCurrentUser, product + R"(\B\Locked\Deep)", "Count", Bytes({2, 0, 0, 0}), kRegDword);
  f.registry.DenyWrite(kCurrentUser, product + R"(\B\Locked)");

  EXPECT_EQ(Clean(), CleanupOutcome::someNotRemoved);
  const std::string report = f.session.Report().Text();
  EXPECT_NE(report.find("[권한없슴] 59.HKEY_CURRENT_USER\\" + product + "\r\n"), std::string::npos) << report;
  EXPECT_FALSE(f.registry.KeyExists(kCurrentUser, product + R"(\A)"));
  EXPECT_TRUE(f.registry.KeyExists(kCurrentUser, product + R"(\B\Locked\Deep)"));
  const std::string& bytes = f.files.outputFiles[undoFile];
  const std::string locked = UndoFileBytes(u"[HKEY_CURRENT_USER\\SOFTWARE\\Veltora\\CALYRAWebV7\\B\\Locked]\r\n\r\n");
  EXPECT_NE(bytes.find(locked.substr(2)), std::string::npos);
  EXPECT_EQ(f.registry.OpenHandles(), 0);
}

// The removal deletes only what the undo file holds, through the keys the walk left open. A tree
// of which a key has changed since stays whole and its row fails with 1020; a tree gone meanwhile
// counts as removed, and so does a key the walk did not find, which is left alone.
TEST(UndoWalkThenRemovalTest, RemovesOnlyWhatTheFileHolds) {
  const std::string product = R"(Software\Vendor\Product)";
  using Change = void (*)(FakeRegistry&, const std::string&);
  static constexpr Change removeProduct = [](FakeRegistry& r, const std::string& p) {
    for (const char* key : {R"(\A\Leaf)", R"(\A)", R"(\B)", ""}) r.DeleteKey(kLocalMachine, p + key);
  };
  const struct {
    const char* name;
    Change change;
    const char* lines;  // the row's
    std::vector<std::string> stay;  // below product
    bool atWalk = true;  // product is there when the walk runs
  } cases[] = {
      {"NothingChanged", [](FakeRegistry&, const std::string&) {}, "  -. [성공] 01.{P}\n  -. \n", {}},
      {"ListedKeyGone", removeProduct, "  -. [성공] 01.{P}\n  -. \n", {}},
      {"SubkeyGone", [](FakeRegistry& r, const std::string& p) { r.DeleteKey(kLocalMachine, p + R"(\A\Leaf)"); },
       "  -. [실패] 01.{P}\n    -. Error Code : 1020\n  -. \n", {R"(\A)", R"(\B)"}},
      {"SubkeyAddedBelowASubkey",
       [](FakeRegistry& r, const std::string& p) { r.CreateKey(kLocalMachine, p + R"(\A\New)"); },
       "  -. [실패] 01.{P}\n    -. Error Code : 1020\n  -. \n", {R"(\A\New)", R"(\A\Leaf)", R"(\B)"}},
      {"SubkeyAddedBelowTheListedKey",
       [](FakeRegistry& r, const std::string& p) { r.CreateKey(kLocalMachine, p + R"(\New)"); },
       "  -. [실패] 01.{P}\n    -. Error Code : 1020\n  -. \n", {R"(\New)", R"(\A\Leaf)", R"(\B)"}},
      {"ValueAddedToASubkey",
       [](FakeRegistry& r, const std::string& p) { r.SetString(kLocalMachine, p + R"(\A\Leaf)", "New", "x"); },
       "  -. [실패] 01.{P}\n    -. Error Code : 1020\n  -. \n", {R"(\A\Leaf)", R"(\B)"}},
      {"ValueAddedToTheListedKey",
       [](FakeRegistry& r, const std::string& p) { r.SetString(kLocalMachine, p, "New", "x"); },
       "  -. [실패] 01.{P}\n    -. Error Code : 1020\n  -. \n", {R"(\A\Leaf)", R"(\B)"}},
      {"ValueChanged",
       [](FakeRegistry& r, const std::string& p) { r.SetValue(kLocalMachine, p, "Count", Bytes({2, 0, 0, 0}), kRegDword); },
       "  -. [실패] 01.{P}\n    -. Error Code : 1020\n  -. \n", {R"(\A\Leaf)", R"(\B)"}},
      {"SubkeyReplaced",
       [](FakeRegistry& r, const std::string& p) {
         r.DeleteKey(kLocalMachine, p + R"(\B)");
         r.CreateKey(kLocalMachine, p + R"(\B)");
       },
       "  -. [실패] 01.{P}\n    -. Error Code : 1020\n  -. \n", {R"(\A\Leaf)", R"(\B)"}},
      // Another key of that name: the one in the file is gone, and this one is not in it.
      {"ListedKeyReplaced",
       [](FakeRegistry& r, const std::string& p) {
         removeProduct(r, p);
         r.CreateKey(kLocalMachine, p + R"(\B)");
       },
       "  -. [성공] 01.{P}\n  -. \n", {R"(\B)"}},
      {"ListedKeyReplacedByOneWithValuesOnly",
       [](FakeRegistry& r, const std::string& p) {
         removeProduct(r, p);
         r.SetString(kLocalMachine, p, "New", "x");
       },
       "  -. [성공] 01.{P}\n  -. \n", {""}},
      {"KeyAppearedAfterTheWalkFoundNone",
       [](FakeRegistry& r, const std::string& p) { r.SetString(kLocalMachine, p + R"(\A)", "New", "x"); },
       "  -. [성공] 01.{P}\n  -. \n", {R"(\A)"}, false},
  };
  static constexpr RemovalRow rows[] = {{"Product"}};
  static constexpr RemovalGroup groups[] = {{R"(Software\Vendor)", rows}};
  static constexpr CleanupList list{kLocalMachine, "HKEY_LOCAL_MACHINE", groups};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeRegistry registry;
    registry.CreateKey(kLocalMachine, R"(Software\Vendor\Other)");
    if (c.atWalk) {
      registry.SetValue(kLocalMachine, product, "Count", Bytes({1, 0, 0, 0}), kRegDword);
      registry.CreateKey(kLocalMachine, product + R"(\A\Leaf)");
      registry.CreateKey(kLocalMachine, product + R"(\B)");
    }
    UndoWalk walk;
    ASSERT_EQ(UndoFileText(registry, list, FakeRegistry::kUserSid, &walk), kErrorSuccess);
    c.change(registry, product);
    ReportLog report;

    const std::vector<RemovalOutcome> rows = RemoveCleanupList(registry, report, list, &walk.held);
    const bool allRemoved = rows.size() == 1 && rows[0].state != RemovalOutcome::State::remains;

    std::string lines = c.lines;
    lines.replace(lines.find("{P}"), 3, "HKEY_LOCAL_MACHINE\\" + product);
    EXPECT_EQ(report.Text(), Transcript(lines));
    EXPECT_EQ(allRemoved, lines.find("[성공]") != std::string::npos);
    EXPECT_EQ(registry.KeyExists(kLocalMachine, product), !c.stay.empty());
    for (const std::string& key : c.stay) EXPECT_TRUE(registry.KeyExists(kLocalMachine, product + key)) << key;
    walk = {};
    EXPECT_EQ(registry.OpenHandles(), 0);
  }
}

// Whatever keeps the file from being written whole, nothing is removed: a stop box and the report
// name the file, the key where the walk stopped when it did, and the reason.
TEST(UndoCleanupFailureTest, NothingIsRemovedWithoutTheWholeFile) {
  const struct {
    const char* name;
    void (*arrange)(FakePorts&, const std::string& product, const std::string& undoFile);
    const char* key;    // below HKEY_CURRENT_USER\SOFTWARE\Veltora
    const char* value;  // the value of that key, by its place
    const char* reason;
  } cases[] = {
      {"FolderWithoutRights",
       [](FakePorts& f, const std::string&, const std::string&) {
         f.files.createErrors[R"(C:\Users\helpdesk\Documents\)"] = 5;
       },
       nullptr, nullptr, "액세스가 거부되었습니다."},
      {"FileHeldOpen",
       [](FakePorts& f, const std::string&, const std::string& undoFile) { f.files.moveErrors[undoFile] = 32; },
       nullptr, nullptr, "다른 프로세스가 파일을 사용 중이기 때문에 프로세스가 액세스 할 수 없습니다."},
      {"FullDisk", [](FakePorts& f, const std::string&, const std::string&) { f.files.writeAnswers.push_back({0, 10}); },
       nullptr, nullptr, "오류 코드 112"},
      {"ValueThatCannotBeRead",
       [](FakePorts& f, const std::string& product, const std::string&) { f.registry.FailValues(kCurrentUser, product, 5); },
       "CALYRAWebV7", "1번째 값", "액세스가 거부되었습니다."},
      // The registry editor would skip the line that the break splits, and what it holds with it.
      {"KeyNameWithALineBreak",
       [](FakePorts& f, const std::string& product, const std::string&) {
         f.registry.SetValue(kCurrentUser, product + "\\Two\nLines", "Count", Bytes({1, 0, 0, 0}), kRegDword);
       },
       "CALYRAWebV7", nullptr, "구성 레지스트리 키가 잘못되었습니다."},
      {"ValueNameWithALineBreak",
       [](FakePorts& f, const std::string& product, const std::string&) {
         f.registry.SetValue(kCurrentUser, product + "\\Deep", "Two\r\nLines", Bytes({1, 0, 0, 0}), kRegDword);
       },
       "CALYRAWebV7\\Deep", "1번째 값", "구성 레지스트리 키가 잘못되었습니다."},
  };
  const std::string message = "***** 정리 전 레지스트리 백업 파일을 만들지 못하여 레지스트리 정리를 시작하지 않았습니다.";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CleanupPc pc;
    FakePorts& f = pc.f;
    c.arrange(f, pc.product, pc.undoFile);

    EXPECT_EQ(pc.Clean(), CleanupOutcome::notStarted);
    EXPECT_TRUE(f.registry.KeyExists(kCurrentUser, pc.product));
    const std::string key = c.key ? std::string("키 : HKEY_CURRENT_USER\\SOFTWARE\\Veltora\\") + c.key + "\r\n" : "";
    const std::string value = c.value ? std::string("값 : ") + c.value + "\r\n" : "";
    const std::string lines = key + value + "파일 : " + pc.undoFile + "\r\n사유 : " + c.reason;
    ASSERT_EQ(f.view.errors.size(), 1u);
    EXPECT_EQ(f.view.errors[0], message + "\r\n\r\n" + lines);
    std::string report = message + "\r\n";
    for (std::size_t start = 0; start < lines.size();) {
      const std::size_t end = std::min(lines.find("\r\n", start), lines.size());
      report += "  -. " + lines.substr(start, end - start) + "\r\n";
      start = end + 2;
    }
    EXPECT_EQ(f.session.Report().Text(), report);
    // Not even a part of it stays behind.
    EXPECT_TRUE(f.files.outputFiles.empty());
  }
}

}  // namespace
