#include "session/report_document.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <string>

#include "session/unattended_check.h"
#include "client_fixture.h"

namespace {

using Json = nlohmann::json;

// The fake system hands text on unconverted: only the native build's literals are UTF-8 already.
#ifndef _WIN32

// The report text that the document's sections stand for (docs/report.schema.json).
std::string Rendered(const Json& document) {
  std::string text;
  auto line = [&text](int level, const std::string& body) {
    if (level > 0) text.append(static_cast<std::size_t>(level) * 2, ' ').append("-. ");
    text.append(body).append("\r\n");
  };
  for (const Json& section : document["report"]) {
    if (!section["title"].is_null()) {
      for (const std::string& frame : {std::string(), ReportSeparator, section["title"].get<std::string>(),
                                       ReportSeparator, std::string()}) {
        line(0, frame);
      }
    }
    for (const Json& entry : section["lines"]) line(entry["level"], entry["text"]);
  }
  return text;
}

// Natively, with the schema and a real validator at hand: whether the document is valid by it.
void ExpectValidBySchema(const std::string& bytes) {
#ifdef DIAG_CHECK_DOCUMENT
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() /
      ("report-document-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + ".json");
  std::ofstream(path, std::ios::binary) << bytes;
  const std::string command = std::string(DIAG_CHECK_DOCUMENT) + " validate " + path.string();
  EXPECT_EQ(std::system(command.c_str()), 0) << bytes;
  std::filesystem::remove(path);
#else
  (void)bytes;
#endif
}

struct ReportDocument : testing::Test, ClientFixture {
  ReportOnlyView withHost{"127.0.0.1:8080"};
  DiagSession checking{ports, withHost};

  Json Document(const std::string& path = R"(C:\out\pc.json)", std::optional<int> exitStatus = 0) {
    EXPECT_EQ(checking.SaveDocumentTo(path, exitStatus), "");
    const std::string& bytes = files.outputFiles[path];
    ExpectValidBySchema(bytes);
    return Json::parse(bytes);
  }
};

TEST_F(ReportDocument, HoldsTheRunItsFindingsAndEveryLineOfTheReport) {
  EXPECT_EQ(checking.OnStartCheck(), CheckResult::passed);
  const Json document = Document();

  EXPECT_EQ(document["schemaVersion"], kReportSchemaVersion);
  EXPECT_EQ(document["tool"]["name"], "MendrelDiag");
  EXPECT_EQ(document["computerName"], "HELPDESK-PC");
  EXPECT_EQ(document["startTime"], "2026-12-10T09:05:07+09:00");
  EXPECT_EQ(document["host"], "127.0.0.1:8080");
  EXPECT_EQ(document["result"], Json::parse(R"({"code": 0, "name": "passed", "verdict": null})"));
  EXPECT_EQ(Rendered(document), checking.Report().Text());

  const Json& found = document["findings"];
  EXPECT_EQ(found["adapters"], Json::parse(R"([{"ip": "192.168.10.20", "mac": "525400123456", "gateway": "192.168.10.1"}])"));
  EXPECT_EQ(found["volumeSerial"], "1C2D3E4F");
  EXPECT_EQ(found["installFolder"], client::kInstallDir);
  EXPECT_EQ(found["protocolHandlerRegistered"], true);
  EXPECT_EQ(found["killBitSet"], false);
  EXPECT_EQ(found["components"][2], Json({{"name", "VeltoraWebCore.dll"},
                                          {"foundPath", client::kInstallDir + R"(\VeltoraWebCore.dll)"},
                                          {"registeredPath", client::kInstallDir + R"(\VeltoraWebCore.dll)"},
                                          {"fileVersion", "7.0.2.0"},
                                          {"objectCreated", true}}));
  // Kept without a registration: found and its version read, no object to create.
  EXPECT_EQ(found["components"][3]["fileVersion"], "7.0.0.1");
  EXPECT_TRUE(found["components"][3]["objectCreated"].is_null());
  EXPECT_EQ(found["serverTests"].size(), 3u);
  EXPECT_EQ(found["serverTests"][2], Json({{"name", "postSize"}, {"outcome", "passed"}, {"status", 200}}));
  EXPECT_EQ(found["largestUploadKb"], 100);
}

TEST_F(ReportDocument, UnreadableMachineValuesAreNullAndTheDocumentStillValidates) {
  ipHelper.failedReads = {0, 1};  // the list sized, then not read
  volumes.serials.clear();        // no volume answers; no disk answers at all in the fakes
  system.now.utcOffsetMinutes.reset();
  system.computerName.clear();
  files.RemoveFile(client::kInstallDir + R"(\VeltoraWebLang.dll)");
  files.AddFile(client::kInstallDir + R"(\VeltoraWebLang.dll)", 40000);  // without a version resource
  checking.OnStartCheck();
  const Json document = Document();

  const Json& found = document["findings"];
  for (const char* key : {"adapters", "proxy", "diskSerial", "volumeSerial"}) EXPECT_TRUE(found[key].is_null()) << key;
  EXPECT_TRUE(found["components"][3]["fileVersion"].is_null());
  EXPECT_TRUE(document["startTime"].is_null());
  EXPECT_TRUE(document["computerName"].is_null());
  // The report still shows its zeros and empty values, unchanged.
  EXPECT_EQ(Rendered(document), checking.Report().Text());
}

TEST_F(ReportDocument, AFailedRunNamesItsResultVerdictAdviceAndRepairFile) {
  registry.DeleteKey(platform::kClassesRoot, client::ServerKey(client::kCoreClass, "InprocServer32"));
  EXPECT_EQ(checking.OnStartCheck(), CheckResult::protocolModuleNotRegistered);
  const Json document = Document(R"(C:\out\pc.json)", 5);

  EXPECT_EQ(document["result"]["code"], 5);
  EXPECT_EQ(document["result"]["name"], "protocolModuleNotRegistered");
  const Json& found = document["findings"];
  EXPECT_EQ(document["result"]["verdict"], found["advice"][0]);
  EXPECT_TRUE(found["advice"][0].get<std::string>().starts_with("***** 생성된 레지스트리 파일 \"VeltoraWebCore_CLSID.reg"));
  EXPECT_EQ(found["repairFiles"], Json::array({R"(C:\work\VeltoraWebCore_CLSID.reg)"}));
  EXPECT_TRUE(found["components"][2]["registeredPath"].is_null());
  EXPECT_TRUE(found["components"][4]["foundPath"].is_null());  // never reached
  EXPECT_TRUE(found["serverTests"].empty());
}

// A byte that is no UTF-8 costs its own text, never the document.
TEST_F(ReportDocument, AByteThatIsNoUtf8ShowsAsAReplacementCharacter) {
  checking.OnStartCheck();
  checking.EndReportWith("serial \xB0\xA1");
  EXPECT_EQ(checking.SaveDocumentTo("pc.json"), "");
  const Json document = Json::parse(files.outputFiles.at("pc.json"));
  EXPECT_EQ(document["report"].back()["lines"].back()["text"], "serial \uFFFD\uFFFD");
}

// The system menu's save: the JSON type writes the document, under the name with its own ending.
TEST_F(ReportDocument, TheSaveAsJsonTypeWritesTheDocument) {
  view.answers = {true};
  session.OnStartCheck();
  view.chosenFile = R"(C:\Users\me\Documents\pc.txt)";
  view.chosenFileType = kJsonFileType;
  session.OnSaveReport();
  EXPECT_TRUE(view.errors.empty());
  EXPECT_FALSE(files.outputFiles.contains(R"(C:\Users\me\Documents\pc.txt)"));
  const Json document = Json::parse(files.outputFiles.at(R"(C:\Users\me\Documents\pc.json)"));
  EXPECT_TRUE(document["exitStatus"].is_null());
  EXPECT_EQ(Rendered(document), session.Report().Text());

  // A document of that name already there is replaced only after the user agreed: the dialog's own
  // question was about the .txt name.
  files.AddFile(R"(C:\Users\me\Documents\old.json)");
  view.chosenFile = R"(C:\Users\me\Documents\old.txt)";
  session.OnSaveReport();
  EXPECT_EQ(view.questions.back(), R"(C:\Users\me\Documents\old.json 파일이 이미 있습니다. 바꾸시겠습니까?)");
  EXPECT_EQ(view.asked.back(), Question::replaceFile);
  EXPECT_FALSE(files.outputFiles.contains(R"(C:\Users\me\Documents\old.json)"));
}

// A clean-up's document: each row with its key, code, tag and what became of the key, and the undo
// file; a fleet asks it which PCs still hold keys. Saved after a clean-up, the document is the
// clean-up's, never a check's old result beside its lines.
TEST_F(ReportDocument, ACleanupsDocumentTellsEachRowAndTheUndoFile) {
  checking.OnStartCheck();
  const std::string product = R"(SOFTWARE\Veltora\CALYRAWebV7)";
  registry.CreateKey(platform::kCurrentUser, product + R"(\Inner)");
  ReportOnlyView confirmed("", Question::cleanupStandard);
  DiagSession cleaning(ports, confirmed);
  CommandLine command;
  command.mode = CommandLine::Mode::cleanup;
  command.cleanup = &kStandardUserCleanup;
  command.outPath = R"(C:\out\r.txt)";
  command.jsonPath = R"(C:\out\r.json)";
  std::string failure;
  ASSERT_EQ(RunUnattendedCleanup(cleaning, command, &failure), 0);
  const std::string& bytes = files.outputFiles[R"(C:\out\r.json)"];
  ExpectValidBySchema(bytes);
  const Json document = Json::parse(bytes);

  EXPECT_EQ(document["kind"], "cleanup");
  EXPECT_EQ(document["exitStatus"], 0);
  EXPECT_FALSE(document.contains("result"));
  EXPECT_EQ(Rendered(document), cleaning.Report().Text());
  const Json& cleanup = document["cleanup"];
  EXPECT_EQ(cleanup["list"], "standard");
  EXPECT_EQ(cleanup["started"], true);
  EXPECT_EQ(cleanup["undoFile"], R"(C:\out\MendrelDiag-undo-standard-HELPDESK-PC-20261210-090507.reg)");
  ASSERT_EQ(cleanup["rows"].size(), 59u);
  std::map<std::string, Json> byKey;
  for (const Json& row : cleanup["rows"]) byKey[row["key"]] = row;
  EXPECT_EQ(byKey[R"(HKEY_CURRENT_USER\SOFTWARE\Veltora\CALYRAWebV7)"],
            Json::parse(R"({"number": 59, "key": "HKEY_CURRENT_USER\\SOFTWARE\\Veltora\\CALYRAWebV7", "code": 0,
                           "tag": "[성공]", "state": "gone"})"));
  EXPECT_EQ(byKey[R"(HKEY_CURRENT_USER\SOFTWARE\Classes\VelProto.ProtoModule.1)"]["state"], "absent");
}

TEST_F(ReportDocument, ACleanupThatDidNotStartHasNoUndoFileAndNoRows) {
  registry.CreateKey(platform::kCurrentUser, R"(SOFTWARE\Veltora\CALYRAWebV7)");
  files.moveErrors[R"(C:\out\MendrelDiag-undo-standard-HELPDESK-PC-20261210-090507.reg)"] = 5;
  ReportOnlyView confirmed("", Question::cleanupStandard);
  DiagSession cleaning(ports, confirmed);
  cleaning.RunCleanupBeside(kStandardUserCleanup, R"(C:\out\r.txt)");
  ASSERT_EQ(cleaning.SaveDocumentTo(R"(C:\out\r.json)", 12), "");
  const std::string& bytes = files.outputFiles[R"(C:\out\r.json)"];
  ExpectValidBySchema(bytes);
  const Json document = Json::parse(bytes);
  EXPECT_EQ(document["cleanup"], Json::parse(R"({"list": "standard", "started": false, "undoFile": null, "rows": []})"));
  EXPECT_EQ(Rendered(document), cleaning.Report().Text());
}
#endif

TEST(IsoTimeTest, CarriesTheOffsetEitherSideOfUtc) {
  EXPECT_EQ(IsoTime({2026, 1, 2, 3, 4, 5, 540}), "2026-01-02T03:04:05+09:00");
  EXPECT_EQ(IsoTime({2026, 1, 2, 3, 4, 5, -210}), "2026-01-02T03:04:05-03:30");
  EXPECT_EQ(IsoTime({2026, 1, 2, 3, 4, 5, 0}), "2026-01-02T03:04:05+00:00");
  EXPECT_EQ(IsoTime({2026, 1, 2, 3, 4, 5, std::nullopt}), std::nullopt);
}

}  // namespace
