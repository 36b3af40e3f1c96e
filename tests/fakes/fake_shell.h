#pragma once
#include <string>
#include <vector>

#include "platform/shell.h"

// The shell: records what it was asked to do.
struct FakeShell final : platform::Shell {
  struct Call {
    std::string verb;
    std::string file;
    std::string folder;
    bool operator==(const Call&) const = default;
  };
  std::vector<Call> calls;
  std::string documents = R"(C:\Users\helpdesk\Documents)";

  void Execute(const std::string& verb, const std::string& file, const std::string& folder) override {
    calls.push_back({verb, file, folder});
  }
  std::string DocumentsFolder() override { return documents; }
};
