#include "shell/report_box.h"

#include <string>

#include "platform/win32/wide_text.h"

void AppendToReportBox(HWND box, std::string_view text) {
  const std::wstring added = platform::win32::Wide(text);
  // The box is a Unicode window: its length and positions count UTF-16 units.
  const LRESULT end = SendMessageW(box, WM_GETTEXTLENGTH, 0, 0);
  SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(end), end);
  // The caret ends up after the new text.
  SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(added.c_str()));
  SendMessageW(box, EM_SCROLLCARET, 0, 0);
  UpdateWindow(box);
}

void ClearReportBox(HWND box) {
  SetWindowTextW(box, L"");
  UpdateWindow(box);
}
