#include "report/report_file.h"

#include <cstdio>
#include <memory>

#include "platform/error_codes.h"
#include "report/error_text.h"

namespace {

// Names a new file tries before it gives up: more than any folder sees within one second.
constexpr int kMostNumberedNames = 1000;

long WriteAndFlush(platform::OutputFile& file, const std::string& bytes) {
  std::size_t written = 0;
  if (const long status = file.Write(bytes, &written); status != 0) return status;
  if (written < bytes.size()) return platform::kErrorDiskFull;  // what a write that stores less amounts to
  return file.Flush();
}

// The bytes in a new temporary file in folder, flushed and closed: 0 with *temp its path, or the
// platform's error code and no file.
long WriteTempFile(platform::FileSystem& files, const std::string& folder, const std::string& bytes,
                   std::string* temp) {
  std::unique_ptr<platform::OutputFile> file;
  if (const long status = files.CreateTempFile(folder, temp, &file); status != 0) return status;
  const long status = WriteAndFlush(*file, bytes);
  file.reset();  // closed before it can take the destination's place
  if (status != 0) files.Delete(*temp);
  return status;
}

// path with "-<number>" before the extension of its file name.
std::string NumberedPath(const std::string& path, int number) {
  const std::size_t name = path.find_last_of("\\/:") + 1;  // npos wraps to 0: a bare name
  const std::size_t dot = path.rfind('.');
  const std::size_t end = dot == std::string::npos || dot < name ? path.size() : dot;
  return path.substr(0, end) + "-" + std::to_string(number) + path.substr(end);
}

}  // namespace

std::string FileTimeStamp(const platform::LocalTime& time) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04u%02u%02u-%02u%02u%02u", time.year % 10000, time.month % 100,
                time.day % 100, time.hour % 100, time.minute % 100, time.second % 100);
  return stamp;
}

std::string ReportFileName(std::string_view computerName, const platform::LocalTime& time) {
  return std::string("MendrelDiag-").append(computerName).append("-").append(FileTimeStamp(time)).append(".txt");
}

std::string FolderOf(const std::string& path) {
  const std::size_t end = path.find_last_of("\\/:");
  return end == std::string::npos ? std::string(".") : path.substr(0, end + 1);
}

std::string PathIn(const std::string& folder, std::string_view name) {
  std::string path = folder;
  if (!path.empty() && !path.ends_with('\\')) path += '\\';
  return path.append(name);
}

std::string ReportFileBytes(std::string_view report) { return std::string("\xEF\xBB\xBF").append(report); }

long WriteFileReplacing(platform::FileSystem& files, const std::string& path, const std::string& bytes) {
  std::string temp;
  if (const long status = WriteTempFile(files, FolderOf(path), bytes, &temp); status != 0) return status;
  const long status = files.MoveReplacing(temp, path);
  if (status != 0) files.Delete(temp);
  return status;
}

long WriteNewFile(platform::FileSystem& files, const std::string& path, const std::string& bytes,
                  std::string* written) {
  std::string temp;
  if (const long status = WriteTempFile(files, FolderOf(path), bytes, &temp); status != 0) return status;
  long status = platform::kErrorAlreadyExists;
  for (int number = 1; status == platform::kErrorAlreadyExists && number <= kMostNumberedNames; ++number) {
    *written = number == 1 ? path : NumberedPath(path, number);
    status = files.MoveNew(temp, *written);
  }
  if (status != 0) files.Delete(temp);
  return status;
}

std::string SaveReport(platform::FileSystem& files, platform::System& system, const std::string& path,
                       const std::string& report) {
  return SaveBytes(files, system, path, ReportFileBytes(report));
}

std::string SaveBytes(platform::FileSystem& files, platform::System& system, const std::string& path,
                      const std::string& bytes) {
  const long status = WriteFileReplacing(files, path, bytes);
  if (status == 0) return {};
  return "보고서를 저장하지 못했습니다.\r\n\r\n파일 : " + path + "\r\n사유 : " + ReasonText(system, status);
}
