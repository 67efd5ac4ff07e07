#include "variable_catalogue.h"

#include <algorithm>
#include <array>

namespace zinspect {

namespace {

// Names are exact, case and the "[0]" index included: the generator matches them so.
constexpr std::array<std::string_view, 45> kNames = {"PositionNum",      "RealDiameter",
                                                     "SteelGrade",       "Adherence",
                                                     "Quantity",         "Length",
                                                     "Weight",           "Label",
                                                     "EntityUserName",   "NominalDiameter",
                                                     "ElementQuantity",  "ElementDistances",
                                                     "ShapeCode",        "Schema",
                                                     "TotalLength",      "WeightUnit",
                                                     "TotalWeight",      "Color",
                                                     "ProjectName",      "ProjectNumber",
                                                     "InvestorName",     "BuildingName",
                                                     "BuildingLocation", "Contractor",
                                                     "OrderDate",        "Designer",
                                                     "ConstructionDate", "Detailer",
                                                     "SheetName",        "PlanNumber",
                                                     "IsLinearUnit",     "IsBar",
                                                     "HasTextSchema",    "TextSchema",
                                                     "ElementViewName",  "AltSup",
                                                     "AltInf",           "AltSupLevel",
                                                     "AltInfLevel",      "PageNum",
                                                     "TotalPages",       "SegmentLength[0]",
                                                     "AngleIn[0]",       "AngleOut[0]",
                                                     "IsBended"};

}  // namespace

std::span<const std::string_view> VariableNames() {
  return kNames;
}

bool IsVariableName(std::string_view name) {
  return std::find(kNames.begin(), kNames.end(), name) != kNames.end();
}

}  // namespace zinspect
