// The three tests against the host: their lines, levels and codes over a scripted request object.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "client_fixture.h"
#include "fakes/fake_xml_http.h"
#include "nettest/server_tests.h"

namespace {

using Answer = FakeXmlHttp::Answer;
using Script = std::function<Answer(const std::string& method, const std::string& url)>;

constexpr char kHost[] = "127.0.0.1:8080";
const std::string kHandshakeUrl = "http://127.0.0.1:8080/shttp/handshake/req_env";

constexpr std::string_view kHeaderStart = R"(  -. S-HTTP 서버 헤더 검증
    -. Sending URL... : http://127.0.0.1:8080/shttp/handshake/req_env
)";
constexpr std::string_view kPingStart = R"(  -. S-HTTP 서버 헤더 검증
    -. Sending URL... : http://127.0.0.1:8080/shttp/handshake/req_env
    -. S-HTTP 헤더 검증에 성공하였습니다.
    -. Test 성공
  -. S-HTTP Ping Test
    -. Sending URL... : http://127.0.0.1:8080/shttp/ping?1234
)";
const std::string kProbeStart = std::string(kPingStart) + R"(    -. 수신 데이터 : 1234
    -. Test 성공.
  -. POST 전송 사이즈 제한 검사
)";

constexpr int kSizesInKb[] = {100, 90, 80, 70, 60, 50, 40, 30, 20, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1};

std::string FailedProbeLines() {
  std::string lines;
  for (const int kb : kSizesInKb) {
    lines += "    -. Sending " + std::to_string(kb) + " Kb\n";
    lines += "    -. " + std::to_string(kb) + " Kb 실패\n";
  }
  return lines + R"(    -. 고객님이 속한 네트워크 장비에서 HTTP Request(또는 업로드) 패킷 사이즈 제한을 하고 있습니다.
    -. 네트워크 관리자에게 127.0.0.1:8080 사이트에 대해서는 패킷 사이즈 제한을 풀어달라고
    -. 요청하십시오
)";
}

// A healthy server except for the one answer the script changes.
Script HandshakeAnswers(Answer answer) {
  return [answer](const std::string&, const std::string& url) {
    return url == kHandshakeUrl ? answer : FakeXmlHttp::HealthyAnswer();
  };
}
Script PingAnswers(Answer answer) {
  return [answer](const std::string& method, const std::string& url) {
    return method == "GET" && url != kHandshakeUrl ? answer : FakeXmlHttp::HealthyAnswer();
  };
}
Script PostAnswers(Answer answer) {
  return [answer](const std::string& method, const std::string&) {
    return method == "POST" ? answer : FakeXmlHttp::HealthyAnswer();
  };
}

struct ServerTestsFixture {
  ReportLog report;
  FakeXmlHttp xmlHttp;

  std::optional<ServerTestFailure> RunTests() { return RunServerTests(report, xmlHttp, kHost); }
};

struct FailureRow {
  const char* name;
  Script script;
  std::string_view start;
  std::string tail;
  ServerTestFailure result;
};

class ServerTestEnds : public testing::TestWithParam<FailureRow>, protected ServerTestsFixture {};

TEST_P(ServerTestEnds, WritesItsLinesAndEndsWithItsCode) {
  xmlHttp.script = GetParam().script;
  EXPECT_EQ(RunTests(), GetParam().result);
  EXPECT_EQ(report.Text(), Transcript(std::string(GetParam().start) + GetParam().tail));
  EXPECT_EQ(xmlHttp.created, xmlHttp.released);
}

const std::string kNotShttp = "    -. Test Failed\n      -. 테스트 대상 호스트는 S-HTTP 프로토콜을 지원하는 서버가 아닙니다.\n";
const std::string kFiltering = R"(    -. Test Failed
      -. 고객님이 속한 네트워크 장비에서 HTTP Header 필터링을 하고 있습니다.
      -. 네트워크 관리자에게 127.0.0.1:8080 사이트에 대해서는 HTTP Header 필터링 옵션
      -. 제거해 달라고 요청 하십시오
)";

