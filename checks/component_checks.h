#pragma once
// The client's files: for each catalogue row, the file, its COM registration, the registered file,
// its version and a test creation of its object.
#include <cstdint>
#include <optional>
#include <string>

#include "checks/check_context.h"

// Each section writes its own frame. Nothing: the run goes on; a code: the run ends with it.
std::optional<CheckResult> CheckUpdaterComponent(CheckContext& ctx);
std::optional<CheckResult> CheckClientComponents(CheckContext& ctx);

struct BestMatch {
  // The greatest matching name in the byte order of the ANSI code page; empty when none matched.
  std::string name;
  std::uint64_t lastSize = 0;  // size of the last file the search returned
};

// Searches folder\pattern.
BestMatch FindBestMatch(platform::FileSystem& files, platform::System& system, const std::string& folder,
                        const std::string& pattern);

// The file's version; 0.0.0.0 when it has no version resource.
platform::FileVersion ReadFileVersion(platform::FileSystem& files, const std::string& path);
