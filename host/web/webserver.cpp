#include "webserver.h"

#include <libwebsockets.h>

#include <cstring>

#include "json.h"

namespace zanthost::web {
namespace {

// The output a page that connects now gets first: enough for the last prompts and answers.
constexpr size_t kTranscriptBytes = 64 * 1024;
// A page that stops reading is dropped once this much waits for it, rather than the host's
// memory filling up.
constexpr size_t kLargestBacklog = 64 * 1024 * 1024;
// A page only ever sends typed lines: anything longer is not a page of ours.
constexpr size_t kLongestMessage = 1024 * 1024;
constexpr char kProtocol[] = "zanthost";
// How long the host, ending, waits for pages to take what is queued for them.
constexpr std::chrono::seconds kLastSendTime{2};

int Callback(lws* wsi, lws_callback_reasons reason, void* user, void* in, size_t length) {
  auto* server = static_cast<WebServer*>(lws_context_user(lws_get_context(wsi)));
  if (server == nullptr)
    return lws_callback_http_dummy(wsi, reason, user, in, length);
  return server->handle(wsi, reason, user, in, length);
}

const lws_protocols kProtocols[] = {
    {"http", lws_callback_http_dummy, 0, 0, 0, nullptr, 0},
    {kProtocol, Callback, 0, 64 * 1024, 0, nullptr, 0},
    {nullptr, nullptr, 0, 0, 0, nullptr, 0},
};

// Cuts the front of `text` so that at most `limit` bytes remain, starting at a line's start
// when one is near, and never inside a UTF-8 sequence.
void KeepTail(std::string& text, size_t limit) {
  if (text.size() <= limit)
    return;
  size_t cut = text.size() - limit;
  const size_t line = text.find('\n', cut);
  if (line != std::string::npos && line - cut < 1024)
    cut = line + 1;
  while (cut < text.size() && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
    ++cut;
  text.erase(0, cut);
}

std::string OutputMessage(std::string_view text) {
  std::string message = "{\"type\":\"output\",\"text\":";
  AppendJsonString(message, text);
  message += '}';
  return message;
}

}  // namespace

std::unique_ptr<WebServer> WebServer::Start(int port, const std::string& pageFolder,
                                            std::string& error) {
  // The library's own log lines would interleave with the command line's output; what matters
  // to the user (the port cannot be had) is said once, by the caller.
  lws_set_log_level(0, nullptr);
  std::unique_ptr<WebServer> server(new WebServer());
  server->pageFolder_ = pageFolder;
  server->mount_ = std::make_unique<lws_http_mount>();
  lws_http_mount& mount = *server->mount_;
  std::memset(&mount, 0, sizeof mount);
  mount.mountpoint = "/";
  mount.mountpoint_len = 1;
  mount.origin = server->pageFolder_.c_str();
  mount.def = "index.html";
  mount.origin_protocol = LWSMPRO_FILE;

  lws_context_creation_info info;
  std::memset(&info, 0, sizeof info);
  info.options = LWS_SERVER_OPTION_EXPLICIT_VHOSTS | LWS_SERVER_OPTION_DISABLE_IPV6 |
                 LWS_SERVER_OPTION_VALIDATE_UTF8;
  info.gid = -1;
  info.uid = -1;
  info.user = server.get();
  server->context_ = lws_create_context(&info);
  if (server->context_ == nullptr) {
    error = "the web server could not start";
    return nullptr;
  }
  // Loopback only: the page drives the host, so nothing but this machine may reach it.
  info.iface = "127.0.0.1";
  info.port = port;
  info.protocols = kProtocols;
  info.mounts = &mount;
  info.vhost_name = "localhost";
  lws_vhost* vhost = lws_create_vhost(server->context_, &info);
  if (vhost == nullptr || lws_get_vhost_port(vhost) <= 0) {
    lws_context_destroy(server->context_);
    server->context_ = nullptr;
    error = "cannot listen on 127.0.0.1 port " + std::to_string(port);
    return nullptr;
  }
  server->port_ = lws_get_vhost_port(vhost);
  WebServer* raw = server.get();
  server->thread_ = std::thread([raw] {
    while (!raw->stopping_ && lws_service(raw->context_, 0) >= 0) {
    }
  });
  return server;
}

WebServer::~WebServer() {
  if (context_ == nullptr)
    return;
  {
    // The last output (the QUIT that ends the host) is still on its way to the pages.
    std::unique_lock lock(mutex_);
    sent_.wait_for(lock, kLastSendTime, [this] {
      for (const auto& [wsi, session] : sessions_) {
        if (!session.queue.empty() && !session.overflowed)
          return false;
      }
      return true;
    });
  }
  stopping_ = true;
  lws_cancel_service(context_);
  if (thread_.joinable())
    thread_.join();
  lws_context_destroy(context_);
}

void WebServer::broadcastOutput(std::string_view text) {
  {
    std::lock_guard lock(mutex_);
    transcript_ += text;
    KeepTail(transcript_, kTranscriptBytes);
    for (auto& [wsi, session] : sessions_)
      enqueue(session, true, text);
  }
  lws_cancel_service(context_);
}

void WebServer::sendTo(unsigned id, const std::string& message) {
  {
    std::lock_guard lock(mutex_);
    for (auto& [wsi, session] : sessions_) {
      if (session.id == id)
        enqueue(session, false, message);
    }
  }
  lws_cancel_service(context_);
}

void WebServer::sendToAll(const std::string& message) {
  {
    std::lock_guard lock(mutex_);
    for (auto& [wsi, session] : sessions_)
      enqueue(session, false, message);
  }
  lws_cancel_service(context_);
}

std::optional<PageEvent> WebServer::waitEvent(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  if (!eventReady_.wait_for(lock, timeout, [this] { return !events_.empty(); }))
    return std::nullopt;
  PageEvent event = std::move(events_.front());
  events_.pop_front();
  return event;
}

void WebServer::enqueue(Session& session, bool output, std::string_view data) {
  if (session.overflowed)
    return;
  session.queuedBytes += data.size();
  if (session.queuedBytes > kLargestBacklog) {
    session.overflowed = true;
    session.queue.clear();
    return;
  }
  if (output && !session.queue.empty() && session.queue.back().output)
    session.queue.back().data += data;
  else
    session.queue.push_back({output, std::string(data)});
}

// A browser sends the page's origin: only our own page may drive the host, not a script of
// some other site the same browser has open. Programs that send no origin are let in.
bool WebServer::allowedOrigin(lws* wsi) const {
  const int length = lws_hdr_total_length(wsi, WSI_TOKEN_ORIGIN);
  if (length <= 0)
    return true;
  std::string origin(static_cast<size_t>(length) + 1, '\0');
  if (lws_hdr_copy(wsi, origin.data(), length + 1, WSI_TOKEN_ORIGIN) != length)
    return false;
  origin.resize(static_cast<size_t>(length));
  const std::string port = ":" + std::to_string(port_);
  return origin == "http://127.0.0.1" + port || origin == "http://localhost" + port;
}

void WebServer::received(Session& session, std::string_view message) {
  PageEvent event;
  event.session = session.id;
  if (message == "cancel") {
    event.kind = PageEvent::Kind::kCancel;
  } else if (message == "drawing") {
    event.kind = PageEvent::Kind::kDrawing;
  } else if (message == "save") {
    event.kind = PageEvent::Kind::kSave;
  } else if (message.starts_with("list ")) {
    event.kind = PageEvent::Kind::kList;
    event.text = message.substr(5);
  } else if (message.starts_with("pixel ")) {
    event.kind = PageEvent::Kind::kPixel;
    event.text = message.substr(6);
  } else if (message.starts_with("button ")) {
    event.kind = PageEvent::Kind::kButton;
    event.text = message.substr(7);
  } else if (message.substr(0, 5) == "line ") {
    // Pasted text of several lines is several answers, as at the terminal.
    std::string_view rest = message.substr(5);
    for (;;) {
      const size_t end = rest.find('\n');
      std::string_view line = rest.substr(0, end);
      if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
      events_.push_back({PageEvent::Kind::kLine, std::string(line), session.id});
      if (end == std::string_view::npos)
        break;
      rest.remove_prefix(end + 1);
    }
    eventReady_.notify_one();
    return;
  } else {
    return;  // not a message of this protocol: nothing to do
  }
  events_.push_back(std::move(event));
  eventReady_.notify_one();
}

int WebServer::writeNext(lws* wsi) {
  std::string message;
  bool more = false;
  {
    std::lock_guard lock(mutex_);
    auto found = sessions_.find(wsi);
    if (found == sessions_.end())
      return 0;
    Session& session = found->second;
    if (session.overflowed)
      return -1;
    if (session.queue.empty())
      return 0;
    Outgoing next = std::move(session.queue.front());
    session.queue.pop_front();
    session.queuedBytes -= next.data.size();
    more = !session.queue.empty();
    if (!more)
      sent_.notify_all();
    message = next.output ? OutputMessage(next.data) : std::move(next.data);
  }
  std::string buffer(LWS_PRE + message.size(), '\0');
  std::memcpy(buffer.data() + LWS_PRE, message.data(), message.size());
  auto* bytes = reinterpret_cast<unsigned char*>(buffer.data() + LWS_PRE);
  if (lws_write(wsi, bytes, message.size(), LWS_WRITE_TEXT) < static_cast<int>(message.size()))
    return -1;
  if (more)
    lws_callback_on_writable(wsi);
  return 0;
}

int WebServer::handle(lws* wsi, int reason, void* user, void* in, size_t length) {
  switch (reason) {
    case LWS_CALLBACK_FILTER_PROTOCOL_CONNECTION:
      return allowedOrigin(wsi) ? 0 : -1;
    case LWS_CALLBACK_ESTABLISHED: {
      std::lock_guard lock(mutex_);
      Session& session = sessions_[wsi];
      session.id = nextSession_++;
      // The drawing is read on the host's thread; what was said so far goes out at once.
      events_.push_back({PageEvent::Kind::kDrawing, {}, session.id});
      eventReady_.notify_one();
      if (!transcript_.empty())
        enqueue(session, true, transcript_);
      lws_callback_on_writable(wsi);
      return 0;
    }
    case LWS_CALLBACK_RECEIVE: {
      std::lock_guard lock(mutex_);
      auto found = sessions_.find(wsi);
      if (found == sessions_.end())
        return -1;
      Session& session = found->second;
      if (session.incoming.size() + length > kLongestMessage)
        return -1;
      session.incoming.append(static_cast<const char*>(in), length);
      if (lws_is_final_fragment(wsi) && lws_remaining_packet_payload(wsi) == 0) {
        received(session, session.incoming);
        session.incoming.clear();
      }
      return 0;
    }
    case LWS_CALLBACK_SERVER_WRITEABLE:
      return writeNext(wsi);
    case LWS_CALLBACK_CLOSED: {
      std::lock_guard lock(mutex_);
      sessions_.erase(wsi);
      sent_.notify_all();
      return 0;
    }
    case LWS_CALLBACK_EVENT_WAIT_CANCELLED: {
      // Another thread queued something: ask for a write slot on each page that has mail.
      std::lock_guard lock(mutex_);
      for (auto& [session, state] : sessions_) {
        if (!state.queue.empty() || state.overflowed)
          lws_callback_on_writable(session);
      }
      return 0;
    }
    default:
      return lws_callback_http_dummy(wsi, static_cast<lws_callback_reasons>(reason), user, in,
                                     length);
  }
}

}  // namespace zanthost::web
