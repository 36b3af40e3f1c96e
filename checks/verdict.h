#pragma once
// The verdict on a check run's result, as data: which repair file to write, which lines of advice
// to give and whether the kill-bit keys go. The session carries it out in that order, appending the
// advice at level 0 after the verdict separator; a repair file that cannot be written ends it there.
#include <string>
#include <string_view>
#include <vector>

#include "checks/check_result.h"

struct Verdict {
  std::string_view repairFile;      // written into the current folder before the advice; empty: none
  std::vector<std::string> advice;  // none for a run that passed and for a code the verdict does not know
  bool removesKillBitKeys = false;  // after the advice (repair/kill_bit)
};

Verdict VerdictFor(CheckResult result);

// The name of the repair file that the verdict writes for result (repair/repair_files holds its
// template); empty when there is none.
std::string_view RepairFileName(CheckResult result);
