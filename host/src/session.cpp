#include "session.h"

#include "accmd.h"
#include "builtins.h"
#include "editorcommands.h"
#include "zacad/commandcontext.h"
#include "zacad/commandline.h"
#include "zacad/demandload.h"
#include "zacad/editorevents.h"
#include "zacad/menus.h"
#include "zwin32/utf.h"
#include "zacad/hostmessages.h"

namespace zanthost {
namespace {

std::u16string Upper(std::u16string text) {
  for (char16_t& c : text) {
    if (c >= u'a' && c <= u'z')
      c -= u'a' - u'A';
  }
  return text;
}

// A registered command named "GROUP.NAME" (the host's way to pick one group's command).
const AcEdCommand* LookupInGroup(std::u16string_view qualified) {
  size_t dot = qualified.find(u'.');
  if (dot == std::u16string_view::npos)
    return nullptr;
  const std::u16string group = Upper(std::u16string(qualified.substr(0, dot)));
  const std::u16string name = Upper(std::u16string(qualified.substr(dot + 1)));
  const AcEdCommand* found = nullptr;
  AcEdCommandIterator* it = acedRegCmds->iterator();
  for (; !it->done() && found == nullptr; it->next()) {
    if (Upper(it->commandGroup()) != group)
      continue;
    if (Upper(it->command()->globalName()) == name || Upper(it->command()->localName()) == name) {
      found = it->command();
    }
  }
  delete it;
  return found;
}

// Resolves a name as the host does and runs it. Returns false for an unknown name.
//   ".NAME"        the host's built-in, even if an application redefined the name
//   ".GROUP.NAME"  that group's command
//   "_NAME"        the global name ("._NAME" and "_.NAME" combine both)
//   otherwise      built-ins, then registered commands by local name, then by global name
bool RunNamed(std::u16string_view typed) {
  std::u16string_view name = typed;
  bool builtInOnly = false;
  bool globalOnly = false;
  for (int i = 0; i < 2 && !name.empty(); ++i) {
    if (name[0] == u'.' && !builtInOnly) {
      builtInOnly = true;
      name.remove_prefix(1);
    } else if (name[0] == u'_' && !globalOnly) {
      globalOnly = true;
      name.remove_prefix(1);
    }
  }
  if (name.empty())
    return false;
  if (const BuiltIn* builtIn = FindBuiltIn(name)) {
    zacad::RunCommand(builtIn->name, builtIn->run);
    return true;
  }
  const AcEdCommand* command = nullptr;
  if (builtInOnly) {
    command = LookupInGroup(name);
  } else {
    const std::u16string key(name);
    AcEdCommandStack* stack = acedRegCmds;
    if (!globalOnly)
      command = stack->lookupLocalCmd(key.c_str());
    if (command == nullptr)
      command = stack->lookupGlobalCmd(key.c_str());
  }
  // After the commands come the system variables, as in the host's name resolution.
  if (command == nullptr)
    return !builtInOnly && RunSystemVariable(name);
  zacad::RunRegisteredCommand(*command);
  return true;
}

// A toolbar button's macro runs after the command that clicked it, as input at the Command
// prompt; a wrong answer inside it ends the macro only.
void RunMenuMacros() {
  zacad::CommandLine& line = zacad::CommandLine::instance();
  while (std::optional<std::u16string> macro = zacad::TakeMenuMacro()) {
    line.pushSource(zacad::MakeStringSource(zacad::MacroInput(*macro)));
    RunCommandLoop();
    line.popSource();
    line.clearFailure();
  }
}

}  // namespace

bool RunCommandLoop() {
  zacad::CommandLine& line = zacad::CommandLine::instance();
  std::u16string last;
  while (!QuitRequested()) {
    line.expect({zacad::InputRequest::Kind::kCommand, std::nullopt, {}});
    zacad::Answer answer =
        line.read(zacad::Message(zacad::Msg::kCommandPrompt), zacad::AnswerMode::kToken);
    if (answer.kind == zacad::Answer::Kind::kEnd)
      break;
    if (!answer.ok())
      continue;
    // A bare Enter repeats the last command.
    std::u16string name = answer.text.empty() ? last : answer.text;
    if (name.empty())
      continue;
    // A name nobody has registered may belong to an application recorded for loading on
    // command; once loaded, it must have registered the name itself.
    if (RunNamed(name) || (zacad::demandLoadCommand(name) && RunNamed(name))) {
      last = name;
    } else {
      line.write(zacad::Message(zacad::Msg::kUnknownCommand, {Upper(name)}));
      zacad::FireUnknownCommand(name);
    }
    RunMenuMacros();
    if (line.inputFailed())
      return false;
  }
  return true;
}

}  // namespace zanthost
