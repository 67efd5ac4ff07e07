#include "palette.h"

#include <map>

namespace zinspect {

// One colour per section, far enough apart to be told from one another in a rendered picture.
std::string_view SectionColour(std::string_view sectionId) {
  static const std::map<std::string_view, std::string_view> colours{
      {"header", "#d62728"},       {"sub-header", "#ff7f0e"}, {"body", "#1f77b4"},
      {"pattern-body", "#17becf"}, {"condition", "#9467bd"},  {"footer", "#2ca02c"},
      {"sub-footer", "#8c564b"},   {"page-footer", "#e377c2"}};
  return colours.at(sectionId);
}

std::string_view PartColour(size_t place) {
  static constexpr std::string_view kPartColours[] = {"#006d2c", "#bcbd22", "#00429d", "#7a0177"};
  return kPartColours[place % std::size(kPartColours)];
}

std::string PartLabel(std::int32_t number) {
  return "Footer part " + std::to_string(number);
}

}  // namespace zinspect
