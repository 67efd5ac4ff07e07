#include "tintrules.h"

#include <cctype>
#include <cmath>
#include <fstream>
#include <iterator>
#include <optional>

#include "acutads.h"
#include "adscodes.h"
#include "dbmain.h"
#include "json.h"
#include "jsonvalue.h"
#include "zwin32/utf.h"

namespace zanthost::web {
namespace {

// One group a rule expects: its code and what its value must be.
struct GroupPattern {
  enum class Kind { kAny, kText, kPrefix, kNumber };
  int code = 0;
  Kind kind = Kind::kAny;
  std::u16string text;
  double number = 0;
};

bool IsStringCode(int code) {
  return code == 1000 || code == 1003 || code == 1005;
}

bool IsNumberCode(int code) {
  return (code >= 1040 && code <= 1042) || code == 1070 || code == 1071;
}

bool Matches(const GroupPattern& want, const resbuf* rb) {
  if (rb->restype != want.code)
    return false;
  switch (want.kind) {
    case GroupPattern::Kind::kAny:
      return true;
    case GroupPattern::Kind::kText:
      return IsStringCode(rb->restype) && rb->resval.rstring != nullptr &&
             std::u16string_view(rb->resval.rstring) == want.text;
    case GroupPattern::Kind::kPrefix:
      return IsStringCode(rb->restype) && rb->resval.rstring != nullptr &&
             std::u16string_view(rb->resval.rstring).starts_with(want.text);
    case GroupPattern::Kind::kNumber:
      if (rb->restype == 1070)
        return rb->resval.rint == want.number;
      if (rb->restype == 1071)
        return rb->resval.rlong == want.number;
      return rb->resval.rreal == want.number;
  }
  return false;
}

// A CSS colour the page can use as it is: "#" and six hexadecimal digits.
bool IsColour(const std::string* text) {
  if (text == nullptr || text->size() != 7 || (*text)[0] != '#')
    return false;
  for (size_t i = 1; i < 7; ++i) {
    if (!std::isxdigit(static_cast<unsigned char>((*text)[i])))
      return false;
  }
  return true;
}

std::unique_ptr<TintRules>& Active() {
  static std::unique_ptr<TintRules> rules;
  return rules;
}

}  // namespace

struct TintRules::Rule {
  std::u16string application;
  std::vector<GroupPattern> groups;
};

TintRules::TintRules() = default;
TintRules::~TintRules() = default;

std::unique_ptr<TintRules> TintRules::Read(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read the tint rules " + path;
    return nullptr;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  std::string problem;
  const std::optional<JsonValue> json = ParseJson(text, problem);
  auto refuse = [&](const std::string& why) {
    error = "the tint rules " + path + " are not usable: " + why;
    return nullptr;
  };
  if (!json)
    return refuse(problem);
  const JsonValue* list = json->member("rules");
  if (json->object() == nullptr || list == nullptr || list->array() == nullptr)
    return refuse("an object with a \"rules\" array is expected");

  std::unique_ptr<TintRules> made(new TintRules());
  std::string& legend = made->legend_;
  legend = "{\"title\":";
  const JsonValue* title = json->member("title");
  AppendJsonString(legend, title != nullptr && title->string() ? *title->string() : "");
  legend += ",\"rules\":[";
  for (size_t i = 0; i < list->array()->size(); ++i) {
    const JsonValue& item = (*list->array())[i];
    const std::string which = "rule " + std::to_string(i + 1);
    const JsonValue* colour = item.member("colour");
    const JsonValue* label = item.member("label");
    const JsonValue* application = item.member("application");
    const JsonValue* groups = item.member("groups");
    if (colour == nullptr || !IsColour(colour->string()))
      return refuse(which + ": \"colour\" must be \"#rrggbb\"");
    if (label == nullptr || label->string() == nullptr)
      return refuse(which + ": \"label\" must be a text");
    if (application == nullptr || application->string() == nullptr ||
        application->string()->empty())
      return refuse(which + ": \"application\" must name an application");
    if (groups == nullptr || groups->array() == nullptr)
      return refuse(which + ": \"groups\" must be an array");
    Rule rule{zwin32::FromUtf8(*application->string()), {}};
    for (const JsonValue& group : *groups->array()) {
      const JsonValue::Array* pair = group.array();
      const double* code = pair != nullptr && pair->size() == 2 ? (*pair)[0].number() : nullptr;
      if (code == nullptr || *code != std::floor(*code) || *code < 1000 || *code > 1071)
        return refuse(which + ": each group must be [code, value], code 1000 to 1071");
      GroupPattern pattern;
      pattern.code = static_cast<int>(*code);
      const JsonValue& value = (*pair)[1];
      if (const std::string* text = value.string()) {
        pattern.kind =
            text->ends_with('*') ? GroupPattern::Kind::kPrefix : GroupPattern::Kind::kText;
        pattern.text = zwin32::FromUtf8(pattern.kind == GroupPattern::Kind::kPrefix
                                            ? text->substr(0, text->size() - 1)
                                            : *text);
      } else if (const double* number = value.number()) {
        pattern.kind = GroupPattern::Kind::kNumber;
        pattern.number = *number;
      } else if (!value.isNull()) {
        return refuse(which + ": a group's value must be a text, a number or null");
      }
      if ((pattern.kind == GroupPattern::Kind::kText ||
           pattern.kind == GroupPattern::Kind::kPrefix) &&
          !IsStringCode(pattern.code))
        return refuse(which + ": a text value needs a code of texts (1000, 1003, 1005)");
      if (pattern.kind == GroupPattern::Kind::kNumber && !IsNumberCode(pattern.code))
        return refuse(which + ": a number value needs a code of numbers (1040-1042, 1070, 1071)");
      rule.groups.push_back(std::move(pattern));
    }
    made->rules_.push_back(std::move(rule));
    legend += i == 0 ? "{\"colour\":" : ",{\"colour\":";
    AppendJsonString(legend, *colour->string());
    legend += ",\"label\":";
    AppendJsonString(legend, *label->string());
    legend += '}';
  }
  legend += "],\"others\":";
  const JsonValue* others = json->member("others");
  if (others == nullptr || others->isNull()) {
    legend += "null";
  } else {
    const JsonValue* colour = others->member("colour");
    const JsonValue* label = others->member("label");
    if (colour == nullptr || !IsColour(colour->string()) || label == nullptr ||
        label->string() == nullptr)
      return refuse("\"others\" must have a \"colour\" (\"#rrggbb\") and a \"label\"");
    legend += "{\"colour\":";
    AppendJsonString(legend, *colour->string());
    legend += ",\"label\":";
    AppendJsonString(legend, *label->string());
    legend += '}';
  }
  legend += '}';
  return made;
}

int TintRules::match(const AcDbObject& object) const {
  // Each application's data is read once, however many rules name it.
  const std::u16string* application = nullptr;
  resbuf* data = nullptr;
  int found = -1;
  for (size_t i = 0; i < rules_.size() && found < 0; ++i) {
    const Rule& rule = rules_[i];
    if (application == nullptr || rule.application != *application) {
      acutRelRb(data);
      application = &rule.application;
      data = object.xData(application->c_str());
    }
    // The list starts with the 1001 group that names the application.
    const resbuf* rb = data == nullptr ? nullptr : data->rbnext;
    bool same = data != nullptr;
    for (const GroupPattern& group : rule.groups) {
      if (!same || rb == nullptr || !Matches(group, rb)) {
        same = false;
        break;
      }
      rb = rb->rbnext;
    }
    if (same && rb == nullptr)
      found = static_cast<int>(i);
  }
  acutRelRb(data);
  return found;
}

void SetPageTint(std::unique_ptr<TintRules> rules) {
  Active() = std::move(rules);
}

const TintRules* PageTint() {
  return Active().get();
}

}  // namespace zanthost::web
