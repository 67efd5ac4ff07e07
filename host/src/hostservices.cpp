#include "hostservices.h"

#include <string_view>

#include "zacad/commandline.h"

void HostServices::displayString(const ACHAR* string, int count) const {
  if (string == nullptr)
    return;
  std::u16string_view text = count < 0 ? std::u16string_view(string)
                                       : std::u16string_view(string, static_cast<size_t>(count));
  zacad::CommandLine::instance().write(text);
}
