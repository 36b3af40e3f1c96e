#pragma once
// A modal dialog from a resource template. The base owns the window handle and turns the few
// messages the program handles into virtual calls; everything else goes to the dialog manager.
#include <windows.h>

#include <string>

// A message box (MessageBoxW, the text given in UTF-8) captioned with the executable's base name.
int ShowMessageBox(HWND owner, const std::string& text, UINT type);

class CDialog {
public:
  explicit CDialog(UINT templateId) : m_templateId(templateId) {}
  virtual ~CDialog() = default;
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Shows the dialog and returns once it has ended, with the value given to End.
  INT_PTR DoModal(HWND parent = nullptr);
  HWND GetHwnd() const { return m_hWnd; }

protected:
  void End(INT_PTR result) { EndDialog(m_hWnd, result); }
  HWND GetItem(int id) const { return GetDlgItem(m_hWnd, id); }
  // A message box owned by the dialog.
  int ShowMessage(const std::string& text, UINT type) const { return ShowMessageBox(m_hWnd, text, type); }

  // Return true to have the dialog manager put the focus on the first tab stop.
  virtual bool OnInit() { return true; }
  // Button clicks go on to OnButtonClicked; return false to leave a command to the dialog manager.
  virtual bool OnCommand(WORD code, WORD id);
  // OK (also Enter without a default button) and Cancel (also Esc and the close box) end the dialog.
  virtual bool OnButtonClicked(WORD id);
  // WM_SYSCOMMAND; return false for the default handling.
  virtual bool OnSysCommand(WPARAM /*command*/) { return false; }
  // WM_PAINT; return false to let the dialog manager paint.
  virtual bool OnPaint() { return false; }
  // WM_QUERYDRAGICON; no icon leaves it to the system.
  virtual HICON OnQueryDragIcon() { return nullptr; }

private:
  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  UINT m_templateId;
  HWND m_hWnd = nullptr;
};
