#include "checks/component_checks.h"

#include <gtest/gtest.h>

#include "client_fixture.h"

namespace {

using namespace client;

const std::string kFolder = R"(C:\Client)";

TEST(FindBestMatch, TakesTheGreatestNameInUnsignedByteOrder) {
  FakeFileSystem files;
  FakeSystem system;
  files.AddFile(kFolder + R"(\VeltoraWebIface2.dll)", 5);
  files.AddFile(kFolder + R"(\VeltoraWebIface.dll)", 7);
  files.AddFile(kFolder + R"(\Other.dll)", 9);
  EXPECT_EQ(FindBestMatch(files, system, kFolder, "VeltoraWebIface*.dll").name, "VeltoraWebIface2.dll");

  // The bytes of a multibyte character sort above every ASCII byte; case counts.
  files.AddFile(kFolder + "\\VeltoraWebIface가.dll", 3);
  EXPECT_EQ(FindBestMatch(files, system, kFolder, "VeltoraWebIface*.dll").name, "VeltoraWebIface가.dll");
  files.AddFile(kFolder + R"(\veltorawebiface.dll)", 4);
  EXPECT_EQ(FindBestMatch(files, system, kFolder, "VeltoraWebIface*.dll").name, "veltorawebiface.dll");
}

TEST(FindBestMatch, OrdersTheNamesAsTheAnsiCodePageSpellsThem) {
  FakeFileSystem files;
  FakeSystem system;
  // In CP949, 伽 (CA A1) comes after 가 (B0 A1); in UTF-8 it comes before (E4 BC BD, EA B0 80).
  system.ansiBytes = {{"가", "\xB0\xA1"}, {"伽", "\xCA\xA1"}};
  files.AddFile(kFolder + "\\VeltoraWebIface가.dll", 3);
  files.AddFile(kFolder + "\\VeltoraWebIface伽.dll", 4);
  EXPECT_EQ(FindBestMatch(files, system, kFolder, "VeltoraWebIface*.dll").name, "VeltoraWebIface伽.dll");
}

TEST(FindBestMatch, ReportsTheSizeOfTheLastFileListed) {
  FakeFileSystem files;
  FakeSystem system;
  EXPECT_EQ(FindBestMatch(files, system, kFolder, "*.dll").name, "");
  EXPECT_EQ(FindBestMatch(files, system, kFolder, "*.dll").lastSize, 0u);

  files.AddFile(kFolder + R"(\b.dll)", 10);
  files.AddFile(kFolder + R"(\a.dll)", 0);
  const BestMatch match = FindBestMatch(files, system, kFolder, "*.dll");
  EXPECT_EQ(match.name, "b.dll");
  EXPECT_EQ(match.lastSize, 0u);
}

TEST(ReadFileVersion, IsZeroWithoutVersionResource) {
  FakeFileSystem files;
  files.AddFile(kFolder + R"(\a.dll)");
  const platform::FileVersion version = ReadFileVersion(files, kFolder + R"(\a.dll)");
  EXPECT_EQ(version.major + version.minor + version.build + version.revision, 0u);
}

class ComponentRun : public testing::Test, protected ClientFixture {
protected:
  void TearDown() override { EXPECT_EQ(registry.OpenHandles(), 0); }
};

TEST_F(ComponentRun, SecondInterfaceFileWinsButTheRegisteredPathIsChecked) {
  files.AddFile(kInstallDir + R"(\VeltoraWebIface2.dll)", 1, platform::FileVersion{9, 9, 9, 9});
  EXPECT_EQ(RunSequence(), CheckResult::passed);
  EXPECT_NE(report.Text().find(Transcript(R"(  -. VeltoraWebIface.dll 검사
    -. VeltoraWebIface2.dll
      -. 레지스트리 등록 여부 검사
      -. 파일 찾음 - C:\Program Files\Veltora\CALYRA Web 7.0\VeltoraWebIface.dll
      -. 파일 버젼 : 7.0.1.3
)")),
            std::string::npos)
      << report.Text();
  EXPECT_EQ(state.components[1].foundPath, kInstallDir + R"(\VeltoraWebIface2.dll)");
}

TEST_F(ComponentRun, PlugInIsPresentWhenTheLastFileListedIsNotEmpty) {
  files.RemoveFile(kInstallDir + R"(\plugin\VelPubCert.dll)");
  files.AddFile(kInstallDir + R"(\plugin\VelPubCert2.dll)", 0);
  files.AddFile(kInstallDir + R"(\plugin\VelPubCert.dll)", 10);
  EXPECT_EQ(RunSequence(), CheckResult::passed);
  EXPECT_EQ(state.components[5].foundPath, kInstallDir + R"(\plugin\VelPubCert2.dll)");
}

TEST_F(ComponentRun, PlugInIsMissingWhenTheLastFileListedIsEmpty) {
  files.AddFile(kInstallDir + R"(\plugin\VelPubCertOld.dll)", 0);
  EXPECT_EQ(RunSequence(), CheckResult::notInstalled);
  EXPECT_TRUE(report.Text().ends_with(
      Transcript("    -. VelPubCert.dll 이 존재하지 않습니다. 클라이언트를 재설치하여 주십시오\n")));
}

TEST_F(ComponentRun, FileWithoutVersionResourceShowsZeros) {
  files.AddFile(R"(C:\Shared\Iface.dll)");
  Register(kHttpWrapClass, "InprocServer32", R"(C:\Shared\Iface.dll)");
  EXPECT_EQ(RunSequence(), CheckResult::passed);
  EXPECT_NE(report.Text().find(Transcript("      -. 파일 찾음 - C:\\Shared\\Iface.dll\n"
                                          "      -. 파일 버젼 : 0.0.0.0\n")),
            std::string::npos);
}

}  // namespace
