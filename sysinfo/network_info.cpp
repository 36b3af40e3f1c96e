#include "sysinfo/network_info.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string MacText(const std::vector<std::uint8_t>& bytes) {
  // Always six bytes, whatever length the platform states: a shorter address reads as zeros.
  std::uint8_t mac[6] = {};
  for (std::size_t i = 0; i < 6 && i < bytes.size(); ++i) mac[i] = bytes[i];
  char text[13];
  std::snprintf(text, sizeof text, "%02X%02X%02X%02X%02X%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
  return text;
}

AdapterRecord MakeRecord(platform::IpHelper& ipHelper, const platform::AdapterDescription& adapter) {
  AdapterRecord record;
  record.adapterName = adapter.name;
  record.description = adapter.description;
  record.primaryWinsServer = adapter.primaryWinsServer.address;
  record.secondaryWinsServer = adapter.secondaryWinsServer.address;
  record.dhcpServer = adapter.dhcpServer.address;
  record.interfaceIndex = adapter.index;
  record.adapterType = adapter.type;
  record.dhcpEnabled = adapter.dhcpEnabled;
  record.hasWins = adapter.haveWins;
  record.leaseObtained = adapter.leaseObtained;
  record.leaseExpires = adapter.leaseExpires;
  record.macText = MacText(adapter.hardwareAddress);
  record.currentAddress = adapter.hasCurrentAddress ? adapter.currentAddress.address : "0.0.0.0";
  record.currentMask = adapter.hasCurrentAddress ? adapter.currentAddress.mask : "0.0.0.0";
  record.ipAddresses = adapter.ipAddresses;
  for (const platform::AddressEntry& gateway : adapter.gateways) record.gateways.push_back(gateway.address);
  record.dnsServers = ipHelper.DnsServers(adapter.index);
  return record;
}

}  // namespace

std::string AdapterRecord::FirstIpAddress() const { return ipAddresses.empty() ? std::string() : ipAddresses[0].address; }

std::string AdapterRecord::FirstGateway() const { return gateways.empty() ? std::string() : gateways[0]; }

long EnumerateAdapters(platform::IpHelper& ipHelper, std::span<AdapterRecord> records, std::size_t* needed) {
  const platform::AdapterList list = ipHelper.ListAdapters();
  // A list that was sized but not read leaves its zero-filled buffer, which holds one empty description.
  *needed = list.readFailed ? 1 : list.adapters.size();
  if (records.size() < *needed) return platform::kErrorInsufficientBuffer;
  for (std::size_t k = 0; k < list.adapters.size(); ++k) records[k] = MakeRecord(ipHelper, list.adapters[k]);
  return 0;
}

std::string JoinAdapterRecords(std::span<const AdapterRecord> records, std::string* macList,
                               std::string* gatewayList, std::vector<AdapterFinding>* joined) {
  std::string ipList;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::string& mac = records[i].macText;
    const std::string address = records[i].FirstIpAddress();
    // An empty MAC is always "contained": records left unfilled are skipped here too.
    if (macList->find(mac) != std::string::npos) continue;
    if (address.find("0.0.0.0") != std::string::npos) continue;
    // Positions count skipped records too; a list still empty takes no comma.
    if (i > 0) {
      for (std::string* list : {macList, &ipList, gatewayList}) {
        if (!list->empty()) *list += ',';
      }
    }
    *macList += mac;
    ipList += address;
    *gatewayList += records[i].FirstGateway();
    if (joined) {
      const std::string gateway = records[i].FirstGateway();
      joined->push_back({address, mac, gateway.empty() ? std::nullopt : std::optional(gateway)});
    }
  }
  return ipList;
}

std::string ReadNetworkInfo(ReportLog& report, platform::IpHelper& ipHelper, std::string* macList,
                            std::string* gatewayList) {
  std::size_t count = 0;
  if (EnumerateAdapters(ipHelper, {}, &count) != platform::kErrorInsufficientBuffer) {
    report.AppendReportLine(1, "No Network Adapters Found on System.");
    report.Found().adapters.emplace();
    return {};
  }
  // The list is read again: if the platform now lists more adapters, nothing is filled and every
  // record stays empty; if fewer, the last ones do.
  std::vector<AdapterRecord> records(count);
  EnumerateAdapters(ipHelper, records, &count);
  std::vector<AdapterFinding> joined;
  std::string ipList = JoinAdapterRecords(records, macList, gatewayList, &joined);
  // Every filled record has a MAC text: none filled means the list could not be read.
  const bool read = std::any_of(records.begin(), records.end(), [](const AdapterRecord& r) { return !r.macText.empty(); });
  if (read) report.Found().adapters = std::move(joined);
  return ipList;
}
