// The acedGet* input calls and acedInitGet: each is one question asked through the command
// line, with the check that decides whether an answer is usable.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "acedads.h"
#include "inputoptions.h"
#include "zacad/commandline.h"
#include "zacad/hostmessages.h"

namespace {

using zacad::Answer;
using zacad::AnswerMode;
using zacad::CheckSign;
using zacad::CommandLine;
using zacad::InputOptions;
using zacad::InputRequest;
using zacad::Message;
using zacad::Msg;
using zacad::ParseReal;
using zacad::PromptText;
using zacad::TakeOptions;

int Copy(const std::u16string& text, ACHAR* result, size_t bufsize) {
  if (result == nullptr || bufsize == 0)
    return RTERROR;
  size_t n = std::min(text.size(), bufsize - 1);
  text.copy(result, n);
  result[n] = 0;
  return n < text.size() ? RTINPUTTRUNCATED : RTNORM;
}

// Asks for a number (or a keyword): returns RTNORM with `value` set, RTKWORD, RTNONE or RTCAN.
template <typename Parse>
int AskNumber(const ACHAR* prompt, const std::u16string& invalid, Parse parse, double& value) {
  InputOptions options = TakeOptions();
  std::optional<std::u16string> keyword;
  const std::u16string message =
      invalid + (options.keywords.empty() ? u"." : u" or option keyword.");
  auto check = [&](const std::u16string& text) -> std::optional<std::u16string> {
    keyword.reset();
    if (text.empty()) {
      if (options.flags & RSG_NONULL)
        return message;
      return std::nullopt;
    }
    if ((keyword = options.keywords.match(text)))
      return std::nullopt;
    std::optional<double> number = parse(text);
    if (!number)
      return message;
    if (auto wrong = CheckSign(options, *number))
      return wrong;
    value = *number;
    return std::nullopt;
  };
  CommandLine& line = CommandLine::instance();
  line.expect({InputRequest::Kind::kNumber, std::nullopt, options.keywords.shown()});
  Answer answer = line.ask(PromptText(prompt), AnswerMode::kToken, check);
  if (!answer.ok())
    return RTCAN;
  if (answer.text.empty())
    return RTNONE;
  if (keyword) {
    zacad::SetLastKeyword(*keyword);
    return RTKWORD;
  }
  return RTNORM;
}

}  // namespace

int acedInitGet(int val, const ACHAR* kwl) {
  zacad::SetNextOptions(val, PromptText(kwl));
  return RTNORM;
}

int acedGetString(int cronly, const ACHAR* prompt, ACHAR* result) {
  return acedGetString(cronly, prompt, result, ACED_MAX_INPUT_LEN);
}

int acedGetString(int cronly, const ACHAR* prompt, ACHAR* result, size_t bufsize) {
  TakeOptions();
  Answer answer = CommandLine::instance().read(PromptText(prompt),
                                               cronly ? AnswerMode::kLine : AnswerMode::kToken);
  if (!answer.ok()) {
    if (result != nullptr && bufsize > 0)
      result[0] = 0;
    return RTCAN;
  }
  return Copy(answer.text, result, bufsize);
}

int acedGetKword(const ACHAR* prompt, ACHAR* result) {
  return acedGetKword(prompt, result, ACED_MAX_INPUT_LEN);
}

int acedGetKword(const ACHAR* prompt, ACHAR* result, size_t bufsize) {
  InputOptions options = TakeOptions();
  std::u16string keyword;
  auto check = [&](const std::u16string& text) -> std::optional<std::u16string> {
    if (text.empty()) {
      if (options.flags & RSG_NONULL)
        return Message(Msg::kInvalidKeyword);
      keyword.clear();
      return std::nullopt;
    }
    std::optional<std::u16string> match = options.keywords.match(text);
    if (!match)
      return Message(Msg::kInvalidKeyword);
    keyword = *match;
    return std::nullopt;
  };
  CommandLine& line = CommandLine::instance();
  line.expect({InputRequest::Kind::kKeyword, std::nullopt, options.keywords.shown()});
  Answer answer = line.ask(PromptText(prompt), AnswerMode::kToken, check);
  if (!answer.ok())
    return RTCAN;
  if (answer.text.empty()) {
    Copy(u"", result, bufsize);
    return RTNONE;
  }
  zacad::SetLastKeyword(keyword);
  return Copy(keyword, result, bufsize);
}

int acedGetInt(const ACHAR* prompt, int* result) {
  auto parse = [](const std::u16string& text) -> std::optional<double> {
    std::optional<double> value = ParseReal(text);
    if (!value || *value != std::floor(*value) || *value < -32768 || *value > 32767 ||
        text.find_first_of(u".eE") != std::u16string::npos) {
      return std::nullopt;
    }
    return value;
  };
  double value = 0;
  int status = AskNumber(prompt, Message(Msg::kNeedInteger), parse, value);
  if (status == RTNORM && result != nullptr)
    *result = static_cast<int>(value);
  return status;
}

int acedGetReal(const ACHAR* prompt, ads_real* result) {
  double value = 0;
  int status = AskNumber(prompt, Message(Msg::kNeedReal), ParseReal, value);
  if (status == RTNORM && result != nullptr)
    *result = value;
  return status;
}

int acedGetInput(ACHAR* str) {
  return acedGetInput(str, ACED_MAX_INPUT_LEN);
}

int acedGetInput(ACHAR* str, size_t bufsize) {
  return Copy(zacad::LastKeyword(), str, bufsize);
}
