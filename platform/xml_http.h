#pragma once
// The platform's XML HTTP request object, one per request, called through its IXMLHTTPRequest
// interface. Every call returns the platform's status (negative on failure) and maps onto one method.
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class XmlHttpRequest {
public:
  virtual ~XmlHttpRequest() = default;  // releases the object
  // open (method, url, synchronous, no user, no password).
  virtual long Open(const std::string& method, const std::string& url) = 0;
  // send: with the body when there is one, else with the argument left out.
  virtual long Send(const std::string* body) = 0;
  virtual long Status(std::int32_t* status) = 0;
  // getAllResponseHeaders; responseText in the ANSI code page, since the buffer it goes into is
  // sized in that code page's bytes.
  virtual long GetAllResponseHeaders(std::string* headers) = 0;
  virtual long ResponseText(std::string* text) = 0;
};

class XmlHttp {
public:
  virtual ~XmlHttp() = default;
  // A new object from the ProgID "Msxml2.XMLHTTP.3.0", any class context.
  virtual long Create(std::unique_ptr<XmlHttpRequest>* request) = 0;
};

}  // namespace platform
