#include "sysinfo/system_information.h"

#include <algorithm>

#include "sysinfo/disk_id_reader.h"
#include "sysinfo/network_info.h"
#include "sysinfo/proxy_reader.h"
#include "sysinfo/volume_serial.h"

namespace {

// The readers give the empty text for what they could not obtain.
std::optional<std::string> TextOrNone(const std::string& text) {
  return text.empty() ? std::nullopt : std::optional(text);
}

}  // namespace

void ReportSystemInformation(ReportLog& report, const platform::Ports& ports) {
  report.BeginReportSection("하드웨어 정보 추출 검사");

  // Each reader runs right before its lines, so a line it writes itself stands there.
  std::string macList;
  std::string gatewayList;
  const std::string ipList = ReadNetworkInfo(report, ports.ipHelper, &macList, &gatewayList);
  report.AppendReportLine(1, "Network Info ============================");
  report.AppendReportLine(2, "IP Address : " + ipList);
  report.AppendReportLine(2, "Mac Address : " + macList);
  report.AppendReportLine(2, "Gateway Address : " + gatewayList);
  const std::string proxy = ReadProxyAddress(ports.registry);
  report.AppendReportLine(2, "Proxy Address : " + proxy);
  Findings& found = report.Found();
  found.proxy = TextOrNone(proxy);
  report.AppendReportLine(0, "");

  report.AppendReportLine(1, "HardWare Info ===========================");
  // The device's own bytes, tested as bytes: a serial is ASCII.
  const std::string physicalSerial = ReadPhysicalDiskSerial(ports.devices);
  if (std::any_of(physicalSerial.begin(), physicalSerial.end(),
                  [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
    // Bytes that are no serial: not a value to hand on. The report shows them as the ANSI code page
    // reads them.
    report.AppendReportLine(1, "HDD Serial을 구할 수 없습니다.");
    report.AppendReportLine(2, "HDD Serial Error : " + ports.system.AnsiToUtf8(physicalSerial));
  } else {
    report.AppendReportLine(2, "HDD Pysical Serial : " + physicalSerial);
    found.diskSerial = TextOrNone(physicalSerial);
  }
  const std::string logicalSerial = ReadVolumeSerial(ports.system, ports.volumes);
  report.AppendReportLine(2, "HDD Logical Serial : " + logicalSerial);
  found.volumeSerial = TextOrNone(logicalSerial);
  report.EndReportSection();
}
