#include "checks/installation_checks.h"

#include <string_view>

#include "checks/error_text.h"
#include "platform/ascii.h"

namespace {

struct HandlerKey {
  std::string_view heading;
  const char* path;
  std::string_view notRegistered;
};

constexpr HandlerKey kHandlerKeys[] = {
    {"프로토콜 Handler 키 검사", kProtocolHandlerKey, "S-HTTP 프로토콜이 핸들러에 등록되어 있지 않습니다."},
    {"프로토콜 Name-Space 키 검사", kNameSpaceHandlerKey, "HTTP Wrapper 프로토콜이 핸들러에 등록되어 있지 않습니다."},
};

}  // namespace

InstallFolderRead ReadInstallFolder(platform::Registry& registry) {
  InstallFolderRead read;
  platform::RegKey key;
  read.keyStatus = platform::OpenKey(registry, platform::kLocalMachine, kProductKey, platform::kKeyRead, &key);
  if (read.keyStatus == platform::kErrorSuccess) {
    read.valueStatus = platform::ReadStringValue(registry, key.get(), "Install_Dir", kValueBufferSize, &read.folder);
  }
  return read;
}

std::optional<CheckResult> CheckInstallation(CheckContext& ctx) {
  ReportLog& report = ctx.report;
  report.BeginReportSection("설치여부 확인 및 경로 검사");

  const InstallFolderRead read = ReadInstallFolder(ctx.registry);
  if (read.keyStatus != platform::kErrorSuccess) {
    report.AppendReportLine(1, R"(\HKEY_LOCAL_MACHINE\Software\Veltora\CALYRAWeb_7 키가 존재하지 않습니다)");
    report.AppendReportLine(1, "클라이언트 모듈이 설치가 되어 있지 않습니다.");
    ReportErrorText(ctx, 1, read.keyStatus);
    return CheckResult::notInstalled;
  }
  if (read.valueStatus != platform::kErrorSuccess) {
    report.AppendReportLine(1, "설치경로가 존재하지 않습니다. 클라이언트 모듈이 설치가 되어 있지 않습니다.");
    ReportErrorText(ctx, 1, read.valueStatus);
    return CheckResult::notInstalled;
  }

  const std::string& installDir = read.folder;
  report.AppendReportLine(1, "설치 경로 : " + installDir);
  ctx.state.m_strInstallDir = installDir;
  report.Found().installFolder = installDir;
  if (int error = 0; !ctx.files.Exists(installDir, &error)) {
    report.AppendReportLine(1, installDir + "폴더가 존재하지 않습니다. 클라이언트 모듈을 재설치 하여 주십시오.");
    ReportErrorText(ctx, 1, error);
    return CheckResult::notInstalled;
  }
  report.AppendReportLine(1, installDir + "폴더가 존재합니다.");
  report.EndReportSection();
  return std::nullopt;
}

std::optional<CheckResult> CheckProtocolHandlers(CheckContext& ctx) {
  ReportLog& report = ctx.report;
  report.BeginReportSection("기본 레지스트리 키 검사");
  // Broken until both keys name the handler class.
  report.Found().protocolHandlerRegistered = false;

  for (const HandlerKey& handler : kHandlerKeys) {
    report.AppendReportLine(1, handler.heading);
    platform::RegKey key;
    long status = platform::OpenKey(ctx.registry, platform::kClassesRoot, handler.path, platform::kKeyRead, &key);
    if (status != platform::kErrorSuccess) {
      report.AppendReportLine(1, handler.notRegistered);
      ReportErrorText(ctx, 1, status);
      return CheckResult::protocolHandlerBroken;
    }
    std::string classId;
    status = platform::ReadStringValue(ctx.registry, key.get(), "CLSID", kValueBufferSize, &classId);
    if (status != platform::kErrorSuccess) {
      report.AppendReportLine(1, "등록이 잘못되어 있습니다.");
      ReportErrorText(ctx, 1, status);
      return CheckResult::protocolHandlerBroken;
    }
    report.AppendReportLine(1, "프로토콜 CLSID : " + classId);
    if (!platform::EqualsIgnoringCase(classId, kHttpWrapClassId)) {
      report.AppendReportLine(2, "프르토콜 CLSID 가 설정값과 다릅니다." + classId);
      return CheckResult::protocolHandlerBroken;
    }
  }

  report.Found().protocolHandlerRegistered = true;
  report.EndReportSection();
  return std::nullopt;
}

std::optional<CheckResult> CheckInternetOptions(CheckContext& ctx) {
  ReportLog& report = ctx.report;
  report.BeginReportSection("인터넷 옵션 설정 검사");
  report.AppendReportLine(1, "추가기능 관리 옵션 설정 검사");
  report.AppendReportLine(1, "Kill bit 검사");

  // The key's presence alone decides; a key that cannot be opened counts as absent.
  platform::RegKey key;
  const bool killBitSet = platform::OpenKey(ctx.registry, platform::kLocalMachine, kKillBitKey, platform::kKeyRead,
                                            &key) == platform::kErrorSuccess;
  report.Found().killBitSet = killBitSet;
  if (killBitSet) {
    key.Close();
    report.AppendReportLine(2, "Kill bit이 설정되어 있습니다.");
    return CheckResult::killBitSet;
  }

  report.EndReportSection();
  return std::nullopt;
}
