#include "inputoptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "acedads.h"
#include "zwin32/utf.h"
#include "zacad/hostmessages.h"

namespace zacad {
namespace {

InputOptions gNext;
std::u16string gLastKeyword;

}  // namespace

void SetNextOptions(int flags, std::u16string_view keywords) {
  gNext.flags = flags;
  gNext.keywords = KeywordList(keywords);
}

InputOptions TakeOptions() {
  InputOptions options = std::move(gNext);
  gNext = InputOptions();
  return options;
}

void SetLastKeyword(std::u16string keyword) {
  gLastKeyword = std::move(keyword);
}

const std::u16string& LastKeyword() {
  return gLastKeyword;
}

std::u16string_view PromptText(const ACHAR* prompt) {
  return prompt == nullptr ? std::u16string_view() : std::u16string_view(prompt);
}

std::optional<double> ParseReal(std::u16string_view text) {
  std::string narrow = zwin32::ToUtf8(text);
  if (narrow.empty() || narrow.find_first_not_of("+-0123456789.eE") != std::string::npos) {
    return std::nullopt;
  }
  char* end = nullptr;
  errno = 0;
  double value = std::strtod(narrow.c_str(), &end);
  if (end != narrow.c_str() + narrow.size() || errno == ERANGE || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::u16string> CheckSign(const InputOptions& options, double value) {
  bool zero = (options.flags & RSG_NOZERO) != 0 && value == 0;
  bool negative = (options.flags & RSG_NONEG) != 0 && value < 0;
  if ((zero || negative) && (options.flags & RSG_NOZERO) && (options.flags & RSG_NONEG)) {
    return Message(Msg::kPositiveNonzero);
  }
  if (zero)
    return Message(Msg::kNonzero);
  if (negative)
    return Message(Msg::kPositive);
  return std::nullopt;
}

}  // namespace zacad
