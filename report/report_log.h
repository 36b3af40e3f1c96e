#pragma once
// The report: one growing text, mirrored line by line in the dialog's report box.
#include <string>
#include <string_view>

#include "platform/dialog_view.h"

class ReportLog {
public:
  explicit ReportLog(platform::DialogView& view) : m_view(view) {}

  // Appends one line: level n >= 1 indents by n times two blanks and "-. "; level 0 or less none.
  void AppendReportLine(int level, std::string_view text);
  void AppendReportLine(int level, std::string_view first, std::string_view second);
  // Empty line, separator, title, separator, empty line.
  void BeginReportSection(std::string_view title);
  // Empty line, "검사 완료".
  void EndReportSection();
  // Empties the report and the box.
  void Clear();

  const std::string& Text() const { return m_strReport; }

private:
  platform::DialogView& m_view;
  std::string m_strReport;  // the master copy; the box only mirrors it
};

inline const std::string ReportSeparator(110, '=');
inline const std::string VerdictSeparator(110, '-');
