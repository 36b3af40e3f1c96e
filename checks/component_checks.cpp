#include "checks/component_checks.h"

#include <cstdio>
#include <string_view>
#include <utility>

#include "checks/component_catalogue.h"
#include "checks/error_text.h"

namespace {

constexpr unsigned kSystemFolderBufferSize = 256;

std::string Concat(std::string_view a, std::string_view b) {
  std::string text(a);
  text += b;
  return text;
}

std::string VersionText(const platform::FileVersion& version) {
  char numbers[32];
  // 16-bit numbers held in int: never negative, so %d prints them as unsigned decimals.
  std::snprintf(numbers, sizeof numbers, "%d.%d.%d.%d", static_cast<int>(version.major),
                static_cast<int>(version.minor), static_cast<int>(version.build), static_cast<int>(version.revision));
  return numbers;
}

std::string VersionLine(const platform::FileVersion& version) { return Concat("파일 버젼 : ", VersionText(version)); }

std::string FolderOf(const ComponentEntry& entry, CheckContext& ctx) {
  switch (entry.folder) {
    case ComponentFolder::System:
      return ctx.system.SystemDirectory(kSystemFolderBufferSize);
    case ComponentFolder::Install:
      return ctx.state.m_strInstallDir;
    case ComponentFolder::Plugin:
      return ctx.state.m_strInstallDir + R"(\plugin)";
  }
  return {};
}

// The file's version for the report line (0.0.0.0 without a version resource) and, when it has one,
// for the findings.
void ReadVersion(CheckContext& ctx, const std::string& path, ComponentState& component, ComponentFinding& found) {
  const std::optional<platform::FileVersion> version = ctx.files.ReadVersion(path);
  component.FileVersion = version.value_or(platform::FileVersion{});
  if (version) found.fileVersion = VersionText(*version);
}

// Finds the row's file and sets its foundPath; a code when it is missing.
std::optional<CheckResult> LocateFile(CheckContext& ctx, const ComponentEntry& entry, ComponentState& component,
                                      ComponentFinding& found) {
  const std::string folder = FolderOf(entry, ctx);
  if (entry.folder == ComponentFolder::System) {
    // Not searched: the path is fixed, and the existence test tells why it is missing.
    component.foundPath = Concat(folder + "\\", entry.displayName);
    if (int error = 0; !ctx.files.Exists(Concat(folder + "\\", entry.searchName), &error)) {
      ctx.report.AppendReportLine(2, entry.missing);
      ReportErrorText(ctx, 2, error);
      return CheckResult::notInstalled;
    }
    found.foundPath = component.foundPath;
    return std::nullopt;
  }

  component.foundPath.clear();
  const BestMatch match = FindBestMatch(ctx.files, ctx.system, folder, std::string(entry.searchName));
  const bool present = entry.presenceBySize ? match.lastSize > 0 : !match.name.empty();
  if (!present) {
    ctx.report.AppendReportLine(2, entry.missing);
    return CheckResult::notInstalled;
  }
  ctx.report.AppendReportLine(2, match.name);
  component.foundPath = folder + "\\" + match.name;
  found.foundPath = component.foundPath;
  return std::nullopt;
}

// Opens one key of a class registration for reading; reports the failure as the row's.
std::optional<CheckResult> OpenClassKey(CheckContext& ctx, const ComponentEntry& entry, const std::string& path,
                                        platform::RegKey* key) {
  const long status = platform::OpenKey(ctx.registry, platform::kClassesRoot, path, platform::kKeyRead, key);
  if (status == platform::kErrorSuccess) return std::nullopt;
  const int level = entry.detailLevel + 1;
  ctx.report.AppendReportLine(level, path + "를 가져오는데 실패하였습니다.");
  ctx.report.AppendReportLine(level, entry.notRegistered);
  ReportErrorText(ctx, level, status);
  return entry.registrationCode;
}

// Opens every class key and its server key, then reads the registered file from the path class.
std::optional<CheckResult> ReadRegisteredPath(CheckContext& ctx, const ComponentEntry& entry, std::string* path) {
  platform::RegKey pathServerKey;
  for (const std::string_view classId : entry.classIds) {
    if (classId.empty()) break;
    const std::string classKeyPath = Concat(R"(CLSID\)", classId);
    platform::RegKey classKey, serverKey;
    if (auto result = OpenClassKey(ctx, entry, classKeyPath, &classKey)) return result;
    if (auto result = OpenClassKey(ctx, entry, Concat(classKeyPath + "\\", entry.serverKey), &serverKey)) {
      return result;
    }
    if (classId == entry.pathClass) pathServerKey = std::move(serverKey);
  }

  const long status = platform::ReadStringValue(ctx.registry, pathServerKey.get(), "", kValueBufferSize, path);
  if (status != platform::kErrorSuccess) {
    ctx.report.AppendReportLine(entry.detailLevel + 1, entry.defaultValueMissing);
    ReportErrorText(ctx, entry.detailLevel + 1, status);
    return entry.registrationCode;
  }
  if (entry.stripQuotes) std::erase(*path, '"');
  return std::nullopt;
}

std::optional<CheckResult> CheckRegistration(CheckContext& ctx, const ComponentEntry& entry,
                                             ComponentState& component, ComponentFinding& found) {
  const int level = entry.detailLevel;
  ctx.report.AppendReportLine(level, entry.registryHeading);

  std::string registered;
  if (const auto result = ReadRegisteredPath(ctx, entry, &registered)) return result;
  ctx.report.AppendReportLine(level, "파일 찾음 - " + registered);
  found.registeredPath = registered;
  if (int error = 0; !ctx.files.Exists(registered, &error)) {
    ctx.report.AppendReportLine(level + 1, Concat(registered, entry.registeredMissing));
    if (entry.folder == ComponentFolder::System) {
      ctx.report.AppendReportLine(level + 1, "클라이언트를 재설치하여 주십시오");
    } else {
      // A searched file and the registered one may differ: show both.
      ctx.report.AppendReportLine(level + 2, "폴더내 파일 : " + component.foundPath);
      ctx.report.AppendReportLine(level + 2, "레지스트리에 등록된 파일 : " + registered);
    }
    ReportErrorText(ctx, level + 1, error);
    return CheckResult::notInstalled;
  }
  ReadVersion(ctx, registered, component, found);
  ctx.report.AppendReportLine(level, VersionLine(component.FileVersion));

  const ObjectTest& test = *entry.objectTest;
  ctx.report.AppendReportLine(level, "객체 생성 테스트");
  const long status = ctx.com.CreateAndRelease(std::string(test.classId), test.context, std::string(test.interfaceId));
  found.objectCreated = status >= 0;
  if (status < 0) {
    ctx.report.AppendReportLine(level + 1, entry.objectNotCreated);
    ReportErrorText(ctx, level + 1, status);
    return entry.registrationCode;
  }
  ctx.report.AppendReportLine(level + 1, entry.objectCreated);
  return std::nullopt;
}

std::optional<CheckResult> CheckExistence(CheckContext& ctx, const ComponentEntry& entry, ComponentState& component,
                                          ComponentFinding& found) {
  ctx.report.AppendReportLine(3, "파일 존재여부 검사");
  if (int error = 0; !ctx.files.Exists(component.foundPath, &error)) {
    ctx.report.AppendReportLine(4, Concat(component.foundPath, entry.keptMissing));
    ReportErrorText(ctx, 4, error);
    return CheckResult::notInstalled;
  }
  ReadVersion(ctx, component.foundPath, component, found);
  ctx.report.AppendReportLine(entry.keptVersionLevel, VersionLine(component.FileVersion));
  return std::nullopt;
}

// One catalogue row, from its header line to its last check line.
std::optional<CheckResult> CheckComponent(CheckContext& ctx, std::size_t row) {
  const ComponentEntry& entry = ComponentCatalogue[row];
  ComponentState& component = ctx.state.components[row];
  ComponentFinding& found = ctx.report.Found().components[row];
  ctx.report.AppendReportLine(1, entry.header);
  if (const auto result = LocateFile(ctx, entry, component, found)) return result;

  const bool checkRegistration =
      entry.HasRegistration() && (!entry.gatedOnCoreBuild || ctx.state.components[kCoreRow].FileVersion.build >= 2);
  return checkRegistration ? CheckRegistration(ctx, entry, component, found)
                           : CheckExistence(ctx, entry, component, found);
}

}  // namespace

