#pragma once
#include <string>

#include "checks/check_context.h"
#include "platform/system.h"

// The line that follows most failure messages: "에러 메세지 : " and the system's text for the code,
// line break included; empty when the system has no text for it. Runtime errno values are looked up
// as if they were system error codes.
std::string GetErrorText(platform::System& system, unsigned long code);

// Appends that line, even when it is empty: the report then shows the level prefix alone.
void ReportErrorText(CheckContext& ctx, int level, unsigned long code);
