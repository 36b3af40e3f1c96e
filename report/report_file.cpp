#include "report/report_file.h"

#include <cstdio>
#include <memory>

#include "platform/error_codes.h"
#include "report/error_text.h"

namespace {

long WriteAndFlush(platform::OutputFile& file, const std::string& bytes) {
  std::size_t written = 0;
  if (const long status = file.Write(bytes, &written); status != 0) return status;
  if (written < bytes.size()) return platform::kErrorDiskFull;  // what a write that stores less amounts to
  return file.Flush();
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

std::string ReportFileBytes(std::string_view report) { return std::string("\xEF\xBB\xBF").append(report); }

long WriteFileReplacing(platform::FileSystem& files, const std::string& path, const std::string& bytes) {
  std::string temp;
  std::unique_ptr<platform::OutputFile> file;
  if (const long status = files.CreateTempFile(FolderOf(path), &temp, &file); status != 0) return status;
  long status = WriteAndFlush(*file, bytes);
  file.reset();  // closed before it can take the destination's place
  if (status == 0) status = files.MoveReplacing(temp, path);
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
