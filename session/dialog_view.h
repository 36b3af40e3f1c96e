#pragma once
// What the session's commands ask of the user and tell them, through the main dialog's window or,
// for a run without the dialog, through a view that answers for the command line.
#include <optional>
#include <string>

// What the user chose in the Save As dialog.
struct SaveChoice {
  std::string path;  // in UTF-8 (as the user typed it, whatever the code page)
  // The chosen file type, from 1, of those offered: text report, JSON document, all files.
  unsigned fileType = 1;
};

inline constexpr unsigned kJsonFileType = 2;

// The questions the commands ask, by what they ask rather than by their text.
enum class Question {
  runWithoutHost,   // no host given: run without the server tests?
  cleanupRegular,   // the machine-wide clean-up's confirmation
  cleanupStandard,  // the per-user clean-up's confirmation
  replaceFile,      // the JSON document's file exists already: replace it?
};

class DialogView {
public:
  virtual ~DialogView() = default;
  // The host field's text as typed.
  virtual std::string ReadHost() = 0;
  // Yes/No message box with the exclamation icon, showing text, which asks question; true for Yes.
  virtual bool ConfirmYesNo(Question question, const std::string& text) = 0;
  // Message box with the stop icon (file errors).
  virtual void ShowError(const std::string& text) = 0;
  // Message box with the information icon.
  virtual void ShowInfo(const std::string& text) = 0;
  // The Save As dialog, in the user's documents folder, offering suggestedName: the chosen path and
  // file type, nothing when the user cancels.
  virtual std::optional<SaveChoice> ChooseSaveFile(const std::string& suggestedName) = 0;
  // Puts text on the clipboard as Unicode and ANSI text, with the locale of its code page; false
  // when the clipboard could not be had.
  virtual bool PutOnClipboard(const std::string& text) = 0;
};
