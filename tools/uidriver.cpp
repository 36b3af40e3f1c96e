// uidriver: drives the running MendrelDiag dialog the way a user would and prints what it shows,
// as UTF-8, for the end-to-end tests and the demo. Usage: uidriver COMMAND [ARG] [COMMAND [ARG]]...
// (the commands are listed in kCommands below, which the usage is made from). Each command is echoed
// as "> command args" before its output, so a transcript reads like the script that produced it.
// When a command fails, the driver names the failure and lists the windows it sees.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <commctrl.h>
#include <dlgs.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "res/resource.h"
#include "tools/uidriver_hook.h"

namespace {

using platform::win32::unique_clipboard;
using platform::win32::unique_file;
using platform::win32::unique_handle;
using UniqueHandle = unique_handle<HANDLE, CloseHandle>;
using UniqueModule = unique_handle<HMODULE, FreeLibrary>;
using UniqueWindow = unique_handle<HWND, DestroyWindow>;
using UniqueArgv = unique_handle<LPWSTR*, LocalFree>;
using UniqueHook = unique_handle<HHOOK, UnhookWindowsHookEx>;

const wchar_t kDialogClass[] = L"#32770";
const wchar_t kMainCaption[] = L"MendrelDiag";

DWORD g_timeoutMs = 30000;

std::string WindowList();

// The arguments are not understood: nothing on the screen has a part in that.
[[noreturn]] void Refuse(const std::string& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "uidriver: %s\n", message.c_str());
  std::exit(1);
}

// A step failed. What the screen showed goes with it, so that a run that nobody watched explains itself.
[[noreturn]] void Fail(const std::string& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "uidriver: %s\nuidriver: the windows at that moment:\n%s", message.c_str(), WindowList().c_str());
  std::exit(1);
}

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr,
                      nullptr);
  return result;
}

int ParseNumber(const std::wstring& text) {
  wchar_t* end = nullptr;
  const long value = std::wcstol(text.c_str(), &end, 0);
  if (text.empty() || *end != L'\0') Refuse("not a number: " + Utf8(text));
  return static_cast<int>(value);
}

// Texts on one line: line breaks and other control characters as C escapes.
std::string Quoted(std::wstring_view text) {
  std::string result = "\"";
  for (const char c : Utf8(text)) {
    switch (c) {
      case '\r': result += "\\r"; break;
      case '\n': result += "\\n"; break;
      case '\t': result += "\\t"; break;
      case '"': result += "\\\""; break;
      case '\\': result += "\\\\"; break;
      default: result += c;
    }
  }
  return result + "\"";
}

