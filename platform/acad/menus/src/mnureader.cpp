// The legacy menu file (.MNU). The subset read here:
//
//   //  comment lines
//   ***MENUGROUP=GROUP
//   ***POP1
//   **ALIAS
//   ID_Pop     [&Lists]                           first line: the menu's title
//   ID_Header  [&Header]^C^C_HEADER               items: optional tag, [label], macro
//              [--]                               separator
//   ***TOOLBARS
//   **TB_LISTS
//   ID_TbLists [_Toolbar("LISTS", _Top, _Show, 0, 0, 1)]
//   ID_TbHead  [_Button("Header", "ICON16", "ICON32")]^C^C_HEADER
//   ***HELPSTRINGS
//   ID_Header  [Tags the header]                  help by tag (a button's tooltip)
//
// A macro ending in '+' continues on the next line. Other sections (***BUTTONSn, ***AUX,
// ***ACCELERATORS, ...) and toolbar flyouts and controls are ignored.
#include <map>

#include "menureaders.h"
#include "zwin32/utf.h"

namespace zacad {
namespace {

std::u16string Trim(std::u16string_view text) {
  const size_t first = text.find_first_not_of(u" \t");
  if (first == std::u16string_view::npos)
    return {};
  const size_t last = text.find_last_not_of(u" \t");
  return std::u16string(text.substr(first, last - first + 1));
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size())
    return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char16_t a = text[i], b = prefix[i];
    if (a >= u'a' && a <= u'z')
      a -= 32;
    if (b >= u'a' && b <= u'z')
      b -= 32;
    if (a != b)
      return false;
  }
  return true;
}

// One menu line: "[tag] [label]macro".
struct Line {
  int number = 0;
  std::u16string tag, label, macro;
  bool hasLabel = false;
};

// The quoted arguments and bare words of "_Toolbar(...)" or "_Button(...)".
std::vector<std::u16string> Arguments(std::u16string_view call) {
  std::vector<std::u16string> args;
  const size_t open = call.find(u'(');
  const size_t close = call.rfind(u')');
  if (open == std::u16string_view::npos || close == std::u16string_view::npos || close < open)
    return args;
  std::u16string_view inside = call.substr(open + 1, close - open - 1);
  std::u16string current;
  bool quoted = false;
  for (char16_t c : inside) {
    if (c == u'"') {
      quoted = !quoted;
    } else if (c == u',' && !quoted) {
      args.push_back(Trim(current));
      current.clear();
    } else {
      current += c;
    }
  }
  args.push_back(Trim(current));
  return args;
}

class MnuReader {
 public:
  MnuReader(const std::string& where, std::string& error) : where_(where), error_(error) {}

  std::optional<MenuGroup> read(const std::u16string& text) {
    int number = 0;
    size_t start = 0;
    std::u16string pending;  // a macro continued with '+'
    int pendingLine = 0;
    while (start <= text.size()) {
      size_t end = text.find(u'\n', start);
      if (end == std::u16string::npos)
        end = text.size();
      std::u16string raw = text.substr(start, end - start);
      start = end + 1;
      ++number;
      if (!raw.empty() && raw.back() == u'\r')
        raw.pop_back();
      if (!pending.empty()) {
        raw = pending + Trim(raw);
        pending.clear();
      } else {
        pendingLine = number;
      }
      if (!raw.empty() && raw.back() == u'+' && !StartsWithIgnoringCase(Trim(raw), u"//")) {
        raw.pop_back();
        pending = raw;
        continue;
      }
      if (!handle(Trim(raw), pendingLine))
        return std::nullopt;
      if (end == text.size())
        break;
    }
    if (!sawGroup_) {
      error_ = where_ + ": no ***MENUGROUP= line";
      return std::nullopt;
    }
    finishToolbar();
    for (PullDownMenu& menu : group_.menus) {
      for (MenuItem& item : menu.items)
        item.help = helpOf(item.help);
    }
    for (Toolbar& toolbar : group_.toolbars) {
      for (ToolbarButton& button : toolbar.buttons) {
        const std::u16string help = helpOf(button.tooltip);
        button.tooltip = help.empty() ? button.name : help;
      }
    }
    return std::move(group_);
  }

 private:
  bool fail(int line, const std::string& why) {
    error_ = where_ + ":" + std::to_string(line) + ": " + why;
    return false;
  }

  // Items keep their tag in `help` (and buttons in `tooltip`) until the help strings are known.
  std::u16string helpOf(const std::u16string& tag) const {
    auto found = help_.find(tag);
    return tag.empty() || found == help_.end() ? std::u16string() : found->second;
  }

