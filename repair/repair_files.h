#pragma once
// The .reg repair files that the verdict writes into the current folder for a broken registration,
// one table row per file. WriteRepairFile creates or empties its file and writes it whole, or throws
// FileError. The paths and folders it inserts come from the registry and are escaped so that they
// stay inside their quoted value.
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "checks/check_context.h"
#include "checks/client_identity.h"
#include "platform/files.h"
#include "platform/system.h"
#include "repair/file_error.h"

inline constexpr std::size_t kMaxValueLines = 3;

// One key of a registry script: its path below HKEY_CLASSES_ROOT and its value lines; unused value
// lines stay empty. Both may hold the marks %CLSID%, %PROGID%, %VERSIONINDEPENDENTPROGID%, %APPID%
// and %TYPELIB% for the identifiers of the template's class registration.
struct RegSection {
  std::string_view key;
  std::array<std::string_view, kMaxValueLines> values;
};

struct RegTemplate {
  ClassRegistration registration;
  std::span<const RegSection> sections;
};

// The folder that closes a template's open last line (its help folder).
enum class RepairFolder { none, system, install };

struct RepairFile {
  CheckResult code;                       // the verdict writes the file for this code, under its name
                                          // (RepairFileName, checks/verdict)
  RegTemplate script;                     // the template
  std::optional<std::size_t> component;   // catalogue row whose path replaces the placeholder
  RepairFolder folder;
};

extern const std::array<RepairFile, 5> RepairFiles;

// The row written for a code, or null when the code has no repair file.
const RepairFile* RepairFileFor(CheckResult code);

void WriteRepairFile(const RepairFile& repair, platform::FileSystem& files, platform::System& system,
                     const DiagState& state);
