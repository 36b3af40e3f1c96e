#include "repair/key_removal.h"

#include <cstdint>
#include <cstdio>

using namespace platform;

namespace {

// An absent key counts as removed.
bool IsRemoved(long code) { return code == kErrorSuccess || code == kErrorFileNotFound; }

// A row's code: the first failure among its keys, else success.
long RemoveRow(Registry& registry, KeyHandle parent, const RemovalRow& row) {
  if (row.keys.empty()) return DeleteKeyTree(registry, parent, std::string(row.subkey));
  long result = kErrorSuccess;
  for (const std::string_view key : row.keys) {
    const long code = DeleteKeyTree(registry, parent, std::string(key));
    if (IsRemoved(result)) result = code;
  }
  return result;
}

std::string RowText(int number, const CleanupList& list, const RemovalGroup& group, const RemovalRow& row) {
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "%02d.", number);
  return std::string(prefix) + std::string(list.rootName) + "\\" + std::string(group.parent) + "\\" +
         std::string(row.subkey);
}

}  // namespace

long DeleteKeyTree(Registry& registry, KeyHandle parent, const std::string& name) {
  {
    RegKey key;
    if (const long status = OpenKey(registry, parent, name, kKeyReadWrite, &key)) return status;
    // Always the first remaining child: the one removed before no longer occupies index 0.
    char child[256];
    for (;;) {
      std::uint32_t size = sizeof child;
      if (registry.EnumKey(key.get(), 0, child, &size) != kErrorSuccess) break;
      if (const long status = DeleteKeyTree(registry, key.get(), std::string(child, size))) return status;
    }
  }  // closed before the key itself goes
  return registry.DeleteKey(parent, name);
}

void ReportRemovalResult(ReportLog& report, long code, std::string_view text) {
  if (IsRemoved(code)) {
    report.AppendReportLine(1, "[성공] ", text);
  } else if (code == kErrorAccessDenied) {
    report.AppendReportLine(1, "[권한없슴] ", text);
  } else {
    report.AppendReportLine(1, "[실패] ", text);
    char line[32];
    std::snprintf(line, sizeof line, "Error Code : %d", static_cast<int>(code));
    report.AppendReportLine(2, line);
  }
  report.AppendReportLine(1, "");
}

void RemoveCleanupList(Registry& registry, ReportLog& report, const CleanupList& list) {
  int number = 0;
  RegKey held;  // at most one parent open at a time
  for (const RemovalGroup& group : list.groups) {
    held.Close();
    // A parent that cannot be opened is not reported itself: its rows fail on the empty handle.
    OpenKey(registry, list.root, std::string(group.parent), kKeyReadWrite, &held);
    for (const RemovalRow& row : group.rows) {
      const long code = RemoveRow(registry, held.get(), row);
      ReportRemovalResult(report, code, RowText(++number, list, group, row));
    }
  }
}

std::vector<std::string> KeysOf(const CleanupList& list) {
  std::vector<std::string> keys;
  for (const RemovalGroup& group : list.groups) {
    for (const RemovalRow& row : group.rows) {
      if (row.keys.empty()) keys.push_back(std::string(group.parent) + "\\" + std::string(row.subkey));
      for (const std::string_view key : row.keys) keys.push_back(std::string(group.parent) + "\\" + std::string(key));
    }
  }
  return keys;
}
