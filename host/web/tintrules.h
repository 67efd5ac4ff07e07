// The page's tint: rules, given by the file of `zanthost --web --tint RULES.json`, that colour
// entities by their extended data. The host knows nothing of what the data means: a rule names
// an application and the exact groups its data holds, and the colour and legend label to show.
#pragma once

#include <memory>
#include <string>
#include <vector>

class AcDbObject;

namespace zanthost::web {

class TintRules {
 public:
  // The rules of a file:
  //   {"title": TEXT, "rules": [{"colour": "#rrggbb", "label": TEXT, "application": NAME,
  //                               "groups": [[CODE, VALUE], ...]}, ...],
  //    "others": {"colour": "#rrggbb", "label": TEXT}}
  // where a VALUE of null matches any value of the code, a text ending in "*" any text starting
  // so, another text that text and a number that number. "title" and "others" may be left out.
  // Null, with `error` saying what is wrong and where, when the file cannot be read or is not
  // such rules.
  static std::unique_ptr<TintRules> Read(const std::string& path, std::string& error);
  ~TintRules();

  // The index of the first rule that the object's data matches, or -1.
  int match(const AcDbObject& object) const;

  // {"title", "rules": [{"colour", "label"}], "others"} for the page, which colours each entity
  // by the index the host sends with it.
  const std::string& legend() const { return legend_; }

 private:
  struct Rule;
  TintRules();

  std::vector<Rule> rules_;
  std::string legend_;
};

// The rules the pages' drawing messages use (null: no tint). Set once, before the pages are
// served; the host's thread alone reads them.
void SetPageTint(std::unique_ptr<TintRules> rules);
const TintRules* PageTint();

}  // namespace zanthost::web
