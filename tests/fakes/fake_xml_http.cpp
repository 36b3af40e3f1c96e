#include "fakes/fake_xml_http.h"

namespace {

class FakeRequest final : public platform::XmlHttpRequest {
public:
  explicit FakeRequest(FakeXmlHttp& owner) : m_owner(owner) {}
  ~FakeRequest() override { ++m_owner.released; }

  long Open(const std::string& method, const std::string& url) override {
    m_method = method;
    m_url = url;
    m_answer = m_owner.script(method, url);
    return Result(FakeXmlHttp::FailAt::open);
  }
  long Send(const std::string* body) override {
    m_owner.sent.push_back({m_method, m_url, body ? std::optional(body->size()) : std::nullopt});
    return Result(FakeXmlHttp::FailAt::send);
  }
  long Status(std::int32_t* status) override {
    if (m_answer.failAt == FakeXmlHttp::FailAt::status) return FakeXmlHttp::kFailed;
    *status = m_answer.status;
    return 0;
  }
  long GetAllResponseHeaders(std::string* headers) override {
    if (m_answer.failAt == FakeXmlHttp::FailAt::headers) return FakeXmlHttp::kFailed;
    *headers = m_answer.headers;
    return 0;
  }
  long ResponseText(std::string* text) override {
    if (m_answer.failAt == FakeXmlHttp::FailAt::text) return FakeXmlHttp::kFailed;
    *text = m_answer.text;
    return 0;
  }

private:
  long Result(FakeXmlHttp::FailAt step) const { return m_answer.failAt == step ? FakeXmlHttp::kFailed : 0; }

  FakeXmlHttp& m_owner;
  std::string m_method;
  std::string m_url;
  FakeXmlHttp::Answer m_answer;
};

}  // namespace

long FakeXmlHttp::Create(std::unique_ptr<platform::XmlHttpRequest>* request) {
  if (createResult < 0) return createResult;
  ++created;
  *request = std::make_unique<FakeRequest>(*this);
  return 0;
}
