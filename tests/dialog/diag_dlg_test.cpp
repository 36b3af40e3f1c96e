// The main dialog's window as the commands see it, in a real window: report box, host field, system
// menu and About box.
#include "shell/DiagDlg.h"
#include "platform/win32/wide_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>

namespace {

using Body = std::function<void(CDiagDlg&)>;

CDiagDlg* g_dialog = nullptr;
const Body* g_body = nullptr;

void CALLBACK RunBody(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  (*g_body)(*g_dialog);
  PostMessageW(g_dialog->GetHwnd(), WM_COMMAND, IDOK, 0);
}

// Runs the dialog modally and calls the body from the dialog's own message loop, as a command
// handler is called; the dialog closes when the body returns.
void WithDialog(const Body& body) {
  CDiagDlg dialog;
  g_dialog = &dialog;
  g_body = &body;
  SetTimer(nullptr, 0, 0, RunBody);
  EXPECT_EQ(dialog.DoModal(), IDOK);
}

std::string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return platform::win32::Utf8(text);
}

TEST(DiagDlg, StartsWithFocusInHostFieldAndItsEntriesLastInSystemMenu) {
  WithDialog([](CDiagDlg& dialog) {
    const HWND window = dialog.GetHwnd();
    EXPECT_EQ(WindowText(window), "MendrelDiag");
    EXPECT_EQ(GetFocus(), GetDlgItem(window, IDC_HOST));
    EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_SMALL, 0), 0);

    // Below a separator: About, then saving and copying the report.
    const struct {
      UINT id;
      const char* text;
    } entries[] = {
        {IDM_ABOUTBOX, "MendrelDiag 정보(&A)..."},
        {IDM_SAVE_REPORT, "보고서 저장(&S)..."},
        {IDM_COPY_REPORT, "보고서 복사(&C)"},
    };
    const HMENU menu = GetSystemMenu(window, FALSE);
    const int first = GetMenuItemCount(menu) - static_cast<int>(std::size(entries));
    ASSERT_GE(first, 1);
    EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(first - 1), MF_BYPOSITION) & MF_SEPARATOR);
    for (int i = 0; i < static_cast<int>(std::size(entries)); ++i) {
      const auto position = static_cast<UINT>(first + i);
      EXPECT_EQ(GetMenuItemID(menu, static_cast<int>(position)), entries[i].id);
      wchar_t text[64] = {};
      GetMenuStringW(menu, position, text, static_cast<int>(std::size(text)), MF_BYPOSITION);
      EXPECT_EQ(platform::win32::Utf8(text), entries[i].text);
    }
  });
}

HWND g_aboutBox = nullptr;
std::string g_aboutCaption;

void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  g_aboutBox = GetActiveWindow();
  g_aboutCaption = WindowText(g_aboutBox);
  PostMessageW(g_aboutBox, WM_COMMAND, IDOK, 0);
}

