#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "client_identity.h"
#include "fakes/fake_ports.h"

namespace {

constexpr const char* kNotFound = "CALYRA Web 7.0 클라이언트의 설치 폴더를 찾을 수 없습니다.";

struct FolderCase {
  const char* name;
  bool keyExists;
  std::optional<std::string> installDir;  // stored with its terminating zero; nothing: no value
  bool opensFolder;
};

class InstallFolderTest : public testing::TestWithParam<FolderCase>, protected FakePorts {};

TEST_P(InstallFolderTest, ExploresTheFolderOrSaysItIsMissing) {
  const FolderCase& row = GetParam();
  if (row.keyExists) registry.CreateKey(platform::kLocalMachine, client::kProductKey);
  if (row.installDir) registry.SetString(platform::kLocalMachine, client::kProductKey, "Install_Dir", *row.installDir);

  session.OnInstallFolder();

  if (row.opensFolder) {
    EXPECT_EQ(shell.calls, (std::vector<FakeShell::Call>{{"explore", *row.installDir, *row.installDir}}));
    EXPECT_TRUE(view.infos.empty());
  } else {
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_EQ(view.infos, std::vector<std::string>{kNotFound});
  }
  EXPECT_EQ(registry.OpenHandles(), 0);
  EXPECT_EQ(box.text, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InstallFolderTest,
    testing::Values(FolderCase{"Installed", true, R"(C:\Program Files\Veltora\CALYRA Web 7)", true},
                    FolderCase{"KoreanFolder", true, R"(C:\프로그램\CALYRA)", true},
                    // 255 characters and the zero fill the buffer of 256 exactly.
                    FolderCase{"LongestThatFits", true, "C:\\" + std::string(252, 'a'), true},
                    FolderCase{"TooLongForTheBuffer", true, "C:\\" + std::string(253, 'a'), false},
                    FolderCase{"EmptyValue", true, "", false},
                    FolderCase{"NoValue", true, std::nullopt, false},
                    FolderCase{"NoKey", false, std::nullopt, false}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
