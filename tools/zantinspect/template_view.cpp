#include "template_view.h"

#include <algorithm>
#include <array>
#include <map>

namespace zinspect {

namespace {

struct SectionRow {
  Role role;
  std::string_view id;
  std::string_view title;
  std::string_view key;
  bool expected;  // an empty one is worth a warning (the others depend on the body's choices)
};

constexpr std::array<SectionRow, 8> kSections = {{
    {Role::Header, "header", "Header", "LIST_HEADER", true},
    {Role::SubHeader, "sub-header", "Second-level header", "LIST_SUBHEADER", true},
    {Role::Body, "body", "Body", "LIST_BODY", true},
    {Role::PatternBody, "pattern-body", "Repeated objects", "LIST_PATTERN_BODY", false},
    {Role::Condition, "condition", "Display condition", "LIST_BODY", false},
    {Role::Footer, "footer", "Footer", "LIST_FOOTER", true},
    {Role::SubFooter, "sub-footer", "Second-level footer", "LIST_SUBFOOTER", true},
    {Role::PageFooter, "page-footer", "Page footer", "LIST_PAGE_FOOTER", true},
}};

// The host's test for a distance that is not zero.
bool NonZero(double distance) {
  return distance * distance > 1e-20;
}

std::string Handles(const std::vector<TaggedEntity>& list) {
  std::string out;
  for (const TaggedEntity& t : list)
    out += (out.empty() ? "" : ", ") + t.entity->handle;
  return out;
}

class Builder {
 public:
  explicit Builder(TemplateView& view) : view_(view) {}

  void add(const Entity& e) {
    if (!e.record)
      return;
    view_.hasTemplate = true;
    view_.tagged.push_back(&e);
    const ParsedRecord parsed = ParseRecord(*e.record);
    if (!parsed.record) {
      warn(e.handle, "its template record does not parse: " + parsed.problem);
      return;
    }
    const Record& r = *parsed.record;
    if (e.erased)
      warn(e.handle, "erased, but still tagged " + describe(r));
    if (!e.taggable)
      warn(e.handle, "a " + e.kind + " tagged " + describe(r) +
                         ": the capture commands never tag this kind, the list generator may "
                         "not draw it");
    const TaggedEntity tagged{&e, r};
    view_.records.push_back(tagged);
    if (r.role == Role::FooterPartMember || r.role == Role::FooterPartMaster) {
      FooterPart& part = parts_[r.part];
      part.number = r.part;
      (r.role == Role::FooterPartMaster ? part.masters : part.members).push_back(tagged);
      return;
    }
    for (Section& s : view_.sections) {
      if (s.id == rowOf(r.role).id)
        s.members.push_back(tagged);
    }
  }

  void finish(const Drawing& drawing) {
    for (auto& [number, part] : parts_)
      view_.footerParts.push_back(part);
    if (view_.hasTemplate)
      checkSections();
    checkDistribution();
    checkFooterParts();
    findVariables(drawing);
  }

 private:
  static const SectionRow& rowOf(Role role) {
    return *std::find_if(kSections.begin(), kSections.end(),
                         [role](const SectionRow& row) { return row.role == role; });
  }

  static std::string describe(const Record& r) {
    return r.key + (r.subKey.empty() ? "" : " " + r.subKey);
  }

  void warn(std::string handle, std::string message) {
    view_.warnings.push_back({std::move(handle), std::move(message)});
  }

  void checkSections() {
    for (const SectionRow& row : kSections) {
      const Section& s = view_.section(row.id);
      const bool footerByParts = row.role == Role::Footer && !view_.footerParts.empty();
      if (row.expected && s.members.empty() && !footerByParts)
        warn({}, std::string(row.title) + " (" + std::string(row.key) + "): no entity");
    }
  }

