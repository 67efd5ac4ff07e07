#include "commands/footer_part_command.h"

#include <cstdint>
#include <memory>

#include "outside/mfc.h"
#include "outside/host.h"
#include "outside/maker.h"

#include "module/module_state.h"
#include "resources/resource.h"
#include "template/select_entities.h"
#include "template/tag_template_entities.h"
#include "template/template_record.h"

namespace {

struct ResbufRelease {
  void operator()(resbuf* list) const { acutRelRb(list); }
};

// A part is numbered by its master: the low 32 bits of the master's handle, read as signed, so
// the number is found again from the drawing alone.
int partNumber(AcDbObjectId master) {
  return static_cast<int>(static_cast<std::int32_t>(master.handle().low()));
}

}  // namespace

// Asks for the footer objects to group, then for the one text that holds the part's display
// condition; writes only once both are known, so an early end leaves the drawing untouched.
void DefineListFooterPart() {
  CZnToolsResOverride resources(g_hZantInstance);

  AcDbObjectIdArray grouped;
  const CString groupedPrompt =
      ZnPrompts::getPrompt(IDS_PROMPT_FOOTERPART_OBJECTS, kZantPromptProject, 0);
  SelectEntities(grouped, groupedPrompt.GetString(), nullptr, false);
  if (grouped.length() == 0)
    return;

  AcDbObjectIdArray master;
  {
    // Only a text can hold the condition.
    const std::unique_ptr<resbuf, ResbufRelease> textsOnly(acutBuildList(
        -4, _T("<OR"), RTDXF0, _T("MTEXT"), RTDXF0, _T("TEXT"), -4, _T("OR>"), RTNONE));
    const CString masterPrompt =
        ZnPrompts::getPrompt(IDS_PROMPT_FOOTERPART_MASTER, kZantPromptProject, 0);
    SelectEntities(master, masterPrompt.GetString(), textsOnly.get(), true);
  }
  if (master.length() == 0)
    return;
  master.setLogicalLength(1);

  const int number = partNumber(master[0]);
  CString key;
  key.Format(_T("%s"), _T("LIST_FOOTER"));
  CString partKey;
  partKey.Format(_T("%s%d"), _T("LIST_FOOTER_PART"), number);
  CString masterKey;
  masterKey.Format(_T("%s%d"), _T("LIST_FOOTER_PART_MASTER"), number);

  // The master goes last: picked among the grouped objects too, it ends as master only.
  TagTemplateEntities(grouped, key.GetString(), partKey.GetString(), 0.0, kZantTemplateApp);
  TagTemplateEntities(master, key.GetString(), masterKey.GetString(), 0.0, kZantTemplateApp);
}
