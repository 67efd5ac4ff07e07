// zanthost --web: the drawing served to a browser page on this machine, the page being the
// command line's input source while the terminal keeps showing the output.
#pragma once

#include <memory>
#include <string>

namespace zanthost::web {

class ChangeTracker;
class DialogMirror;
class PageSource;
class WebServer;

class WebFrontEnd {
 public:
  // Serves the page files installed beside zanthost (folder "web") on 127.0.0.1:port, prints
  // the page's address, sends the command line's output, modal dialogs and each command's
  // changes to the pages (the terminal keeps showing the output) and pushes the page's input
  // source. `tintRules` (a file, or empty for none) tints entities by their extended data (see
  // tintrules.h). Null, with `error` set, when the page files are missing, the rules cannot be
  // used or the port cannot be had.
  static std::unique_ptr<WebFrontEnd> Start(int port, const std::string& tintRules,
                                            std::string& error);

  // Pops the page's input source, gives the terminal back its output alone and stops serving.
  ~WebFrontEnd();
  WebFrontEnd(const WebFrontEnd&) = delete;
  WebFrontEnd& operator=(const WebFrontEnd&) = delete;

 private:
  WebFrontEnd() = default;

  std::unique_ptr<WebServer> server_;
  std::unique_ptr<DialogMirror> dialogs_;   // goes before the server it sends through
  std::unique_ptr<ChangeTracker> changes_;  // likewise
  PageSource* source_ = nullptr;            // owned by the command line while pushed
};

}  // namespace zanthost::web

// The plug-in's entry points, looked up by name when zanthost is asked for --web (webplugin.h):
// the front end started (null with `error` set), and stopped.
extern "C" __attribute__((visibility("default"))) zanthost::web::WebFrontEnd*
ZanthostStartWebFrontEnd(int port, const std::string& tintRules, std::string& error);
extern "C" __attribute__((visibility("default"))) void ZanthostStopWebFrontEnd(
    zanthost::web::WebFrontEnd* frontEnd);
