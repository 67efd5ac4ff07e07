// The command line as the front end of modal dialogs: a dialog is shown as text (its caption,
// then each visible control with its id, label and state, and a list's items under it) and
// answered from the same input source as every prompt. Installed when the host's library loads, so
// every dialog an application shows inside the host is answered here.
#include <afxstr.h>
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "picturetext.h"
#include "zacad/commandline.h"
#include "zacad/hostmessages.h"
#include "zacad/windowreading.h"
#include "zwin32/dialogfrontend.h"

namespace zacad {
namespace {

// A label as the user types it: without the '&' that marks an accelerator ("&&" is a '&').
std::u16string Label(const std::u16string& text) {
  std::u16string label;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size())
      ++i;
    label += text[i];
  }
  return label;
}

std::u16string Trimmed(const std::u16string& text) {
  const size_t first = text.find_first_not_of(u" \t");
  if (first == std::u16string::npos)
    return {};
  return text.substr(first, text.find_last_not_of(u" \t") - first + 1);
}

struct Control {
  HWND hwnd;
  int id;
  std::u16string label;
  std::u16string kind;
  std::vector<std::u16string> states;
  bool clickable;  // a button
  bool editable;   // an edit box
  bool enabled;
  HBITMAP picture = nullptr;               // what a picture button shows
  bool list = false;                       // a list box, whose items can be clicked
  std::vector<std::u16string> items = {};  // its items' texts
  int selection = -1;                      // its selected item
};

std::vector<Control> ControlsOf(HWND dialog) {
  const LRESULT defId = SendMessageW(dialog, DM_GETDEFID, 0, 0);
  const int defaultId = HIWORD(defId) == DC_HASDEFID ? LOWORD(defId) : IDOK;
  std::vector<Control> controls;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child))
      continue;
    Control control{child,
                    GetDlgCtrlID(child),
                    Label(WindowText(child)),
                    {},
                    {},
                    false,
                    false,
                    IsWindowEnabled(child) != FALSE};
    const std::u16string className = ClassName(child);
    const DWORD style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
    if (CStringW(className.c_str()).CompareNoCase(u"Button") == 0) {
      const DWORD type = style & BS_TYPEMASK;
      const LRESULT state = SendMessageW(child, BM_GETSTATE, 0, 0);
      const bool picture = (style & (BS_BITMAP | BS_ICON)) != 0;
      control.clickable = type != BS_GROUPBOX;
      if (type == BS_OWNERDRAW || (picture && (style & BS_PUSHLIKE) != 0)) {
        control.kind = Message(picture ? Msg::kPictureButton : Msg::kOwnerDrawnButton);
        control.picture =
            reinterpret_cast<HBITMAP>(SendMessageW(child, BM_GETIMAGE, IMAGE_BITMAP, 0));
        control.states.push_back(
            Message((state & BST_PUSHED) != 0 ? Msg::kPressed : Msg::kReleased));
      } else if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
                 type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
        const bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
        control.kind = Message(radio ? Msg::kRadioButton : Msg::kCheckBox);
        const LRESULT check = state & 3;
        control.states.push_back(Message(check == BST_CHECKED         ? Msg::kChecked
                                         : check == BST_INDETERMINATE ? Msg::kIndeterminate
                                                                      : Msg::kUnchecked));
        if ((state & BST_PUSHED) != 0)
          control.states.push_back(Message(Msg::kPressed));
      } else if (type == BS_GROUPBOX) {
        control.kind = Message(Msg::kGroup);
      } else {
        control.kind = Message(Msg::kPushButton);
        if ((state & BST_PUSHED) != 0)
          control.states.push_back(Message(Msg::kPressed));
      }
      if (control.clickable && control.id == defaultId && type != BS_OWNERDRAW &&
          (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON))
        control.states.push_back(Message(Msg::kDefault));
    } else if (CStringW(className.c_str()).CompareNoCase(u"Edit") == 0) {
      control.kind = Message(Msg::kEditBox);
      control.editable = true;
      control.label = u"\"" + WindowText(child) + u"\"";
    } else if (CStringW(className.c_str()).CompareNoCase(u"Static") == 0) {
      control.kind = Message(Msg::kText);
    } else if (CStringW(className.c_str()).CompareNoCase(u"ListBox") == 0) {
      control.kind = Message(Msg::kListBox);
      control.list = true;
      control.items = ListItems(child);
      control.selection = static_cast<int>(SendMessageW(child, LB_GETCURSEL, 0, 0));
    } else {
      control.kind = className;
    }
    if (!control.enabled)
      control.states.push_back(Message(Msg::kDisabledState));
    controls.push_back(std::move(control));
  }
  return controls;
}

