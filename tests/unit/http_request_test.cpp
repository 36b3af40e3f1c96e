// One request through the XML HTTP object: what reaches the caller, and what a failure leaves.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "fakes/fake_xml_http.h"
#include "nettest/http_request.h"

namespace {

using FailAt = FakeXmlHttp::FailAt;

struct Call {
  std::int32_t status = -7;
  std::array<char, 16> buffer{'o', 'l', 'd', '\0'};
  std::int32_t written = -7;
  std::string headers;
};

Call Request(FakeXmlHttp& xmlHttp, const std::string& method, const std::string* body = nullptr) {
  Call call;
  call.headers = HttpRequest(xmlHttp, method, "http://127.0.0.1:8080/shttp/ping?1234", body, &call.status,
                             call.buffer.data(), static_cast<std::int32_t>(call.buffer.size()), &call.written);
  return call;
}

TEST(HttpRequest, HandsBackStatusHeadersAndTextWithItsNul) {
  FakeXmlHttp xmlHttp;
  xmlHttp.AnswerAll({.status = 404, .headers = "Server-Time: 1\r\nX: y\r\n", .text = "1234"});
  const Call call = Request(xmlHttp, "GET");
  EXPECT_EQ(call.status, 404);
  EXPECT_EQ(call.headers, "Server-Time: 1\r\nX: y\r\n");
  EXPECT_EQ(call.written, 5);
  EXPECT_STREQ(call.buffer.data(), "1234");
  EXPECT_EQ(xmlHttp.created, 1);
  EXPECT_EQ(xmlHttp.released, 1);
}

TEST(HttpRequest, SendsTheBodyOnlyForPostInAnyCase) {
  FakeXmlHttp xmlHttp;
  const std::string body(300, '\x1E');
  for (const char* method : {"POST", "post", "Post", "GET", "PUT", "POSTS"}) Request(xmlHttp, method, &body);
  ASSERT_EQ(xmlHttp.sent.size(), 6u);
  EXPECT_EQ(xmlHttp.sent[0].bodySize, 300u);
  EXPECT_EQ(xmlHttp.sent[1].bodySize, 300u);
  EXPECT_EQ(xmlHttp.sent[2].bodySize, 300u);
  for (std::size_t i = 3; i < 6; ++i) EXPECT_EQ(xmlHttp.sent[i].bodySize, std::nullopt) << xmlHttp.sent[i].method;
  EXPECT_EQ(xmlHttp.sent[3].method, "GET");
}

TEST(HttpRequest, ATextThatDoesNotFitWithItsNulWritesNothing) {
  FakeXmlHttp xmlHttp;
  xmlHttp.AnswerAll({.headers = "H: v\r\n", .text = std::string(15, 'x')});
  Call call = Request(xmlHttp, "GET");
  EXPECT_EQ(call.written, 16);  // the 16-byte buffer holds 15 bytes and the NUL
  EXPECT_EQ(std::string(call.buffer.data()), std::string(15, 'x'));

  xmlHttp.AnswerAll({.headers = "H: v\r\n", .text = std::string(16, 'x')});
  call = Request(xmlHttp, "GET");
  EXPECT_EQ(call.status, 200);
  EXPECT_EQ(call.headers, "H: v\r\n");
  EXPECT_EQ(call.written, 0);
  EXPECT_STREQ(call.buffer.data(), "old");
}

struct FailureCase {
  const char* name;
  FailAt failAt;
  bool createFails;
  const char* headers;  // what the failed call still hands back
  std::int32_t status = 200;
};

class HttpRequestFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(HttpRequestFailure, GivesStatus1000AndLeavesTheBufferAlone) {
  FakeXmlHttp xmlHttp;
  if (GetParam().createFails) xmlHttp.createResult = FakeXmlHttp::kFailed;
  xmlHttp.AnswerAll(
      {.status = GetParam().status, .headers = "S-HTTP-Version: 1\r\n", .text = "1234", .failAt = GetParam().failAt});
  const Call call = Request(xmlHttp, "GET");
  EXPECT_EQ(call.status, 1000);
  EXPECT_EQ(call.headers, GetParam().headers);
  EXPECT_EQ(call.written, -7);
  EXPECT_STREQ(call.buffer.data(), "old");
  EXPECT_EQ(xmlHttp.created, xmlHttp.released);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, HttpRequestFailure,
                         testing::Values(FailureCase{"Create", FailAt::nothing, true, ""},
                                         FailureCase{"Open", FailAt::open, false, ""},
                                         FailureCase{"Send", FailAt::send, false, ""},
                                         FailureCase{"Status", FailAt::status, false, ""},
                                         FailureCase{"Headers", FailAt::headers, false, ""},
                                         FailureCase{"Text", FailAt::text, false, "S-HTTP-Version: 1\r\n"},
                                         // No response at all: what Wine's object gives for a dropped connection.
                                         FailureCase{"NoResponse", FailAt::nothing, false, "", 0}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
