// zanthost --web: the browser front end is a plug-in beside the program (libzanthostweb.so),
// loaded only when asked for, so that a host run without it carries neither the web server nor
// the TLS libraries that server links (about 2 MB of a process's memory, and their start-up).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zanthost {

class WebPlugin {
 public:
  // A --port value: a number from 0 (any free port) to 65535.
  static std::optional<int> ParsePort(std::string_view text);

  // Loads the plug-in and starts the front end on 127.0.0.1:port (web/webfrontend.h says what it
  // serves); null, with `error` set, when the plug-in cannot be loaded or the front end cannot
  // start.
  static std::unique_ptr<WebPlugin> Start(int port, const std::string& tintRules,
                                          std::string& error);

  // Stops the front end. The plug-in stays loaded: its server library may leave handlers behind
  // that must not outlive their code.
  ~WebPlugin();
  WebPlugin(const WebPlugin&) = delete;
  WebPlugin& operator=(const WebPlugin&) = delete;

 private:
  using Stop = void (*)(void*);
  WebPlugin(void* frontEnd, Stop stop) : frontEnd_(frontEnd), stop_(stop) {}

  void* frontEnd_;
  Stop stop_;
};

}  // namespace zanthost
