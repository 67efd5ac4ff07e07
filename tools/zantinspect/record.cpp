#include "record.h"

#include <array>
#include <charconv>
#include <limits>

namespace zinspect {

namespace {

struct KeyRole {
  std::string_view key;
  Role role;
};

// The section keys and the role of a record that carries one without a sub-key.
constexpr std::array<KeyRole, 7> kKeys = {{{"LIST_HEADER", Role::Header},
                                           {"LIST_SUBHEADER", Role::SubHeader},
                                           {"LIST_BODY", Role::Body},
                                           {"LIST_PATTERN_BODY", Role::PatternBody},
                                           {"LIST_FOOTER", Role::Footer},
                                           {"LIST_SUBFOOTER", Role::SubFooter},
                                           {"LIST_PAGE_FOOTER", Role::PageFooter}}};

// A part number as the writer prints it: signed 32-bit decimal, no sign but '-', no leading
// zeros, so that one number has one spelling and members find their master by text.
std::optional<std::int32_t> PartNumber(std::string_view text) {
  const std::string_view digits = text.starts_with('-') ? text.substr(1) : text;
  if (digits.empty() || (digits.size() > 1 && digits[0] == '0') || text == "-0")
    return std::nullopt;
  long long n = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (ec != std::errc() || end != text.data() + text.size() ||
      n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<std::int32_t>(n);
}

std::string Problem(std::string_view what, const std::string& detail) {
  return std::string(what) + detail;
}

// Fills the role and part of a record with a sub-key; false when the sub-key does not belong
// to the record's key.
bool ReadSubKey(Record& record) {
  const std::string_view sub = record.subKey;
  if (sub == kConditionSubKey) {
    record.role = Role::Condition;
    return record.key == "LIST_BODY";
  }
  for (auto [prefix, role] : {std::pair{kPartMasterSubKey, Role::FooterPartMaster},
                              std::pair{kPartSubKey, Role::FooterPartMember}}) {
    if (!sub.starts_with(prefix))
      continue;
    const auto number = PartNumber(sub.substr(prefix.size()));
    if (!number)
      return false;
    record.role = role;
    record.part = *number;
    return record.key == "LIST_FOOTER";
  }
  return false;
}

}  // namespace

ParsedRecord ParseRecord(const std::vector<RecordGroup>& groups) {
  if (groups.empty())
    return {std::nullopt, "the record holds nothing after the application name"};
  if (groups.size() > 3)
    return {std::nullopt,
            Problem("the record has ", std::to_string(groups.size()) +
                                           " groups after the application name, at most 3")};
  if (groups.front().code != 1000)
    return {std::nullopt, Problem("the first group has code ", std::to_string(groups.front().code) +
                                                                   ", not a section key (1000)")};
  Record record;
  record.key = groups.front().text;
  bool known = false;
  for (const KeyRole& k : kKeys) {
    if (k.key == record.key) {
      record.role = k.role;
      known = true;
    }
  }
  if (!known)
    return {std::nullopt, Problem("unknown section key \"", record.key + "\"")};
  const RecordGroup& last = groups.back();
  if (groups.size() == 1 || last.code != 1040)
    return {std::nullopt, "the record does not end with its value (1040)"};
  record.value = last.real;
  if (groups.size() == 3) {
    if (groups[1].code != 1000)
      return {std::nullopt, Problem("the sub-key group has code ",
                                    std::to_string(groups[1].code) + ", not 1000")};
    record.subKey = groups[1].text;
    if (!ReadSubKey(record))
      return {std::nullopt,
              Problem("sub-key \"", record.subKey + "\" does not fit the key " + record.key)};
  }
  return {record, {}};
}

}  // namespace zinspect

namespace zinspect {

std::string FormatReal(double value) {
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : std::string("?");
}

}  // namespace zinspect
