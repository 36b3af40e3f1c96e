#pragma once
// The registry as the checks and removals see it: the calls they make, with the platform's own
// numeric results. Implemented over the Win32 registry and, for tests, in memory.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/error_codes.h"

namespace platform {

// Key handles are opaque numbers; the predefined roots carry the platform's own values.
using KeyHandle = std::uintptr_t;
inline constexpr KeyHandle kClassesRoot = 0x80000000;
inline constexpr KeyHandle kCurrentUser = 0x80000001;
inline constexpr KeyHandle kLocalMachine = 0x80000002;

inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyReadWrite = 0x2001F;  // KEY_READ | KEY_WRITE

// Value types as the registry stores them.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;
inline constexpr std::uint32_t kRegQword = 11;

// One value of a key as RegEnumValueW gives it: the name in UTF-16 ("" for the default value), the
// type, and the data's bytes as stored (texts in UTF-16 LE).
struct RegistryValue {
  std::u16string name;
  std::uint32_t type = kRegNone;
  std::string data;
};

// What RegQueryInfoKeyW tells of an open key: how many subkeys and values it has, and when it last
// changed. Setting or deleting a value, creating or deleting a subkey changes it.
struct KeyInfo {
  std::uint32_t subkeys = 0;
  std::uint32_t values = 0;
  std::uint64_t lastWrite = 0;  // FILETIME
  bool operator==(const KeyInfo&) const = default;
};

class Registry {
public:
  virtual ~Registry() = default;
  // RegOpenKeyExW: *key is set only on success.
  virtual long OpenKey(KeyHandle parent, const std::string& path, std::uint32_t access, KeyHandle* key) = 0;
  // RegQueryValueExW of the whole value: a text (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) in UTF-8, any
  // other type as stored. *ansiSize is the size that RegQueryValueExA reports for it, a text counted
  // in the ANSI code page, so that buffers sized in bytes keep their meaning. Both are set only on
  // success.
  virtual long QueryValue(KeyHandle key, const std::string& name, std::string* data, std::uint32_t* ansiSize) = 0;
  // The subkey at index of key, opened with access: RegEnumKeyExW into a buffer of 256 characters,
  // then RegOpenKeyExW with that name.
  // Returns the enumeration's code (259 past the last subkey); when that is 0, *opened is the
  // open's code, and *child is set only when both are 0.
  virtual long OpenSubkeyAt(KeyHandle key, std::uint32_t index, std::uint32_t access, KeyHandle* child,
                            long* opened) = 0;
  // RegDeleteKeyW: removes one key without subkeys; a key that still has subkeys stays and gives 5.
  virtual long DeleteKey(KeyHandle parent, const std::string& path) = 0;
  // RegDeleteKeyW(key, L""): removes the open key itself, whatever its name, on the same terms.
  virtual long DeleteOpenedKey(KeyHandle key) = 0;
  virtual long CloseKey(KeyHandle key) = 0;
  // RegEnumValueW: the value at index of key, whatever its size; 259 past the last.
  virtual long ValueAt(KeyHandle key, std::uint32_t index, RegistryValue* value) = 0;
  // NtQueryKey's KeyNameInformation: where the open key really is, as the kernel names it
  // ("\REGISTRY\MACHINE\SOFTWARE\...", "\REGISTRY\USER\<SID>\..."), after any redirection
  // of a 32-bit program's view.
  virtual long KeyLocation(KeyHandle key, std::u16string* location) = 0;
  // RegQueryInfoKeyW: *info is set only on success.
  virtual long QueryKeyInfo(KeyHandle key, KeyInfo* info) = 0;
};

// Owns an open key and closes it on every path.
class RegKey {
public:
  RegKey() = default;
  RegKey(Registry& registry, KeyHandle key) : m_registry(&registry), m_key(key) {}
  RegKey(RegKey&& other) noexcept
      : m_registry(std::exchange(other.m_registry, nullptr)), m_key(std::exchange(other.m_key, 0)) {}
  RegKey& operator=(RegKey&& other) noexcept {
    if (this != &other) {
      Close();
      m_registry = std::exchange(other.m_registry, nullptr);
      m_key = std::exchange(other.m_key, 0);
    }
    return *this;
  }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  ~RegKey() { Close(); }

  KeyHandle get() const { return m_key; }
  explicit operator bool() const { return m_registry != nullptr; }
  void Close() {
    if (m_registry) std::exchange(m_registry, nullptr)->CloseKey(std::exchange(m_key, 0));
  }

private:
  Registry* m_registry = nullptr;
  KeyHandle m_key = 0;
};

// Opens parent\path; on failure returns the error and leaves *key empty.
long OpenKey(Registry& registry, KeyHandle parent, const std::string& path, std::uint32_t access, RegKey* key);

// Registry::OpenSubkeyAt with an owner: *child holds the subkey when both codes are 0, else is empty.
long OpenSubkeyAt(Registry& registry, KeyHandle key, std::uint32_t index, std::uint32_t access, RegKey* child,
                  long* opened);

// Reads a string value for a buffer of bufferSize bytes, as the callers size it: a value whose size
// in the ANSI code page exceeds it gives 234 (more data). The text ends at the first zero or at the
// value's end, so a value stored without its terminating zero is never read beyond it.
long ReadStringValue(Registry& registry, KeyHandle key, const std::string& name, std::uint32_t bufferSize,
                     std::string* text);

}  // namespace platform
