#include "repair/undo_file.h"

#include <set>
#include <utility>
#include <vector>

#include "platform/unicode.h"
#include "report/report_file.h"

using namespace platform;

namespace {

constexpr std::u16string_view kVersionLine = u"Windows Registry Editor Version 5.00\r\n\r\n";
// A hex line breaks once it holds this many characters; with its backslash it stays within 80.
constexpr std::size_t kHexLineBreak = 77;

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (Upper(text[i]) != Upper(prefix[i])) return false;
  }
  return true;
}

std::u16string Quoted(std::u16string_view text) {
  std::u16string quoted = u"\"";
  for (const char16_t c : text) {
    if (c == u'\\' || c == u'"') quoted += u'\\';
    quoted += c;
  }
  return quoted + u'"';
}

// Text the registry editor writes and reads back as the same bytes: whole UTF-16 units ending in
// one zero, none before it, and no line break that would split the line.
bool IsPlainText(const std::string& data) {
  if (data.size() < 2 || data.size() % 2 != 0 || data[data.size() - 1] != 0 || data[data.size() - 2] != 0) {
    return false;
  }
  for (std::size_t i = 0; i + 2 < data.size(); i += 2) {
    const auto unit = static_cast<char16_t>(static_cast<unsigned char>(data[i]) |
                                            static_cast<unsigned char>(data[i + 1]) << 8);
    if (unit == 0 || unit == u'\r' || unit == u'\n') return false;
  }
  return true;
}

std::u16string TextOf(const std::string& data) {
  std::u16string text;
  for (std::size_t i = 0; i + 2 < data.size(); i += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>(data[i]) | static_cast<unsigned char>(data[i + 1]) << 8);
  }
  return text;
}

void AppendHex(std::u16string* line, unsigned value, int digits) {
  constexpr char16_t kDigits[] = u"0123456789abcdef";
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) *line += kDigits[(value >> shift) & 0xF];
}

// Bytes as "xx,xx,...", the line broken after a comma with a backslash and continued indented by two.
void AppendHexBytes(std::u16string* line, const std::string& data) {
  std::size_t column = line->size();
  for (std::size_t i = 0; i < data.size(); ++i) {
    AppendHex(line, static_cast<unsigned char>(data[i]), 2);
    if (i + 1 == data.size()) break;
    *line += u',';
    column += 3;
    if (column >= kHexLineBreak) {
      *line += u"\\\r\n  ";
      column = 2;
    }
  }
}

bool HasLineBreak(std::u16string_view text) { return text.find_first_of(u"\r\n") != std::u16string_view::npos; }

// The walk through one listed key's tree: the registry, the user whose hive is HKEY_CURRENT_USER,
// what it has found so far and what of the tree it holds for the removal.
struct TreeWalk {
  Registry& registry;
  std::u16string_view userSid;
  UndoWalk& found;
  HeldTree& tree;
};

// The subkey at index, opened for the removal as well until a key of the tree refuses that; from
// then on the walk reads on, and the removal stops where that key stands.
long OpenChild(TreeWalk& walk, KeyHandle key, std::uint32_t index, RegKey* child, long* opened) {
  if (walk.tree.stop == kErrorSuccess) {
    const long status = OpenSubkeyAt(walk.registry, key, index, kKeyReadWrite, child, opened);
    if (status != kErrorSuccess || *opened != kErrorAccessDenied) return status;
    walk.tree.stop = kErrorAccessDenied;
  }
  return OpenSubkeyAt(walk.registry, key, index, kKeyRead, child, opened);
}

// Appends the key, its values, then each subkey's tree. The key joins the held ones once its tree
// is complete, so that children come before their parents. 0, or the failure with the key where it
// happened.
long AppendKeyTree(TreeWalk& walk, RegKey key) {
  Registry& registry = walk.registry;
  const auto stop = [&](std::u16string_view where, long status) {
    walk.found.stopKey = where;
    return status;
  };
  // Taken before anything is read: whatever changes after it, the removal sees changed.
  KeyInfo info;
  if (const long status = registry.QueryKeyInfo(key.get(), &info)) return status;
  std::u16string location;
  std::u16string path;
  if (const long status = registry.KeyLocation(key.get(), &location)) return status;
  if (!RegFileKeyPath(location, walk.userSid, &path)) return stop(location, kErrorInvalidData);
  // Its name is the last part: its parent has been written.
  if (HasLineBreak(path)) return stop(path.substr(0, path.rfind(u'\\')), kErrorBadKey);
  std::u16string& text = walk.found.text;
  text.append(u"[").append(path).append(u"]\r\n");
  for (std::uint32_t index = 0; index < info.values; ++index) {
    RegistryValue value;
    const long status = registry.ValueAt(key.get(), index, &value);
    if (status == kErrorNoMoreItems) break;
    if (status != kErrorSuccess || HasLineBreak(value.name)) {
      walk.found.stopValue = index + 1;
      return stop(path, status != kErrorSuccess ? status : kErrorBadKey);
    }
    text.append(RegFileValueLine(value)).append(u"\r\n");
  }
  text.append(u"\r\n");
  for (std::uint32_t index = 0; index < info.subkeys; ++index) {
    RegKey child;
    long opened = kErrorSuccess;
    const long status = OpenChild(walk, key.get(), index, &child, &opened);
    if (status == kErrorNoMoreItems) break;
    // A subkey that cannot be read could not be put back: the file would not be whole.
    if (status != kErrorSuccess) return stop(path, status);
    if (opened != kErrorSuccess) return stop(path, opened);
    if (const long failed = AppendKeyTree(walk, std::move(child))) return failed;
  }
  if (walk.tree.stop == kErrorSuccess) walk.tree.keys.push_back({std::move(key), info});
  return kErrorSuccess;
}

}  // namespace

