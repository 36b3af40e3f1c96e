#include "repair/repair_files.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "checks/component_catalogue.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_system.h"
#include "platform/unicode.h"

namespace {

// Expected files are written with LF line ends for reading; the files themselves use CR LF.
std::string Crlf(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// UTF-16 LE, low byte first, as the registry editor's Unicode scripts hold their text.
std::string Utf16Le(std::u16string_view text) {
  std::string bytes;
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

std::string Replaced(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

constexpr std::string_view kProtocolBody = R"([HKEY_CLASSES_ROOT\PROTOCOLS\Handler\s-http]
@="VELTORA(c) S-HTTP Client Pluggable Protocol"
"CLSID"="{51BA3E78-ECB2-16F4-A22E-A41505A64625}"

[HKEY_CLASSES_ROOT\PROTOCOLS\Name-Space Handler\http\s-http]
@="VELTORA(c) S-HTTP Client Pluggable Protocol"
"CLSID"="{51BA3E78-ECB2-16F4-A22E-A41505A64625}"
"Pattern1"=""
)";

constexpr std::string_view kUpdaterBody = R"([HKEY_CLASSES_ROOT\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}]
@="CALYRA Updater Control"

[HKEY_CLASSES_ROOT\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}\Control]
@=""

[HKEY_CLASSES_ROOT\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}\InprocServer32]
@="C:\\WINDOWS\\system32\\VelUpdCtl.ocx"
"ThreadingModel"="Apartment"

[HKEY_CLASSES_ROOT\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}\MiscStatus]
@="0"

[HKEY_CLASSES_ROOT\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}\MiscStatus\1]
@="131473"

[HKEY_CLASSES_ROOT\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}\ProgID]
@="VELUPDCTL.VelUpdCtlCtrl.1"

[HKEY_CLASSES_ROOT\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}\ToolboxBitmap32]
@="C:\\WINDOWS\\system32\\VelUpdCtl.ocx, 1"

[HKEY_CLASSES_ROOT\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}\TypeLib]
@="{EEF90444-7203-CA1F-B072-9A3D5354BC0E}"

[HKEY_CLASSES_ROOT\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}\Version]
@="1.0"

[HKEY_CLASSES_ROOT\TypeLib\{EEF90444-7203-CA1F-B072-9A3D5354BC0E}]

[HKEY_CLASSES_ROOT\TypeLib\{EEF90444-7203-CA1F-B072-9A3D5354BC0E}\1.0]
@="VelUpdCtl ActiveX Control module"

[HKEY_CLASSES_ROOT\TypeLib\{EEF90444-7203-CA1F-B072-9A3D5354BC0E}\1.0\0]

[HKEY_CLASSES_ROOT\TypeLib\{EEF90444-7203-CA1F-B072-9A3D5354BC0E}\1.0\0\win32]
@="C:\\WINDOWS\\system32\\VelUpdCtl.ocx"

[HKEY_CLASSES_ROOT\TypeLib\{EEF90444-7203-CA1F-B072-9A3D5354BC0E}\1.0\FLAGS]
@="2"

[HKEY_CLASSES_ROOT\TypeLib\{EEF90444-7203-CA1F-B072-9A3D5354BC0E}\1.0\HELPDIR]
@="C:\\WINDOWS\\system32"
)";

constexpr std::string_view kInterfaceBody = R"([HKEY_CLASSES_ROOT\CLSID\{51BA3E78-ECB2-16F4-A22E-A41505A64625}]
@="HttpWrap Class"
"AppID"="{46A2591E-E875-F365-3921-60BB374BE058}"

[HKEY_CLASSES_ROOT\CLSID\{51BA3E78-ECB2-16F4-A22E-A41505A64625}\InprocServer32]
@="D:\\Client\\VeltoraWebIface.dll"
"ThreadingModel"="Apartment"

[HKEY_CLASSES_ROOT\CLSID\{51BA3E78-ECB2-16F4-A22E-A41505A64625}\ProgID]
@="VelHttp.HttpWrap.1"

[HKEY_CLASSES_ROOT\CLSID\{51BA3E78-ECB2-16F4-A22E-A41505A64625}\Programmable]

[HKEY_CLASSES_ROOT\CLSID\{51BA3E78-ECB2-16F4-A22E-A41505A64625}\TypeLib]
@="{ABD65AEF-F006-4E7A-580E-9CE7DCF75952}"

