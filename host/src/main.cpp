// zanthost: loads applications with the dynamic linker and runs commands from the terminal or
// a script, as the host program does.
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dbapserv.h"
#include "drawingcommands.h"
#include "hostservices.h"
#include "rxdlinkr.h"
#include "session.h"
#include "webplugin.h"
#include "zacad/applications.h"
#include "zacad/commandline.h"
#include "zacad/documents.h"
#include "zacad/demandload.h"
#include "zwin32/utf.h"

namespace {

const char kUsage[] =
    "usage: zanthost [--load FILE.arx]... [--script FILE.scr |\n"
    "                --web [--port N] [--tint RULES.json]] [--help] [DRAWING.dxf]\n"
    "  --load FILE.arx   load an application before the first command (repeatable)\n"
    "  --script FILE.scr run a script, then quit; without it, commands come from the terminal\n"
    "  --web             serve the drawing to a browser page on this machine (127.0.0.1);\n"
    "                    commands then come from the page\n"
    "  --port N          the page's port (default 8400; 0 picks a free one)\n"
    "  --tint RULES.json the page tints entities by their extended data with these rules\n"
    "  DRAWING.dxf       open this drawing at start\n";

// Exit statuses.
constexpr int kOk = 0;
constexpr int kScriptFailed = 1;  // the script could not be read or stopped on bad input
constexpr int kBadStart = 2;      // wrong arguments or an application that would not load

constexpr int kDefaultWebPort = 8400;

bool LoadAtStart(const std::string& file) {
  try {
    if (acrxDynamicLinker->loadModule(zwin32::FromUtf8(file).c_str(), false))
      return true;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zanthost: %s\n", e.what());
  } catch (...) {
  }
  std::fprintf(stderr, "zanthost: cannot load application \"%s\"\n", file.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> loads;
  std::string script;
  std::string drawing;
  bool web = false;
  std::optional<int> port;
  std::string tint;
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kUsage, stdout);
      return kOk;
    } else if (std::strcmp(argv[i], "--load") == 0 && hasValue) {
      loads.push_back(argv[++i]);
    } else if (std::strcmp(argv[i], "--script") == 0 && hasValue && script.empty()) {
      script = argv[++i];
    } else if (std::strcmp(argv[i], "--tint") == 0 && hasValue && tint.empty()) {
      tint = argv[++i];
    } else if (std::strcmp(argv[i], "--web") == 0) {
      web = true;
    } else if (std::strcmp(argv[i], "--port") == 0 && hasValue && !port &&
               (port = zanthost::WebPlugin::ParsePort(argv[i + 1]))) {
      ++i;
    } else if (argv[i][0] != '-' && drawing.empty()) {
      drawing = argv[i];
    } else {
      std::fprintf(stderr, "zanthost: unexpected argument \"%s\"\n%s", argv[i], kUsage);
      return kBadStart;
    }
  }
  if ((web && !script.empty()) || ((port || !tint.empty()) && !web)) {
    std::fprintf(stderr, "zanthost: --port and --tint go with --web, which excludes --script\n%s",
                 kUsage);
    return kBadStart;
  }

  zacad::CommandLine& line = zacad::CommandLine::instance();
  HostServices services;
  acdbSetHostApplicationServices(&services);

  // Applications recorded for loading at start-up come first, as the host loads them before
  // anything the user asks for.
  zacad::loadStartupApplications();
  int status = kOk;
  if (!drawing.empty() && !zanthost::OpenDrawingAtStart(drawing))
    status = kBadStart;
  for (const std::string& file : loads) {
    if (!LoadAtStart(file))
      status = kBadStart;
  }
  std::unique_ptr<zanthost::WebPlugin> page;
  if (status == kOk) {
    if (web) {
      std::string error;
      page = zanthost::WebPlugin::Start(port.value_or(kDefaultWebPort), tint, error);
      if (!page) {
        std::fprintf(stderr, "zanthost: %s\n", error.c_str());
        status = kBadStart;
      }
    } else if (script.empty()) {
      line.pushSource(zacad::MakeTerminalSource());
    } else {
      std::string error;
      auto source = zacad::MakeScriptSource(script, error);
      if (source) {
        line.pushSource(std::move(source));
      } else {
        std::fprintf(stderr, "zanthost: %s\n", error.c_str());
        status = kScriptFailed;
      }
    }
  }
  if (status == kOk && !zanthost::RunCommandLoop()) {
    std::fprintf(stderr, "zanthost: script stopped at %s: %s\n", line.failedAt().c_str(),
                 zwin32::ToUtf8(line.failure()).c_str());
    status = kScriptFailed;
  }
  // Every application hears that the host is going away.
  zacad::unloadAllApplications();
  zacad::CloseAllDocuments();
  line.write(u"\n");
  page.reset();
  acdbSetHostApplicationServices(nullptr);
  return status;
}
