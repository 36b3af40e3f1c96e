#pragma once
// Who the client is to the registry: the identifiers and keys that the checks, the repair files and
// the clean-up lists all name, written once here.
#include <string>
#include <string_view>

// Classes of the client's components.
inline constexpr std::string_view kUpdaterClassId = "{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}";
// The interface DLL's first class, whose keys alone are checked; its interface has the same id.
inline constexpr std::string_view kIfaceClassId = "{7C49CE0F-93B7-9C7A-015D-A399BEED7B01}";
// "HttpWrap Class": the class that the s-http protocol handler registrations must name.
inline constexpr std::string_view kHttpWrapClassId = "{51BA3E78-ECB2-16F4-A22E-A41505A64625}";
inline constexpr std::string_view kCoreClassId = "{52A45655-7BDB-1C48-5892-A3440DE1069A}";
inline constexpr std::string_view kTrayClassId = "{824B7195-5022-D47E-A0EA-69C3CF360213}";
inline constexpr std::string_view kPubCertClassId = "{83E851E7-8918-AD9B-7810-3F7A2DF0D122}";

// The public-certificate plug-in's own interface, which its object test asks for.
inline constexpr std::string_view kPubCertInterfaceId = "{811397E3-F73E-E947-955B-44996CFE4243}";

// What the client registers for a class that a repair file re-creates; empty where it has none.
struct ClassRegistration {
  std::string_view classId;
  std::string_view progId;
  std::string_view versionIndependentProgId;
  std::string_view appId;
  std::string_view typeLib;
};

inline constexpr ClassRegistration kUpdaterRegistration = {
    .classId = kUpdaterClassId,
    .progId = "VELUPDCTL.VelUpdCtlCtrl.1",
    .versionIndependentProgId = "",
    .appId = "",
    .typeLib = "{EEF90444-7203-CA1F-B072-9A3D5354BC0E}",
};
inline constexpr ClassRegistration kHttpWrapRegistration = {
    .classId = kHttpWrapClassId,
    .progId = "VelHttp.HttpWrap.1",
    .versionIndependentProgId = "VelHttp.HttpWrap",
    .appId = "{46A2591E-E875-F365-3921-60BB374BE058}",
    .typeLib = "{ABD65AEF-F006-4E7A-580E-9CE7DCF75952}",
};
inline constexpr ClassRegistration kCoreRegistration = {
    .classId = kCoreClassId,
    .progId = "VelProto.ProtoModule.1",
    .versionIndependentProgId = "VelProto.ProtoModule",
    .appId = "{195ACC28-8CC7-34E1-1711-DBE164305F54}",
    .typeLib = "{32666F9A-C2D3-DBC2-A850-7D530EAE01D8}",
};
inline constexpr ClassRegistration kTrayRegistration = {
    .classId = kTrayClassId,
    .progId = "VelAgent2.AgentMain.1",
    .versionIndependentProgId = "VelAgent2.AgentMain",
    .appId = "",
    .typeLib = "{9D2EC537-25F8-FA30-03C3-3E32115A6A11}",
};

// The s-http protocol's handler and name-space handler, below HKEY_CLASSES_ROOT.
inline constexpr char kProtocolHandlerKey[] = R"(PROTOCOLS\Handler\s-http)";
inline constexpr char kNameSpaceHandlerKey[] = R"(PROTOCOLS\Name-Space Handler\http\s-http)";

// The product's own key under HKEY_LOCAL_MACHINE\Software\Veltora; its Install_Dir value names the
// install folder.
inline constexpr std::string_view kProductKeyName = "CALYRAWeb_7";
inline const std::string kProductKey = std::string(R"(Software\Veltora\)").append(kProductKeyName);

// Under HKEY_LOCAL_MACHINE: its mere presence is the updater's kill bit; the verdict deletes it again.
inline const std::string kKillBitKey =
    std::string(R"(Software\Microsoft\Internet Explorer\ActiveX Compatibility\)").append(kUpdaterClassId);
