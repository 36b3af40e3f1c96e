#pragma once
// What the UI driver's hook library hands back from inside the dialog's process. Menus live in the
// process that made them: no other process can read their items, so the driver has its hook read
// them there and send them back with WM_COPYDATA.
#include <windows.h>

// Sent to the dialog with the driver's receiving window as wParam.
inline const wchar_t kReadSystemMenuMessage[] = L"MendrelDiag.uidriver.ReadSystemMenu";
inline constexpr ULONG_PTR kSystemMenuData = 0x4D454E55;  // COPYDATASTRUCT::dwData of the answer

// The answer is an array of these, one per item, in menu order.
struct MenuItemRecord {
  UINT type;   // MFT_*
  UINT id;
  UINT state;  // MFS_*
  wchar_t text[256];
};
