#include "pagesource.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <exception>

#include "dbapserv.h"
#include "dbmain.h"
#include "drawingmessage.h"
#include "json.h"
#include "pagerequests.h"
#include "promptmessage.h"
#include "toolbarmessage.h"
#include "zacad/menus.h"
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

void PageSource::expect(const zacad::InputRequest& request) {
  waitingFor_ = request.kind;
  prompt_ = PromptMessage(request);
  server_.sendToAll(prompt_);
}

void PageSource::selecting(const std::vector<uint64_t>& handles) {
  selection_ = SelectionMessage(handles);
  server_.sendToAll(selection_);
}

void PageSource::queueMacro(std::u16string_view macro) {
  for (std::u16string& line : zacad::MacroInput(macro)) {
    if (line.starts_with(u"^C")) {
      for (size_t i = 0; i < line.size(); i += 2)
        macro_.push_back({zacad::InputLine::Kind::kCancel, {}});
    } else {
      macro_.push_back({zacad::InputLine::Kind::kLine, std::move(line)});
    }
  }
}

std::optional<zacad::InputLine> PageSource::nextMacroLine() {
  while (!macro_.empty()) {
    zacad::InputLine line = std::move(macro_.front());
    macro_.pop_front();
    if (line.kind == zacad::InputLine::Kind::kCancel &&
        waitingFor_ == zacad::InputRequest::Kind::kCommand) {
      continue;
    }
    ++lineNumber_;
    return line;
  }
  return std::nullopt;
}

void PageSource::sendState(unsigned session) {
  server_.sendTo(session, DrawingOrFailure());
  server_.sendTo(session, toolbars_);
  if (!prompt_.empty())
    server_.sendTo(session, prompt_);
  if (!selection_.empty())
    server_.sendTo(session, selection_);
  if (!dialogs_.shown().empty())
    server_.sendTo(session, dialogs_.shown());
}

zacad::InputLine PageSource::next(std::u16string_view) {
  dialogs_.hostWaits();
  if (const Shown current = Current(); current != shown_) {
    shown_ = current;
    server_.sendToAll(DrawingOrFailure());
  }
  // Menu groups come and go with applications and MENULOAD.
  if (std::string toolbars = ToolbarMessage(); toolbars != toolbars_) {
    toolbars_ = std::move(toolbars);
    server_.sendToAll(toolbars_);
  }
  if (std::optional<zacad::InputLine> line = nextMacroLine())
    return *line;
  while (!gStopRequested) {
    std::optional<PageEvent> event = server_.waitEvent(kStopPoll);
    if (!event)
      continue;
    switch (event->kind) {
      case PageEvent::Kind::kDrawing:
        sendState(event->session);
        break;
      case PageEvent::Kind::kPixel: {
        double size = 0;
        const std::string& text = event->text;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
        if (error == std::errc() && end == text.data() + text.size() && std::isfinite(size) &&
            size > 0) {
          pixel_ = size;
        }
        break;
      }
      case PageEvent::Kind::kButton:
        // A button's macro runs as if typed here, wherever the host is: its "^C^C" first
        // cancels what is going on, as a click on a toolbar does in the host.
        if (std::optional<std::u16string> macro = MacroForButton(event->text)) {
          queueMacro(*macro);
          if (std::optional<zacad::InputLine> line = nextMacroLine())
            return *line;
        }
        break;
      case PageEvent::Kind::kList:
        server_.sendTo(event->session, ListingMessage(event->text));
        break;
      case PageEvent::Kind::kSave:
        if (std::optional<zacad::InputLine> save = SaveLine(server_, event->session)) {
          ++lineNumber_;
          return *save;
        }
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
