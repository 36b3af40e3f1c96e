#pragma once
// What the portable commands need of the main dialog's window.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// What the user chose in the Save As dialog.
struct SaveChoice {
  std::string path;  // in UTF-8 (as the user typed it, whatever the code page)
  // The chosen file type, from 1, of those offered: text report, JSON document, all files.
  unsigned fileType = 1;
};

inline constexpr unsigned kJsonFileType = 2;

class DialogView {
public:
  virtual ~DialogView() = default;
  // Empties the report box.
  virtual void ClearReport() = 0;
  // Adds text at the end of the report box, puts the caret after it, scrolls it into view and
  // repaints at once: handlers run without pumping messages.
  virtual void AppendReport(std::string_view text) = 0;
  // The host field's text as typed.
  virtual std::string ReadHost() = 0;
  // Yes/No message box with the exclamation icon; true for Yes.
  virtual bool ConfirmYesNo(const std::string& text) = 0;
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

}  // namespace platform
