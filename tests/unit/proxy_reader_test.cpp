// The proxy of the user's browser settings: the list's parsing and the registry reads.
#include <gtest/gtest.h>

#include "fakes/fake_registry.h"
#include "sysinfo/proxy_reader.h"

namespace {

struct ProxyCase {
  const char* list;
  const char* address;
};
void PrintTo(const ProxyCase& c, std::ostream* os) { *os << testing::PrintToString(c.list); }

class ProxyList : public testing::TestWithParam<ProxyCase> {};

TEST_P(ProxyList, GivesTheWebEntrysHost) {
  EXPECT_EQ(ParseProxyServer(GetParam().list), GetParam().address);
}

INSTANTIATE_TEST_SUITE_P(Examples, ProxyList,
                         testing::Values(ProxyCase{"http=p1:8080;https=p2:8443", "p1:8080"},
                                         ProxyCase{"HTTP=Proxy1:8080", "proxy1:8080"},
                                         ProxyCase{"https=p2:8443;ftp=p3:21", "p2:8443"},
                                         ProxyCase{"socks=p4:1080", "p4:1080"},
                                         ProxyCase{"ftp=p3:21;socks=p4:1080", "p4:1080"},
                                         ProxyCase{"p5:3128", ""},
                                         ProxyCase{"ftp=p3:21;http=p1:80", ""},
                                         ProxyCase{"http=p1:80;ftp=p3:21", "p1:80"},
                                         ProxyCase{"http=http://p1:80/", "p1:80"},
                                         ProxyCase{"http=p1/x:81", "p1:81"},
                                         ProxyCase{"http=p1:80/path", "p1:80"},
                                         ProxyCase{"http=;https=p2:1", ""},
                                         ProxyCase{"", ""},
                                         ProxyCase{"gopher=p6:70", ""},
                                         // Letters beyond ASCII keep their case.
                                         ProxyCase{"HTTP=갂Proxy:80", "갂proxy:80"},
                                         ProxyCase{"http=ÄPROXY:80;Https=p2:1", "Äproxy:80"}));

const std::string kSettings = R"(Software\Microsoft\Windows\CurrentVersion\Internet Settings)";

class ProxyAddress : public testing::Test {
protected:
  void TearDown() override { EXPECT_EQ(registry.OpenHandles(), 0); }
  std::string ReadProxyAddress() { return ::ReadProxyAddress(registry); }
  FakeRegistry registry;
};

TEST_F(ProxyAddress, ReadsTheListWhenTheProxyIsOn) {
  registry.SetValue(platform::kCurrentUser, kSettings, "ProxyEnable", std::string("\x01\0\0\0", 4));
  registry.SetString(platform::kCurrentUser, kSettings, "ProxyServer", "http=Proxy.Example:3128;ftp=p3:21");
  EXPECT_EQ(ReadProxyAddress(), "proxy.example:3128");
}

TEST_F(ProxyAddress, IsEmptyWhenOffMissingOrTooLong) {
  EXPECT_EQ(ReadProxyAddress(), "");  // no key at all

  registry.SetValue(platform::kCurrentUser, kSettings, "ProxyEnable", std::string("\0\0\0\0", 4));
  registry.SetString(platform::kCurrentUser, kSettings, "ProxyServer", "http=p1:80");
  EXPECT_EQ(ReadProxyAddress(), "");  // switched off

  registry.SetValue(platform::kCurrentUser, kSettings, "ProxyEnable", std::string("\x01\0\0\0", 4));
  registry.SetString(platform::kCurrentUser, kSettings, "ProxyServer", "http=" + std::string(251, 'p'));
  EXPECT_EQ(ReadProxyAddress(), "");  // 256 characters do not fit with their zero

  registry.SetString(platform::kCurrentUser, kSettings, "ProxyServer", "http=" + std::string(250, 'p'));
  EXPECT_EQ(ReadProxyAddress(), std::string(250, 'p'));
}

TEST_F(ProxyAddress, OnWithoutAListIsEmpty) {
  registry.SetValue(platform::kCurrentUser, kSettings, "ProxyEnable", std::string("\x01\0\0\0", 4));
  EXPECT_EQ(ReadProxyAddress(), "");
}

}  // namespace
