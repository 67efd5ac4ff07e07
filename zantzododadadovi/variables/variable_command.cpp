#include "variables/variable_command.h"

#include "outside/mfc.h"
#include "outside/host.h"
#include "outside/maker.h"

#include "module/module_state.h"
#include "template/select_entities.h"
#include "template/smart_lock.h"
#include "variables/variable_catalogue.h"

namespace {

// The first entries of the catalogue, which the dialog shows as its leading group.
constexpr size_t kLeadingVariables = 14;

// Gives one picked entity the expression as its whole contents when it is a text or a multiline
// text. An entity that cannot be opened for write (a locked layer) is passed over, and a refused
// new contents is not reported: the other texts still change.
void writeExpression(AcDbObjectId id, const CString& expression) {
  AcDbEntity* entity = nullptr;
  if (acdbOpenAcDbEntity(entity, id, AcDb::kForWrite, false) != Acad::eOk)
    return;
  if (entity->isKindOf(AcDbText::desc()))
    AcDbText::cast(entity)->setTextString(expression);
  else if (entity->isKindOf(AcDbMText::desc()))
    AcDbMText::cast(entity)->setContents(expression);
  entity->close();
}

}  // namespace

// The expression is chosen first and the texts picked second; the document is locked only while
// they are written. Cancelling the dialog, an empty selection or a refused lock ends the command
// with nothing changed.
void DefineListVariable() {
  CZnToolsResOverride resources(g_hZantInstance);
  CZnDlgExpression dialog(CWnd::FromHandle(adsw_acadMainWnd()));
  InitVariableCatalogue();
  for (size_t i = 0; i < g_variableCatalogue.size(); ++i) {
    const ZANTProperty& variable = g_variableCatalogue[i];
    dialog.AddItem(variable.name, variable.unitKind, variable.description, i < kLeadingVariables,
                   static_cast<int>(i));
  }
  if (dialog.DoModal() != IDOK)
    return;
  const CString expression = dialog.GetExpression();

  AcDbObjectIdArray ids;
  SelectEntities(ids, nullptr, nullptr, false);
  if (ids.length() == 0)
    return;
  ZANTSmartLock lock;
  if (lock.status() != Acad::eOk)
    return;
  for (int i = 0; i < ids.length(); ++i)
    writeExpression(ids[i], expression);
}
