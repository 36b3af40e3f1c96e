// The repair files written through the real file adapter and imported by the registry editor: what
// the editor stores must be what the file says, and inserted paths must not reach beyond their value.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/unicode.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_system.h"
#include "repair/repair_files.h"

namespace {

void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }
using unique_kernel_handle = platform::win32::unique_handle<HANDLE, &CloseKernelHandle>;

constexpr std::string_view kRoot = "HKEY_CLASSES_ROOT\\";
constexpr std::string_view kWow64Classes = "Wow6432Node\\";
// Where hostile text would try to reach: a key and a value on the root of the classes.
constexpr char kEvilKey[] = "Evil";
constexpr char kEvilValue[] = "MendrelDiagEvil";

// One value line of a written file, as the registry should hold it after the import.
struct ExpectedValue {
  std::string key;   // under HKEY_CLASSES_ROOT
  std::string name;  // empty for the default value
  std::string data;
};

std::string Unescaped(std::string_view text) {
  std::string data;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) ++i;
    data += text[i];
  }
  return data;
}

// Reads back the sections and values of a file as written by the repair writers.
struct ParsedFile {
  std::vector<std::string> keys;
  std::vector<ExpectedValue> values;
  std::vector<std::string> unparsed;  // lines that are neither header, empty, section nor value
};

ParsedFile ParseFile(const std::string& bytes) {
  ParsedFile parsed;
  std::size_t start = 0;
  for (std::size_t end = bytes.find("\r\n"); end != std::string::npos; end = bytes.find("\r\n", start)) {
    const std::string line = bytes.substr(start, end - start);
    start = end + 2;
    if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
      const std::string path = line.substr(1, line.size() - 2);
      if (path.rfind(kRoot, 0) == 0) {
        // The 32-bit view's class keys, as a 32-bit process sees them: under CLSID.
        std::string key = path.substr(kRoot.size());
        if (key.rfind(kWow64Classes, 0) == 0) key.erase(0, kWow64Classes.size());
        parsed.keys.push_back(key);
      } else {
        parsed.unparsed.push_back(line);
      }
      continue;
    }
    if (line.empty() || line == "REGEDIT4" || line == "Windows Registry Editor Version 5.00") continue;
    const std::size_t equals = line.find("=\"");
    if (equals == std::string::npos || parsed.keys.empty() || line.back() != '"') {
      parsed.unparsed.push_back(line);
      continue;
    }
    const std::string name = line[0] == '@' ? std::string() : line.substr(1, equals - 2);
    parsed.values.push_back(
        {parsed.keys.back(), name, Unescaped(std::string_view(line).substr(equals + 2, line.size() - equals - 3))});
  }
  return parsed;
}

std::string ReadFileBytes(const std::string& name) {
  const HANDLE opened = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return {};
  const unique_kernel_handle file(opened);
  std::string bytes(GetFileSize(file.get(), nullptr), '\0');
  DWORD read = 0;
  ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  return bytes;
}

bool KeyExists(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// In UTF-8.
std::optional<std::string> ReadString(const std::string& key, const std::string& name) {
  wchar_t data[2048];
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_CLASSES_ROOT, platform::win32::Wide(key).c_str(),
                   name.empty() ? nullptr : platform::win32::Wide(name).c_str(), RRF_RT_REG_SZ, nullptr, data,
                   &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return platform::win32::Utf8(std::wstring_view(data, size >= sizeof(wchar_t) ? size / sizeof(wchar_t) - 1 : 0));
}

// The shallowest part of the path that does not exist yet: what an import of the path creates.
std::optional<std::string> MissingRoot(const std::string& path) {
  for (std::size_t end = path.find('\\'); ; end = path.find('\\', end + 1)) {
    const std::string prefix = path.substr(0, end);
    if (!KeyExists(prefix)) return prefix;
    if (end == std::string::npos) return std::nullopt;
  }
}

// "regedit /s file" with the registry editor of the Windows folder, the one that a double-click
// starts: on 64-bit Windows a 64-bit program, also for the x86 build; its exit code.
DWORD ImportWithRegistryEditor(const std::string& file) {
  char windows[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
  std::string command = std::string(windows, length < MAX_PATH ? length : 0) + "\\regedit.exe /s " + file;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
    ADD_FAILURE() << "regedit did not start: " << GetLastError();
    return ~DWORD{0};
  }
  const unique_kernel_handle process(started.hProcess), thread(started.hThread);
  EXPECT_EQ(WaitForSingleObject(process.get(), 120000), WAIT_OBJECT_0);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.get(), &exitCode);
  return exitCode;
}

struct RepairCase {
  const char* name;
  int code;
  const char* fileName;

  void Write(platform::FileSystem& files, platform::System& system, const DiagState& state) const {
    WriteRepairFile(*RepairFileFor(static_cast<CheckResult>(code)), files, system, state);
  }
};

