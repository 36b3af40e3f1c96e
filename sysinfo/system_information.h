#pragma once
// The report section that identifies the PC: network addresses, proxy, disk and volume serials.
#include "platform/device_control.h"
#include "platform/ip_helper.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "platform/volume.h"
#include "report/report_log.h"

struct SystemInfoPorts {
  platform::IpHelper& ipHelper;
  platform::Registry& registry;
  platform::DeviceControl& devices;
  platform::System& system;
  platform::Volumes& volumes;
};

// Only reports: what a reader cannot obtain shows as an empty value.
void ReportSystemInformation(ReportLog& report, const SystemInfoPorts& ports);
