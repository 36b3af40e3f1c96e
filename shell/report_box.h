#pragma once
// The report box's own operations, shared by the dialog and the report benchmark.
#include <windows.h>

#include <string_view>

// Adds text (UTF-8) at the end, puts the caret after it, scrolls it into view and repaints
// at once: handlers run without pumping messages, and the user watches the report grow.
void AppendToReportBox(HWND box, std::string_view text);
void ClearReportBox(HWND box);
