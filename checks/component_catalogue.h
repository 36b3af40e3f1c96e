#pragma once
// The seven client components, in the order the checks examine and report them.
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "checks/check_result.h"
#include "checks/client_identity.h"
#include "platform/com.h"

inline constexpr std::string_view kIUnknown = "{00000000-0000-0000-C000-000000000046}";
inline constexpr std::string_view kIInternetProtocol = "{79EAC9E4-BAF9-11CE-8C82-00AA004BA90B}";

enum class ComponentFolder {
  System,   // the Windows system folder; the file has a fixed name and is not searched for
  Install,  // the install folder
  Plugin,   // the install folder's plugin subfolder
};

struct ObjectTest {
  std::string_view classId;
  unsigned context;  // platform::kClassContextInproc or kClassContextLocalServer
  std::string_view interfaceId;
};

struct ComponentEntry {
  std::string_view displayName;
  ComponentFolder folder;
  std::string_view searchName;                // fixed name (system folder) or wildcard pattern
  std::array<std::string_view, 2> classIds;   // examined in order; unused slots are empty
  std::string_view serverKey;
  std::string_view pathClass;                 // its server key names the registered file
  std::optional<ObjectTest> objectTest;
  CheckResult registrationCode;  // its repair file is in repair/repair_files; unused without registration
  bool presenceBySize;     // present only when the last file the search returned is not empty
  bool gatedOnCoreBuild;   // registration only when the core module's build number is 2 or more
  bool stripQuotes;        // the registered path may be quoted
  int detailLevel;         // level of the row's check lines; their failure lines go one deeper

  // Report texts of the row.
  std::string_view header;
  std::string_view missing;
  std::string_view registryHeading;
  std::string_view notRegistered;
  std::string_view defaultValueMissing;
  std::string_view objectCreated;
  std::string_view objectNotCreated;
  std::string_view registeredMissing;  // follows the registered path
  std::string_view keptMissing;        // follows foundPath in the existence check
  int keptVersionLevel;                // version line of the existence check

  bool HasRegistration() const { return !classIds[0].empty(); }
};

inline constexpr std::size_t kUpdaterRow = 0;
inline constexpr std::size_t kInterfaceRow = 1;
inline constexpr std::size_t kCoreRow = 2;
inline constexpr std::size_t kTrayRow = 4;

// Texts and keys that several rows share.
namespace catalogue {
inline constexpr std::string_view kInprocServer = "InprocServer32";
inline constexpr std::string_view kLocalServer = "LocalServer32";
inline constexpr std::string_view kRegistrationHeading = "레지스트리 등록 여부 검사";
inline constexpr std::string_view kNotFoundReinstall =
    " 파일을 찾을 수 없거나 로드할 수 없습니다. 클라이언트를 재설치하여 주십시오.";
}  // namespace catalogue

