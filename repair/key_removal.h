#pragma once
// Removal of registry key trees, a list of them at a time, with one numbered report row per entry.
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "report/report_log.h"

// One numbered row of a clean-up list. Its text names what it removes below the group's parent;
// that is the one key it removes, unless it lists its keys itself.
struct RemovalRow {
  std::string_view subkey;
  std::span<const std::string_view> keys = {};
};

// Rows below one parent key, which the walk opens once for them.
struct RemovalGroup {
  std::string_view parent;
  std::span<const RemovalRow> rows;
};

struct CleanupList {
  platform::KeyHandle root;
  std::string_view rootName;  // as the row texts print it
  std::span<const RemovalGroup> groups;
};

// Removes parent\name and everything below it, children first; stops at the first failure, which
// it returns with the keys removed so far staying removed.
long DeleteKeyTree(platform::Registry& registry, platform::KeyHandle parent, const std::string& name);

// "[성공] ", "[권한없슴] " or "[실패] " with the row text, for failures the code, then the level-1
// marker alone.
void ReportRemovalResult(ReportLog& report, long code, std::string_view text);

// Keys below listed keys, left open for the removal by the walk that wrote them to the undo file:
// each tree's keys children before their parents, by the listed key's path as KeysOf gives it.
using OpenTrees = std::map<std::string, std::vector<platform::RegKey>>;

// Removes every row of the list in order and reports each; no failure stops it. True when every row
// reported success. Below a key that trees holds, it deletes through those handles instead of
// listing the tree again: a key gone meanwhile counts as removed, and one that has appeared since
// stays with its parents, whose delete refuses (5).
bool RemoveCleanupList(platform::Registry& registry, ReportLog& report, const CleanupList& list,
                       OpenTrees trees = {});

// Every key the list removes, below its root, in the list's order.
std::vector<std::string> KeysOf(const CleanupList& list);
