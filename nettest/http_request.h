#pragma once
// One synchronous HTTP request through the platform's XML HTTP request object.
#include <cstdint>
#include <string>

#include "platform/xml_http.h"

// The status of every request that cannot be made or read.
inline constexpr std::int32_t kRequestFailed = 1000;

// Sends the body only when the method is "post" in any case. Writes the response's status and its
// text into the buffer with its NUL; *writtenLength is the bytes written, 0 when the text does not
// fit. Returns the response's header block. On failure (no response at all included) *status is
// kRequestFailed, the buffer and *writtenLength stay as they were, and the headers are those read
// so far.
std::string HttpRequest(platform::XmlHttp& xmlHttp, const std::string& method, const std::string& url,
                        const std::string* body, std::int32_t* status, char* buffer, std::int32_t bufferSize,
                        std::int32_t* writtenLength);
