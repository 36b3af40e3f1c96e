#pragma once
// A report that does not paint, for figures of the work behind it; every question is answered yes,
// and nothing is saved or copied.
#include <optional>
#include <string>
#include <string_view>

#include "platform/dialog_view.h"

class SilentView : public platform::DialogView {
public:
  void ClearReport() override {}
  void AppendReport(std::string_view) override {}
  std::string ReadHost() override { return {}; }
  bool ConfirmYesNo(const std::string&) override { return true; }
  void ShowError(const std::string&) override {}
  void ShowInfo(const std::string&) override {}
  std::optional<platform::SaveChoice> ChooseSaveFile(const std::string&) override { return std::nullopt; }
  bool PutOnClipboard(const std::string&) override { return false; }
};
