#include "commands/body_command.h"

#include "outside/mfc.h"
#include "outside/host.h"
#include "outside/maker.h"

#include "commands/zantdlgseldistrib.h"
#include "module/module_state.h"
#include "resources/resource.h"
#include "template/select_entities.h"
#include "template/tag_template_entities.h"
#include "template/template_record.h"

namespace {

CString prompt(UINT id) {
  return ZnPrompts::getPrompt(id, kZantPromptProject, 0);
}

CString key(const ACHAR* literal) {
  CString text;
  text.Format(_T("%s"), literal);
  return text;
}

}  // namespace

// Asks everything first (body, distribution, repeated objects and their distance, condition)
// and writes only then, so that any early end leaves the drawing as it was. The writing order
// settles entities picked twice: a repeated object stops being plain body, and the condition
// wins over both.
void DefineListBody() {
  CZnToolsResOverride resources(g_hZantInstance);

  AcDbObjectIdArray body;
  SelectEntities(body, prompt(IDS_PROMPT_BODY).GetString(), NULL, false);
  if (body.length() == 0)
    return;

  ZANTDlgSelDistrib dialog(NULL);
  if (dialog.DoModal() != IDOK)
    return;

  double distance = 0.0;
  AcDbObjectIdArray repeated;
  if (!dialog.regularDistrib()) {
    SelectEntities(repeated, prompt(IDS_PROMPT_REPEATED).GetString(), NULL, false);
    if (repeated.length() == 0)
      return;
    const CString distancePrompt = prompt(IDS_PROMPT_DISTANCE);
    // A distance too small to space rows apart is no distance.
    if (acedGetDist(NULL, distancePrompt.GetString(), &distance) != RTNORM ||
        distance * distance <= 1e-20)
      return;
  }

  AcDbObjectIdArray condition;
  if (dialog.chooseFilter()) {
    SelectEntities(condition, prompt(IDS_PROMPT_BODY_CONDITION).GetString(), NULL, true);
    if (condition.length() == 0)
      return;
    condition.setLogicalLength(1);
  }

  if (TagTemplateEntities(body, key(_T("LIST_BODY")).GetString(), _T(""), 0.0, kZantTemplateApp) !=
      0)
    return;
  if (TagTemplateEntities(repeated, key(_T("LIST_PATTERN_BODY")).GetString(), _T(""), distance,
                          kZantTemplateApp) != 0)
    return;
  TagTemplateEntities(condition, key(_T("LIST_BODY")).GetString(),
                      key(_T("LIST_PATTERN_CONDITION")).GetString(), distance, kZantTemplateApp);
}
