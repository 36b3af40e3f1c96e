#pragma once
// The one failure that leaves a command handler: a repair file that cannot be created or written.
// It carries the framework's file-error cause and the bare file name for the message box.
#include <exception>
#include <string>

class FileError : public std::exception {
public:
  enum class Cause {
    generic,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile,
  };

  FileError(Cause cause, std::string fileName);

  // The cause that the platform's error code (a Win32 ERROR_* value) stands for; generic when unknown.
  static Cause CauseFromCode(long code);

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