// The dialog's pictures side by side, each under its control's id.
std::u16string Pictures(const std::vector<Control>& controls) {
  constexpr size_t kGap = 4;
  std::vector<std::pair<std::u16string, std::vector<std::u16string>>> pictures;
  size_t rows = 0;
  for (const Control& control : controls) {
    std::vector<std::u16string> picture = PictureAsText(control.picture);
    if (picture.empty())
      continue;
    CStringW id;
    id.Format(u"[%d]", control.id);
    rows = std::max(rows, picture.size());
    pictures.emplace_back(id.GetString(), std::move(picture));
  }
  if (pictures.empty())
    return {};
  auto joined = [&](auto lineOf) {
    std::u16string line = u"  ";
    for (const auto& [id, picture] : pictures) {
      std::u16string part = lineOf(id, picture);
      part.resize(picture.front().size() + kGap, u' ');
      line += part;
    }
    return line.substr(0, line.find_last_not_of(u' ') + 1) + u"\n";
  };
  std::u16string text = joined([](const std::u16string& id, const auto&) { return id; });
  for (size_t row = 0; row < rows; ++row) {
    text += joined([row](const std::u16string&, const std::vector<std::u16string>& picture) {
      return row < picture.size() ? picture[row] : std::u16string();
    });
  }
  // The pictures' blank bottom rows.
  while (text.ends_with(u"\n\n"))
    text.pop_back();
  return text;
}

std::u16string Describe(HWND dialog, const std::vector<Control>& controls) {
  std::u16string text = Message(Msg::kDialogCaption, {WindowText(dialog)});
  for (const Control& control : controls) {
    const bool hasId = control.id != -1 && control.id != 0xFFFF;
    CStringW id;
    if (hasId)
      id.Format(u"%d", control.id);
    std::u16string line = u"  [" + std::u16string(id.GetString()) + u"] ";
    if (!control.label.empty())
      line += control.label + u"  ";
    line += u"(" + control.kind;
    for (const std::u16string& state : control.states)
      line += u", " + state;
    text += line + u")\n";
    // A list's items, each under the answer that clicks it; the selected one marked.
    for (size_t i = 0; i < control.items.size(); ++i) {
      CStringW item;
      item.Format(u"%s[%s:%d] ", static_cast<int>(i) == control.selection ? u"  > " : u"    ",
                  id.GetString(), static_cast<int>(i));
      text += item.GetString() + control.items[i] + u"\n";
    }
  }
  return text;
}

// After a click, only the lines of the controls it changed, so that a long dialog is not
// shown again whole; the whole dialog when its controls came or went.
std::u16string Changes(const std::u16string& before, const std::u16string& after) {
  auto lines = [](const std::u16string& text) {
    std::vector<std::u16string> result;
    size_t start = 0;
    for (size_t end; (end = text.find(u'\n', start)) != std::u16string::npos; start = end + 1)
      result.push_back(text.substr(start, end - start + 1));
    return result;
  };
  const std::vector<std::u16string> old = lines(before);
  const std::vector<std::u16string> now = lines(after);
  if (old.size() != now.size())
    return after;
  std::u16string changed = u"\n";
  for (size_t i = 0; i < now.size(); ++i) {
    if (now[i] != old[i])
      changed += now[i];
  }
  return changed;
}

// What an answer means: the control it names, by id or by label, and the text after '=' or
// the list item after ':' ("::" for a double click).
struct Target {
  const Control* control = nullptr;
  std::optional<std::u16string> typed;
  int item = -1;
  bool twice = false;
};

const Control* Find(const std::vector<Control>& controls, const std::u16string& name) {
  const std::u16string wanted = Trimmed(name);
  if (wanted.empty())
    return nullptr;
  if (wanted.find_first_not_of(u"0123456789") == std::u16string::npos && wanted.size() < 6) {
    const int id = std::stoi(std::string(wanted.begin(), wanted.end()));
    for (const Control& control : controls) {
      if (control.id == id && (control.clickable || control.editable || control.list))
        return &control;
    }
  }
  for (const Control& control : controls) {
    if (control.clickable && !control.label.empty() &&
        CStringW(control.label.c_str()).CompareNoCase(wanted.c_str()) == 0)
      return &control;
  }
  return nullptr;
}

// The edit box a line goes to when it names no control: the dialog's first enabled one, as the
// edit line of a dialog that has one takes what the user types.
const Control* EditLine(const std::vector<Control>& controls) {
  for (const Control& control : controls) {
    if (control.editable && control.enabled)
      return &control;
  }
  return nullptr;
}

// "id:n" or "id::n": item n of list `id`; nothing when the answer is not of that form or the
// list has no such item.
std::optional<Target> ListItem(const std::vector<Control>& controls, const std::u16string& answer) {
  const size_t colon = answer.find(u':');
  if (colon == std::u16string::npos || colon == 0)
    return std::nullopt;
  const bool twice = answer.compare(colon, 2, u"::") == 0;
  const std::u16string index = answer.substr(colon + (twice ? 2 : 1));
  if (index.empty() || index.size() > 5 ||
      index.find_first_not_of(u"0123456789") != std::u16string::npos)
    return std::nullopt;
  const Control* list = Find(controls, answer.substr(0, colon));
  const int item = std::stoi(std::string(index.begin(), index.end()));
  if (list == nullptr || !list->list || item >= static_cast<int>(list->items.size()))
    return std::nullopt;
  return Target{list, std::nullopt, item, twice};
}

