// The template record: which section of the list an entity belongs to, read back from the groups
// that the capture commands write after the application name "ZANT_LIST_TEMPLATE".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "drawing.h"

namespace zinspect {

inline constexpr std::string_view kTemplateApp = "ZANT_LIST_TEMPLATE";
// Sub-keys: a body record's display condition; a footer part's member and master, each followed
// by the part's number.
inline constexpr std::string_view kConditionSubKey = "LIST_PATTERN_CONDITION";
inline constexpr std::string_view kPartSubKey = "LIST_FOOTER_PART";
inline constexpr std::string_view kPartMasterSubKey = "LIST_FOOTER_PART_MASTER";

// Where a record puts its entity. Footer parts are footer members that a sub-key groups.
enum class Role {
  Header,
  SubHeader,
  Body,
  PatternBody,
  Condition,
  Footer,
  SubFooter,
  PageFooter,
  FooterPartMember,
  FooterPartMaster
};

struct Record {
  std::string key;
  std::string subKey;  // empty when the record has none
  double value = 0;
  Role role = Role::Header;
  std::int32_t part = 0;  // footer parts: the number that ties members to their master
};

struct ParsedRecord {
  std::optional<Record> record;
  std::string problem;  // why the groups are not a record, when they are not
};

// Groups (code 1000 key, optional 1000 sub-key, 1040 value) as they follow the 1001 group.
ParsedRecord ParseRecord(const std::vector<RecordGroup>& groups);

}  // namespace zinspect

namespace zinspect {

// The shortest text that reads back as the same double ("20", "0.5", "1e-30").
std::string FormatReal(double value);

}  // namespace zinspect
