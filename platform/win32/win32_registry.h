#pragma once
#include "platform/registry.h"

namespace platform::win32 {

class Win32Registry final : public Registry {
public:
  long OpenKey(KeyHandle parent, const std::string& path, std::uint32_t access, KeyHandle* key) override;
  long QueryValue(KeyHandle key, const std::string& name, std::string* data, std::uint32_t* ansiSize) override;
  long OpenSubkeyAt(KeyHandle key, std::uint32_t index, std::uint32_t access, KeyHandle* child,
                    long* opened) override;
  long DeleteKey(KeyHandle parent, const std::string& path) override;
  long DeleteOpenedKey(KeyHandle key) override;
  long CloseKey(KeyHandle key) override;
  long ValueAt(KeyHandle key, std::uint32_t index, RegistryValue* value) override;
  long KeyLocation(KeyHandle key, std::u16string* location) override;
  long QueryKeyInfo(KeyHandle key, KeyInfo* info) override;
};

}  // namespace platform::win32
