// Who answers modal dialogs: the window system has no screen here, so a modal loop asks a front
// end what the user does next (the host's command line, or a test's script). Not part of the
// Windows API.
#pragma once

#include <string>

#include "windef.h"

namespace zwin32 {

// One thing the user does to an open modal dialog.
struct DialogInput {
  enum class Kind {
    kClick,      // clicks `control` (a button): BM_CLICK, as a mouse click does
    kSetText,    // types `text` into `control` (an edit): WM_SETTEXT, the caret after it, then
                 // EN_CHANGE to its owner
    kClickItem,  // clicks item `item` of `control` (a list box): selects it
    kDoubleClickItem,  // double-clicks it: selects it, then LBN_DBLCLK
    kEnter,            // presses Enter: the default push button's command
    kEscape,           // presses Escape: the IDCANCEL command
    kAbandon,          // no more input: Escape, and the dialog ends with IDCANCEL if it stays open
  };
  Kind kind = Kind::kAbandon;
  HWND control = nullptr;
  std::u16string text;
  int item = -1;  // the list item of kClickItem and kDoubleClickItem, from 0
};

class WIN32_EXPORT DialogFrontEnd {
 public:
  virtual ~DialogFrontEnd();
  // The next input for `dialog`, a live dialog whose controls the front end may read through
  // the window functions (GetWindow, GetWindowTextW, SendMessageW(BM_GETCHECK), ...).
  virtual DialogInput NextInput(HWND dialog) = 0;
};

// Makes `frontEnd` (may be null) the one modal dialogs ask, and returns the previous one. The
// caller keeps it alive while it is installed. Without one, modal dialogs cannot be shown.
WIN32_EXPORT DialogFrontEnd* SetDialogFrontEnd(DialogFrontEnd* frontEnd);
WIN32_EXPORT DialogFrontEnd* GetDialogFrontEnd();

}  // namespace zwin32
