// mkprompts: builds the prompt database of one prompt project at build time.
//
//   mkprompts --project NAME --res FILE.res [--translation LANGID FILE]... --output FILE
//
// The string tables and dialog templates of the compiled resource file give the texts in the
// languages the resources declare; each translation file adds or replaces the texts of one
// language (LANGID in decimal or 0x hexadecimal). The database is written atomically. Exit
// status 0 on success, 1 with a message on stderr on any error, 2 on a usage error.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "PromptSet.h"
#include "ResourceTexts.h"
#include "TranslationFile.h"
#include "zwin32/utf.h"

namespace {

struct Options {
  std::string project;
  std::string res;
  std::vector<std::pair<unsigned, std::string>> translations;
  std::string output;
};

[[noreturn]] void Usage(const std::string& problem) {
  std::fprintf(stderr,
               "mkprompts: %s\n"
               "usage: mkprompts --project NAME --res FILE.res [--translation LANGID FILE]... "
               "--output FILE\n",
               problem.c_str());
  std::exit(2);
}

unsigned ParseLanguage(const std::string& text) {
  char* end = nullptr;
  const unsigned long value = std::strtoul(text.c_str(), &end, 0);
  if (text.empty() || *end != '\0' || value == 0 || value > 0xFFFF) {
    Usage("bad language id \"" + text + "\"");
  }
  return static_cast<unsigned>(value);
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) {
        Usage(std::string(arg) + " needs a value");
      }
      return argv[++i];
    };
    if (arg == "--project") {
      options.project = value();
    } else if (arg == "--res") {
      options.res = value();
    } else if (arg == "--output") {
      options.output = value();
    } else if (arg == "--translation") {
      const unsigned language = ParseLanguage(value());
      options.translations.emplace_back(language, value());
    } else {
      Usage("unknown argument \"" + std::string(arg) + "\"");
    }
  }
  if (options.project.empty() || options.res.empty() || options.output.empty()) {
    Usage("--project, --res and --output are required");
  }
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseOptions(argc, argv);
  try {
    zmaker::PromptSet prompts = zmaker::ReadResourceTexts(options.res);
    for (const auto& [language, path] : options.translations) {
      zmaker::Translation translation = zmaker::ReadTranslationFile(path);
      for (auto& [id, text] : translation.strings) {
        prompts.strings[{id, language}] = std::move(text);
      }
      for (auto& [key, text] : translation.dialogTexts) {
        prompts.dialogTexts[{key.first, key.second, language}] = std::move(text);
      }
    }
    zmaker::WritePromptDatabase(options.output, zwin32::FromUtf8(options.project), prompts);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "mkprompts: %s\n", e.what());
    return 1;
  }
  return 0;
}