std::string UndoFileName(std::string_view kind, std::string_view computerName, const LocalTime& time) {
  return std::string("MendrelDiag-undo-")
      .append(kind)
      .append("-")
      .append(computerName)
      .append("-")
      .append(FileTimeStamp(time))
      .append(".reg");
}

bool RegFileKeyPath(std::u16string_view location, std::u16string_view userSid, std::u16string* path) {
  constexpr std::u16string_view kMachine = u"\\REGISTRY\\MACHINE";
  constexpr std::u16string_view kUser = u"\\REGISTRY\\USER\\";
  constexpr std::u16string_view kClassesSuffix = u"_Classes";
  std::u16string_view rest;
  if (StartsWithNoCase(location, kMachine)) {
    *path = u"HKEY_LOCAL_MACHINE";
    rest = location.substr(kMachine.size());
  } else if (StartsWithNoCase(location, kUser)) {
    const std::u16string_view hive = location.substr(kUser.size(), location.find(u'\\', kUser.size()) - kUser.size());
    if (hive.empty()) return false;
    rest = location.substr(kUser.size() + hive.size());
    // The user's own hive, or the classes hive that shows as its Software\Classes.
    const bool classes = hive.size() > kClassesSuffix.size() &&
                         StartsWithNoCase(hive.substr(hive.size() - kClassesSuffix.size()), kClassesSuffix);
    const std::u16string_view sid = classes ? hive.substr(0, hive.size() - kClassesSuffix.size()) : hive;
    if (!userSid.empty() && sid.size() == userSid.size() && StartsWithNoCase(sid, userSid)) {
      *path = classes ? u"HKEY_CURRENT_USER\\Software\\Classes" : u"HKEY_CURRENT_USER";
    } else {
      path->assign(u"HKEY_USERS\\").append(hive);
    }
  } else {
    return false;
  }
  if (!rest.empty() && rest.front() != u'\\') return false;
  path->append(rest);
  return true;
}

std::u16string RegFileValueLine(const RegistryValue& value) {
  std::u16string line = value.name.empty() ? u"@" : Quoted(value.name);
  line += u'=';
  if (value.type == kRegSz && IsPlainText(value.data)) return line + Quoted(TextOf(value.data));
  if (value.type == kRegDword && value.data.size() == 4) {
    unsigned number = 0;
    for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<unsigned char>(value.data[i]);
    line += u"dword:";
    AppendHex(&line, number, 8);
    return line;
  }
  if (value.type == kRegBinary) {
    line += u"hex:";
  } else {
    line += u"hex(";
    std::u16string type;
    for (std::uint32_t rest = value.type; rest != 0 || type.empty(); rest >>= 4) {
      type.insert(type.begin(), u"0123456789abcdef"[rest & 0xF]);
    }
    line.append(type).append(u"):");
  }
  AppendHexBytes(&line, value.data);
  return line;
}

long UndoFileText(Registry& registry, const CleanupList& list, std::string_view userSid, UndoWalk* walk) {
  *walk = {};
  walk->text = kVersionLine;
  const std::u16string user = Utf8ToUtf16(userSid);
  std::set<std::u16string> written;  // a key that two rows reach is kept once
  for (const std::string& path : KeysOf(list)) {
    RegKey key;
    // Opened for the removal as well, as it would open it; where that is refused, for reading.
    long status = OpenKey(registry, list.root, path, kKeyReadWrite, &key);
    const bool refused = status == kErrorAccessDenied;
    if (refused) status = OpenKey(registry, list.root, path, kKeyRead, &key);
    if (status == kErrorFileNotFound) continue;  // nothing to keep
    if (status != kErrorSuccess) return status;
    ++walk->keys;
    HeldTree tree;
    if (const long located = registry.KeyLocation(key.get(), &tree.location)) return located;
    if (refused) tree.stop = kErrorAccessDenied;
    if (written.insert(tree.location).second) {
      TreeWalk treeWalk{registry, user, *walk, tree};
      if (const long failed = AppendKeyTree(treeWalk, std::move(key))) return failed;
    }
    walk->held.try_emplace(path, std::move(tree));
  }
  return kErrorSuccess;
}

std::string UndoFileBytes(std::u16string_view text) {
  return Utf16LeBytes(std::u16string(1, kByteOrderMark).append(text));
}
