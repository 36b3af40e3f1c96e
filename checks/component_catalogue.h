#pragma once
// The seven client components, in the order the checks examine and report them.
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "checks/check_context.h"

inline constexpr std::string_view kUpdaterClassId = "{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}";
// "HttpWrap Class": the class that the s-http protocol handler registrations must name.
inline constexpr std::string_view kHttpWrapClassId = "{51BA3E78-ECB2-16F4-A22E-A41505A64625}";

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

extern const std::array<ComponentEntry, 7> ComponentCatalogue;