[HKEY_CLASSES_ROOT\CLSID\{51BA3E78-ECB2-16F4-A22E-A41505A64625}\VersionIndependentProgID]
@="VelHttp.HttpWrap"

[HKEY_CLASSES_ROOT\TypeLib\{ABD65AEF-F006-4E7A-580E-9CE7DCF75952}]

[HKEY_CLASSES_ROOT\TypeLib\{ABD65AEF-F006-4E7A-580E-9CE7DCF75952}\1.0]
@="VelHttp 1.0 형식 라이브러리"

[HKEY_CLASSES_ROOT\TypeLib\{ABD65AEF-F006-4E7A-580E-9CE7DCF75952}\1.0\0]

[HKEY_CLASSES_ROOT\TypeLib\{ABD65AEF-F006-4E7A-580E-9CE7DCF75952}\1.0\0\win32]
@="D:\\Client\\VeltoraWebIface.dll"

[HKEY_CLASSES_ROOT\TypeLib\{ABD65AEF-F006-4E7A-580E-9CE7DCF75952}\1.0\FLAGS]
@="0"

[HKEY_CLASSES_ROOT\TypeLib\{ABD65AEF-F006-4E7A-580E-9CE7DCF75952}\1.0\HELPDIR]
@="D:\\Client"
)";

constexpr std::string_view kCoreBody = R"([HKEY_CLASSES_ROOT\CLSID\{52A45655-7BDB-1C48-5892-A3440DE1069A}]
@="ProtoModule Class"
"AppID"="{195ACC28-8CC7-34E1-1711-DBE164305F54}"

[HKEY_CLASSES_ROOT\CLSID\{52A45655-7BDB-1C48-5892-A3440DE1069A}\InprocServer32]
@="D:\\Client\\VeltoraWebCore.dll"
"ThreadingModel"="Apartment"

[HKEY_CLASSES_ROOT\CLSID\{52A45655-7BDB-1C48-5892-A3440DE1069A}\ProgID]
@="VelProto.ProtoModule.1"

[HKEY_CLASSES_ROOT\CLSID\{52A45655-7BDB-1C48-5892-A3440DE1069A}\Programmable]

[HKEY_CLASSES_ROOT\CLSID\{52A45655-7BDB-1C48-5892-A3440DE1069A}\TypeLib]
@="{32666F9A-C2D3-DBC2-A850-7D530EAE01D8}"

[HKEY_CLASSES_ROOT\CLSID\{52A45655-7BDB-1C48-5892-A3440DE1069A}\VersionIndependentProgID]
@="VelProto.ProtoModule"
)";

constexpr std::string_view kTrayBody = R"([HKEY_CLASSES_ROOT\CLSID\{824B7195-5022-D47E-A0EA-69C3CF360213}]
@="AgentMain Class"
"AppID"=""

[HKEY_CLASSES_ROOT\CLSID\{824B7195-5022-D47E-A0EA-69C3CF360213}\LocalServer32]
@="D:\\Client\\VeltoraWebTray.exe"

[HKEY_CLASSES_ROOT\CLSID\{824B7195-5022-D47E-A0EA-69C3CF360213}\ProgID]
@="VelAgent2.AgentMain.1"

[HKEY_CLASSES_ROOT\CLSID\{824B7195-5022-D47E-A0EA-69C3CF360213}\Programmable]

[HKEY_CLASSES_ROOT\CLSID\{824B7195-5022-D47E-A0EA-69C3CF360213}\TypeLib]
@="{9D2EC537-25F8-FA30-03C3-3E32115A6A11}"

[HKEY_CLASSES_ROOT\CLSID\{824B7195-5022-D47E-A0EA-69C3CF360213}\VersionIndependentProgID]
@="VelAgent2.AgentMain"

[HKEY_CLASSES_ROOT\TypeLib\{9D2EC537-25F8-FA30-03C3-3E32115A6A11}]

[HKEY_CLASSES_ROOT\TypeLib\{9D2EC537-25F8-FA30-03C3-3E32115A6A11}\1.0]
@="VelAgent2 1.0 형식 라이브러리"

[HKEY_CLASSES_ROOT\TypeLib\{9D2EC537-25F8-FA30-03C3-3E32115A6A11}\1.0\0]

