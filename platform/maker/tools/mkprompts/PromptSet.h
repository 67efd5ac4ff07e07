// The texts of one prompt project in all its languages, as the generator gathers them.
#pragma once

#include <map>
#include <string>
#include <tuple>
#include <utility>

namespace zmaker {

struct PromptSet {
  // by (string id, language)
  std::map<std::pair<unsigned, unsigned>, std::u16string> strings;
  // by (dialog id, control id or promptdb::kCaptionControl, language)
  std::map<std::tuple<unsigned, int, unsigned>, std::u16string> dialogTexts;
};

// Writes `prompts` as the prompt database of `project` at `outputPath`: into a temporary file
// beside it, renamed over `outputPath` only when complete, so that a failed run leaves any
// previous database untouched and no partial file behind. Throws std::runtime_error on failure.
void WritePromptDatabase(const std::string& outputPath, const std::u16string& project,
                         const PromptSet& prompts);

}  // namespace zmaker
