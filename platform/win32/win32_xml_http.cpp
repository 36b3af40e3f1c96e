#include "platform/win32/win32_xml_http.h"

#include <windows.h>
#include <msxml2.h>
#include <oleauto.h>

#include <string>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

// No import library carries this interface's identifier.
extern "C" const IID IID_IXMLHTTPRequest = {
    0xED8C108D, 0x4349, 0x11D2, {0x91, 0xA4, 0x00, 0xC0, 0x4F, 0x79, 0x69, 0xE8}};

namespace platform::win32 {
namespace {

void ReleaseRequest(IXMLHTTPRequest* object) { object->Release(); }
using unique_request = unique_handle<IXMLHTTPRequest*, &ReleaseRequest>;
using unique_bstr = unique_handle<BSTR, &SysFreeString>;

// A VARIANT cleared on every path.
class Variant {
public:
  Variant() { VariantInit(&m_value); }
  ~Variant() { VariantClear(&m_value); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  VARIANT& get() { return m_value; }

  // What stands for an optional argument left out.
  void SetMissing() {
    m_value.vt = VT_ERROR;
    m_value.scode = DISP_E_PARAMNOTFOUND;
  }

private:
  VARIANT m_value;
};

// The caller owns the result.
BSTR NewBstr(const std::string& text) {
  const std::wstring wide = Wide(text);
  return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string ToUtf8(BSTR wide) { return Utf8(std::wstring_view(wide, SysStringLen(wide))); }

// The response text goes into the caller's buffer, whose size counts bytes of the ANSI code page.
std::string ToAnsi(BSTR wide) {
  const int size = static_cast<int>(SysStringLen(wide));
  const int length = WideCharToMultiByte(CP_ACP, 0, wide, size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length), '\0');
  if (length > 0) WideCharToMultiByte(CP_ACP, 0, wide, size, text.data(), length, nullptr, nullptr);
  return text;
}

class Win32XmlHttpRequest final : public XmlHttpRequest {
public:
  explicit Win32XmlHttpRequest(unique_request object) : m_object(std::move(object)) {}

  long Open(const std::string& method, const std::string& url) override {
    const unique_bstr wideMethod(NewBstr(method));
    const unique_bstr wideUrl(NewBstr(url));
    Variant async;
    async.get().vt = VT_BOOL;
    async.get().boolVal = VARIANT_FALSE;
    Variant user;
    user.SetMissing();
    Variant password;
    password.SetMissing();
    return m_object.get()->open(wideMethod.get(), wideUrl.get(), async.get(), user.get(), password.get());
  }

  long Send(const std::string* body) override {
    Variant argument;
    if (body) {
      argument.get().vt = VT_BSTR;
      argument.get().bstrVal = NewBstr(*body);  // the variant owns it now
    } else {
      argument.SetMissing();
    }
    return m_object.get()->send(argument.get());
  }

  long Status(std::int32_t* status) override {
    LONG value = 0;
    const HRESULT result = m_object.get()->get_status(&value);
    if (SUCCEEDED(result)) *status = value;
    return result;
  }

  long GetAllResponseHeaders(std::string* headers) override {
    unique_bstr wide;
    const HRESULT result = m_object.get()->getAllResponseHeaders(wide.put());
    if (SUCCEEDED(result)) *headers = ToUtf8(wide.get());
    return result;
  }

  long ResponseText(std::string* text) override {
    unique_bstr wide;
    const HRESULT result = m_object.get()->get_responseText(wide.put());
    if (SUCCEEDED(result)) *text = ToAnsi(wide.get());
    return result;
  }

private:
  unique_request m_object;
};

}  // namespace

long Win32XmlHttp::Create(std::unique_ptr<XmlHttpRequest>* request) {
  CLSID clsid{};
  HRESULT result = CLSIDFromProgID(L"Msxml2.XMLHTTP.3.0", &clsid);
  if (FAILED(result)) return result;
  unique_request object;
  // 0x17: in-process server and handler, local and remote server.
  result = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER |
                                                CLSCTX_REMOTE_SERVER,
                            IID_IXMLHTTPRequest, reinterpret_cast<void**>(object.put()));
  if (FAILED(result)) return result;
  *request = std::make_unique<Win32XmlHttpRequest>(std::move(object));
  return result;
}

}  // namespace platform::win32
