#include "repair/repair_files.h"

#include <memory>
#include <string>

#include "checks/component_catalogue.h"
#include "checks/verdict.h"
#include "platform/unicode.h"

namespace {

constexpr RegSection kProtocolTemplate[] = {
    {R"([HKEY_CLASSES_ROOT\PROTOCOLS\Handler\s-http])",
     {R"(@="VELTORA(c) S-HTTP Client Pluggable Protocol")", R"("CLSID"="{51BA3E78-ECB2-16F4-A22E-A41505A64625}")"}},
    {R"([HKEY_CLASSES_ROOT\PROTOCOLS\Name-Space Handler\http\s-http])",
     {R"(@="VELTORA(c) S-HTTP Client Pluggable Protocol")", R"("CLSID"="{51BA3E78-ECB2-16F4-A22E-A41505A64625}")",
      R"("Pattern1"="")"}},
};

// The last line is left open: the system folder, a quote and the line end close it.
constexpr RegSection kUpdaterTemplate[] = {
    {R"([HKEY_CLASSES_ROOT\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}])", {R"(@="CALYRA Updater Control")"}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}\Control])", {R"(@="")"}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}\InprocServer32])",
     {R"(@="##########")", R"("ThreadingModel"="Apartment")"}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}\MiscStatus])", {R"(@="0")"}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}\MiscStatus\1])", {R"(@="131473")"}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}\ProgID])", {R"(@="VELUPDCTL.VelUpdCtlCtrl.1")"}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}\ToolboxBitmap32])", {R"(@="##########, 1")"}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}\TypeLib])",
     {R"(@="{EEF90444-7203-CA1F-B072-9A3D5354BC0E}")"}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}\Version])", {R"(@="1.0")"}},
    {R"([HKEY_CLASSES_ROOT\TypeLib\{EEF90444-7203-CA1F-B072-9A3D5354BC0E}])", {}},
    {R"([HKEY_CLASSES_ROOT\TypeLib\{EEF90444-7203-CA1F-B072-9A3D5354BC0E}\1.0])",
     {R"(@="VelUpdCtl ActiveX Control module")"}},
    {R"([HKEY_CLASSES_ROOT\TypeLib\{EEF90444-7203-CA1F-B072-9A3D5354BC0E}\1.0\0])", {}},
    {R"([HKEY_CLASSES_ROOT\TypeLib\{EEF90444-7203-CA1F-B072-9A3D5354BC0E}\1.0\0\win32])", {R"(@="##########")"}},
    {R"([HKEY_CLASSES_ROOT\TypeLib\{EEF90444-7203-CA1F-B072-9A3D5354BC0E}\1.0\FLAGS])", {R"(@="2")"}},
    {R"([HKEY_CLASSES_ROOT\TypeLib\{EEF90444-7203-CA1F-B072-9A3D5354BC0E}\1.0\HELPDIR])", {R"(@=")"}},
};

// The last line is left open: the install folder, a quote and the line end close it.
constexpr RegSection kInterfaceTemplate[] = {
    {R"([HKEY_CLASSES_ROOT\CLSID\{51BA3E78-ECB2-16F4-A22E-A41505A64625}])",
     {R"(@="HttpWrap Class")", R"("AppID"="{46A2591E-E875-F365-3921-60BB374BE058}")"}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{51BA3E78-ECB2-16F4-A22E-A41505A64625}\InprocServer32])",
     {R"(@="##########")", R"("ThreadingModel"="Apartment")"}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{51BA3E78-ECB2-16F4-A22E-A41505A64625}\ProgID])", {R"(@="VelHttp.HttpWrap.1")"}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{51BA3E78-ECB2-16F4-A22E-A41505A64625}\Programmable])", {}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{51BA3E78-ECB2-16F4-A22E-A41505A64625}\TypeLib])",
     {R"(@="{ABD65AEF-F006-4E7A-580E-9CE7DCF75952}")"}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{51BA3E78-ECB2-16F4-A22E-A41505A64625}\VersionIndependentProgID])",
     {R"(@="VelHttp.HttpWrap")"}},
    {R"([HKEY_CLASSES_ROOT\TypeLib\{ABD65AEF-F006-4E7A-580E-9CE7DCF75952}])", {}},
    {R"([HKEY_CLASSES_ROOT\TypeLib\{ABD65AEF-F006-4E7A-580E-9CE7DCF75952}\1.0])", {R"(@="VelHttp 1.0 형식 라이브러리")"}},
    {R"([HKEY_CLASSES_ROOT\TypeLib\{ABD65AEF-F006-4E7A-580E-9CE7DCF75952}\1.0\0])", {}},
    {R"([HKEY_CLASSES_ROOT\TypeLib\{ABD65AEF-F006-4E7A-580E-9CE7DCF75952}\1.0\0\win32])", {R"(@="##########")"}},
    {R"([HKEY_CLASSES_ROOT\TypeLib\{ABD65AEF-F006-4E7A-580E-9CE7DCF75952}\1.0\FLAGS])", {R"(@="0")"}},
    {R"([HKEY_CLASSES_ROOT\TypeLib\{ABD65AEF-F006-4E7A-580E-9CE7DCF75952}\1.0\HELPDIR])", {R"(@=")"}},
};

constexpr RegSection kCoreTemplate[] = {
    {R"([HKEY_CLASSES_ROOT\CLSID\{52A45655-7BDB-1C48-5892-A3440DE1069A}])",
     {R"(@="ProtoModule Class")", R"("AppID"="{195ACC28-8CC7-34E1-1711-DBE164305F54}")"}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{52A45655-7BDB-1C48-5892-A3440DE1069A}\InprocServer32])",
     {R"(@="##########")", R"("ThreadingModel"="Apartment")"}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{52A45655-7BDB-1C48-5892-A3440DE1069A}\ProgID])", {R"(@="VelProto.ProtoModule.1")"}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{52A45655-7BDB-1C48-5892-A3440DE1069A}\Programmable])", {}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{52A45655-7BDB-1C48-5892-A3440DE1069A}\TypeLib])",
     {R"(@="{32666F9A-C2D3-DBC2-A850-7D530EAE01D8}")"}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{52A45655-7BDB-1C48-5892-A3440DE1069A}\VersionIndependentProgID])",
     {R"(@="VelProto.ProtoModule")"}},
};

