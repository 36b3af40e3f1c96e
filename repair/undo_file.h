#pragma once
// The undo file of a clean-up: every key of its list that exists, with everything below it, as the
// registry editor exports it, so that importing the file puts back what the clean-up removes.
#include <string>
#include <string_view>

#include "platform/registry.h"
#include "platform/system.h"
#include "repair/key_removal.h"

// MendrelDiag-undo-<kind>-<computer name>-<yyyyMMdd-HHmmss>.reg
std::string UndoFileName(std::string_view kind, std::string_view computerName, const platform::LocalTime& time);

// The key's path in a registry script for a kernel location: "\REGISTRY\MACHINE\..." is
// HKEY_LOCAL_MACHINE, "\REGISTRY\USER\<SID>\..." HKEY_CURRENT_USER and "\REGISTRY\USER\<SID>_Classes\..."
// its Software\Classes. False for any other place, which a script could not name.
bool RegFileKeyPath(std::u16string_view location, std::u16string* path);

// One value's line as the registry editor writes it: @ or the quoted name, "=", then the data:
// a quoted text, dword:, or hex bytes wrapped into lines of at most 80 characters.
std::u16string RegFileValueLine(const platform::RegistryValue& value);

// The script of every key of the list that exists, each named where it really is, after the
// version line: 0, or the code of the first key or value that could not be read. *keys counts the
// keys of the list found. *trees, when asked for, holds the keys below them still open for the
// removal, which then need not list every tree a second time.
long UndoFileText(platform::Registry& registry, const CleanupList& list, std::u16string* text, int* keys,
                  OpenTrees* trees = nullptr);

// The file's bytes: UTF-16 LE with its byte-order mark, as the registry editor reads version 5.00.
std::string UndoFileBytes(std::u16string_view text);