void Print(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

// Polls until ready() holds; false when the time limit passes first.
template <typename Ready>
bool WaitFor(Ready ready) {
  const ULONGLONG deadline = GetTickCount64() + g_timeoutMs;
  for (;;) {
    if (ready()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(20);
  }
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

// A busy window makes the call fail after the time limit instead of hanging the driver.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, g_timeoutMs, &result))
    Fail("window " + std::to_string(reinterpret_cast<std::uintptr_t>(window)) + " does not answer message " +
         std::to_string(message));
  return static_cast<LRESULT>(result);
}

std::wstring TextOf(HWND window) {
  const auto length = static_cast<std::size_t>(Send(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(length + 1, L'\0');
  const auto copied = static_cast<std::size_t>(
      Send(window, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data())));
  text.resize(copied < length ? copied : length);
  return text;
}

std::vector<HWND> ChildrenInOrder(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

// The program file of a process opened with PROCESS_QUERY_LIMITED_INFORMATION; empty when it cannot be told.
std::wstring ImagePath(HANDLE process) {
  wchar_t path[MAX_PATH * 4] = {};
  DWORD size = MAX_PATH * 4;
  if (!process || !QueryFullProcessImageNameW(process, 0, path, &size)) return {};
  return std::wstring(path, size);
}

std::wstring FileNameOf(std::wstring_view path) { return std::wstring(path.substr(path.find_last_of(L"\\/") + 1)); }

// ---- What is on the screen, for a failure ------------------------------------------------------

// The text the system keeps for a window. Unlike WM_GETTEXT it asks nothing of the window's program,
// which may be the one that hangs; an edit control's text shows only as it was created.
std::wstring KeptText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::string Handle(HWND window) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
  return text;
}

std::string WindowLine(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  std::string line = Handle(window) + " " + Utf8(ClassOf(window)) + " " + Quoted(KeptText(window));
  line += IsWindowVisible(window) ? " visible" : " hidden";
  if (!IsWindowEnabled(window)) line += " disabled";
  if (HWND owner = GetWindow(window, GW_OWNER)) line += " owner " + Handle(owner);
  return line + " process " + std::to_string(processId) + " " + Utf8(FileNameOf(ImagePath(process.get()))) + "\n";
}

BOOL CALLBACK AddTopLevel(HWND window, LPARAM windows) {
  reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  return TRUE;
}

// Every top-level window, front to back; the controls of the visible ones, with their ids and texts.
std::string WindowList() {
  std::vector<HWND> windows;
  EnumWindows(AddTopLevel, reinterpret_cast<LPARAM>(&windows));
  std::string list;
  for (HWND window : windows) {
    list += WindowLine(window);
    if (!IsWindowVisible(window)) continue;
    for (HWND child : ChildrenInOrder(window)) {
      list += "  " + Utf8(ClassOf(child)) + " " + std::to_string(static_cast<int>(GetDlgCtrlID(child))) + " " +
              Quoted(KeptText(child)) + (IsWindowEnabled(child) ? "" : " disabled") + "\n";
    }
  }
  return list;
}

// ---- Style names, so that a layout reads like the template it came from -------------------------

struct Flag {
  DWORD bits;
  const char* name;
};

// Names the set flags; whatever no name covers is shown in hex.
std::string FlagNames(DWORD value, const std::vector<Flag>& flags) {
  std::string names;
  for (const Flag& flag : flags) {
    if (flag.bits != 0 && (value & flag.bits) == flag.bits) {
      if (!names.empty()) names += '|';
      names += flag.name;
      value &= ~flag.bits;
    }
  }
  if (value != 0) {
    char rest[16];
    std::snprintf(rest, sizeof rest, "0x%lX", static_cast<unsigned long>(value));
    if (!names.empty()) names += '|';
    names += rest;
  }
  return names.empty() ? "0" : names;
}

const std::vector<Flag> kWindowFlags = {
    {WS_POPUP, "WS_POPUP"},         {WS_CHILD, "WS_CHILD"},         {WS_MINIMIZE, "WS_MINIMIZE"},
    {WS_VISIBLE, "WS_VISIBLE"},     {WS_DISABLED, "WS_DISABLED"},   {WS_CLIPSIBLINGS, "WS_CLIPSIBLINGS"},
    {WS_CLIPCHILDREN, "WS_CLIPCHILDREN"}, {WS_MAXIMIZE, "WS_MAXIMIZE"}, {WS_CAPTION, "WS_CAPTION"},
    {WS_BORDER, "WS_BORDER"},       {WS_DLGFRAME, "WS_DLGFRAME"},   {WS_VSCROLL, "WS_VSCROLL"},
    {WS_HSCROLL, "WS_HSCROLL"},     {WS_SYSMENU, "WS_SYSMENU"},     {WS_THICKFRAME, "WS_THICKFRAME"},
};
const std::vector<Flag> kTopLevelFlags = {{WS_MINIMIZEBOX, "WS_MINIMIZEBOX"}, {WS_MAXIMIZEBOX, "WS_MAXIMIZEBOX"}};
const std::vector<Flag> kChildFlags = {{WS_GROUP, "WS_GROUP"}, {WS_TABSTOP, "WS_TABSTOP"}};
const std::vector<Flag> kDialogFlags = {
    {DS_ABSALIGN, "DS_ABSALIGN"},   {DS_SYSMODAL, "DS_SYSMODAL"},     {DS_3DLOOK, "DS_3DLOOK"},
    {DS_FIXEDSYS, "DS_FIXEDSYS"},   {DS_NOFAILCREATE, "DS_NOFAILCREATE"}, {DS_LOCALEDIT, "DS_LOCALEDIT"},
    {DS_SETFONT, "DS_SETFONT"},     {DS_MODALFRAME, "DS_MODALFRAME"}, {DS_NOIDLEMSG, "DS_NOIDLEMSG"},
    {DS_SETFOREGROUND, "DS_SETFOREGROUND"}, {DS_CONTROL, "DS_CONTROL"}, {DS_CENTER, "DS_CENTER"},
    {DS_CENTERMOUSE, "DS_CENTERMOUSE"}, {DS_CONTEXTHELP, "DS_CONTEXTHELP"},
};
const std::vector<Flag> kEditFlags = {
    {ES_CENTER, "ES_CENTER"},         {ES_RIGHT, "ES_RIGHT"},           {ES_MULTILINE, "ES_MULTILINE"},
    {ES_UPPERCASE, "ES_UPPERCASE"},   {ES_LOWERCASE, "ES_LOWERCASE"},   {ES_PASSWORD, "ES_PASSWORD"},
    {ES_AUTOVSCROLL, "ES_AUTOVSCROLL"}, {ES_AUTOHSCROLL, "ES_AUTOHSCROLL"}, {ES_NOHIDESEL, "ES_NOHIDESEL"},
    {ES_OEMCONVERT, "ES_OEMCONVERT"}, {ES_READONLY, "ES_READONLY"},     {ES_WANTRETURN, "ES_WANTRETURN"},
    {ES_NUMBER, "ES_NUMBER"},
};
const std::vector<Flag> kButtonFlags = {
    {BS_LEFTTEXT, "BS_LEFTTEXT"}, {BS_ICON, "BS_ICON"},         {BS_BITMAP, "BS_BITMAP"},
    {BS_CENTER, "BS_CENTER"},     {BS_LEFT, "BS_LEFT"},         {BS_RIGHT, "BS_RIGHT"},
    {BS_VCENTER, "BS_VCENTER"},   {BS_TOP, "BS_TOP"},           {BS_BOTTOM, "BS_BOTTOM"},
    {BS_PUSHLIKE, "BS_PUSHLIKE"}, {BS_MULTILINE, "BS_MULTILINE"}, {BS_NOTIFY, "BS_NOTIFY"},
    {BS_FLAT, "BS_FLAT"},
};
const std::vector<Flag> kStaticFlags = {
    {SS_REALSIZECONTROL, "SS_REALSIZECONTROL"}, {SS_NOPREFIX, "SS_NOPREFIX"},   {SS_NOTIFY, "SS_NOTIFY"},
    {SS_CENTERIMAGE, "SS_CENTERIMAGE"},         {SS_RIGHTJUST, "SS_RIGHTJUST"}, {SS_REALSIZEIMAGE, "SS_REALSIZEIMAGE"},
    {SS_SUNKEN, "SS_SUNKEN"},                   {SS_EDITCONTROL, "SS_EDITCONTROL"}, {SS_ENDELLIPSIS, "SS_ENDELLIPSIS"},
    {SS_PATHELLIPSIS, "SS_PATHELLIPSIS"},       {SS_WORDELLIPSIS, "SS_WORDELLIPSIS"},
};
const std::vector<Flag> kExtendedFlags = {
    {WS_EX_DLGMODALFRAME, "WS_EX_DLGMODALFRAME"}, {WS_EX_NOPARENTNOTIFY, "WS_EX_NOPARENTNOTIFY"},
    {WS_EX_TOPMOST, "WS_EX_TOPMOST"},             {WS_EX_ACCEPTFILES, "WS_EX_ACCEPTFILES"},
    {WS_EX_TRANSPARENT, "WS_EX_TRANSPARENT"},     {WS_EX_MDICHILD, "WS_EX_MDICHILD"},
    {WS_EX_TOOLWINDOW, "WS_EX_TOOLWINDOW"},       {WS_EX_WINDOWEDGE, "WS_EX_WINDOWEDGE"},
    {WS_EX_CLIENTEDGE, "WS_EX_CLIENTEDGE"},       {WS_EX_CONTEXTHELP, "WS_EX_CONTEXTHELP"},
    {WS_EX_RIGHT, "WS_EX_RIGHT"},                 {WS_EX_RTLREADING, "WS_EX_RTLREADING"},
    {WS_EX_LEFTSCROLLBAR, "WS_EX_LEFTSCROLLBAR"}, {WS_EX_CONTROLPARENT, "WS_EX_CONTROLPARENT"},
    {WS_EX_STATICEDGE, "WS_EX_STATICEDGE"},       {WS_EX_APPWINDOW, "WS_EX_APPWINDOW"},
    {WS_EX_LAYERED, "WS_EX_LAYERED"},             {WS_EX_NOINHERITLAYOUT, "WS_EX_NOINHERITLAYOUT"},
    {WS_EX_LAYOUTRTL, "WS_EX_LAYOUTRTL"},         {WS_EX_COMPOSITED, "WS_EX_COMPOSITED"},
    {WS_EX_NOACTIVATE, "WS_EX_NOACTIVATE"},
};

std::vector<Flag> operator+(std::vector<Flag> a, const std::vector<Flag>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The type is a number in the low bits, not a set of flags.
std::string ControlStyle(const std::wstring& className, DWORD style) {
  const std::vector<Flag> window = kWindowFlags + kChildFlags;
  const std::string high = FlagNames(style & 0xFFFF0000, window);
  const DWORD low = style & 0xFFFF;
  std::string type;
  if (_wcsicmp(className.c_str(), L"Button") == 0) {
    static const char* const types[] = {"BS_PUSHBUTTON", "BS_DEFPUSHBUTTON", "BS_CHECKBOX", "BS_AUTOCHECKBOX",
                                        "BS_RADIOBUTTON", "BS_3STATE", "BS_AUTO3STATE", "BS_GROUPBOX",
                                        "BS_USERBUTTON", "BS_AUTORADIOBUTTON", "BS_PUSHBOX", "BS_OWNERDRAW"};
    const DWORD kind = low & BS_TYPEMASK;
    type = kind < 12 ? types[kind] : "BS_TYPE" + std::to_string(kind);
    if (const DWORD rest = low & ~static_cast<DWORD>(BS_TYPEMASK)) type += "|" + FlagNames(rest, kButtonFlags);
  } else if (_wcsicmp(className.c_str(), L"Static") == 0) {
    static const char* const types[] = {"SS_LEFT",       "SS_CENTER",     "SS_RIGHT",     "SS_ICON",
                                        "SS_BLACKRECT",  "SS_GRAYRECT",   "SS_WHITERECT", "SS_BLACKFRAME",
                                        "SS_GRAYFRAME",  "SS_WHITEFRAME", "SS_USERITEM",  "SS_SIMPLE",
                                        "SS_LEFTNOWORDWRAP", "SS_OWNERDRAW", "SS_BITMAP", "SS_ENHMETAFILE",
                                        "SS_ETCHEDHORZ", "SS_ETCHEDVERT", "SS_ETCHEDFRAME"};
    const DWORD kind = low & SS_TYPEMASK;
    type = kind < 19 ? types[kind] : "SS_TYPE" + std::to_string(kind);
    if (const DWORD rest = low & ~static_cast<DWORD>(SS_TYPEMASK)) type += "|" + FlagNames(rest, kStaticFlags);
  } else if (_wcsicmp(className.c_str(), L"Edit") == 0) {
    type = low ? FlagNames(low, kEditFlags) : "ES_LEFT";
  } else {
    type = FlagNames(low, {});
  }
  return high + "|" + type;
}

// ---- Dialog units ------------------------------------------------------------------------------

// The dialog manager places a control at MulDiv(units, base, 4) horizontally and MulDiv(units, base, 8)
// vertically; the inverse is the one value that maps onto the pixels. "~" marks pixels that no whole
// number of dialog units gives, which no template can produce.
std::string ToDialogUnits(int pixels, int base, int divisor) {
  const int guess = MulDiv(pixels, divisor, base);
  for (int units = guess - 1; units <= guess + 1; ++units)
    if (MulDiv(units, base, divisor) == pixels) return std::to_string(units);
  std::string approximate = "~";
  return approximate += std::to_string(guess);
}

INT_PTR CALLBACK ProbeProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Reads a dialog template field by field; every read stays inside the template.
class TemplateReader {
public:
  TemplateReader(const BYTE* data, std::size_t size) : m_data(data), m_size(size) {}
  void Skip(std::size_t bytes) { m_pos = m_pos + bytes <= m_size ? m_pos + bytes : m_size; }
  WORD Word() {
    WORD value = 0;
    if (m_pos + 2 <= m_size) std::memcpy(&value, m_data + m_pos, 2);
    Skip(2);
    return value;
  }
  BYTE Byte() {
    const BYTE value = m_pos < m_size ? m_data[m_pos] : 0;
    Skip(1);
    return value;
  }
  std::wstring String() {
    std::wstring text;
    for (WORD c = Word(); c != 0 && m_pos < m_size; c = Word()) text += static_cast<wchar_t>(c);
    return text;
  }
  // A menu or class: none, a number, or a name.
  void SkipNameOrNumber() {
    const WORD first = Word();
    if (first == 0xFFFF) Skip(2);
    else if (first != 0) String();
  }

private:
  const BYTE* m_data;
  std::size_t m_size;
  std::size_t m_pos = 0;
};

// The font as the template asks for it; the dialog's font handle means nothing in this process.
std::string TemplateFont(const BYTE* data, std::size_t size) {
  TemplateReader reader(data, size);
  const bool extended = reader.Word() == 1 && reader.Word() == 0xFFFF;
  reader = TemplateReader(data, size);
  DWORD style = 0;
  if (extended) {
    reader.Skip(8);  // version, signature, help id
    reader.Skip(4);  // extended style
    style = reader.Word() | static_cast<DWORD>(reader.Word()) << 16;
  } else {
    style = reader.Word() | static_cast<DWORD>(reader.Word()) << 16;
    reader.Skip(4);  // extended style
  }
  reader.Skip(2 + 8);  // number of controls, position and size
  reader.SkipNameOrNumber();  // menu
  reader.SkipNameOrNumber();  // class
  reader.String();            // caption
  if (!(style & DS_SETFONT)) return "system font";
  const WORD points = reader.Word();
  std::string font;
  if (extended) {
    const WORD weight = reader.Word();
    const BYTE italic = reader.Byte();
    const BYTE charset = reader.Byte();
    font = " weight " + std::to_string(weight) + (italic ? " italic" : "") + " charset " + std::to_string(charset);
  }
  return Quoted(reader.String()) + " " + std::to_string(points) + "pt" + font;
}

struct DialogMetrics {
  int baseX = 0, baseY = 0;  // the pixels of 4 horizontal and 8 vertical dialog units
  std::string font;
};

// The base units follow from the font as this Wine realises it. The driver builds an invisible copy of
// the dialog from the same template in the running executable, without its controls, and measures it
// with the dialog manager's own MapDialogRect.
DialogMetrics MeasureDialog(DWORD processId) {
  const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  const std::wstring path = ImagePath(process.get());
  if (path.empty()) Fail("cannot find the dialog's executable");
  const UniqueModule module(
      LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  const auto dialogType = MAKEINTRESOURCEW(5);  // RT_DIALOG
  HRSRC resource = module ? FindResourceW(module.get(), MAKEINTRESOURCEW(IDD_MAIN), dialogType) : nullptr;
  HGLOBAL loaded = resource ? LoadResource(module.get(), resource) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  const std::size_t bytes = resource ? SizeofResource(module.get(), resource) : 0;
  if (!data || bytes < 26) Fail("cannot read the dialog template from the executable");

  std::vector<DWORD> copy(bytes / sizeof(DWORD) + 1);  // templates must be DWORD-aligned
  std::memcpy(copy.data(), data, bytes);
  auto* words = reinterpret_cast<WORD*>(copy.data());
  const bool extended = words[0] == 1 && words[1] == 0xFFFF;
  auto* style = reinterpret_cast<DWORD*>(reinterpret_cast<BYTE*>(copy.data()) + (extended ? 12 : 0));
  *style &= ~static_cast<DWORD>(WS_VISIBLE);
  words[extended ? 8 : 4] = 0;  // the number of controls

  const UniqueWindow probe(CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                                      reinterpret_cast<LPCDLGTEMPLATEW>(copy.data()), nullptr,
                                                      ProbeProc, 0));
  if (!probe) Fail("cannot build a copy of the dialog to measure it");
  RECT units{0, 0, 4, 8};
  MapDialogRect(probe.get(), &units);
  return {units.right, units.bottom, TemplateFont(static_cast<const BYTE*>(data), bytes)};
}

// ---- The dialog --------------------------------------------------------------------------------

// The hook library in the dialog's thread while this lives; it lies next to the driver.
class DialogHook {
public:
  explicit DialogHook(DWORD threadId) {
    std::wstring path(MAX_PATH * 4, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"uidriver_hook.dll";
    m_library = UniqueModule(LoadLibraryW(path.c_str()));
    const auto proc = m_library ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                                      GetProcAddress(m_library.get(), "UiDriverCallWndProc")))
                                : nullptr;
    if (!proc) Fail("cannot load uidriver_hook.dll");
    m_hook = UniqueHook(SetWindowsHookExW(WH_CALLWNDPROC, proc, m_library.get(), threadId));
    if (!m_hook) Fail("cannot hook the dialog's thread");
  }

private:
  UniqueModule m_library;
  UniqueHook m_hook;  // unhooked before the library goes
};

// One method per command of kCommands below.
class Driver {
public:
  void SetTimeout(const std::wstring& seconds);
  void WaitDialog();
  void TypeHost(const std::wstring& text);
  void Press(const std::wstring& id);
  void Enter();
  void Esc();
  void Answer(const std::wstring& answer);
  void WaitIdle();
  void About();
  void Choose(const std::wstring& id);
  void SaveAs(const std::wstring& path);
  void CheckFile(const std::wstring& path);
  void EndWindow(const std::wstring& className);
  void ReadClipboard();
  void SysMenu();
  void Layout();
  void Focus();
  void ReadReport();
  void WaitExit();
  void Windows();

private:
  HWND Dialog();
  HWND Item(int id);
  HWND FindBox() const { return FindOwnedBy(m_dialog); }
  HWND FindOwnedBy(HWND owner) const;
  HWND WaitBox();
  std::string BoxIconName(HWND box);
  HWND Focused() const;
  void PostKey(HWND target, UINT key, UINT scanCode);
  void ClickAndWait(HWND box, int id);

  HWND m_dialog = nullptr;
  DWORD m_threadId = 0;
  DWORD m_processId = 0;
  UniqueHandle m_process;
};

HWND Driver::Dialog() {
  if (!m_dialog) WaitDialog();
  if (!IsWindow(m_dialog)) Fail("the dialog has closed");
  return m_dialog;
}

HWND Driver::Item(int id) {
  HWND item = GetDlgItem(Dialog(), id);
  if (!item) Fail("the dialog has no control " + std::to_string(id));
  return item;
}

void Driver::WaitDialog() {
  const bool found = WaitFor([this] {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, kDialogClass, kMainCaption)) != nullptr) {
      // Message boxes share the caption; the main dialog is the one that has no owner.
      if (IsWindowVisible(window) && !GetWindow(window, GW_OWNER) && GetDlgItem(window, IDC_HOST)) {
        m_dialog = window;
        return true;
      }
    }
    return false;
  });
  if (!found) Fail("no dialog \"MendrelDiag\" appeared");
  m_threadId = GetWindowThreadProcessId(m_dialog, &m_processId);
  // Held from now on, so that the process can be waited for even after its window is gone.
  m_process = UniqueHandle(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, m_processId));
  WaitIdle();
}

