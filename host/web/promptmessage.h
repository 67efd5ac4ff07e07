// What the host waits for, as JSON for the pages: the kind of question (with its base point and
// keywords), and the members of a selection being built, so that a page answers a point
// prompt with a click, a selection with picks and windows, and draws rubber bands and
// highlights meanwhile.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "zacad/inputsource.h"

namespace zanthost::web {

// {"type":"prompt","kind":...,"base":[x,y,z] (when there is one),"keywords":[...]}
std::string PromptMessage(const zacad::InputRequest& request);

// {"type":"selection","handles":["2A3",...]}: handles as the drawing message writes them.
std::string SelectionMessage(const std::vector<uint64_t>& handles);

}  // namespace zanthost::web
