#pragma once
// The client's identity as the tests know it: the doubles install it, the fixtures fake it and the
// tests look for it. Stated here apart from the program's own, so that a typo on either side fails
// a test instead of agreeing with itself.
#include <string>

namespace client {

inline constexpr char kUpdaterClass[] = "{0D8708AD-A9F4-C810-A862-5D84D75FBB4D}";
inline constexpr char kIfaceClass[] = "{7C49CE0F-93B7-9C7A-015D-A399BEED7B01}";  // the interface DLL's other class
inline constexpr char kHttpWrapClass[] = "{51BA3E78-ECB2-16F4-A22E-A41505A64625}";
inline constexpr char kCoreClass[] = "{52A45655-7BDB-1C48-5892-A3440DE1069A}";
inline constexpr char kTrayClass[] = "{824B7195-5022-D47E-A0EA-69C3CF360213}";
inline constexpr char kPubCertClass[] = "{83E851E7-8918-AD9B-7810-3F7A2DF0D122}";
inline constexpr char kPubCertInterface[] = "{811397E3-F73E-E947-955B-44996CFE4243}";

inline constexpr char kProductKey[] = R"(Software\Veltora\CALYRAWeb_7)";
inline constexpr char kHandlerKey[] = R"(PROTOCOLS\Handler\s-http)";
inline constexpr char kNameSpaceKey[] = R"(PROTOCOLS\Name-Space Handler\http\s-http)";
inline const std::string kKillBitKey =
    std::string(R"(Software\Microsoft\Internet Explorer\ActiveX Compatibility\)") + kUpdaterClass;
inline const std::string kAddonKey =
    std::string(R"(Software\Microsoft\Windows\CurrentVersion\Ext\Settings\)") + kUpdaterClass;

}  // namespace client
