#include "shell/dialog.h"

#include <shlwapi.h>

#include <cstring>
#include <exception>

#include "platform/win32/wide_text.h"

namespace {

// The executable's file name without folder and extension.
std::wstring ModuleBaseName() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) break;
    path.resize(path.size() * 2);  // truncated: try again with more room
  }
  std::wstring name = PathFindFileNameW(path.c_str());
  PathRemoveExtensionW(name.data());
  name.resize(std::wcslen(name.c_str()));
  return name;
}

// Templates place dialogs at 0, 0: like the dialogs of other programs, show them centred on their
// owner, or on the work area of the screen when they have none.
void CenterWindow(HWND hWnd) {
  RECT area;
  const HWND owner = GetWindow(hWnd, GW_OWNER);
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) {
    GetWindowRect(owner, &area);
  } else {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    area = monitor.rcWork;
  }
  RECT window;
  GetWindowRect(hWnd, &window);
  const int x = area.left + (area.right - area.left - (window.right - window.left)) / 2;
  const int y = area.top + (area.bottom - area.top - (window.bottom - window.top)) / 2;
  SetWindowPos(hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowUnexpectedFailure(HWND hWnd, const char* reason) {
  ShowMessageBox(hWnd,
                 std::string("예기치 않은 오류로 작업을 마치지 못했습니다. 다시 시도하거나 프로그램을 다시 시작하세요.\r\n\r\n") +
                     reason,
                 MB_OK | MB_ICONSTOP);
}

}  // namespace

INT_PTR CDialog::DoModal(HWND parent) {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), parent, DialogProc,
                         reinterpret_cast<LPARAM>(this));
}

int ShowMessageBox(HWND owner, const std::string& text, UINT type) {
  static const std::wstring caption = ModuleBaseName();
  return MessageBoxW(owner, platform::win32::Wide(text).c_str(), caption.c_str(), type);
}

bool CDialog::OnCommand(WORD code, WORD id) { return code == BN_CLICKED && OnButtonClicked(id); }

bool CDialog::OnButtonClicked(WORD id) {
  if (id != IDOK && id != IDCANCEL) return false;
  End(id);
  return true;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
    dialog->m_hWnd = hWnd;
  }
  // Messages that arrive before WM_INITDIALOG (font, creation) find no object yet.
  auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrW(hWnd, DWLP_USER));
  if (!dialog) return FALSE;
  // No exception may unwind through the system's frames: the user hears of it and the dialog stays.
  INT_PTR result = TRUE;
  try {
    result = dialog->OnMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    ShowUnexpectedFailure(hWnd, error.what());
  } catch (...) {
    ShowUnexpectedFailure(hWnd, "?");
  }
  if (message == WM_INITDIALOG) CenterWindow(hWnd);
  if (message == WM_NCDESTROY) dialog->m_hWnd = nullptr;
  return result;
}

INT_PTR CDialog::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInit();
    case WM_COMMAND:
      return OnCommand(HIWORD(wParam), LOWORD(wParam));
    case WM_SYSCOMMAND:
      return OnSysCommand(wParam);
    case WM_PAINT:
      return OnPaint();
    case WM_QUERYDRAGICON:
      // One of the messages whose answer a dialog procedure returns directly.
      return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
    default:
      return FALSE;
  }
}
