#pragma once
// The three tests against the host the user typed: S-HTTP headers, ping, and the POST size probe.
#include <optional>
#include <string>

#include "platform/xml_http.h"
#include "report/report_log.h"

// How the tests ended when one of them did not pass; the check run turns it into its result.
enum class ServerTestFailure {
  failed,           // an unexpected status or answer, or the request object failed
  notShttpServer,   // the ping's own status for a host that is no S-HTTP server
  networkFiltered,  // headers filtered or uploads limited on the way to the host
};

// Runs the tests in order, each only after the one before passed. Returns nothing when all three
// passed.
std::optional<ServerTestFailure> RunServerTests(ReportLog& report, platform::XmlHttp& xmlHttp, const std::string& host);
