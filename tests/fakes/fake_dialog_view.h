#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "session/dialog_view.h"

// The dialog's window as the portable commands see it: a host and scripted answers.
struct FakeDialogView final : DialogView {
  std::string host;
  std::deque<bool> answers;            // Yes/No answers, in order; No when none is left
  std::vector<std::string> questions;  // texts of the Yes/No boxes shown
  std::vector<Question> asked;         // and what each of them asked
  std::vector<std::string> errors;     // texts of the stop boxes shown
  std::vector<std::string> infos;
  std::vector<std::string> suggestedNames;  // offered by the Save As dialogs shown
  std::optional<std::string> chosenFile;    // the Save As dialog's answer; nothing: cancelled
  unsigned chosenFileType = 1;              // and the file type chosen with it
  bool clipboardAvailable = true;
  std::optional<std::string> clipboard;

  std::string ReadHost() override { return host; }
  bool ConfirmYesNo(Question question, const std::string& text) override {
    questions.push_back(text);
    asked.push_back(question);
    if (answers.empty()) return false;
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
  }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  void ShowInfo(const std::string& text) override { infos.push_back(text); }
  std::optional<SaveChoice> ChooseSaveFile(const std::string& suggestedName) override {
    suggestedNames.push_back(suggestedName);
    if (!chosenFile) return std::nullopt;
    return SaveChoice{*chosenFile, chosenFileType};
  }
  bool PutOnClipboard(const std::string& text) override {
    if (clipboardAvailable) clipboard = text;
    return clipboardAvailable;
  }
};
