#include "platform/registry.h"

#include <algorithm>
#include <vector>

namespace platform {

long OpenKey(Registry& registry, KeyHandle parent, const std::string& path, std::uint32_t access, RegKey* key) {
  KeyHandle handle = 0;
  const long status = registry.OpenKey(parent, path, access, &handle);
  *key = status == kErrorSuccess ? RegKey(registry, handle) : RegKey();
  return status;
}

long OpenSubkeyAt(Registry& registry, KeyHandle key, std::uint32_t index, std::uint32_t access, RegKey* child,
                  long* opened) {
  KeyHandle handle = 0;
  *opened = kErrorSuccess;
  const long status = registry.OpenSubkeyAt(key, index, access, &handle, opened);
  *child = status == kErrorSuccess && *opened == kErrorSuccess ? RegKey(registry, handle) : RegKey();
  return status;
}

long ReadStringValue(Registry& registry, KeyHandle key, const std::string& name, std::uint32_t bufferSize,
                     std::string* text) {
  std::vector<char> buffer(bufferSize);
  std::uint32_t size = bufferSize;
  const long status = registry.QueryValue(key, name, buffer.data(), &size);
  if (status != kErrorSuccess) return status;
  const auto end = buffer.begin() + std::min(size, bufferSize);
  text->assign(buffer.begin(), std::find(buffer.begin(), end, '\0'));
  return status;
}

}  // namespace platform
