// The undo file: values as the registry editor writes them, keys named where they really are, and
// the clean-up that removes nothing without it.
#include "repair/undo_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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
  } cases[] = {
      {u"\\REGISTRY\\MACHINE\\SOFTWARE\\Wow6432Node\\Classes\\CLSID\\{X}", true,
       u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Classes\\CLSID\\{X}"},
      {u"\\Registry\\Machine\\Software\\Classes\\Wow6432Node\\CLSID", true,
       u"HKEY_LOCAL_MACHINE\\Software\\Classes\\Wow6432Node\\CLSID"},
      {u"\\REGISTRY\\USER\\S-1-5-21-1-2-3-1000\\Software\\Veltora", true, u"HKEY_CURRENT_USER\\Software\\Veltora"},
      {u"\\REGISTRY\\USER\\S-1-5-21-1-2-3-1000_Classes\\Wow6432Node\\CLSID\\{X}", true,
       u"HKEY_CURRENT_USER\\Software\\Classes\\Wow6432Node\\CLSID\\{X}"},
      {u"\\REGISTRY\\MACHINE\\SOFTWARE\\한글", true, u"HKEY_LOCAL_MACHINE\\SOFTWARE\\한글"},
      {u"\\REGISTRY\\MACHINEX\\SOFTWARE", false, u""},
      {u"\\REGISTRY\\USER\\", false, u""},
      {u"\\REGISTRY\\A\\B", false, u""},
  };
  for (const auto& c : cases) {
    std::u16string path;
    EXPECT_EQ(RegFileKeyPath(c.location, &path), c.named) << Narrow(c.location);
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

  std::u16string text;
  int keys = 0;
  ASSERT_EQ(UndoFileText(registry, kList, &text, &keys), kErrorSuccess);
  EXPECT_EQ(keys, 4);  // Product twice, Deep\A, {X}
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
  EXPECT_TRUE(text == expected) << Narrow(text);
  EXPECT_EQ(registry.OpenHandles(), 0);
}

TEST(UndoFileTextTest, AValueThatCannotBeReadFailsTheWholeFile) {
  FakeRegistry registry;
  registry.CreateKey(kLocalMachine, R"(Software\Vendor\Product\Inner)");
  registry.FailValues(kLocalMachine, R"(Software\Vendor\Product\Inner)", 1009);  // ERROR_BADDB
  std::u16string text;
  int keys = 0;
  EXPECT_EQ(UndoFileText(registry, kList, &text, &keys), 1009);
  EXPECT_EQ(registry.OpenHandles(), 0);
}

TEST(UndoFileTextTest, HkcuKeysAreNamedUnderTheCurrentUser) {
  FakeRegistry registry;
  registry.CreateKey(kCurrentUser, R"(Software\Vendor\Product)");
  const CleanupList list{kCurrentUser, "HKEY_CURRENT_USER", kGroups};
  std::u16string text;
  int keys = 0;
  ASSERT_EQ(UndoFileText(registry, list, &text, &keys), kErrorSuccess);
  EXPECT_TRUE(text.ends_with(u"[HKEY_CURRENT_USER\\Software\\Vendor\\Product]\r\n\r\n")) << Narrow(text);
}

// The clean-up itself: the file before any removal, and no removal without it.
class UndoCleanupTest : public testing::Test {
protected:
  FakePorts f;
  const Cleanup& cleanup = kStandardUserCleanup;
  const std::string product = R"(SOFTWARE\Veltora\CALYRAWebV7)";
  const std::string undoFile =
      R"(C:\Users\helpdesk\Documents\MendrelDiag-undo-standard-HELPDESK-PC-20261210-090507.reg)";

  void SetUp() override {
    f.registry.SetValue(kCurrentUser, product, "Install_Dir", Utf16Bytes(u"C:\\V"), kRegSz);
    f.system.messages[5] = "액세스가 거부되었습니다.\r\n";
    f.system.messages[32] = "다른 프로세스가 파일을 사용 중이기 때문에 프로세스가 액세스 할 수 없습니다.\r\n";
  }
  CleanupOutcome Run() {
    f.view.answers.push_back(true);
    return f.session.OnCleanupStandardUsers();
  }
  void ExpectNothingRemovedBecause(const std::string& reason) {
    EXPECT_TRUE(f.registry.KeyExists(kCurrentUser, product));
    const std::string message =
        "***** 정리 전 레지스트리 백업 파일을 만들지 못하여 레지스트리 정리를 시작하지 않았습니다.";
    ASSERT_EQ(f.view.errors.size(), 1u);
    EXPECT_EQ(f.view.errors[0], message + "\r\n\r\n파일 : " + undoFile + "\r\n사유 : " + reason);
    EXPECT_EQ(f.session.Report().Text(), message + "\r\n  -. 파일 : " + undoFile + "\r\n  -. 사유 : " + reason + "\r\n");
    // Not even a part of it stays behind.
    EXPECT_TRUE(f.files.outputFiles.empty());
  }
};

TEST_F(UndoCleanupTest, WritesTheFileBeforeRemovingAndNamesItInTheReport) {
  EXPECT_EQ(Run(), CleanupOutcome::someNotRemoved);  // parents of other groups are missing
  EXPECT_FALSE(f.registry.KeyExists(kCurrentUser, product));
  const std::string expected = UndoFileBytes(
      u"Windows Registry Editor Version 5.00\r\n\r\n"
      u"[HKEY_CURRENT_USER\\SOFTWARE\\Veltora\\CALYRAWebV7]\r\n\"Install_Dir\"=\"C:\\\\V\"\r\n\r\n");
  EXPECT_EQ(f.files.outputFiles[undoFile], expected);
  EXPECT_TRUE(f.session.Report().Text().ends_with("정리 전 레지스트리 백업 파일 : " + undoFile +
                                                  "\r\n이 파일을 레지스트리에 등록하면 정리 전 상태로 복원됩니다.\r\n"));
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

  EXPECT_EQ(Run(), CleanupOutcome::someNotRemoved);
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

  EXPECT_EQ(Run(), CleanupOutcome::someNotRemoved);
  const std::string report = f.session.Report().Text();
  EXPECT_NE(report.find("[권한없슴] 59.HKEY_CURRENT_USER\\" + product + "\r\n"), std::string::npos) << report;
  EXPECT_FALSE(f.registry.KeyExists(kCurrentUser, product + R"(\A)"));
  EXPECT_TRUE(f.registry.KeyExists(kCurrentUser, product + R"(\B\Locked\Deep)"));
  const std::string& bytes = f.files.outputFiles[undoFile];
  const std::string locked = UndoFileBytes(u"[HKEY_CURRENT_USER\\SOFTWARE\\Veltora\\CALYRAWebV7\\B\\Locked]\r\n\r\n");
  EXPECT_NE(bytes.find(locked.substr(2)), std::string::npos);
  EXPECT_EQ(f.registry.OpenHandles(), 0);
}

// The removal deletes through the keys the undo walk left open. What changes in between never
// shows as removed unless it is gone: a key gone meanwhile counts as removed, and a key that
// appeared stays with its parents, whose delete refuses.
TEST(UndoWalkThenRemovalTest, ChangesInBetweenNeverGiveAFalseSuccess) {
  const std::string product = R"(Software\Vendor\Product)";
  const struct {
    const char* name;
    void (*change)(FakeRegistry&, const std::string&);
    const char* tag;
    std::vector<std::string> stay;  // below product
  } cases[] = {
      {"NothingChanged", [](FakeRegistry&, const std::string&) {}, "[성공] ", {}},
      {"SubkeyGone", [](FakeRegistry& r, const std::string& p) { r.DeleteKey(kLocalMachine, p + R"(\A\Leaf)"); },
       "[성공] ", {}},
      {"ListedKeyGone",
       [](FakeRegistry& r, const std::string& p) {
         for (const char* key : {R"(\A\Leaf)", R"(\A)", R"(\B)", ""}) r.DeleteKey(kLocalMachine, p + key);
       },
       "[성공] ", {}},
      {"SubkeyAddedBelowASubkey",
       [](FakeRegistry& r, const std::string& p) { r.CreateKey(kLocalMachine, p + R"(\A\New)"); }, "[권한없슴] ",
       {R"(\A\New)"}},
      {"SubkeyAddedBelowTheListedKey",
       [](FakeRegistry& r, const std::string& p) { r.CreateKey(kLocalMachine, p + R"(\New)"); }, "[권한없슴] ",
       {R"(\New)"}},
      {"SubkeyReplaced",
       [](FakeRegistry& r, const std::string& p) {
         r.DeleteKey(kLocalMachine, p + R"(\B)");
         r.CreateKey(kLocalMachine, p + R"(\B)");
       },
       "[권한없슴] ", {R"(\B)"}},
      {"ListedKeyReplaced",
       [](FakeRegistry& r, const std::string& p) {
         for (const char* key : {R"(\A\Leaf)", R"(\A)", R"(\B)", ""}) r.DeleteKey(kLocalMachine, p + key);
         r.CreateKey(kLocalMachine, p + R"(\B)");
       },
       "[권한없슴] ", {R"(\B)"}},
  };
  static constexpr RemovalRow rows[] = {{"Product"}};
  static constexpr RemovalGroup groups[] = {{R"(Software\Vendor)", rows}};
  static constexpr CleanupList list{kLocalMachine, "HKEY_LOCAL_MACHINE", groups};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeRegistry registry;
    registry.SetValue(kLocalMachine, product, "Count", Bytes({1, 0, 0, 0}), kRegDword);
    registry.CreateKey(kLocalMachine, product + R"(\A\Leaf)");
    registry.CreateKey(kLocalMachine, product + R"(\B)");
    std::u16string text;
    int keys = 0;
    OpenTrees trees;
    ASSERT_EQ(UndoFileText(registry, list, &text, &keys, &trees), kErrorSuccess);
    c.change(registry, product);
    ReportLog report;

    RemoveCleanupList(registry, report, list, std::move(trees));

    EXPECT_EQ(report.Text().rfind(std::string("  -. ") + c.tag + "01.HKEY_LOCAL_MACHINE\\" + product + "\r\n", 0), 0u)
        << report.Text();
    EXPECT_EQ(registry.KeyExists(kLocalMachine, product), !c.stay.empty());
    for (const std::string& key : c.stay) EXPECT_TRUE(registry.KeyExists(kLocalMachine, product + key)) << key;
    EXPECT_EQ(registry.OpenHandles(), 0);
  }
}

