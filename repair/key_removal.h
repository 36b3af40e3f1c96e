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

// "[성공]", "[권한없슴]" or "[실패]": how a row with this code is tagged.
std::string_view RemovalTag(long code);

// "[성공] ", "[권한없슴] " or "[실패] " with the row text, for failures the code, then the level-1
// marker alone.
void ReportRemovalResult(ReportLog& report, long code, std::string_view text);

// A key that the undo walk wrote to the file and left open for the removal, with what it was then.
struct HeldKey {
  platform::RegKey key;
  platform::KeyInfo info;
};

// A listed key as the undo walk found it: where it really is, and what of its tree the removal may
// delete, children before their parents and the listed key last. Where a key would not open for
// writing, the keys from there on are left out, as a removal walking the tree would stop there, and
// stop is the refusal (5) that the row ends with.
struct HeldTree {
  std::u16string location;
  std::vector<HeldKey> keys;
  long stop = platform::kErrorSuccess;
};

// The undo walk's finds by listed path, as KeysOf gives it: a key absent at the walk has none.
using HeldTrees = std::map<std::string, HeldTree>;

// What became of one row: its key as the row text names it (without the number), the code it
// reported and whether the key is gone, may remain, or was not there (also when its parent was not).
struct RemovalOutcome {
  enum class State { gone, remains, absent };
  std::string key;
  long code = 0;
  State state = State::gone;
};

// Removes every row of the list in order and reports each; no failure stops it. Without held trees
// each row removes its keys with DeleteKeyTree. With them it removes only what the undo file holds,
// through the held handles: a key absent at the walk is reported removed without a delete, a key
// gone meanwhile counts as removed, and a tree of which any key has changed since stays whole, its
// row failing with 1020 (ERROR_KEY_HAS_CHILDREN). The rows' outcomes, in order: the rows of a parent
// that does not exist fail (6), and their keys are absent.
std::vector<RemovalOutcome> RemoveCleanupList(platform::Registry& registry, ReportLog& report, const CleanupList& list,
                       HeldTrees* held = nullptr);

// Every key the list removes, below its root, in the list's order.
std::vector<std::string> KeysOf(const CleanupList& list);
