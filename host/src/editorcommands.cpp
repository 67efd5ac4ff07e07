#include "editorcommands.h"

#include <string>

#include "acedads.h"
#include "zacad/commandcontext.h"

namespace zanthost {
namespace {

// SELECT makes a selection that later commands take with "P".
void Select() {
  ads_name ss;
  if (acedSSGet(nullptr, nullptr, nullptr, nullptr, ss) == RTNORM)
    acedSSFree(ss);
}

const BuiltIn kSelect = {u"SELECT", Select};

std::u16string Upper(std::u16string_view name) {
  std::u16string upper(name);
  for (char16_t& c : upper) {
    if (c >= u'a' && c <= u'z')
      c -= u'a' - u'A';
  }
  return upper;
}

std::u16string Text(const std::string& narrow) {
  return std::u16string(narrow.begin(), narrow.end());
}

// Asks for the variable's new value; Enter keeps the current one.
void AskValue(const std::u16string& name, const resbuf& current) {
  resbuf value = current;
  int status;
  if (current.restype == RTSHORT) {
    const std::u16string prompt = u"\nEnter new value for " + name + u" <" +
                                  Text(std::to_string(current.resval.rint)) + u">: ";
    int number = 0;
    status = acedGetInt(prompt.c_str(), &number);
    value.resval.rint = static_cast<short>(number);
  } else {
    const std::u16string prompt = u"\nEnter new value for " + name + u": ";
    status = acedGetPoint(nullptr, prompt.c_str(), value.resval.rpoint);
  }
  if (status == RTNORM && acedSetVar(name.c_str(), &value) != RTNORM)
    acutPrintf(u"\nValue out of range for %s.\n", name.c_str());
}

}  // namespace

const BuiltIn* FindEditorCommand(std::u16string_view name) {
  return Upper(name) == kSelect.name ? &kSelect : nullptr;
}

bool RunSystemVariable(std::u16string_view name) {
  const std::u16string upper = Upper(name);
  resbuf current = {};
  if (acedGetVar(upper.c_str(), &current) != RTNORM)
    return false;
  zacad::RunCommand(upper, [&] { AskValue(upper, current); });
  return true;
}

}  // namespace zanthost