// `answer` is the line as typed: a control is named by its trimmed text, while text for an edit
// box keeps its spaces.
Target Resolve(const std::vector<Control>& controls, const std::u16string& answer) {
  const std::u16string trimmed = Trimmed(answer);
  if (std::optional<Target> item = ListItem(controls, trimmed))
    return *item;
  const size_t equals = trimmed.find(u'=');
  if (equals != std::u16string::npos) {
    const Control* control = Find(controls, trimmed.substr(0, equals));
    if (control != nullptr && control->editable)
      return {control, trimmed.substr(equals + 1)};
  }
  const Control* named = Find(controls, trimmed);
  if (named != nullptr && named->clickable)
    return {named, std::nullopt};
  if (const Control* edit = EditLine(controls))
    return {edit, answer};
  return {};
}

class CommandLineDialogs : public zwin32::DialogFrontEnd {
 public:
  CommandLineDialogs() { zwin32::SetDialogFrontEnd(this); }
  ~CommandLineDialogs() override {
    if (zwin32::GetDialogFrontEnd() == this)
      zwin32::SetDialogFrontEnd(nullptr);
  }

  zwin32::DialogInput NextInput(HWND dialog) override {
    CommandLine& commandLine = CommandLine::instance();
    if (commandLine.inputFailed() || !commandLine.hasSource())
      return {zwin32::DialogInput::Kind::kAbandon, nullptr, {}};
    std::vector<Control> controls = ControlsOf(dialog);
    // The dialog is shown when it opens and whenever a click changed what it shows.
    const std::u16string description = Describe(dialog, controls);
    if (dialog != shownDialog_) {
      commandLine.write(description + Pictures(controls));
    } else if (description != shownText_) {
      commandLine.write(Changes(shownText_, description));
    }
    shownDialog_ = dialog;
    shownText_ = description;
    // What the accepted answer names, kept by the check that resolved it.
    Target target;
    const AnswerCheck check = [&](const std::u16string& answer) -> std::optional<std::u16string> {
      const std::u16string trimmed = Trimmed(answer);
      if (trimmed.empty() || trimmed == u"?")
        return std::nullopt;
      target = Resolve(controls, answer);
      if (target.control == nullptr)
        return Message(Msg::kNoControl, {trimmed}) + Message(Msg::kDialogHelp);
      if (!target.control->enabled)
        return Message(Msg::kDisabled, {trimmed});
      return std::nullopt;
    };
    // A dialog with an edit box takes whole lines, as typed text keeps its spaces; any other
    // dialog takes one answer a word, as the host's prompts do, so that one script line can
    // click several controls. Labels that hold spaces are still one answer.
    const bool typing = EditLine(controls) != nullptr;
    std::vector<std::u16string> labels;
    for (const Control& control : controls) {
      if (control.clickable && control.label.find(u' ') != std::u16string::npos)
        labels.push_back(control.label);
    }
    commandLine.expect({InputRequest::Kind::kDialog, std::nullopt, {}});
    const Answer answer =
        commandLine.ask(Message(Msg::kDialogAnswer),
                        typing ? AnswerMode::kLine : AnswerMode::kToken, check, labels);
    if (answer.kind == Answer::Kind::kCancel && !commandLine.inputFailed())
      return {zwin32::DialogInput::Kind::kEscape, nullptr, {}};
    if (!answer.ok())
      return {zwin32::DialogInput::Kind::kAbandon, nullptr, {}};
    const std::u16string trimmed = Trimmed(answer.text);
    if (trimmed.empty())
      return {zwin32::DialogInput::Kind::kEnter, nullptr, {}};
    if (trimmed == u"?") {
      commandLine.write(description + Pictures(controls) + Message(Msg::kDialogHelp) + u"\n");
      return NextInput(dialog);
    }
    if (target.typed)
      return {zwin32::DialogInput::Kind::kSetText, target.control->hwnd, *target.typed};
    if (target.control->list) {
      zwin32::DialogInput input{target.twice ? zwin32::DialogInput::Kind::kDoubleClickItem
                                             : zwin32::DialogInput::Kind::kClickItem,
                                target.control->hwnd,
                                {}};
      input.item = target.item;
      return input;
    }
    return {zwin32::DialogInput::Kind::kClick, target.control->hwnd, {}};
  }

 private:
  HWND shownDialog_ = nullptr;
  std::u16string shownText_;
};

CommandLineDialogs g_dialogs;

}  // namespace
}  // namespace zacad
