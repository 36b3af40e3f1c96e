#include "repair/file_error.h"

#include <string_view>
#include <utility>

namespace {

struct CodeCause {
  long code;
  FileError::Cause cause;
};

// Win32 ERROR_* values by number, so that portable code needs no platform header.
constexpr CodeCause kCodeCauses[] = {
    {2, FileError::Cause::fileNotFound},        // ERROR_FILE_NOT_FOUND
    {3, FileError::Cause::fileNotFound},        // ERROR_PATH_NOT_FOUND
    {4, FileError::Cause::tooManyOpenFiles},    // ERROR_TOO_MANY_OPEN_FILES
    {5, FileError::Cause::accessDenied},        // ERROR_ACCESS_DENIED
    {6, FileError::Cause::invalidFile},         // ERROR_INVALID_HANDLE
    {12, FileError::Cause::accessDenied},       // ERROR_INVALID_ACCESS
    {15, FileError::Cause::badPath},            // ERROR_INVALID_DRIVE
    {16, FileError::Cause::removeCurrentDir},   // ERROR_CURRENT_DIRECTORY
    {19, FileError::Cause::accessDenied},       // ERROR_WRITE_PROTECT
    {21, FileError::Cause::hardIO},             // ERROR_NOT_READY
    {23, FileError::Cause::hardIO},             // ERROR_CRC
    {25, FileError::Cause::badSeek},            // ERROR_SEEK
    {27, FileError::Cause::hardIO},             // ERROR_SECTOR_NOT_FOUND
    {29, FileError::Cause::hardIO},             // ERROR_WRITE_FAULT
    {30, FileError::Cause::hardIO},             // ERROR_READ_FAULT
    {31, FileError::Cause::hardIO},             // ERROR_GEN_FAILURE
    {32, FileError::Cause::sharingViolation},   // ERROR_SHARING_VIOLATION
    {33, FileError::Cause::lockViolation},      // ERROR_LOCK_VIOLATION
    {34, FileError::Cause::hardIO},             // ERROR_WRONG_DISK
    {36, FileError::Cause::lockViolation},      // ERROR_SHARING_BUFFER_EXCEEDED
    {38, FileError::Cause::endOfFile},          // ERROR_HANDLE_EOF
    {39, FileError::Cause::diskFull},           // ERROR_HANDLE_DISK_FULL
    {53, FileError::Cause::badPath},            // ERROR_BAD_NETPATH
    {65, FileError::Cause::accessDenied},       // ERROR_NETWORK_ACCESS_DENIED
    {67, FileError::Cause::badPath},            // ERROR_BAD_NET_NAME
    {80, FileError::Cause::accessDenied},       // ERROR_FILE_EXISTS
    {82, FileError::Cause::directoryFull},      // ERROR_CANNOT_MAKE
    {108, FileError::Cause::lockViolation},     // ERROR_DRIVE_LOCKED
    {112, FileError::Cause::diskFull},          // ERROR_DISK_FULL
    {123, FileError::Cause::badPath},           // ERROR_INVALID_NAME
    {131, FileError::Cause::badSeek},           // ERROR_NEGATIVE_SEEK
    {132, FileError::Cause::badSeek},           // ERROR_SEEK_ON_DEVICE
    {161, FileError::Cause::badPath},           // ERROR_BAD_PATHNAME
    {167, FileError::Cause::lockViolation},     // ERROR_LOCK_FAILED
    {183, FileError::Cause::accessDenied},      // ERROR_ALREADY_EXISTS
    {206, FileError::Cause::badPath},           // ERROR_FILENAME_EXCED_RANGE
};

std::string_view MessageFormat(FileError::Cause cause) {
  switch (cause) {
    case FileError::Cause::generic: break;
    case FileError::Cause::fileNotFound: return "%1 was not found.";
    case FileError::Cause::badPath: return "%1 contains an invalid path.";
    case FileError::Cause::tooManyOpenFiles: return "%1 could not be opened because there are too many open files.";
    case FileError::Cause::accessDenied: return "Access to %1 was denied.";
    case FileError::Cause::invalidFile: return "An invalid file handle was associated with %1.";
    case FileError::Cause::removeCurrentDir: return "%1 could not be removed because it is the current directory.";
    case FileError::Cause::directoryFull: return "%1 could not be created because the directory is full.";
    case FileError::Cause::badSeek: return "Seek failed on %1";
    case FileError::Cause::hardIO: return "A hardware I/O error was reported while accessing %1.";
    case FileError::Cause::sharingViolation: return "A sharing violation occurred while accessing %1.";
    case FileError::Cause::lockViolation: return "A locking violation occurred while accessing %1.";
    case FileError::Cause::diskFull: return "Disk full while accessing %1.";
    case FileError::Cause::endOfFile: return "An attempt was made to access %1 past its end.";
  }
  return "An unknown error occurred while accessing %1.";
}

std::string MessageFor(FileError::Cause cause, const std::string& fileName) {
  std::string text(MessageFormat(cause));
  const std::size_t at = text.find("%1");
  text.replace(at, 2, fileName);
  return text;
}

}  // namespace

FileError::FileError(Cause cause, std::string fileName)
    : m_cause(cause), m_strFileName(std::move(fileName)), m_strMessage(MessageFor(m_cause, m_strFileName)) {}

FileError::Cause FileError::CauseFromCode(long code) {
  for (const CodeCause& row : kCodeCauses) {
    if (row.code == code) return row.cause;
  }
  return Cause::generic;
}
