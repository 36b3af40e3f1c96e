#include "repair/key_removal.h"

#include <cstdio>
#include <utility>

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

// Removes every key below key, children first; 0 or the first failure. Children are opened and
// removed through handles, never by a name spelled in the ANSI code page, which may lack its letters.
long DeleteSubkeys(Registry& registry, KeyHandle key) {
  bool lastUnreachable = false;
  for (;;) {
    // Always the first remaining child: the one removed before no longer occupies index 0.
    RegKey child;
    long opened = kErrorSuccess;
    // The enumeration ending, or failing, leaves it to the key's own delete to tell what stays.
    if (OpenSubkeyAt(registry, key, 0, kKeyReadWrite, &child, &opened) != kErrorSuccess) return kErrorSuccess;
    if (opened == kErrorFileNotFound) {
      // Listed, then not found: gone meanwhile, so the next listing no longer holds it. A child
      // listed and not found twice in a row stays, and so does the tree; that is no success.
      if (std::exchange(lastUnreachable, true)) return kErrorCantOpen;
      continue;
    }
    lastUnreachable = false;
    if (opened != kErrorSuccess) return opened;
    if (const long below = DeleteSubkeys(registry, child.get())) return below;
    const long status = registry.DeleteOpenedKey(child.get());
    // A child deleted meanwhile by someone else is gone all the same.
    if (status != kErrorSuccess && status != kErrorKeyDeleted) return status;
  }
}

}  // namespace

long DeleteKeyTree(Registry& registry, KeyHandle parent, const std::string& name) {
  {
    RegKey key;
    if (const long status = OpenKey(registry, parent, name, kKeyReadWrite, &key)) return status;
    if (const long status = DeleteSubkeys(registry, key.get())) return status;
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

bool RemoveCleanupList(Registry& registry, ReportLog& report, const CleanupList& list) {
  int number = 0;
  bool allRemoved = true;
  RegKey held;  // at most one parent open at a time
  for (const RemovalGroup& group : list.groups) {
    held.Close();
    // A parent that cannot be opened is not reported itself: its rows fail on the empty handle.
    OpenKey(registry, list.root, std::string(group.parent), kKeyReadWrite, &held);
    for (const RemovalRow& row : group.rows) {
      const long code = RemoveRow(registry, held.get(), row);
      ReportRemovalResult(report, code, RowText(++number, list, group, row));
      allRemoved = allRemoved && IsRemoved(code);
    }
  }
  return allRemoved;
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
