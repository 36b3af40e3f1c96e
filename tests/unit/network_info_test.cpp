// The adapter list as the report shows it: records from the platform's descriptions, the skip rules
// and the commas.
#include <gtest/gtest.h>

#include "fakes/fake_ip_helper.h"
#include "sysinfo/network_info.h"

namespace {

using Mac = std::vector<std::uint8_t>;
const Mac kMacA = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
const Mac kMacB = {0xAA, 0xBB, 0xCC, 0x01, 0x02, 0x03};
const Mac kMacC = {0x10, 0x20, 0x30, 0x40, 0x50, 0x60};

struct JoinCase {
  const char* name;
  std::vector<platform::AdapterDescription> adapters;
  const char* ipList;
  const char* macList;
  const char* gatewayList;
};

class Joining : public testing::TestWithParam<JoinCase> {};

TEST_P(Joining, ListsEachKeptAdapterOnce) {
  FakeIpHelper ipHelper;
  ipHelper.reads = {GetParam().adapters};
  ReportLog report;
  std::string macList, gatewayList;

  EXPECT_EQ(ReadNetworkInfo(report, ipHelper, &macList, &gatewayList), GetParam().ipList);
  EXPECT_EQ(macList, GetParam().macList);
  EXPECT_EQ(gatewayList, GetParam().gatewayList);
  EXPECT_EQ(report.Text(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Adapters, Joining,
    testing::Values(
        JoinCase{"TwoAdapters",
                 {FakeAdapter(kMacA, "10.1.1.5", "10.1.1.1", 1), FakeAdapter(kMacB, "192.168.0.7", "192.168.0.1", 2)},
                 "10.1.1.5,192.168.0.7", "001A2B3C4D5E,AABBCC010203", "10.1.1.1,192.168.0.1"},
        JoinCase{"NoAddressIsSkipped",
                 {FakeAdapter(kMacA, "0.0.0.0", "", 1), FakeAdapter(kMacB, "192.168.0.7", "192.168.0.1", 2)},
                 "192.168.0.7", "AABBCC010203", "192.168.0.1"},
        JoinCase{"AnAddressHoldingTheZeroAddressIsSkippedToo",
                 {FakeAdapter(kMacA, "10.0.0.0", "10.0.0.1", 1)}, "", "", ""},
        JoinCase{"RepeatedMacListedOnce",
                 {FakeAdapter(kMacA, "10.1.1.5", "10.1.1.1", 1), FakeAdapter(kMacA, "10.2.2.5", "10.2.2.1", 2)},
                 "10.1.1.5", "001A2B3C4D5E", "10.1.1.1"},
        JoinCase{"EmptyGatewayAfterAGatewayTakesItsComma",
                 {FakeAdapter(kMacA, "10.1.1.5", "10.1.1.1", 1), FakeAdapter(kMacB, "192.168.0.7", "", 2)},
                 "10.1.1.5,192.168.0.7", "001A2B3C4D5E,AABBCC010203", "10.1.1.1,"},
        JoinCase{"EmptyGatewayFirstTakesNone",
                 {FakeAdapter(kMacA, "10.1.1.5", "", 1), FakeAdapter(kMacB, "192.168.0.7", "192.168.0.1", 2)},
                 "10.1.1.5,192.168.0.7", "001A2B3C4D5E,AABBCC010203", "192.168.0.1"},
        JoinCase{"SkippedMiddleAdapterLeavesOneComma",
                 {FakeAdapter(kMacA, "10.1.1.5", "10.1.1.1", 1), FakeAdapter(kMacB, "0.0.0.0", "", 2),
                  FakeAdapter(kMacC, "172.16.0.2", "172.16.0.1", 3)},
                 "10.1.1.5,172.16.0.2", "001A2B3C4D5E,102030405060", "10.1.1.1,172.16.0.1"}),
    [](const testing::TestParamInfo<JoinCase>& row) { return row.param.name; });

TEST(NetworkInfo, OnlyTheFirstAddressAndGatewayOfAnAdapterShow) {
  platform::AdapterDescription adapter = FakeAdapter(kMacA, "10.1.1.5", "10.1.1.1");
  adapter.ipAddresses.push_back({"10.1.1.6", "255.0.0.0"});
  adapter.gateways.push_back({"10.1.1.2", ""});
  FakeIpHelper ipHelper;
  ipHelper.reads = {{adapter}};
  ReportLog report;
  std::string macList, gatewayList;

  EXPECT_EQ(ReadNetworkInfo(report, ipHelper, &macList, &gatewayList), "10.1.1.5");
  EXPECT_EQ(gatewayList, "10.1.1.1");
}

TEST(NetworkInfo, RecordHoldsEveryFieldOfTheDescription) {
  platform::AdapterDescription adapter = FakeAdapter({0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x77, 0x88}, "10.1.1.5",
                                                     "10.1.1.1", 7);
  adapter.description = "Ethernet";
  adapter.type = 6;
  adapter.dhcpEnabled = 1;
  adapter.haveWins = 1;
  adapter.primaryWinsServer = {"10.9.9.1", ""};
  adapter.secondaryWinsServer = {"10.9.9.2", ""};
  adapter.dhcpServer = {"10.1.1.254", ""};
  adapter.leaseObtained = 1000;
  adapter.leaseExpires = 2000;
  FakeIpHelper ipHelper;
  ipHelper.reads = {{adapter, FakeAdapter({0x01, 0x02}, "10.2.2.2", "", 8)}};
  ipHelper.dnsServers[7] = {"10.1.1.53", "10.1.1.54"};
  ipHelper.reads[0][1].hasCurrentAddress = false;

  std::vector<AdapterRecord> records(2);
  std::size_t needed = 0;
  ASSERT_EQ(EnumerateAdapters(ipHelper, records, &needed), 0);
  EXPECT_EQ(needed, 2u);
  const AdapterRecord& record = records[0];
  EXPECT_EQ(record.adapterName, "{adapter-7}");
  EXPECT_EQ(record.description, "Ethernet");
  EXPECT_EQ(record.primaryWinsServer, "10.9.9.1");
  EXPECT_EQ(record.secondaryWinsServer, "10.9.9.2");
  EXPECT_EQ(record.dhcpServer, "10.1.1.254");
  EXPECT_EQ(record.currentAddress, "10.1.1.5");
  EXPECT_EQ(record.currentMask, "255.255.255.0");
  EXPECT_EQ(record.interfaceIndex, 7u);
  EXPECT_EQ(record.adapterType, 6u);
  EXPECT_EQ(record.dhcpEnabled, 1u);
  EXPECT_EQ(record.hasWins, 1u);
  EXPECT_EQ(record.dnsServers, (std::vector<std::string>{"10.1.1.53", "10.1.1.54"}));
  EXPECT_EQ(record.leaseObtained, 1000);
  EXPECT_EQ(record.leaseExpires, 2000);
  EXPECT_EQ(record.macText, "001A2B3C4D5E");  // six bytes, whatever the stated length
  // Without a current-address entry, and with a short hardware address.
  EXPECT_EQ(records[1].currentAddress, "0.0.0.0");
  EXPECT_EQ(records[1].currentMask, "0.0.0.0");
  EXPECT_EQ(records[1].macText, "010200000000");
  EXPECT_TRUE(records[1].dnsServers.empty());

  std::vector<AdapterRecord> tooFew(1);
  EXPECT_EQ(EnumerateAdapters(ipHelper, tooFew, &needed), platform::kErrorInsufficientBuffer);
  EXPECT_EQ(tooFew[0].macText, "");
}

TEST(NetworkInfo, NoAdapterIsReportedAndLeavesTheListsEmpty) {
  FakeIpHelper ipHelper;
  ReportLog report;
  std::string macList, gatewayList;

  EXPECT_EQ(ReadNetworkInfo(report, ipHelper, &macList, &gatewayList), "");
  EXPECT_EQ(report.Text(), "  -. No Network Adapters Found on System.\r\n");
  EXPECT_EQ(macList, "");
  EXPECT_EQ(gatewayList, "");
}

// The platform named the list's size but then failed to fill it: there are adapters, unread.
TEST(NetworkInfo, AListThatCouldNotBeReadIsNotReportedAsNoAdapter) {
  const auto a = FakeAdapter(kMacA, "10.1.1.5", "10.1.1.1", 1);
  const auto b = FakeAdapter(kMacB, "10.2.2.5", "10.2.2.1", 2);
  const struct {
    const char* name;
    std::vector<std::vector<platform::AdapterDescription>> reads;
    std::set<std::size_t> failedReads;
    const char* ipList;
  } cases[] = {
      {"both reads fail", {}, {0, 1}, ""},
      {"the filling read fails", {{a, b}}, {1}, ""},
      // The failed count asks for one record, which the second read fills.
      {"the counting read fails", {{b}}, {0}, "10.2.2.5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeIpHelper ipHelper;
    ipHelper.reads = c.reads;
    ipHelper.failedReads = c.failedReads;
    ReportLog report;
    std::string macList, gatewayList;

    EXPECT_EQ(ReadNetworkInfo(report, ipHelper, &macList, &gatewayList), c.ipList);
    EXPECT_EQ(report.Text(), "");
    EXPECT_EQ(macList.empty(), *c.ipList == '\0');
    EXPECT_EQ(ipHelper.listCalls, 2u);
  }
}

// The platform's list may change between counting and filling.
TEST(NetworkInfo, SecondReadWithMoreAdaptersFillsNothingAndWithFewerLeavesTheLastEmpty) {
  const auto a = FakeAdapter(kMacA, "10.1.1.5", "10.1.1.1", 1);
  const auto b = FakeAdapter(kMacB, "10.2.2.5", "10.2.2.1", 2);
  const auto c = FakeAdapter(kMacC, "10.3.3.5", "10.3.3.1", 3);
  ReportLog report;

  FakeIpHelper more;
  more.reads = {{a, b}, {a, b, c}};
  std::string macList, gatewayList;
  EXPECT_EQ(ReadNetworkInfo(report, more, &macList, &gatewayList), "");
  EXPECT_EQ(macList + gatewayList, "");

  FakeIpHelper fewer;
  fewer.reads = {{a, b}, {b}};
  EXPECT_EQ(ReadNetworkInfo(report, fewer, &macList, &gatewayList), "10.2.2.5");
  EXPECT_EQ(macList, "AABBCC010203");
  EXPECT_EQ(report.Text(), "");
}

}  // namespace
