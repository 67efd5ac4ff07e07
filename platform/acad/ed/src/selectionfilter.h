// Selection filters: a result-buffer list of DXF groups that an entity's DXF list must match,
// with -4 groups for relational tests ("<", ">=", "&", "*", ...) and logical grouping
// ("<AND" ... "AND>", "<OR", "<XOR", "<NOT"). Top-level groups are joined by AND.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "adsdef.h"

namespace zacad {

class SelectionFilter {
 public:
  // Reads a filter list (null: everything passes). Nothing when the list is malformed: an
  // unbalanced or unknown grouping, a wrong operand count, a relational test with no group
  // after it. The filter refers to `list`, which must outlive it.
  static std::optional<SelectionFilter> Parse(const resbuf* list);

  // True when the filter tests nothing: every entity passes.
  bool empty() const { return root_.operands.empty(); }

  // Whether an entity with this DXF list (acdbEntGet's) passes.
  bool matches(const resbuf* entity) const;

 private:
  struct Node {
    enum class Kind { kTest, kAnd, kOr, kXor, kNot } kind = Kind::kAnd;
    std::vector<Node> operands;
    const resbuf* test = nullptr;  // kTest: the group to compare with
    std::u16string op = u"=";      // kTest: its relational operator
  };

  static bool evaluate(const Node& node, const resbuf* entity);
  static bool test(const Node& node, const resbuf* entity);

  Node root_;
};

// The host's wild-card match (acutWcMatch rules, case ignored): '*' any run, '?' any
// character, '#' a digit, '@' a letter, '.' neither, '[..]' / '[~..]' a class, '~' at the
// start negates, '`' quotes the next character, ',' separates alternatives.
bool WildcardMatch(std::u16string_view text, std::u16string_view pattern);

}  // namespace zacad
