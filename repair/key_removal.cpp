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

std::string RowKey(const CleanupList& list, const RemovalGroup& group, const RemovalRow& row) {
  return std::string(list.rootName) + "\\" + std::string(group.parent) + "\\" + std::string(row.subkey);
}

std::string RowText(int number, const std::string& key) {
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "%02d.", number);
  return prefix + key;
}

RemovalOutcome::State StateOf(long code, bool parentAbsent) {
  if (code == kErrorFileNotFound || parentAbsent) return RemovalOutcome::State::absent;
  return code == kErrorSuccess ? RemovalOutcome::State::gone : RemovalOutcome::State::remains;
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

// Deletes the held keys in their order, each through its own handle, once none of them has changed
// since the walk: 0, or the first failure. A key changed meanwhile holds what the undo file lacks,
// so the whole tree stays; a key gone meanwhile is gone all the same.
long DeleteHeldTree(Registry& registry, HeldTree& tree) {
  for (const HeldKey& held : tree.keys) {
    KeyInfo now;
    const long status = registry.QueryKeyInfo(held.key.get(), &now);
    if (status == kErrorKeyDeleted) continue;
    if (status != kErrorSuccess) return status;
    if (now != held.info) return kErrorKeyHasChildren;
  }
  for (HeldKey& held : tree.keys) {
    const long status = registry.DeleteOpenedKey(held.key.get());
    held.key.Close();
    if (!IsDeleted(status)) return status;
  }
  return tree.stop;
}

// Results by the key's location, so that a key that several rows name goes once and the later rows
// report what became of it.
using RemovedKeys = std::map<std::u16string, long>;

// One key of a row below the group's parent: by DeleteKeyTree, or as the walk held it.
long RemoveKey(Registry& registry, KeyHandle parent, const std::string& path, std::string_view key,
               HeldTrees* held, RemovedKeys& removed) {
  if (held == nullptr) return DeleteKeyTree(registry, parent, std::string(key));
  if (parent == 0) return kErrorInvalidHandle;  // as below a parent that could not be opened
  const auto tree = held->find(path);
  if (tree == held->end()) return kErrorFileNotFound;  // absent at the walk: nothing of it is in the file
  const auto [result, first] = removed.try_emplace(tree->second.location);
  if (first) {
    result->second = DeleteHeldTree(registry, tree->second);
    tree->second.keys.clear();  // what stays is closed too
  }
  return result->second;
}

// A row's code: the first failure among its keys, else success.
long RemoveRow(Registry& registry, KeyHandle parent, const RemovalGroup& group, const RemovalRow& row,
               HeldTrees* held, RemovedKeys& removed) {
  long result = kErrorSuccess;
  for (const std::string_view key : KeysOfRow(row)) {
    const long code = RemoveKey(registry, parent, ListedPath(group, key), key, held, removed);
    if (IsRemoved(result)) result = code;
  }
  return result;
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

std::string_view RemovalTag(long code) {
  if (IsRemoved(code)) return "[성공]";
  return code == kErrorAccessDenied ? "[권한없슴]" : "[실패]";
}

void ReportRemovalResult(ReportLog& report, long code, std::string_view text) {
  report.AppendReportLine(1, std::string(RemovalTag(code)) + " ", text);
  if (!IsRemoved(code) && code != kErrorAccessDenied) {
    char line[32];
    std::snprintf(line, sizeof line, "Error Code : %d", static_cast<int>(code));
    report.AppendReportLine(2, line);
  }
  report.AppendReportLine(1, "");
}

std::vector<RemovalOutcome> RemoveCleanupList(Registry& registry, ReportLog& report, const CleanupList& list,
                                              HeldTrees* held) {
  std::vector<RemovalOutcome> outcomes;
  RemovedKeys removed;
  RegKey parent;  // at most one parent open at a time
  for (const RemovalGroup& group : list.groups) {
    parent.Close();
    // A parent that cannot be opened is not reported itself: its rows fail on the empty handle. One
    // that does not exist has no key of theirs below it.
    const bool parentAbsent =
        OpenKey(registry, list.root, std::string(group.parent), kKeyReadWrite, &parent) == kErrorFileNotFound;
    for (const RemovalRow& row : group.rows) {
      const long code = RemoveRow(registry, parent.get(), group, row, held, removed);
      outcomes.push_back({RowKey(list, group, row), code, StateOf(code, parentAbsent)});
      ReportRemovalResult(report, code, RowText(static_cast<int>(outcomes.size()), outcomes.back().key));
    }
  }
  return outcomes;
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
