// Real COM activation of our doubles of the client, installed into this prefix by their installer,
// and what the installer leaves behind for each of its scenarios.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>

#include "client_identity.h"
#include "platform/win32/win32_com.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/wide_text.h"

namespace {

using namespace client;

constexpr char kIUnknown[] = "{00000000-0000-0000-C000-000000000046}";
constexpr char kIInternetProtocol[] = "{79EAC9E4-BAF9-11CE-8C82-00AA004BA90B}";
constexpr unsigned kInproc = platform::kClassContextInproc;
constexpr unsigned kLocal = platform::kClassContextLocalServer;

std::string FullPath(const char* path) {
  char full[MAX_PATH] = {};
  const DWORD length = GetFullPathNameA(path, MAX_PATH, full, nullptr);
  return std::string(full, length < MAX_PATH ? length : 0);
}

std::string TempFolder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  return temp;
}

std::string SystemFolder() {
  char folder[MAX_PATH] = {};
  GetSystemDirectoryA(folder, MAX_PATH);
  return folder;
}

bool RunsUnderWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// Where the installer puts the client by default: the 32-bit client on 64-bit Windows goes to
// Program Files (x86).
std::string DefaultInstallDir() {
  return RunsUnderWow64() ? "C:\\Program Files (x86)\\Veltora\\CALYRA Web 7.0"
                          : "C:\\Program Files\\Veltora\\CALYRA Web 7.0";
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Runs the installer with the given arguments and gives its exit code.
int RunInstaller(const std::string& arguments) {
  // Wide, so that folder names outside the code page reach the installer whole.
  std::wstring commandLine =
      platform::win32::Wide(Quoted(FullPath(DIAG_DOUBLES_DIR "/install_client.exe")) + " " + arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    ADD_FAILURE() << "cannot start the installer: " << GetLastError();
    return -1;
  }
  DWORD exitCode = 0;
  if (WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process.hProcess, &exitCode)) {
    ADD_FAILURE() << "the installer did not finish";
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(exitCode);
}

bool KeyExists(HKEY root, const std::string& path, REGSAM view = 0) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// A string value as stored, in UTF-8, or the registry's error code.
long ReadString(HKEY root, const std::string& key, const char* name, std::string* text) {
  wchar_t buffer[512] = {};
  DWORD size = sizeof buffer;
  const LONG status = RegGetValueW(root, platform::win32::Wide(key).c_str(),
                                   name ? platform::win32::Wide(name).c_str() : nullptr, RRF_RT_REG_SZ, nullptr,
                                   buffer, &size);
  *text = status == ERROR_SUCCESS ? platform::win32::Utf8(buffer) : "";
  return status;
}

std::string VersionOf(const std::string& path) {
  const std::optional<platform::FileVersion> version = platform::win32::Win32FileSystem().ReadVersion(path);
  if (!version) return "none";
  return std::to_string(version->major) + "." + std::to_string(version->minor) + "." + std::to_string(version->build) +
         "." + std::to_string(version->revision);
}

bool AgentRunning() {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  bool running = false;
  for (BOOL more = Process32First(snapshot, &entry); more && !running; more = Process32Next(snapshot, &entry)) {
    running = lstrcmpiA(entry.szExeFile, "VeltoraWebTray.exe") == 0;
  }
  CloseHandle(snapshot);
  return running;
}

struct Activation {
  const char* name;
  const char* classId;
  unsigned context;
  const char* interfaceId;
};

// COM on the test's thread, as the check run has it; uninitialising unloads the doubles again, so
// that the uninstall can remove them.
class ClientComTest : public testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(m_com.Initialize()); }
  void TearDown() override { m_com.Uninitialize(); }

  long Create(const Activation& activation) {
    return m_com.CreateAndRelease(activation.classId, activation.context, activation.interfaceId);
  }

  platform::win32::Win32ComRuntime m_com;
};

// ---------------------------------------------------------------------------------------------
// A sound installation

