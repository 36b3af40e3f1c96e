// Puts our doubles of the CALYRA Web 7.0 client into this Windows installation (for us: the Wine
// prefix it runs in) the way the client's own installer would, or takes them out again. Each option
// breaks one thing, so that a scenario differs from a sound installation in that alone.
//
//   install_client.exe [options]            install; first removes what an earlier run installed
//   install_client.exe --uninstall          removes what the last install put in place, nothing else
//
// The doubles and this installer are built for x64 and x86, like the tool. The x86 build on 64-bit
// Windows installs as the 32-bit client does there, without asking for it: the system redirects its
// keys into the 32-bit view (Wow6432Node) and its system folder to SysWOW64, and its %ProgramFiles%
// is Program Files (x86).
//
// A sound installation:
//   <system folder>\velupdctl.ocx                  7.0.3.1
//   <install folder>\VeltoraWebIface.dll           7.0.2.11
//   <install folder>\VeltoraWebCore.dll            7.0.2.7   (build 2: the tray agent's gate is open)
//   <install folder>\VeltoraWebLang.dll            7.0.1.3
//   <install folder>\VeltoraWebTray.exe            7.0.2.5
//   <install folder>\plugin\VelPubCert.dll         1.0.4.2
//   <install folder>\Uninst.exe                    7.0.0.1
//   HKLM\Software\Veltora\CALYRAWeb_7                   Install_Dir = <install folder>
//   HKCR\PROTOCOLS\Handler\s-http                       CLSID = {51BA3E78-ECB2-16F4-A22E-A41505A64625}
//   HKCR\PROTOCOLS\Name-Space Handler\http\s-http       CLSID = {51BA3E78-ECB2-16F4-A22E-A41505A64625}
//   HKCR\CLSID\<class>\InprocServer32   (default) = full path of its file, ThreadingModel = Apartment:
//     {0D8708AD-A9F4-C810-A862-5D84D75FBB4D} velupdctl.ocx        (answers IUnknown)
//     {7C49CE0F-93B7-9C7A-015D-A399BEED7B01} VeltoraWebIface.dll  (answers IUnknown)
//     {51BA3E78-ECB2-16F4-A22E-A41505A64625} VeltoraWebIface.dll  (answers IInternetProtocol)
//     {52A45655-7BDB-1C48-5892-A3440DE1069A} VeltoraWebCore.dll   (answers IInternetProtocol)
//     {83E851E7-8918-AD9B-7810-3F7A2DF0D122} VelPubCert.dll       (answers {811397E3-F73E-E947-955B-44996CFE4243})
//   HKCR\CLSID\{824B7195-5022-D47E-A0EA-69C3CF360213}\LocalServer32  (default) = "<install folder>\VeltoraWebTray.exe"
//     (quoted; a local server that answers IUnknown)
//
// Options. CLASS is one of the class identifiers above in braces, NAME one of the file names above;
// both in any letter case. Options that name a class or file may be repeated for others.
//   --install-dir PATH        install folder (default <program files>\Veltora\CALYRA Web 7.0, where
//                             <program files> is Program Files (x86) for the x86 build on 64-bit
//                             Windows, as for the 32-bit client there)
//   --system-dir PATH         folder for velupdctl.ocx (default: the system folder, GetSystemDirectoryA)
//   --source DIR              folder of the built doubles (default: this program's folder)
//   --no-product-key          no HKLM\Software\Veltora\CALYRAWeb_7
//   --no-install-dir-value    the product key without Install_Dir
//   --install-dir-value TEXT  Install_Dir = TEXT (the files still go to the install folder)
//   --no-handler-key          no PROTOCOLS\Handler\s-http
//   --no-handler-clsid        PROTOCOLS\Handler\s-http without CLSID
//   --handler-clsid TEXT      its CLSID = TEXT
//   --no-namespace-key, --no-namespace-clsid, --namespace-clsid TEXT
//                             the same for PROTOCOLS\Name-Space Handler\http\s-http
//   --kill-bit                the updater's kill bit, with Compatibility Flags = 0x400:
//                             HKLM\Software\Microsoft\Internet Explorer\ActiveX Compatibility\{0D8708AD-...}
//   --addon-key               the updater's per-user add-on key, with Flags = 1, where the
//                             browser keeps per-user add-on settings:
//                             HKCU\Software\Microsoft\Windows\CurrentVersion\Ext\Settings\{0D8708AD-...}
//   --unregister CLASS        no HKCR\CLSID\CLASS
//   --no-server-key CLASS     the class key without its InprocServer32 or LocalServer32 key
//   --no-server-path CLASS    the server key without its default value
//   --server-path CLASS=TEXT  the server key's default value = TEXT, exactly as given
//   --missing-file NAME       NAME is not installed (its registration stays)
//   --empty-file NAME         NAME is installed as a file of length 0
//   --version NAME=A.B.C.D    file version of NAME (each number 0 to 65535)
//   --core-build N            the third number of VeltoraWebCore.dll's version (the tray agent's gate)
//   --per-user                also registers the client for the current user, as an installation
//                             without administrator rights does: the keys of kPerUserKeys below
//                             HKCU\Software (application ids, classes with the per-user updater and
//                             its launcher, ProgIDs, interfaces, type libraries, the s-http protocol
//                             and name-space handlers, the product key Veltora\CALYRAWebV7)
//
// Exit code: 0 done; 1 a step failed (named on the error stream); 2 a bad command line.
//
// Paths and texts may hold letters that the ANSI code page lacks (a Vietnamese install folder on a
// Korean PC): the installer keeps them in UTF-8 and calls the wide functions.
//
// Everything an install creates (keys that did not exist before, folders, files) is listed in
// %WINDIR%\install_client.log. The uninstall deletes exactly those, newest first, then the list;
// what someone else has removed in the meantime counts as removed. A folder that still holds files
// (others' or ours that could not be deleted) stays, and stays listed for the next uninstall.
// Values written into keys that existed before the install are not undone.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "client_identity.h"
#include "platform/win32/unique_handle.h"

