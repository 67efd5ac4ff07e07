#include "keywordlist.h"

namespace zacad {
namespace {

char16_t Upper(char16_t c) {
  if (c >= u'a' && c <= u'z')
    return c - (u'a' - u'A');
  // Latin-1 lower-case letters, as in French keywords.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
    return c - 0x20;
  return c;
}

bool IsUpper(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
}

bool SameText(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i]))
      return false;
  }
  return true;
}

}  // namespace

KeywordList::KeywordList(std::u16string_view list) {
  bool global = false;
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find(u' ', start);
    if (end == std::u16string_view::npos)
      end = list.size();
    std::u16string word(list.substr(start, end - start));
    if (word == u"_") {
      global = true;
    } else if (!word.empty()) {
      (global ? global_ : local_).push_back(std::move(word));
    }
    start = end + 1;
  }
  // Globals only count when they pair up with the local keywords.
  if (global_.size() != local_.size())
    global_.clear();
}

bool KeywordList::names(const std::u16string& keyword, std::u16string_view answer) {
  if (answer.empty() || answer.size() > keyword.size())
    return false;
  if (SameText(keyword, answer))
    return true;
  std::u16string capitals;
  size_t lastCapital = 0;
  for (size_t i = 0; i < keyword.size(); ++i) {
    if (IsUpper(keyword[i])) {
      capitals += keyword[i];
      lastCapital = i + 1;
    }
  }
  // A keyword written all in capitals or all in lower case has no abbreviation.
  if (capitals.empty() || capitals.size() == keyword.size())
    return false;
  if (SameText(capitals, answer))
    return true;
  return answer.size() >= lastCapital && SameText(keyword.substr(0, answer.size()), answer);
}

std::optional<std::u16string> KeywordList::match(std::u16string_view answer) const {
  if (!answer.empty() && answer[0] == u'_') {
    answer.remove_prefix(1);
    const auto& list = global_.empty() ? local_ : global_;
    for (const auto& keyword : list) {
      if (names(keyword, answer))
        return keyword;
    }
    return std::nullopt;
  }
  for (size_t i = 0; i < local_.size(); ++i) {
    if (names(local_[i], answer))
      return global_.empty() ? local_[i] : global_[i];
  }
  return std::nullopt;
}

}  // namespace zacad
