#include "report/report_log.h"

void ReportLog::AppendReportLine(int level, std::string_view text) { AppendReportLine(level, text, {}); }

void ReportLog::AppendReportLine(int level, std::string_view first, std::string_view second) {
  std::string line;
  if (level > 0) {
    line.append(static_cast<std::size_t>(level) * 2, ' ');
    line += "-. ";
  }
  line += first;
  line += second;
  line += "\r\n";
  m_strReport += line;
  // The box already holds everything before this line: sending only the new line keeps the cost
  // of an append independent of the report's size.
  m_view.AppendReport(line);
}

void ReportLog::BeginReportSection(std::string_view title) {
  AppendReportLine(0, "");
  AppendReportLine(0, ReportSeparator);
  AppendReportLine(0, title);
  AppendReportLine(0, ReportSeparator);
  AppendReportLine(0, "");
}

void ReportLog::EndReportSection() {
  AppendReportLine(0, "");
  AppendReportLine(0, "검사 완료");
}

void ReportLog::Clear() {
  m_strReport.clear();
  m_view.ClearReport();
}
