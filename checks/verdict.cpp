#include "checks/verdict.h"

namespace {

// One row per code that gets a verdict; any other code gets none. A code with a repair file gets
// the repair-file line, which names it.
struct VerdictRow {
  CheckResult result;
  std::string_view line = {};
  std::string_view repairFile = {};
  bool blankInQuotes = false;  // the repair-file line quotes the name with a blank after it
  bool removesKillBitKeys = false;
};

constexpr VerdictRow kVerdicts[] = {
    {.result = CheckResult::serverTestFailed, .line = "***** 테스트 실패 : 일반오류 입니다. 사용자 PC의 환경을 확인하세요."},
    {.result = CheckResult::notInstalled, .line = "***** CALYRA Web 7.0 클라이언트를 새로 설치하는 것을 권장합니다."},
    {.result = CheckResult::protocolHandlerBroken, .repairFile = "PROTOCOL_Handler.reg"},
    {.result = CheckResult::updaterNotRegistered, .repairFile = "VelUpdCtl.reg"},
    {.result = CheckResult::interfaceNotRegistered, .repairFile = "VeltoraWebIface_CLSID.reg"},
    {.result = CheckResult::protocolModuleNotRegistered, .repairFile = "VeltoraWebCore_CLSID.reg", .blankInQuotes = true},
    {.result = CheckResult::trayAgentNotRegistered, .repairFile = "VeltoraWebTray_CLSID.reg", .blankInQuotes = true},
    {.result = CheckResult::networkFiltered,
     .line = "***** 테스트 실패 : 네트워크 환경으로 인한 오류 입니다. 네트워크 환경을 확인하세요."},
    {.result = CheckResult::killBitSet,
     .line = "***** 테스트 실패 : 브라우저의 인터넷 설정으로 인하여 CALYRA Web 7.0 클라이언트의 작동이 제한되고 있습니다.",
     .removesKillBitKeys = true},
};

const VerdictRow* RowFor(CheckResult result) {
  for (const VerdictRow& row : kVerdicts) {
    if (row.result == result) return &row;
  }
  return nullptr;
}

// Exactly as the users know it: two of the lines have the blank inside the quotes, after the name,
// and none between the closing quote and the tail; the others the other way round.
std::string RepairFileLine(const VerdictRow& row) {
  std::string line = "***** 생성된 레지스트리 파일 \"";
  line.append(row.repairFile).append(row.blankInQuotes ? " \"" : "\" ");
  return line.append("를 등록하시고 테스트를 새로 진행하시기 바랍니다.");
}

}  // namespace

Verdict VerdictFor(CheckResult result) {
  const VerdictRow* row = RowFor(result);
  if (!row) return {};
  Verdict verdict{row->repairFile, {}, row->removesKillBitKeys};
  verdict.advice.push_back(row->repairFile.empty() ? std::string(row->line) : RepairFileLine(*row));
  return verdict;
}

std::string_view RepairFileName(CheckResult result) {
  const VerdictRow* row = RowFor(result);
  return row ? row->repairFile : std::string_view();
}