// The last line is left open: the install folder, a quote and the line end close it.
constexpr RegSection kTrayTemplate[] = {
    {R"([HKEY_CLASSES_ROOT\CLSID\{824B7195-5022-D47E-A0EA-69C3CF360213}])", {R"(@="AgentMain Class")", R"("AppID"="")"}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{824B7195-5022-D47E-A0EA-69C3CF360213}\LocalServer32])", {R"(@="##########")"}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{824B7195-5022-D47E-A0EA-69C3CF360213}\ProgID])", {R"(@="VelAgent2.AgentMain.1")"}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{824B7195-5022-D47E-A0EA-69C3CF360213}\Programmable])", {}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{824B7195-5022-D47E-A0EA-69C3CF360213}\TypeLib])",
     {R"(@="{9D2EC537-25F8-FA30-03C3-3E32115A6A11}")"}},
    {R"([HKEY_CLASSES_ROOT\CLSID\{824B7195-5022-D47E-A0EA-69C3CF360213}\VersionIndependentProgID])",
     {R"(@="VelAgent2.AgentMain")"}},
    {R"([HKEY_CLASSES_ROOT\TypeLib\{9D2EC537-25F8-FA30-03C3-3E32115A6A11}])", {}},
    {R"([HKEY_CLASSES_ROOT\TypeLib\{9D2EC537-25F8-FA30-03C3-3E32115A6A11}\1.0])", {R"(@="VelAgent2 1.0 형식 라이브러리")"}},
    {R"([HKEY_CLASSES_ROOT\TypeLib\{9D2EC537-25F8-FA30-03C3-3E32115A6A11}\1.0\0])", {}},
    {R"([HKEY_CLASSES_ROOT\TypeLib\{9D2EC537-25F8-FA30-03C3-3E32115A6A11}\1.0\0\win32])", {R"(@="##########")"}},
    {R"([HKEY_CLASSES_ROOT\TypeLib\{9D2EC537-25F8-FA30-03C3-3E32115A6A11}\1.0\FLAGS])", {R"(@="0")"}},
    {R"([HKEY_CLASSES_ROOT\TypeLib\{9D2EC537-25F8-FA30-03C3-3E32115A6A11}\1.0\HELPDIR])", {R"(@=")"}},
};

constexpr std::string_view kVersion5Header = "Windows Registry Editor Version 5.00\r\n\r\n";
constexpr std::string_view kVersion4Header = "REGEDIT4\r\n\r\n";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kPlaceholder = "##########";
constexpr unsigned kSystemFolderBuffer = 1024;

// A 64-bit registry editor imports what the user double-clicks. For a 32-bit process on 64-bit
// Windows the classes that it and the 32-bit client see live in the 32-bit view, so the class keys
// are named there; the type libraries are shared between the views and stay.
constexpr std::string_view kClassKeys = "[HKEY_CLASSES_ROOT\\CLSID\\";
constexpr std::string_view kClassKeys32 = "[HKEY_CLASSES_ROOT\\Wow6432Node\\CLSID\\";

// Section lines and value lines, joined by line ends, with an empty line between sections; the
// last line gets no line end, so that an open value line can still be closed.
std::string TemplateText(std::span<const RegSection> sections, bool wow64) {
  std::string text;
  for (const RegSection& section : sections) {
    if (!text.empty()) text.append(kLineEnd).append(kLineEnd);
    if (wow64 && section.line.starts_with(kClassKeys)) {
      text.append(kClassKeys32).append(section.line.substr(kClassKeys.size()));
    } else {
      text.append(section.line);
    }
    for (std::string_view value : section.values) {
      if (!value.empty()) text.append(kLineEnd).append(value);
    }
  }
  return text;
}

void ReplaceAll(std::string& text, std::string_view from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
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
    throw FileError(FileError::CauseFromCode(code), name);
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
    throw FileError(FileError::CauseFromCode(code), name);
  }

  std::string body = TemplateText(repair.sections, system.IsWow64());
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
