#pragma once
// The PC's network adapters: one record per adapter the IP helper lists, and the report's three
// comma-joined lists of IP, MAC and gateway addresses.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/error_codes.h"
#include "platform/ip_helper.h"
#include "report/report_log.h"

struct AdapterRecord {
  std::string adapterName;
  std::string description;
  std::string primaryWinsServer;
  std::string secondaryWinsServer;
  std::string dhcpServer;
  std::string currentAddress;
  std::string currentMask;
  std::uint32_t interfaceIndex = 0;
  std::uint32_t adapterType = 0;
  std::uint32_t dhcpEnabled = 0;
  std::uint32_t hasWins = 0;
  std::vector<std::string> dnsServers;
  std::vector<platform::AddressEntry> ipAddresses;
  std::vector<std::string> gateways;
  std::int64_t leaseObtained = 0;
  std::int64_t leaseExpires = 0;
  std::string macText;

  // Element 0 of each list, or the empty text.
  std::string FirstIpAddress() const;
  std::string FirstGateway() const;
};

// Lists the adapters and tells how many records they need: 122 when records holds fewer places
// (nothing filled), else fills records from the front and answers 0. A list the platform sized but
// could not read needs one record, which stays empty.
long EnumerateAdapters(platform::IpHelper& ipHelper, std::span<AdapterRecord> records, std::size_t* needed);

// Joins the records' MAC texts, first IP addresses and first gateways, skipping repeated MACs and
// adapters without an address. Returns the IP list; each adapter joined goes to *joined too, if given.
std::string JoinAdapterRecords(std::span<const AdapterRecord> records, std::string* macList,
                               std::string* gatewayList, std::vector<AdapterFinding>* joined = nullptr);

// Returns the IP list and hands out the MAC and gateway lists; reports when there is no adapter
// (not when the list was there but could not be read). Records the adapters joined, or none when no
// record could be filled.
std::string ReadNetworkInfo(ReportLog& report, platform::IpHelper& ipHelper, std::string* macList,
                            std::string* gatewayList);
