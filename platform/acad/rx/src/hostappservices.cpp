#include "dbapserv.h"

#include <cstdio>
#include <string_view>

#include "zwin32/utf.h"

ACRX_NO_CONS_DEFINE_MEMBERS(AcDbHostApplicationServices, AcRxObject);

AcDbHostApplicationServices::AcDbHostApplicationServices() = default;

AcDbHostApplicationServices::~AcDbHostApplicationServices() = default;

void AcDbHostApplicationServices::displayString(const ACHAR* string, int count) const {
  if (string == nullptr)
    return;
  std::u16string_view text(string);
  if (count >= 0 && static_cast<size_t>(count) < text.size())
    text = text.substr(0, count);
  const std::string utf8 = zwin32::ToUtf8(text);
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fflush(stdout);
}

void AcDbHostApplicationServices::displayChar(ACHAR c) const {
  const ACHAR text[] = {c, 0};
  displayString(text, 1);
}

namespace {

AcDbHostApplicationServices* installedServices = nullptr;

}  // namespace

AcDbHostApplicationServices* acdbHostApplicationServices() {
  static AcDbHostApplicationServices defaultServices;
  return installedServices != nullptr ? installedServices : &defaultServices;
}

Acad::ErrorStatus acdbSetHostApplicationServices(AcDbHostApplicationServices* services) {
  installedServices = services;
  return Acad::eOk;
}