class SoundClientTest : public ClientComTest {
public:
  static void SetUpTestSuite() { ASSERT_EQ(RunInstaller(""), 0); }
  static void TearDownTestSuite() { EXPECT_EQ(RunInstaller("--uninstall"), 0); }
};

TEST_F(SoundClientTest, EveryClassIsCreatedWithTheInterfaceTheChecksAskFor) {
  const Activation activations[] = {
      {"updater control", kUpdaterClass, kInproc, kIUnknown},
      {"HTTP wrapper", kHttpWrapClass, kInproc, kIInternetProtocol},
      {"other class of the interface DLL", kIfaceClass, kInproc, kIUnknown},
      {"protocol module", kCoreClass, kInproc, kIInternetProtocol},
      {"tray agent", kTrayClass, kLocal, kIUnknown},
      {"public-certificate plug-in", kPubCertClass, kInproc, kPubCertInterface},
  };
  for (const Activation& activation : activations) {
    EXPECT_EQ(Create(activation), S_OK) << activation.name;
  }
}

TEST_F(SoundClientTest, ObjectsRefuseInterfacesTheyDoNotHave) {
  const Activation activations[] = {
      {"updater control", kUpdaterClass, kInproc, kIInternetProtocol},
      {"protocol module", kCoreClass, kInproc, kPubCertInterface},
      {"public-certificate plug-in", kPubCertClass, kInproc, kIInternetProtocol},
      {"tray agent", kTrayClass, kLocal, kIInternetProtocol},
  };
  for (const Activation& activation : activations) {
    EXPECT_EQ(Create(activation), E_NOINTERFACE) << activation.name;
  }
}

TEST_F(SoundClientTest, TrayAgentEndsOnceItsObjectIsReleased) {
  ASSERT_EQ(Create({"tray agent", kTrayClass, kLocal, kIUnknown}), S_OK);
  // Not a speed check: the bound lies well below the agent's idle limit, so only the release can
  // have ended it, and keeps a broken agent from holding up the run.
  for (int i = 0; i < 300 && AgentRunning(); ++i) Sleep(100);
  EXPECT_FALSE(AgentRunning());
}

TEST_F(SoundClientTest, CreationFailsWithTheHresultOfItsCause) {
  const Activation activations[] = {
      {"class text without braces", "0D8708AD-A9F4-C810-A862-5D84D75FBB4D", kInproc, kIUnknown},
      {"unregistered class", "{0D8708AD-A9F4-C810-A862-5D84D75FBB4E}", kInproc, kIUnknown},
      {"in-process class asked for as local server", kUpdaterClass, kLocal, kIUnknown},
  };
  const long expected[] = {CO_E_CLASSSTRING, REGDB_E_CLASSNOTREG, REGDB_E_CLASSNOTREG};
  for (std::size_t i = 0; i < std::size(activations); ++i) {
    EXPECT_EQ(Create(activations[i]), expected[i]) << activations[i].name;
  }
  EXPECT_LT(Create({"interface text that does not parse", kUpdaterClass, kInproc, "IUnknown"}), 0);
}

TEST_F(SoundClientTest, FilesLieWhereTheClientPutsThemWithTheirVersions) {
  const std::string install = DefaultInstallDir();
  const struct {
    std::string path;
    const char* version;
  } files[] = {
      {SystemFolder() + "\\velupdctl.ocx", "7.0.3.1"},
      {install + "\\VeltoraWebIface.dll", "7.0.2.11"},
      {install + "\\VeltoraWebCore.dll", "7.0.2.7"},
      {install + "\\VeltoraWebLang.dll", "7.0.1.3"},
      {install + "\\VeltoraWebTray.exe", "7.0.2.5"},
      {install + "\\plugin\\VelPubCert.dll", "1.0.4.2"},
      {install + "\\Uninst.exe", "7.0.0.1"},
  };
  for (const auto& file : files) {
    EXPECT_EQ(VersionOf(file.path), file.version) << file.path;
  }
}

