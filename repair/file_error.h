#pragma once
// The one failure that leaves a command handler: a repair file that cannot be created or written.
// It carries the framework's file-error cause and the bare file name for the message box.
#include <exception>
#include <string>
#include <utility>

#include "report/error_text.h"

class FileError : public std::exception {
public:
  using Cause = FileErrorCause;

  FileError(Cause cause, std::string fileName)
      : m_cause(cause), m_strFileName(std::move(fileName)), m_strMessage(FileErrorText(m_cause, m_strFileName)) {}

  Cause GetCause() const { return m_cause; }
  const std::string& FileName() const { return m_strFileName; }
  // The standard file-error text with the file name in place of %1.
  const std::string& Message() const { return m_strMessage; }
  const char* what() const noexcept override { return m_strMessage.c_str(); }

private:
  Cause m_cause;
  std::string m_strFileName;
  std::string m_strMessage;
};