// Message boxes and the About box: dialogs owned by the main dialog, on its thread.
struct BoxSearch {
  HWND owner;
  HWND box;
};

BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<BoxSearch*>(param);
  if (window != search->owner && IsWindowVisible(window) && GetWindow(window, GW_OWNER) == search->owner &&
      ClassOf(window) == kDialogClass) {
    search->box = window;
    return FALSE;
  }
  return TRUE;
}

HWND Driver::FindOwnedBy(HWND owner) const {
  BoxSearch search{owner, nullptr};
  EnumThreadWindows(m_threadId, FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
  return search.box;
}

HWND Driver::WaitBox() {
  Dialog();
  HWND box = nullptr;
  if (!WaitFor([&] { return (box = FindBox()) != nullptr; })) Fail("no message box appeared");
  return box;
}

HWND Driver::Focused() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(m_threadId, &info) ? info.hwndFocus : nullptr;
}

// Handlers run to their end without taking messages from the queue, so a message posted now is
// taken only by the dialog's own loop once the handler is done, or by the loop of a message box the
// handler shows. (COM's and the URL binding's waits take only sent and their own messages.) A changed
// text limit of the host field is the mark that the posted message has been taken; the old limit is
// put back at once.
void Driver::WaitIdle() {
  if (!m_dialog) return WaitDialog();
  // A closed dialog or a box that waits for an answer: nothing more to wait for.
  HWND host = GetDlgItem(m_dialog, IDC_HOST);
  if (!host || FindBox()) return;
  DWORD_PTR limit = 0;
  if (!SendMessageTimeoutW(host, EM_GETLIMITTEXT, 0, 0, SMTO_NORMAL, g_timeoutMs, &limit)) {
    if (!IsWindow(host)) return;
    Fail("the dialog stays busy");
  }
  const WPARAM mark = limit == 12345 ? 12346 : 12345;
  if (!PostMessageW(host, EM_SETLIMITTEXT, mark, 0)) {
    if (!IsWindow(host)) return;
    Fail("cannot post to the dialog");
  }
  bool marked = false;
  const bool settled = WaitFor([&] {
    if (!IsWindow(host)) return true;
    DWORD_PTR current = 0;
    marked = SendMessageTimeoutW(host, EM_GETLIMITTEXT, 0, 0, SMTO_NORMAL, 200, &current) && current == mark;
    return marked;
  });
  if (!settled) Fail("the dialog stays busy");
  if (marked) Send(host, EM_SETLIMITTEXT, static_cast<WPARAM>(limit), 0);
}