BestMatch FindBestMatch(platform::FileSystem& files, platform::System& system, const std::string& folder,
                        const std::string& pattern) {
  BestMatch match;
  std::string matchBytes;
  for (const platform::FoundFile& file : files.FindFiles(folder + "\\" + pattern)) {
    // The order is that of the names' bytes in the ANSI code page, converted for this comparison
    // alone; std::string compares its characters as unsigned char: plain byte order, no locale.
    std::string bytes;
    system.Utf8ToAnsi(file.name, &bytes);
    if (matchBytes < bytes) {
      matchBytes = std::move(bytes);
      match.name = file.name;
    }
    match.lastSize = file.size;
  }
  return match;
}

platform::FileVersion ReadFileVersion(platform::FileSystem& files, const std::string& path) {
  return files.ReadVersion(path).value_or(platform::FileVersion{});
}

std::optional<CheckResult> CheckUpdaterComponent(CheckContext& ctx) {
  ctx.report.BeginReportSection("업데이트 구성요소 검사");
  if (const auto result = CheckComponent(ctx, kUpdaterRow)) return result;
  ctx.report.EndReportSection();
  return std::nullopt;
}

std::optional<CheckResult> CheckClientComponents(CheckContext& ctx) {
  ctx.report.BeginReportSection("클라이언트 구성요소 검사");
  for (std::size_t row = kUpdaterRow + 1; row < ComponentCatalogue.size(); ++row) {
    if (const auto result = CheckComponent(ctx, row)) return result;
    if (row + 1 < ComponentCatalogue.size()) ctx.report.AppendReportLine(0, "");
  }
  ctx.report.EndReportSection();
  return std::nullopt;
}
