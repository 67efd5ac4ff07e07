// The terminal: GNU readline (line editing, history) when a person types at a tty, plain lines
// when stdin is a pipe. Ctrl-C and a lone Escape cancel the prompt, as in the host.
#include <readline/history.h>
#include <readline/readline.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "zacad/inputsource.h"
#include "zwin32/utf.h"

namespace zacad {
namespace {

volatile std::sig_atomic_t gInterrupted = 0;
bool gCancelKey = false;

void OnInterrupt(int) {
  gInterrupted = 1;
}

// Polled by readline while it waits for a key: a Ctrl-C ends the line so that readline
// returns and the prompt can be cancelled.
int PollInterrupt() {
  if (gInterrupted)
    rl_done = 1;
  return 0;
}

int CancelKey(int, int) {
  gCancelKey = true;
  rl_done = 1;
  return 0;
}

class TtySource : public InputSource {
 public:
  TtySource() {
    rl_readline_name = "zanthost";
    rl_catch_signals = 0;
    rl_event_hook = PollInterrupt;
    // Bound as the shadow of the Escape prefix: a lone Escape (after the key-sequence
    // time-out) cancels, while arrow keys, which start with Escape, keep working.
    rl_bind_keyseq("\\e", CancelKey);
    using_history();
  }

  InputLine next(std::u16string_view prompt) override {
    ++lineNumber_;
    gInterrupted = 0;
    gCancelKey = false;
    struct sigaction action = {}, previous = {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previous);
    std::fflush(stdout);
    char* raw = readline(zwin32::ToUtf8(prompt).c_str());
    sigaction(SIGINT, &previous, nullptr);
    if (gInterrupted || gCancelKey) {
      std::free(raw);
      rl_crlf();
      return {InputLine::Kind::kCancel, {}};
    }
    if (raw == nullptr) {
      rl_crlf();
      return {InputLine::Kind::kEnd, {}};
    }
    std::string line(raw);
    std::free(raw);
    if (!line.empty())
      add_history(line.c_str());
    return {InputLine::Kind::kLine, zwin32::FromUtf8(line)};
  }

  bool showsTyping() const override { return true; }

  std::string position() const override { return "terminal, line " + std::to_string(lineNumber_); }

 private:
  size_t lineNumber_ = 0;
};

class PipeSource : public InputSource {
 public:
  InputLine next(std::u16string_view) override {
    std::string line;
    if (!std::getline(std::cin, line))
      return {InputLine::Kind::kEnd, {}};
    ++lineNumber_;
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    return {InputLine::Kind::kLine, zwin32::FromUtf8(line)};
  }

  std::string position() const override { return "stdin, line " + std::to_string(lineNumber_); }

 private:
  size_t lineNumber_ = 0;
};

}  // namespace

std::unique_ptr<InputSource> MakeTerminalSource() {
  if (isatty(STDIN_FILENO))
    return std::make_unique<TtySource>();
  return std::make_unique<PipeSource>();
}

}  // namespace zacad
