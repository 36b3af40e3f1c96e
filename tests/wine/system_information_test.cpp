// The system information readers over Wine's own IP helper, registry, volumes and devices.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <regex>

#include "platform/win32/win32_com.h"
#include "platform/win32/win32_device_control.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_ip_helper.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_volume.h"
#include "platform/win32/win32_xml_http.h"
#include "platform/win32/wide_text.h"
#include "sysinfo/disk_id_reader.h"
#include "sysinfo/network_info.h"
#include "sysinfo/proxy_reader.h"
#include "sysinfo/system_information.h"
#include "sysinfo/volume_serial.h"

namespace {

using namespace platform::win32;

// The real devices, with every open and close counted.
struct CountingDeviceControl final : platform::DeviceControl {
  Win32DeviceControl real;
  int opens = 0;
  int closes = 0;

  std::uint32_t PlatformId() override { return real.PlatformId(); }
  bool Open(const std::string& name, std::uint32_t access, std::uint32_t share, std::uint32_t disposition,
            std::uint32_t flags, platform::DeviceHandle* device) override {
    const bool opened = real.Open(name, access, share, disposition, flags, device);
    opens += opened;
    return opened;
  }
  int Control(platform::DeviceHandle device, std::uint32_t code, const void* input, std::uint32_t inputSize,
              void* output, std::uint32_t outputSize, std::uint32_t* returned) override {
    return real.Control(device, code, input, inputSize, output, outputSize, returned);
  }
  void Close(platform::DeviceHandle device) override {
    ++closes;
    real.Close(device);
  }
  void SetPriorityClass(std::uint32_t priorityClass) override { real.SetPriorityClass(priorityClass); }
};

TEST(SystemInformationUnderWine, RealAdaptersAndVolumeSerialReachTheReport) {
  Win32IpHelper ipHelper;
  const platform::AdapterList list = ipHelper.ListAdapters();
  ASSERT_FALSE(list.readFailed);
  const std::vector<platform::AdapterDescription>& adapters = list.adapters;
  ASSERT_FALSE(adapters.empty()) << "Wine lists the host's network interfaces";

  Win32Registry registry;
  CountingDeviceControl devices;
  Win32System system;
  Win32Volumes volumes;
  Win32ComRuntime com;
  Win32FileSystem files;
  Win32XmlHttp xmlHttp;
  Win32Shell shell;
  ReportLog report;
  ReportSystemInformation(report, {registry, com, files, system, xmlHttp, ipHelper, volumes, devices, shell});
  const std::string& text = report.Text();

  // The first adapter with an address leads each list.
  const auto kept = std::find_if(adapters.begin(), adapters.end(), [](const platform::AdapterDescription& adapter) {
    return !adapter.ipAddresses.empty() && adapter.ipAddresses[0].address.find("0.0.0.0") == std::string::npos;
  });
  ASSERT_NE(kept, adapters.end());
  EXPECT_NE(text.find("    -. IP Address : " + kept->ipAddresses[0].address), std::string::npos) << text;
  const std::vector<std::uint8_t>& bytes = kept->hardwareAddress;
  ASSERT_GE(bytes.size(), 6u);
  char mac[13];
  std::snprintf(mac, sizeof mac, "%02X%02X%02X%02X%02X%02X", bytes[0], bytes[1], bytes[2], bytes[3], bytes[4], bytes[5]);
  EXPECT_NE(text.find(std::string("    -. Mac Address : ") + mac), std::string::npos) << text;

  const std::string serial = ReadVolumeSerial(system, volumes);
  EXPECT_TRUE(std::regex_match(serial, std::regex("[0-9A-F]{8}"))) << serial;
  DWORD expected = 0;
  ASSERT_TRUE(GetVolumeInformationA("C:\\", nullptr, 0, &expected, nullptr, nullptr, nullptr, 0));
  EXPECT_EQ(std::stoul(serial, nullptr, 16), expected);
  EXPECT_NE(text.find("    -. HDD Logical Serial : " + serial + "\r\n"), std::string::npos) << text;
  EXPECT_EQ(devices.opens, devices.closes);
}

// Wine offers no disk that answers identification requests: every method ends cleanly, with every
// device it opened closed again.
TEST(SystemInformationUnderWine, DiskMethodsEndCleanlyOnWinesDevices) {
  CountingDeviceControl devices;
  EXPECT_EQ(devices.PlatformId(), 2u);
  DiskIdReader reader(devices);
  reader.ReadPhysicalDriveInNTWithAdminRights();
  reader.ReadDriveViaScsiMiniport();
  reader.ReadDriveViaSmart();
  reader.ReadDriveViaStorageQuery();
  EXPECT_GT(devices.opens, 0) << "Wine offers some of the devices asked for";
  EXPECT_EQ(devices.opens, devices.closes);

  const std::string serial = ReadPhysicalDiskSerial(devices);
  EXPECT_EQ(serial.find_first_of(" \t\r\n"), std::string::npos) << serial;
  EXPECT_EQ(devices.opens, devices.closes);
}

class ProxyUnderWine : public testing::Test {
protected:
  static constexpr char kSettings[] = R"(Software\Microsoft\Windows\CurrentVersion\Internet Settings)";

  void SetUp() override {
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettings, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &m_key,
                              nullptr),
              ERROR_SUCCESS);
    Save("ProxyEnable", &m_enable);
    Save("ProxyServer", &m_server);
  }
  void TearDown() override {
    Restore("ProxyEnable", m_enable);
    Restore("ProxyServer", m_server);
    RegCloseKey(m_key);
  }

  void SetProxy(DWORD enable, const std::string& server) {
    RegSetValueExA(m_key, "ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enable), sizeof enable);
    const std::wstring text = platform::win32::Wide(server);
    RegSetValueExW(m_key, L"ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }

private:
  struct Saved {
    bool present = false;
    DWORD type = 0;
    std::vector<BYTE> data;
  };
  void Save(const char* name, Saved* saved) {
    DWORD size = 0;
    if (RegQueryValueExA(m_key, name, nullptr, &saved->type, nullptr, &size) != ERROR_SUCCESS) return;
    saved->data.resize(size);
    saved->present = RegQueryValueExA(m_key, name, nullptr, &saved->type, saved->data.data(), &size) == ERROR_SUCCESS;
  }
  void Restore(const char* name, const Saved& saved) {
    if (!saved.present) {
      RegDeleteValueA(m_key, name);
      return;
    }
    RegSetValueExA(m_key, name, 0, saved.type, saved.data.data(), static_cast<DWORD>(saved.data.size()));
  }

  HKEY m_key = nullptr;
  Saved m_enable;
  Saved m_server;
};

TEST_F(ProxyUnderWine, ReadFromTheCurrentUsersSettings) {
  Win32Registry registry;
  SetProxy(1, "http=Proxy.Local:3128;https=p2:8443");
  EXPECT_EQ(ReadProxyAddress(registry), "proxy.local:3128");
  SetProxy(0, "http=Proxy.Local:3128");
  EXPECT_EQ(ReadProxyAddress(registry), "");
}

// Letters outside the code page too: the list comes in whole, and only ASCII letters are lowered.
TEST_F(ProxyUnderWine, LowerCasesAsciiLettersOnly) {
  Win32Registry registry;
  SetProxy(1, "http=갂Proxy.Ăn:3128");
  EXPECT_EQ(ReadProxyAddress(registry), "갂proxy.Ăn:3128");
}

}  // namespace
