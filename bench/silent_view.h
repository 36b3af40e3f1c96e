#pragma once
// A report that does not paint, for figures of the work behind it; every question is answered yes.
#include <string>
#include <string_view>

#include "platform/dialog_view.h"

class SilentView final : public platform::DialogView {
public:
  void ClearReport() override {}
  void AppendReport(std::string_view) override {}
  std::string ReadHost() override { return {}; }
  bool ConfirmYesNo(const std::string&) override { return true; }
  void ShowError(const std::string&) override {}
  void ShowInfo(const std::string&) override {}
};