const RepairCase kRepairCases[] = {
    {"Protocol", 2, "PROTOCOL_Handler.reg"},
    {"Updater", 3, "VelUpdCtl.reg"},
    {"Interface", 4, "VeltoraWebIface_CLSID.reg"},
    {"Core", 5, "VeltoraWebCore_CLSID.reg"},
    {"Tray", 6, "VeltoraWebTray_CLSID.reg"},
};

// The real system's code page, with the Windows version and view that a case asks for.
struct CaseSystem final : platform::System {
  platform::win32::Win32System real;
  unsigned osMajorVersion = 6;
  bool wow64 = false;

  std::string SystemDirectory(unsigned bufferSize) override { return real.SystemDirectory(bufferSize); }
  unsigned OsMajorVersion() override { return osMajorVersion; }
  bool IsWow64() override { return wow64; }
  std::string SystemWow64Directory() override { return real.SystemWow64Directory(); }
  std::string MessageText(unsigned long code) override { return real.MessageText(code); }
  std::string ComputerName() override { return real.ComputerName(); }
  std::string UserSid() override { return real.UserSid(); }
  platform::LocalTime Now() override { return real.Now(); }
  std::string AnsiToUtf8(std::string_view ansi) override { return real.AnsiToUtf8(ansi); }
  bool Utf8ToAnsi(std::string_view utf8, std::string* ansi) override { return real.Utf8ToAnsi(utf8, ansi); }
};

// A script's text in UTF-8: the editor's Unicode format after its byte-order mark, else the code page's.
std::string ScriptText(platform::System& system, const std::string& bytes) {
  if (!bytes.starts_with("\xFF\xFE")) return system.AnsiToUtf8(bytes);
  std::u16string text;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  return platform::Utf16ToUtf8(text);
}

// Each test works in a fresh temporary folder made current, and removes every key it imported.
class RepairImport : public testing::Test {
protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    m_folder = std::string(temp) + "repair_import_" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(m_folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    char current[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, current), 0u);
    m_previousFolder = current;
    ASSERT_TRUE(SetCurrentDirectoryA(m_folder.c_str()));
    BOOL wow64 = FALSE;
    m_system.wow64 = IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
  }

  void TearDown() override {
    for (const std::string& key : m_createdKeys) RegDeleteTreeA(HKEY_CLASSES_ROOT, key.c_str());
    RegDeleteValueA(HKEY_CLASSES_ROOT, kEvilValue);
    SetCurrentDirectoryA(m_previousFolder.c_str());
    for (const RepairCase& repair : kRepairCases) DeleteFileA((m_folder + "\\" + repair.fileName).c_str());
    RemoveDirectoryA(m_folder.c_str());
  }

  // Writes the file, notes which keys its import will create, imports it and parses what was written.
  ParsedFile WriteAndImport(const RepairCase& repair, const DiagState& state, unsigned osMajorVersion) {
    m_system.osMajorVersion = osMajorVersion;
    repair.Write(m_files, m_system, state);
    ParsedFile parsed = ParseFile(ScriptText(m_system, ReadFileBytes(repair.fileName)));
    for (const std::string& key : parsed.keys) NoteCreatedKey(key);
    NoteCreatedKey(kEvilKey);
    EXPECT_EQ(ImportWithRegistryEditor(repair.fileName), 0u);
    return parsed;
  }

  platform::win32::Win32FileSystem m_files;
  CaseSystem m_system;

private:
  void NoteCreatedKey(const std::string& path) {
    if (auto root = MissingRoot(path)) m_createdKeys.insert(*root);
  }

  std::string m_folder;
  std::string m_previousFolder;
  std::set<std::string> m_createdKeys;
};

DiagState ClientState() {
  DiagState state;
  state.m_strInstallDir = R"(C:\Program Files\Veltora\클라이언트)";
  state.components[0].foundPath = R"(C:\windows\system32\VelUpdCtl.ocx)";
  state.components[1].foundPath = state.m_strInstallDir + R"(\VeltoraWebIface.dll)";
  state.components[2].foundPath = state.m_strInstallDir + R"(\VeltoraWebCore.dll)";
  state.components[4].foundPath = state.m_strInstallDir + R"(\VeltoraWebTray.exe)";
  return state;
}

class RepairImportAll : public RepairImport, public testing::WithParamInterface<std::tuple<RepairCase, unsigned>> {};

