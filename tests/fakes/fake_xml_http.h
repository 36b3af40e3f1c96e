#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/xml_http.h"

// The XML HTTP object as a script: one answer per request sent, and a record of what was sent.
struct FakeXmlHttp final : platform::XmlHttp {
  static constexpr long kFailed = static_cast<std::int32_t>(0x80004005u);  // E_FAIL

  // The call of the request that fails with kFailed; the ones before it succeed.
  enum class FailAt { nothing, open, send, status, headers, text };

  struct Answer {
    std::int32_t status = 200;
    std::string headers{};
    std::string text{};
    FailAt failAt = FailAt::nothing;
  };

  struct Sent {
    std::string method;
    std::string url;
    std::optional<std::size_t> bodySize;  // none when send got no body
  };

  // A healthy S-HTTP server: every request gets both headers and the ping's echo.
  static Answer HealthyAnswer() {
    return {200, "S-HTTP-Version: 1.0\r\nServer-Time: 20261210120000\r\n", "1234"};
  }

  // Decides each answer from the request's method and url.
  std::function<Answer(const std::string& method, const std::string& url)> script =
      [](const std::string&, const std::string&) { return HealthyAnswer(); };
  long createResult = 0;   // what creating an object gives; a failure creates none
  std::vector<Sent> sent;  // every request that reached send, in order
  int created = 0;
  int released = 0;

  long Create(std::unique_ptr<platform::XmlHttpRequest>* request) override;

  // An answer for every request, whatever it is.
  void AnswerAll(Answer answer) {
    script = [answer](const std::string&, const std::string&) { return answer; };
  }
};
