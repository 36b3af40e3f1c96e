#include "app/report_document.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::ordered_json;

struct ConversionFailed {
  long status;
};

// The one place where the document's texts leave the ANSI code page. ASCII is the same in every
// code page and needs no trip through the system.
std::string Utf8Text(platform::System& system, const std::string& ansi) {
  if (std::all_of(ansi.begin(), ansi.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) return ansi;
  std::string utf8;
  if (const long status = system.AnsiToUtf8(ansi, &utf8)) throw ConversionFailed{status};
  return utf8;
}

class DocumentBuilder {
public:
  explicit DocumentBuilder(platform::System& system) : m_system(system) {}

  Json Text(const std::string& ansi) const { return Utf8Text(m_system, ansi); }
  Json Text(const std::optional<std::string>& ansi) const { return ansi ? Text(*ansi) : Json(nullptr); }
  template <typename T>
  static Json Value(const std::optional<T>& value) {
    return value ? Json(*value) : Json(nullptr);
  }
  Json Texts(const std::vector<std::string>& texts) const {
    Json list = Json::array();
    for (const std::string& text : texts) list.push_back(Text(text));
    return list;
  }

  Json Findings(const ::Findings& found) const {
    Json adapters = nullptr;
    if (found.adapters) {
      adapters = Json::array();
      for (const AdapterFinding& adapter : *found.adapters) {
        adapters.push_back({{"ip", Text(adapter.ip)}, {"mac", Text(adapter.mac)}, {"gateway", Text(adapter.gateway)}});
      }
    }
    Json components = Json::array();
    for (const ComponentFinding& component : found.components) {
      components.push_back({{"name", Text(component.name)},
                            {"foundPath", Text(component.foundPath)},
                            {"registeredPath", Text(component.registeredPath)},
                            {"fileVersion", Text(component.fileVersion)},
                            {"objectCreated", Value(component.objectCreated)}});
    }
    Json serverTests = Json::array();
    for (const ServerTestFinding& test : found.serverTests) {
      serverTests.push_back({{"name", test.name}, {"outcome", test.outcome}, {"status", test.status}});
    }
    return {{"adapters", std::move(adapters)},
            {"proxy", Text(found.proxy)},
            {"diskSerial", Text(found.diskSerial)},
            {"volumeSerial", Text(found.volumeSerial)},
            {"installFolder", Text(found.installFolder)},
            {"protocolHandlerRegistered", Value(found.protocolHandlerRegistered)},
            {"killBitSet", Value(found.killBitSet)},
            {"components", std::move(components)},
            {"serverTests", std::move(serverTests)},
            {"largestUploadKb", Value(found.largestUploadKb)},
            {"advice", Texts(found.advice)},
            {"repairFiles", Texts(found.repairFiles)}};
  }

  Json Sections(const std::vector<ReportSection>& sections) const {
    Json list = Json::array();
    for (const ReportSection& section : sections) {
      Json lines = Json::array();
      for (const ReportLine& line : section.lines) lines.push_back({{"level", line.level}, {"text", Text(line.text)}});
      list.push_back({{"title", Text(section.title)}, {"lines", std::move(lines)}});
    }
    return list;
  }

  Json Result(const RunRecord& run, const ::Findings& found) const {
    if (!run.result) return nullptr;
    const CheckResultInfo* info = std::find_if(std::begin(kCheckResults), std::end(kCheckResults),
                                               [&](const CheckResultInfo& r) { return r.result == *run.result; });
    return {{"code", CodeOf(*run.result)},
            {"name", std::string(info->name)},
            {"verdict", found.advice.empty() ? Json(nullptr) : Text(found.advice.front())}};
  }

private:
  platform::System& m_system;
};

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

long ReportDocumentBytes(platform::System& system, const RunRecord& run, const ReportLog& report, std::string* bytes) {
  bytes->clear();
  const DocumentBuilder build(system);
  try {
    const Json document = {
        {"schemaVersion", kReportSchemaVersion},
        {"tool", {{"name", "MendrelDiag"}, {"version", DIAG_VERSION}, {"build", sizeof(void*) == 8 ? "x64" : "x86"}}},
        {"computerName", build.Text(NonEmpty(run.computerName))},
        {"startTime", DocumentBuilder::Value(IsoTime(run.started))},
        {"host", build.Text(NonEmpty(run.host))},
        {"exitStatus", DocumentBuilder::Value(run.exitStatus)},
        {"result", build.Result(run, report.Found())},
        {"findings", build.Findings(report.Found())},
        {"report", build.Sections(report.Sections())},
    };
    *bytes = document.dump(2) + "\n";
  } catch (const ConversionFailed& failure) {
    return failure.status;
  }
  return 0;
}
