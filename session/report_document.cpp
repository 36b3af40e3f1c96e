#include "session/report_document.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "checks/component_catalogue.h"

namespace {

using Json = nlohmann::ordered_json;

template <typename T>
Json Value(const std::optional<T>& value) {
  return value ? Json(*value) : Json(nullptr);
}

Json FindingsJson(const Findings& found) {
  Json adapters = nullptr;
  if (found.adapters) {
    adapters = Json::array();
    for (const AdapterFinding& adapter : *found.adapters) {
      adapters.push_back({{"ip", adapter.ip}, {"mac", adapter.mac}, {"gateway", Value(adapter.gateway)}});
    }
  }
  // Every component has its place, also before any check run has named them.
  std::vector<ComponentFinding> listed = found.components;
  listed.resize(kComponentCount);
  Json components = Json::array();
  for (const ComponentFinding& component : listed) {
    components.push_back({{"name", component.name},
                          {"foundPath", Value(component.foundPath)},
                          {"registeredPath", Value(component.registeredPath)},
                          {"fileVersion", Value(component.fileVersion)},
                          {"objectCreated", Value(component.objectCreated)}});
  }
  Json serverTests = Json::array();
  for (const ServerTestFinding& test : found.serverTests) {
    serverTests.push_back({{"name", test.name}, {"outcome", test.outcome}, {"status", test.status}});
  }
  return {{"adapters", std::move(adapters)},
          {"proxy", Value(found.proxy)},
          {"diskSerial", Value(found.diskSerial)},
          {"volumeSerial", Value(found.volumeSerial)},
          {"installFolder", Value(found.installFolder)},
          {"protocolHandlerRegistered", Value(found.protocolHandlerRegistered)},
          {"killBitSet", Value(found.killBitSet)},
          {"components", std::move(components)},
          {"serverTests", std::move(serverTests)},
          {"largestUploadKb", Value(found.largestUploadKb)},
          {"advice", found.advice},
          {"repairFiles", found.repairFiles}};
}

Json SectionsJson(const std::vector<ReportSection>& sections) {
  Json list = Json::array();
  for (const ReportSection& section : sections) {
    Json lines = Json::array();
    for (const ReportLine& line : section.lines) lines.push_back({{"level", line.level}, {"text", line.text}});
    list.push_back({{"title", Value(section.title)}, {"lines", std::move(lines)}});
  }
  return list;
}

Json ResultJson(const RunRecord& run, const Findings& found) {
  if (!run.result) return nullptr;
  const CheckResultInfo* info = std::find_if(std::begin(kCheckResults), std::end(kCheckResults),
                                             [&](const CheckResultInfo& r) { return r.result == *run.result; });
  return {{"code", CodeOf(*run.result)},
          {"name", std::string(info->name)},
          {"verdict", found.advice.empty() ? Json(nullptr) : Json(found.advice.front())}};
}

std::optional<std::string> NonEmpty(const std::string& text) {
  return text.empty() ? std::nullopt : std::optional(text);
}

}  // namespace

std::optional<std::string> IsoTime(const platform::LocalTime& time) {
  if (!time.utcOffsetMinutes) return std::nullopt;
  const int offset = *time.utcOffsetMinutes;
  const int minutes = std::abs(offset);
  char text[40];
  std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u%c%02d:%02d", time.year % 10000, time.month % 100,
                time.day % 100, time.hour % 100, time.minute % 100, time.second % 100, offset < 0 ? '-' : '+',
                minutes / 60 % 100, minutes % 60);
  return text;
}

namespace {

// What every kind of document begins with.
Json DocumentHead(std::string_view kind, const RunRecord& run) {
  return {
      {"schemaVersion", kReportSchemaVersion},
      {"kind", kind},
      {"tool", {{"name", "MendrelDiag"}, {"version", DIAG_VERSION}, {"build", sizeof(void*) == 8 ? "x64" : "x86"}}},
      {"computerName", Value(NonEmpty(run.computerName))},
      {"startTime", Value(IsoTime(run.started))},
  };
}

std::string Bytes(const Json& document) {
  // Every text arrives in UTF-8 from the platform's edge; should one byte slip through that does
  // not, it shows as U+FFFD rather than losing the whole document.
  return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::string_view StateName(RemovalOutcome::State state) {
  switch (state) {
    case RemovalOutcome::State::gone:
      return "gone";
    case RemovalOutcome::State::remains:
      return "remains";
    case RemovalOutcome::State::absent:
      break;
  }
  return "absent";
}

}  // namespace

std::string ReportDocumentBytes(const RunRecord& run, const ReportLog& report) {
  Json document = DocumentHead("check", run);
  document["host"] = Value(NonEmpty(run.host));
  document["exitStatus"] = Value(run.exitStatus);
  document["result"] = ResultJson(run, report.Found());
  document["findings"] = FindingsJson(report.Found());
  document["report"] = SectionsJson(report.Sections());
  return Bytes(document);
}

std::string CleanupDocumentBytes(const RunRecord& run, const Cleanup& cleanup, const CleanupRun& outcome,
                                 const ReportLog& report) {
  Json rows = Json::array();
  for (std::size_t i = 0; i < outcome.rows.size(); ++i) {
    const RemovalOutcome& row = outcome.rows[i];
    rows.push_back({{"number", i + 1},
                    {"key", row.key},
                    {"code", row.code},
                    {"tag", RemovalTag(row.code)},
                    {"state", StateName(row.state)}});
  }
  Json document = DocumentHead("cleanup", run);
  document["exitStatus"] = Value(run.exitStatus);
  document["cleanup"] = {{"list", cleanup.kind},
                         {"started", outcome.outcome != CleanupOutcome::notStarted},
                         {"undoFile", Value(NonEmpty(outcome.undoFile))},
                         {"rows", std::move(rows)}};
  document["report"] = SectionsJson(report.Sections());
  return Bytes(document);
}
