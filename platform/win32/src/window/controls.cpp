// The predefined control classes: "Button" (push buttons, check boxes, radio buttons),
// "Static", "Edit" (its text and selection) and "ListBox" (single selection).
#include <algorithm>

#include "windowstore.h"

namespace zwin32 {
namespace {

bool IsCheckable(DWORD type) {
  switch (type) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_AUTORADIOBUTTON:
      return true;
    default:
      return false;
  }
}

void SetCheckBits(Window& button, UINT check) {
  button.buttonState = (button.buttonState & ~3u) | (check & 3u);
}

// An automatic radio button clears the other automatic radio buttons of its group: the run of
// siblings from the one with WS_GROUP before it up to the next WS_GROUP.
void ClearRadioGroup(Window& button) {
  Window* parent = FindWindowRecord(button.parent);
  if (parent == nullptr)
    return;
  const std::vector<HWND>& siblings = parent->children;
  size_t self = 0;
  while (self < siblings.size() && siblings[self] != button.handle)
    ++self;
  size_t first = self;
  while (first > 0 && (FindWindowRecord(siblings[first])->style & WS_GROUP) == 0)
    --first;
  for (size_t i = first; i < siblings.size(); ++i) {
    Window* other = FindWindowRecord(siblings[i]);
    if (i > first && (other->style & WS_GROUP) != 0)
      break;
    if (i != self && other->className == u"Button" &&
        (other->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
      SetCheckBits(*other, BST_UNCHECKED);
  }
}

// What a click does to the button itself before its owner hears of it.
void ClickState(Window& button) {
  const UINT check = button.buttonState & 3u;
  switch (button.style & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
      SetCheckBits(button, check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
      break;
    case BS_AUTO3STATE:
      SetCheckBits(button, (check + 1) % 3);
      break;
    case BS_AUTORADIOBUTTON:
      SetCheckBits(button, BST_CHECKED);
      ClearRadioGroup(button);
      break;
    default:
      break;  // push buttons, owner-drawn buttons and manual boxes: the owner decides
  }
}

}  // namespace

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* button = FindWindowRecord(hwnd);
  if (button == nullptr)
    return 0;
  const DWORD type = button->style & BS_TYPEMASK;
  switch (msg) {
    case BM_GETCHECK:
      return IsCheckable(type) ? (button->buttonState & 3u) : 0;
    case BM_SETCHECK:
      if (IsCheckable(type)) {
        const bool threeState = type == BS_3STATE || type == BS_AUTO3STATE;
        SetCheckBits(*button, wParam == BST_INDETERMINATE && !threeState
                                  ? BST_CHECKED
                                  : static_cast<UINT>(wParam));
      }
      return 0;
    case BM_GETSTATE:
      return button->buttonState;
    case BM_SETSTATE:
      if (wParam)
        button->buttonState |= BST_PUSHED;
      else
        button->buttonState &= ~static_cast<UINT>(BST_PUSHED);
      return 0;
    case BM_SETSTYLE:
      button->style = (button->style & 0xFFFF0000u) | (static_cast<DWORD>(wParam) & 0xFFFFu);
      return 0;
    case BM_GETIMAGE:
      return wParam == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(button->image) : 0;
    case BM_SETIMAGE: {
      if (wParam != IMAGE_BITMAP)
        return 0;
      HANDLE previous = button->image;
      button->image = reinterpret_cast<HANDLE>(lParam);
      return reinterpret_cast<LRESULT>(previous);
    }
    case BM_CLICK: {
      if ((button->style & WS_DISABLED) != 0)
        return 0;
      ClickState(*button);
      const HWND parent = button->parent;
      SendMessageW(parent, WM_COMMAND, MAKEWPARAM(button->id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(hwnd));
      return 0;
    }
    default:
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

namespace {

void Notify(const Window& control, WORD code) {
  SendMessageW(control.parent, WM_COMMAND, MAKEWPARAM(control.id, code),
               reinterpret_cast<LPARAM>(control.handle));
}

}  // namespace

LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* edit = FindWindowRecord(hwnd);
  if (edit == nullptr)
    return 0;
  const auto length = static_cast<DWORD>(edit->text.size());
  switch (msg) {
    case WM_SETTEXT:
      // New text leaves the caret at its start, as Windows does.
      edit->editSelStart = edit->editSelEnd = 0;
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    case EM_GETSEL:
      if (wParam != 0)
        *reinterpret_cast<DWORD*>(wParam) = edit->editSelStart;
      if (lParam != 0)
        *reinterpret_cast<DWORD*>(lParam) = edit->editSelEnd;
      return MAKELONG(std::min<DWORD>(edit->editSelStart, 0xFFFF),
                      std::min<DWORD>(edit->editSelEnd, 0xFFFF));
    case EM_SETSEL: {
      // -1 as the start removes the selection; positions past the end mean the end.
      const auto start = static_cast<int>(wParam);
      const auto end = static_cast<int>(lParam);
      if (start == -1) {
        edit->editSelStart = edit->editSelEnd;
        return 0;
      }
      auto clamp = [length](int position) {
        return position < 0 ? length : std::min(static_cast<DWORD>(position), length);
      };
      edit->editSelStart = std::min(clamp(start), clamp(end));
      edit->editSelEnd = std::max(clamp(start), clamp(end));
      return 0;
    }
    case EM_REPLACESEL: {
      const auto* text = reinterpret_cast<LPCWSTR>(lParam);
      const std::u16string inserted = text != nullptr ? text : u"";
      const DWORD start = std::min(edit->editSelStart, length);
      const DWORD end = std::min(std::max(edit->editSelEnd, start), length);
      edit->text.replace(start, end - start, inserted);
      edit->editSelStart = edit->editSelEnd = start + static_cast<DWORD>(inserted.size());
      Notify(*edit, EN_CHANGE);
      return 0;
    }
    default:
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

namespace {

bool Notifies(const Window& listBox) {
  return (listBox.style & LBS_NOTIFY) != 0;
}

bool ValidItem(const Window& listBox, WPARAM index) {
  return index < listBox.listItems.size();
}

// Where LB_ADDSTRING puts a text: at the end, or in case-blind order with LBS_SORT.
size_t AddPosition(const Window& listBox, const std::u16string& text) {
  if ((listBox.style & LBS_SORT) == 0)
    return listBox.listItems.size();
  const std::u16string key = AsciiLowered(text);
  size_t position = 0;
  while (position < listBox.listItems.size() &&
         AsciiLowered(listBox.listItems[position].text) <= key)
    ++position;
  return position;
}

LRESULT Insert(Window& listBox, size_t position, LPARAM lParam) {
  const auto* text = reinterpret_cast<LPCWSTR>(lParam);
  listBox.listItems.insert(listBox.listItems.begin() + static_cast<std::ptrdiff_t>(position),
                           ListItem{text != nullptr ? text : u"", 0});
  if (listBox.listSelection >= static_cast<int>(position))
    ++listBox.listSelection;
  return static_cast<LRESULT>(position);
}

}  // namespace

LRESULT CALLBACK ListBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* listBox = FindWindowRecord(hwnd);
  if (listBox == nullptr)
    return 0;
  std::vector<ListItem>& items = listBox->listItems;
  switch (msg) {
    case LB_ADDSTRING: {
      const auto* text = reinterpret_cast<LPCWSTR>(lParam);
      return Insert(*listBox, AddPosition(*listBox, text != nullptr ? text : u""), lParam);
    }
    case LB_INSERTSTRING: {
      // -1 appends; a position past the end is refused.
      const auto index = static_cast<int>(wParam);
      if (index == -1)
        return Insert(*listBox, items.size(), lParam);
      if (index < 0 || static_cast<size_t>(index) > items.size())
        return LB_ERR;
      return Insert(*listBox, static_cast<size_t>(index), lParam);
    }
    case LB_DELETESTRING:
      if (!ValidItem(*listBox, wParam))
        return LB_ERR;
      items.erase(items.begin() + static_cast<std::ptrdiff_t>(wParam));
      if (listBox->listSelection == static_cast<int>(wParam))
        listBox->listSelection = -1;
      else if (listBox->listSelection > static_cast<int>(wParam))
        --listBox->listSelection;
      return static_cast<LRESULT>(items.size());
    case LB_RESETCONTENT:
      items.clear();
      listBox->listSelection = -1;
      return 0;
    case LB_GETCOUNT:
      return static_cast<LRESULT>(items.size());
    case LB_GETTEXTLEN:
      return ValidItem(*listBox, wParam) ? static_cast<LRESULT>(items[wParam].text.size()) : LB_ERR;
    case LB_GETTEXT: {
      // The buffer must hold the whole text and its NUL, as LB_GETTEXTLEN tells.
      if (!ValidItem(*listBox, wParam) || lParam == 0)
        return LB_ERR;
      const std::u16string& text = items[wParam].text;
      auto* buffer = reinterpret_cast<LPWSTR>(lParam);
      std::copy(text.begin(), text.end(), buffer);
      buffer[text.size()] = u'\0';
      return static_cast<LRESULT>(text.size());
    }
    case LB_GETITEMDATA:
      return ValidItem(*listBox, wParam) ? items[wParam].data : LB_ERR;
    case LB_SETITEMDATA:
      if (!ValidItem(*listBox, wParam))
        return LB_ERR;
      items[wParam].data = lParam;
      return LB_OKAY;
    case LB_GETCURSEL:
      return listBox->listSelection;
    case LB_SETCURSEL: {
      // -1 clears the selection (and answers LB_ERR, as Windows does); the owner hears nothing.
      const auto index = static_cast<int>(wParam);
      if (index == -1 || !ValidItem(*listBox, wParam)) {
        listBox->listSelection = -1;
        return LB_ERR;
      }
      listBox->listSelection = index;
      return index;
    }
    case LB_FINDSTRINGEXACT: {
      // Case-blind, from the item after wParam, wrapping around.
      const auto* wanted = reinterpret_cast<LPCWSTR>(lParam);
      if (wanted == nullptr || items.empty())
        return LB_ERR;
      const std::u16string key = AsciiLowered(wanted);
      const size_t count = items.size();
      const size_t first = static_cast<int>(wParam) < 0 || wParam >= count ? 0 : wParam + 1;
      for (size_t n = 0; n < count; ++n) {
        const size_t i = (first + n) % count;
        if (AsciiLowered(items[i].text) == key)
          return static_cast<LRESULT>(i);
      }
      return LB_ERR;
    }
    default:
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

void ClickListItem(HWND listBox, int item, bool doubleClick) {
  Window* window = FindWindowRecord(listBox);
  if (window == nullptr || window->className != u"ListBox" || item < 0 ||
      static_cast<size_t>(item) >= window->listItems.size())
    return;
  if ((window->style & LBS_NOSEL) == 0 && window->listSelection != item) {
    window->listSelection = item;
    if (Notifies(*window))
      Notify(*window, LBN_SELCHANGE);
  }
  // The handler of the selection may have destroyed the list; the double click needs it alive.
  window = FindWindowRecord(listBox);
  if (doubleClick && window != nullptr && Notifies(*window))
    Notify(*window, LBN_DBLCLK);
}

}  // namespace zwin32
