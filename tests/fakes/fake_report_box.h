#pragma once
#include <string>
#include <string_view>

#include "report/report_mirror.h"

// The dialog's report box: the text it shows.
struct FakeReportBox final : ReportMirror {
  std::string text;

  void ClearReport() override { text.clear(); }
  void AppendReport(std::string_view added) override { text += added; }
};
