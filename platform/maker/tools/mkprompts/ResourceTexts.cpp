#include "ResourceTexts.h"

#include <optional>
#include <set>
#include <stdexcept>

#include "../src/PromptDatabaseLayout.h"
#include "zwin32/dlgtemplate.h"
#include "zwin32/resources.h"

namespace zmaker {
namespace {

constexpr WORD kDialogType = 5;  // RT_DIALOG
constexpr WORD kStringType = 6;  // RT_STRING
// Control ids above this are IDC_STATIC (0xFFFF, or -1 in extended templates) or ids that a
// translation file could not name: such controls cannot be addressed and are left out.
constexpr DWORD kLastControlId = 0xFFFE;

bool IsOrdinal(const zwin32::ResId& id, WORD ordinal) {
  return id.IsOrdinal() && id.ordinal == ordinal;
}

void AddDialogTexts(const std::string& resPath, const zwin32::ResourceEntry& entry,
                    PromptSet& prompts) {
  std::string error;
  const std::optional<zwin32::DialogTemplate> dialog =
      zwin32::ParseDialogTemplate(entry.data, entry.size, &error);
  if (!dialog) {
    throw std::runtime_error(resPath + ": dialog " + std::to_string(entry.name.ordinal) + ": " +
                             error);
  }
  const unsigned id = entry.name.ordinal;
  if (!dialog->caption.empty()) {
    prompts.dialogTexts[{id, promptdb::kCaptionControl, entry.language}] = dialog->caption;
  }
  for (const zwin32::DialogItem& item : dialog->items) {
    if (item.id <= kLastControlId && !item.text.empty()) {
      prompts.dialogTexts[{id, static_cast<int>(item.id), entry.language}] = item.text;
    }
  }
}

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
    if (IsOrdinal(entry.type, kStringType)) {
      stringLanguages.insert(entry.language);
    } else if (IsOrdinal(entry.type, kDialogType) && entry.name.IsOrdinal()) {
      // Dialogs are keyed by number, as the products load them; a named dialog has no key.
      AddDialogTexts(resPath, entry, prompts);
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
