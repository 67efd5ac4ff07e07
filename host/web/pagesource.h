// The page as an input source of the host's command line: the host's thread waits here for
// the next line a page sends, and meanwhile answers pages that ask for the drawing, so that the
// database is only ever read on the host's own thread.
#pragma once

#include <csignal>
#include <string>

#include "dialogmirror.h"
#include "webserver.h"
#include "zacad/inputsource.h"

namespace zanthost::web {

class PageSource : public zacad::InputSource {
 public:
  // Ctrl-C or SIGTERM at the terminal ends the input (the host then quits as at the end of a
  // script, every application hearing its unload message); a second Ctrl-C kills the host.
  PageSource(WebServer& server, DialogMirror& dialogs);
  ~PageSource() override;
  PageSource(const PageSource&) = delete;
  PageSource& operator=(const PageSource&) = delete;

  zacad::InputLine next(std::u16string_view prompt) override;
  std::string position() const override;

 private:
  // Which drawing the pages show: another one (OPEN, CLOSE, a switch of the current drawing)
  // is sent to every page when the host next waits for input.
  struct Shown {
    const void* database = nullptr;
    std::u16string file;
    bool operator==(const Shown&) const = default;
  };
  static Shown Current();

  WebServer& server_;
  DialogMirror& dialogs_;
  Shown shown_;
  size_t lineNumber_ = 0;
  struct sigaction previousInterrupt_ = {};
  struct sigaction previousTerminate_ = {};
};

}  // namespace zanthost::web
