#include "repair/key_removal.h"

#include <cstdio>
#include <utility>

using namespace platform;

namespace {

// An absent key counts as removed.
bool IsRemoved(long code) { return code == kErrorSuccess || code == kErrorFileNotFound; }

// A key deleted meanwhile by someone else is gone all the same.
bool IsDeleted(long status) { return status == kErrorSuccess || status == kErrorKeyDeleted; }

// The keys a row removes: those it lists, else the one its text names.
std::span<const std::string_view> KeysOfRow(const RemovalRow& row) {
  return row.keys.empty() ? std::span(&row.subkey, 1) : row.keys;
}

std::string ListedPath(const RemovalGroup& group, std::string_view key) {
  return std::string(group.parent) + "\\" + std::string(key);
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
    if (const long status = registry.DeleteOpenedKey(child.get()); !IsDeleted(status)) return status;
  }
}

// Deletes the keys in their order, each through its own handle, closed once it is gone; 0 or the
// first failure. A key that appeared below one of them since they were opened keeps it: its delete
// refuses.
long DeleteOpenKeys(Registry& registry, std::vector<RegKey>& keys) {
  for (RegKey& key : keys) {
    const long status = registry.DeleteOpenedKey(key.get());
    key.Close();
    if (!IsDeleted(status)) return status;
  }
  return kErrorSuccess;
}

// DeleteKeyTree; what lies below name goes through below when given, else by a walk of its own.
long DeleteTree(Registry& registry, KeyHandle parent, const std::string& name, std::vector<RegKey>* below) {
  {
    RegKey key;
    if (const long status = OpenKey(registry, parent, name, kKeyReadWrite, &key)) return status;
    const long status = below != nullptr ? DeleteOpenKeys(registry, *below) : DeleteSubkeys(registry, key.get());
    if (status != kErrorSuccess) return status;
  }  // closed before the key itself goes
  return registry.DeleteKey(parent, name);
}

// A row's code: the first failure among its keys, else success. A key of trees is taken out of it,
// so that a row naming it again finds it absent.
long RemoveRow(Registry& registry, KeyHandle parent, const RemovalGroup& group, const RemovalRow& row,
               OpenTrees& trees) {
  long result = kErrorSuccess;
  for (const std::string_view key : KeysOfRow(row)) {
    auto held = trees.extract(ListedPath(group, key));
    const long code = DeleteTree(registry, parent, std::string(key), held ? &held.mapped() : nullptr);
    if (IsRemoved(result)) result = code;
  }
  return result;
}

}  // namespace

long DeleteKeyTree(Registry& registry, KeyHandle parent, const std::string& name) {
  return DeleteTree(registry, parent, name, nullptr);
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

bool RemoveCleanupList(Registry& registry, ReportLog& report, const CleanupList& list, OpenTrees trees) {
  int number = 0;
  bool allRemoved = true;
  RegKey held;  // at most one parent open at a time
  for (const RemovalGroup& group : list.groups) {
    held.Close();
    // A parent that cannot be opened is not reported itself: its rows fail on the empty handle.
    OpenKey(registry, list.root, std::string(group.parent), kKeyReadWrite, &held);
    for (const RemovalRow& row : group.rows) {
      const long code = RemoveRow(registry, held.get(), group, row, trees);
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
      for (const std::string_view key : KeysOfRow(row)) keys.push_back(ListedPath(group, key));
    }
  }
  return keys;
}
