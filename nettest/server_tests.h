#pragma once
// The three tests against the host the user typed: S-HTTP headers, ping, and the POST size probe.
#include <optional>
#include <string>

#include "platform/xml_http.h"
#include "report/report_log.h"

// Runs the tests in order, each only after the one before passed. Returns nothing when all three
// passed, else the code that ends the check run: -1, 7, or 0 when the ping's status says the host
// is no S-HTTP server.
std::optional<int> RunServerTests(ReportLog& report, platform::XmlHttp& xmlHttp, const std::string& host);
