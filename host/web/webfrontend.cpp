#include "webfrontend.h"

#include <cstdio>
#include <filesystem>

#include "changetracker.h"
#include "dialogmirror.h"
#include "pagesource.h"
#include "tintrules.h"
#include "webserver.h"
#include "zacad/commandline.h"
#include "zwin32/utf.h"

namespace zanthost::web {
namespace {

void WriteToTerminal(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

// The page's files are installed in the program's folder, as a Windows program keeps its own
// files beside it.
std::filesystem::path PageFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return program.parent_path() / "web";
}

}  // namespace

std::unique_ptr<WebFrontEnd> WebFrontEnd::Start(int port, const std::string& tintRules,
                                                std::string& error) {
  const std::filesystem::path folder = PageFolder();
  if (!std::filesystem::is_regular_file(folder / "index.html")) {
    error = "the page's files are missing (" + (folder / "index.html").string() + ")";
    return nullptr;
  }
  if (!tintRules.empty()) {
    std::unique_ptr<TintRules> rules = TintRules::Read(tintRules, error);
    if (!rules)
      return nullptr;
    SetPageTint(std::move(rules));
  }
  std::unique_ptr<WebFrontEnd> front(new WebFrontEnd());
  front->server_ = WebServer::Start(port, folder.string(), error);
  if (!front->server_)
    return nullptr;

  zacad::CommandLine& line = zacad::CommandLine::instance();
  WebServer* server = front->server_.get();
  line.setOutput([server](std::string_view text) {
    WriteToTerminal(text);
    server->broadcastOutput(text);
  });
  line.write(u"The drawing is served at http://127.0.0.1:" +
             zwin32::FromUtf8(std::to_string(server->port())) +
             u"/ (commands come from the page; Ctrl-C here ends the host)\n");
  front->dialogs_ = std::make_unique<DialogMirror>(*server);
  front->changes_ = std::make_unique<ChangeTracker>(*server);
  auto source = std::make_unique<PageSource>(*server, *front->dialogs_);
  front->source_ = source.get();
  line.pushSource(std::move(source));
  return front;
}

WebFrontEnd::~WebFrontEnd() {
  zacad::CommandLine& line = zacad::CommandLine::instance();
  if (source_ != nullptr && line.source() == source_)
    line.popSource();
  line.setOutput(WriteToTerminal);
}

}  // namespace zanthost::web

zanthost::web::WebFrontEnd* ZanthostStartWebFrontEnd(int port, const std::string& tintRules,
                                                     std::string& error) {
  return zanthost::web::WebFrontEnd::Start(port, tintRules, error).release();
}

void ZanthostStopWebFrontEnd(zanthost::web::WebFrontEnd* frontEnd) {
  delete frontEnd;
}
