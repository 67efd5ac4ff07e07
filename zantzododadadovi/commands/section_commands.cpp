#include "commands/section_commands.h"

#include <optional>

#include "outside/mfc.h"
#include "outside/host.h"
#include "outside/maker.h"

#include "module/module_state.h"
#include "resources/resource.h"
#include "template/select_entities.h"
#include "template/tag_template_entities.h"
#include "template/template_record.h"

namespace {

// One simple section: what the user is asked, the key its entities get, and whether the command
// runs with this module's resources current.
struct SectionCommand {
  UINT promptId;
  const ACHAR* key;
  bool resourceOverride;
};

constexpr SectionCommand kHeader{IDS_PROMPT_HEADER, _T("LIST_HEADER"), false};
constexpr SectionCommand kSubHeader{IDS_PROMPT_SUBHEADER, _T("LIST_SUBHEADER"), false};
constexpr SectionCommand kFooter{IDS_PROMPT_FOOTER, _T("LIST_FOOTER"), true};
constexpr SectionCommand kSubFooter{IDS_PROMPT_SUBFOOTER, _T("LIST_SUBFOOTER"), true};
constexpr SectionCommand kPageFooter{IDS_PROMPT_PAGEFOOTER, _T("LIST_PAGE_FOOTER"), false};

// Asks for one selection and tags what was picked with the section's key. A cancelled or empty
// selection, like a refused document lock, ends the command with nothing written.
void defineSection(const SectionCommand& section) {
  std::optional<CZnToolsResOverride> resources;
  if (section.resourceOverride)
    resources.emplace(g_hZantInstance);
  AcDbObjectIdArray ids;
  const CString prompt = ZnPrompts::getPrompt(section.promptId, kZantPromptProject, 0);
  SelectEntities(ids, prompt.GetString(), nullptr, false);
  if (ids.length() == 0)
    return;
  CString key;
  key.Format(_T("%s"), section.key);
  TagTemplateEntities(ids, key.GetString(), _T(""), 0.0, kZantTemplateApp);
}

}  // namespace

void DefineListHeader() {
  defineSection(kHeader);
}
void DefineListSubHeader() {
  defineSection(kSubHeader);
}
void DefineListFooter() {
  defineSection(kFooter);
}
void DefineListSubFooter() {
  defineSection(kSubFooter);
}
void DefineListPageFooter() {
  defineSection(kPageFooter);
}