void Driver::TypeHost(const std::wstring& text) {
  Send(Item(IDC_HOST), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// A click as the button reports it to its dialog.
void Driver::SetTimeout(const std::wstring& seconds) { g_timeoutMs = static_cast<DWORD>(ParseNumber(seconds)) * 1000u; }

void Driver::Press(const std::wstring& text) {
  const int id = ParseNumber(text);
  HWND button = Item(id);
  if (!IsWindowEnabled(button)) Fail("button " + std::to_string(id) + " is disabled");
  PostMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  WaitIdle();
}

// Keys are posted to the control like keyboard input, so they pass the dialog manager of the dialog's
// loop: Enter goes to the default button, Esc to Cancel.
void Driver::PostKey(HWND target, UINT key, UINT scanCode) {
  const LPARAM down = static_cast<LPARAM>(1u | (scanCode << 16));
  const LPARAM up = static_cast<LPARAM>(1u | (scanCode << 16) | (1u << 30) | (1u << 31));
  PostMessageW(target, WM_KEYDOWN, key, down);
  PostMessageW(target, WM_KEYUP, key, up);
  WaitIdle();
}

void Driver::Enter() { PostKey(Item(IDC_HOST), VK_RETURN, 0x1C); }

void Driver::Esc() {
  HWND target = Focused();
  PostKey(target && IsChild(Dialog(), target) ? target : Item(IDC_HOST), VK_ESCAPE, 0x01);
}

void Driver::ClickAndWait(HWND box, int id) {
  HWND button = GetDlgItem(box, id);
  if (!button) Fail("the box has no button " + std::to_string(id));
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  if (!WaitFor([box] { return !IsWindow(box); })) Fail("the box does not close");
  WaitIdle();
}

std::string Driver::BoxIconName(HWND box) {
  const DialogHook hook(m_threadId);
  Send(box, RegisterWindowMessageW(kReadBoxIconMessage), 0, 0);
  const auto value = reinterpret_cast<std::uintptr_t>(GetPropW(box, kBoxIconProperty));
  if (value == 0 || value > std::size(kBoxIcons)) Fail("cannot tell the message box's icon");
  return kBoxIcons[value - 1].name;
}

void Driver::Answer(const std::wstring& answer) {
  int id = 0;
  if (answer == L"yes") id = IDYES;
  else if (answer == L"no") id = IDNO;
  else if (answer == L"ok") id = IDOK;
  else if (answer == L"cancel") id = IDCANCEL;
  else Refuse("answer yes, no, ok or cancel");

  HWND box = WaitBox();
  // The message is the box's text label; the icon is a label too, without text.
  std::wstring message;
  for (HWND child : ChildrenInOrder(box)) {
    if (_wcsicmp(ClassOf(child).c_str(), L"Static") != 0) continue;
    if (std::wstring text = TextOf(child); !text.empty()) {
      message = text;
      break;
    }
  }
  Print(Utf8(TextOf(box)) + " [" + BoxIconName(box) + "]: " + Utf8(message) + "\n");
  ClickAndWait(box, id);
}

void Driver::About() {
  PostMessageW(Dialog(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
  HWND box = WaitBox();
  Print("caption " + Quoted(TextOf(box)) + "\n");
  for (HWND child : ChildrenInOrder(box)) {
    const std::wstring className = ClassOf(child);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
    const bool icon = _wcsicmp(className.c_str(), L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON;
    Print(Utf8(className) + " " + std::to_string(static_cast<int>(GetDlgCtrlID(child))) + " " +
          (icon ? std::string("icon") : Quoted(TextOf(child))) + "\n");
  }
  ClickAndWait(box, IDOK);
}

void Driver::Choose(const std::wstring& id) {
  PostMessageW(Dialog(), WM_SYSCOMMAND, static_cast<WPARAM>(ParseNumber(id)), 0);
  WaitIdle();
}

void Driver::SaveAs(const std::wstring& path) {
  HWND box = WaitBox();
  // The file name field: an edit of its own, or the edit of the newer dialogs' (extended) combo box.
  HWND name = GetDlgItem(box, edt1);
  if (HWND combo = GetDlgItem(box, cmb13); !name && combo) {
    name = _wcsicmp(ClassOf(combo).c_str(), WC_COMBOBOXEXW) == 0
               ? reinterpret_cast<HWND>(Send(combo, CBEM_GETEDITCONTROL, 0, 0))
               : FindWindowExW(combo, nullptr, L"Edit", nullptr);
  }
  if (!name) Fail("the Save As dialog has no file name field");
  Print("proposed " + Utf8(TextOf(name)) + "\n");
  Send(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
  // The dialog's own question whether to replace an existing file is answered Yes, unprinted: its
  // text is the system's, not the program's.
  bool confirmed = false;
  const bool closed = WaitFor([&] {
    if (!IsWindow(box)) return true;
    if (HWND question = FindOwnedBy(box); question && !confirmed) {
      PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(question, IDYES)));
      confirmed = true;
    }
    return false;
  });
  if (!closed) Fail("the Save As dialog does not close");
  if (confirmed) Print("replace: yes\n");
  WaitIdle();
}

void Driver::CheckFile(const std::wstring& path) {
  const unique_file file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return Print(Utf8(path) + ": cannot be read\n");
  std::string bytes(static_cast<std::size_t>(GetFileSize(file.get(), nullptr)), '\0');
  DWORD read = 0;
  ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  const bool marked = bytes.starts_with("\xEF\xBB\xBF");
  const std::string text = marked ? bytes.substr(3) : bytes;
  std::wstring decoded(text.size(), L'\0');
  decoded.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                                              static_cast<int>(text.size()), decoded.data(),
                                                              static_cast<int>(decoded.size()))));
  const bool same = (text.empty() || !decoded.empty()) && decoded == TextOf(Item(IDC_REPORT));
  Print(Utf8(path) + ": " + (marked ? "UTF-8 with a byte-order mark, " : "no byte-order mark, ") +
        (same ? "the report box's text" : "not the report box's text") + "\n");
}

// A program that the dialog started: its window shows that it runs; its file name is what the dialog
// asked for, while the window's texts are the program's own.
void Driver::EndWindow(const std::wstring& className) {
  HWND window = nullptr;
  if (!WaitFor([&] { return (window = FindWindowW(className.c_str(), nullptr)) != nullptr; }))
    Fail("no window of class " + Utf8(className) + " appears");
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  const UniqueHandle process(
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
  const std::wstring path = ImagePath(process.get());
  if (path.empty()) Fail("cannot open the process of the window of class " + Utf8(className));
  Print(Utf8(FileNameOf(path)) + ": window of class " + Utf8(className) + " shown\n");
  if (!TerminateProcess(process.get(), 0) || WaitForSingleObject(process.get(), g_timeoutMs) != WAIT_OBJECT_0)
    Fail("the process of the window of class " + Utf8(className) + " does not end");
  Print("process ended\n");
}

void Driver::ReadClipboard() {
  const std::wstring report = TextOf(Item(IDC_REPORT));
  const auto text = [](UINT format, auto unit) {
    std::basic_string<decltype(unit)> result;
    if (HANDLE data = GetClipboardData(format)) {
      if (const auto* locked = static_cast<const decltype(unit)*>(GlobalLock(data))) {
        result = locked;
        GlobalUnlock(data);
      }
    }
    return result;
  };
  std::wstring unicode;
  std::string ansi;
  bool hasAnsi = false;
  {
    if (!WaitFor([] { return OpenClipboard(nullptr) != FALSE; })) Fail("cannot open the clipboard");
    const unique_clipboard opened(true);
    unicode = text(CF_UNICODETEXT, L'\0');
    ansi = text(CF_TEXT, '\0');
    hasAnsi = IsClipboardFormatAvailable(CF_TEXT);
  }
  std::wstring fromAnsi(ansi.size(), L'\0');
  fromAnsi.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), fromAnsi.data(), static_cast<int>(fromAnsi.size()))));
  const auto verdict = [&](const std::wstring& value) {
    return value.empty() ? std::string("empty") : value == report ? std::string("the report box's text") : std::string("not the report box's text");
  };
  Print("unicode text: " + verdict(unicode) + "\n");
  Print("ansi text: " + (hasAnsi ? verdict(fromAnsi) : std::string("none")) + "\n");
}

