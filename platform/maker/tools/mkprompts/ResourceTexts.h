// The texts that a compiled Windows resource file (.res) carries for the prompt database.
#pragma once

#include <string>

#include "PromptSet.h"

namespace zmaker {

// Reads the string tables (every string, under its id and the language of its block) and the
// dialog templates (caption and the text of every control that has its own id) of a .res file.
// Throws std::runtime_error naming the file when it cannot be read or is malformed.
PromptSet ReadResourceTexts(const std::string& resPath);

}  // namespace zmaker