[HKEY_CLASSES_ROOT\TypeLib\{9D2EC537-25F8-FA30-03C3-3E32115A6A11}\1.0\0\win32]
@="D:\\Client\\VeltoraWebTray.exe"

[HKEY_CLASSES_ROOT\TypeLib\{9D2EC537-25F8-FA30-03C3-3E32115A6A11}\1.0\FLAGS]
@="0"

[HKEY_CLASSES_ROOT\TypeLib\{9D2EC537-25F8-FA30-03C3-3E32115A6A11}\1.0\HELPDIR]
@="D:\\Client"
)";

constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00\r\n\r\n";
constexpr std::string_view kHeader4 = "REGEDIT4\r\n\r\n";

struct RepairCase {
  const char* name;
  int code;
  const char* fileName;
  std::string_view body;

  void Write(platform::FileSystem& files, platform::System& system, const DiagState& state) const {
    const RepairFile* repair = RepairFileFor(static_cast<CheckResult>(code));
    ASSERT_NE(repair, nullptr) << code;
    WriteRepairFile(*repair, files, system, state);
  }
};

const RepairCase kRepairCases[] = {
    {"Protocol", 2, "PROTOCOL_Handler.reg", kProtocolBody},
    {"Updater", 3, "VelUpdCtl.reg", kUpdaterBody},
    {"Interface", 4, "VeltoraWebIface_CLSID.reg", kInterfaceBody},
    {"Core", 5, "VeltoraWebCore_CLSID.reg", kCoreBody},
    {"Tray", 6, "VeltoraWebTray_CLSID.reg", kTrayBody},
};
const RepairCase& kProtocolCase = kRepairCases[0];
const RepairCase& kUpdaterCase = kRepairCases[1];
const RepairCase& kInterfaceCase = kRepairCases[2];
const RepairCase& kCoreCase = kRepairCases[3];
const RepairCase& kTrayCase = kRepairCases[4];

// What a check run leaves behind on a machine with the client under D:\Client.
DiagState ClientState() {
  DiagState state;
  state.m_strInstallDir = R"(D:\Client)";
  state.components[0].foundPath = R"(C:\WINDOWS\system32\VelUpdCtl.ocx)";
  state.components[1].foundPath = R"(D:\Client\VeltoraWebIface.dll)";
  state.components[2].foundPath = R"(D:\Client\VeltoraWebCore.dll)";
  state.components[3].foundPath = R"(D:\Client\VeltoraWebLang.dll)";
  state.components[4].foundPath = R"(D:\Client\VeltoraWebTray.exe)";
  state.components[5].foundPath = R"(D:\Client\plugin\VelPubCert.dll)";
  state.components[6].foundPath = R"(D:\Client\Uninst.exe)";
  return state;
}

// The same PC with the client in another folder.
DiagState ClientStateUnder(const std::string& folder) {
  DiagState state = ClientState();
  state.m_strInstallDir = folder;
  for (ComponentState& component : state.components) {
    component.foundPath = Replaced(component.foundPath, R"(D:\Client)", folder);
  }
  return state;
}

class RepairFileTest : public testing::TestWithParam<std::tuple<RepairCase, unsigned>> {};

TEST_P(RepairFileTest, WritesHeaderForVersionThenTemplateByteForByte) {
  const auto& [repair, version] = GetParam();
  FakeFileSystem files;
  FakeSystem system;
  system.osMajorVersion = version;

  repair.Write(files, system, ClientState());

  ASSERT_EQ(files.outputFiles.size(), 1u);
  ASSERT_EQ(files.outputFiles.count(repair.fileName), 1u);
  const std::string header(version > 4 ? kHeader5 : kHeader4);
  EXPECT_EQ(files.outputFiles[repair.fileName], header + Crlf(repair.body));
}

INSTANTIATE_TEST_SUITE_P(AllFiles, RepairFileTest,
                         testing::Combine(testing::ValuesIn(kRepairCases), testing::Values(3u, 4u, 5u, 10u)),
                         [](const auto& row) {
                           return std::string(std::get<0>(row.param).name) + "Version" +
                                  std::to_string(std::get<1>(row.param));
                         });

