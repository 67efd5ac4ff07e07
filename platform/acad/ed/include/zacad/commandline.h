// The host's command line: one prompt machinery over whichever input source is current. It
// prints prompts and messages (UTF-8 on the way out), cuts answers out of the source's lines by
// the host's rules, echoes batch answers, and asks again (or stops a script) on a wrong answer.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zacad/edexport.h"
#include "zacad/inputsource.h"

namespace zacad {

// How much of the input one answer takes.
enum class AnswerMode {
  kToken,  // up to a space or the line end (most prompts; "quoted names" keep their spaces)
  kLine,   // the rest of the line, spaces included (string prompts that accept spaces)
};

struct Answer {
  enum class Kind { kText, kCancel, kEnd };
  Kind kind = Kind::kEnd;
  std::u16string text;

  bool ok() const { return kind == Kind::kText; }
};

// Checks an answer: returns nothing to accept it, or the message to show before asking again.
using AnswerCheck = std::function<std::optional<std::u16string>(const std::u16string&)>;

class ZACAD_ED_API CommandLine {
 public:
  // The session's command line (the host has exactly one).
  static CommandLine& instance();

  CommandLine();
  ~CommandLine();
  CommandLine(const CommandLine&) = delete;
  CommandLine& operator=(const CommandLine&) = delete;

  // Input sources form a stack: a script pushed over the terminal reads until it ends, then
  // its owner pops it. Popping drops any unread rest of the current line.
  void pushSource(std::unique_ptr<InputSource> source);
  void popSource();
  bool hasSource() const { return !sources_.empty(); }
  InputSource* source() const { return sources_.empty() ? nullptr : sources_.back().get(); }

  // Where text goes (default: stdout). Tests capture it here.
  void setOutput(std::function<void(std::string_view)> sink);

  // Prints text as the host does: UTF-8, and a prompt's or message's leading line end is
  // dropped when the screen is already at the start of a line, so answers and messages do
  // not leave blank lines behind.
  void write(std::u16string_view text);

  // What the next read() or ask() waits for (InputRequest::Kind::kText when not said); the
  // source hears it before it is asked for a line, and ask()'s re-asks keep it.
  void expect(InputRequest request) { request_ = std::move(request); }

  // Shows `prompt` and takes one answer. Escape or `^C` gives kCancel (and "*Cancel*" is
  // shown); the end of the source gives kEnd. In kToken mode, an input that starts with one of
  // `phrases` (names that hold spaces, any case) followed by a space or the line end takes the
  // whole phrase as one answer, as if it had been quoted.
  Answer read(std::u16string_view prompt, AnswerMode mode,
              const std::vector<std::u16string>& phrases = {});

  // read() until `check` accepts. A rejected answer shows the check's message; a person is
  // asked again, batch input stops instead (inputFailed() tells it, the answer is kCancel).
  Answer ask(std::u16string_view prompt, AnswerMode mode, const AnswerCheck& check,
             const std::vector<std::u16string>& phrases = {});

  // Set when batch input was stopped by a wrong answer or ended inside a prompt; until the host
  // clears it (after the command), every read answers kCancel.
  bool inputFailed() const { return inputFailed_; }
  const std::u16string& failure() const { return failure_; }
  const std::string& failedAt() const { return failedAt_; }  // the source's position
  void clearFailure();
  void fail(std::u16string message);

  // How many reads so far gave no answer (cancel or end of input): a command during which
  // this grew was cancelled.
  unsigned cancels() const { return cancels_; }

  // Drops the unread rest of the current line (after a cancel, as the host flushes
  // type-ahead).
  void discardPending() { pending_.reset(); }

 private:
  Answer readAs(const InputRequest& request, std::u16string_view prompt, AnswerMode mode,
                const std::vector<std::u16string>& phrases);
  Answer take(const InputRequest& request, std::u16string_view prompt, AnswerMode mode,
              const std::vector<std::u16string>& phrases);
  void echo(std::u16string_view text);

  std::vector<std::unique_ptr<InputSource>> sources_;
  std::optional<std::u16string> pending_;  // unread rest of the current line
  InputRequest request_;
  std::function<void(std::string_view)> sink_;
  bool atLineStart_ = true;
  bool inputFailed_ = false;
  unsigned cancels_ = 0;
  std::u16string failure_;
  std::string failedAt_;
};

}  // namespace zacad
