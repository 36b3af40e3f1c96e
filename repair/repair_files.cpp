#include "repair/repair_files.h"

#include <memory>
#include <string>

#include "checks/component_catalogue.h"
#include "checks/verdict.h"
#include "platform/unicode.h"

namespace {

constexpr RegSection kProtocolSections[] = {
    {kProtocolHandlerKey, {R"(@="VELTORA(c) S-HTTP Client Pluggable Protocol")", R"("CLSID"="%CLSID%")"}},
    {kNameSpaceHandlerKey,
     {R"(@="VELTORA(c) S-HTTP Client Pluggable Protocol")", R"("CLSID"="%CLSID%")", R"("Pattern1"="")"}},
};
constexpr RegTemplate kProtocolTemplate = {kHttpWrapRegistration, kProtocolSections};

// The last line is left open: the system folder, a quote and the line end close it.
constexpr RegSection kUpdaterSections[] = {
    {R"(CLSID\%CLSID%)", {R"(@="CALYRA Updater Control")"}},
    {R"(CLSID\%CLSID%\Control)", {R"(@="")"}},
    {R"(CLSID\%CLSID%\InprocServer32)", {R"(@="##########")", R"("ThreadingModel"="Apartment")"}},
    {R"(CLSID\%CLSID%\MiscStatus)", {R"(@="0")"}},
    {R"(CLSID\%CLSID%\MiscStatus\1)", {R"(@="131473")"}},
    {R"(CLSID\%CLSID%\ProgID)", {R"(@="%PROGID%")"}},
    {R"(CLSID\%CLSID%\ToolboxBitmap32)", {R"(@="##########, 1")"}},
    {R"(CLSID\%CLSID%\TypeLib)", {R"(@="%TYPELIB%")"}},
    {R"(CLSID\%CLSID%\Version)", {R"(@="1.0")"}},
    {R"(TypeLib\%TYPELIB%)", {}},
    {R"(TypeLib\%TYPELIB%\1.0)", {R"(@="VelUpdCtl ActiveX Control module")"}},
    {R"(TypeLib\%TYPELIB%\1.0\0)", {}},
    {R"(TypeLib\%TYPELIB%\1.0\0\win32)", {R"(@="##########")"}},
    {R"(TypeLib\%TYPELIB%\1.0\FLAGS)", {R"(@="2")"}},
    {R"(TypeLib\%TYPELIB%\1.0\HELPDIR)", {R"(@=")"}},
};
constexpr RegTemplate kUpdaterTemplate = {kUpdaterRegistration, kUpdaterSections};

// The last line is left open: the install folder, a quote and the line end close it.
constexpr RegSection kInterfaceSections[] = {
    {R"(CLSID\%CLSID%)", {R"(@="HttpWrap Class")", R"("AppID"="%APPID%")"}},
    {R"(CLSID\%CLSID%\InprocServer32)", {R"(@="##########")", R"("ThreadingModel"="Apartment")"}},
    {R"(CLSID\%CLSID%\ProgID)", {R"(@="%PROGID%")"}},
    {R"(CLSID\%CLSID%\Programmable)", {}},
    {R"(CLSID\%CLSID%\TypeLib)", {R"(@="%TYPELIB%")"}},
    {R"(CLSID\%CLSID%\VersionIndependentProgID)", {R"(@="%VERSIONINDEPENDENTPROGID%")"}},
    {R"(TypeLib\%TYPELIB%)", {}},
    {R"(TypeLib\%TYPELIB%\1.0)", {R"(@="VelHttp 1.0 형식 라이브러리")"}},
    {R"(TypeLib\%TYPELIB%\1.0\0)", {}},
    {R"(TypeLib\%TYPELIB%\1.0\0\win32)", {R"(@="##########")"}},
    {R"(TypeLib\%TYPELIB%\1.0\FLAGS)", {R"(@="0")"}},
    {R"(TypeLib\%TYPELIB%\1.0\HELPDIR)", {R"(@=")"}},
};
constexpr RegTemplate kInterfaceTemplate = {kHttpWrapRegistration, kInterfaceSections};

constexpr RegSection kCoreSections[] = {
    {R"(CLSID\%CLSID%)", {R"(@="ProtoModule Class")", R"("AppID"="%APPID%")"}},
    {R"(CLSID\%CLSID%\InprocServer32)", {R"(@="##########")", R"("ThreadingModel"="Apartment")"}},
    {R"(CLSID\%CLSID%\ProgID)", {R"(@="%PROGID%")"}},
    {R"(CLSID\%CLSID%\Programmable)", {}},
    {R"(CLSID\%CLSID%\TypeLib)", {R"(@="%TYPELIB%")"}},
    {R"(CLSID\%CLSID%\VersionIndependentProgID)", {R"(@="%VERSIONINDEPENDENTPROGID%")"}},
};
constexpr RegTemplate kCoreTemplate = {kCoreRegistration, kCoreSections};

// The last line is left open: the install folder, a quote and the line end close it.
constexpr RegSection kTraySections[] = {
    {R"(CLSID\%CLSID%)", {R"(@="AgentMain Class")", R"("AppID"="%APPID%")"}},
    {R"(CLSID\%CLSID%\LocalServer32)", {R"(@="##########")"}},
    {R"(CLSID\%CLSID%\ProgID)", {R"(@="%PROGID%")"}},
    {R"(CLSID\%CLSID%\Programmable)", {}},
    {R"(CLSID\%CLSID%\TypeLib)", {R"(@="%TYPELIB%")"}},
    {R"(CLSID\%CLSID%\VersionIndependentProgID)", {R"(@="%VERSIONINDEPENDENTPROGID%")"}},
    {R"(TypeLib\%TYPELIB%)", {}},
    {R"(TypeLib\%TYPELIB%\1.0)", {R"(@="VelAgent2 1.0 형식 라이브러리")"}},
    {R"(TypeLib\%TYPELIB%\1.0\0)", {}},
    {R"(TypeLib\%TYPELIB%\1.0\0\win32)", {R"(@="##########")"}},
    {R"(TypeLib\%TYPELIB%\1.0\FLAGS)", {R"(@="0")"}},
    {R"(TypeLib\%TYPELIB%\1.0\HELPDIR)", {R"(@=")"}},
};
constexpr RegTemplate kTrayTemplate = {kTrayRegistration, kTraySections};

constexpr std::string_view kVersion5Header = "Windows Registry Editor Version 5.00\r\n\r\n";
constexpr std::string_view kVersion4Header = "REGEDIT4\r\n\r\n";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kPlaceholder = "##########";
constexpr unsigned kSystemFolderBuffer = 1024;

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// A 64-bit registry editor imports what the user double-clicks. For a 32-bit process on 64-bit
// Windows the classes that it and the 32-bit client see live in the 32-bit view, so the class keys
// are named there; the type libraries are shared between the views and stay.
constexpr std::string_view kClassKeys = "CLSID\\";
constexpr std::string_view kView32 = "Wow6432Node\\";

// Section lines and value lines, joined by line ends, with an empty line between sections; the
// last line gets no line end, so that an open value line can still be closed. The marks then take
// the registration's identifiers, before any text of the machine's goes in.
std::string TemplateText(const RegTemplate& script, bool wow64) {
  std::string text;
  for (const RegSection& section : script.sections) {
    if (!text.empty()) text.append(kLineEnd).append(kLineEnd);
    text.append("[HKEY_CLASSES_ROOT\\");
    if (wow64 && section.key.starts_with(kClassKeys)) text.append(kView32);
    text.append(section.key).append("]");
    for (std::string_view value : section.values) {
      if (!value.empty()) text.append(kLineEnd).append(value);
    }
  }
  const ClassRegistration& ids = script.registration;
  ReplaceAll(text, "%CLSID%", ids.classId);
  ReplaceAll(text, "%PROGID%", ids.progId);
  ReplaceAll(text, "%VERSIONINDEPENDENTPROGID%", ids.versionIndependentProgId);
  ReplaceAll(text, "%APPID%", ids.appId);
  ReplaceAll(text, "%TYPELIB%", ids.typeLib);
  return text;
}

// Text inserted into a quoted value: a backslash is doubled and a double quote written as \", so
// that the text cannot end the value early; every byte below 0x20 (CR and LF among them) becomes one
// blank, so that it cannot start a line of its own. Other bytes pass unchanged: every byte of a UTF-8
// multibyte character is 0x80 or above, so none is split or taken for a backslash, quote or control.
std::string RegValueText(std::string_view text) {
  std::string value;
  value.reserve(text.size());
  for (const char c : text) {
    if (c == '\\' || c == '"') {
      value.push_back('\\');
      value.push_back(c);
    } else if (static_cast<unsigned char>(c) < 0x20) {
      value.push_back(' ');
    } else {
      value.push_back(c);
    }
  }
  return value;
}

void Write(platform::OutputFile& file, const std::string& bytes, const std::string& name) {
  std::size_t written = 0;
  if (const long code = file.Write(bytes, &written); code != 0) {
    throw FileError(FileErrorCauseOf(code), name);
  }
  if (written < bytes.size()) throw FileError(FileError::Cause::diskFull, name);
}

}  // namespace

const std::array<RepairFile, 5> RepairFiles = {{
    {CheckResult::protocolHandlerBroken, kProtocolTemplate, std::nullopt, RepairFolder::none},
    {CheckResult::updaterNotRegistered, kUpdaterTemplate, kUpdaterRow, RepairFolder::system},
    {CheckResult::interfaceNotRegistered, kInterfaceTemplate, kInterfaceRow, RepairFolder::install},
    {CheckResult::protocolModuleNotRegistered, kCoreTemplate, kCoreRow, RepairFolder::none},
    {CheckResult::trayAgentNotRegistered, kTrayTemplate, kTrayRow, RepairFolder::install},
}};

const RepairFile* RepairFileFor(CheckResult code) {
  for (const RepairFile& repair : RepairFiles) {
    if (repair.code == code) return &repair;
  }
  return nullptr;
}

void WriteRepairFile(const RepairFile& repair, platform::FileSystem& files, platform::System& system,
                     const DiagState& state) {
  const std::string name(RepairFileName(repair.code));
  std::unique_ptr<platform::OutputFile> file;
  if (const long code = files.CreateOutputFile(name, &file); code != 0) {
    throw FileError(FileErrorCauseOf(code), name);
  }

  std::string body = TemplateText(repair.script, system.IsWow64());
  if (repair.folder != RepairFolder::none) {
    const std::string folder =
        repair.folder == RepairFolder::system ? system.SystemDirectory(kSystemFolderBuffer) : state.m_strInstallDir;
    body.append(RegValueText(folder)).append("\"");
  }
  body.append(kLineEnd);
  if (repair.component) ReplaceAll(body, kPlaceholder, RegValueText(state.components[*repair.component].foundPath));

  // The registry editor reads a script without byte-order mark in the ANSI code page. A path that
  // the code page cannot hold (Vietnamese letters on a Korean PC) goes into its Unicode script
  // instead, so that no letter of it turns into a question mark.
  std::string header;
  std::string bytes;
  if (system.Utf8ToAnsi(body, &bytes)) {
    header = system.OsMajorVersion() > 4 ? kVersion5Header : kVersion4Header;
  } else {
    using namespace platform;
    header = Utf16LeBytes(std::u16string(1, kByteOrderMark) + Utf8ToUtf16(kVersion5Header));
    bytes = Utf16LeBytes(Utf8ToUtf16(body));
  }
  // The header goes out on its own, so a failing body write leaves it in the file.
  Write(*file, header, name);
  Write(*file, bytes, name);
}
