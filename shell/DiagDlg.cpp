#include "shell/DiagDlg.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cstring>
#include <utility>

#include "shell/report_box.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
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

// A text of the string table. With no buffer, LoadStringW hands out the resource's own text.
std::wstring ResourceText(UINT id) {
  const wchar_t* text = nullptr;
  const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

// The user's documents folder; empty when the system has none.
std::wstring DocumentsFolder() {
  wchar_t folder[MAX_PATH] = {};
  return SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder)) ? folder : L"";
}

// A copy of bytes in a movable global block, handed to the clipboard, which then owns it.
bool SetClipboardBytes(UINT format, const void* bytes, std::size_t size) {
  platform::win32::unique_hglobal block(GlobalAlloc(GMEM_MOVEABLE, size));
  void* target = block ? GlobalLock(block.get()) : nullptr;
  if (!target) return false;
  std::memcpy(target, bytes, size);
  GlobalUnlock(block.get());
  if (!SetClipboardData(format, block.get())) return false;
  block.release();
  return true;
}

}  // namespace

CDiagDlg::CDiagDlg()
    : CDialog(IDD_MAIN), m_hIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

bool CDiagDlg::OnInit() {
  m_editReport = GetItem(IDC_REPORT);
  // The report has no limit of its own; the box's default one would cut a long run short.
  SendMessageW(m_editReport, EM_SETLIMITTEXT, 0, 0);

  if (HMENU systemMenu = GetSystemMenu(GetHwnd(), FALSE)) {
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    for (const auto& [command, text] : {std::pair{IDM_ABOUTBOX, IDS_ABOUTBOX}, std::pair{IDM_SAVE_REPORT, IDS_SAVE_REPORT},
                                       std::pair{IDM_COPY_REPORT, IDS_COPY_REPORT}}) {
      AppendMenuW(systemMenu, MF_STRING, command, ResourceText(text).c_str());
    }
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
      m_session.OnCleanupRegularUsers();
      return true;
    case IDC_CLEAN_STANDARD:
      m_session.OnCleanupStandardUsers();
      return true;
    default:
      return CDialog::OnButtonClicked(id);
  }
}

bool CDiagDlg::OnSysCommand(WPARAM command) {
  // The system keeps the low four bits of a command number for itself.
  switch (command & 0xFFF0) {
    case IDM_ABOUTBOX: {
      CAboutDlg about;
      about.DoModal(GetHwnd());
      return true;
    }
    case IDM_SAVE_REPORT:
      m_session.OnSaveReport();
      return true;
    case IDM_COPY_REPORT:
      m_session.OnCopyReport();
      return true;
    default:
      return false;
  }
}

std::optional<SaveChoice> CDiagDlg::ChooseSaveFile(const std::string& suggestedName) {
  std::wstring file = platform::win32::Wide(suggestedName);
  file.resize(32768);  // room for the longest path the user may choose
  const std::wstring folder = DocumentsFolder();
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetHwnd();
  // In the order of SaveChoice::fileType.
  dialog.lpstrFilter = L"텍스트 파일 (*.txt)\0*.txt\0JSON 문서 (*.json)\0*.json\0모든 파일 (*.*)\0*.*\0";
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrDefExt = L"txt";
  // The current folder stays where it was: the repair files are written there.
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&dialog)) return std::nullopt;
  return SaveChoice{platform::win32::Utf8(file.c_str()), dialog.nFilterIndex};
}

bool CDiagDlg::PutOnClipboard(const std::string& text) {
  const std::wstring wide = platform::win32::Wide(text);
  // The system makes the ANSI text for readers that ask for it, in the code page of this locale;
  // left to itself, it would follow the keyboard layout instead.
  const LCID locale = GetSystemDefaultLCID();
  const platform::win32::unique_clipboard opened(OpenClipboard(GetHwnd()) != FALSE);
  return opened && EmptyClipboard() &&
         SetClipboardBytes(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t)) &&
         SetClipboardBytes(CF_LOCALE, &locale, sizeof locale);
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
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(GetItem(IDC_HOST))) + 1, L'\0');
  text.resize(GetDlgItemTextW(GetHwnd(), IDC_HOST, text.data(), static_cast<int>(text.size())));
  return platform::win32::Utf8(text);
}

// The user reads the question in its text; its name is for the views that answer by themselves.
bool CDiagDlg::ConfirmYesNo(Question, const std::string& text) {
  return ShowMessage(text, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

void CDiagDlg::ShowError(const std::string& text) { ShowMessage(text, MB_OK | MB_ICONSTOP); }

void CDiagDlg::ShowInfo(const std::string& text) { ShowMessage(text, MB_OK | MB_ICONINFORMATION); }
