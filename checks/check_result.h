#pragma once
// The outcome of a check run: which kind of failure ended it. The verdict turns it into advice, the
// repair table into a file, and a run without the dialog into its exit status; the numbers are
// what help desks and their scripts know, so they never change.
#include <string_view>

enum class CheckResult : int {
  serverTestFailed = -1,  // the host is no S-HTTP server, or the request object failed
  passed = 0,             // also: no host, or the ping's status says the host is no S-HTTP server
  notInstalled = 1,       // product key, install folder or a client file missing
  protocolHandlerBroken = 2,
  updaterNotRegistered = 3,
  interfaceNotRegistered = 4,  // the interface DLL or the public-certificate plug-in
  protocolModuleNotRegistered = 5,
  trayAgentNotRegistered = 6,
  networkFiltered = 7,  // headers filtered or request size limited on the way to the host
  killBitSet = 8,
};

struct CheckResultInfo {
  CheckResult result;
  std::string_view name;     // for scripts: stable, ASCII
  std::string_view meaning;  // for people: the usage text
};

// Every result, in the order of their numbers.
inline constexpr CheckResultInfo kCheckResults[] = {
    {CheckResult::serverTestFailed, "serverTestFailed", "서버 테스트 실패"},
    {CheckResult::passed, "passed", "정상"},
    {CheckResult::notInstalled, "notInstalled", "클라이언트 미설치 또는 파일 없음"},
    {CheckResult::protocolHandlerBroken, "protocolHandlerBroken", "프로토콜 핸들러 등록 오류"},
    {CheckResult::updaterNotRegistered, "updaterNotRegistered", "업데이트 컨트롤 등록 오류"},
    {CheckResult::interfaceNotRegistered, "interfaceNotRegistered", "인터페이스 모듈 또는 공인인증서 플러그인 등록 오류"},
    {CheckResult::protocolModuleNotRegistered, "protocolModuleNotRegistered", "프로토콜 모듈 등록 오류"},
    {CheckResult::trayAgentNotRegistered, "trayAgentNotRegistered", "트레이 에이전트 등록 오류"},
    {CheckResult::networkFiltered, "networkFiltered", "네트워크 장비의 헤더 필터링 또는 크기 제한"},
    {CheckResult::killBitSet, "killBitSet", "업데이트 컨트롤의 Kill bit 설정"},
};

constexpr int CodeOf(CheckResult result) { return static_cast<int>(result); }
