#include "app/diag_session.h"

void DiagSession::OnStartCheck() {
  // Filled in by the check run.
}

void DiagSession::OnInstallFolder() {}

void DiagSession::OnRegistryEditor() { m_ports.shell.Execute("open", "regedit.exe", ""); }
