#pragma once
// Before any client file is looked at: is the product installed and where, is the s-http scheme
// handed to its handler class, and has the browser been told never to load the updater control.
#include <optional>
#include <string>

#include "checks/check_context.h"
#include "checks/client_identity.h"

// What reading the install folder came to: the folder, or the registry's code of the step that
// failed.
struct InstallFolderRead {
  long keyStatus = platform::kErrorSuccess;    // opening the product key
  long valueStatus = platform::kErrorSuccess;  // reading its Install_Dir, once the key is open
  std::string folder;                          // empty unless both steps succeeded
};

// Install_Dir of the product key, for a buffer of kValueBufferSize bytes: the installation check
// and the dialog's install-folder button read it alike.
InstallFolderRead ReadInstallFolder(platform::Registry& registry);

// Each section writes its own frame. Nothing: the run goes on; a code: the run ends with it.
std::optional<CheckResult> CheckInstallation(CheckContext& ctx);
std::optional<CheckResult> CheckProtocolHandlers(CheckContext& ctx);
std::optional<CheckResult> CheckInternetOptions(CheckContext& ctx);
