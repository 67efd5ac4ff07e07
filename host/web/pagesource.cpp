#include "pagesource.h"

#include <chrono>
#include <exception>

#include "dbapserv.h"
#include "dbmain.h"
#include "drawingmessage.h"
#include "json.h"
#include "zwin32/utf.h"

namespace zanthost::web {
namespace {

volatile std::sig_atomic_t gStopRequested = 0;

void OnStop(int) {
  gStopRequested = 1;
}

// How often a wait for the page looks whether the terminal asked the host to stop.
constexpr std::chrono::milliseconds kStopPoll{200};

// The drawing for the pages. Reading it must not end the host (it runs inside a prompt, where
// nothing above would catch), so a failure, such as memory running out on a huge drawing,
// becomes a line of output for the pages instead.
std::string DrawingOrFailure() {
  try {
    return DrawingMessage();
  } catch (const std::exception& e) {
    std::string message = "{\"type\":\"output\",\"text\":";
    AppendJsonString(message,
                     std::string("\n** The drawing could not be sent: ") + e.what() + " **\n");
    return message + "}";
  }
}

}  // namespace

PageSource::Shown PageSource::Current() {
  const AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  if (db == nullptr)
    return {};
  const ACHAR* file = db->originalFileName();
  return {db, file != nullptr ? file : u""};
}

PageSource::PageSource(WebServer& server, DialogMirror& dialogs)
    : server_(server), dialogs_(dialogs), shown_(Current()) {
  gStopRequested = 0;
  struct sigaction action = {};
  action.sa_handler = OnStop;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &previousInterrupt_);
  sigaction(SIGTERM, &action, &previousTerminate_);
}

PageSource::~PageSource() {
  sigaction(SIGINT, &previousInterrupt_, nullptr);
  sigaction(SIGTERM, &previousTerminate_, nullptr);
}

zacad::InputLine PageSource::next(std::u16string_view) {
  dialogs_.hostWaits();
  if (const Shown current = Current(); current != shown_) {
    shown_ = current;
    server_.sendToAll(DrawingOrFailure());
  }
  while (!gStopRequested) {
    std::optional<PageEvent> event = server_.waitEvent(kStopPoll);
    if (!event)
      continue;
    switch (event->kind) {
      case PageEvent::Kind::kDrawing:
        server_.sendTo(event->session, DrawingOrFailure());
        if (!dialogs_.shown().empty())
          server_.sendTo(event->session, dialogs_.shown());
        break;
      case PageEvent::Kind::kCancel:
        ++lineNumber_;
        return {zacad::InputLine::Kind::kCancel, {}};
      case PageEvent::Kind::kLine:
        ++lineNumber_;
        return {zacad::InputLine::Kind::kLine, zwin32::FromUtf8(event->text)};
    }
  }
  return {zacad::InputLine::Kind::kEnd, {}};
}

std::string PageSource::position() const {
  return "page, line " + std::to_string(lineNumber_);
}

}  // namespace zanthost::web
