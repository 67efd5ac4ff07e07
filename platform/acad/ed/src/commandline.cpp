#include "zacad/commandline.h"

#include <cstdio>
#include <utility>

#include <afxstr.h>

#include "zwin32/utf.h"
#include "zacad/hostmessages.h"

namespace zacad {
namespace {

// `^C` typed into batch input is Escape, as in the host's scripts and menu macros.
bool IsCaretCancel(std::u16string_view token) {
  if (token.empty() || token.size() % 2 != 0)
    return false;
  for (size_t i = 0; i < token.size(); i += 2) {
    if (token[i] != u'^' || (token[i + 1] != u'C' && token[i + 1] != u'c'))
      return false;
  }
  return true;
}

// The length of the phrase `text` starts with, followed by a space or its end; 0 for none.
size_t PhraseAtFront(const std::u16string& text, const std::vector<std::u16string>& phrases) {
  size_t longest = 0;
  for (const std::u16string& phrase : phrases) {
    const size_t n = phrase.size();
    if (n > longest && n <= text.size() && (n == text.size() || text[n] == u' ') &&
        CStringW(text.substr(0, n).c_str()).CompareNoCase(phrase.c_str()) == 0)
      longest = n;
  }
  return longest;
}

// Cuts one answer off the front of `line`; leaves the unread rest there, or resets it when
// the answer ended at the line end.
std::u16string Cut(std::optional<std::u16string>& line, AnswerMode mode,
                   const std::vector<std::u16string>& phrases) {
  std::u16string& text = *line;
  std::u16string answer;
  if (mode == AnswerMode::kLine) {
    answer = std::move(text);
    line.reset();
    return answer;
  }
  size_t end;
  if (const size_t phrase = PhraseAtFront(text, phrases); phrase != 0) {
    answer = text.substr(0, phrase);
    end = phrase;
  } else if (!text.empty() && text[0] == u'"') {
    // A quoted name keeps its spaces; the closing quote, then a space or the line end, ends it.
    size_t close = text.find(u'"', 1);
    if (close == std::u16string::npos) {
      answer = text.substr(1);
      line.reset();
      return answer;
    }
    answer = text.substr(1, close - 1);
    end = close + 1;
    if (end < text.size() && text[end] != u' ') {
      // Text glued to the closing quote belongs to the same answer.
      size_t space = text.find(u' ', end);
      answer += text.substr(end, space == std::u16string::npos ? space : space - end);
      end = space;
    }
  } else {
    end = text.find(u' ');
    answer = text.substr(0, end);
  }
  if (end == std::u16string::npos || end >= text.size()) {
    line.reset();
  } else {
    text.erase(0, end + 1);  // the space is this answer's Enter
  }
  return answer;
}

}  // namespace

InputSource::~InputSource() = default;

void InputSource::expect(const InputRequest&) {}

void InputSource::selecting(const std::vector<uint64_t>&) {}

CommandLine& CommandLine::instance() {
  static CommandLine commandLine;
  return commandLine;
}

CommandLine::CommandLine()
    : sink_([](std::string_view text) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fflush(stdout);
      }) {}

CommandLine::~CommandLine() = default;

void CommandLine::pushSource(std::unique_ptr<InputSource> source) {
  pending_.reset();
  sources_.push_back(std::move(source));
}

void CommandLine::popSource() {
  pending_.reset();
  if (!sources_.empty())
    sources_.pop_back();
}

void CommandLine::setOutput(std::function<void(std::string_view)> sink) {
  sink_ = std::move(sink);
}

void CommandLine::write(std::u16string_view text) {
  if (atLineStart_ && !text.empty() && text.front() == u'\n')
    text.remove_prefix(1);
  if (text.empty())
    return;
  atLineStart_ = text.back() == u'\n';
  sink_(zwin32::ToUtf8(text));
}

void CommandLine::echo(std::u16string_view text) {
  std::u16string line(text);
  line += u'\n';
  write(line);
}

Answer CommandLine::read(std::u16string_view prompt, AnswerMode mode,
                         const std::vector<std::u16string>& phrases) {
  return readAs(std::exchange(request_, {}), prompt, mode, phrases);
}

Answer CommandLine::readAs(const InputRequest& request, std::u16string_view prompt, AnswerMode mode,
                           const std::vector<std::u16string>& phrases) {
  Answer answer = take(request, prompt, mode, phrases);
  if (!answer.ok())
    ++cancels_;
  return answer;
}

Answer CommandLine::take(const InputRequest& request, std::u16string_view prompt, AnswerMode mode,
                         const std::vector<std::u16string>& phrases) {
  InputSource* in = source();
  if (in == nullptr)
    return {Answer::Kind::kEnd, {}};
  // Stopped batch input answers nothing more until the host has dealt with the failure.
  if (inputFailed_)
    return {Answer::Kind::kCancel, {}};
  bool typed = false;
  if (pending_) {
    write(prompt);
  } else {
    // A source that draws its own prompt gets the prompt's last line; what comes before it
    // is printed here.
    std::u16string_view shown = prompt;
    if (in->showsTyping()) {
      size_t cut = prompt.rfind(u'\n');
      size_t tail = cut == std::u16string_view::npos ? 0 : cut + 1;
      write(prompt.substr(0, tail));
      shown = prompt.substr(tail);
    } else {
      write(prompt);
    }
    in->expect(request);
    InputLine line = in->next(shown);
    if (line.kind == InputLine::Kind::kEnd) {
      if (!in->showsTyping())
        echo(u"");
      atLineStart_ = true;
      return {Answer::Kind::kEnd, {}};
    }
    if (line.kind == InputLine::Kind::kCancel) {
      atLineStart_ = true;  // the terminal has ended the line
      write(Message(Msg::kCancel));
      return {Answer::Kind::kCancel, {}};
    }
    pending_ = std::move(line.text);
    typed = in->showsTyping();
  }
  std::u16string answer = Cut(pending_, mode, phrases);
  if (typed) {
    atLineStart_ = true;  // the terminal already shows the answer and its line end
  } else {
    echo(answer);
  }
  if (in->isBatch() && IsCaretCancel(answer)) {
    pending_.reset();
    write(Message(Msg::kCancel));
    return {Answer::Kind::kCancel, {}};
  }
  return {Answer::Kind::kText, std::move(answer)};
}

Answer CommandLine::ask(std::u16string_view prompt, AnswerMode mode, const AnswerCheck& check,
                        const std::vector<std::u16string>& phrases) {
  const InputRequest request = std::exchange(request_, {});
  for (;;) {
    Answer answer = readAs(request, prompt, mode, phrases);
    if (!answer.ok()) {
      if (answer.kind == Answer::Kind::kEnd && source() != nullptr && source()->isBatch()) {
        fail(Message(Msg::kInputEnded));
      }
      return answer;
    }
    std::optional<std::u16string> message = check ? check(answer.text) : std::nullopt;
    if (!message)
      return answer;
    write(u"\n" + *message + u"\n");
    if (source() != nullptr && source()->isBatch()) {
      fail(*message);
      ++cancels_;  // the command got no usable answer: it is cancelled
      return {Answer::Kind::kCancel, {}};
    }
  }
}

void CommandLine::fail(std::u16string message) {
  pending_.reset();
  inputFailed_ = true;
  failure_ = std::move(message);
  failedAt_ = source() != nullptr ? source()->position() : std::string();
}

void CommandLine::clearFailure() {
  inputFailed_ = false;
  failure_.clear();
  failedAt_.clear();
}

}  // namespace zacad
