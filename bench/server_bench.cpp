// What the server-test section costs beside the platform's HTTP stack, against S-HTTP simulators on
// 127.0.0.1, in two cases: a healthy server (three requests) and every upload refused (two GETs and
// 19 POSTs, 595 KB). Two ways side by side, taking turns:
//   ours        RunServerTests through HttpRequest, writing into a report that does not paint;
//   bare loop   the same IXMLHTTPRequest calls with the same bodies and nothing else.
// bench/run-server-bench adds curl making the same requests natively. Prints, per case, the median
// milliseconds of one section: "CASE ours BARE". Asserts nothing.
//   server_bench HEALTHY_HOST REFUSING_HOST RUNS
#include <windows.h>
#include <msxml2.h>
#include <oleauto.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "nettest/server_tests.h"
#include "platform/win32/win32_xml_http.h"
#include "report/report_log.h"

namespace {

struct BareRequest {
  const wchar_t* method;
  std::wstring url;
  int bodySize;  // 0: no body
};

// One request as the section makes it, straight through the interface. Returns the status.
long BareCall(const BareRequest& request, CLSID clsid) {
  IXMLHTTPRequest* object = nullptr;
  if (FAILED(CoCreateInstance(clsid, nullptr, 0x17, IID_IXMLHTTPRequest, reinterpret_cast<void**>(&object))))
    return 1000;
  long status = 1000;
  VARIANT async, missing, body;
  VariantInit(&async);
  async.vt = VT_BOOL;
  async.boolVal = VARIANT_FALSE;
  VariantInit(&missing);
  missing.vt = VT_ERROR;
  missing.scode = DISP_E_PARAMNOTFOUND;
  VariantInit(&body);
  BSTR method = SysAllocString(request.method);
  BSTR url = SysAllocString(request.url.c_str());
  if (request.bodySize > 0) {
    body.vt = VT_BSTR;
    body.bstrVal = SysAllocStringLen(nullptr, static_cast<UINT>(request.bodySize));
    std::fill_n(body.bstrVal, request.bodySize, L'\x1E');
  } else {
    body = missing;
  }
  if (SUCCEEDED(object->open(method, url, async, missing, missing)) && SUCCEEDED(object->send(body))) {
    LONG value = 0;
    BSTR headers = nullptr, text = nullptr;
    if (SUCCEEDED(object->get_status(&value)) && SUCCEEDED(object->getAllResponseHeaders(&headers)) &&
        SUCCEEDED(object->get_responseText(&text)))
      status = value;
    SysFreeString(headers);
    SysFreeString(text);
  }
  VariantClear(&body);
  SysFreeString(method);
  SysFreeString(url);
  object->Release();
  return status;
}

std::vector<BareRequest> SectionRequests(const std::string& host, bool refusing) {
  const std::wstring base = L"http://" + std::wstring(host.begin(), host.end());
  std::vector<BareRequest> requests = {{L"GET", base + L"/shttp/handshake/req_env", 0},
                                       {L"GET", base + L"/shttp/ping?1234", 0}};
  for (int size = 102400; size > 0; size -= size > 10240 ? 10240 : 1024) {
    requests.push_back({L"POST", base + L"/shttp/ping?1234", size});
    if (!refusing) break;
  }
  return requests;
}

// <chrono> does not compile with the Korean execution character set.
double NowMs() {
  static const LONGLONG frequency = [] {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return value.QuadPart;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: server_bench HEALTHY_HOST REFUSING_HOST RUNS\n");
    return 2;
  }
  const int runs = std::max(1, std::atoi(argv[3]));
  CoInitialize(nullptr);
  CLSID clsid{};
  CLSIDFromProgID(L"Msxml2.XMLHTTP.3.0", &clsid);
  platform::win32::Win32XmlHttp xmlHttp;

  const struct {
    const char* name;
    std::string host;
    bool refusing;
  } cases[] = {{"healthy", argv[1], false}, {"refused", argv[2], true}};
  for (const auto& benchCase : cases) {
    const std::vector<BareRequest> requests = SectionRequests(benchCase.host, benchCase.refusing);
    std::vector<double> ours, bare;
    for (int run = 0; run <= runs; ++run) {  // run 0 warms up
      ReportLog report;
      std::optional<ServerTestFailure> result;
      long last = 0;
      const auto timeOurs = [&] {
        const double start = NowMs();
        result = RunServerTests(report, xmlHttp, benchCase.host);
        return NowMs() - start;
      };
      const auto timeBare = [&] {
        const double start = NowMs();
        for (const BareRequest& request : requests) last = BareCall(request, clsid);
        return NowMs() - start;
      };
      // Each goes first every other run, so that neither pays for the other's leftovers.
      double oursMs = 0, bareMs = 0;
      if (run % 2 == 0) {
        oursMs = timeOurs();
        bareMs = timeBare();
      } else {
        bareMs = timeBare();
        oursMs = timeOurs();
      }

      if (result != (benchCase.refusing ? std::optional(ServerTestFailure::networkFiltered) : std::nullopt) || (last == 200) == benchCase.refusing) {
        std::fprintf(stderr, "%s: unexpected answers from %s\n", benchCase.name, benchCase.host.c_str());
        return 1;
      }
      if (run == 0) continue;
      ours.push_back(oursMs);
      bare.push_back(bareMs);
    }
    std::printf("%s %.3f %.3f\n", benchCase.name, Median(ours), Median(bare));
  }
  CoUninitialize();
  return 0;
}
