#pragma once
// What the portable commands need of the main dialog's window.
#include <string>
#include <string_view>

namespace platform {

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
};

}  // namespace platform
