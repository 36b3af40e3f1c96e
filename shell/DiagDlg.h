#pragma once
// The main dialog: binds its controls to the portable commands and shows their report.
#include "shell/dialog.h"
#include "session/diag_session.h"
#include "shell/win32_ports.h"
#include "res/resource.h"

class CDiagDlg final : public CDialog, public DialogView, public ReportMirror {
public:
  CDiagDlg();

  // The report box, as the report log sees it.
  void ClearReport() override;
  void AppendReport(std::string_view text) override;
  // The host field and the message boxes, as the commands see them.
  std::string ReadHost() override;
  bool ConfirmYesNo(Question question, const std::string& text) override;
  void ShowError(const std::string& text) override;
  void ShowInfo(const std::string& text) override;
  std::optional<SaveChoice> ChooseSaveFile(const std::string& suggestedName) override;
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
  DiagSession m_session{m_platform.All(), *this, *this};
};

// The About box: its OK button closes it.
class CAboutDlg final : public CDialog {
public:
  CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};
