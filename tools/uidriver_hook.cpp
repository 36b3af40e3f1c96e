// The UI driver's hook library. The driver hooks the dialog's thread with it; Windows then loads it into
// the dialog's process, where it reads the system menu and sends the items back to the driver, and
// names the icon of a message box.
#include "tools/uidriver_hook.h"

#include <iterator>
#include <vector>

namespace {

// MessageBox shows the system's shared icons; in this process LoadIcon hands out the same handles again.
void NameBoxIcon(HWND box) {
  HICON shown = nullptr;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (lstrcmpiW(className, L"Static") == 0 && (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
      shown = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
  }
  std::size_t index = 0;
  for (std::size_t i = 1; i < std::size(kBoxIcons); ++i) {
    if (shown && shown == LoadIconW(nullptr, MAKEINTRESOURCEW(kBoxIcons[i].resource))) index = i;
  }
  SetPropW(box, kBoxIconProperty, reinterpret_cast<HANDLE>(index + 1));
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK UiDriverCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT readSystemMenu = RegisterWindowMessageW(kReadSystemMenuMessage);
  static const UINT readBoxIcon = RegisterWindowMessageW(kReadBoxIconMessage);
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == readBoxIcon) NameBoxIcon(call->hwnd);
  if (code == HC_ACTION && call->message == readSystemMenu) {
    std::vector<MenuItemRecord> items;
    HMENU menu = GetSystemMenu(call->hwnd, FALSE);
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
      MenuItemRecord record{};
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
      info.dwTypeData = record.text;
      info.cch = 256;
      if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
      record.type = info.fType;
      record.id = info.wID;
      record.state = info.fState;
      items.push_back(record);
    }
    COPYDATASTRUCT answer{kSystemMenuData, static_cast<DWORD>(items.size() * sizeof(MenuItemRecord)), items.data()};
    SendMessageW(reinterpret_cast<HWND>(call->wParam), WM_COPYDATA, reinterpret_cast<WPARAM>(call->hwnd),
                 reinterpret_cast<LPARAM>(&answer));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
