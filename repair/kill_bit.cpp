#include "repair/kill_bit.h"

#include <string>
#include <string_view>

#include "checks/client_identity.h"

std::vector<ReportLine> RemoveKillBitKeys(platform::Registry& registry) {
  const struct {
    platform::KeyHandle root;
    std::string_view rootName;
    std::string path;
  } keys[] = {
      {platform::kCurrentUser, "HKEY_CURRENT_USER",
       std::string(R"(Software\Microsoft\Windows\CurrentVersion\Ext\Settings\)").append(kUpdaterClassId)},
      {platform::kLocalMachine, "HKEY_LOCAL_MACHINE", kKillBitKey},
  };
  std::vector<ReportLine> lines = {{0, "해당 키를 삭제합니다."}};
  for (const auto& key : keys) {
    if (registry.DeleteKey(key.root, key.path) != platform::kErrorSuccess) {
      lines.push_back({1, std::string(key.rootName) + "\\" + key.path +
                              " 키 삭제에 실패하였습니다.레지스트리 편집기에서 삭제하여 주시기 바랍니다."});
    }
  }
  return lines;
}