// The hook's answer arrives while the driver waits for the dialog to take the request.
std::vector<MenuItemRecord> g_menuItems;
bool g_menuAnswered = false;

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data->dwData == kSystemMenuData) {
      const auto* items = static_cast<const MenuItemRecord*>(data->lpData);
      g_menuItems.assign(items, items + data->cbData / sizeof(MenuItemRecord));
      g_menuAnswered = true;
      return TRUE;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void Driver::SysMenu() {
  HWND dialog = Dialog();
  WNDCLASSW receiverClass{};
  receiverClass.lpfnWndProc = ReceiverProc;
  receiverClass.hInstance = GetModuleHandleW(nullptr);
  receiverClass.lpszClassName = L"uidriver.receiver";
  RegisterClassW(&receiverClass);
  const UniqueWindow receiver(CreateWindowExW(0, receiverClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                              nullptr, receiverClass.hInstance, nullptr));

  if (!receiver) Fail("cannot make a window to receive the system menu");
  const DialogHook hook(m_threadId);
  Send(dialog, RegisterWindowMessageW(kReadSystemMenuMessage), reinterpret_cast<WPARAM>(receiver.get()), 0);
  if (!g_menuAnswered) Fail("cannot read the system menu");

  // The program's own items only, with the separator before them: the system's items (commands from
  // SC_SIZE up) and their texts are the platform's.
  const auto ours = [](const MenuItemRecord& item) { return !(item.type & MFT_SEPARATOR) && item.id < SC_SIZE; };
  for (std::size_t i = 0; i < g_menuItems.size(); ++i) {
    const MenuItemRecord& item = g_menuItems[i];
    if (item.type & MFT_SEPARATOR) {
      if (i + 1 < g_menuItems.size() && ours(g_menuItems[i + 1])) Print("separator\n");
      continue;
    }
    if (!ours(item)) continue;
    char id[16];
    std::snprintf(id, sizeof id, "0x%04X", item.id);
    Print(std::string(id) + " " + Quoted(item.text) + ((item.state & MFS_GRAYED) ? " grayed" : "") + "\n");
  }
}

void Driver::Layout() {
  HWND dialog = Dialog();
  const DialogMetrics metrics = MeasureDialog(m_processId);
  const auto units = [&](int x, int y, int cx, int cy) {
    return ToDialogUnits(x, metrics.baseX, 4) + "," + ToDialogUnits(y, metrics.baseY, 8) + " " +
           ToDialogUnits(cx, metrics.baseX, 4) + "x" + ToDialogUnits(cy, metrics.baseY, 8);
  };

  RECT client;
  GetClientRect(dialog, &client);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE));
  Print("dialog " + Quoted(TextOf(dialog)) + " client " + ToDialogUnits(client.right, metrics.baseX, 4) + "x" +
        ToDialogUnits(client.bottom, metrics.baseY, 8) + " font " + metrics.font + "\n");
  Print("  style " + FlagNames(style & 0xFFFF0000, kWindowFlags + kTopLevelFlags) + "|" +
        FlagNames(style & 0xFFFF, kDialogFlags) + "\n");
  Print("  exstyle " + FlagNames(exStyle, kExtendedFlags) + "\n");

  for (HWND child : ChildrenInOrder(dialog)) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    const std::wstring className = ClassOf(child);
    Print("control " + std::to_string(static_cast<int>(GetDlgCtrlID(child))) + " " + Utf8(className) + " " +
          Quoted(TextOf(child)) + " at " +
          units(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top) + "\n");
    Print("  style " + ControlStyle(className, static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE))) + "\n");
    Print("  exstyle " + FlagNames(static_cast<DWORD>(GetWindowLongPtrW(child, GWL_EXSTYLE)), kExtendedFlags) + "\n");
  }

  // The dialog manager's own walk through the tab stops, from the first.
  std::string order;
  HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
  for (HWND item = first; item;) {
    order += ' ';
    order += std::to_string(static_cast<int>(GetDlgCtrlID(item)));
    item = GetNextDlgTabItem(dialog, item, FALSE);
    if (item == first) break;
  }
  Print("tab order" + order + "\n");
  const LRESULT defId = Send(dialog, DM_GETDEFID, 0, 0);
  Print("default button " + (HIWORD(defId) == DC_HASDEFID ? std::to_string(LOWORD(defId)) : std::string("none")) + "\n");
}

