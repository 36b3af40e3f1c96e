#pragma once
// The undo file of a clean-up: every key of its list that exists, with everything below it, as the
// registry editor exports it, so that importing the file puts back what the clean-up removes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"
#include "platform/system.h"
#include "repair/key_removal.h"

// MendrelDiag-undo-<kind>-<computer name>-<yyyyMMdd-HHmmss>.reg
std::string UndoFileName(std::string_view kind, std::string_view computerName, const platform::LocalTime& time);

// The key's path in a registry script for a kernel location: "\REGISTRY\MACHINE\..." is
// HKEY_LOCAL_MACHINE; the hive of the user this process runs as, "\REGISTRY\USER\<userSid>\...",
// is HKEY_CURRENT_USER and its classes "\REGISTRY\USER\<userSid>_Classes\..." its Software\Classes,
// for that user to import; any other user's hive is HKEY_USERS\<SID> (or
// <SID>_Classes), so that it goes back where it came from. False for any other place, which a
// script could not name.
bool RegFileKeyPath(std::u16string_view location, std::u16string_view userSid, std::u16string* path);

// One value's line as the registry editor writes it: @ or the quoted name, "=", then the data:
// a quoted text, dword:, or hex bytes wrapped into lines of at most 80 characters.
std::u16string RegFileValueLine(const platform::RegistryValue& value);

// What the walk of a list for its undo file found.
struct UndoWalk {
  std::u16string text;      // the script, from its version line on
  int keys = 0;             // keys of the list that exist
  HeldTrees held;           // their trees left open for the removal, each key with what it was then
  std::u16string stopKey;   // where a walk that failed stopped: the key, as the script would name it
  std::optional<std::uint32_t> stopValue;  // and the value, by its place (from 1) among the key's values
};

// Writes every key of the list that exists into walk->text, each named where it really is for the
// user userSid (as System::UserSid gives it), with its values and its whole tree: 0, or the code of
// the first key that could not be written whole. A key or value name with a line break would split
// its line and the registry editor would skip it: that fails with 1010 (ERROR_BADKEY).
long UndoFileText(platform::Registry& registry, const CleanupList& list, std::string_view userSid, UndoWalk* walk);

// The file's bytes: UTF-16 LE with its byte-order mark, as the registry editor reads version 5.00.
std::string UndoFileBytes(std::u16string_view text);