TEST_F(UndoCleanupTest, AFolderWithoutRightsRemovesNothing) {
  f.files.createErrors[R"(C:\Users\helpdesk\Documents\)"] = 5;
  EXPECT_EQ(Run(), CleanupOutcome::notStarted);
  ExpectNothingRemovedBecause("액세스가 거부되었습니다.");
}

TEST_F(UndoCleanupTest, AFileHeldOpenRemovesNothingAndLeavesNoPartOfIt) {
  f.files.moveErrors[undoFile] = 32;
  EXPECT_EQ(Run(), CleanupOutcome::notStarted);
  ExpectNothingRemovedBecause("다른 프로세스가 파일을 사용 중이기 때문에 프로세스가 액세스 할 수 없습니다.");
}

TEST_F(UndoCleanupTest, AFullDiskRemovesNothing) {
  f.files.writeAnswers.push_back({0, 10});
  EXPECT_EQ(Run(), CleanupOutcome::notStarted);
  ExpectNothingRemovedBecause("오류 코드 112");
}

TEST_F(UndoCleanupTest, AValueThatCannotBeReadRemovesNothing) {
  f.registry.FailValues(kCurrentUser, product, 5);
  EXPECT_EQ(Run(), CleanupOutcome::notStarted);
  ExpectNothingRemovedBecause("액세스가 거부되었습니다.");
}

}  // namespace
