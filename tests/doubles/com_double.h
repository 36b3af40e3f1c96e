#pragma once
// What our COM doubles of the client share: reference counting, a class factory, and the count of
// live objects and locks by which a server knows whether anyone still needs it.
#include <windows.h>
#include <objbase.h>

#include <cstring>
#include <new>
#include <string>

// The GUID that a registry text in braces names, as the client's identity writes it (ASCII).
inline bool GuidFromText(const char* text, GUID* guid) {
  const std::wstring wide(text, text + std::strlen(text));
  return SUCCEEDED(CLSIDFromString(wide.c_str(), guid));
}

// Defined by each server; objects and LockServer calls go through them.
void ServerLock();
void ServerUnlock();

// Reference counting for an object of type Object that implements the given interfaces.
template <typename Object, typename... Interfaces>
class RefCounted : public Interfaces... {
public:
  RefCounted() { ServerLock(); }
  ~RefCounted() { ServerUnlock(); }
  RefCounted(const RefCounted&) = delete;
  RefCounted& operator=(const RefCounted&) = delete;

  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_references)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&m_references);
    if (left == 0) delete static_cast<Object*>(this);
    return static_cast<ULONG>(left);
  }

private:
  LONG m_references = 1;
};

template <typename Object>
class ClassFactory final : public IClassFactory {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // The factory is a static object of its server; locks, not references, keep the server alive.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    Object* object = new (std::nothrow) Object;
    if (object == nullptr) return E_OUTOFMEMORY;
    const HRESULT status = object->QueryInterface(iid, out);
    object->Release();
    return status;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      ServerLock();
    } else {
      ServerUnlock();
    }
    return S_OK;
  }
};
