#include "app/diag_session.h"

void DiagSession::OnStartCheck() {
  // Filled in by the check run.
}

void DiagSession::OnInstallFolder() {
  std::string folder;
  {
    platform::RegKey key;
    if (platform::OpenKey(m_ports.registry, platform::kLocalMachine, "Software\\Veltora\\CALYRAWeb_7",
                          platform::kKeyRead, &key) == platform::kErrorSuccess)
      platform::ReadStringValue(m_ports.registry, key.get(), "Install_Dir", 256, &folder);
  }
  // Without a folder the shell would open some default place instead: say so rather than guess.
  if (folder.empty()) {
    m_ports.view.ShowInfo("CALYRA Web 7.0 클라이언트의 설치 폴더를 찾을 수 없습니다.");
    return;
  }
  m_ports.shell.Execute("explore", folder, folder);
}

void DiagSession::OnRegistryEditor() { m_ports.shell.Execute("open", "regedit.exe", ""); }

void DiagSession::OnCleanRegular() {}

void DiagSession::OnCleanStandard() {}
