#include "app/DiagDlg.h"

#include "app/report_box.h"
#include "repair/file_error.h"

namespace {

// BeginPaint and EndPaint as one owner.
class PaintScope {
public:
  explicit PaintScope(HWND hWnd) : m_hWnd(hWnd), m_dc(BeginPaint(hWnd, &m_paint)) {}
  ~PaintScope() { EndPaint(m_hWnd, &m_paint); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return m_dc; }

private:
  HWND m_hWnd;
  PAINTSTRUCT m_paint{};
  HDC m_dc;
};

}  // namespace

CDiagDlg::CDiagDlg()
    : CDialog(IDD_MAIN), m_hIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

bool CDiagDlg::OnInit() {
  m_editReport = GetItem(IDC_REPORT);
  // The report has no limit of its own; the box's default one would cut a long run short.
  SendMessageW(m_editReport, EM_SETLIMITTEXT, 0, 0);

  // With no buffer, LoadStringW hands out the resource's own text and its length.
  const wchar_t* aboutText = nullptr;
  const int aboutLength =
      LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, reinterpret_cast<LPWSTR>(&aboutText), 0);
  if (HMENU systemMenu = GetSystemMenu(GetHwnd(), FALSE); systemMenu && aboutLength > 0) {
    const std::wstring about(aboutText, static_cast<std::size_t>(aboutLength));
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, about.c_str());
  }

  SendMessageW(GetHwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessageW(GetHwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
  return true;  // the focus goes to the first tab stop, the host field
}

bool CDiagDlg::OnButtonClicked(WORD id) {
  switch (id) {
    case IDC_START:
      // A repair file that cannot be written ends the verdict; the user is told which file and why.
      try {
        m_session.OnStartCheck();
      } catch (const FileError& error) {
        ShowError(error.Message());
      }
      return true;
    case IDC_INSTALL_FOLDER:
      m_session.OnInstallFolder();
      return true;
    case IDC_REGEDIT:
      m_session.OnRegistryEditor();
      return true;
    case IDC_CLEAN_REGULAR:
      m_session.CleanupRegularUsers();
      return true;
    case IDC_CLEAN_STANDARD:
      m_session.CleanupStandardUsers();
      return true;
    default:
      return CDialog::OnButtonClicked(id);
  }
}

bool CDiagDlg::OnSysCommand(WPARAM command) {
  // The system keeps the low four bits of a command number for itself.
  if ((command & 0xFFF0) != IDM_ABOUTBOX) return false;
  CAboutDlg about;
  about.DoModal(GetHwnd());
  return true;
}

bool CDiagDlg::OnPaint() {
  if (!IsIconic(GetHwnd())) return false;
  const PaintScope paint(GetHwnd());
  SendMessageW(GetHwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.dc()), 0);
  const int iconWidth = GetSystemMetrics(SM_CXICON);
  const int iconHeight = GetSystemMetrics(SM_CYICON);
  RECT client;
  GetClientRect(GetHwnd(), &client);
  const int x = (client.right - client.left - iconWidth + 1) / 2;
  const int y = (client.bottom - client.top - iconHeight + 1) / 2;
  DrawIcon(paint.dc(), x, y, m_hIcon);
  return true;
}

void CDiagDlg::ClearReport() { ClearReportBox(m_editReport); }

void CDiagDlg::AppendReport(std::string_view text) { AppendToReportBox(m_editReport, text); }

std::string CDiagDlg::ReadHost() {
  const HWND host = GetItem(IDC_HOST);
  // The ANSI length may exceed the text's; it is never smaller.
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(host)) + 1, '\0');
  const UINT copied = GetDlgItemTextA(GetHwnd(), IDC_HOST, text.data(), static_cast<int>(text.size()));
  text.resize(copied);
  return text;
}

bool CDiagDlg::ConfirmYesNo(const std::string& text) {
  return ShowMessage(text, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

void CDiagDlg::ShowError(const std::string& text) { ShowMessage(text, MB_OK | MB_ICONSTOP); }

void CDiagDlg::ShowInfo(const std::string& text) { ShowMessage(text, MB_OK | MB_ICONINFORMATION); }