void Driver::Focus() {
  Dialog();
  HWND focused = Focused();
  Print("focus " + (focused ? std::to_string(static_cast<int>(GetDlgCtrlID(focused))) : std::string("none")) + "\n");
}

void Driver::ReadReport() {
  const std::string text = Utf8(TextOf(Item(IDC_REPORT)));
  Print(text);
  // The transcript's next line starts on a line of its own even when the report ends without one.
  if (!text.empty() && text.back() != '\n') Print("\n");
}

void Driver::Windows() { Print(WindowList()); }

void Driver::WaitExit() {
  if (!m_process) Fail("wait-exit needs the dialog first");
  if (WaitForSingleObject(m_process.get(), g_timeoutMs) != WAIT_OBJECT_0) Fail("the dialog's process does not end");
  Print("process ended\n");
}

// ---- The commands ------------------------------------------------------------------------------

struct Command {
  const wchar_t* name;
  const char* argument;  // its name in the usage; null for a command without one
  const char* help;      // its lines in the usage
  void (Driver::*withArgument)(const std::wstring&);
  void (Driver::*withoutArgument)();
  bool setting = false;  // changes how later steps run: not a step of the transcript
};

const Command kCommands[] = {
    {L"timeout", "SECONDS", "limit for every later wait (default 30)", &Driver::SetTimeout, nullptr, true},
    {L"wait-dialog", nullptr, "wait until the main dialog is shown and takes input", nullptr, &Driver::WaitDialog},
    {L"type-host", "TEXT", "put TEXT into the host field", &Driver::TypeHost, nullptr},
    {L"press", "ID", "click the button with control id ID, then wait-idle", &Driver::Press, nullptr},
    {L"enter", nullptr, "press Enter in the host field, then wait-idle", nullptr, &Driver::Enter},
    {L"esc", nullptr, "press Esc in the focused control, then wait-idle", nullptr, &Driver::Esc},
    {L"answer", "yes|no|ok|cancel",
     "wait for a message box, print \"caption [icon]: text\", click the button,\nwait-idle", &Driver::Answer,
     nullptr},
    {L"wait-idle", nullptr, "wait until the dialog takes input again, or a message box is up, or it closed", nullptr,
     &Driver::WaitIdle},
    {L"about", nullptr, "open the About box from the system menu, print it, close it", nullptr, &Driver::About},
    {L"choose", "ID", "choose the system menu's command ID, then wait-idle", &Driver::Choose, nullptr},
    {L"save-as", "PATH",
     "print the file name the open Save As dialog proposes, save as PATH (Yes when\nit asks to replace a file), "
     "then wait-idle",
     &Driver::SaveAs, nullptr},
    {L"check-file", "PATH", "print whether the file is the report box's text in UTF-8 with a byte-order mark",
     &Driver::CheckFile, nullptr},
    {L"end-window", "CLASS",
     "wait for a top-level window of class CLASS, print its program's file name, end\nthat process by its id and "
     "wait until it has ended",
     &Driver::EndWindow, nullptr},
    {L"read-clipboard", nullptr, "print whether the clipboard's Unicode and ANSI texts are the report box's text",
     nullptr, &Driver::ReadClipboard},
    {L"sysmenu", nullptr, "print the program's own items of the system menu", nullptr, &Driver::SysMenu},
    {L"layout", nullptr, "print the dialog and its controls in dialog units", nullptr, &Driver::Layout},
    {L"focus", nullptr, "print the id of the focused control", nullptr, &Driver::Focus},
    {L"read-report", nullptr, "print the report box's text", nullptr, &Driver::ReadReport},
    {L"wait-exit", nullptr, "wait until the dialog's process has ended", nullptr, &Driver::WaitExit},
    {L"windows", nullptr, "print every top-level window, and the controls of the visible ones, with their texts",
     nullptr, &Driver::Windows},
};

