#include <iomanip>
#include <sstream>

#include "reports.h"

namespace zinspect {

namespace {

void Line(std::ostringstream& out, const TaggedEntity& t, std::string_view indent = "  ") {
  const Entity& e = *t.entity;
  std::ostringstream row;
  row << indent << std::left << std::setw(9) << e.handle << std::setw(11) << e.kind << std::setw(12)
      << e.layer;
  if (e.lockedLayer)
    row << "(locked) ";
  if (e.isText)
    row << '"' << e.text << '"';
  std::string text = row.str();
  text.erase(text.find_last_not_of(' ') + 1);
  out << text << '\n';
}

std::string Count(size_t n) {
  return std::to_string(n) + (n == 1 ? " entity" : " entities");
}

}  // namespace

std::string TextReport(const Drawing& drawing, const TemplateView& view) {
  std::ostringstream out;
  if (!view.hasTemplate) {
    out << "No list template in " << drawing.file << ".\n";
    return out.str();
  }
  out << "List template in " << drawing.file << "\n\n";
  const Distribution& d = view.distribution;
  out << "Body distribution: ";
  if (!d.pattern) {
    out << "regular\n";
  } else {
    out << "pattern, repeated objects every ";
    for (size_t i = 0; i < d.distances.size(); ++i)
      out << (i ? " or " : "") << FormatReal(d.distances[i]);
    out << (d.distances.empty() ? "(no distance)\n" : "\n");
  }
  const Section& condition = view.section("condition");
  out << "Display condition: ";
  if (condition.members.empty())
    out << "none\n";
  for (const TaggedEntity& t : condition.members)
    Line(out, t, "");

  for (const Section& s : view.sections) {
    out << '\n' << s.title << " (" << s.key << "): ";
    if (!s.members.empty())
      out << Count(s.members.size()) << '\n';
    else if (s.id == "footer" && !view.footerParts.empty())
      out << "no entity outside its parts\n";
    else
      out << "no entity\n";
    for (const TaggedEntity& t : s.members)
      Line(out, t);
  }
  for (const FooterPart& part : view.footerParts) {
    out << "\nFooter part " << part.number << ": " << Count(part.members.size()) << ", master ";
    if (part.masters.empty())
      out << "missing\n";
    else
      Line(out, part.masters.front(), "");
    for (const TaggedEntity& t : part.members)
      Line(out, t);
  }
  if (!view.variables.empty()) {
    out << "\nVariable texts:\n";
    for (const VariableText& v : view.variables) {
      out << "  " << std::left << std::setw(9) << v.entity->handle << '"' << v.entity->text
          << "\": ";
      for (size_t i = 0; i < v.use.names.size(); ++i)
        out << (i ? ", " : "") << v.use.names[i];
      for (size_t i = 0; i < v.use.unknown.size(); ++i)
        out << (i || !v.use.names.empty() ? ", " : "") << v.use.unknown[i] << " (unknown)";
      out << '\n';
    }
  }
  out << '\n';
  if (view.warnings.empty()) {
    out << "No warnings.\n";
  } else {
    out << "Warnings (" << view.warnings.size() << "):\n";
    for (const Warning& w : view.warnings)
      out << "  - " << (w.handle.empty() ? "" : w.handle + ": ") << w.message << '\n';
  }
  return out.str();
}

}  // namespace zinspect
