#pragma once
// The IP helper's adapter list and per-adapter DNS servers, handed over as data.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// One address entry of the platform's lists: dotted-decimal address and mask, as the platform wrote them.
struct AddressEntry {
  std::string address;
  std::string mask;
};

// One adapter description of GetAdaptersInfo's chain, with the fields the system information uses.
struct AdapterDescription {
  std::string name;
  std::string description;
  std::vector<std::uint8_t> hardwareAddress;  // the raw bytes, as many as the platform states
  std::uint32_t index = 0;
  std::uint32_t type = 0;
  std::uint32_t dhcpEnabled = 0;
  bool hasCurrentAddress = false;
  AddressEntry currentAddress;
  std::vector<AddressEntry> ipAddresses;  // in chain order, the built-in first entry included
  std::vector<AddressEntry> gateways;
  AddressEntry dhcpServer;
  std::uint32_t haveWins = 0;
  AddressEntry primaryWinsServer;
  AddressEntry secondaryWinsServer;
  std::int64_t leaseObtained = 0;
  std::int64_t leaseExpires = 0;
};

// GetAdaptersInfo's answer: the chain in order; empty when the platform has no list or refuses it,
// and also when it named the list's size but then failed to fill it, which readFailed tells.
struct AdapterList {
  std::vector<AdapterDescription> adapters;
  bool readFailed = false;
};

class IpHelper {
public:
  virtual ~IpHelper() = default;
  // GetAdaptersInfo, asked for its size first, then for the list.
  virtual AdapterList ListAdapters() = 0;
  // GetPerAdapterInfo: the adapter's DNS server addresses in chain order; empty when the query fails.
  virtual std::vector<std::string> DnsServers(std::uint32_t interfaceIndex) = 0;
};

}  // namespace platform
