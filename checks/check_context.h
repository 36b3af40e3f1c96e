#pragma once
// What a check run works with: the report, the platform's ports and the dialog state it fills.
#include <array>
#include <cstdint>
#include <string>

#include "report/report_log.h"
#include "platform/com.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "platform/xml_http.h"

// The outcome of a check run; the verdict turns it into advice.
using CheckResult = int;

// Registry values that the checks read must fit this many bytes, terminating zero included.
inline constexpr std::uint32_t kValueBufferSize = 256;

struct ComponentState {
  std::string foundPath;
  platform::FileVersion FileVersion;
};

// State of the main dialog that outlives one handler: the checks write it, the repair files read it.
struct DiagState {
  std::string m_strHost;
  std::string m_strInstallDir;
  std::array<ComponentState, 7> components;  // one per catalogue row, in row order
};

struct CheckContext {
  ReportLog& report;
  platform::Registry& registry;
  platform::ComRuntime& com;
  platform::FileSystem& files;
  platform::System& system;
  platform::XmlHttp& xmlHttp;
  DiagState& state;
};
