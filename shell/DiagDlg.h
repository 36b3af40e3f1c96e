#pragma once
// The main dialog: binds its controls to the portable commands and shows their report.
#include "shell/dialog.h"
#include "session/diag_session.h"
#include "shell/win32_ports.h"
#include "res/resource.h"

class CDiagDlg final : public CDialog, public platform::DialogView {
public:
  CDiagDlg();

  // The report box and host field as the commands see them.
  void ClearReport() override;
  void AppendReport(std::string_view text) override;
  std::string ReadHost() override;
  bool ConfirmYesNo(const std::string& text) override;
  void ShowError(const std::string& text) override;
  void ShowInfo(const std::string& text) override;
  std::optional<platform::SaveChoice> ChooseSaveFile(const std::string& suggestedName) override;
  bool PutOnClipboard(const std::string& text) override;

protected:
  bool OnInit() override;
  bool OnButtonClicked(WORD id) override;
  bool OnSysCommand(WPARAM command) override;
  bool OnPaint() override;
  HICON OnQueryDragIcon() override { return m_hIcon; }

private:
  HICON m_hIcon;
  HWND m_editReport = nullptr;

  Win32Ports m_platform;
  DiagSession m_session{m_platform.All(), *this};
};

// The About box: its OK button closes it.
class CAboutDlg final : public CDialog {
public:
  CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};
