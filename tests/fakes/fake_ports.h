#pragma once
// Every port of the dialog faked, and the dialog's commands over them.
#include "app/diag_session.h"
#include "fakes/fake_com_runtime.h"
#include "fakes/fake_dialog_view.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_system.h"
#include "fakes/fake_xml_http.h"

struct FakePorts {
  FakeRegistry registry;
  FakeComRuntime com;
  FakeFileSystem files;
  FakeSystem system;
  FakeXmlHttp xmlHttp;
  FakeShell shell;
  FakeDialogView view;
  DiagSession session{Ports{registry, com, files, system, xmlHttp, shell, view}};
};