namespace {

using platform::win32::unique_handle;

std::wstring Wide(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                                         static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(length));
  return wide;
}

std::string Utf8(std::wstring_view wide) {
  std::string utf8(wide.size() * 3, '\0');
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                                         static_cast<int>(utf8.size()), nullptr, nullptr);
  utf8.resize(static_cast<std::size_t>(length));
  return utf8;
}

void CloseKey(HKEY key) { RegCloseKey(key); }
using unique_hkey = unique_handle<HKEY, &CloseKey>;

void CloseFile(HANDLE file) { CloseHandle(file); }
using unique_file = unique_handle<HANDLE, &CloseFile>;

struct Version {
  unsigned major, minor, build, revision;
};

enum class Folder { System, Install, Plugin };

struct ClientFile {
  const char* name;
  Folder folder;
  Version version;
};

constexpr ClientFile kFiles[] = {
    {"velupdctl.ocx", Folder::System, {7, 0, 3, 1}},
    {"VeltoraWebIface.dll", Folder::Install, {7, 0, 2, 11}},
    {"VeltoraWebCore.dll", Folder::Install, {7, 0, 2, 7}},
    {"VeltoraWebLang.dll", Folder::Install, {7, 0, 1, 3}},
    {"VeltoraWebTray.exe", Folder::Install, {7, 0, 2, 5}},
    {"VelPubCert.dll", Folder::Plugin, {1, 0, 4, 2}},
    {"Uninst.exe", Folder::Install, {7, 0, 0, 1}},
};
constexpr std::size_t kCoreFile = 2;

struct ClientClass {
  const char* id;
  std::size_t file;  // index into kFiles
  bool localServer;
};

constexpr ClientClass kClasses[] = {
    {client::kUpdaterClass, 0, false},
    {client::kIfaceClass, 1, false},
    {client::kHttpWrapClass, 1, false},
    {client::kCoreClass, 2, false},
    {client::kTrayClass, 4, true},
    {client::kPubCertClass, 5, false},
};

// A value the installer writes: the sound one, none at all, or a text the scenario gives.
struct ValueChoice {
  bool present = true;
  std::optional<std::string> text;

  std::string Or(const std::string& sound) const { return text.value_or(sound); }
};

struct KeyChoice {
  bool present = true;
  ValueChoice value;
};

struct ClassChoice {
  bool present = true;
  KeyChoice server;
};

enum class FileContent { Double, Missing, Empty };

struct FileChoice {
  FileContent content = FileContent::Double;
  Version version{};
};

struct Options {
  bool uninstall = false;
  std::string installDir;
  std::string systemDir;
  std::string sourceDir;
  KeyChoice product;
  KeyChoice handler;
  KeyChoice nameSpace;
  bool killBit = false;
  bool addonKey = false;
  bool perUser = false;
  ClassChoice classes[std::size(kClasses)];
  FileChoice files[std::size(kFiles)];
};

// ---------------------------------------------------------------------------------------------
// The list of what an install created.

class InstallLog {
public:
  explicit InstallLog(std::string path) : m_path(std::move(path)) {
    std::ifstream in(m_path);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty()) m_entries.push_back(line);
    }
  }

  void Note(std::string_view kind, const std::string& what) { m_entries.push_back(std::string(kind) + " " + what); }
  std::vector<std::string>& Entries() { return m_entries; }

  // Writes the list, or removes it when nothing is left to undo.
  bool Save() const {
    if (m_entries.empty()) return DeleteFileW(Wide(m_path).c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
    std::ofstream out(m_path, std::ios::trunc);
    for (const std::string& entry : m_entries) out << entry << '\n';
    return static_cast<bool>(out.flush());
  }

private:
  std::string m_path;
  std::vector<std::string> m_entries;
};

