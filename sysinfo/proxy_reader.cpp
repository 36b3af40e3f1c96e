#include "sysinfo/proxy_reader.h"

#include <array>
#include <utility>

namespace {

constexpr std::size_t kNotFound = std::string::npos;

// Found before the end of the chosen value: the entries overlap, so neither is trusted.
bool StandsBefore(std::size_t position, std::size_t end) { return position != kNotFound && position < end; }

// ASCII letters alone: every byte of a UTF-8 multibyte character lies above them.
void LowerAsciiLetters(std::string& text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
}

}  // namespace

std::optional<std::string> UserSettingsKey::Query(const std::string& valueName) const {
  platform::RegKey key;
  if (platform::OpenKey(m_registry, platform::kCurrentUser, "Software\\" + m_relativePath, platform::kKeyRead,
                        &key) != platform::kErrorSuccess)
    return std::nullopt;
  std::string text;
  if (platform::ReadStringValue(m_registry, key.get(), valueName, 256, &text) != platform::kErrorSuccess)
    return std::nullopt;
  return text;
}

std::string ExtractProxyHost(std::string_view value) {
  std::size_t start = 0;
  if (const std::size_t scheme = value.find("http://"); scheme != kNotFound) start = scheme + 7;
  const std::size_t slash = value.find('/', start);
  if (slash == kNotFound) return std::string(value.substr(start));
  std::string host(value.substr(start, slash - start));
  // A port written after the path still belongs to the proxy.
  const std::size_t colon = value.find(':', start);
  if (colon != kNotFound && colon > slash) host += value.substr(colon);
  return host;
}

std::string ParseProxyServer(std::string text) {
  LowerAsciiLetters(text);
  if (text.empty()) return {};

  const std::size_t http = text.find("http=");
  const std::size_t https = text.find("https=");
  const std::size_t ftp = text.find("ftp=");
  const std::size_t gopher = text.find("gopher=");
  const std::size_t socks = text.find("socks=");

  // The chosen entry, where its value starts, and the other entries that must not stand inside it.
  std::size_t key = 0;
  std::size_t start = 0;
  std::array<std::size_t, 4> others;
  others.fill(kNotFound);
  if (http != kNotFound) {
    key = http, start = http + 5, others = {https, socks, ftp, gopher};
  } else if (https != kNotFound) {
    key = https, start = https + 6, others = {socks, ftp, gopher, kNotFound};
  } else if (socks != kNotFound) {
    key = socks, start = socks + 6;
  } else {
    return {};  // one proxy for all protocols, or only entries we do not use
  }
  const std::size_t semicolon = text.find(';', key);
  const std::size_t end = semicolon == kNotFound ? text.size() : semicolon;
  for (const std::size_t other : others) {
    if (StandsBefore(other, end)) return {};
  }
  return ExtractProxyHost(std::string_view(text).substr(start, end - start));
}

std::string ReadProxyAddress(platform::Registry& registry) {
  const UserSettingsKey settings(registry, R"(Microsoft\Windows\CurrentVersion\Internet Settings)");
  const std::optional<std::string> enable = settings.Query("ProxyEnable");
  if (!enable || enable->empty() || (*enable)[0] != 1) return {};
  const std::optional<std::string> server = settings.Query("ProxyServer");
  if (!server) return {};
  return ParseProxyServer(*server);
}