// A 32-bit process on 64-bit Windows names the class keys in the 32-bit view, where the 64-bit
// registry editor must put them; every other byte stays.
TEST(RepairFile, UnderWow64ClassKeysAreNamedInThe32BitView) {
  for (const RepairCase& repair : kRepairCases) {
    SCOPED_TRACE(repair.name);
    FakeFileSystem files;
    FakeSystem system;
    system.wow64 = true;

    repair.Write(files, system, ClientState());

    const std::string expected =
        Replaced(Crlf(repair.body), "[HKEY_CLASSES_ROOT\\CLSID\\", "[HKEY_CLASSES_ROOT\\Wow6432Node\\CLSID\\");
    EXPECT_EQ(files.outputFiles[repair.fileName], std::string(kHeader5) + expected);
  }
}

// Each code that names a repair file in the catalogue gets the file whose template repairs that
// row; the public-certificate plug-in shares the interface DLL's file.
TEST(RepairFile, CatalogueCodesLeadToTheFileOfTheirRow) {
  for (std::size_t row = 0; row < ComponentCatalogue.size(); ++row) {
    SCOPED_TRACE(ComponentCatalogue[row].displayName);
    const CheckResult code = ComponentCatalogue[row].registrationCode;
    if (!ComponentCatalogue[row].HasRegistration()) continue;
    const RepairFile* repair = RepairFileFor(code);
    ASSERT_NE(repair, nullptr);
    ASSERT_TRUE(repair->component.has_value());
    EXPECT_EQ(ComponentCatalogue[*repair->component].registrationCode, code);
  }
  EXPECT_EQ(RepairFileFor(CheckResult::protocolModuleNotRegistered)->component, kCoreRow);
  EXPECT_EQ(RepairFileFor(CheckResult::passed), nullptr);
  EXPECT_EQ(RepairFileFor(CheckResult::networkFiltered), nullptr);
}

// Paths and folders come from the registry: whatever they hold must stay inside its quoted value.
struct InsertCase {
  const char* name;
  const char* path;
  const char* folder;
  const char* pathValue;    // the inside of the quoted value, as written
  const char* folderValue;
};

class InsertedTextTest : public testing::TestWithParam<InsertCase> {};

