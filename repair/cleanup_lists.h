#pragma once
// The two registry clean-ups: every key of the product that a machine-wide installation writes, and
// every one that a per-user installation writes.
#include <string_view>

#include "platform/dialog_view.h"
#include "platform/registry.h"
#include "repair/key_removal.h"
#include "report/report_log.h"

struct Cleanup {
  std::string_view confirmation;
  std::string_view startLine;
  std::string_view endLine;
  CleanupList list;
};

extern const Cleanup kRegularUserCleanup;   // HKEY_LOCAL_MACHINE, needs administrator rights
extern const Cleanup kStandardUserCleanup;  // HKEY_CURRENT_USER

// Asks first; on Yes empties the report, then writes the banners around the list's rows.
void RunCleanup(const Cleanup& cleanup, platform::Registry& registry, platform::DialogView& view,
                ReportLog& report);