INSTANTIATE_TEST_SUITE_P(
    Table, ServerTestEnds,
    testing::Values(
        FailureRow{"HandshakeNotFound", HandshakeAnswers({.status = 404, .headers = "S-HTTP-Version: 1\r\nServer-Time: 1\r\n"}),
                   kHeaderStart, kNotShttp, ServerTestFailure::failed},
        FailureRow{"HandshakeNotSent", HandshakeAnswers({.failAt = FakeXmlHttp::FailAt::send}), kHeaderStart,
                   kNotShttp, ServerTestFailure::failed},
        FailureRow{"VersionHeaderMissing", HandshakeAnswers({.headers = "Server-Time: 1\r\n"}), kHeaderStart,
                   kFiltering, ServerTestFailure::networkFiltered},
        FailureRow{"TimeHeaderMissing", HandshakeAnswers({.headers = "S-HTTP-Version: 1\r\n"}), kHeaderStart,
                   kFiltering, ServerTestFailure::networkFiltered},
        FailureRow{"HeadersInLowerCase", HandshakeAnswers({.headers = "s-http-version: 1\r\nserver-time: 1\r\n"}),
                   kHeaderStart, kFiltering, ServerTestFailure::networkFiltered},
        FailureRow{"PingOtherText", PingAnswers({.text = "4321"}), kPingStart,
                   "    -. Test Failed\n      -. Status Code : 200\n", ServerTestFailure::failed},
        FailureRow{"PingWithLineBreak", PingAnswers({.text = "1234\r\n"}), kPingStart,
                   "    -. Test Failed\n      -. Status Code : 200\n", ServerTestFailure::failed},
        // The handshake left "1234" in the buffer; an echo too long for it must not pass for that.
        FailureRow{"PingTooLongForTheBuffer",
                   [](const std::string& method, const std::string& url) {
                     Answer answer = FakeXmlHttp::HealthyAnswer();
                     if (method == "GET" && url != kHandshakeUrl) answer.text = "1234" + std::string(1100, ' ');
                     return answer;
                   },
                   kPingStart, "    -. Test Failed\n      -. Status Code : 200\n", ServerTestFailure::failed},
        FailureRow{"Ping998", PingAnswers({.status = 998}), kPingStart,
                   "    -. 테스트 대상 호스트는 S-HTTP 프로토콜을 지원하는 서버가 아닙니다.\n", ServerTestFailure::notShttpServer},
        FailureRow{"PingNotSent", PingAnswers({.failAt = FakeXmlHttp::FailAt::open}), kPingStart,
                   "    -. XML 통신 실패 입니다. XML HTTP 객체가 설치되어 있는지 확인하세요(msxml).\n", ServerTestFailure::failed},
        FailureRow{"Ping500", PingAnswers({.status = 500, .text = "1234"}), kPingStart,
                   "    -. Test Failed\n      -. Status Code : 500\n", ServerTestFailure::failed},
        FailureRow{"EveryPostRefused", PostAnswers({.status = 413}), kProbeStart, FailedProbeLines(), ServerTestFailure::networkFiltered}),
    [](const auto& row) { return std::string(row.param.name); });

class ServerTests : public testing::Test, protected ServerTestsFixture {};

TEST_F(ServerTests, HealthyServerPassesAtTheFirstSize) {
  EXPECT_EQ(RunTests(), std::nullopt);
  EXPECT_EQ(report.Text(), Transcript(kProbeStart + "    -. Sending 100 Kb\n    -. Test 성공\n"));
  ASSERT_EQ(xmlHttp.sent.size(), 3u);
  EXPECT_EQ(xmlHttp.sent[0].url, kHandshakeUrl);
  EXPECT_EQ(xmlHttp.sent[1].url, "http://127.0.0.1:8080/shttp/ping?1234");
  EXPECT_EQ(xmlHttp.sent[2].method, "POST");
  EXPECT_EQ(xmlHttp.sent[2].url, "http://127.0.0.1:8080/shttp/ping?1234");
  EXPECT_EQ(xmlHttp.sent[2].bodySize, 102400u);
}

TEST_F(ServerTests, ProbeTriesEverySizeDownTo1KbWithABodyOfThatSize) {
  xmlHttp.script = PostAnswers({.failAt = FakeXmlHttp::FailAt::send});
  EXPECT_EQ(RunTests(), ServerTestFailure::networkFiltered);
  std::vector<std::optional<std::size_t>> bodies;
  for (const auto& sent : xmlHttp.sent) bodies.push_back(sent.bodySize);
  std::vector<std::optional<std::size_t>> expected = {std::nullopt, std::nullopt};
  for (const int kb : kSizesInKb) expected.push_back(static_cast<std::size_t>(kb) * 1024);
  EXPECT_EQ(bodies, expected);
}

TEST_F(ServerTests, PassAt60KbAfterTheLargerSizesFailed) {
  int posts = 0;
  xmlHttp.script = [&posts](const std::string& method, const std::string&) {
    Answer answer = FakeXmlHttp::HealthyAnswer();
    if (method == "POST" && ++posts <= 4) answer.status = 413;
    return answer;
  };
  EXPECT_EQ(RunTests(), std::nullopt);
  EXPECT_EQ(report.Text(), Transcript(kProbeStart + R"(    -. Sending 100 Kb
    -. 100 Kb 실패
    -. Sending 90 Kb
    -. 90 Kb 실패
    -. Sending 80 Kb
    -. 80 Kb 실패
    -. Sending 70 Kb
    -. 70 Kb 실패
    -. Sending 60 Kb
    -. Test 성공
)"));
  EXPECT_EQ(xmlHttp.sent.back().bodySize, 60u * 1024);
}

TEST_F(ServerTests, HeaderNamesAreFoundAnywhereInTheBlock) {
  xmlHttp.script = HandshakeAnswers({.headers = "X-Note: S-HTTP-VersionServer-Time\r\n"});
  EXPECT_EQ(RunTests(), std::nullopt);
  EXPECT_NE(report.Text().find("S-HTTP 헤더 검증에 성공하였습니다."), std::string::npos);
}

}  // namespace
