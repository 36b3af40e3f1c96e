#include "report/report_log.h"

void ReportLog::AppendReportLine(int level, std::string_view text) { AppendReportLine(level, text, {}); }

void ReportLog::AppendReportLine(int level, std::string_view first, std::string_view second) {
  Write(level, first, second);
  if (m_sections.empty()) m_sections.emplace_back();
  m_sections.back().lines.push_back({level, std::string(first).append(second)});
}

void ReportLog::Write(int level, std::string_view first, std::string_view second) {
  std::string line;
  if (level > 0) {
    line.append(static_cast<std::size_t>(level) * 2, ' ');
    line += "-. ";
  }
  line += first;
  line += second;
  line += "\r\n";
  m_strReport += line;
  // The mirror already holds everything before this line: sending only the new line keeps the cost
  // of an append independent of the report's size.
  if (m_mirror) m_mirror->AppendReport(line);
}

void ReportLog::BeginReportSection(std::string_view title) {
  Write(0, "", {});
  Write(0, ReportSeparator, {});
  Write(0, title, {});
  Write(0, ReportSeparator, {});
  Write(0, "", {});
  m_sections.push_back({std::string(title), {}});
}

void ReportLog::EndReportSection() {
  AppendReportLine(0, "");
  AppendReportLine(0, "검사 완료");
}

void ReportLog::Clear() {
  m_strReport.clear();
  m_sections.clear();
  m_findings = {};
  if (m_mirror) m_mirror->ClearReport();
}
