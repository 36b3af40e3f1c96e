#pragma once
#include "checks/check_context.h"
#include "report/error_text.h"

// Appends the error line of the code (GetErrorText) to the check's report, even when it is empty:
// the report then shows the level prefix alone.
inline void ReportErrorText(CheckContext& ctx, int level, unsigned long code) {
  ctx.report.AppendReportLine(level, GetErrorText(ctx.system, code));
}
