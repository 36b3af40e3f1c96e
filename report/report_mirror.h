#pragma once
// Where the report shows while it grows: the dialog's report box. The report log keeps the master
// copy and hands each change on; a run that nobody watches has no mirror.
#include <string_view>

class ReportMirror {
public:
  virtual ~ReportMirror() = default;
  // Empties it.
  virtual void ClearReport() = 0;
  // Adds text at the end, puts the caret after it, scrolls it into view and repaints at once:
  // handlers run without pumping messages.
  virtual void AppendReport(std::string_view text) = 0;
};
