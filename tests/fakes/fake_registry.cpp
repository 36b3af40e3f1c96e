#include "fakes/fake_registry.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "platform/unicode.h"

using namespace platform;

namespace {

unsigned char Lower(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// The registry skips doubled and trailing backslashes.
std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string::size_type start = 0;
  while (start <= path.size()) {
    const auto end = std::min(path.find('\\', start), path.size());
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

}  // namespace

bool FakeRegistry::NoCase::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Lower(x) < Lower(y); });
}

FakeRegistry::FakeRegistry() {
  for (const KeyHandle root : {kClassesRoot, kCurrentUser, kLocalMachine}) m_roots[root] = std::make_shared<Key>();
  m_roots[kClassesRoot]->location = R"(\REGISTRY\MACHINE\SOFTWARE\Classes)";
  m_roots[kCurrentUser]->location = std::string(R"(\REGISTRY\USER\)") + kUserSid;
  m_roots[kLocalMachine]->location = R"(\REGISTRY\MACHINE)";
}

long FakeRegistry::Lookup(KeyHandle handle, const std::string& path, std::shared_ptr<Key>* key) const {
  const auto root = m_roots.find(handle);
  const auto open = m_handles.find(handle);
  if (root == m_roots.end() && open == m_handles.end()) return kErrorInvalidHandle;
  std::shared_ptr<Key> found = root != m_roots.end() ? root->second : open->second;
  if (found->deleted) return kErrorKeyDeleted;
  if (!path.empty() && path.front() == '\\') return kErrorBadPathname;
  for (const std::string& part : SplitPath(path)) {
    const auto child = found->subkeys.find(part);
    if (child == found->subkeys.end()) return kErrorFileNotFound;
    found = child->second;
  }
  *key = std::move(found);
  return kErrorSuccess;
}

long FakeRegistry::OpenKey(KeyHandle parent, const std::string& path, std::uint32_t access, KeyHandle* key) {
  std::shared_ptr<Key> found;
  if (const long status = Lookup(parent, path, &found)) return status;
  if (found->denied || (found->writeDenied && (access & ~kKeyRead) != 0)) return kErrorAccessDenied;
  *key = m_nextHandle;
  m_nextHandle += 4;
  m_handles[*key] = std::move(found);
  return kErrorSuccess;
}

long FakeRegistry::QueryValue(KeyHandle key, const std::string& name, std::string* data, std::uint32_t* ansiSize) {
  std::shared_ptr<Key> found;
  if (const long status = Lookup(key, "", &found)) return status;
  const auto value = found->values.find(name);
  if (value == found->values.end()) return kErrorFileNotFound;
  // The stored bytes stand for the text in every encoding: the tests' texts that matter here are ASCII.
  *data = value->second.bytes;
  *ansiSize = static_cast<std::uint32_t>(data->size());
  return kErrorSuccess;
}

long FakeRegistry::OpenSubkeyAt(KeyHandle key, std::uint32_t index, std::uint32_t access, KeyHandle* child,
                                long* opened) {
  std::shared_ptr<Key> found;
  if (const long status = Lookup(key, "", &found)) return status;
  if (index >= found->subkeys.size()) return kErrorNoMoreItems;
  const auto [name, subkey] = *std::next(found->subkeys.begin(), index);
  if (subkey->removedWhenListed) Detach(subkey);
  *opened = subkey->unreachable ? kErrorFileNotFound : OpenKey(key, name, access, child);
  return kErrorSuccess;
}

long FakeRegistry::DeleteKey(KeyHandle parent, const std::string& path) {
  std::shared_ptr<Key> found;
  if (const long status = Lookup(parent, path, &found)) return status;
  return Delete(found);
}

long FakeRegistry::DeleteOpenedKey(KeyHandle key) {
  std::shared_ptr<Key> found;
  if (const long status = Lookup(key, "", &found)) return status;
  return Delete(found);
}

long FakeRegistry::Delete(const std::shared_ptr<Key>& key) {
  if (key->denied || key->deleteDenied || !key->subkeys.empty() || key->parent == nullptr) return kErrorAccessDenied;
  Detach(key);
  return kErrorSuccess;
}

