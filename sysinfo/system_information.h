#pragma once
// The report section that identifies the PC: network addresses, proxy, disk and volume serials.
#include "platform/ports.h"
#include "report/report_log.h"

// Only reports: what a reader cannot obtain shows as an empty value.
void ReportSystemInformation(ReportLog& report, const platform::Ports& ports);
