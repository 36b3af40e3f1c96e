#pragma once
// Every port to the machine that the commands use, as one set: the Win32 adapters in the program,
// fakes in the tests. A new port is a member here and one in each set.
#include "platform/com.h"
#include "platform/device_control.h"
#include "platform/files.h"
#include "platform/ip_helper.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/volume.h"
#include "platform/xml_http.h"

namespace platform {

struct Ports {
  Registry& registry;
  ComRuntime& com;
  FileSystem& files;
  System& system;
  XmlHttp& xmlHttp;
  IpHelper& ipHelper;
  Volumes& volumes;
  DeviceControl& devices;
  Shell& shell;
};

}  // namespace platform
