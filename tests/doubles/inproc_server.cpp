// One of the client's in-process COM servers as the checks see it. The build names its classes
// (DOUBLE_CLASS and, for the interface DLL, DOUBLE_SECOND_CLASS) and what their object answers
// besides IUnknown: IInternetProtocol (DOUBLE_ANSWERS_PROTOCOL) or the plug-in's own interface
// (DOUBLE_ANSWERS_PLUGIN). The checks only create the object and release it, so no method works;
// the object still implements the interfaces it hands out.
#include <urlmon.h>

#include "client_identity.h"
#include "com_double.h"

namespace {

#ifdef DOUBLE_ANSWERS_PROTOCOL
constexpr bool kAnswersProtocol = true;
#else
constexpr bool kAnswersProtocol = false;
#endif
#ifdef DOUBLE_ANSWERS_PLUGIN
constexpr bool kAnswersPlugin = true;
#else
constexpr bool kAnswersPlugin = false;
#endif

constexpr const char* kClasses[] = {
    DOUBLE_CLASS,
#ifdef DOUBLE_SECOND_CLASS
    DOUBLE_SECOND_CLASS,
#endif
};

// The public-certificate plug-in's own interface. The checks only ask for it and let it go, so it
// declares nothing beyond IUnknown.
struct IVelPubCertPlugin : IUnknown {};

bool IsPubCertPlugin(REFIID iid) {
  IID plugin{};
  return GuidFromText(client::kPubCertInterface, &plugin) && iid == plugin;
}

LONG g_serverLocks = 0;

class ClientObject final : public RefCounted<ClientObject, IInternetProtocol, IVelPubCertPlugin> {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = Answer(iid);
    if (*out == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Start(LPCWSTR, IInternetProtocolSink*, IInternetBindInfo*, DWORD, HANDLE_PTR) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Continue(PROTOCOLDATA*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Abort(HRESULT, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Terminate(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Suspend() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Resume() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Read(void*, ULONG, ULONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE LockRequest(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE UnlockRequest() override { return E_NOTIMPL; }

private:
  IUnknown* Answer(REFIID iid) {
    if (iid == IID_IUnknown) return static_cast<IInternetProtocol*>(this);
    if (kAnswersProtocol && (iid == IID_IInternetProtocol || iid == IID_IInternetProtocolRoot)) {
      return static_cast<IInternetProtocol*>(this);
    }
    if (kAnswersPlugin && IsPubCertPlugin(iid)) return static_cast<IVelPubCertPlugin*>(this);
    return nullptr;
  }
};

ClassFactory<ClientObject> g_factory;

bool Serves(REFCLSID classId) {
  for (const char* text : kClasses) {
    CLSID served{};
    if (GuidFromText(text, &served) && served == classId) return true;
  }
  return false;
}

}  // namespace

void ServerLock() { InterlockedIncrement(&g_serverLocks); }
void ServerUnlock() { InterlockedDecrement(&g_serverLocks); }

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
  if (ppv == nullptr) return E_POINTER;
  *ppv = nullptr;
  if (!Serves(rclsid)) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(riid, ppv);
}

STDAPI DllCanUnloadNow() { return g_serverLocks == 0 ? S_OK : S_FALSE; }
