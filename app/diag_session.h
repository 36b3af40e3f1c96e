#pragma once
// The commands of the main dialog, free of any window: the dialog reads its controls through the
// view port and forwards each command here.
#include <optional>

#include "report/report_log.h"
#include "checks/check_context.h"
#include "platform/dialog_view.h"
#include "platform/shell.h"

struct Ports {
  platform::Registry& registry;
  platform::ComRuntime& com;
  platform::FileSystem& files;
  platform::System& system;
  platform::XmlHttp& xmlHttp;
  platform::IpHelper& ipHelper;
  platform::Volumes& volumes;
  platform::DeviceControl& devices;
  platform::Shell& shell;
  platform::DialogView& view;
};

class DiagSession {
public:
  explicit DiagSession(const Ports& ports) : m_ports(ports), m_report(ports.view) {}

  // The start button and Enter: the run's result code, nothing when the user declines to run
  // without a host. A repair file that cannot be written raises FileError.
  std::optional<CheckResult> OnStartCheck();
  // The run's advice for its code: writes the repair file first, or removes the kill-bit keys after.
  void ShowVerdict(CheckResult result);
  // Opens the product's install folder in the shell's file browser.
  void OnInstallFolder();
  void OnRegistryEditor();
  // The two registry clean-ups: machine-wide and per-user installations.
  void CleanupRegularUsers();
  void CleanupStandardUsers();

  const ReportLog& Report() const { return m_report; }
  const DiagState& State() const { return m_state; }

private:
  Ports m_ports;
  ReportLog m_report;
  DiagState m_state;
};
