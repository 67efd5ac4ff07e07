#include <cmath>
#include <sstream>

#include "reports.h"

namespace zinspect {

std::string JsonString(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (u < 0x20) {
      static const char kHex[] = "0123456789abcdef";
      out += "\\u00";
      out += kHex[u >> 4];
      out += kHex[u & 15];
    } else {
      out += c;
    }
  }
  return out + '"';
}

namespace {

// JSON has no infinity nor NaN, which a damaged record may hold.
std::string Real(double value) {
  return std::isfinite(value) ? FormatReal(value) : "null";
}

std::string Strings(const std::vector<std::string>& list) {
  std::string out = "[";
  for (size_t i = 0; i < list.size(); ++i)
    out += (i ? ", " : "") + JsonString(list[i]);
  return out + "]";
}

std::string EntityJson(const TaggedEntity& t) {
  const Entity& e = *t.entity;
  std::string out = "{\"handle\": " + JsonString(e.handle) + ", \"kind\": " + JsonString(e.kind) +
                    ", \"layer\": " + JsonString(e.layer);
  if (e.isText)
    out += ", \"text\": " + JsonString(e.text);
  return out + "}";
}

std::string EntityList(const std::vector<TaggedEntity>& list) {
  std::string out = "[";
  for (size_t i = 0; i < list.size(); ++i)
    out += (i ? ", " : "") + EntityJson(list[i]);
  return out + "]";
}

}  // namespace

std::string JsonReport(const Drawing& drawing, const TemplateView& view) {
  std::ostringstream out;
  out << "{\n  \"file\": " << JsonString(drawing.file)
      << ",\n  \"template\": " << (view.hasTemplate ? "true" : "false");
  // Every record as the drawing holds it (the groups after the application name), and what
  // it says when it parses.
  out << ",\n  \"records\": [";
  for (size_t i = 0; i < view.tagged.size(); ++i) {
    const Entity& e = *view.tagged[i];
    out << (i ? "," : "") << "\n    {\"handle\": " << JsonString(e.handle) << ", \"groups\": [";
    for (size_t g = 0; g < e.record->size(); ++g) {
      const RecordGroup& group = (*e.record)[g];
      out << (g ? ", " : "") << '[' << group.code << ", "
          << (group.numeric ? Real(group.real) : JsonString(group.text)) << ']';
    }
    out << ']';
    const ParsedRecord parsed = ParseRecord(*e.record);
    if (parsed.record) {
      const Record& r = *parsed.record;
      out << ", \"key\": " << JsonString(r.key)
          << ", \"sub_key\": " << (r.subKey.empty() ? "null" : JsonString(r.subKey))
          << ", \"value\": " << Real(r.value);
    } else {
      out << ", \"problem\": " << JsonString(parsed.problem);
    }
    out << '}';
  }
  out << "\n  ],\n  \"sections\": {";
  for (size_t i = 0; i < view.sections.size(); ++i) {
    const Section& s = view.sections[i];
    out << (i ? "," : "") << "\n    " << JsonString(s.id) << ": {\"key\": " << JsonString(s.key)
        << ", \"entities\": " << EntityList(s.members) << "}";
  }
  const Distribution& d = view.distribution;
  out << "\n  },\n  \"distribution\": {\"method\": " << (d.pattern ? "\"pattern\"" : "\"regular\"")
      << ", \"distances\": [";
  for (size_t i = 0; i < d.distances.size(); ++i)
    out << (i ? ", " : "") << Real(d.distances[i]);
  out << "]},\n  \"footer_parts\": [";
  for (size_t i = 0; i < view.footerParts.size(); ++i) {
    const FooterPart& p = view.footerParts[i];
    out << (i ? "," : "") << "\n    {\"number\": " << p.number
        << ", \"masters\": " << EntityList(p.masters) << ", \"members\": " << EntityList(p.members)
        << "}";
  }
  out << "\n  ],\n  \"variables\": [";
  for (size_t i = 0; i < view.variables.size(); ++i) {
    const VariableText& v = view.variables[i];
    out << (i ? "," : "") << "\n    {\"handle\": " << JsonString(v.entity->handle)
        << ", \"text\": " << JsonString(v.entity->text) << ", \"names\": " << Strings(v.use.names)
        << ", \"unknown\": " << Strings(v.use.unknown)
        << ", \"in_section\": " << (v.inSection ? "true" : "false") << "}";
  }
  out << "\n  ],\n  \"warnings\": [";
  for (size_t i = 0; i < view.warnings.size(); ++i) {
    const Warning& w = view.warnings[i];
    out << (i ? "," : "")
        << "\n    {\"handle\": " << (w.handle.empty() ? "null" : JsonString(w.handle))
        << ", \"message\": " << JsonString(w.message) << "}";
  }
  out << "\n  ]\n}\n";
  return out.str();
}

}  // namespace zinspect
