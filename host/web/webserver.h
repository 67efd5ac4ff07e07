// The page's server: HTTP for the page's files and a WebSocket per open page, on the loopback
// interface only, served by a thread of its own (libwebsockets). It never touches the host's
// state: what pages ask becomes events that the host's thread takes when it waits for input,
// and what the host says is queued here for every page.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

struct lws;
struct lws_context;
struct lws_http_mount;

namespace zanthost::web {

// One thing a page asked for ("list HANDLE": an entity's listing, "save": the Save button).
// Pages send text messages: "line TEXT" (a line typed, as at the
// terminal), "cancel" (Escape), "drawing" (send the drawing again), "pixel SIZE" (how many
// drawing units a pixel of the page's view measures) and "button INDEX GROUP.TOOLBAR" (a
// toolbar button clicked).
struct PageEvent {
  enum class Kind { kLine, kCancel, kDrawing, kList, kSave, kPixel, kButton };
  Kind kind = Kind::kLine;
  std::string text;  // kLine: the line, UTF-8; kList: the entity's handle; kPixel, kButton: what
                     // follows the word
  unsigned session = 0;  // the page that asked (kDrawing answers go to it alone)
};

class WebServer {
 public:
  // Listens on 127.0.0.1:port (0: a free port the system chooses) and serves the files of
  // `pageFolder`. Null, with `error` set, when the port cannot be had.
  static std::unique_ptr<WebServer> Start(int port, const std::string& pageFolder,
                                          std::string& error);
  // Lets the pages have what is queued for them (a short while at most), then closes every
  // page's connection and stops the thread.
  ~WebServer();
  WebServer(const WebServer&) = delete;
  WebServer& operator=(const WebServer&) = delete;

  int port() const { return port_; }

  // Output of the command line (UTF-8) for every page; pages that connect later get the recent
  // part of it first, so that they show the prompt the host is waiting at. Any thread.
  void broadcastOutput(std::string_view text);

  // A whole JSON message for one page, dropped when that page has gone. Any thread.
  void sendTo(unsigned session, const std::string& message);

  // A whole JSON message for every page connected now. Any thread.
  void sendToAll(const std::string& message);

  // The next event from a page, or nothing when `timeout` passes first.
  std::optional<PageEvent> waitEvent(std::chrono::milliseconds timeout);

  // Handles one libwebsockets callback (on the server's thread); public for the C callback.
  int handle(lws* wsi, int reason, void* user, void* in, size_t length);

 private:
  struct Outgoing {
    bool output;  // command-line text, merged with the output queued after it
    std::string data;
  };
  struct Session {
    unsigned id = 0;
    std::deque<Outgoing> queue;
    size_t queuedBytes = 0;
    bool overflowed = false;  // fell too far behind: its connection is closed
    std::string incoming;     // a message still arriving in fragments
  };

  WebServer() = default;
  bool allowedOrigin(lws* wsi) const;
  void received(Session& session, std::string_view message);
  // Queues a message (or output, merged with output queued before it) for one page.
  void enqueue(Session& session, bool output, std::string_view data);
  int writeNext(lws* wsi);

  lws_context* context_ = nullptr;
  int port_ = 0;
  std::string pageFolder_;
  std::thread thread_;
  std::atomic<bool> stopping_ = false;
  std::unique_ptr<lws_http_mount> mount_;  // the page's folder, as libwebsockets serves it

  mutable std::mutex mutex_;
  std::condition_variable eventReady_;
  std::condition_variable sent_;  // a page's queue ran empty, or a page went
  std::map<lws*, Session> sessions_;
  std::deque<PageEvent> events_;
  std::string transcript_;
  unsigned nextSession_ = 1;
};

}  // namespace zanthost::web
