// Fault points named by ZANT_INJECT_FAULT. The variable is read on every call so that a test can
// switch faults on and off with setenv between calls.
#include "zwin32/faultpoint.h"

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zwin32 {

void FaultPoint(const char* name) {
  const char* list = std::getenv("ZANT_INJECT_FAULT");
  if (list == nullptr || name == nullptr)
    return;
  std::string_view rest(list);
  while (!rest.empty()) {
    size_t comma = rest.find(',');
    std::string_view item = rest.substr(0, comma);
    while (!item.empty() && item.front() == ' ')
      item.remove_prefix(1);
    while (!item.empty() && item.back() == ' ')
      item.remove_suffix(1);
    if (item == name)
      throw std::runtime_error(std::string("injected fault: ") + name);
    if (comma == std::string_view::npos)
      break;
    rest.remove_prefix(comma + 1);
  }
}

}  // namespace zwin32
