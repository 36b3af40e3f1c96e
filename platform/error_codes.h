#pragma once
// The Win32 error numbers that portable code compares, returns or explains, by their ERROR_* names,
// so that it needs no platform header.

namespace platform {

inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorPathNotFound = 3;
inline constexpr long kErrorTooManyOpenFiles = 4;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorInvalidAccess = 12;
inline constexpr long kErrorInvalidData = 13;
inline constexpr long kErrorInvalidDrive = 15;
inline constexpr long kErrorCurrentDirectory = 16;
inline constexpr long kErrorWriteProtect = 19;
inline constexpr long kErrorNotReady = 21;
inline constexpr long kErrorCrc = 23;
inline constexpr long kErrorSeek = 25;
inline constexpr long kErrorSectorNotFound = 27;
inline constexpr long kErrorWriteFault = 29;
inline constexpr long kErrorReadFault = 30;
inline constexpr long kErrorGenFailure = 31;
inline constexpr long kErrorSharingViolation = 32;
inline constexpr long kErrorLockViolation = 33;
inline constexpr long kErrorWrongDisk = 34;
inline constexpr long kErrorSharingBufferExceeded = 36;
inline constexpr long kErrorHandleEof = 38;
inline constexpr long kErrorHandleDiskFull = 39;
inline constexpr long kErrorBadNetpath = 53;
inline constexpr long kErrorNetworkAccessDenied = 65;
inline constexpr long kErrorBadNetName = 67;
inline constexpr long kErrorFileExists = 80;
inline constexpr long kErrorCannotMake = 82;
inline constexpr long kErrorDriveLocked = 108;
inline constexpr long kErrorDiskFull = 112;
inline constexpr long kErrorInsufficientBuffer = 122;
inline constexpr long kErrorInvalidName = 123;
inline constexpr long kErrorNegativeSeek = 131;
inline constexpr long kErrorSeekOnDevice = 132;
inline constexpr long kErrorBadPathname = 161;  // a path that starts with a backslash
inline constexpr long kErrorLockFailed = 167;
inline constexpr long kErrorAlreadyExists = 183;
inline constexpr long kErrorFilenameExcedRange = 206;
inline constexpr long kErrorMoreData = 234;
inline constexpr long kErrorNoMoreItems = 259;
inline constexpr long kErrorBadKey = 1010;  // the registry key is invalid
inline constexpr long kErrorCantOpen = 1011;  // a key that is listed but cannot be opened
inline constexpr long kErrorKeyDeleted = 1018;  // a call through a handle whose key was deleted meanwhile
inline constexpr long kErrorKeyHasChildren = 1020;  // the key holds subkeys or values

}  // namespace platform
