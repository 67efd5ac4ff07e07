// The keyword list of acedInitGet: "Line Arc _ Line Arc", local keywords first, then after a
// lone "_" their language-independent global names in the same order.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zacad {

class KeywordList {
 public:
  KeywordList() = default;
  explicit KeywordList(std::u16string_view list);

  bool empty() const { return local_.empty(); }

  // The keywords as the user sees them (the local ones).
  const std::vector<std::u16string>& shown() const { return local_; }

  // The keyword an answer names, or nothing. A keyword is named by its whole spelling, by its
  // capitals ("eXit" by "X"), or by a prefix at least as long as its last capital; a leading
  // "_" names a global keyword. The result is the global keyword when the list has them.
  std::optional<std::u16string> match(std::u16string_view answer) const;

 private:
  static bool names(const std::u16string& keyword, std::u16string_view answer);

  std::vector<std::u16string> local_;
  std::vector<std::u16string> global_;
};

}  // namespace zacad
