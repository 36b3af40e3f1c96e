// HttpRequest over the platform's own XML HTTP object, against the S-HTTP simulators that
// tests/wine/with-shttp-sim runs on 127.0.0.1.
#include "nettest/http_request.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/win32/win32_com.h"
#include "platform/win32/win32_xml_http.h"

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

class HttpRequestTest : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_com.Initialize());
    ASSERT_FALSE(Environment("SHTTP_SIM_HOST").empty() || Environment("SHTTP_SIM_BROKEN_HOST").empty())
        << "run through tests/wine/with-shttp-sim";
  }
  void TearDown() override { m_com.Uninitialize(); }

  std::string Request(const std::string& method, const std::string& url, const std::string* body = nullptr) {
    return HttpRequest(m_xmlHttp, method, url, body, &status, buffer.data(), 1024, &written);
  }

  // The simulator's record of the requests it received: "METHOD TARGET BODY-LENGTH[ BYTES]".
  static std::vector<std::string> Received() {
    std::ifstream log(Environment("SHTTP_SIM_LOG"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);) lines.push_back(line);
    return lines;
  }

  const std::string healthy = "http://" + Environment("SHTTP_SIM_HOST");
  const std::string broken = "http://" + Environment("SHTTP_SIM_BROKEN_HOST");
  std::int32_t status = 0;
  std::array<char, 1024> buffer{};
  std::int32_t written = -1;

private:
  platform::win32::Win32ComRuntime m_com;
  platform::win32::Win32XmlHttp m_xmlHttp;
};

TEST_F(HttpRequestTest, PingGivesStatus200AndTheEchoWithItsNul) {
  const std::string headers = Request("GET", healthy + "/shttp/ping?1234");
  EXPECT_EQ(status, 200);
  EXPECT_EQ(written, 5);
  EXPECT_STREQ(buffer.data(), "1234");
  EXPECT_NE(headers.find("Content-Type: text/plain\r\n"), std::string::npos) << headers;
}

TEST_F(HttpRequestTest, HandshakeHeadersComeAsOneBlock) {
  const std::string headers = Request("GET", healthy + "/shttp/handshake/req_env");
  EXPECT_EQ(status, 200);
  EXPECT_NE(headers.find("S-HTTP-Version: 1.0\r\n"), std::string::npos) << headers;
  EXPECT_NE(headers.find("\r\nServer-Time: "), std::string::npos) << headers;
}

TEST_F(HttpRequestTest, OnlyPostInAnyCaseSendsTheBody) {
  const std::string body(3000, '\x1E');
  Request("post", healthy + "/shttp/ping?1234", &body);
  EXPECT_EQ(status, 200);
  Request("GET", healthy + "/shttp/ping?1234", &body);
  EXPECT_EQ(status, 200);
  const std::vector<std::string> received = Received();
  ASSERT_GE(received.size(), 2u);
  EXPECT_EQ(received[received.size() - 2], "POST /shttp/ping?1234 3000 every byte 0x1E");
  EXPECT_EQ(received.back(), "GET /shttp/ping?1234 0");
}

TEST_F(HttpRequestTest, ATextTooLongForTheBufferWritesNothing) {
  const std::string headers = Request("GET", broken + "/shttp/ping?1234");
  EXPECT_EQ(status, 200);
  EXPECT_EQ(written, 0);
  EXPECT_NE(headers.find("Content-Type: text/plain\r\n"), std::string::npos) << headers;
}

TEST_F(HttpRequestTest, AClosedPortGives1000AndLeavesTheBufferAlone) {
  buffer = {'o', 'l', 'd'};
  // Nothing listens on port 1 of the loopback address here.
  const std::string headers = Request("GET", "http://127.0.0.1:1/shttp/ping?1234");
  EXPECT_EQ(status, 1000);
  EXPECT_EQ(headers, "");
  EXPECT_EQ(written, -1);
  EXPECT_STREQ(buffer.data(), "old");
}

TEST_F(HttpRequestTest, AConnectionDroppedDuringAnUploadGives1000AndLeavesTheBufferAlone) {
  buffer = {'o', 'l', 'd'};
  const std::string body(2048, '\x1E');
  const std::string headers = Request("POST", broken + "/shttp/ping?1234", &body);
  EXPECT_EQ(status, 1000);
  EXPECT_EQ(headers, "");
  EXPECT_EQ(written, -1);
  EXPECT_STREQ(buffer.data(), "old");
}

}  // namespace