TEST_F(SoundClientTest, RegistryNamesTheInstallFolderTheHandlerAndEveryServer) {
  const std::string install = DefaultInstallDir();
  const std::string classes = "CLSID\\";
  const struct {
    HKEY root;
    std::string key;
    const char* name;
    std::string value;
  } values[] = {
      {HKEY_LOCAL_MACHINE, kProductKey, "Install_Dir", install},
      {HKEY_CLASSES_ROOT, kHandlerKey, "CLSID", kHttpWrapClass},
      {HKEY_CLASSES_ROOT, kNameSpaceKey, "CLSID", kHttpWrapClass},
      {HKEY_CLASSES_ROOT, classes + kUpdaterClass + "\\InprocServer32", "", SystemFolder() + "\\velupdctl.ocx"},
      {HKEY_CLASSES_ROOT, classes + kIfaceClass + "\\InprocServer32", "", install + "\\VeltoraWebIface.dll"},
      {HKEY_CLASSES_ROOT, classes + kHttpWrapClass + "\\InprocServer32", "", install + "\\VeltoraWebIface.dll"},
      {HKEY_CLASSES_ROOT, classes + kCoreClass + "\\InprocServer32", "", install + "\\VeltoraWebCore.dll"},
      {HKEY_CLASSES_ROOT, classes + kPubCertClass + "\\InprocServer32", "", install + "\\plugin\\VelPubCert.dll"},
      {HKEY_CLASSES_ROOT, classes + kPubCertClass + "\\InprocServer32", "ThreadingModel", "Apartment"},
      {HKEY_CLASSES_ROOT, classes + kTrayClass + "\\LocalServer32", "", Quoted(install + "\\VeltoraWebTray.exe")},
  };
  for (const auto& value : values) {
    std::string text;
    EXPECT_EQ(ReadString(value.root, value.key, value.name, &text), ERROR_SUCCESS) << value.key << " " << value.name;
    EXPECT_EQ(text, value.value) << value.key << " " << value.name;
  }
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kKillBitKey));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kAddonKey));
}

// The x86 installer on 64-bit Windows, seen from the 64-bit side: the 32-bit client's places.
TEST_F(SoundClientTest, OnWow64TheClientLiesWhereThe32BitClientGoes) {
  if (!RunsUnderWow64()) GTEST_SKIP() << "not a 32-bit process on 64-bit Windows";
  const std::string classes = "SOFTWARE\\Classes\\";
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, classes + "Wow6432Node\\CLSID\\" + kUpdaterClass, KEY_WOW64_64KEY));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, classes + "CLSID\\" + kUpdaterClass, KEY_WOW64_64KEY));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, std::string("SOFTWARE\\Wow6432Node\\Veltora\\CALYRAWeb_7"), KEY_WOW64_64KEY));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kProductKey, KEY_WOW64_64KEY));
  // The handler keys are shared between the views.
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, classes + kHandlerKey, KEY_WOW64_64KEY));
  char wow64Folder[MAX_PATH] = {};
  ASSERT_GT(GetSystemWow64DirectoryA(wow64Folder, MAX_PATH), 0u);
  EXPECT_EQ(VersionOf(std::string(wow64Folder) + "\\velupdctl.ocx"), "7.0.3.1");
  EXPECT_EQ(VersionOf("C:\\Program Files (x86)\\Veltora\\CALYRA Web 7.0\\VeltoraWebCore.dll"), "7.0.2.7");
}

// ---------------------------------------------------------------------------------------------
// An installation broken in many independent ways at once, into a folder with a Korean name

std::string BrokenInstallDir() { return TempFolder() + "벨토라 클라이언트"; }

