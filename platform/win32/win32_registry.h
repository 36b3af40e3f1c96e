#pragma once
#include "platform/registry.h"

namespace platform::win32 {

class Win32Registry final : public Registry {
public:
  long OpenKey(KeyHandle parent, const std::string& path, std::uint32_t access, KeyHandle* key) override;
  long QueryValue(KeyHandle key, const std::string& name, char* buffer, std::uint32_t* size) override;
  long EnumKey(KeyHandle key, std::uint32_t index, char* name, std::uint32_t* nameSize) override;
  long DeleteKey(KeyHandle parent, const std::string& path) override;
  long CloseKey(KeyHandle key) override;
};

}  // namespace platform::win32