bool Fail(const std::string& what, DWORD error) {
  std::fprintf(stderr, "install_client: %s: error %lu\n", what.c_str(), static_cast<unsigned long>(error));
  return false;
}

// ---------------------------------------------------------------------------------------------
// Registry

struct Root {
  HKEY handle;
  const char* name;
};

const Root kRoots[] = {
    {HKEY_LOCAL_MACHINE, "HKLM"},
    {HKEY_CURRENT_USER, "HKCU"},
    {HKEY_CLASSES_ROOT, "HKCR"},
};
const Root& kMachine = kRoots[0];
const Root& kUser = kRoots[1];
const Root& kClassesRoot = kRoots[2];

// Creates root\path level by level, so that the uppermost key that did not exist goes into the log
// (the ones below it go with it).
bool CreateKey(const Root& root, const std::string& path, InstallLog& log, unique_hkey* key) {
  unique_hkey parent;
  bool newAbove = false;
  for (std::size_t start = 0; start <= path.size();) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    const std::string level = path.substr(start, end - start);
    HKEY opened = nullptr;
    DWORD disposition = 0;
    const LONG status = RegCreateKeyExW(parent ? parent.get() : root.handle, Wide(level).c_str(), 0, nullptr, 0,
                                        KEY_ALL_ACCESS, nullptr, &opened, &disposition);
    if (status != ERROR_SUCCESS) return Fail(std::string("cannot create ") + root.name + "\\" + path, status);
    parent.reset(opened);
    if (disposition == REG_CREATED_NEW_KEY && !newAbove) {
      log.Note("key", std::string(root.name) + "\\" + path.substr(0, end));
      newAbove = true;
    }
    start = end + 1;
  }
  *key = std::move(parent);
  return true;
}

