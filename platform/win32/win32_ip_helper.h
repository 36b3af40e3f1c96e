#pragma once
#include "platform/ip_helper.h"

namespace platform::win32 {

class Win32IpHelper final : public IpHelper {
public:
  AdapterList ListAdapters() override;
  std::vector<std::string> DnsServers(std::uint32_t interfaceIndex) override;
};

}  // namespace platform::win32
