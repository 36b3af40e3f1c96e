#include "nettest/server_tests.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "nettest/http_request.h"

namespace {

constexpr std::int32_t kBufferSize = 1024;
using ResponseBuffer = std::array<char, kBufferSize>;

constexpr std::string_view kNotShttpServer = "테스트 대상 호스트는 S-HTTP 프로토콜을 지원하는 서버가 아닙니다.";

// What a request wrote into the buffer; nothing when its text did not fit, whatever the buffer
// still holds from before.
std::string_view WrittenText(const ResponseBuffer& buffer, std::int32_t writtenLength) {
  if (writtenLength <= 0) return {};
  return {buffer.data(), strnlen(buffer.data(), static_cast<std::size_t>(writtenLength))};
}

class ServerTests {
public:
  ServerTests(ReportLog& report, platform::XmlHttp& xmlHttp, const std::string& host)
      : m_report(report), m_xmlHttp(xmlHttp), m_host(host) {}

  std::optional<ServerTestFailure> HeaderTest();
  std::optional<ServerTestFailure> PingTest();
  std::optional<ServerTestFailure> PostSizeProbe();

  std::int32_t Status() const { return m_status; }

private:
  std::string Request(const std::string& method, const std::string& url, const std::string* body = nullptr) {
    return HttpRequest(m_xmlHttp, method, url, body, &m_status, m_buffer.data(), kBufferSize, &m_writtenLength);
  }
  std::string SendingUrl(std::string_view path) {
    const std::string url = "http://" + m_host + std::string(path);
    m_report.AppendReportLine(2, "Sending URL... : " + url);
    return url;
  }
  ServerTestFailure FailedWithStatus() {
    m_report.AppendReportLine(2, "Test Failed");
    m_report.AppendReportLine(3, "Status Code : " + std::to_string(m_status));
    return ServerTestFailure::failed;
  }

  ReportLog& m_report;
  platform::XmlHttp& m_xmlHttp;
  const std::string& m_host;
  ResponseBuffer m_buffer{};  // zeroed once for all three tests
  std::int32_t m_status = 0;
  std::int32_t m_writtenLength = 0;
};

std::optional<ServerTestFailure> ServerTests::HeaderTest() {
  m_report.AppendReportLine(1, "S-HTTP 서버 헤더 검증");
  m_status = 0;
  const std::string headers = Request("GET", SendingUrl("/shttp/handshake/req_env"));
  if (m_status != 200) {
    m_report.AppendReportLine(2, "Test Failed");
    m_report.AppendReportLine(3, kNotShttpServer);
    return ServerTestFailure::failed;
  }
  // Anywhere in the block, name or value, in this exact case.
  if (headers.find("S-HTTP-Version") == std::string::npos || headers.find("Server-Time") == std::string::npos) {
    m_report.AppendReportLine(2, "Test Failed");
    m_report.AppendReportLine(3, "고객님이 속한 네트워크 장비에서 HTTP Header 필터링을 하고 있습니다.");
    m_report.AppendReportLine(3, "네트워크 관리자에게 " + m_host + " 사이트에 대해서는 HTTP Header 필터링 옵션");
    m_report.AppendReportLine(3, "제거해 달라고 요청 하십시오");
    return ServerTestFailure::networkFiltered;
  }
  m_report.AppendReportLine(2, "S-HTTP 헤더 검증에 성공하였습니다.");
  m_report.AppendReportLine(2, "Test 성공");
  return std::nullopt;
}

std::optional<ServerTestFailure> ServerTests::PingTest() {
  m_report.AppendReportLine(1, "S-HTTP Ping Test");
  m_status = 0;
  Request("GET", SendingUrl("/shttp/ping?1234"));
  switch (m_status) {
    case 200: {
      // Digits have no case: the answer equals "1234" ignoring case only when it is "1234".
      const std::string_view text = WrittenText(m_buffer, m_writtenLength);
      if (text != "1234") return FailedWithStatus();
      m_report.AppendReportLine(2, "수신 데이터 : " + std::string(text));
      m_report.AppendReportLine(2, "Test 성공.");
      return std::nullopt;
    }
    case 998:
      m_report.AppendReportLine(2, kNotShttpServer);
      return ServerTestFailure::notShttpServer;
    case kRequestFailed:
      m_report.AppendReportLine(2, "XML 통신 실패 입니다. XML HTTP 객체가 설치되어 있는지 확인하세요(msxml).");
      return ServerTestFailure::failed;
    default:
      return FailedWithStatus();
  }
}

std::optional<ServerTestFailure> ServerTests::PostSizeProbe() {
  m_report.AppendReportLine(1, "POST 전송 사이즈 제한 검사");
  const std::string url = "http://" + m_host + "/shttp/ping?1234";
  m_status = 0;
  for (int size = 102400; size > 0; size -= size > 10240 ? 10240 : 1024) {
    const std::string kilobytes = std::to_string(size / 1024);
    m_report.AppendReportLine(2, "Sending " + kilobytes + " Kb");
    {
      const std::string body(static_cast<std::size_t>(size), '\x1E');  // freed before the next size's
      Request("POST", url, &body);
    }
    if (m_status == 200) {
      m_report.AppendReportLine(2, "Test 성공");
      m_report.Found().largestUploadKb = size / 1024;
      return std::nullopt;
    }
    m_report.AppendReportLine(2, kilobytes + " Kb 실패");
  }
  m_report.AppendReportLine(
      2, "고객님이 속한 네트워크 장비에서 HTTP Request(또는 업로드) 패킷 사이즈 제한을 하고 있습니다.");
  m_report.AppendReportLine(2, "네트워크 관리자에게 " + m_host + " 사이트에 대해서는 패킷 사이즈 제한을 풀어달라고");
  m_report.AppendReportLine(2, "요청하십시오");
  return ServerTestFailure::networkFiltered;
}

const char* OutcomeName(std::optional<ServerTestFailure> failure) {
  if (!failure) return "passed";
  switch (*failure) {
    case ServerTestFailure::notShttpServer:
      return "notShttpServer";
    case ServerTestFailure::networkFiltered:
      return "networkFiltered";
    case ServerTestFailure::failed:
      break;
  }
  return "failed";
}

}  // namespace

std::optional<ServerTestFailure> RunServerTests(ReportLog& report, platform::XmlHttp& xmlHttp, const std::string& host) {
  static constexpr struct {
    const char* name;
    std::optional<ServerTestFailure> (ServerTests::*run)();
  } kTests[] = {
      {"headers", &ServerTests::HeaderTest},
      {"ping", &ServerTests::PingTest},
      {"postSize", &ServerTests::PostSizeProbe},
  };
  ServerTests tests(report, xmlHttp, host);
  for (const auto& test : kTests) {
    const std::optional<ServerTestFailure> failure = (tests.*test.run)();
    report.Found().serverTests.push_back({test.name, OutcomeName(failure), tests.Status()});
    if (failure) return failure;
  }
  return std::nullopt;
}
