#pragma once
#include "platform/xml_http.h"

namespace platform::win32 {

class Win32XmlHttp final : public XmlHttp {
public:
  long Create(std::unique_ptr<XmlHttpRequest>* request) override;
};

}  // namespace platform::win32
