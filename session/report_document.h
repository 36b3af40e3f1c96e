#pragma once
// The report as data: one JSON document per run, for help desks that collect many PCs' runs with
// their own tools. Built from the run's report log alone (its lines and findings), never by a
// second diagnosis; docs/report.schema.json describes it.
#include <optional>
#include <string>

#include "checks/check_result.h"
#include "platform/system.h"
#include "repair/cleanup_lists.h"
#include "report/report_log.h"

inline constexpr int kReportSchemaVersion = 1;

// What the document says about the run besides its report.
struct RunRecord {
  std::string computerName;  // empty: unknown
  platform::LocalTime started;
  std::string host;                   // empty: none given
  std::optional<CheckResult> result;  // none: the run ended before its result
  std::optional<int> exitStatus;      // a run without the dialog: its exit status
};

// The document's bytes: UTF-8, no byte-order mark.
std::string ReportDocumentBytes(const RunRecord& run, const ReportLog& report);

// The document of a clean-up ("kind": "cleanup"): its list, each row with its key, code, tag and
// what became of the key, and the undo file, beside the run's report. run.host and run.result are
// not its own.
std::string CleanupDocumentBytes(const RunRecord& run, const Cleanup& cleanup, const CleanupRun& outcome,
                                 const ReportLog& report);

// The start time as ISO 8601 with its UTC offset ("2026-12-10T09:05:07+09:00"); nothing without the
// offset.
std::optional<std::string> IsoTime(const platform::LocalTime& time);
