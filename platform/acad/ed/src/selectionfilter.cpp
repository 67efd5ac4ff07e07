#include "selectionfilter.h"

#include <cmath>
#include <cstring>

#include "../../rx/src/resvaluekind.h"
#include "adscodes.h"

namespace zacad {
namespace {

char16_t Upper(char16_t c) {
  if (c >= u'a' && c <= u'z')
    return c - (u'a' - u'A');
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
    return c - 0x20;
  return c;
}

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

bool IsLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
         (c >= 0xC0 && c != 0xD7 && c != 0xF7);
}

// Matches one alternative (no top-level commas) from `p` against `t`.
bool MatchOne(std::u16string_view t, std::u16string_view p) {
  while (!p.empty()) {
    char16_t c = p[0];
    if (c == u'*') {
      p.remove_prefix(1);
      for (size_t i = 0; i <= t.size(); ++i) {
        if (MatchOne(t.substr(i), p))
          return true;
      }
      return false;
    }
    if (t.empty())
      return false;
    char16_t ch = t[0];
    size_t used = 1;
    bool ok = false;
    if (c == u'`' && p.size() > 1) {
      ok = Upper(p[1]) == Upper(ch);
      used = 2;
    } else if (c == u'?') {
      ok = true;
    } else if (c == u'#') {
      ok = IsDigit(ch);
    } else if (c == u'@') {
      ok = IsLetter(ch);
    } else if (c == u'.') {
      ok = !IsDigit(ch) && !IsLetter(ch);
    } else if (c == u'[') {
      size_t close = p.find(u']', 2);
      if (close == std::u16string_view::npos)
        return false;
      std::u16string_view set = p.substr(1, close - 1);
      bool negate = !set.empty() && set[0] == u'~' && set.size() > 1;
      if (negate)
        set.remove_prefix(1);
      bool in = false;
      for (size_t i = 0; i < set.size() && !in; ++i) {
        if (i + 2 < set.size() && set[i + 1] == u'-') {
          in = Upper(ch) >= Upper(set[i]) && Upper(ch) <= Upper(set[i + 2]);
          i += 2;
        } else {
          in = Upper(ch) == Upper(set[i]);
        }
      }
      ok = in != negate;
      used = close + 1;
    } else {
      ok = Upper(c) == Upper(ch);
    }
    if (!ok)
      return false;
    p.remove_prefix(used);
    t.remove_prefix(1);
  }
  return t.empty();
}

const std::u16string_view kGroupings[][2] = {
    {u"<AND", u"AND>"}, {u"<OR", u"OR>"}, {u"<XOR", u"XOR>"}, {u"<NOT", u"NOT>"}};

std::u16string UpperText(const ACHAR* text) {
  std::u16string upper = text == nullptr ? std::u16string() : std::u16string(text);
  for (char16_t& c : upper)
    c = Upper(c);
  return upper;
}

bool KnownRelation(std::u16string_view op) {
  for (std::u16string_view known :
       {u"*", u"=", u"!=", u"/=", u"<>", u"<", u"<=", u">", u">=", u"&", u"&="}) {
    if (op == known)
      return true;
  }
  return false;
}

// RTDXF0 stands for group 0 in lists built with acutBuildList.
int Code(const resbuf* rb) {
  return rb->restype == RTDXF0 ? 0 : rb->restype;
}

bool Compare(std::u16string_view op, double value, double wanted) {
  if (op == u"*")
    return true;
  if (op == u"=")
    return value == wanted;
  if (op == u"!=" || op == u"/=" || op == u"<>")
    return value != wanted;
  if (op == u"<")
    return value < wanted;
  if (op == u"<=")
    return value <= wanted;
  if (op == u">")
    return value > wanted;
  if (op == u">=")
    return value >= wanted;
  const auto bits = static_cast<int64_t>(value);
  const auto mask = static_cast<int64_t>(wanted);
  if (op == u"&")
    return (bits & mask) != 0;
  return (bits & mask) == mask;  // "&="
}

std::optional<double> Number(const resbuf* rb) {
  switch (resValueKind(rb->restype)) {
    case ResValueKind::kReal:
      return rb->resval.rreal;
    case ResValueKind::kShort:
      return rb->resval.rint;
    case ResValueKind::kLong:
      return rb->resval.rlong;
    case ResValueKind::kInt64:
      return static_cast<double>(rb->resval.mnInt64);
    default:
      return std::nullopt;
  }
}

// A point's operator may name one relation per coordinate: ">,>,*".
bool ComparePoint(std::u16string_view op, const double* value, const double* wanted) {
  for (int i = 0; i < 3; ++i) {
    size_t comma = op.find(u',');
    std::u16string_view one = op.substr(0, comma);
    if (!Compare(one, value[i], wanted[i]))
      return false;
    if (comma != std::u16string_view::npos)
      op.remove_prefix(comma + 1);
  }
  return true;
}

}  // namespace

