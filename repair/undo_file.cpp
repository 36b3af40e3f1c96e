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

// The keys below one listed key, left open for its removal, children before their parents. Each is
// opened for writing too, as the removal opens it; where that is refused the walk reads on and keeps
// none, and the removal walks the tree itself, meeting the same refusal.
struct KeysBelow {
  std::vector<RegKey> keys;
  bool writable = true;
};

// The subkey at index, opened for the removal as well while the tree allows it.
long OpenChild(Registry& registry, KeyHandle key, std::uint32_t index, KeysBelow* below, RegKey* child,
               long* opened) {
  if (below->writable) {
    const long status = OpenSubkeyAt(registry, key, index, kKeyReadWrite, child, opened);
    if (status != kErrorSuccess || *opened != kErrorAccessDenied) return status;
    below->writable = false;
    below->keys.clear();
  }
  return OpenSubkeyAt(registry, key, index, kKeyRead, child, opened);
}

long AppendKeyTree(Registry& registry, KeyHandle key, std::u16string* text, KeysBelow* below) {
  std::u16string location;
  std::u16string path;
  if (const long status = registry.KeyLocation(key, &location)) return status;
  if (!RegFileKeyPath(location, &path)) return kErrorInvalidData;
  text->append(u"[").append(path).append(u"]\r\n");
  for (std::uint32_t index = 0;; ++index) {
    RegistryValue value;
    const long status = registry.ValueAt(key, index, &value);
    if (status == kErrorNoMoreItems) break;
    if (status != kErrorSuccess) return status;
    text->append(RegFileValueLine(value)).append(u"\r\n");
  }
  text->append(u"\r\n");
  for (std::uint32_t index = 0;; ++index) {
    RegKey child;
    long opened = kErrorSuccess;
    const long status = OpenChild(registry, key, index, below, &child, &opened);
    if (status == kErrorNoMoreItems) break;
    // A subkey that cannot be read could not be put back: the file would not be whole.
    if (status != kErrorSuccess) return status;
    if (opened != kErrorSuccess) return opened;
    if (const long failed = AppendKeyTree(registry, child.get(), text, below)) return failed;
    if (below->writable) below->keys.push_back(std::move(child));
  }
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

bool RegFileKeyPath(std::u16string_view location, std::u16string* path) {
  constexpr std::u16string_view kMachine = u"\\REGISTRY\\MACHINE";
  constexpr std::u16string_view kUser = u"\\REGISTRY\\USER\\";
  constexpr std::u16string_view kClassesSuffix = u"_Classes";
  std::u16string_view rest;
  if (StartsWithNoCase(location, kMachine)) {
    *path = u"HKEY_LOCAL_MACHINE";
    rest = location.substr(kMachine.size());
  } else if (StartsWithNoCase(location, kUser)) {
    // The user's own hive, or the classes hive that shows as its Software\Classes.
    const std::u16string_view hive = location.substr(kUser.size(), location.find(u'\\', kUser.size()) - kUser.size());
    if (hive.empty()) return false;
    const bool classes = hive.size() > kClassesSuffix.size() &&
                         StartsWithNoCase(hive.substr(hive.size() - kClassesSuffix.size()), kClassesSuffix);
    *path = classes ? u"HKEY_CURRENT_USER\\Software\\Classes" : u"HKEY_CURRENT_USER";
    rest = location.substr(kUser.size() + hive.size());
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

long UndoFileText(Registry& registry, const CleanupList& list, std::u16string* text, int* keys, OpenTrees* trees) {
  *text = kVersionLine;
  *keys = 0;
  OpenTrees open;
  std::set<std::u16string> written;  // a key named by two rows is kept once
  for (const std::string& path : KeysOf(list)) {
    RegKey key;
    const long status = OpenKey(registry, list.root, path, kKeyRead, &key);
    if (status == kErrorFileNotFound) continue;  // nothing to keep
    if (status != kErrorSuccess) return status;
    ++*keys;
    std::u16string location;
    if (const long located = registry.KeyLocation(key.get(), &location)) return located;
    if (!written.insert(location).second) continue;
    KeysBelow below;
    if (const long failed = AppendKeyTree(registry, key.get(), text, &below)) return failed;
    if (below.writable) open[path] = std::move(below.keys);
  }
  if (trees != nullptr) *trees = std::move(open);
  return kErrorSuccess;
}

std::string UndoFileBytes(std::u16string_view text) {
  return Utf16LeBytes(std::u16string(1, kByteOrderMark).append(text));
}
