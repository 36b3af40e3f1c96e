#pragma once
// The two registry clean-ups: every key of the product that a machine-wide installation writes, and
// every one that a per-user installation writes.
#include <string>
#include <string_view>
#include <vector>

#include "platform/ports.h"
#include "repair/key_removal.h"
#include "report/report_log.h"

struct Cleanup {
  std::string_view kind;  // in the undo file's name and on the command line
  std::string_view confirmation;  // the question the dialog asks before it
  std::string_view startLine;
  std::string_view endLine;
  CleanupList list;
};

extern const Cleanup kRegularUserCleanup;   // HKEY_LOCAL_MACHINE, needs administrator rights
extern const Cleanup kStandardUserCleanup;  // HKEY_CURRENT_USER

// The clean-up of that kind ("regular", "standard", any case); nothing for any other name.
const Cleanup* CleanupOfKind(std::string_view kind);

enum class CleanupOutcome {
  declined,        // the user answered No to the confirmation: nothing changed
  notStarted,      // the undo file could not be written: nothing removed
  allRemoved,      // every row's key is gone, or was absent when the undo file was made
  someNotRemoved,  // a key of some row that failed or was denied may remain
};

struct CleanupRun {
  CleanupOutcome outcome = CleanupOutcome::declined;
  std::string notStartedMessage;  // for notStarted, the message that names the undo file and the reason
  std::string undoFile;           // its full path; empty when none was written
  std::vector<RemovalOutcome> rows;  // in the list's order; none when the clean-up did not start
};

// Writes the undo file into undoFolder, then the banners around the list's rows and where the undo
// file is. When the undo file cannot be written whole, nothing is removed: the report names the
// file and the reason, and so does the message returned, for a stop box.
CleanupRun RunCleanup(const Cleanup& cleanup, const platform::Ports& ports, ReportLog& report,
                      const std::string& undoFolder);