TEST_P(InsertedTextTest, OnlyInsertedValuesChange) {
  const InsertCase& row = GetParam();
  FakeFileSystem files;
  FakeSystem system;
  DiagState state = ClientState();
  state.components[1].foundPath = row.path;
  state.m_strInstallDir = row.folder;

  kInterfaceCase.Write(files, system, state);

  std::string expected = Crlf(kInterfaceBody);
  expected = Replaced(expected, "@=\"D:\\\\Client\\\\VeltoraWebIface.dll\"\r\n",
                      std::string("@=\"") + row.pathValue + "\"\r\n");
  expected = Replaced(expected, "@=\"D:\\\\Client\"\r\n", std::string("@=\"") + row.folderValue + "\"\r\n");
  EXPECT_EQ(files.outputFiles["VeltoraWebIface_CLSID.reg"], std::string(kHeader5) + expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, InsertedTextTest,
    testing::Values(
        InsertCase{"NoBackslash", "VeltoraWebIface.dll", "Client", "VeltoraWebIface.dll", "Client"},
        InsertCase{"Empty", "", "", "", ""},
        InsertCase{"TrailingBackslash", R"(\\server\share\)", R"(C:\)", R"(\\\\server\\share\\)", R"(C:\\)"},
        InsertCase{"Korean", "D:\\클라이언트\\VeltoraWebIface.dll", "D:\\클라이언트",
                   "D:\\\\클라이언트\\\\VeltoraWebIface.dll", "D:\\\\클라이언트"},
        InsertCase{"QuoteAndLineBreak", "C:\\a\"b.dll", "D:\\Evil\"\r\n[HKEY_CLASSES_ROOT\\Evil]\r\n@=\"x",
                   "C:\\\\a\\\"b.dll", "D:\\\\Evil\\\"  [HKEY_CLASSES_ROOT\\\\Evil]  @=\\\"x"},
        InsertCase{"ControlBytes", "a\tb\x01", "\n\x1f", "a b ", "  "}),
    [](const auto& row) { return std::string(row.param.name); });

// A Korean PC's code page holds Korean letters in CP949 bytes: the file is those bytes, without
// byte-order mark, as the registry editor there imports it.
TEST(RepairFile, TextTheCodePageHoldsIsWrittenInItsBytes) {
  const std::string typeLibrary = "\xC7\xFC\xBD\xC4 \xB6\xF3\xC0\xCC\xBA\xEA\xB7\xAF\xB8\xAE";  // 형식 라이브러리
  const std::string client = "\xC5\xAC\xB6\xF3\xC0\xCC\xBE\xF0\xC6\xAE";  // 클라이언트
  FakeFileSystem files;
  FakeSystem system;
  system.osMajorVersion = 4;
  system.ansiBytes = {{"형식 라이브러리", typeLibrary}, {"클라이언트", client}};

  kInterfaceCase.Write(files, system, ClientStateUnder("D:\\클라이언트"));

  // (Where plain literals are CP949 already, the template's type library needs no conversion.)
  const std::string expected = Replaced(Replaced(Crlf(kInterfaceBody), "형식 라이브러리", typeLibrary),
                                        R"(D:\\Client)", R"(D:\\)" + client);
  EXPECT_EQ(files.outputFiles["VeltoraWebIface_CLSID.reg"], std::string(kHeader4) + expected);
}

// A folder that the code page cannot hold: the registry editor's Unicode script, UTF-16 LE after its
// byte-order mark and headed version 5.00 on any system, every letter of the folder whole.
struct UnicodeCase {
  const char* name;
  const RepairCase& repair;
  std::string folder;          // UTF-8
  std::string lacking;         // a letter of it that the code page lacks
  std::u16string folderValue;  // the folder as the file's values hold it
};

const UnicodeCase kUnicodeCases[] = {
    {"VietnameseInterface", kInterfaceCase, "C:\\Program Files\\Tiếng Việt", "ế",
     u"C:\\\\Program Files\\\\Tiếng Việt"},
    {"ThaiTray", kTrayCase, "D:\\โปรแกรม", "โ", u"D:\\\\โปรแกรม"},
};

TEST(RepairFile, FolderOutsideTheCodePageGivesAUnicodeScript) {
  for (const UnicodeCase& row : kUnicodeCases) {
    for (const unsigned version : {4u, 6u}) {
      SCOPED_TRACE(std::string(row.name) + " version " + std::to_string(version));
      FakeFileSystem files;
      FakeSystem system;
      system.osMajorVersion = version;
      system.outsideCodePage = row.lacking;

      row.repair.Write(files, system, ClientStateUnder(row.folder));

      const std::string escaped = Replaced(row.folder, "\\", "\\\\");
      const std::string body = Replaced(Crlf(row.repair.body), R"(D:\\Client)", escaped);
      const std::string& file = files.outputFiles[row.repair.fileName];
      EXPECT_EQ(file, Utf16Le(u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n" + platform::Utf8ToUtf16(body)));
      EXPECT_NE(file.find(Utf16Le(u"@=\"" + row.folderValue + u"\"\r\n")), std::string::npos) << "help folder";
    }
  }
}

TEST(RepairFile, UnicodeScriptWhoseBodyFailsKeepsItsHeader) {
  FakeFileSystem files;
  FakeSystem system;
  system.outsideCodePage = "ế";
  files.writeAnswers = {{}, {112, 0}};  // the header goes out whole, then the disk is full
  const DiagState state = ClientStateUnder("D:\\Tiếng Việt");

  EXPECT_THROW(kInterfaceCase.Write(files, system, state), FileError);

  EXPECT_EQ(files.outputFiles["VeltoraWebIface_CLSID.reg"],
            Utf16Le(u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n"));
}

TEST(RepairFile, CoreFileIsTheExampleAndIgnoresTheInstallFolder) {
  FakeFileSystem files;
  FakeSystem system;
  DiagState state;
  state.m_strInstallDir = R"(E:\Elsewhere)";
  state.components[2].foundPath = R"(D:\Client\VeltoraWebCore.dll)";

  kCoreCase.Write(files, system, state);

  const std::string& file = files.outputFiles["VeltoraWebCore_CLSID.reg"];
  EXPECT_EQ(file, std::string(kHeader5) + Crlf(kCoreBody));
  EXPECT_EQ(file.find("Elsewhere"), std::string::npos);
}

TEST(RepairFile, UpdaterHelpFolderIsTheSystemFolderAsTheSystemReportsIt) {
  FakeFileSystem files;
  FakeSystem system;
  system.systemDirectory = R"(C:\Windows\SysWOW64)";

  kUpdaterCase.Write(files, system, ClientState());

  const std::string expected = Replaced(Crlf(kUpdaterBody), "@=\"C:\\\\WINDOWS\\\\system32\"\r\n",
                                        "@=\"C:\\\\Windows\\\\SysWOW64\"\r\n");
  EXPECT_EQ(files.outputFiles["VelUpdCtl.reg"], std::string(kHeader5) + expected);
}

TEST(RepairFile, SecondRunOverwritesTheFirstFile) {
  FakeFileSystem files;
  FakeSystem system;
  DiagState state = ClientState();
  state.components[2].foundPath = R"(D:\A much longer folder name\VeltoraWebCore.dll)";
  kCoreCase.Write(files, system, state);
  state.components[2].foundPath = R"(D:\Client\VeltoraWebCore.dll)";

  kCoreCase.Write(files, system, state);

  EXPECT_EQ(files.outputFiles["VeltoraWebCore_CLSID.reg"], std::string(kHeader5) + Crlf(kCoreBody));
}

TEST(RepairFile, CreateFailureThrowsWithCauseAndNameAndWritesNothing) {
  for (const RepairCase& repair : kRepairCases) {
    SCOPED_TRACE(repair.name);
    FakeFileSystem files;
    FakeSystem system;
    files.createErrors[repair.fileName] = 5;  // ERROR_ACCESS_DENIED

    try {
      repair.Write(files, system, ClientState());
      ADD_FAILURE() << "no FileError";
    } catch (const FileError& error) {
      EXPECT_EQ(error.GetCause(), FileError::Cause::accessDenied);
      EXPECT_EQ(error.FileName(), repair.fileName);
      EXPECT_EQ(error.Message(), std::string("Access to ") + repair.fileName + " was denied.");
    }
    EXPECT_TRUE(files.outputFiles.empty());
  }
}

struct WriteFailureCase {
  const char* name;
  std::vector<FakeFileSystem::WriteAnswer> answers;
  FileError::Cause cause;
  std::size_t keptBodyBytes;  // how much of the body stays after the header; npos: not even the header
};

class WriteFailureTest : public testing::TestWithParam<WriteFailureCase> {};

TEST_P(WriteFailureTest, ThrowsAndKeepsWhatWasWritten) {
  const WriteFailureCase& row = GetParam();
  FakeFileSystem files;
  FakeSystem system;
  files.writeAnswers.assign(row.answers.begin(), row.answers.end());

  try {
    kCoreCase.Write(files, system, ClientState());
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& error) {
    EXPECT_EQ(error.GetCause(), row.cause);
    EXPECT_EQ(error.FileName(), "VeltoraWebCore_CLSID.reg");
  }
  const std::string kept = row.keptBodyBytes == std::string::npos
                               ? std::string()
                               : std::string(kHeader5) + Crlf(kCoreBody).substr(0, row.keptBodyBytes);
  EXPECT_EQ(files.outputFiles["VeltoraWebCore_CLSID.reg"], kept);
}

constexpr std::size_t kAll = std::numeric_limits<std::size_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteFailureTest,
    testing::Values(WriteFailureCase{"HeaderFails", {{5, 0}}, FileError::Cause::accessDenied, std::string::npos},
                    WriteFailureCase{"BodyFails", {{0, kAll}, {29, 0}}, FileError::Cause::hardIO, 0},
                    WriteFailureCase{"BodyDiskFull", {{0, kAll}, {112, 0}}, FileError::Cause::diskFull, 0},
                    WriteFailureCase{"BodyShort", {{0, kAll}, {0, 100}}, FileError::Cause::diskFull, 100}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(RepairFile, ShortHeaderWriteIsAFullDiskAndStopsBeforeTheBody) {
  FakeFileSystem files;
  FakeSystem system;
  files.writeAnswers = {{0, 3}};

  try {
    kProtocolCase.Write(files, system, ClientState());
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& error) {
    EXPECT_EQ(error.Message(), "Disk full while accessing PROTOCOL_Handler.reg.");
  }
  EXPECT_EQ(files.outputFiles["PROTOCOL_Handler.reg"], "Win");
}

}  // namespace
