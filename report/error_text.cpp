#include "report/error_text.h"

#include "platform/error_codes.h"

namespace {

struct CodeCause {
  long code;
  FileErrorCause cause;
};

constexpr CodeCause kCodeCauses[] = {
    {platform::kErrorFileNotFound, FileErrorCause::fileNotFound},
    {platform::kErrorPathNotFound, FileErrorCause::fileNotFound},
    {platform::kErrorTooManyOpenFiles, FileErrorCause::tooManyOpenFiles},
    {platform::kErrorAccessDenied, FileErrorCause::accessDenied},
    {platform::kErrorInvalidHandle, FileErrorCause::invalidFile},
    {platform::kErrorInvalidAccess, FileErrorCause::accessDenied},
    {platform::kErrorInvalidDrive, FileErrorCause::badPath},
    {platform::kErrorCurrentDirectory, FileErrorCause::removeCurrentDir},
    {platform::kErrorWriteProtect, FileErrorCause::accessDenied},
    {platform::kErrorNotReady, FileErrorCause::hardIO},
    {platform::kErrorCrc, FileErrorCause::hardIO},
    {platform::kErrorSeek, FileErrorCause::badSeek},
    {platform::kErrorSectorNotFound, FileErrorCause::hardIO},
    {platform::kErrorWriteFault, FileErrorCause::hardIO},
    {platform::kErrorReadFault, FileErrorCause::hardIO},
    {platform::kErrorGenFailure, FileErrorCause::hardIO},
    {platform::kErrorSharingViolation, FileErrorCause::sharingViolation},
    {platform::kErrorLockViolation, FileErrorCause::lockViolation},
    {platform::kErrorWrongDisk, FileErrorCause::hardIO},
    {platform::kErrorSharingBufferExceeded, FileErrorCause::lockViolation},
    {platform::kErrorHandleEof, FileErrorCause::endOfFile},
    {platform::kErrorHandleDiskFull, FileErrorCause::diskFull},
    {platform::kErrorBadNetpath, FileErrorCause::badPath},
    {platform::kErrorNetworkAccessDenied, FileErrorCause::accessDenied},
    {platform::kErrorBadNetName, FileErrorCause::badPath},
    {platform::kErrorFileExists, FileErrorCause::accessDenied},
    {platform::kErrorCannotMake, FileErrorCause::directoryFull},
    {platform::kErrorDriveLocked, FileErrorCause::lockViolation},
    {platform::kErrorDiskFull, FileErrorCause::diskFull},
    {platform::kErrorInvalidName, FileErrorCause::badPath},
    {platform::kErrorNegativeSeek, FileErrorCause::badSeek},
    {platform::kErrorSeekOnDevice, FileErrorCause::badSeek},
    {platform::kErrorBadPathname, FileErrorCause::badPath},
    {platform::kErrorLockFailed, FileErrorCause::lockViolation},
    {platform::kErrorAlreadyExists, FileErrorCause::accessDenied},
    {platform::kErrorFilenameExcedRange, FileErrorCause::badPath},
};

std::string_view MessageFormat(FileErrorCause cause) {
  switch (cause) {
    case FileErrorCause::generic: break;
    case FileErrorCause::fileNotFound: return "%1 was not found.";
    case FileErrorCause::badPath: return "%1 contains an invalid path.";
    case FileErrorCause::tooManyOpenFiles: return "%1 could not be opened because there are too many open files.";
    case FileErrorCause::accessDenied: return "Access to %1 was denied.";
    case FileErrorCause::invalidFile: return "An invalid file handle was associated with %1.";
    case FileErrorCause::removeCurrentDir: return "%1 could not be removed because it is the current directory.";
    case FileErrorCause::directoryFull: return "%1 could not be created because the directory is full.";
    case FileErrorCause::badSeek: return "Seek failed on %1";
    case FileErrorCause::hardIO: return "A hardware I/O error was reported while accessing %1.";
    case FileErrorCause::sharingViolation: return "A sharing violation occurred while accessing %1.";
    case FileErrorCause::lockViolation: return "A locking violation occurred while accessing %1.";
    case FileErrorCause::diskFull: return "Disk full while accessing %1.";
    case FileErrorCause::endOfFile: return "An attempt was made to access %1 past its end.";
  }
  return "An unknown error occurred while accessing %1.";
}

}  // namespace

std::string GetErrorText(platform::System& system, unsigned long code) {
  const std::string text = system.MessageText(code);
  return text.empty() ? std::string() : "에러 메세지 : " + text;
}

std::string ReasonText(platform::System& system, long code) {
  std::string reason = system.MessageText(static_cast<unsigned long>(code));
  if (reason.empty()) reason = "오류 코드 " + std::to_string(code);
  // The system's text ends in a line break of its own.
  while (reason.ends_with('\n') || reason.ends_with('\r')) reason.pop_back();
  return reason;
}

FileErrorCause FileErrorCauseOf(long code) {
  for (const CodeCause& row : kCodeCauses) {
    if (row.code == code) return row.cause;
  }
  return FileErrorCause::generic;
}

std::string FileErrorText(FileErrorCause cause, std::string_view fileName) {
  std::string text(MessageFormat(cause));
  const std::size_t at = text.find("%1");
  text.replace(at, 2, fileName);
  return text;
}
