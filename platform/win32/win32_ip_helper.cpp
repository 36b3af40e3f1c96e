#include "platform/win32/win32_ip_helper.h"

// <winsock2.h> first: <iphlpapi.h> needs it and <windows.h> alone would bring the older winsock.
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <cstring>

#include "platform/win32/win32_system.h"

namespace platform::win32 {
namespace {

// Zero-filled and aligned for the platform's structures; sized as the platform asked.
using Buffer = std::vector<ULONGLONG>;

Buffer ZeroedBuffer(ULONG size) { return Buffer((size + sizeof(ULONGLONG) - 1) / sizeof(ULONGLONG)); }

template <std::size_t N>
std::string Text(const char (&field)[N]) {
  return std::string(field, strnlen(field, N));
}

AddressEntry Entry(const IP_ADDR_STRING& entry) { return {Text(entry.IpAddress.String), Text(entry.IpMask.String)}; }

std::vector<AddressEntry> Chain(const IP_ADDR_STRING& first) {
  std::vector<AddressEntry> entries;
  for (const IP_ADDR_STRING* entry = &first; entry; entry = entry->Next) entries.push_back(Entry(*entry));
  return entries;
}

AdapterDescription Describe(const IP_ADAPTER_INFO& adapter) {
  AdapterDescription description;
  // The list has ANSI fields only.
  description.name = AnsiToUtf8(Text(adapter.AdapterName));
  description.description = AnsiToUtf8(Text(adapter.Description));
  description.hardwareAddress.assign(adapter.Address, adapter.Address + sizeof adapter.Address);
  description.index = adapter.Index;
  description.type = adapter.Type;
  description.dhcpEnabled = adapter.DhcpEnabled;
  description.hasCurrentAddress = adapter.CurrentIpAddress != nullptr;
  if (adapter.CurrentIpAddress) description.currentAddress = Entry(*adapter.CurrentIpAddress);
  description.ipAddresses = Chain(adapter.IpAddressList);
  description.gateways = Chain(adapter.GatewayList);
  description.dhcpServer = Entry(adapter.DhcpServer);
  description.haveWins = static_cast<std::uint32_t>(adapter.HaveWins);
  description.primaryWinsServer = Entry(adapter.PrimaryWinsServer);
  description.secondaryWinsServer = Entry(adapter.SecondaryWinsServer);
  description.leaseObtained = static_cast<std::int64_t>(adapter.LeaseObtained);
  description.leaseExpires = static_cast<std::int64_t>(adapter.LeaseExpires);
  return description;
}

}  // namespace

AdapterList Win32IpHelper::ListAdapters() {
  ULONG size = 0;
  if (GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW) return {};
  Buffer buffer = ZeroedBuffer(size);
  auto* first = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
  if (GetAdaptersInfo(first, &size) != ERROR_SUCCESS) return {.adapters = {}, .readFailed = true};
  AdapterList list;
  for (const IP_ADAPTER_INFO* adapter = first; adapter; adapter = adapter->Next) list.adapters.push_back(Describe(*adapter));
  return list;
}

std::vector<std::string> Win32IpHelper::DnsServers(std::uint32_t interfaceIndex) {
  ULONG size = 0;
  if (GetPerAdapterInfo(interfaceIndex, nullptr, &size) != ERROR_BUFFER_OVERFLOW) return {};
  Buffer buffer = ZeroedBuffer(size);
  auto* info = reinterpret_cast<IP_PER_ADAPTER_INFO*>(buffer.data());
  if (GetPerAdapterInfo(interfaceIndex, info, &size) != ERROR_SUCCESS) return {};
  std::vector<std::string> servers;
  for (const AddressEntry& entry : Chain(info->DnsServerList)) servers.push_back(entry.address);
  return servers;
}

}  // namespace platform::win32
