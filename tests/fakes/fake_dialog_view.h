#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/dialog_view.h"

// The dialog's window as the portable commands see it: a report text, a host and scripted answers.
struct FakeDialogView final : platform::DialogView {
  std::string report;
  std::string host;
  std::deque<bool> answers;            // Yes/No answers, in order; No when none is left
  std::vector<std::string> questions;  // texts of the Yes/No boxes shown
  std::vector<std::string> errors;     // texts of the stop boxes shown
  std::vector<std::string> infos;

  void ClearReport() override { report.clear(); }
  void AppendReport(std::string_view text) override { report += text; }
  std::string ReadHost() override { return host; }
  bool ConfirmYesNo(const std::string& text) override {
    questions.push_back(text);
    if (answers.empty()) return false;
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
  }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  void ShowInfo(const std::string& text) override { infos.push_back(text); }
};