TEST(DiagDlg, AboutEntryShowsTheAboutBox) {
  WithDialog([](CDiagDlg& dialog) {
    g_aboutBox = nullptr;
    g_aboutCaption.clear();
    SetTimer(nullptr, 0, 0, CloseAboutBox);
    // Returns once the About box has closed again.
    SendMessageW(dialog.GetHwnd(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    ASSERT_NE(g_aboutBox, nullptr);
    EXPECT_NE(g_aboutBox, dialog.GetHwnd());
    EXPECT_EQ(g_aboutCaption, "MendrelDiag 정보");
  });
}

TEST(DiagDlg, AppendsAtTheEndAndKeepsTheLastLineInView) {
  WithDialog([](CDiagDlg& dialog) {
    const HWND box = GetDlgItem(dialog.GetHwnd(), IDC_REPORT);
    std::string expected;
    // Beyond an edit control's default limit of 32767 characters.
    for (int i = 0; i < 180; ++i) {
      const std::string line = "  -. 검사 줄 " + std::to_string(i) + std::string(180, '=') + "\r\n";
      dialog.AppendReport(line);
      expected += line;
      // A selection the user left in the box must not move where the next line goes.
      if (i == 90) SendMessageW(box, EM_SETSEL, 0, 5);
    }
    // Letters that the code page lacks stay whole.
    dialog.AppendReport("에러 메세지 : 첫째 줄\r\n둘째 줄 Tiếng Việt\r\n");
    expected += "에러 메세지 : 첫째 줄\r\n둘째 줄 Tiếng Việt\r\n";
    EXPECT_EQ(WindowText(box), expected);

    DWORD start = 0, end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, static_cast<DWORD>(GetWindowTextLengthW(box)));
    EXPECT_EQ(end, start);

    // The last line with text ("둘째 줄") lies inside the box's client area.
    const LRESULT lines = SendMessageW(box, EM_GETLINECOUNT, 0, 0);
    const LRESULT lastText = SendMessageW(box, EM_LINEINDEX, static_cast<WPARAM>(lines - 2), 0);
    const LRESULT position = SendMessageW(box, EM_POSFROMCHAR, static_cast<WPARAM>(lastText), 0);
    RECT client;
    GetClientRect(box, &client);
    EXPECT_GT(SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_GE(static_cast<short>(HIWORD(position)), client.top);
    EXPECT_LT(static_cast<short>(HIWORD(position)), client.bottom);
  });
}

TEST(DiagDlg, ClearEmptiesTheBoxAndHostIsReadAsTyped) {
  WithDialog([](CDiagDlg& dialog) {
    dialog.AppendReport("x\r\n");
    dialog.ClearReport();
    EXPECT_EQ(GetWindowTextLengthW(GetDlgItem(dialog.GetHwnd(), IDC_REPORT)), 0);

    EXPECT_EQ(dialog.ReadHost(), "");
    SetDlgItemTextW(dialog.GetHwnd(), IDC_HOST, L"시험.Việt.example.com");
    EXPECT_EQ(dialog.ReadHost(), "시험.Việt.example.com");
  });
}

TEST(DiagDlg, PutsTheReportOnTheClipboardWithTheLocaleOfItsCodePage) {
  WithDialog([](CDiagDlg& dialog) {
    ASSERT_TRUE(dialog.PutOnClipboard("검사 완료\r\n"));
    ASSERT_TRUE(OpenClipboard(dialog.GetHwnd()));
    const HANDLE unicode = GetClipboardData(CF_UNICODETEXT);
    const HANDLE ansi = GetClipboardData(CF_TEXT);
    const HANDLE locale = GetClipboardData(CF_LOCALE);
    ASSERT_TRUE(unicode && ansi && locale);
    EXPECT_STREQ(static_cast<const wchar_t*>(GlobalLock(unicode)), L"검사 완료\r\n");
    // Made by the system in the locale's code page, CP949 for the tests.
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(ansi)), "\xB0\xCB\xBB\xE7 \xBF\xCF\xB7\xE1\r\n");
    EXPECT_EQ(*static_cast<const LCID*>(GlobalLock(locale)), GetSystemDefaultLCID());
    for (const HANDLE data : {unicode, ansi, locale}) GlobalUnlock(data);
    CloseClipboard();
  });
}

// A dialog whose button fails as a port might, with an exception.
class FailingDialog final : public CDialog {
public:
  static constexpr WORD kFailingButton = 999;
  FailingDialog() : CDialog(IDD_ABOUTBOX) {}

protected:
  bool OnButtonClicked(WORD id) override {
    if (id == kFailingButton) throw std::runtime_error("port fault");
    return CDialog::OnButtonClicked(id);
  }
};

std::string g_messageText;

void CALLBACK CloseMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  const HWND box = GetActiveWindow();
  g_messageText = WindowText(GetDlgItem(box, 0xFFFF));  // the message box's text
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

void CALLBACK PressFailingButtonThenClose(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  const HWND dialog = GetActiveWindow();
  SetTimer(nullptr, 0, 0, CloseMessageBox);
  // The exception must end in a message box, not unwind through the system's frames.
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(FailingDialog::kFailingButton, BN_CLICKED), 0);
  EXPECT_TRUE(IsWindow(dialog));
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST(Dialog, AnExceptionInAHandlerIsShownAndTheDialogStays) {
  g_messageText.clear();
  FailingDialog dialog;
  SetTimer(nullptr, 0, 0, PressFailingButtonThenClose);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(g_messageText,
            "예기치 않은 오류로 작업을 마치지 못했습니다. 다시 시도하거나 프로그램을 다시 시작하세요.\r\n\r\nport fault");
}

}  // namespace
