#include "platform/win32/win32_com.h"

#include <windows.h>
#include <objbase.h>

#include <string>

#include "platform/win32/unique_handle.h"

namespace platform::win32 {
namespace {

void ReleaseInterface(IUnknown* object) { object->Release(); }
using unique_unknown = unique_handle<IUnknown*, &ReleaseInterface>;

// Identifiers in braces are plain ASCII; anything else fails to parse, as it should.
std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

bool Win32ComRuntime::Initialize() {
  // Without OLE 1.0's DDE, which the shell's verbs are better off without.
  return SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

void Win32ComRuntime::Uninitialize() { CoUninitialize(); }

long Win32ComRuntime::CreateAndRelease(const std::string& classId, unsigned context, const std::string& interfaceId) {
  CLSID clsid{};
  HRESULT status = CLSIDFromString(Widen(classId).c_str(), &clsid);
  if (FAILED(status)) return status;
  IID iid{};
  status = IIDFromString(Widen(interfaceId).c_str(), &iid);
  if (FAILED(status)) return status;
  unique_unknown object;
  return CoCreateInstance(clsid, nullptr, context, iid, reinterpret_cast<void**>(object.put()));
}

}  // namespace platform::win32
