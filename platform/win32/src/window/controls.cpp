// The predefined control classes: "Button" (push buttons, check boxes, radio buttons),
// "Static" and "Edit". Static and edit controls hold their text and nothing more here.
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

LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace zwin32
