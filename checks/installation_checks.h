#pragma once
// Before any client file is looked at: is the product installed and where, is the s-http scheme
// handed to its handler class, and has the browser been told never to load the updater control.
#include <optional>
#include <string>

#include "checks/check_context.h"
#include "checks/client_identity.h"

// Each section writes its own frame. Nothing: the run goes on; a code: the run ends with it.
std::optional<CheckResult> CheckInstallation(CheckContext& ctx);
std::optional<CheckResult> CheckProtocolHandlers(CheckContext& ctx);
std::optional<CheckResult> CheckInternetOptions(CheckContext& ctx);
