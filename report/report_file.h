#pragma once
// The report as a file of its own, for the help desk: UTF-8 with a byte-order mark, so that it reads
// correctly on any PC whatever its code page, and written so that a failure never leaves a
// half-written file where an older one stood.
#include <string>
#include <string_view>

#include "platform/files.h"
#include "platform/system.h"

// yyyyMMdd-HHmmss, as the names of the files the program writes carry it.
std::string FileTimeStamp(const platform::LocalTime& time);

// MendrelDiag-<computer name>-<yyyyMMdd-HHmmss>.txt
std::string ReportFileName(std::string_view computerName, const platform::LocalTime& time);

// The folder part of path with its separator ("C:\", "dir\", "C:"), or "." for a bare name.
std::string FolderOf(const std::string& path);

// name in folder: joined with a backslash unless folder is empty or ends with one.
std::string PathIn(const std::string& folder, std::string_view name);

// The file's bytes: the byte-order mark, then the report as it is (UTF-8, CR LF line ends).
std::string ReportFileBytes(std::string_view report);

// Writes the bytes to a new file beside path that then replaces it. 0 or the platform's error
// code; on failure path is as it was and the new file is gone.
long WriteFileReplacing(platform::FileSystem& files, const std::string& path, const std::string& bytes);

// Writes the bytes to a new file beside path that then takes path's name or, where a file has it
// already, the first free one of "<name>-2<extension>", "-3"...: no file there is ever replaced.
// 0 with *written the path the file took, or the platform's error code, and no new file stays.
long WriteNewFile(platform::FileSystem& files, const std::string& path, const std::string& bytes,
                  std::string* written);

// Writes bytes to path as WriteFileReplacing does; the message that names the file and the system's
// reason, or nothing.
std::string SaveBytes(platform::FileSystem& files, platform::System& system, const std::string& path,
                      const std::string& bytes);

// Writes the report's file to path; the message that names the file and the system's reason, or nothing.
std::string SaveReport(platform::FileSystem& files, platform::System& system, const std::string& path,
                       const std::string& report);