class BrokenClientTest : public ClientComTest {
public:
  static void SetUpTestSuite() {
    const std::string dir = BrokenInstallDir();
    ASSERT_EQ(RunInstaller("--install-dir " + Quoted(dir) + " --unregister " + kUpdaterClass +
                           " --no-server-key " + kCoreClass + " --missing-file VeltoraWebIface.dll --server-path " +
                           Quoted(std::string(kPubCertClass) + "=" + dir + "\\VeltoraWebLang.dll") +
                           " --empty-file velpubcert.dll --core-build 1 --version Uninst.exe=1.2.40000.65535"
                           " --no-product-key --handler-clsid {51ba3e78-ecb2-16f4-a22e-a41505a64625}"
                           " --no-namespace-clsid --kill-bit --addon-key"),
              0);
  }
  static void TearDownTestSuite() { EXPECT_EQ(RunInstaller("--uninstall"), 0); }
};

TEST_F(BrokenClientTest, BrokenRegistrationsFailCreation) {
  EXPECT_EQ(Create({"unregistered updater", kUpdaterClass, kInproc, kIUnknown}), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(Create({"protocol module without server key", kCoreClass, kInproc, kIInternetProtocol}),
            REGDB_E_CLASSNOTREG);
  EXPECT_LT(Create({"HTTP wrapper registered to a missing file", kHttpWrapClass, kInproc, kIInternetProtocol}), 0);
  EXPECT_LT(Create({"plug-in registered to a file that is no COM server", kPubCertClass, kInproc, kPubCertInterface}),
            0);
  EXPECT_EQ(Create({"the agent is sound", kTrayClass, kLocal, kIUnknown}), S_OK);
}

TEST_F(BrokenClientTest, FilesAreMissingEmptyOrOfTheChosenVersion) {
  const std::string dir = BrokenInstallDir();
  platform::win32::Win32FileSystem files;
  EXPECT_FALSE(files.Exists(dir + "\\VeltoraWebIface.dll"));
  EXPECT_EQ(VersionOf(dir + "\\VeltoraWebCore.dll"), "7.0.1.7");
  EXPECT_EQ(VersionOf(dir + "\\Uninst.exe"), "1.2.40000.65535");
  const std::vector<platform::FoundFile> found = files.FindFiles(dir + "\\plugin\\VelPubCert*.dll");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, "VelPubCert.dll");
  EXPECT_EQ(found[0].size, 0u);
  EXPECT_EQ(VersionOf(dir + "\\plugin\\VelPubCert.dll"), "none");
}

TEST_F(BrokenClientTest, RegistryHoldsTheScenario) {
  std::string text;
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kProductKey));
  EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, kHandlerKey, "CLSID", &text), ERROR_SUCCESS);
  EXPECT_EQ(text, "{51ba3e78-ecb2-16f4-a22e-a41505a64625}");
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kNameSpaceKey));
  EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, kNameSpaceKey, "CLSID", &text), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, std::string("CLSID\\") + kPubCertClass + "\\InprocServer32", "", &text),
            ERROR_SUCCESS);
  EXPECT_EQ(text, BrokenInstallDir() + "\\VeltoraWebLang.dll");
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, std::string("CLSID\\") + kCoreClass));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::string("CLSID\\") + kCoreClass + "\\InprocServer32"));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kKillBitKey));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kAddonKey));
}

// ---------------------------------------------------------------------------------------------
// The installer itself