inline constexpr auto ComponentCatalogue = std::to_array<ComponentEntry>({
    {
        .displayName = "VelUpdCtl.ocx",
        .folder = ComponentFolder::System,
        .searchName = "velupdctl.ocx",
        .classIds = {kUpdaterClassId},
        .serverKey = catalogue::kInprocServer,
        .pathClass = kUpdaterClassId,
        .objectTest = ObjectTest{kUpdaterClassId, platform::kClassContextInproc, kIUnknown},
        .registrationCode = CheckResult::updaterNotRegistered,
        .presenceBySize = false,
        .gatedOnCoreBuild = false,
        .stripQuotes = false,
        .detailLevel = 2,
        .header = "VelUpdCtl.ocx 검사",
        .missing = "VelUpdCtl.ocx 파일이 시스템 폴더 내에 존재하지 않습니다. 클라이언트를 재설치하여 주십시오.",
        .registryHeading = "레지스트리 검사",
        .notRegistered = "VelUpdCtl.ocx가 등록이 되지 않았거나 키를 읽는 권한이 없습니다.",
        .defaultValueMissing = "등록된 파일이 없습니다. VelUpdCtl.ocx를 사용할 수 없습니다.",
        .objectCreated = "VelUpdCtl.ocx 객체 생성 테스트 성공",
        .objectNotCreated = "VelUpdCtl.ocx 객체 생성 테스트 실패 - 객체 생성이 안됩니다.",
        .registeredMissing = " 파일을 찾을 수 없거나 로드할 수 없습니다.",
        .keptMissing = "",
        .keptVersionLevel = 0,
    },
    {
        .displayName = "VeltoraWebIface.dll",
        .folder = ComponentFolder::Install,
        .searchName = "VeltoraWebIface*.dll",
        // The first class is only checked for its keys; the second names the registered file.
        .classIds = {kIfaceClassId, kHttpWrapClassId},
        .serverKey = catalogue::kInprocServer,
        .pathClass = kHttpWrapClassId,
        .objectTest = ObjectTest{kHttpWrapClassId, platform::kClassContextInproc, kIInternetProtocol},
        .registrationCode = CheckResult::interfaceNotRegistered,
        .presenceBySize = false,
        .gatedOnCoreBuild = false,
        .stripQuotes = false,
        .detailLevel = 3,
        .header = "VeltoraWebIface.dll 검사",
        .missing = "VeltoraWebIface.dll 이 존재하지 않습니다. 클라이언트를 재설치하여 주십시오",
        .registryHeading = catalogue::kRegistrationHeading,
        .notRegistered = "VeltoraWebIface.dll 이 등록이 되지 않았거나 키를 읽는 권한이 없습니다.",
        .defaultValueMissing = "등록된 파일이 없습니다. VeltoraWebIface.dll을 사용할 수 없습니다.",
        .objectCreated = "VeltoraWebIface.dll 객체 생성 테스트 성공",
        .objectNotCreated = "VeltoraWebIface.dll 객체 생성 테스트 실패 - 객체 생성에 실패하였습니다.",
        .registeredMissing = catalogue::kNotFoundReinstall,
        .keptMissing = "",
        .keptVersionLevel = 0,
    },
    {
        .displayName = "VeltoraWebCore.dll",
        .folder = ComponentFolder::Install,
        .searchName = "VeltoraWebCore*.dll",
        .classIds = {kCoreClassId},
        .serverKey = catalogue::kInprocServer,
        .pathClass = kCoreClassId,
        .objectTest = ObjectTest{kCoreClassId, platform::kClassContextInproc, kIInternetProtocol},
        .registrationCode = CheckResult::protocolModuleNotRegistered,
        .presenceBySize = false,
        .gatedOnCoreBuild = false,
        .stripQuotes = false,
        .detailLevel = 3,
        .header = "VeltoraWebCore.dll 검사",
        .missing = "VeltoraWebCore.dll 이 존재하지 않습니다. 클라이언트를 재설치하여 주십시오",
        .registryHeading = catalogue::kRegistrationHeading,
        .notRegistered = "VeltoraWebCore.dll 이 등록이 되지 않았거나 키를 읽는 권한이 없습니다.",
        .defaultValueMissing = "등록된 파일이 없습니다. VeltoraWebCore.dll을 사용할 수 없습니다.",
        .objectCreated = "VeltoraWebCore.dll 객체 생성 테스트 성공",
        .objectNotCreated = "VeltoraWebCore.dll 객체 생성 테스트 실패 - 객체 생성에 실패하였습니다.",
        .registeredMissing = catalogue::kNotFoundReinstall,
        .keptMissing = "",
        .keptVersionLevel = 0,
    },
    {
        .displayName = "VeltoraWebLang.dll",
        .folder = ComponentFolder::Install,
        .searchName = "VeltoraWebLang*.dll",
        .classIds = {},
        .serverKey = "",
        .pathClass = "",
        .objectTest = std::nullopt,
        .registrationCode = CheckResult::passed,
        .presenceBySize = false,
        .gatedOnCoreBuild = false,
        .stripQuotes = false,
        .detailLevel = 3,
        .header = "VeltoraWebLang.dll 검사",
        .missing = "VeltoraWebLang.dll 이 존재하지 않습니다. 클라이언트를 재설치하여 주십시오.",
        .registryHeading = "",
        .notRegistered = "",
        .defaultValueMissing = "",
        .objectCreated = "",
        .objectNotCreated = "",
        .registeredMissing = "",
        .keptMissing = catalogue::kNotFoundReinstall,
        .keptVersionLevel = 3,
    },
    {
        .displayName = "VeltoraWebTray.exe",
        .folder = ComponentFolder::Install,
        .searchName = "VeltoraWebTray*.exe",
        .classIds = {kTrayClassId},
        .serverKey = catalogue::kLocalServer,
        .pathClass = kTrayClassId,
        .objectTest = ObjectTest{kTrayClassId, platform::kClassContextLocalServer, kIUnknown},
        .registrationCode = CheckResult::trayAgentNotRegistered,
        .presenceBySize = false,
        .gatedOnCoreBuild = true,
        .stripQuotes = true,
        .detailLevel = 3,
        .header = "VeltoraWebTray.exe 검사",
        .missing = "VeltoraWebTray.exe 이 존재하지 않습니다. 클라이언트를 재설치하여 주십시오.",
        .registryHeading = catalogue::kRegistrationHeading,
        .notRegistered = "VeltoraWebTray.exe 이 등록이 되지 않았거나 키를 읽는 권한이 없습니다.",
        .defaultValueMissing = "등록된 파일이 없습니다. VeltoraWebTray.exe을 사용할 수 없습니다.",
        .objectCreated = "VeltoraWebTray.exe 객체 생성 테스트 성공",
        .objectNotCreated = "VeltoraWebTray.exe 객체 생성 테스트 실패 - 객체 생성에 실패하였습니다.",
        .registeredMissing = catalogue::kNotFoundReinstall,
        .keptMissing = " 파일을 찾을 수 없거나 로드할 수 없습니다. 클라이언트를 재설치하여 주십시오",
        .keptVersionLevel = 4,
    },
    {
        .displayName = "VelPubCert.dll",
        .folder = ComponentFolder::Plugin,
        .searchName = "VelPubCert*.dll",
        .classIds = {kPubCertClassId},
        .serverKey = catalogue::kInprocServer,
        .pathClass = kPubCertClassId,
        .objectTest = ObjectTest{kPubCertClassId, platform::kClassContextInproc, kPubCertInterfaceId},
        .registrationCode = CheckResult::interfaceNotRegistered,
        .presenceBySize = true,
        .gatedOnCoreBuild = false,
        .stripQuotes = false,
        .detailLevel = 3,
        .header = "VelPubCert.dll 검사",
        .missing = "VelPubCert.dll 이 존재하지 않습니다. 클라이언트를 재설치하여 주십시오",
        .registryHeading = catalogue::kRegistrationHeading,
        .notRegistered = "VelPubCert.dll 이 등록이 되지 않았거나 키를 읽는 권한이 없습니다.",
        .defaultValueMissing = "등록된 파일이 없습니다. VelPubCert.dll을 사용할 수 없습니다.",
        .objectCreated = "VelPubCert.dll 객체 생성 테스트 성공",
        .objectNotCreated = "VelPubCert.dll 객체 생성 테스트 실패 - 객체 생성에 실패하였습니다.",
        .registeredMissing = catalogue::kNotFoundReinstall,
        .keptMissing = "",
        .keptVersionLevel = 0,
    },
    {
        .displayName = "Uninst.exe",
        .folder = ComponentFolder::Install,
        .searchName = "Uninst*.exe",
        .classIds = {},
        .serverKey = "",
        .pathClass = "",
        .objectTest = std::nullopt,
        .registrationCode = CheckResult::passed,
        .presenceBySize = false,
        .gatedOnCoreBuild = false,
        .stripQuotes = false,
        .detailLevel = 3,
        .header = "Uninst.exe 검사",
        .missing = "uninst.exe 이 존재하지 않습니다.  클라이언트를 재설치하여 주십시오.",
        .registryHeading = "",
        .notRegistered = "",
        .defaultValueMissing = "",
        .objectCreated = "",
        .objectNotCreated = "",
        .registeredMissing = "",
        .keptMissing = catalogue::kNotFoundReinstall,
        .keptVersionLevel = 3,
    },
});

inline constexpr std::size_t kComponentCount = ComponentCatalogue.size();
