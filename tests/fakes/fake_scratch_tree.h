#pragma once
// The scratch key of the shared registry tables, in the in-memory registry.
#include <string>

#include "fakes/fake_registry.h"
#include "registry_cases.h"

class FakeScratchTree final : public registry_cases::ScratchTree {
public:
  FakeRegistry fake;

  platform::Registry& registry() override { return fake; }
  std::string Path() const override { return "Software\\MendrelDiagTest\\fake"; }
  void CreateKey(const std::string& path) override { fake.CreateKey(platform::kCurrentUser, Full(path)); }
  void SetValue(const std::string& path, const std::string& name, const std::string& bytes) override {
    fake.SetValue(platform::kCurrentUser, Full(path), name, bytes);
  }
  bool KeyExists(const std::string& path) const override { return fake.KeyExists(platform::kCurrentUser, Full(path)); }

private:
  std::string Full(const std::string& path) const { return Path() + "\\" + path; }
};
