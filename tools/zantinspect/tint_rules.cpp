// The page's tint rules: what colours the host's page gives the entities whose template record
// matches, from the same colours and labels as the picture's legend.
#include "palette.h"
#include "record.h"
#include "reports.h"

namespace zinspect {

namespace {

// A group's value as a rule states it: a JSON string (ending in "*": any text that starts so)
// or null (any value).
struct Group {
  int code;
  std::string value;  // already JSON
};

std::string Rule(std::string_view colour, std::string_view label,
                 const std::vector<Group>& groups) {
  std::string out = "    {\"colour\": " + JsonString(colour) + ", \"label\": " + JsonString(label) +
                    ", \"application\": " + JsonString(kTemplateApp) + ", \"groups\": [";
  for (size_t i = 0; i < groups.size(); ++i) {
    out += (i ? ", [" : "[") + std::to_string(groups[i].code) + ", " + groups[i].value + "]";
  }
  return out + "]}";
}

// A record's groups: its key, a sub-key when it has one, and a value of any number.
std::vector<Group> RecordGroups(std::string_view key, std::string_view subKey = {}) {
  std::vector<Group> groups{{1000, JsonString(key)}};
  if (!subKey.empty())
    groups.push_back({1000, JsonString(subKey)});
  groups.push_back({1040, "null"});
  return groups;
}

}  // namespace

std::string TintRules(const TemplateView& view) {
  std::vector<std::string> rules;
  for (const Section& s : view.sections) {
    rules.push_back(
        Rule(SectionColour(s.id), s.title,
             s.id == "condition" ? RecordGroups(s.key, kConditionSubKey) : RecordGroups(s.key)));
  }
  // The drawing's footer parts in their colours, then any other number (a part made later) in
  // the colour the next part would get.
  const std::string_view footer = view.section("footer").key;
  size_t place = 0;
  for (const FooterPart& p : view.footerParts) {
    const std::string number = std::to_string(p.number);
    const std::string_view colour = PartColour(place++);
    for (std::string_view subKey : {kPartMasterSubKey, kPartSubKey})
      rules.push_back(
          Rule(colour, PartLabel(p.number), RecordGroups(footer, std::string(subKey) + number)));
  }
  // The member's sub-key starts the master's too.
  rules.push_back(Rule(PartColour(place), "Footer part, another number",
                       RecordGroups(footer, std::string(kPartSubKey) + "*")));
  std::string out = "{\n  \"title\": " + JsonString(kLegendTitle) + ",\n  \"rules\": [\n";
  for (size_t i = 0; i < rules.size(); ++i)
    out += rules[i] + (i + 1 < rules.size() ? ",\n" : "\n");
  return out + "  ],\n  \"others\": {\"colour\": " + JsonString(kOutsideColour) +
         ", \"label\": " + JsonString(kOutsideLabel) + "}\n}\n";
}

}  // namespace zinspect
