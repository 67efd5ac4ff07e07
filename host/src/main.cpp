// zanthost: the host program's entry point.
#include <cstdio>
#include <cstring>
#include <string>

#include "zacad/commandline.h"

int main(int argc, char** argv) {
  std::string script;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--script") == 0 && i + 1 < argc) {
      script = argv[++i];
    } else {
      std::fprintf(stderr, "usage: zanthost [--script FILE.scr]\n");
      return 2;
    }
  }
  zacad::CommandLine& commandLine = zacad::CommandLine::instance();
  if (script.empty()) {
    commandLine.pushSource(zacad::MakeTerminalSource());
  } else {
    std::string error;
    auto source = zacad::MakeScriptSource(script, error);
    if (!source) {
      std::fprintf(stderr, "zanthost: %s\n", error.c_str());
      return 1;
    }
    commandLine.pushSource(std::move(source));
  }
  for (;;) {
    zacad::Answer answer = commandLine.read(u"\nCommand: ", zacad::AnswerMode::kToken);
    if (answer.kind == zacad::Answer::Kind::kEnd)
      break;
    if (!answer.ok() || answer.text.empty())
      continue;
    std::u16string name = answer.text;
    for (auto& c : name)
      c = (c >= u'a' && c <= u'z') ? c - 32 : c;
    if (name == u"QUIT" || name == u"EXIT")
      break;
    commandLine.write(u"Unknown command \"" + name + u"\".  Press F1 for help.\n");
  }
  return 0;
}
