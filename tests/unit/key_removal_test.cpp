// Removal of key trees, the walk over a clean-up list and its report rows, and the two clean-ups.
#include "repair/key_removal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "client_fixture.h"
#include "fakes/fake_ports.h"
#include "fakes/fake_scratch_tree.h"
#include "key_tree_cases.h"
#include "repair/cleanup_lists.h"

namespace {

using namespace platform;

template <typename T>
std::string NameOf(const testing::TestParamInfo<T>& info) {
  return info.param.name;
}

class KeyTreeTable : public testing::TestWithParam<key_tree_cases::Case> {};

TEST_P(KeyTreeTable, RemovesTheTreeAndNothingElse) {
  FakeScratchTree tree;
  key_tree_cases::RunCase(tree, GetParam());
  EXPECT_EQ(tree.fake.OpenHandles(), 0);
}

INSTANTIATE_TEST_SUITE_P(DeleteKeyTree, KeyTreeTable, testing::ValuesIn(key_tree_cases::kCases),
                         key_tree_cases::CaseName);

// Wine runs as root and cannot refuse: a denial comes from the fake alone.
TEST(DeleteKeyTreeTest, DenialDeepInTreeStopsThereAndKeepsWhatWentBefore) {
  FakeRegistry registry;
  for (const char* key : {R"(P\T\A\A1)", R"(P\T\B\B1\Locked\Deep)", R"(P\T\B\B2)", R"(P\T\C)"}) {
    registry.CreateKey(kLocalMachine, key);
  }
  registry.DenyAccess(kLocalMachine, R"(P\T\B\B1\Locked)");
  RegKey parent;
  ASSERT_EQ(OpenKey(registry, kLocalMachine, "P", kKeyReadWrite, &parent), kErrorSuccess);

  EXPECT_EQ(DeleteKeyTree(registry, parent.get(), "T"), kErrorAccessDenied);
  EXPECT_FALSE(registry.KeyExists(kLocalMachine, R"(P\T\A)"));  // removed before the denial
  for (const char* key : {R"(P\T\B\B1\Locked\Deep)", R"(P\T\B\B2)", R"(P\T\C)"}) {
    EXPECT_TRUE(registry.KeyExists(kLocalMachine, key)) << key;
  }
  parent.Close();
  EXPECT_EQ(registry.OpenHandles(), 0);
}

// A child that a listing finds but that cannot then be opened: gone meanwhile, or out of reach of
// its name. Only a child really gone counts as removed.
TEST(DeleteKeyTreeTest, ChildListedButNotOpenedCountsOnlyWhenGone) {
  const struct {
    const char* name;
    void (FakeRegistry::*arrange)(KeyHandle, const std::string&);
    long code;
    bool treeRemains;
  } cases[] = {
      {"removed meanwhile", &FakeRegistry::RemoveWhenListed, kErrorSuccess, false},
      {"never reachable", &FakeRegistry::MakeUnreachable, kErrorCantOpen, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeRegistry registry;
    for (const char* key : {R"(P\T\A\A1)", R"(P\T\B\Child\Below)", R"(P\T\B\Later)", R"(P\T\C)"}) {
      registry.CreateKey(kLocalMachine, key);
    }
    (registry.*c.arrange)(kLocalMachine, R"(P\T\B\Child)");
    RegKey parent;
    ASSERT_EQ(OpenKey(registry, kLocalMachine, "P", kKeyReadWrite, &parent), kErrorSuccess);

    EXPECT_EQ(DeleteKeyTree(registry, parent.get(), "T"), c.code);
    EXPECT_FALSE(registry.KeyExists(kLocalMachine, R"(P\T\A)"));  // removed before the child
    for (const char* key : {R"(P\T\B\Child\Below)", R"(P\T\B\Later)", R"(P\T\C)", R"(P\T)"}) {
      EXPECT_EQ(registry.KeyExists(kLocalMachine, key), c.treeRemains) << key;
    }
    parent.Close();
    EXPECT_EQ(registry.OpenHandles(), 0);
  }
}

struct ResultCase {
  const char* name;
  long code;
  const char* lines;
};
void PrintTo(const ResultCase& c, std::ostream* os) { *os << c.name; }

class RemovalResult : public testing::TestWithParam<ResultCase> {};

TEST_P(RemovalResult, TagsTheRow) {
  ReportLog report;
  ReportRemovalResult(report, GetParam().code, "07.ROOT\\Parent\\Key");
  EXPECT_EQ(report.Text(), Transcript(GetParam().lines));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, RemovalResult,
    testing::Values(ResultCase{"Removed", 0, "  -. [성공] 07.ROOT\\Parent\\Key\n  -. \n"},
                    ResultCase{"Absent", 2, "  -. [성공] 07.ROOT\\Parent\\Key\n  -. \n"},
                    ResultCase{"Denied", 5, "  -. [권한없슴] 07.ROOT\\Parent\\Key\n  -. \n"},
                    ResultCase{"NoParent", 6, "  -. [실패] 07.ROOT\\Parent\\Key\n    -. Error Code : 6\n  -. \n"},
                    ResultCase{"ListedButUnreachable", 1011,
                               "  -. [실패] 07.ROOT\\Parent\\Key\n    -. Error Code : 1011\n  -. \n"},
                    ResultCase{"OtherCode", 1018,
                               "  -. [실패] 07.ROOT\\Parent\\Key\n    -. Error Code : 1018\n  -. \n"}),
    NameOf<ResultCase>);

// A registry that records every open and close, to show one parent held at a time.
class RecordingRegistry final : public Registry {
public:
  FakeRegistry fake;
  int open = 0;
  int mostOpen = 0;

  long OpenKey(KeyHandle parent, const std::string& path, std::uint32_t access, KeyHandle* key) override {
    const long status = fake.OpenKey(parent, path, access, key);
    if (status == kErrorSuccess) mostOpen = std::max(mostOpen, ++open);
    return status;
  }
  long QueryValue(KeyHandle key, const std::string& name, std::string* data, std::uint32_t* ansiSize) override {
    return fake.QueryValue(key, name, data, ansiSize);
  }
  long OpenSubkeyAt(KeyHandle key, std::uint32_t index, std::uint32_t access, KeyHandle* child,
                    long* opened) override {
    const long status = fake.OpenSubkeyAt(key, index, access, child, opened);
    if (status == kErrorSuccess && *opened == kErrorSuccess) mostOpen = std::max(mostOpen, ++open);
    return status;
  }
  long DeleteKey(KeyHandle parent, const std::string& path) override { return fake.DeleteKey(parent, path); }
  long DeleteOpenedKey(KeyHandle key) override { return fake.DeleteOpenedKey(key); }
  long CloseKey(KeyHandle key) override {
    --open;
    return fake.CloseKey(key);
  }
  long ValueAt(KeyHandle key, std::uint32_t index, RegistryValue* value) override {
    return fake.ValueAt(key, index, value);
  }
  long KeyLocation(KeyHandle key, std::u16string* location) override { return fake.KeyLocation(key, location); }
  long QueryKeyInfo(KeyHandle key, KeyInfo* info) override { return fake.QueryKeyInfo(key, info); }
};

constexpr std::string_view kPairKeys[] = {R"(Pair\First)", R"(Pair\Locked)", R"(Pair\Last)"};
constexpr RemovalRow kFirstRows[] = {{"One"}, {"One"}, {"Two"}, {"Absent"}, {"Pair: First, Locked, Last", kPairKeys}};
constexpr RemovalRow kMissingParentRows[] = {{"One"}, {"Two"}};
constexpr RemovalRow kLastRows[] = {{"One"}, {"Locked"}, {"Tree"}, {"Nine"}, {"Ten"}};
constexpr RemovalGroup kGroups[] = {
    {R"(Software\First)", kFirstRows},
    {R"(Software\Missing)", kMissingParentRows},
    {R"(Software\First)", kLastRows},
};
constexpr CleanupList kList{kLocalMachine, "HKEY_LOCAL_MACHINE", kGroups};

TEST(RemoveCleanupListTest, NumbersAcrossGroupsAndReportsEveryRow) {
  RecordingRegistry registry;
  for (const char* key : {"One\\Sub", "Two", R"(Pair\First)", R"(Pair\Locked)", R"(Pair\Last)", "Locked",
                          R"(Tree\A\B\C)", "Nine", "Ten", "Stays"}) {
    registry.fake.CreateKey(kLocalMachine, std::string(R"(Software\First\)") + key);
  }
  registry.fake.DenyAccess(kLocalMachine, R"(Software\First\Pair\Locked)");
  registry.fake.DenyAccess(kLocalMachine, R"(Software\First\Locked)");
  ReportLog report;

  const std::vector<RemovalOutcome> rows = RemoveCleanupList(registry, report, kList);

  // What a document tells of each row: a key removed before, absent, or under an absent parent is
  // not there; a denied one may remain.
  std::string states;
  for (const RemovalOutcome& row : rows) {
    states += row.state == RemovalOutcome::State::gone ? 'g' : row.state == RemovalOutcome::State::absent ? 'a' : 'r';
  }
  EXPECT_EQ(states, "gagaraaarggg");
  EXPECT_EQ(rows[4].key, R"(HKEY_LOCAL_MACHINE\Software\First\Pair: First, Locked, Last)");
  EXPECT_EQ(rows[5].code, 6);
  EXPECT_EQ(report.Text(), Transcript(R"(  -. [성공] 01.HKEY_LOCAL_MACHINE\Software\First\One
  -. 
  -. [성공] 02.HKEY_LOCAL_MACHINE\Software\First\One
  -. 
  -. [성공] 03.HKEY_LOCAL_MACHINE\Software\First\Two
  -. 
  -. [성공] 04.HKEY_LOCAL_MACHINE\Software\First\Absent
  -. 
  -. [권한없슴] 05.HKEY_LOCAL_MACHINE\Software\First\Pair: First, Locked, Last
  -. 
  -. [실패] 06.HKEY_LOCAL_MACHINE\Software\Missing\One
    -. Error Code : 6
  -. 
  -. [실패] 07.HKEY_LOCAL_MACHINE\Software\Missing\Two
    -. Error Code : 6
  -. 
  -. [성공] 08.HKEY_LOCAL_MACHINE\Software\First\One
  -. 
  -. [권한없슴] 09.HKEY_LOCAL_MACHINE\Software\First\Locked
  -. 
  -. [성공] 10.HKEY_LOCAL_MACHINE\Software\First\Tree
  -. 
  -. [성공] 11.HKEY_LOCAL_MACHINE\Software\First\Nine
  -. 
  -. [성공] 12.HKEY_LOCAL_MACHINE\Software\First\Ten
  -. 
)"));
  // A row of several keys tries them all and reports the first failure.
  EXPECT_FALSE(registry.fake.KeyExists(kLocalMachine, R"(Software\First\Pair\First)"));
  EXPECT_FALSE(registry.fake.KeyExists(kLocalMachine, R"(Software\First\Pair\Last)"));
  EXPECT_TRUE(registry.fake.KeyExists(kLocalMachine, R"(Software\First\Pair\Locked)"));
  EXPECT_TRUE(registry.fake.KeyExists(kLocalMachine, R"(Software\First\Stays)"));
  EXPECT_FALSE(registry.fake.KeyExists(kLocalMachine, R"(Software\First\Tree)"));
  // The parent and the keys down to Tree\A\B\C, never a second parent.
  EXPECT_EQ(registry.mostOpen, 5);
  EXPECT_EQ(registry.fake.OpenHandles(), 0);
}

// ---------------------------------------------------------------------------------------------
// The two clean-ups over their own lists.

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// Other software's keys under the same parents as the product's, with names close to them.
const struct {
  KeyHandle root;
  const char* path;
} kOthers[] = {
    {kLocalMachine, R"(SOFTWARE\Classes\PROTOCOLS\Handler\https)"},
    {kLocalMachine, R"(SOFTWARE\Classes\PROTOCOLS\Handler\s-https)"},
    {kLocalMachine, R"(SOFTWARE\Classes\PROTOCOLS\Name-Space Handler\http\other)"},
    {kLocalMachine, R"(SOFTWARE\Classes\PROTOCOLS\Name-Space Handler\https\s-http)"},
    {kLocalMachine, R"(SOFTWARE\Classes\PROTOCOLS\Filter\text/xml)"},
    {kLocalMachine, R"(SOFTWARE\Classes\VelHttp.HttpWrap.2)"},
    {kLocalMachine, R"(SOFTWARE\Classes\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4E})"},
    {kLocalMachine, R"(SOFTWARE\Veltora\OtherProduct)"},
    {kCurrentUser, R"(SOFTWARE\Classes\PROTOCOLS\Handler\other)"},
    {kCurrentUser, R"(SOFTWARE\Classes\PROTOCOLS\Name-Space Handler\http\other)"},
    {kCurrentUser, R"(SOFTWARE\Classes\PROTOCOLS\Name-Space Handler\ftp\s-http)"},
    {kCurrentUser, R"(SOFTWARE\Classes\VELTORA.UpdaterPerUser.2)"},
    {kCurrentUser, R"(SOFTWARE\Veltora\CALYRAWeb_7)"},
};

struct CleanupCase {
  const char* name;
  const Cleanup* cleanup;
  CleanupOutcome (DiagSession::*handler)();
  int rows;
  const char* question;
  const char* start;
  const char* end;
  const char* sampleRows[2];  // runs of rows as reported, among them those the list leaves open
};
void PrintTo(const CleanupCase& c, std::ostream* os) { *os << c.name; }

class CleanupTest : public testing::TestWithParam<CleanupCase> {
protected:
  FakePorts f;

  // Both lists' keys under both roots, each with a tree below it, between other software's keys.
  void InstallBothRoots() {
    for (const KeyHandle root : {kLocalMachine, kCurrentUser}) {
      for (const Cleanup* cleanup : {&kRegularUserCleanup, &kStandardUserCleanup}) {
        for (const std::string& key : KeysOf(cleanup->list)) f.registry.SetString(root, key + R"(\Sub\Deeper)", "", "x");
      }
    }
    for (const auto& other : kOthers) f.registry.SetString(other.root, other.path, "", "other");
  }
  std::vector<std::string> Run(bool yes = true) {
    f.view.answers.push_back(yes);
    (f.session.*GetParam().handler)();
    return Lines(f.session.Report().Text());
  }
  const CleanupList& List() const { return GetParam().cleanup->list; }
  KeyHandle OtherRoot() const { return List().root == kLocalMachine ? kCurrentUser : kLocalMachine; }
};

TEST_P(CleanupTest, RemovesEveryListedKeyAndNothingElse) {
  InstallBothRoots();
  const std::vector<std::string> lines = Run();

  ASSERT_EQ(f.view.questions, std::vector<std::string>{GetParam().question});
  ASSERT_EQ(lines.size(), 4u + 2u * GetParam().rows + 4u + 2u);
  const std::string separator(110, '=');
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
            (std::vector<std::string>{GetParam().start, "", separator, ""}));
  const std::string undoFile = std::string(R"(C:\Users\helpdesk\Documents\MendrelDiag-undo-)") +
                               std::string(GetParam().cleanup->kind) + "-HELPDESK-PC-20261210-090507.reg";
  EXPECT_EQ(std::vector<std::string>(lines.end() - 6, lines.end()),
            (std::vector<std::string>{separator, GetParam().end, separator, "", "정리 전 레지스트리 백업 파일 : " + undoFile,
                                      "이 파일을 레지스트리에 등록하면 정리 전 상태로 복원됩니다."}));
  EXPECT_TRUE(f.files.outputFiles.contains(undoFile));
  for (int row = 1; row <= GetParam().rows; ++row) {
    char number[16];
    std::snprintf(number, sizeof number, "%02d.", row);
    const std::string& line = lines[4 + 2 * (row - 1)];
    EXPECT_EQ(line.rfind(std::string("  -. [성공] ") + number + std::string(List().rootName) + "\\", 0), 0u)
        << line;
    EXPECT_EQ(lines[5 + 2 * (row - 1)], "  -. ");
  }
  for (const char* sample : GetParam().sampleRows) {
    EXPECT_NE(f.session.Report().Text().find(Transcript(sample)), std::string::npos) << sample;
  }

  const std::vector<std::string> listed = KeysOf(List());
  for (const std::string& key : listed) EXPECT_FALSE(f.registry.KeyExists(List().root, key)) << key;
  for (const Cleanup* cleanup : {&kRegularUserCleanup, &kStandardUserCleanup}) {
    for (const std::string& key : KeysOf(cleanup->list)) {
      EXPECT_TRUE(f.registry.KeyExists(OtherRoot(), key + R"(\Sub\Deeper)")) << key;
      if (std::find(listed.begin(), listed.end(), key) == listed.end()) {
        EXPECT_TRUE(f.registry.KeyExists(List().root, key + R"(\Sub\Deeper)")) << key;
      }
    }
  }
  for (const auto& other : kOthers) EXPECT_TRUE(f.registry.KeyExists(other.root, other.path)) << other.path;
  EXPECT_EQ(f.registry.OpenHandles(), 0);
  EXPECT_EQ(f.session.Report().Text(), f.box.text);
}

TEST_P(CleanupTest, SecondRunFindsEverythingRemoved) {
  InstallBothRoots();
  Run();
  f.files.outputFiles.clear();
  const std::vector<std::string> lines = Run();
  ASSERT_EQ(lines.size(), 4u + 2u * GetParam().rows + 4u + 1u);
  EXPECT_EQ(lines.back(), "정리할 키가 없어 백업 파일을 만들지 않았습니다.");
  EXPECT_TRUE(f.files.outputFiles.empty());
  for (int row = 0; row < GetParam().rows; ++row) EXPECT_NE(lines[4 + 2 * row].find("[성공] "), std::string::npos);
}

TEST_P(CleanupTest, WithoutParentsEveryRowFailsWithCode6) {
  const std::vector<std::string> lines = Run();
  ASSERT_EQ(lines.size(), 4u + 3u * GetParam().rows + 4u + 1u);
  for (int row = 0; row < GetParam().rows; ++row) {
    EXPECT_NE(lines[4 + 3 * row].find("[실패] "), std::string::npos);
    EXPECT_EQ(lines[5 + 3 * row], "    -. Error Code : 6");
  }
  EXPECT_EQ(f.registry.OpenHandles(), 0);
}

TEST_P(CleanupTest, AnswerNoChangesNothing) {
  InstallBothRoots();
  f.session.EndReportWith("some earlier report\r\n");
  const std::string before = f.session.Report().Text();
  Run(false);
  EXPECT_EQ(f.session.Report().Text(), before);
  EXPECT_EQ(f.box.text, before);
  for (const std::string& key : KeysOf(List())) EXPECT_TRUE(f.registry.KeyExists(List().root, key)) << key;
}

INSTANTIATE_TEST_SUITE_P(
    Lists, CleanupTest,
    testing::Values(
        CleanupCase{"Regular", &kRegularUserCleanup, &DiagSession::OnCleanupRegularUsers, 82,
                    "일반사용자용 Mendrel 모듈을 레지스트리에서 등록해제 하시겠습니까 ?\n관리자권한으로 실행되지 "
                    "않으면 기능 수행이 안됩니다. 확인하세요!!",
                    "일반사용자용 CALYRA Web 7.0 모듈을 레지스트리에서 등록 해제를 시작합니다.",
                    "일반사용자용 CALYRA Web 7.0 모듈의 레지스트리 등록 해제를 완료하였습니다.",
                    {R"(  -. [성공] 05.HKEY_LOCAL_MACHINE\SOFTWARE\Classes\CLSID\{824B7195-5022-D47E-A0EA-69C3CF360213}
  -. 
  -. [성공] 06.HKEY_LOCAL_MACHINE\SOFTWARE\Classes\CLSID\{824B7195-5022-D47E-A0EA-69C3CF360213}
  -. 
  -. [성공] 07.HKEY_LOCAL_MACHINE\SOFTWARE\Classes\CLSID\{83E851E7-8918-AD9B-7810-3F7A2DF0D122}
)",
                     R"(  -. [성공] 78.HKEY_LOCAL_MACHINE\SOFTWARE\Classes\PROTOCOLS\Handler\s-http
  -. 
  -. [성공] 79.HKEY_LOCAL_MACHINE\SOFTWARE\Classes\PROTOCOLS\Name-Space Handler\http\s-http
  -. 
  -. [성공] 80.HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Code Store Database\Distribution Units\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}
  -. 
  -. [성공] 81.HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\ModuleUsage\C:/Windows/System32/VelUpdateAdm.dll
  -. 
  -. [성공] 82.HKEY_LOCAL_MACHINE\SOFTWARE\Veltora\CALYRAWeb_7
)"}},
        CleanupCase{"Standard", &kStandardUserCleanup, &DiagSession::OnCleanupStandardUsers, 59,
                    "표준사용자용 Mendrel 모듈을 레지스트리에서 등록해제 하시겠습니까 ?",
                    "표준사용자용 CALYRA Web 7.0 모듈을 레지스트리에서 등록 해제를 시작합니다.",
                    "표준사용자용 CALYRA Web 7.0 모듈의 레지스트리 등록 해제를 완료하였습니다.",
                    {R"(  -. [성공] 01.HKEY_CURRENT_USER\SOFTWARE\AppID\{46A2591E-E875-F365-3921-60BB374BE058}
  -. 
  -. [성공] 02.HKEY_CURRENT_USER\SOFTWARE\AppID\VelHttp.DLL
)",
                     R"(  -. [성공] 57.HKEY_CURRENT_USER\SOFTWARE\Classes\TypeLib\{9D2EC537-25F8-FA30-03C3-3E32115A6A11}
  -. 
  -. [성공] 58.HKEY_CURRENT_USER\SOFTWARE\Classes\PROTOCOLS\Handler\s-http, PROTOCOLS\Name-Space Handler\http\s-http
  -. 
  -. [성공] 59.HKEY_CURRENT_USER\SOFTWARE\Veltora\CALYRAWebV7
)"}}),
    NameOf<CleanupCase>);

}  // namespace
