#pragma once
#include "checks/check_context.h"

// The whole diagnosis: the report's sections in order, up to the first failure. Returns that
// failure's code, or 0 when every section passed.
CheckResult RunChecks(CheckContext& ctx);
