#pragma once
// The main dialog: binds its controls to the portable commands and shows their report.
#include "app/dialog.h"
#include "app/diag_session.h"
#include "platform/win32/win32_com.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_xml_http.h"
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

protected:
  bool OnInit() override;
  bool OnButtonClicked(WORD id) override;
  bool OnSysCommand(WPARAM command) override;
  bool OnPaint() override;
  HICON OnQueryDragIcon() override { return m_hIcon; }

private:
  HICON m_hIcon;
  HWND m_editReport = nullptr;

  platform::win32::Win32Registry m_registry;
  platform::win32::Win32ComRuntime m_com;
  platform::win32::Win32FileSystem m_files;
  platform::win32::Win32System m_system;
  platform::win32::Win32XmlHttp m_xmlHttp;
  platform::win32::Win32Shell m_shell;
  DiagSession m_session{Ports{m_registry, m_com, m_files, m_system, m_xmlHttp, m_shell, *this}};
};

// The About box: its OK button closes it.
class CAboutDlg final : public CDialog {
public:
  CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};
