// The hardware section as a check run writes it.
#include <gtest/gtest.h>

#include "client_fixture.h"
#include "fakes/identify_blocks.h"
#include "sysinfo/system_information.h"

namespace {

class SystemInformation : public testing::Test, protected ClientFixture {
protected:
  std::string Section() {
    ReportSystemInformation(report, ports);
    return report.Text();
  }
  void SetDiskSerial(std::string_view serial) {
    std::vector<std::uint8_t> answer(24);
    answer[3] = 1;
    const auto data = AnswerWithBlock(16, MakeIdentifyBlock("DISK", serial, "1"));
    devices.devices["\\\\.\\PhysicalDrive0"] = {{0x00074080, {answer}}, {0x0007C088, {data}}};
  }
};

TEST_F(SystemInformation, ShowsEveryReadersValue) {
  ipHelper.reads = {{FakeAdapter({0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, "10.1.1.5", "10.1.1.1")}};
  const std::string settings = R"(Software\Microsoft\Windows\CurrentVersion\Internet Settings)";
  registry.SetValue(platform::kCurrentUser, settings, "ProxyEnable", std::string("\x01\0\0\0", 4));
  registry.SetString(platform::kCurrentUser, settings, "ProxyServer", "http=proxy:8080");
  SetDiskSerial(" WD-123");
  system.systemDirectory = R"(D:\WINNT\system32)";
  volumes.serials["D:\\"] = 0xABCDEF;

  EXPECT_EQ(Section(), Transcript(R"(
{==}
하드웨어 정보 추출 검사
{==}

  -. Network Info ============================
    -. IP Address : 10.1.1.5
    -. Mac Address : 001A2B3C4D5E
    -. Gateway Address : 10.1.1.1
    -. Proxy Address : proxy:8080

  -. HardWare Info ===========================
    -. HDD Pysical Serial : WD-123
    -. HDD Logical Serial : 00ABCDEF

검사 완료
)"));
  EXPECT_EQ(registry.OpenHandles(), 0);
}

TEST_F(SystemInformation, NothingFoundLeavesEmptyValuesAfterTheLabels) {
  ipHelper.reads.clear();
  volumes.serials.clear();
  EXPECT_EQ(Section(), Transcript(R"(
{==}
하드웨어 정보 추출 검사
{==}

  -. No Network Adapters Found on System.
  -. Network Info ============================
    -. IP Address : 
    -. Mac Address : 
    -. Gateway Address : 
    -. Proxy Address : 

  -. HardWare Info ===========================
    -. HDD Pysical Serial : 
    -. HDD Logical Serial : 

검사 완료
)"));
}

TEST_F(SystemInformation, AdapterListThatCouldNotBeReadShowsEmptyValuesWithoutAMessage) {
  ipHelper.failedReads = {0, 1};
  const std::string text = Section();
  EXPECT_NE(text.find(Transcript(R"(
{==}

  -. Network Info ============================
    -. IP Address : 
    -. Mac Address : 
    -. Gateway Address : 
)")),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("No Network Adapters"), std::string::npos);
}

TEST_F(SystemInformation, SerialWithAByteAbove7FTakesTheTwoLineForm) {
  SetDiskSerial("AB\x80Z");
  const std::string text = Section();
  EXPECT_NE(text.find(Transcript("  -. HardWare Info ===========================\n"
                                 "  -. HDD Serial을 구할 수 없습니다.\n"
                                 "    -. HDD Serial Error : AB\x80Z\n"
                                 "    -. HDD Logical Serial : 1C2D3E4F\n")),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("HDD Pysical Serial"), std::string::npos);
}

}  // namespace
