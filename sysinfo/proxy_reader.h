#pragma once
// The proxy that the current user's browser settings name for web traffic, as host or host:port.
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"
#include "platform/system.h"

// A key under HKEY_CURRENT_USER\Software; each query opens it, reads one value and closes it.
class UserSettingsKey {
public:
  UserSettingsKey(platform::Registry& registry, std::string relativePath)
      : m_registry(registry), m_relativePath(std::move(relativePath)) {}

  // The value's bytes up to the first zero, or none when the key or value cannot be read whole.
  std::optional<std::string> Query(const std::string& valueName) const;

private:
  platform::Registry& m_registry;
  std::string m_relativePath;
};

// The host (and port) of a "ProxyServer" list's web entry, in lower case; empty when it names none
// clearly.
std::string ParseProxyServer(std::string text);

// The host part of a proxy value: without "http://" and without a path, keeping a port after it.
std::string ExtractProxyHost(std::string_view value);

std::string ReadProxyAddress(platform::Registry& registry);
