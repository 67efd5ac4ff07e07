#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "zdxf/error.h"

namespace zdxf::detail {

namespace {

bool fault_injected(std::string_view step) {
  const char* env = std::getenv("ZANT_INJECT_FAULT");
  if (env == nullptr)
    return false;
  std::string_view list(env);
  while (!list.empty()) {
    std::size_t comma = list.find(',');
    if (list.substr(0, comma) == step)
      return true;
    if (comma == std::string_view::npos)
      break;
    list.remove_prefix(comma + 1);
  }
  return false;
}

// Returns 0 or an errno value.
int write_all(int fd, std::string_view data) {
  if (fault_injected("zdxf_write"))
    return ENOSPC;
  while (!data.empty()) {
    ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return errno;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

std::string folder_of(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos)
    return ".";
  if (slash == 0)
    return "/";
  return path.substr(0, slash);
}

[[noreturn]] void fail(const std::string& path, const std::string& step, int err) {
  throw Error(path, 0, "not saved: " + step + ": " + std::strerror(err));
}

// A hard link keeps `path` in place until the rename.
int keep_backup(const std::string& path, const std::string& bak) {
  if (fault_injected("zdxf_backup"))
    return EIO;
  if (::unlink(bak.c_str()) != 0 && errno != ENOENT)
    return errno;
  if (::link(path.c_str(), bak.c_str()) == 0)
    return 0;
  // Some file systems have no hard links: copy instead.
  int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0)
    return errno;
  int out = ::open(bak.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (out < 0) {
    int e = errno;
    ::close(in);
    return e;
  }
  char buf[65536];
  int err = 0;
  for (;;) {
    ssize_t n = ::read(in, buf, sizeof buf);
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0)
      err = errno;
    if (n <= 0)
      break;
    err = write_all(out, std::string_view(buf, static_cast<std::size_t>(n)));
    if (err != 0)
      break;
  }
  ::close(in);
  if (::close(out) != 0 && err == 0)
    err = errno;
  return err;
}

}  // namespace

std::string backup_path(const std::string& path) {
  std::size_t slash = path.rfind('/');
  std::size_t dot = path.rfind('.');
  bool has_extension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
  return (has_extension ? path.substr(0, dot) : path) + ".bak";
}

void write_file_atomically(const std::string& path, std::string_view data) {
  write_file_atomically(path, [data](const ContentSink& sink) { sink(data); });
}

void write_file_atomically(const std::string& path,
                           const std::function<void(const ContentSink&)>& produce) {
  std::string tmp = path + ".XXXXXX";
  int fd = ::mkstemp(tmp.data());
  if (fd < 0)
    fail(path, "cannot create a temporary file in " + folder_of(path), errno);

  struct stat st;
  mode_t mode = 0644;
  bool existed = ::stat(path.c_str(), &st) == 0;
  if (existed)
    mode = st.st_mode & 07777;

  // Small pieces are gathered so that the disk sees few large writes; the first error stops
  // the writing and is reported below.
  constexpr std::size_t kChunk = 256 << 10;
  std::string pending;
  pending.reserve(kChunk);  // grown by doubling it could take twice the room
  int err = 0;
  try {
    produce([&](std::string_view piece) {
      if (err != 0)
        return;
      if (pending.size() + piece.size() <= kChunk) {
        pending.append(piece);
        return;
      }
      err = write_all(fd, pending);
      pending.clear();
      if (err != 0)
        return;
      if (piece.size() >= kChunk)
        err = write_all(fd, piece);
      else
        pending.append(piece);
    });
  } catch (...) {
    ::close(fd);
    ::unlink(tmp.c_str());
    throw;
  }
  if (err == 0)
    err = write_all(fd, pending);
  std::string step = "writing " + tmp;
  if (err == 0 && ::fchmod(fd, mode) != 0)
    err = errno;
  if (err == 0) {
    step = "flushing " + tmp;
    if (fault_injected("zdxf_fsync")) {
      err = EIO;
    } else if (::fsync(fd) != 0) {
      err = errno;
    }
  }
  if (::close(fd) != 0 && err == 0)
    err = errno;
  if (err == 0 && existed) {
    std::string bak = backup_path(path);
    step = "keeping the previous file as " + bak;
    err = keep_backup(path, bak);
  }
  if (err == 0) {
    step = "renaming " + tmp;
    if (fault_injected("zdxf_rename")) {
      err = EXDEV;
    } else if (::rename(tmp.c_str(), path.c_str()) != 0) {
      err = errno;
    }
  }
  if (err != 0) {
    ::unlink(tmp.c_str());
    fail(path, step, err);
  }
  // Make the rename itself durable.
  int dir = ::open(folder_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace zdxf::detail
