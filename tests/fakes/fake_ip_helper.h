#pragma once
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/ip_helper.h"

// Recorded adapter lists: each read of the list takes the next one, the last one repeating.
struct FakeIpHelper final : platform::IpHelper {
  std::vector<std::vector<platform::AdapterDescription>> reads;
  std::set<std::size_t> failedReads;  // reads whose list is sized but then not filled
  std::map<std::uint32_t, std::vector<std::string>> dnsServers;
  std::size_t listCalls = 0;

  platform::AdapterList ListAdapters() override {
    const std::size_t read = listCalls++;
    if (failedReads.contains(read)) return {.adapters = {}, .readFailed = true};
    if (reads.empty()) return {};
    return {reads[std::min(read, reads.size() - 1)]};
  }
  std::vector<std::string> DnsServers(std::uint32_t interfaceIndex) override {
    const auto servers = dnsServers.find(interfaceIndex);
    return servers == dnsServers.end() ? std::vector<std::string>() : servers->second;
  }
};

// An adapter with one address and at most one gateway, as the tests need them.
inline platform::AdapterDescription FakeAdapter(std::vector<std::uint8_t> mac, std::string address,
                                                std::string gateway, std::uint32_t index = 1) {
  platform::AdapterDescription adapter;
  adapter.name = "{adapter-" + std::to_string(index) + "}";
  adapter.hardwareAddress = std::move(mac);
  adapter.index = index;
  adapter.hasCurrentAddress = true;
  adapter.currentAddress = {address, "255.255.255.0"};
  adapter.ipAddresses = {{std::move(address), "255.255.255.0"}};
  adapter.gateways = {{std::move(gateway), ""}};
  return adapter;
}
