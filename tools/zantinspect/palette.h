// The colours and labels that show a template's sections: the picture's legend and the page's
// tint rules take them from here, so that the two never differ.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zinspect {

inline constexpr std::string_view kLegendTitle = "List template sections";
inline constexpr std::string_view kOutsideColour = "#b0b0b0";  // entities in no section
inline constexpr std::string_view kOutsideLabel = "In no section";

// The colour of a section by its id ("header", "body", ...).
std::string_view SectionColour(std::string_view sectionId);
// Footer parts take colours in turn, by their place among the drawing's parts (by number).
std::string_view PartColour(size_t place);
std::string PartLabel(std::int32_t number);

}  // namespace zinspect
