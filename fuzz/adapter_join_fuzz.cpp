// Adapter lists as the platform might hand them over, read twice as the report does.
// Input: one adapter a line, "MAC address gateway" (MAC as hex bytes, fields may be missing); a line
// "|" starts the second read.
#include <cstdint>
#include <sstream>
#include <string>

#include "fakes/fake_ip_helper.h"
#include "fuzz_check.h"
#include "sysinfo/network_info.h"

namespace {

unsigned Nibble(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
  return 0;
}

// As many bytes as the hex text gives, up to the eight the platform has room for.
std::vector<std::uint8_t> HexBytes(const std::string& hex) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i + 1 < hex.size() && bytes.size() < 8; i += 2) {
    bytes.push_back(static_cast<std::uint8_t>(Nibble(hex[i]) << 4 | Nibble(hex[i + 1])));
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FakeIpHelper ipHelper;
  ipHelper.reads.emplace_back();
  std::istringstream lines(std::string(reinterpret_cast<const char*>(data), size));
  std::uint32_t index = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line == "|") {
      ipHelper.reads.emplace_back();
      continue;
    }
    std::istringstream fields(line);
    std::string mac, address, gateway;
    fields >> mac >> address >> gateway;
    platform::AdapterDescription adapter = FakeAdapter(HexBytes(mac), address, gateway, ++index);
    if (address.empty()) adapter.ipAddresses.clear();
    if (gateway.empty()) adapter.gateways.clear();
    ipHelper.reads.back().push_back(std::move(adapter));
  }

  ReportLog report;
  std::string macList, gatewayList;
  const std::string ipList = ReadNetworkInfo(report, ipHelper, &macList, &gatewayList);
  // Twelve hex digits a listed adapter, one comma between two.
  FUZZ_CHECK(macList.empty() || (macList.size() + 1) % 13 == 0);
  const std::size_t listed = macList.empty() ? 0 : (macList.size() + 1) / 13;
  for (std::size_t i = 12; i < macList.size(); i += 13) FUZZ_CHECK(macList[i] == ',');
  FUZZ_CHECK(ipList.find("0.0.0.0") == std::string::npos);
  FUZZ_CHECK(listed <= ipHelper.reads.front().size());
  return 0;
}
