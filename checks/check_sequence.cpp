#include "checks/check_sequence.h"

#include "checks/component_catalogue.h"
#include "checks/component_checks.h"
#include "checks/installation_checks.h"
#include "nettest/server_tests.h"
#include "sysinfo/system_information.h"

namespace {

CheckResult ResultOf(ServerTestFailure failure) {
  switch (failure) {
    case ServerTestFailure::notShttpServer:
      return CheckResult::passed;
    case ServerTestFailure::networkFiltered:
      return CheckResult::networkFiltered;
    case ServerTestFailure::failed:
      break;
  }
  return CheckResult::serverTestFailed;
}

using Section = std::optional<CheckResult> (*)(CheckContext&);

constexpr Section kSections[] = {
    CheckInstallation, CheckProtocolHandlers, CheckInternetOptions, CheckUpdaterComponent, CheckClientComponents,
};

}  // namespace

CheckResult RunChecks(CheckContext& ctx) {
  // The thread's apartment lasts exactly as long as the run, whichever way it returns.
  const platform::ComApartment apartment(ctx.com);
  ReportLog& report = ctx.report;
  report.AppendReportLine(0, "CALYRA Web 7.0 클라이언트 설치 검사를 시작합니다.");
  std::vector<ComponentFinding>& components = report.Found().components;
  components.clear();
  for (const ComponentEntry& entry : ComponentCatalogue) components.emplace_back().name = entry.displayName;
  // Identifies the PC; it never fails, so it stands outside the sections that can end the run.
  ReportSystemInformation(report, ctx);

  for (const Section section : kSections) {
    if (const auto result = section(ctx)) return *result;
  }

  report.BeginReportSection("CALYRA Web 7.0 클라이언트 기능 테스트");
  if (ctx.state.m_strHost.empty()) {
    report.AppendReportLine(0, "Skip Ping test.");
  } else {
    report.AppendReportLine(0, "S-HTTP 서버 동작 테스트");
    report.AppendReportLine(0, "대상 호스트 : " + ctx.state.m_strHost);
    if (const auto failure = RunServerTests(report, ctx.xmlHttp, ctx.state.m_strHost)) return ResultOf(*failure);
  }

  report.AppendReportLine(0, "");
  report.AppendReportLine(0, ReportSeparator);
  report.AppendReportLine(0, "모든 검사가 정상적으로 완료 되었습니다.");
  report.AppendReportLine(0, ReportSeparator);
  report.AppendReportLine(0, "");
  return CheckResult::passed;
}
