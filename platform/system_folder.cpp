#include "platform/system_folder.h"

#include <string_view>

#include "platform/ascii.h"

namespace platform {
namespace {

constexpr unsigned kPathBufferSize = 260;

// The folders below the system folder that the file system does not redirect.
constexpr std::string_view kNotRedirected[] = {"catroot", "catroot2", "driverstore", "drivers\\etc", "logfiles", "spool"};

std::string_view WithoutLastBackslash(std::string_view folder) {
  if (folder.ends_with('\\')) folder.remove_suffix(1);
  return folder;
}

// Whether path lies below folder; *rest is what follows folder's backslash.
bool IsBelow(std::string_view path, std::string_view folder, std::string_view* rest) {
  if (folder.empty() || path.size() <= folder.size() || path[folder.size()] != '\\' ||
      !EqualsIgnoringCase(path.substr(0, folder.size()), folder))
    return false;
  *rest = path.substr(folder.size() + 1);
  return true;
}

bool StartsWithFolder(std::string_view rest, std::string_view folder) {
  return rest.size() >= folder.size() && EqualsIgnoringCase(rest.substr(0, folder.size()), folder) &&
         (rest.size() == folder.size() || rest[folder.size()] == '\\');
}

}  // namespace

bool IsSystemFolder(System& system, const std::string& folder) {
  const std::string_view candidate = WithoutLastBackslash(folder);
  for (const std::string& systemFolder : {system.SystemDirectory(kPathBufferSize), system.SystemWow64Directory()}) {
    if (!systemFolder.empty() && EqualsIgnoringCase(candidate, WithoutLastBackslash(systemFolder))) return true;
  }
  return false;
}

std::string PathAsStored(System& system, const std::string& path) {
  if (!system.IsWow64()) return path;
  const std::string systemFolder = system.SystemDirectory(kPathBufferSize);
  const std::string wow64Folder = system.SystemWow64Directory();
  std::string_view rest;
  if (wow64Folder.empty() || !IsBelow(path, WithoutLastBackslash(systemFolder), &rest)) return path;
  for (std::string_view folder : kNotRedirected) {
    if (StartsWithFolder(rest, folder)) return path;
  }
  return std::string(WithoutLastBackslash(wow64Folder)).append("\\").append(rest);
}

}  // namespace platform
