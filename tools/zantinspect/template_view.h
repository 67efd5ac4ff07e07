// The list template that a drawing's records describe: sections with their entities, the body's
// distribution, footer parts, variable texts, and what a drafter should fix before sending the
// template on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "drawing.h"
#include "record.h"
#include "variable_texts.h"

namespace zinspect {

struct TaggedEntity {
  const Entity* entity;
  Record record;
};

struct Section {
  std::string_view id;     // "header", "sub-header", ... (also the JSON name)
  std::string_view title;  // as shown to a drafter
  std::string_view key;    // the record's section key
  std::vector<TaggedEntity> members;
};

struct FooterPart {
  std::int32_t number = 0;
  std::vector<TaggedEntity> masters;  // one when the part is sound
  std::vector<TaggedEntity> members;
};

struct Distribution {
  bool pattern = false;           // repeated objects at a distance, else regular
  std::vector<double> distances;  // the distinct distances of the repeated objects
};

struct VariableText {
  const Entity* entity;
  VariableUse use;
  bool inSection = false;
};

struct Warning {
  std::string handle;  // the entity concerned, empty for the template as a whole
  std::string message;
};

struct TemplateView {
  bool hasTemplate = false;             // some entity carries data of the template's application
  std::vector<Section> sections;        // every section, in list order, empty ones included
  std::vector<FooterPart> footerParts;  // by number
  Distribution distribution;
  std::vector<const Entity*> tagged;  // every entity with the application's data, in order
  std::vector<TaggedEntity> records;  // every record that parses, in drawing order
  std::vector<VariableText> variables;
  std::vector<Warning> warnings;

  const Section& section(std::string_view id) const;
};

// Sections in the order they appear in a list, with the role that puts an entity in each.
// Footer-part members and masters are in none of them: they form the footer parts.
TemplateView ViewTemplate(const Drawing& drawing);

}  // namespace zinspect
