#include "ResourceTexts.h"

#include <set>
#include <stdexcept>

#include "zwin32/resources.h"

namespace zmaker {
namespace {

constexpr WORD kStringType = 6;  // RT_STRING

}  // namespace

PromptSet ReadResourceTexts(const std::string& resPath) {
  std::string error;
  const std::unique_ptr<zwin32::ResFile> res = zwin32::ReadResFile(resPath, &error);
  if (!res) {
    throw std::runtime_error(error);
  }
  PromptSet prompts;
  std::set<LANGID> stringLanguages;
  for (const zwin32::ResourceEntry& entry : res->entries) {
    if (entry.type.IsOrdinal() && entry.type.ordinal == kStringType) {
      stringLanguages.insert(entry.language);
    }
  }
  for (LANGID language : stringLanguages) {
    for (auto& [id, text] : zwin32::StringTable(res->entries, language)) {
      prompts.strings[{id, language}] = std::move(text);
    }
  }
  return prompts;
}

}  // namespace zmaker
