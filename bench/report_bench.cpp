// How long appending one report line takes as the report grows: 200 lines (a run) and 2,000 lines,
// in an edit control made like the dialog's report box. Three ways side by side:
//   ReportLog     our report log through the dialog's own report-box code;
//   bare append   the control's own append: EM_SETSEL to the end, EM_REPLACESEL, EM_SCROLLCARET;
//   whole text    the whole report sent again after every line (WM_SETTEXT), read back for its
//                 length, the caret put at the end and scrolled into view.
// Every way repaints the box after each line (handlers take no messages, and the user watches the
// report grow), so the figures compare what the user sees. Prints a table; asserts nothing.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "shell/report_box.h"
#include "platform/win32/wide_text.h"
#include "report/report_log.h"

namespace {

// The report box: the styles and size of control 1000 of the main dialog.
constexpr DWORD kReportStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                               ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_READONLY;

// The report box as the dialog mirrors the report in it.
class ReportBoxMirror final : public ReportMirror {
public:
  explicit ReportBoxMirror(HWND box) : m_box(box) {}
  void ClearReport() override { ClearReportBox(m_box); }
  void AppendReport(std::string_view text) override { AppendToReportBox(m_box, text); }

private:
  HWND m_box;
};

// Lines shaped like a report's: frames, findings and details, Korean and Latin.
struct SampleLine {
  int level;
  std::string text;
};
const std::vector<SampleLine> kSample = {
    {0, ReportSeparator},
    {0, "설치여부 확인 및 경로 검사"},
    {1, "설치 경로 : C:\\Program Files (x86)\\Veltora\\CALYRA Web 7.0"},
    {2, "CLSID : {0D8708AD-A9F4-C810-A862-5D84D75FBB4D}"},
    {3, "파일 버전 : 7.0.12.3"},
    {1, "에러 메세지 : 지정된 파일을 찾을 수 없습니다."},
    {0, ""},
    {0, "검사 완료"},
};

// The line as the box takes it, converted as the text of any program must be.
std::wstring LineText(int i) {
  const SampleLine& line = kSample[static_cast<std::size_t>(i) % kSample.size()];
  std::string text;
  if (line.level > 0) text.append(static_cast<std::size_t>(line.level) * 2, ' ').append("-. ");
  return platform::win32::Wide(text + line.text + "\r\n");
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Lets the box settle (pending paints) before a measurement starts.
void Drain() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

void Clear(HWND box) {
  SetWindowTextW(box, L"");
  Drain();
}

void AppendBare(HWND box, const std::wstring& line) {
  const LRESULT end = SendMessageW(box, WM_GETTEXTLENGTH, 0, 0);
  SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(end), end);
  SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
  SendMessageW(box, EM_SCROLLCARET, 0, 0);
  UpdateWindow(box);
}

void AppendWholeText(HWND box, std::wstring& report, const std::wstring& line) {
  report += line;
  SetWindowTextW(box, report.c_str());
  std::wstring shown(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  const int length = GetWindowTextW(box, shown.data(), static_cast<int>(shown.size()));
  SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(length), length);
  SendMessageW(box, EM_SCROLLCARET, 0, 0);
  UpdateWindow(box);
}

// Milliseconds per line for appending `lines` lines to an empty box.
template <typename Append>
double MillisecondsPerLine(HWND box, int lines, Append append) {
  Clear(box);
  LARGE_INTEGER start, stop;
  QueryPerformanceCounter(&start);
  for (int i = 0; i < lines; ++i) append(i);
  QueryPerformanceCounter(&stop);
  return Seconds(start, stop) * 1000.0 / lines;
}

}  // namespace

int main() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW frameClass{};
  frameClass.lpfnWndProc = DefWindowProcW;
  frameClass.hInstance = instance;
  frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  frameClass.lpszClassName = L"ReportBench";
  RegisterClassW(&frameClass);
  HWND frame = CreateWindowExW(0, frameClass.lpszClassName, L"report bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               0, 0, 960, 560, nullptr, nullptr, instance, nullptr);
  // The dialog's font and the box's size in pixels at its base units.
  HFONT font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"돋움");
  HWND box = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", kReportStyle, 14, 49, 888, 420, frame, nullptr,
                             instance, nullptr);
  if (!frame || !box) {
    std::fprintf(stderr, "cannot create the report box\n");
    return 1;
  }
  SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
  // The first lines also pay for loading the font and the control's first layout.
  MillisecondsPerLine(box, 100, [&](int i) { AppendBare(box, LineText(i)); });

  const int sizes[] = {200, 2000};
  struct Row {
    const char* name;
    double perLine[2];
  } rows[] = {{"ReportLog", {}}, {"bare append", {}}, {"whole text", {}}};
  for (int s = 0; s < 2; ++s) {
    const int lines = sizes[s];
    ReportBoxMirror mirror(box);
    ReportLog log(mirror);
    rows[0].perLine[s] = MillisecondsPerLine(box, lines, [&](int i) {
      const SampleLine& line = kSample[static_cast<std::size_t>(i) % kSample.size()];
      log.AppendReportLine(line.level, line.text);
    });
    rows[1].perLine[s] = MillisecondsPerLine(box, lines, [&](int i) { AppendBare(box, LineText(i)); });
    std::wstring report;
    rows[2].perLine[s] = MillisecondsPerLine(box, lines, [&](int i) { AppendWholeText(box, report, LineText(i)); });
  }

  std::printf("report box, milliseconds per appended line (ratio to the bare append)\n");
  std::printf("%-14s %22s %22s\n", "", "200 lines", "2000 lines");
  for (const Row& row : rows) {
    std::printf("%-14s", row.name);
    for (int s = 0; s < 2; ++s)
      std::printf(" %12.3f (%6.2fx)", row.perLine[s], row.perLine[s] / rows[1].perLine[s]);
    std::printf("\n");
  }
  DestroyWindow(frame);
  DeleteObject(font);
  return 0;
}