  bool splitLine(const std::u16string& text, int number, Line& line) {
    line.number = number;
    const size_t open = text.find(u'[');
    if (open == std::u16string::npos) {
      line.macro = text;
      return true;
    }
    // Only a tag (one word) may come before the label.
    line.tag = Trim(std::u16string_view(text).substr(0, open));
    if (line.tag.find_first_of(u" \t") != std::u16string::npos) {
      line.tag.clear();
      line.macro = text;
      return true;
    }
    const size_t close = text.find(u']', open);
    if (close == std::u16string::npos)
      return fail(number, "a label without its closing ']'");
    line.label = text.substr(open + 1, close - open - 1);
    line.hasLabel = true;
    line.macro = Trim(std::u16string_view(text).substr(close + 1));
    return true;
  }

  void finishToolbar() {
    if (toolbar_)
      group_.toolbars.push_back(std::move(*toolbar_));
    toolbar_.reset();
  }

  bool handle(const std::u16string& text, int number) {
    if (text.empty() || text.starts_with(u"//"))
      return true;
    if (text.starts_with(u"***")) {
      finishToolbar();
      section_ = text.substr(3);
      if (StartsWithIgnoringCase(section_, u"MENUGROUP=")) {
        group_.name = Trim(std::u16string_view(section_).substr(10));
        if (group_.name.empty())
          return fail(number, "***MENUGROUP= without a name");
        sawGroup_ = true;
      } else if (StartsWithIgnoringCase(section_, u"POP")) {
        group_.menus.push_back({section_, {}, {}});
        titled_ = false;
      }
      return true;
    }
    if (text.starts_with(u"**")) {
      finishToolbar();
      if (StartsWithIgnoringCase(section_, u"POP") && !group_.menus.empty())
        group_.menus.back().alias = text.substr(2);
      return true;
    }
    Line line;
    if (!splitLine(text, number, line))
      return false;
    if (StartsWithIgnoringCase(section_, u"POP") && !group_.menus.empty()) {
      PullDownMenu& menu = group_.menus.back();
      if (!titled_) {
        menu.title = line.label;
        titled_ = true;
      } else {
        menu.items.push_back({line.label, line.macro, line.tag});
      }
    } else if (StartsWithIgnoringCase(section_, u"TOOLBARS")) {
      return toolbarLine(line);
    } else if (StartsWithIgnoringCase(section_, u"HELPSTRINGS") && !line.tag.empty()) {
      help_[line.tag] = line.label;
    }
    return true;
  }

  bool toolbarLine(const Line& line) {
    if (StartsWithIgnoringCase(line.label, u"_Toolbar")) {
      finishToolbar();
      const std::vector<std::u16string> args = Arguments(line.label);
      if (args.empty() || args[0].empty())
        return fail(line.number, "_Toolbar without a name");
      Toolbar toolbar;
      toolbar.name = args[0];
      static const std::pair<std::u16string_view, ToolbarPlace> kPlaces[] = {
          {u"_Top", ToolbarPlace::kTop},
          {u"_Bottom", ToolbarPlace::kBottom},
          {u"_Left", ToolbarPlace::kLeft},
          {u"_Right", ToolbarPlace::kRight},
          {u"_Floating", ToolbarPlace::kFloat}};
      for (const auto& [word, place] : kPlaces) {
        if (args.size() > 1 && StartsWithIgnoringCase(args[1], word))
          toolbar.place = place;
      }
      toolbar.visible = args.size() > 2 && StartsWithIgnoringCase(args[2], u"_Show");
      int* numbers[] = {&toolbar.x, &toolbar.y, &toolbar.rows};
      for (size_t i = 3; i < args.size() && i < 6; ++i) {
        const std::string digits = zwin32::ToUtf8(args[i]);
        if (digits.empty() || digits.find_first_not_of("-0123456789") != std::string::npos)
          return fail(line.number, "a bad number in _Toolbar: \"" + digits + "\"");
        *numbers[i - 3] = std::stoi(digits);
      }
      toolbar_ = std::move(toolbar);
      return true;
    }
    if (StartsWithIgnoringCase(line.label, u"_Button")) {
      if (!toolbar_)
        return fail(line.number, "a _Button outside a toolbar");
      const std::vector<std::u16string> args = Arguments(line.label);
      if (args.empty() || args[0].empty())
        return fail(line.number, "_Button without a name");
      toolbar_->buttons.push_back({args[0], line.macro, line.tag});
    }
    return true;
  }

  const std::string& where_;
  std::string& error_;
  MenuGroup group_;
  bool sawGroup_ = false;
  std::u16string section_;
  bool titled_ = false;
  std::optional<Toolbar> toolbar_;
  std::map<std::u16string, std::u16string> help_;
};

}  // namespace

std::optional<MenuGroup> ReadMnu(std::string_view bytes, const std::string& where,
                                 std::string& error) {
  // Menu files were saved in the ANSI code page; UTF-8 ones are read as such.
  if (bytes.starts_with("\xEF\xBB\xBF"))
    bytes.remove_prefix(3);
  std::optional<std::u16string> text = zwin32::FromUtf8Strict(bytes);
  return MnuReader(where, error).read(text ? *text : zwin32::FromCp1252(bytes));
}

}  // namespace zacad
