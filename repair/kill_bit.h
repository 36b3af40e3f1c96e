#pragma once
// The removal of the browser's kill bit for the updater control, which the verdict asks for when
// the kill-bit check (checks/installation_checks) found its key.
#include <vector>

#include "platform/registry.h"
#include "report/report_log.h"

// Deletes both kill-bit keys of the updater control, the per-user add-on setting and then the
// machine's kill-bit key, with one delete-key call each and nothing asked, whatever the first call
// gives. Returns the lines to report: a heading, then one at level 1 for each key that stays.
std::vector<ReportLine> RemoveKillBitKeys(platform::Registry& registry);
