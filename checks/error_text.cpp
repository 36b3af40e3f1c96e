#include "checks/error_text.h"

std::string GetErrorText(platform::System& system, unsigned long code) {
  const std::string text = system.MessageText(code);
  return text.empty() ? std::string() : "에러 메세지 : " + text;
}

void ReportErrorText(CheckContext& ctx, int level, unsigned long code) {
  ctx.report.AppendReportLine(level, GetErrorText(ctx.system, code));
}
