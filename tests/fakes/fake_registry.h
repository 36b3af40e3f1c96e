#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/registry.h"

// The registry in memory, answering with the codes of Wine's registry: names compare without regard
// to case, subkeys enumerate sorted, a handle that is not open gives 6, and a handle whose key was
// deleted meanwhile gives 1018. A key's last-write time is a counter that every value set and every
// subkey created or deleted below it moves on. The wide calls (ValueAt, KeyLocation) read names as UTF-8; values
// enumerate sorted like subkeys. Keys live at \REGISTRY\MACHINE and \REGISTRY\USER\<kUserSid>.
class FakeRegistry final : public platform::Registry {
public:
  FakeRegistry();

  long OpenKey(platform::KeyHandle parent, const std::string& path, std::uint32_t access,
               platform::KeyHandle* key) override;
  long QueryValue(platform::KeyHandle key, const std::string& name, std::string* data,
                 std::uint32_t* ansiSize) override;
  long OpenSubkeyAt(platform::KeyHandle key, std::uint32_t index, std::uint32_t access, platform::KeyHandle* child,
                    long* opened) override;
  long DeleteKey(platform::KeyHandle parent, const std::string& path) override;
  long DeleteOpenedKey(platform::KeyHandle key) override;
  long CloseKey(platform::KeyHandle key) override;
  long ValueAt(platform::KeyHandle key, std::uint32_t index, platform::RegistryValue* value) override;
  long KeyLocation(platform::KeyHandle key, std::u16string* location) override;
  long QueryKeyInfo(platform::KeyHandle key, platform::KeyInfo* info) override;

  static constexpr const char* kUserSid = "S-1-5-21-7-7-7-1000";

  // Test setup below a predefined root; missing keys on the way are created.
  void CreateKey(platform::KeyHandle root, const std::string& path);
  // Stores the bytes as they are; "" names the default value.
  void SetValue(platform::KeyHandle root, const std::string& path, const std::string& name, std::string bytes,
                std::uint32_t type = platform::kRegBinary);
  // Stores the text with its terminating zero.
  void SetString(platform::KeyHandle root, const std::string& path, const std::string& name,
                 const std::string& text);
  // Opening or deleting that key gives 5. Keys below it stay reachable by a longer path: the
  // registry checks access on the key opened, not on the way to it.
  void DenyAccess(platform::KeyHandle root, const std::string& path);
  // Deleting that key gives 5 while it still opens and reads, as for a key whose security lets
  // everyone read it and only its owner remove it.
  void DenyDelete(platform::KeyHandle root, const std::string& path);
  // Opening that key for more than reading gives 5, as for a machine-wide key opened for writing
  // without administrator rights; it still opens for reading.
  void DenyWrite(platform::KeyHandle root, const std::string& path);
  // The key stays listed, but opening the subkey that a listing found answers 2, as for a name
  // holding a zero character, which no call taking a zero-terminated name reaches.
  // The key's values cannot be listed: ValueAt answers this code.
  void FailValues(platform::KeyHandle root, const std::string& path, long code);
  // The key really lives at location (UTF-8), as a redirected key of a 32-bit program's view does;
  // keys below it live below that.
  void Relocate(platform::KeyHandle root, const std::string& path, const std::string& location);
  void MakeUnreachable(platform::KeyHandle root, const std::string& path);
  // Another program removes the key, with all below it, right after a listing has found it.
  void RemoveWhenListed(platform::KeyHandle root, const std::string& path);
  bool KeyExists(platform::KeyHandle root, const std::string& path) const;
  // Handles opened and not closed yet; the roots do not count.
  int OpenHandles() const;

private:
  // Wine orders and matches names by their lower-case form, so "_" sorts before letters.
  struct NoCase {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  struct Key {
    std::map<std::string, std::shared_ptr<Key>, NoCase> subkeys;  // names as created
    struct Value {
      std::uint32_t type;
      std::string bytes;
    };
    std::map<std::string, Value, NoCase> values;
    std::string location;  // set for the roots and for relocated keys
    std::uint64_t lastWrite = 0;
    long valuesError = 0;
    Key* parent = nullptr;  // null for a root and for a deleted key
    bool denied = false;
    bool deleteDenied = false;
    bool writeDenied = false;
    bool deleted = false;
    bool unreachable = false;
    bool removedWhenListed = false;
  };

  // The key at path below handle, or the code the registry answers instead.
  long Lookup(platform::KeyHandle handle, const std::string& path, std::shared_ptr<Key>* key) const;
  Key& Create(platform::KeyHandle root, const std::string& path);
  // RegDeleteKey's terms: a key with subkeys stays, and so do the roots.
  long Delete(const std::shared_ptr<Key>& key);
  // Takes the key out of its parent; handles still open on it keep it alive to answer 1018.
  void Detach(const std::shared_ptr<Key>& key);
  void Touch(Key& key) { key.lastWrite = ++m_clock; }

  std::map<platform::KeyHandle, std::shared_ptr<Key>> m_roots;
  std::map<platform::KeyHandle, std::shared_ptr<Key>> m_handles;
  platform::KeyHandle m_nextHandle = 0x100;  // never reused, so a closed handle stays invalid
  std::uint64_t m_clock = 0;
};