bool SetString(HKEY key, const char* name, const std::string& text) {
  const std::wstring data = Wide(text);
  const LONG status = RegSetValueExW(key, Wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                     static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  return status == ERROR_SUCCESS || Fail(std::string("cannot set value ") + name, status);
}

bool SetNumber(HKEY key, const char* name, DWORD number) {
  const LONG status =
      RegSetValueExW(key, Wide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  return status == ERROR_SUCCESS || Fail(std::string("cannot set value ") + name, status);
}

// A key holding one string value, each as the scenario chose.
bool WriteKey(const Root& root, const std::string& path, const KeyChoice& choice, const char* valueName,
              const std::string& soundValue, InstallLog& log, unique_hkey* key = nullptr) {
  if (!choice.present) return true;
  unique_hkey created;
  if (!CreateKey(root, path, log, &created)) return false;
  if (choice.value.present && !SetString(created.get(), valueName, choice.value.Or(soundValue))) return false;
  if (key != nullptr) *key = std::move(created);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Files

bool ReadWholeFile(const std::string& path, std::string* bytes) {
  const HANDLE opened =
      CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return Fail("cannot read " + path, GetLastError());
  const unique_file file(opened);
  LARGE_INTEGER size{};
  DWORD read = 0;
  if (!GetFileSizeEx(file.get(), &size)) return Fail("cannot read " + path, GetLastError());
  bytes->resize(static_cast<std::size_t>(size.QuadPart));
  if (!ReadFile(file.get(), bytes->data(), static_cast<DWORD>(bytes->size()), &read, nullptr) || read != bytes->size()) {
    return Fail("cannot read " + path, GetLastError());
  }
  return true;
}

void StoreDword(std::string& bytes, std::size_t at, DWORD value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Sets the file version in the fixed version information of a module image, found by its signature.
bool SetFileVersion(std::string& image, const Version& version, const std::string& name) {
  constexpr std::string_view kSignature("\xBD\x04\xEF\xFE", 4);  // VS_FIXEDFILEINFO.dwSignature
  const std::size_t at = image.find(kSignature);
  if (at == std::string::npos || image.find(kSignature, at + 1) != std::string::npos ||
      at + sizeof(VS_FIXEDFILEINFO) > image.size()) {
    return Fail("no single version resource in " + name, ERROR_RESOURCE_TYPE_NOT_FOUND);
  }
  StoreDword(image, at + offsetof(VS_FIXEDFILEINFO, dwFileVersionMS), MAKELONG(version.minor, version.major));
  StoreDword(image, at + offsetof(VS_FIXEDFILEINFO, dwFileVersionLS), MAKELONG(version.revision, version.build));
  return true;
}

bool WriteNewFile(const std::string& path, const std::string& bytes, InstallLog& log) {
  const HANDLE created =
      CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (created == INVALID_HANDLE_VALUE) return Fail("cannot create " + path, GetLastError());
  const unique_file file(created);
  log.Note("file", path);
  DWORD written = 0;
  if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    return Fail("cannot write " + path, GetLastError());
  }
  return true;
}

// Creates a folder and those above it that are missing; each one made goes into the log.
bool CreateFolder(const std::string& path, InstallLog& log) {
  // The drive ("C:\") is there already.
  const std::size_t start = path.size() > 2 && path[1] == ':' && path[2] == '\\' ? 3 : 0;
  for (std::size_t end = path.find('\\', start);; end = path.find('\\', end + 1)) {
    const std::string folder = path.substr(0, end);
    if (CreateDirectoryW(Wide(folder).c_str(), nullptr)) {
      log.Note("folder", folder);
    } else if (GetLastError() != ERROR_ALREADY_EXISTS) {
      return Fail("cannot create folder " + folder, GetLastError());
    }
    if (end == std::string::npos) return true;
  }
}

std::string ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::string folder = Utf8({path, length});
  return folder.substr(0, folder.rfind('\\'));
}

std::string SystemFolder() {
  wchar_t path[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(path, MAX_PATH);
  return length < MAX_PATH ? Utf8({path, length}) : std::string();
}

// %ProgramFiles% as this process sees it: a 32-bit one on 64-bit Windows gets Program Files (x86).
std::string ProgramFilesFolder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"ProgramFiles", path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? Utf8({path, length}) : std::string("C:\\Program Files");
}

// The Windows folder's name is plain ASCII: the standard streams open the list by it.
std::string LogPath() {
  wchar_t path[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryW(path, MAX_PATH);
  return Utf8({path, length < MAX_PATH ? length : 0}) + "\\install_client.log";
}

std::string FolderOf(const Options& options, Folder folder) {
  switch (folder) {
    case Folder::System:
      return options.systemDir;
    case Folder::Install:
      return options.installDir;
    case Folder::Plugin:
      return options.installDir + "\\plugin";
  }
  return {};
}

std::string InstalledPath(const Options& options, std::size_t file) {
  return FolderOf(options, kFiles[file].folder) + "\\" + kFiles[file].name;
}

// ---------------------------------------------------------------------------------------------
// Per-user registration (--per-user)

// One value of a key below HKCU. In values, %INSTALL% and %SYSTEM% stand for the install and system
// folders: the classes that the machine-wide installation registers name the same files, so that
// the user's view of them stays sound.
struct UserValue {
  const char* path;
  const char* name;
  const char* data;
};

constexpr UserValue kPerUserKeys[] = {
    {R"(Software\AppID\{46A2591E-E875-F365-3921-60BB374BE058})", "", "VelHttp"},
    {R"(Software\AppID\VelHttp.DLL)", "AppID", "{46A2591E-E875-F365-3921-60BB374BE058}"},
    {R"(Software\Classes\AppID\{DD01472C-93C1-80E2-2A84-D0AAA9FC833C})", "", "VelUpdUser"},
    {R"(Software\Classes\AppID\{1EAC8F66-1BCE-4C0A-2344-C98776E75AAF})", "", "VelCookie2"},
    {R"(Software\Classes\AppID\{8BDD389E-0A5E-D068-93E5-73B7B4F03F14})", "", "VelProto"},
    {R"(Software\Classes\AppID\{4E1D8E17-CC6B-4142-827E-1DFAEEE826D7})", "", "VelPubCert"},
    {R"(Software\Classes\AppID\{A69CB4C3-E2A1-EE5B-4240-BB5C0933DA7A})", "", "VelSpeed2"},
    {R"(Software\Classes\AppID\{7B6CD0DA-A16E-1118-BA20-0D4D6BE1AB0B})", "", "VelContents"},
    {R"(Software\Classes\AppID\{195ACC28-8CC7-34E1-1711-DBE164305F54})", "", "VelUpdLauncher"},
    {R"(Software\Classes\AppID\VelUpdUser.DLL)", "AppID", "{DD01472C-93C1-80E2-2A84-D0AAA9FC833C}"},
    {R"(Software\Classes\AppID\VelCookie2.DLL)", "AppID", "{1EAC8F66-1BCE-4C0A-2344-C98776E75AAF}"},
    {R"(Software\Classes\AppID\VelProto.DLL)", "AppID", "{8BDD389E-0A5E-D068-93E5-73B7B4F03F14}"},
    {R"(Software\Classes\AppID\VelPubCert.DLL)", "AppID", "{4E1D8E17-CC6B-4142-827E-1DFAEEE826D7}"},
    {R"(Software\Classes\AppID\VelSpeed2.DLL)", "AppID", "{A69CB4C3-E2A1-EE5B-4240-BB5C0933DA7A}"},
    {R"(Software\Classes\AppID\VelContents.DLL)", "AppID", "{7B6CD0DA-A16E-1118-BA20-0D4D6BE1AB0B}"},
    {R"(Software\Classes\AppID\VelUpdLauncher.EXE)", "AppID", "{195ACC28-8CC7-34E1-1711-DBE164305F54}"},
    {R"(Software\Classes\CLSID\{52A45655-7BDB-1C48-5892-A3440DE1069A}\InprocServer32)", "", R"(%INSTALL%\VeltoraWebCore.dll)"},
    {R"(Software\Classes\CLSID\{52A45655-7BDB-1C48-5892-A3440DE1069A}\InprocServer32)", "ThreadingModel", "Apartment"},
    {R"(Software\Classes\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}\InprocServer32)", "", R"(%SYSTEM%\velupdctl.ocx)"},
    {R"(Software\Classes\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}\InprocServer32)", "ThreadingModel", "Apartment"},
    {R"(Software\Classes\CLSID\{3241092B-0870-0E70-1FFC-406409394A52}\InprocServer32)", "", R"(%INSTALL%\VelCookie2.dll)"},
    {R"(Software\Classes\CLSID\{824B7195-5022-D47E-A0EA-69C3CF360213}\LocalServer32)", "", R"("%INSTALL%\VeltoraWebTray.exe")"},
    {R"(Software\Classes\CLSID\{FB703473-AC78-61F0-E548-0C3396BCDB87}\InprocServer32)", "", R"(%INSTALL%\VelUpdUser.DLL)"},
    {R"(Software\Classes\CLSID\{83E851E7-8918-AD9B-7810-3F7A2DF0D122}\InprocServer32)", "", R"(%INSTALL%\plugin\VelPubCert.dll)"},
    {R"(Software\Classes\CLSID\{83E851E7-8918-AD9B-7810-3F7A2DF0D122}\InprocServer32)", "ThreadingModel", "Apartment"},
    {R"(Software\Classes\CLSID\{51BA3E78-ECB2-16F4-A22E-A41505A64625}\InprocServer32)", "", R"(%INSTALL%\VeltoraWebIface.dll)"},
    {R"(Software\Classes\CLSID\{51BA3E78-ECB2-16F4-A22E-A41505A64625}\InprocServer32)", "ThreadingModel", "Apartment"},
    {R"(Software\Classes\CLSID\{1465513C-D7CF-0217-7769-6AFA8231ED32}\LocalServer32)", "", R"("%INSTALL%\VelUpdLauncher.EXE")"},
    {R"(Software\Classes\VelHttp.HttpWrap\CurVer)", "", "VelHttp.HttpWrap.1"},
    {R"(Software\Classes\VelHttp.HttpWrap.1\CLSID)", "", "{51BA3E78-ECB2-16F4-A22E-A41505A64625}"},
    {R"(Software\Classes\VELTORA.UpdaterPerUser\CurVer)", "", "VELTORA.UpdaterPerUser.1"},
    {R"(Software\Classes\VELTORA.UpdaterPerUser.1\CLSID)", "", "{FB703473-AC78-61F0-E548-0C3396BCDB87}"},
    {R"(Software\Classes\VelAgent2.AgentMain\CurVer)", "", "VelAgent2.AgentMain.1"},
    {R"(Software\Classes\VelAgent2.AgentMain.1\CLSID)", "", "{824B7195-5022-D47E-A0EA-69C3CF360213}"},
    {R"(Software\Classes\VelCookie2.CCookieModule\CurVer)", "", "VelCookie2.CCookieModule.1"},
    {R"(Software\Classes\VelCookie2.CCookieModule.1\CLSID)", "", "{3241092B-0870-0E70-1FFC-406409394A52}"},
    {R"(Software\Classes\VelProto.ProtoModule\CurVer)", "", "VelProto.ProtoModule.1"},
    {R"(Software\Classes\VelProto.ProtoModule.1\CLSID)", "", "{52A45655-7BDB-1C48-5892-A3440DE1069A}"},
    {R"(Software\Classes\VelPubCert.PubCertModule\CurVer)", "", "VelPubCert.PubCertModule.1"},
    {R"(Software\Classes\VelPubCert.PubCertModule.1\CLSID)", "", "{83E851E7-8918-AD9B-7810-3F7A2DF0D122}"},
    {R"(Software\Classes\VelSpeed2.CSpeedModule\CurVer)", "", "VelSpeed2.CSpeedModule.1"},
    {R"(Software\Classes\VelSpeed2.CSpeedModule.1\CLSID)", "", "{1465513C-D7CF-0217-7769-6AFA8231ED32}"},
    {R"(Software\Classes\VelUpdLauncher.Launcher\CurVer)", "", "VelUpdLauncher.Launcher.1"},
    {R"(Software\Classes\VelUpdLauncher.Launcher.1\CLSID)", "", "{1465513C-D7CF-0217-7769-6AFA8231ED32}"},
    {R"(Software\Classes\Interface\{50090510-7B67-6850-1FC7-202658868752})", "", "IVelUpdUser"},
    {R"(Software\Classes\Interface\{811397E3-F73E-E947-955B-44996CFE4243})", "", "IVelPubCert"},
    {R"(Software\Classes\Interface\{27F4532D-C81A-5ADD-1954-594577958B97})", "", "IVelAgent"},
    {R"(Software\Classes\Interface\{DD9D29C7-3A8F-3856-E744-0311A95B2B30})", "", "IVelUpdLauncher"},
    {R"(Software\Classes\Interface\{7C49CE0F-93B7-9C7A-015D-A399BEED7B01})", "", "IVelHttpWrap"},
    {R"(Software\Classes\Interface\{E34A5803-9C1C-50CB-2A7A-8CD7DC43FA5F})", "", "IVelCookie"},
    {R"(Software\Classes\Interface\{AA5875B3-C7B4-644D-E22B-21585E50E484})", "", "IVelProto"},
    {R"(Software\Classes\Interface\{3E7F49FA-D229-0CAE-6579-082FDDBB1F78})", "", "IVelSpeed"},
    {R"(Software\Classes\Interface\{0EFCFEBC-EB44-55F2-39A1-7411B486F976})", "", "IVelContents"},
    {R"(Software\Classes\TypeLib\{32666F9A-C2D3-DBC2-A850-7D530EAE01D8}\1.0)", "", "VelHttp 1.0 Type Library"},
    {R"(Software\Classes\TypeLib\{CE0E2934-F985-BD6C-9E05-63F21CBE29B2}\1.0)", "", "VelUpdUser 1.0 Type Library"},
    {R"(Software\Classes\TypeLib\{68B7402F-CCA1-69F5-5754-82F7B727DBA5}\1.0)", "", "VelAgent2 1.0 Type Library"},
    {R"(Software\Classes\TypeLib\{252E5432-6AC9-9EA9-B9ED-D6D90E111F40}\1.0)", "", "VelCookie2 1.0 Type Library"},
    {R"(Software\Classes\TypeLib\{ABD65AEF-F006-4E7A-580E-9CE7DCF75952}\1.0)", "", "VelProto 1.0 Type Library"},
    {R"(Software\Classes\TypeLib\{73FA7FC0-8A3B-0CFB-51E9-3A812279B71D}\1.0)", "", "VelUpdLauncher 1.0 Type Library"},
    {R"(Software\Classes\TypeLib\{13CECEE9-4C17-A203-327E-B48AD6CCDAB1}\1.0)", "", "VelPubCert 1.0 Type Library"},
    {R"(Software\Classes\TypeLib\{9D2EC537-25F8-FA30-03C3-3E32115A6A11}\1.0)", "", "VelSpeed2 1.0 Type Library"},
    {R"(Software\Classes\PROTOCOLS\Handler\s-http)", "CLSID", "{51BA3E78-ECB2-16F4-A22E-A41505A64625}"},
    {R"(Software\Classes\PROTOCOLS\Name-Space Handler\http\s-http)", "CLSID", "{51BA3E78-ECB2-16F4-A22E-A41505A64625}"},
    {R"(Software\Veltora\CALYRAWebV7)", "Install_Dir", "%INSTALL%"},
};

std::string ReplaceAll(std::string text, std::string_view from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

bool RegisterPerUser(const Options& options, InstallLog& log) {
  for (const UserValue& entry : kPerUserKeys) {
    unique_hkey key;
    const std::string data =
        ReplaceAll(ReplaceAll(entry.data, "%INSTALL%", options.installDir), "%SYSTEM%", options.systemDir);
    if (!CreateKey(kUser, entry.path, log, &key) || !SetString(key.get(), entry.name, data)) return false;
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Install and uninstall

bool InstallFiles(const Options& options, InstallLog& log) {
  for (const Folder folder : {Folder::Install, Folder::Plugin}) {
    if (!CreateFolder(FolderOf(options, folder), log)) return false;
  }
  for (std::size_t i = 0; i < std::size(kFiles); ++i) {
    const FileChoice& choice = options.files[i];
    if (choice.content == FileContent::Missing) continue;
    std::string image;
    if (choice.content == FileContent::Double) {
      if (!ReadWholeFile(options.sourceDir + "\\" + kFiles[i].name, &image)) return false;
      if (!SetFileVersion(image, choice.version, kFiles[i].name)) return false;
    }
    if (!WriteNewFile(InstalledPath(options, i), image, log)) return false;
  }
  return true;
}

bool RegisterClasses(const Options& options, InstallLog& log) {
  for (std::size_t i = 0; i < std::size(kClasses); ++i) {
    const ClientClass& entry = kClasses[i];
    const ClassChoice& choice = options.classes[i];
    if (!choice.present) continue;
    const std::string classKey = std::string("CLSID\\") + entry.id;
    unique_hkey key;
    if (!CreateKey(kClassesRoot, classKey, log, &key)) return false;
    const std::string path = InstalledPath(options, entry.file);
    if (entry.localServer) {
      const std::string command = "\"" + path + "\"";
      if (!WriteKey(kClassesRoot, classKey + "\\LocalServer32", choice.server, "", command, log)) return false;
    } else {
      unique_hkey server;
      if (!WriteKey(kClassesRoot, classKey + "\\InprocServer32", choice.server, "", path, log, &server) ||
          (server && !SetString(server.get(), "ThreadingModel", "Apartment"))) {
        return false;
      }
    }
  }
  return true;
}

bool Install(const Options& options, InstallLog& log) {
  if (!InstallFiles(options, log)) return false;
  if (!WriteKey(kMachine, client::kProductKey, options.product, "Install_Dir", options.installDir, log) ||
      !WriteKey(kClassesRoot, client::kHandlerKey, options.handler, "CLSID", client::kHttpWrapClass, log) ||
      !WriteKey(kClassesRoot, client::kNameSpaceKey, options.nameSpace, "CLSID", client::kHttpWrapClass, log)) {
    return false;
  }
  if (options.killBit) {
    unique_hkey key;
    if (!CreateKey(kMachine, client::kKillBitKey, log, &key) || !SetNumber(key.get(), "Compatibility Flags", 0x400)) {
      return false;
    }
  }
  if (options.addonKey) {
    unique_hkey key;
    if (!CreateKey(kUser, client::kAddonKey, log, &key) || !SetNumber(key.get(), "Flags", 1)) return false;
  }
  if (options.perUser && !RegisterPerUser(options, log)) return false;
  return RegisterClasses(options, log);
}

enum class Undone { Yes, Later, Failed };

// Undoes one entry of the log; what is gone already counts as undone. A folder that still holds
// files is left for a later run: they may be others', or ours that could not go this time.
Undone Undo(const std::string& entry) {
  const std::size_t blank = entry.find(' ');
  const std::string kind = entry.substr(0, blank);
  const std::string what = blank == std::string::npos ? std::string() : entry.substr(blank + 1);
  const auto gone = [](DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; };
  if (kind == "file") {
    if (DeleteFileW(Wide(what).c_str()) || gone(GetLastError())) return Undone::Yes;
    Fail("cannot delete " + what, GetLastError());
    return Undone::Failed;
  }
  if (kind == "folder") {
    if (RemoveDirectoryW(Wide(what).c_str()) || gone(GetLastError())) return Undone::Yes;
    if (GetLastError() == ERROR_DIR_NOT_EMPTY) {
      std::fprintf(stderr, "install_client: %s is not empty and stays for now\n", what.c_str());
      return Undone::Later;
    }
    Fail("cannot remove folder " + what, GetLastError());
    return Undone::Failed;
  }
  if (kind == "key") {
    for (const Root& root : kRoots) {
      const std::string prefix = std::string(root.name) + "\\";
      if (what.compare(0, prefix.size(), prefix) != 0) continue;
      const LONG status = RegDeleteTreeW(root.handle, Wide(what.substr(prefix.size())).c_str());
      if (status == ERROR_SUCCESS || gone(status)) return Undone::Yes;
      Fail("cannot delete key " + what, status);
      return Undone::Failed;
    }
  }
  Fail("cannot read log entry '" + entry + "'", ERROR_INVALID_DATA);
  return Undone::Failed;
}

// Undoes the logged entries newest first; those not undone stay in the log for another try.
bool Uninstall(InstallLog& log) {
  std::vector<std::string>& entries = log.Entries();
  std::vector<std::string> left;
  bool done = true;
  for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
    const Undone undone = Undo(*entry);
    if (undone != Undone::Yes) left.insert(left.begin(), *entry);
    done = done && undone != Undone::Failed;
  }
  entries = left;
  return done;
}

// ---------------------------------------------------------------------------------------------
// Command line

bool SameText(const std::string& a, const char* b) { return lstrcmpiW(Wide(a).c_str(), Wide(b).c_str()) == 0; }

std::optional<std::size_t> FindClass(const std::string& id) {
  for (std::size_t i = 0; i < std::size(kClasses); ++i) {
    if (SameText(id, kClasses[i].id)) return i;
  }
  std::fprintf(stderr, "install_client: unknown class %s\n", id.c_str());
  return std::nullopt;
}

std::optional<std::size_t> FindFile(const std::string& name) {
  for (std::size_t i = 0; i < std::size(kFiles); ++i) {
    if (SameText(name, kFiles[i].name)) return i;
  }
  std::fprintf(stderr, "install_client: unknown file %s\n", name.c_str());
  return std::nullopt;
}

std::optional<unsigned> ParseNumber(const std::string& text) {
  if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  const unsigned number = static_cast<unsigned>(std::stoul(text));
  if (number > 0xFFFF) return std::nullopt;
  return number;
}

std::optional<Version> ParseVersion(const std::string& text) {
  unsigned numbers[4] = {};
  std::size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    const std::size_t end = i < 3 ? text.find('.', start) : text.size();
    if (end == std::string::npos) return std::nullopt;
    const std::optional<unsigned> number = ParseNumber(text.substr(start, end - start));
    if (!number) return std::nullopt;
    numbers[i] = *number;
    start = end + 1;
  }
  return Version{numbers[0], numbers[1], numbers[2], numbers[3]};
}

// Splits "LEFT=RIGHT" at its first "=".
bool SplitPair(const std::string& text, std::string* left, std::string* right) {
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos) return false;
  *left = text.substr(0, equals);
  *right = text.substr(equals + 1);
  return true;
}

bool ParseOptions(const std::vector<std::string>& args, Options* options) {
  for (std::size_t i = 0; i < std::size(kFiles); ++i) options->files[i].version = kFiles[i].version;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& option = args[i];
    // Options without an argument.
    if (option == "--uninstall") {
      options->uninstall = true;
    } else if (option == "--no-product-key") {
      options->product.present = false;
    } else if (option == "--no-install-dir-value") {
      options->product.value.present = false;
    } else if (option == "--no-handler-key") {
      options->handler.present = false;
    } else if (option == "--no-handler-clsid") {
      options->handler.value.present = false;
    } else if (option == "--no-namespace-key") {
      options->nameSpace.present = false;
    } else if (option == "--no-namespace-clsid") {
      options->nameSpace.value.present = false;
    } else if (option == "--kill-bit") {
      options->killBit = true;
    } else if (option == "--addon-key") {
      options->addonKey = true;
    } else if (option == "--per-user") {
      options->perUser = true;
    } else {
      // Options with one.
      constexpr const char* kWithArgument[] = {
          "--install-dir", "--system-dir", "--source", "--install-dir-value", "--handler-clsid", "--namespace-clsid",
          "--unregister", "--no-server-key", "--no-server-path", "--server-path", "--missing-file", "--empty-file",
          "--version", "--core-build"};
      if (std::find(std::begin(kWithArgument), std::end(kWithArgument), option) == std::end(kWithArgument)) {
        std::fprintf(stderr, "install_client: unknown option %s\n", option.c_str());
        return false;
      }
      if (i + 1 >= args.size()) {
        std::fprintf(stderr, "install_client: %s needs an argument\n", option.c_str());
        return false;
      }
      const std::string& argument = args[++i];
      std::string left;
      std::string right;
      if (option == "--install-dir") {
        options->installDir = argument;
      } else if (option == "--system-dir") {
        options->systemDir = argument;
      } else if (option == "--source") {
        options->sourceDir = argument;
      } else if (option == "--install-dir-value") {
        options->product.value.text = argument;
      } else if (option == "--handler-clsid") {
        options->handler.value.text = argument;
      } else if (option == "--namespace-clsid") {
        options->nameSpace.value.text = argument;
      } else if (option == "--unregister" || option == "--no-server-key" || option == "--no-server-path") {
        const std::optional<std::size_t> found = FindClass(argument);
        if (!found) return false;
        ClassChoice& choice = options->classes[*found];
        if (option == "--unregister") choice.present = false;
        if (option == "--no-server-key") choice.server.present = false;
        if (option == "--no-server-path") choice.server.value.present = false;
      } else if (option == "--server-path" && SplitPair(argument, &left, &right)) {
        const std::optional<std::size_t> found = FindClass(left);
        if (!found) return false;
        options->classes[*found].server.value.text = right;
      } else if (option == "--missing-file" || option == "--empty-file") {
        const std::optional<std::size_t> found = FindFile(argument);
        if (!found) return false;
        options->files[*found].content = option == "--missing-file" ? FileContent::Missing : FileContent::Empty;
      } else if (option == "--version" && SplitPair(argument, &left, &right)) {
        const std::optional<std::size_t> found = FindFile(left);
        const std::optional<Version> version = ParseVersion(right);
        if (!version) std::fprintf(stderr, "install_client: bad version %s\n", right.c_str());
        if (!found || !version) return false;
        options->files[*found].version = *version;
      } else if (option == "--core-build") {
        const std::optional<unsigned> build = ParseNumber(argument);
        if (!build) {
          std::fprintf(stderr, "install_client: bad build number %s\n", argument.c_str());
          return false;
        }
        options->files[kCoreFile].version.build = *build;
      } else {
        std::fprintf(stderr, "install_client: %s needs NAME=VALUE, not %s\n", option.c_str(), argument.c_str());
        return false;
      }
    }
  }
  if (options->installDir.empty()) options->installDir = ProgramFilesFolder() + "\\Veltora\\CALYRA Web 7.0";
  if (options->systemDir.empty()) options->systemDir = SystemFolder();
  if (options->sourceDir.empty()) options->sourceDir = ProgramFolder();
  return true;
}

}  // namespace

// The wide command line: the ANSI one would have lost what the code page lacks.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) args.push_back(Utf8(argv[i]));
  Options options;
  if (!ParseOptions(args, &options)) {
    std::fprintf(stderr, "usage: install_client.exe [--uninstall] [options]; see the head of install_client.cpp\n");
    return 2;
  }
  InstallLog log(LogPath());
  bool done = Uninstall(log);
  if (done && !options.uninstall) done = Install(options, log);
  // The log keeps what is in place even when a step failed, so that an uninstall can remove it.
  if (!log.Save()) done = Fail("cannot write " + LogPath(), GetLastError());
  return done ? 0 : 1;
}
