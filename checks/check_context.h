#pragma once
// What a check run works with: the report, the platform's ports and the dialog state it fills.
#include <array>
#include <cstdint>
#include <string>

#include "checks/check_result.h"
#include "checks/component_catalogue.h"
#include "platform/ports.h"
#include "report/report_log.h"

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
  std::array<ComponentState, kComponentCount> components;  // one per catalogue row, in row order
};

// The ports it is given, with the report it writes and the state it fills.
struct CheckContext : platform::Ports {
  ReportLog& report;
  DiagState& state;
};
