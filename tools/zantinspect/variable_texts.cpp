#include "variable_texts.h"

#include <algorithm>
#include <cctype>

#include "variable_catalogue.h"

namespace zinspect {

namespace {

bool WordChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool Ascii(std::string_view word) {
  return std::all_of(word.begin(), word.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// One slip of the keyboard apart: a letter wrong, missing, extra, or two letters swapped.
bool OneTypoApart(std::string_view a, std::string_view b) {
  if (a.size() < b.size())
    std::swap(a, b);
  if (a.size() - b.size() > 1)
    return false;
  size_t i = 0;
  while (i < b.size() && a[i] == b[i])
    ++i;
  if (i == b.size())
    return true;
  if (a.size() != b.size())
    return a.substr(i + 1) == b.substr(i);
  const bool swapped = i + 1 < a.size() && a[i] == b[i + 1] && a[i + 1] == b[i] &&
                       a.substr(i + 2) == b.substr(i + 2);
  return swapped || a.substr(i + 1) == b.substr(i + 1);
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool Misspells(std::string_view word, std::string_view name) {
  return SameIgnoringCase(word, name) || (word.size() >= 6 && OneTypoApart(word, name));
}

bool LooksLikeVariable(std::string_view word) {
  if (!Ascii(word))
    return false;  // French words of column titles ("Schéma", "Repère") are not names
  if (word.ends_with(']'))
    return true;
  for (size_t i = 1; i < word.size(); ++i) {
    if (std::islower(static_cast<unsigned char>(word[i - 1])) &&
        std::isupper(static_cast<unsigned char>(word[i])))
      return true;
  }
  return !NearestName(word).empty();
}

void AddOnce(std::vector<std::string>& list, std::string_view word) {
  if (std::find(list.begin(), list.end(), word) == list.end())
    list.emplace_back(word);
}

}  // namespace

std::string_view NearestName(std::string_view word) {
  for (std::string_view name : VariableNames()) {
    if (Ascii(word) && Misspells(word, name))
      return name;
  }
  return {};
}

VariableUse FindVariables(std::string_view text) {
  VariableUse use;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '"' || c == '\'') {
      const size_t end = text.find(c, i + 1);
      i = end == std::string_view::npos ? text.size() : end + 1;
      continue;
    }
    if (std::isdigit(static_cast<unsigned char>(c))) {
      // A number is skipped whole, so that "12a" is not read as a word.
      while (i < text.size() && (WordChar(text[i]) || text[i] == '.'))
        ++i;
      continue;
    }
    if (!WordChar(c)) {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < text.size() && WordChar(text[end]))
      ++end;
    // An index written right after the name is part of it: "SegmentLength[0]".
    if (end < text.size() && text[end] == '[') {
      const size_t close = text.find(']', end);
      if (close != std::string_view::npos &&
          std::all_of(text.begin() + end + 1, text.begin() + close,
                      [](char d) { return std::isdigit(static_cast<unsigned char>(d)); }))
        end = close + 1;
    }
    const std::string_view word = text.substr(i, end - i);
    if (IsVariableName(word))
      AddOnce(use.names, word);
    else if (LooksLikeVariable(word))
      AddOnce(use.unknown, word);
    i = end;
  }
  return use;
}

}  // namespace zinspect
