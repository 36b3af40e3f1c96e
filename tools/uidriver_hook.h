#pragma once
// What the UI driver's hook library hands back from inside the dialog's process. Menus and icons live
// in the process that made them: no other process can read a menu's items or tell which icon a handle
// shows, so the driver has its hook look there and hand the answer back.
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

// Sent to a message box of the dialog: the hook names the box's icon in the box's property
// kBoxIconProperty, as an index into kBoxIcons plus 1 (a property of 0 reads as absent).
inline const wchar_t kReadBoxIconMessage[] = L"MendrelDiag.uidriver.ReadBoxIcon";
inline const wchar_t kBoxIconProperty[] = L"MendrelDiag.uidriver.BoxIcon";

struct BoxIcon {
  WORD resource;  // the system icon that MessageBox shows for it
  const char* name;
};
inline const BoxIcon kBoxIcons[] = {
    {0, "no icon"},
    {32513, "stop"},         // IDI_HAND
    {32515, "exclamation"},  // IDI_EXCLAMATION
    {32516, "information"},  // IDI_ASTERISK
    {32514, "question"},     // IDI_QUESTION
};
