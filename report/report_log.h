#pragma once
// The report: one growing text, mirrored line by line in the dialog's report box.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/findings.h"
#include "report/report_mirror.h"

struct ReportLine {
  int level;
  std::string text;  // without the level's indent
};

// The lines from one section heading to the next; the first section has no heading. A heading
// stands for its frame: empty line, separator, title, separator, empty line.
struct ReportSection {
  std::optional<std::string> title;
  std::vector<ReportLine> lines;
};

class ReportLog {
public:
  // A report that nobody watches while it grows.
  ReportLog() = default;
  // A report shown in mirror as it grows.
  explicit ReportLog(ReportMirror& mirror) : m_mirror(&mirror) {}

  // Appends one line: level n >= 1 indents by n times two blanks and "-. "; level 0 or less none.
  void AppendReportLine(int level, std::string_view text);
  void AppendReportLine(int level, std::string_view first, std::string_view second);
  // Empty line, separator, title, separator, empty line.
  void BeginReportSection(std::string_view title);
  // Empty line, "검사 완료".
  void EndReportSection();
  // Empties the report, its findings and the mirror.
  void Clear();

  const std::string& Text() const { return m_strReport; }
  // The same lines, by section and level.
  const std::vector<ReportSection>& Sections() const { return m_sections; }
  // What the run found, recorded by whoever writes the lines about it.
  Findings& Found() { return m_findings; }
  const Findings& Found() const { return m_findings; }

private:
  void Write(int level, std::string_view first, std::string_view second);

  ReportMirror* m_mirror = nullptr;
  std::string m_strReport;  // the master copy; the mirror only shows it
  std::vector<ReportSection> m_sections;
  Findings m_findings;
};

inline const std::string ReportSeparator(110, '=');
inline const std::string VerdictSeparator(110, '-');
