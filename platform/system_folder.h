#pragma once
// The system folder as the file system treats a program of either bitness: on 64-bit Windows a
// 32-bit program that writes into it writes into the WOW64 system folder instead.
#include <string>

#include "platform/system.h"

namespace platform {

// Whether folder (a full path, with or without its last backslash) is the system folder of either
// view.
bool IsSystemFolder(System& system, const std::string& folder);

// The path under which a file written to path by this program really is: for a 32-bit program on
// 64-bit Windows, a path in the system folder becomes one in the WOW64 system folder, save the few
// folders the file system leaves alone; any other path stays as it is.
std::string PathAsStored(System& system, const std::string& path);

}  // namespace platform
