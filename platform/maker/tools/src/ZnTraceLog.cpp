#include "ZnTraceLog.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "zwin32/utf.h"

namespace zmaker {
namespace {

// Each line opens the log, appends and closes it: a log that a user deletes or moves while the
// process runs is simply started again, and nothing stays buffered if the process dies.
// A log that cannot be opened is reported once per path, not once per line.
std::mutex failedLock;
std::string failedPath;

void ReportOpenFailure(const char* path, int error) {
  std::lock_guard<std::mutex> guard(failedLock);
  if (failedPath != path) {
    failedPath = path;
    std::fprintf(stderr, "zntools: cannot open trace log %s: %s\n", path, std::strerror(error));
  }
}

}  // namespace

const char* TraceLogPath() {
  const char* path = std::getenv("ZN_TRACE");
  return (path != nullptr && *path != '\0') ? path : nullptr;
}

int& TraceDepth() noexcept {
  thread_local int depth = 0;
  return depth;
}

std::string TraceText(LPCTSTR text) {
  return text == nullptr ? std::string() : zwin32::ToUtf8(text);
}

void WriteTraceLine(std::string_view text) noexcept {
  const char* path = TraceLogPath();
  if (path == nullptr) {
    return;
  }
  try {
    const int depth = TraceDepth();
    std::string line(depth > 0 ? 2 * static_cast<size_t>(depth) : 0, ' ');
    line.append(text);
    line.push_back('\n');
    const int fd = ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
      ReportOpenFailure(path, errno);
      return;
    }
    // One write call per line keeps lines of concurrent threads whole.
    const ssize_t written = ::write(fd, line.data(), line.size());
    (void)written;  // a full disk loses trace lines, never the traced work
    ::close(fd);
  } catch (...) {
    // Tracing must never disturb the traced code: a line lost to a memory shortage is dropped.
  }
}

}  // namespace zmaker
