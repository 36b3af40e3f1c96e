#include "app/report_box.h"

#include <string>

void AppendToReportBox(HWND box, std::string_view text) {
  const std::string added(text);
  // The box is a Unicode window: its length and positions count UTF-16 units.
  const LRESULT end = SendMessageW(box, WM_GETTEXTLENGTH, 0, 0);
  SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(end), end);
  // The ANSI message converts from the code page; the caret ends up after the new text.
  SendMessageA(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(added.c_str()));
  SendMessageW(box, EM_SCROLLCARET, 0, 0);
  UpdateWindow(box);
}

void ClearReportBox(HWND box) {
  SetWindowTextW(box, L"");
  UpdateWindow(box);
}
