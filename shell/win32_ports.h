#pragma once
// The Win32 adapters of every port the commands use: one set for the dialog or for a run without it.
#include "platform/ports.h"
#include "platform/win32/win32_com.h"
#include "platform/win32/win32_device_control.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_ip_helper.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_volume.h"
#include "platform/win32/win32_xml_http.h"

struct Win32Ports {
  platform::win32::Win32Registry registry;
  platform::win32::Win32ComRuntime com;
  platform::win32::Win32FileSystem files;
  platform::win32::Win32System system;
  platform::win32::Win32XmlHttp xmlHttp;
  platform::win32::Win32IpHelper ipHelper;
  platform::win32::Win32Volumes volumes;
  platform::win32::Win32DeviceControl devices;
  platform::win32::Win32Shell shell;

  platform::Ports All() { return {registry, com, files, system, xmlHttp, ipHelper, volumes, devices, shell}; }
};