TEST(InstallClientTest, UninstallRemovesExactlyWhatTheInstallAdded) {
  // Others' things beside and above what the install adds.
  const std::string parent = TempFolder() + "adp-uninstall";
  const std::string install = parent + "\\CALYRA Web 7.0";
  const std::string othersFile = parent + "\\others.txt";
  ASSERT_TRUE(CreateDirectoryA(parent.c_str(), nullptr));
  CloseHandle(CreateFileA(othersFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  HKEY others = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Veltora\\Others", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &others, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(others);

  ASSERT_EQ(RunInstaller("--install-dir " + Quoted(install) + " --kill-bit --addon-key"), 0);
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kProductKey));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kKillBitKey));
  // A new install first takes back the previous one.
  ASSERT_EQ(RunInstaller("--install-dir " + Quoted(install)), 0);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kKillBitKey));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kAddonKey));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kProductKey));

  ASSERT_EQ(RunInstaller("--uninstall"), 0);
  for (const char* key : {kProductKey, "Software\\Microsoft\\Internet Explorer\\ActiveX Compatibility"}) {
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, key)) << key;
  }
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Settings"));
  for (const char* classId : {kUpdaterClass, kIfaceClass, kHttpWrapClass, kCoreClass, kTrayClass, kPubCertClass}) {
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::string("CLSID\\") + classId)) << classId;
  }
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kHandlerKey));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kNameSpaceKey));
  platform::win32::Win32FileSystem files;
  EXPECT_FALSE(files.Exists(install));
  EXPECT_FALSE(files.Exists(SystemFolder() + "\\velupdctl.ocx"));
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_FALSE(files.Exists(std::string(windows) + "\\install_client.log"));

  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Veltora\\Others"));
  EXPECT_TRUE(files.Exists(othersFile));
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "CLSID"));

  RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Veltora");
  DeleteFileA(othersFile.c_str());
  RemoveDirectoryA(parent.c_str());
}

// Per user: the keys of an installation without administrator rights, among them the per-user
// updater and its launcher; the user's view of the classes still names the installed files.
TEST(InstallClientTest, PerUserRegistrationComesAndGoesWithTheInstall) {
  const std::string install = TempFolder() + "adp-per-user";
  ASSERT_EQ(RunInstaller("--per-user --install-dir " + Quoted(install)), 0);
  const std::string userUpdater = R"(Software\Classes\CLSID\{FB703473-AC78-61F0-E548-0C3396BCDB87}\InprocServer32)";
  const char* const userKeys[] = {
      R"(Software\AppID\VelHttp.DLL)", R"(Software\Classes\AppID\VelUpdLauncher.EXE)",
      R"(Software\Classes\VELTORA.UpdaterPerUser.1\CLSID)", R"(Software\Classes\PROTOCOLS\Handler\s-http)",
      R"(Software\Classes\PROTOCOLS\Name-Space Handler\http\s-http)", userUpdater.c_str()};
  for (const char* key : userKeys) EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, key)) << key;
  std::string text;
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, R"(Software\Veltora\CALYRAWebV7)", "Install_Dir", &text), ERROR_SUCCESS);
  EXPECT_EQ(text, install);
  EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, std::string("CLSID\\") + kCoreClass + "\\InprocServer32", "", &text),
            ERROR_SUCCESS);
  EXPECT_EQ(text, install + "\\VeltoraWebCore.dll");

  ASSERT_EQ(RunInstaller("--uninstall"), 0);
  for (const char* key : userKeys) EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key)) << key;
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, R"(Software\Veltora\CALYRAWebV7)"));
}

TEST(InstallClientTest, AFolderWithOthersFilesStaysUntilItIsEmpty) {
  const std::string install = TempFolder() + "adp-others\\CALYRA Web 7.0";
  ASSERT_EQ(RunInstaller("--install-dir " + Quoted(install)), 0);
  const std::string othersFile = install + "\\VeltoraWebIface2.dll";
  CloseHandle(CreateFileA(othersFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));

  ASSERT_EQ(RunInstaller("--uninstall"), 0);
  platform::win32::Win32FileSystem files;
  EXPECT_FALSE(files.Exists(install + "\\VeltoraWebIface.dll"));
  EXPECT_TRUE(files.Exists(othersFile));

  DeleteFileA(othersFile.c_str());
  ASSERT_EQ(RunInstaller("--uninstall"), 0);
  EXPECT_FALSE(files.Exists(TempFolder() + "adp-others"));
}

TEST(InstallClientTest, RefusesABadCommandLine) {
  for (const char* arguments :
       {"--bogus", "--unregister {00000000-0000-0000-0000-000000000000}", "--version Uninst.exe=1.2.3",
        "--version Uninst.exe=1.2.3.65536", "--missing-file x.dll", "--install-dir"}) {
    EXPECT_EQ(RunInstaller(arguments), 2) << arguments;
  }
}

}  // namespace
