#pragma once
// Every text the program makes of an error code: the system's own, as the report's error line or as
// the reason a file could not be written, and the framework's file-error text of a repair file.
#include <string>
#include <string_view>

#include "platform/system.h"

// The line that follows most failure messages: "에러 메세지 : " and the system's text for the code,
// line break included; empty when the system has no text for it. Runtime errno values are looked up
// as if they were system error codes.
std::string GetErrorText(platform::System& system, unsigned long code);

// The system's text for an error code, without its closing line break; the code when it has none.
std::string ReasonText(platform::System& system, long code);

// The framework's file-error causes.
enum class FileErrorCause {
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

// The cause that a platform error code stands for; generic when unknown.
FileErrorCause FileErrorCauseOf(long code);

// The standard file-error text of the cause, with the file name in place of %1.
std::string FileErrorText(FileErrorCause cause, std::string_view fileName);
