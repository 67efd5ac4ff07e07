// The page as an input source of the host's command line: the host's thread waits here for
// the next line a page sends, and meanwhile answers pages that ask for the drawing, so that the
// database is only ever read on the host's own thread.
#pragma once

#include <csignal>
#include <deque>
#include <optional>
#include <string>
#include <vector>

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
  // What the host waits for and the selection being built go to every page as they change.
  void expect(const zacad::InputRequest& request) override;
  bool showsSelection() const override { return true; }
  void selecting(const std::vector<uint64_t>& handles) override;
  // The last size a page gave for its pixels.
  double pixelSize() const override { return pixel_; }

 private:
  // Which drawing the pages show: another one (OPEN, CLOSE, a switch of the current drawing)
  // is sent to every page when the host next waits for input.
  struct Shown {
    const void* database = nullptr;
    std::u16string file;
    bool operator==(const Shown&) const = default;
  };
  static Shown Current();

  // Takes a clicked button's macro as lines still to be typed, `^C` as Escape.
  void queueMacro(std::u16string_view macro);
  // The next of those lines; a cancel at the Command prompt has nothing to cancel and is
  // dropped, so that "^C^C" ends whatever runs and no more.
  std::optional<zacad::InputLine> nextMacroLine();
  // What a page that connects gets besides the drawing.
  void sendState(unsigned session);

  WebServer& server_;
  DialogMirror& dialogs_;
  Shown shown_;
  size_t lineNumber_ = 0;
  std::deque<zacad::InputLine> macro_;
  zacad::InputRequest::Kind waitingFor_ = zacad::InputRequest::Kind::kText;
  std::string prompt_;     // the last prompt message sent
  std::string selection_;  // the last selection message sent
  std::string toolbars_;   // the last toolbars message sent
  double pixel_ = 1.0;
  struct sigaction previousInterrupt_ = {};
  struct sigaction previousTerminate_ = {};
};

}  // namespace zanthost::web