  void checkDistribution() {
    const Section& repeated = view_.section("pattern-body");
    const Section& body = view_.section("body");
    const Section& condition = view_.section("condition");
    Distribution& d = view_.distribution;
    d.pattern = !repeated.members.empty();
    for (const TaggedEntity& t : repeated.members) {
      if (!NonZero(t.record.value))
        warn(t.entity->handle, "a repeated object without distance: the pattern cannot repeat");
      else if (std::find(d.distances.begin(), d.distances.end(), t.record.value) ==
               d.distances.end())
        d.distances.push_back(t.record.value);
    }
    if (d.distances.size() > 1) {
      std::string list;
      for (double v : d.distances)
        list += (list.empty() ? "" : ", ") + FormatReal(v);
      warn({}, "the repeated objects disagree on the distance: " + list);
    }
    if (d.pattern && body.members.empty())
      warn({}, "repeated objects without a body");
    if (condition.members.size() > 1)
      warn({}, std::to_string(condition.members.size()) +
                   " display conditions where a body has one: " + Handles(condition.members));
    // The body command stores the pattern's distance on the condition too (0 when regular).
    const double expected = d.distances.size() == 1 ? d.distances.front() : 0.0;
    for (const TaggedEntity& t : condition.members) {
      if (d.distances.size() <= 1 && t.record.value != expected)
        warn(t.entity->handle, "the display condition carries the distance " +
                                   FormatReal(t.record.value) + ", the body's is " +
                                   FormatReal(expected));
    }
  }

  void checkFooterParts() {
    for (const FooterPart& part : view_.footerParts) {
      const std::string name = "footer part " + std::to_string(part.number);
      if (part.masters.empty())
        warn({}, name + " has no master: nothing says when to show it");
      if (part.masters.size() > 1)
        warn({}, name + " has " + std::to_string(part.masters.size()) +
                     " masters: " + Handles(part.masters));
      if (part.members.empty())
        warn({}, name + " has a master but no member");
      for (const TaggedEntity& m : part.masters) {
        if (!m.entity->isText)
          warn(m.entity->handle, name + ": its master is a " + m.entity->kind + ", not a text");
        // The number is the master's handle (low 32 bits): a copied template gets new handles.
        const auto fromHandle = static_cast<std::int32_t>(m.entity->handleValue & 0xFFFFFFFFu);
        if (fromHandle != part.number)
          warn(m.entity->handle, name + ": its master's handle gives the number " +
                                     std::to_string(fromHandle) +
                                     " (was the template copied from another drawing?)");
      }
    }
  }

  void findVariables(const Drawing& drawing) {
    std::map<const Entity*, bool> inSection;
    for (const TaggedEntity& t : view_.records)
      inSection[t.entity] = true;
    for (const Entity& e : drawing.entities) {
      if (!e.isText || e.erased)
        continue;
      VariableUse use = FindVariables(e.text);
      if (!use.any())
        continue;
      const bool tagged = inSection.count(&e) != 0;
      for (const std::string& name : use.unknown) {
        const std::string_view nearest = NearestName(name);
        warn(e.handle, "\"" + name + "\" is not a variable name the list generator knows" +
                           (nearest.empty() ? "" : " (" + std::string(nearest) + "?)"));
      }
      if (view_.hasTemplate && !tagged)
        warn(e.handle, "a variable text in no section: the list generator will not see it");
      view_.variables.push_back({&e, std::move(use), tagged});
    }
  }

  TemplateView& view_;
  std::map<std::int32_t, FooterPart> parts_;
};

}  // namespace

const Section& TemplateView::section(std::string_view id) const {
  return *std::find_if(sections.begin(), sections.end(),
                       [id](const Section& s) { return s.id == id; });
}

TemplateView ViewTemplate(const Drawing& drawing) {
  TemplateView view;
  for (const SectionRow& row : kSections)
    view.sections.push_back({row.id, row.title, row.key, {}});
  Builder builder(view);
  for (const Entity& e : drawing.entities)
    builder.add(e);
  builder.finish(drawing);
  return view;
}

}  // namespace zinspect
