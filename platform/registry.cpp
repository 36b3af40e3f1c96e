#include "platform/registry.h"

#include <algorithm>

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
  std::string data;
  std::uint32_t size = 0;
  if (const long status = registry.QueryValue(key, name, &data, &size)) return status;
  if (size > bufferSize) return kErrorMoreData;
  text->assign(data.begin(), std::find(data.begin(), data.end(), '\0'));
  return kErrorSuccess;
}

}  // namespace platform
