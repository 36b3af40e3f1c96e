#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/com.h"

// COM as the checks see it: an answer per class, and the apartment's balance.
struct FakeComRuntime final : platform::ComRuntime {
  // REGDB_E_CLASSNOTREG, what an unknown class gives.
  static constexpr long kClassNotRegistered = static_cast<std::int32_t>(0x80040154u);

  struct Creation {
    std::string classId;
    unsigned context;
    std::string interfaceId;
    bool operator==(const Creation&) const = default;
  };

  std::map<std::string, long> answers;  // per class id; classes not listed are not registered
  std::vector<Creation> creations;      // every creation asked for, in order
  bool initializeSucceeds = true;
  int initializeCount = 0;
  int uninitializeCount = 0;

  bool Initialize() override {
    ++initializeCount;
    return initializeSucceeds;
  }
  void Uninitialize() override { ++uninitializeCount; }
  long CreateAndRelease(const std::string& classId, unsigned context, const std::string& interfaceId) override {
    creations.push_back({classId, context, interfaceId});
    const auto answer = answers.find(classId);
    return answer == answers.end() ? kClassNotRegistered : answer->second;
  }
};
