// The client's tray agent as the checks see it: a local COM server of the AgentMain class that
// answers IUnknown. COM starts it for one client (single use); it ends when that client has let go
// of everything it took, or when nobody has asked it for anything for a while, so none lingers.
#include "client_identity.h"
#include "com_double.h"

namespace {

constexpr DWORD kIdleMilliseconds = 60000;

LONG g_serverLocks = 0;
HANDLE g_unused = nullptr;  // set when the last object or lock goes; lives as long as the process

class AgentObject final : public RefCounted<AgentObject, IUnknown> {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (iid != IID_IUnknown) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    *out = static_cast<IUnknown*>(this);
    AddRef();
    return S_OK;
  }
};

ClassFactory<AgentObject> g_factory;

}  // namespace

void ServerLock() { InterlockedIncrement(&g_serverLocks); }
void ServerUnlock() {
  if (InterlockedDecrement(&g_serverLocks) == 0) SetEvent(g_unused);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return 1;
  int exitCode = 1;
  g_unused = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  CLSID agentClass{};
  DWORD registration = 0;
  if (g_unused != nullptr && GuidFromText(client::kTrayClass, &agentClass) &&
      SUCCEEDED(CoRegisterClassObject(agentClass, &g_factory, CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE, &registration))) {
    while (WaitForSingleObject(g_unused, kIdleMilliseconds) == WAIT_TIMEOUT && g_serverLocks != 0) {
    }
    CoRevokeClassObject(registration);
    exitCode = 0;
  }
  CoUninitialize();
  return exitCode;
}