bool WildcardMatch(std::u16string_view text, std::u16string_view pattern) {
  // Commas separate alternatives, except a quoted one.
  size_t start = 0;
  for (size_t i = 0; i <= pattern.size(); ++i) {
    if (i < pattern.size() && pattern[i] == u'`') {
      ++i;
      continue;
    }
    if (i < pattern.size() && pattern[i] != u',')
      continue;
    std::u16string_view one = pattern.substr(start, i - start);
    bool negate = !one.empty() && one[0] == u'~';
    if (negate)
      one.remove_prefix(1);
    if (MatchOne(text, one) != negate)
      return true;
    start = i + 1;
  }
  return false;
}

std::optional<SelectionFilter> SelectionFilter::Parse(const resbuf* list) {
  SelectionFilter filter;
  // Open groupings, innermost last; the root is an implied AND.
  std::vector<std::pair<Node*, std::u16string_view>> open = {{&filter.root_, u""}};
  std::u16string pendingOp;
  bool havePending = false;
  for (const resbuf* rb = list; rb != nullptr; rb = rb->rbnext) {
    if (rb->restype != -4) {
      if (resValueKind(rb->restype) == ResValueKind::kUnknown)
        return std::nullopt;
      Node node;
      node.kind = Node::Kind::kTest;
      node.test = rb;
      if (havePending)
        node.op = pendingOp;
      havePending = false;
      open.back().first->operands.push_back(std::move(node));
      continue;
    }
    if (havePending)
      return std::nullopt;  // two operators in a row
    std::u16string word = UpperText(rb->resval.rstring);
    bool grouping = false;
    for (size_t g = 0; g < std::size(kGroupings); ++g) {
      if (word == kGroupings[g][0]) {
        Node node;
        node.kind = static_cast<Node::Kind>(g + 1);
        Node* parent = open.back().first;
        parent->operands.push_back(std::move(node));
        open.emplace_back(&parent->operands.back(), kGroupings[g][1]);
        grouping = true;
      } else if (word == kGroupings[g][1]) {
        if (open.size() < 2 || open.back().second != word)
          return std::nullopt;
        const Node& closed = *open.back().first;
        size_t n = closed.operands.size();
        bool counted = closed.kind == Node::Kind::kXor   ? n == 2
                       : closed.kind == Node::Kind::kNot ? n == 1
                                                         : n >= 1;
        if (!counted)
          return std::nullopt;
        open.pop_back();
        grouping = true;
      }
    }
    if (grouping)
      continue;
    // A relational operator, or one per coordinate of a point ("<,>,*").
    std::u16string_view ops = word;
    while (true) {
      size_t comma = ops.find(u',');
      if (!KnownRelation(ops.substr(0, comma)))
        return std::nullopt;
      if (comma == std::u16string_view::npos)
        break;
      ops.remove_prefix(comma + 1);
    }
    pendingOp = word;
    havePending = true;
  }
  if (havePending || open.size() != 1)
    return std::nullopt;
  return filter;
}

bool SelectionFilter::matches(const resbuf* entity) const {
  return evaluate(root_, entity);
}

bool SelectionFilter::evaluate(const Node& node, const resbuf* entity) {
  switch (node.kind) {
    case Node::Kind::kTest:
      return test(node, entity);
    case Node::Kind::kAnd:
      for (const Node& operand : node.operands) {
        if (!evaluate(operand, entity))
          return false;
      }
      return true;
    case Node::Kind::kOr:
      for (const Node& operand : node.operands) {
        if (evaluate(operand, entity))
          return true;
      }
      return false;
    case Node::Kind::kXor:
      return evaluate(node.operands[0], entity) != evaluate(node.operands[1], entity);
    case Node::Kind::kNot:
      return !evaluate(node.operands[0], entity);
  }
  return false;
}

bool SelectionFilter::test(const Node& node, const resbuf* entity) {
  const resbuf* wanted = node.test;
  const int code = Code(wanted);
  const bool negated = node.op == u"!=" || node.op == u"/=" || node.op == u"<>";
  bool present = false;
  for (const resbuf* rb = entity; rb != nullptr; rb = rb->rbnext) {
    if (Code(rb) != code)
      continue;
    present = true;
    switch (resValueKind(rb->restype)) {
      case ResValueKind::kString: {
        if (node.op == u"*")
          return true;
        const ACHAR* text = rb->resval.rstring == nullptr ? u"" : rb->resval.rstring;
        const ACHAR* pattern = wanted->resval.rstring == nullptr ? u"" : wanted->resval.rstring;
        if (WildcardMatch(text, pattern) != negated)
          return true;
        break;
      }
      case ResValueKind::kPoint:
        if (ComparePoint(node.op, rb->resval.rpoint, wanted->resval.rpoint))
          return true;
        break;
      case ResValueKind::kName:
        if ((rb->resval.rlname[0] == wanted->resval.rlname[0] &&
             rb->resval.rlname[1] == wanted->resval.rlname[1]) != negated) {
          return true;
        }
        break;
      default: {
        std::optional<double> value = Number(rb);
        std::optional<double> target = Number(wanted);
        if (value && target && Compare(node.op, *value, *target))
          return true;
      }
    }
  }
  // An entity without a colour group is coloured BYLAYER (256).
  if (!present && code == 62) {
    std::optional<double> target = Number(wanted);
    return target && Compare(node.op, 256, *target);
  }
  return false;
}

}  // namespace zacad
