// "ProxyServer" lists as users and programs might store them.
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "sysinfo/proxy_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string address = ParseProxyServer(text);
  FUZZ_CHECK(address.size() <= text.size());
  FUZZ_CHECK(address.find(';') == std::string::npos);
  FUZZ_CHECK(ExtractProxyHost(text).size() <= text.size());
  return 0;
}
