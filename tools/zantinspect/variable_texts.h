// Which variable names a template text uses. The expression syntax belongs to the expression
// dialog, so names are found as words: a word of the catalogue is a variable; a word that is not
// but looks like one (an index "[n]", an inner capital as in "PageNumber", or one slip of the
// keyboard off a catalogue name) is an unknown name that the list generator will not fill.
// Quoted parts are literal.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zinspect {

struct VariableUse {
  std::vector<std::string> names;    // catalogue names, in order of first use
  std::vector<std::string> unknown;  // words that look like variables but are not in it
  bool any() const { return !names.empty() || !unknown.empty(); }
};

VariableUse FindVariables(std::string_view text);

// The catalogue name that a word misspells (case, or one slip of the keyboard), else empty.
std::string_view NearestName(std::string_view word);

}  // namespace zinspect
