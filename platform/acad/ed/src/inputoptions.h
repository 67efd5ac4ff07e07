// What acedInitGet sets up for the next input call, shared by every acedGet* call: each call
// takes the options once, so they never leak into a later question.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "AdAChar.h"
#include "keywordlist.h"

namespace zacad {

struct InputOptions {
  int flags = 0;
  KeywordList keywords;
};

// Stores the options of the next input call (acedInitGet).
void SetNextOptions(int flags, std::u16string_view keywords);

// The options of the current call; the next call starts afresh, as in the host.
InputOptions TakeOptions();

// The keyword of the last call that returned RTKWORD (acedGetInput).
void SetLastKeyword(std::u16string keyword);
const std::u16string& LastKeyword();

std::u16string_view PromptText(const ACHAR* prompt);

// A number typed in the host's notation: optional sign, digits, optional fraction and
// exponent, nothing else.
std::optional<double> ParseReal(std::u16string_view text);

// The message refusing `value` under RSG_NOZERO / RSG_NONEG, or nothing when it is allowed.
std::optional<std::u16string> CheckSign(const InputOptions& options, double value);

// A point as typed: "x,y", "x,y,z", "@dx,dy[,dz]" from LASTPOINT, "d<a" polar (degrees),
// "@" alone for LASTPOINT. Nothing when the text is no point.
std::optional<std::array<double, 3>> ParsePoint(std::u16string_view text);

}  // namespace zacad