TEST_P(RepairImportAll, RegistryHoldsEveryKeyAndValueOfTheFile) {
  const auto& [repair, version] = GetParam();
  const ParsedFile parsed = WriteAndImport(repair, ClientState(), version);

  ASSERT_FALSE(parsed.keys.empty());
  EXPECT_THAT(parsed.unparsed, testing::IsEmpty());
  for (const std::string& key : parsed.keys) EXPECT_TRUE(KeyExists(key)) << key;
  for (const ExpectedValue& value : parsed.values) {
    EXPECT_EQ(ReadString(value.key, value.name), value.data) << value.key << " " << value.name;
  }
}

INSTANTIATE_TEST_SUITE_P(Files, RepairImportAll,
                         testing::Combine(testing::ValuesIn(kRepairCases), testing::Values(4u, 5u)),
                         [](const auto& row) {
                           return std::string(std::get<0>(row.param).name) + "Version" +
                                  std::to_string(std::get<1>(row.param));
                         });

TEST_F(RepairImport, InsertedPathsReadBackAsGivenAndTheKoreanTextSurvives) {
  const DiagState state = ClientState();
  WriteAndImport(kRepairCases[2], state, 5);

  const std::string clsid = R"(CLSID\{51BA3E78-ECB2-16F4-A22E-A41505A64625})";
  const std::string typelib = R"(TypeLib\{ABD65AEF-F006-4E7A-580E-9CE7DCF75952}\1.0)";
  EXPECT_EQ(ReadString(clsid + R"(\InprocServer32)", ""), state.components[1].foundPath);
  EXPECT_EQ(ReadString(typelib + R"(\0\win32)", ""), state.components[1].foundPath);
  EXPECT_EQ(ReadString(typelib + R"(\HELPDIR)", ""), state.m_strInstallDir);
  EXPECT_EQ(ReadString(typelib, ""), "VelHttp 1.0 형식 라이브러리");
  EXPECT_TRUE(KeyExists(clsid + R"(\Programmable)"));
}

TEST_F(RepairImport, HostileTextStaysInsideItsValue) {
  DiagState state = ClientState();
  // Unescaped, these would close their value and import lines of their own: a key, a value on the
  // root, a value next to the server path. The doubled backslash of the first section line alone
  // makes the editor refuse it, hence the root section that needs no backslash.
  state.m_strInstallDir = "C:\\Evil\"\r\n[HKEY_CLASSES_ROOT\\Evil]\r\n@=\"injected\"\r\n[HKEY_CLASSES_ROOT]\r\n"
                          "\"MendrelDiagEvil\"=\"injected";
  state.components[4].foundPath = "C:\\Tray.exe\"\r\n\"Injected\"=\"1";
  WriteAndImport(kRepairCases[4], state, 5);

  const std::string clsid = R"(CLSID\{824B7195-5022-D47E-A0EA-69C3CF360213})";
  const std::string typelib = R"(TypeLib\{9D2EC537-25F8-FA30-03C3-3E32115A6A11}\1.0)";
  EXPECT_FALSE(KeyExists(kEvilKey));
  EXPECT_EQ(ReadString("", kEvilValue), std::nullopt);
  EXPECT_EQ(ReadString(clsid + R"(\LocalServer32)", "Injected"), std::nullopt);
  // Control bytes are written as blanks; everything else reads back as given.
  EXPECT_EQ(ReadString(typelib + R"(\HELPDIR)", ""),
            "C:\\Evil\"  [HKEY_CLASSES_ROOT\\Evil]  @=\"injected\"  [HKEY_CLASSES_ROOT]  \"MendrelDiagEvil\"=\"injected");
  EXPECT_EQ(ReadString(clsid + R"(\LocalServer32)", ""), "C:\\Tray.exe\"  \"Injected\"=\"1");
  EXPECT_EQ(ReadString(typelib + R"(\0\win32)", ""), "C:\\Tray.exe\"  \"Injected\"=\"1");
}

TEST_F(RepairImport, FileHeldOpenWithoutSharingIsASharingViolation) {
  const HANDLE held = CreateFileA("VelUpdCtl.reg", GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const unique_kernel_handle file(held);

  try {
    kRepairCases[1].Write(m_files, m_system, ClientState());
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& error) {
    EXPECT_EQ(error.GetCause(), FileError::Cause::sharingViolation);
    EXPECT_EQ(error.Message(), "A sharing violation occurred while accessing VelUpdCtl.reg.");
  }
}

TEST_F(RepairImport, SecondWriteReplacesTheFileOnDisk) {
  kRepairCases[3].Write(m_files, m_system, ClientState());
  const std::string once = ReadFileBytes("VeltoraWebCore_CLSID.reg");
  DiagState longer = ClientState();
  longer.components[2].foundPath = std::string(300, 'x');
  kRepairCases[3].Write(m_files, m_system, longer);

  kRepairCases[3].Write(m_files, m_system, ClientState());

  EXPECT_EQ(ReadFileBytes("VeltoraWebCore_CLSID.reg"), once);
}

}  // namespace
