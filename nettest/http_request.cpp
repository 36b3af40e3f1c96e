#include "nettest/http_request.h"

#include <cstring>
#include <memory>

#include "platform/ascii.h"

std::string HttpRequest(platform::XmlHttp& xmlHttp, const std::string& method, const std::string& url,
                        const std::string* body, std::int32_t* status, char* buffer, std::int32_t bufferSize,
                        std::int32_t* writtenLength) {
  std::string headers;
  const auto fail = [&] {
    *status = kRequestFailed;
    return headers;
  };

  std::unique_ptr<platform::XmlHttpRequest> request;
  if (xmlHttp.Create(&request) < 0 || !request) return fail();
  if (request->Open(method, url) < 0) return fail();
  if (request->Send(platform::EqualsIgnoringCase(method, "POST") ? body : nullptr) < 0) return fail();
  // Status 0 is no HTTP status: the object got no response at all. A connection that broke shows
  // so under some implementations of the object, where others fail send.
  if (request->Status(status) < 0 || *status == 0) return fail();
  std::string allHeaders;
  if (request->GetAllResponseHeaders(&allHeaders) < 0) return fail();
  headers = std::move(allHeaders);
  std::string text;
  if (request->ResponseText(&text) < 0) return fail();

  if (bufferSize > 0 && text.size() < static_cast<std::size_t>(bufferSize)) {
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    *writtenLength = static_cast<std::int32_t>(text.size() + 1);
  } else {
    *writtenLength = 0;
  }
  return headers;
}
