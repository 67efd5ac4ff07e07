#include "template/select_entities.h"

void SelectEntities(AcDbObjectIdArray& ids, const ACHAR* prompt, const resbuf* filter,
                    bool single) {
  if (prompt != nullptr)
    acedPrompt(prompt);
  // Empty prompts for adding and removing objects: the user sees only the module's own prompt.
  const ACHAR* const selectionPrompts[2] = {_T(""), _T("")};
  ads_name selection;
  if (acedSSGet(single ? _T("_:$:S") : _T("_:$"), selectionPrompts, nullptr, filter, selection) !=
      RTNORM)
    return;
  long length = 0;
  acedSSLength(selection, &length);
  for (long i = 0; i < length; ++i) {
    ads_name entity;
    AcDbObjectId id;
    if (acedSSName(selection, i, entity) == RTNORM && acdbGetObjectId(id, entity) == Acad::eOk)
      ids.append(id);
  }
  acedSSFree(selection);
}