// A command and its argument, then its help from a column of its own; a command too wide for that
// has its help on the next line.
std::string Usage() {
  constexpr std::size_t kHelpColumn = 19;
  const std::string newLine = "\n" + std::string(kHelpColumn, ' ');
  std::string usage = "usage: uidriver COMMAND [ARG] [COMMAND [ARG]]...\n";
  for (const Command& command : kCommands) {
    std::string line = "  " + Utf8(command.name);
    if (command.argument) line.append(" ").append(command.argument);
    if (line.size() < kHelpColumn) line.append(kHelpColumn - line.size(), ' ');
    else line += newLine;
    for (const char* c = command.help; *c; ++c) {
      if (*c == '\n') line += newLine;
      else line += *c;
    }
    usage += line;
    usage += '\n';
  }
  return usage;
}

const Command* FindCommand(const std::wstring& name) {
  for (const Command& command : kCommands) {
    if (name == command.name) return &command;
  }
  return nullptr;
}

}  // namespace

int main() {
  // Report text keeps its "\r\n"; everything is written as UTF-8 bytes.
  _setmode(_fileno(stdout), _O_BINARY);

  int argc = 0;
  const UniqueArgv argv(CommandLineToArgvW(GetCommandLineW(), &argc));
  if (!argv || argc < 2) {
    std::fputs(Usage().c_str(), stderr);
    return 2;
  }
  const std::vector<std::wstring> args(argv.get() + 1, argv.get() + argc);

  Driver driver;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const Command* command = FindCommand(args[i]);
    if (!command) {
      Print("> " + Utf8(args[i]) + "\n");
      std::fputs(Usage().c_str(), stderr);
      Refuse("unknown command " + Utf8(args[i]));
    }
    std::wstring argument;
    if (command->argument) {
      if (i + 1 >= args.size()) Refuse(Utf8(args[i]) + " needs an argument");
      argument = args[++i];
    }
    if (!command->setting) {
      std::string echo = "> " + Utf8(command->name);
      if (command->argument) echo.append(" ").append(Utf8(argument));
      Print(echo + "\n");
    }
    if (command->withArgument) (driver.*command->withArgument)(argument);
    else (driver.*command->withoutArgument)();
  }
  return 0;
}
