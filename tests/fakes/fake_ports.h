#pragma once
// Every port of the dialog faked, and the dialog's commands over them.
#include "session/diag_session.h"
#include "fakes/fake_com_runtime.h"
#include "fakes/fake_device_control.h"
#include "fakes/fake_dialog_view.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_ip_helper.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_report_box.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_system.h"
#include "fakes/fake_volumes.h"
#include "fakes/fake_xml_http.h"

struct FakePorts {
  FakeRegistry registry;
  FakeComRuntime com;
  FakeFileSystem files;
  FakeSystem system;
  FakeXmlHttp xmlHttp;
  FakeIpHelper ipHelper;
  FakeVolumes volumes;
  FakeDeviceControl devices;
  FakeShell shell;
  platform::Ports ports{registry, com, files, system, xmlHttp, ipHelper, volumes, devices, shell};
  FakeDialogView view;
  FakeReportBox box;
  DiagSession session{ports, view, box};
};
