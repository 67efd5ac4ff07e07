#include "variables/variable_catalogue.h"

#include <iterator>

#include "outside/maker.h"

#include "module/module_state.h"

namespace {

// Unit kinds as the expression dialog reads them.
constexpr int kNoUnit = -1;
constexpr int kLength = 1;
constexpr int kWeight = 4;

struct VariableRow {
  const ACHAR* name;
  UINT promptId;
  int unitKind;
};

// The order is part of the dialog's interface: the first 14 rows form its leading group. The
// prompt ids follow the string table, not this order.
constexpr VariableRow kVariables[] = {
    {_T("PositionNum"), 13412, kNoUnit},
    {_T("RealDiameter"), 13411, kLength},
    {_T("SteelGrade"), 13414, kNoUnit},
    {_T("Adherence"), 13415, kNoUnit},
    {_T("Quantity"), 13432, kNoUnit},
    {_T("Length"), 13417, kLength},
    {_T("Weight"), 13418, kWeight},
    {_T("Label"), 13416, kNoUnit},
    {_T("EntityUserName"), 13431, kNoUnit},
    {_T("NominalDiameter"), 13434, kNoUnit},
    {_T("ElementQuantity"), 13435, kNoUnit},
    {_T("ElementDistances"), 13422, kNoUnit},
    {_T("ShapeCode"), 13413, kNoUnit},
    {_T("Schema"), 13424, kNoUnit},
    {_T("TotalLength"), 13426, kLength},
    {_T("WeightUnit"), 13427, kNoUnit},
    {_T("TotalWeight"), 13429, kWeight},
    {_T("Color"), 13433, kNoUnit},
    {_T("ProjectName"), 13419, kNoUnit},
    {_T("ProjectNumber"), 13459, kNoUnit},
    {_T("InvestorName"), 13421, kNoUnit},
    {_T("BuildingName"), 13461, kNoUnit},
    {_T("BuildingLocation"), 13462, kNoUnit},
    {_T("Contractor"), 13463, kNoUnit},
    {_T("OrderDate"), 13464, kNoUnit},
    {_T("Designer"), 13465, kNoUnit},
    {_T("ConstructionDate"), 13466, kNoUnit},
    {_T("Detailer"), 13467, kNoUnit},
    {_T("SheetName"), 13423, kNoUnit},
    {_T("PlanNumber"), 13425, kNoUnit},
    {_T("IsLinearUnit"), 13436, kNoUnit},
    {_T("IsBar"), 13430, kNoUnit},
    {_T("HasTextSchema"), 13437, kNoUnit},
    {_T("TextSchema"), 13438, kNoUnit},
    {_T("ElementViewName"), 13445, kNoUnit},
    {_T("AltSup"), 13446, kNoUnit},
    {_T("AltInf"), 13447, kNoUnit},
    {_T("AltSupLevel"), 13448, kNoUnit},
    {_T("AltInfLevel"), 13449, kNoUnit},
    {_T("PageNum"), 13450, kNoUnit},
    {_T("TotalPages"), 13451, kNoUnit},
    // The index suffix is part of these names: nothing parses or varies it.
    {_T("SegmentLength[0]"), 13452, kNoUnit},
    {_T("AngleIn[0]"), 13453, kNoUnit},
    {_T("AngleOut[0]"), 13454, kNoUnit},
    {_T("IsBended"), 13458, kNoUnit},
};
static_assert(std::size(kVariables) == 45);

}  // namespace

std::vector<ZANTProperty> g_variableCatalogue;

ZANTProperty::ZANTProperty(const ACHAR* name, UINT promptId, int unitKind)
    : name(name), unitKind(unitKind) {
  // The prompt database is tried first; this module's string table answers when it lacks the id.
  CZnToolsResOverride resources(g_hZantInstance);
  CString text;
  if (ZnPrompts::getPrompt(text, promptId, kZantPromptProject, 0) != 0)
    description = text;
}

ZANTProperty::~ZANTProperty() = default;

void InitVariableCatalogue() {
  g_variableCatalogue.clear();
  for (const VariableRow& row : kVariables)
    g_variableCatalogue.push_back(ZANTProperty(row.name, row.promptId, row.unitKind));
}