void FakeRegistry::Detach(const std::shared_ptr<Key>& key) {
  std::erase_if(key->parent->subkeys, [&](const auto& child) { return child.second == key; });
  Touch(*key->parent);
  key->parent = nullptr;
  key->deleted = true;
}

long FakeRegistry::CloseKey(KeyHandle key) {
  if (m_roots.contains(key)) return kErrorSuccess;
  return m_handles.erase(key) != 0 ? kErrorSuccess : kErrorInvalidHandle;
}

FakeRegistry::Key& FakeRegistry::Create(KeyHandle root, const std::string& path) {
  Key* key = m_roots.at(root).get();
  for (const std::string& part : SplitPath(path)) {
    std::shared_ptr<Key>& child = key->subkeys[part];
    if (!child) {
      child = std::make_shared<Key>();
      child->parent = key;
      Touch(*key);
      Touch(*child);
    }
    key = child.get();
  }
  return *key;
}

void FakeRegistry::CreateKey(KeyHandle root, const std::string& path) { Create(root, path); }

void FakeRegistry::SetValue(KeyHandle root, const std::string& path, const std::string& name, std::string bytes,
                            std::uint32_t type) {
  Key& key = Create(root, path);
  key.values[name] = {type, std::move(bytes)};
  Touch(key);
}

void FakeRegistry::SetString(KeyHandle root, const std::string& path, const std::string& name,
                             const std::string& text) {
  SetValue(root, path, name, text + '\0', kRegSz);
}

long FakeRegistry::ValueAt(KeyHandle key, std::uint32_t index, RegistryValue* value) {
  std::shared_ptr<Key> found;
  if (const long status = Lookup(key, "", &found)) return status;
  if (found->valuesError != 0) return found->valuesError;
  if (index >= found->values.size()) return kErrorNoMoreItems;
  const auto& [name, stored] = *std::next(found->values.begin(), index);
  *value = {platform::Utf8ToUtf16(name), stored.type, stored.bytes};
  return kErrorSuccess;
}

long FakeRegistry::KeyLocation(KeyHandle key, std::u16string* location) {
  std::shared_ptr<Key> found;
  if (const long status = Lookup(key, "", &found)) return status;
  std::string path;
  for (const Key* at = found.get(); at != nullptr; at = at->parent) {
    if (!at->location.empty()) {
      path.insert(0, at->location);
      break;
    }
    const auto named = std::find_if(at->parent->subkeys.begin(), at->parent->subkeys.end(),
                                    [&](const auto& child) { return child.second.get() == at; });
    path.insert(0, "\\" + named->first);
  }
  *location = platform::Utf8ToUtf16(path);
  return kErrorSuccess;
}

long FakeRegistry::QueryKeyInfo(KeyHandle key, KeyInfo* info) {
  std::shared_ptr<Key> found;
  if (const long status = Lookup(key, "", &found)) return status;
  *info = {static_cast<std::uint32_t>(found->subkeys.size()), static_cast<std::uint32_t>(found->values.size()),
           found->lastWrite};
  return kErrorSuccess;
}

void FakeRegistry::FailValues(KeyHandle root, const std::string& path, long code) {
  Create(root, path).valuesError = code;
}

void FakeRegistry::Relocate(KeyHandle root, const std::string& path, const std::string& location) {
  Create(root, path).location = location;
}

void FakeRegistry::DenyAccess(KeyHandle root, const std::string& path) { Create(root, path).denied = true; }

void FakeRegistry::DenyDelete(KeyHandle root, const std::string& path) { Create(root, path).deleteDenied = true; }

void FakeRegistry::DenyWrite(KeyHandle root, const std::string& path) { Create(root, path).writeDenied = true; }

void FakeRegistry::MakeUnreachable(KeyHandle root, const std::string& path) { Create(root, path).unreachable = true; }

void FakeRegistry::RemoveWhenListed(KeyHandle root, const std::string& path) {
  Create(root, path).removedWhenListed = true;
}

bool FakeRegistry::KeyExists(KeyHandle root, const std::string& path) const {
  std::shared_ptr<Key> found;
  return Lookup(root, path, &found) == kErrorSuccess;
}

int FakeRegistry::OpenHandles() const { return static_cast<int>(m_handles.size()); }
