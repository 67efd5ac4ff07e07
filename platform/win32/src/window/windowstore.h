// The window manager's records: every live window by handle, and the window classes. Internal
// to win32.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "windows.h"
#include "zwin32/dlgtemplate.h"

namespace zwin32 {

struct DialogState {
  DLGPROC proc = nullptr;
  LONG_PTR msgResult = 0;  // DWLP_MSGRESULT
  LONG_PTR user = 0;       // DWLP_USER
  UINT defId = 0;          // 0: none set, Enter then means IDOK
  bool ended = false;
  INT_PTR result = 0;
  // Pixels of one average character of the dialog's font, which dialog units are fractions of
  // (a quarter of the width, an eighth of the height).
  int baseUnitX = 0;
  int baseUnitY = 0;
};

struct ListItem {
  std::u16string text;
  LONG_PTR data = 0;  // LB_SETITEMDATA
};

struct Window {
  HWND handle = nullptr;
  std::u16string className;
  WNDPROC proc = nullptr;
  HINSTANCE instance = nullptr;
  HWND parent = nullptr;       // a child's parent, or a top-level window's owner
  std::vector<HWND> children;  // in creation order, which is the dialog's tab order
  std::u16string text;
  DWORD style = 0;
  DWORD exStyle = 0;
  LONG_PTR id = 0;
  LONG_PTR userData = 0;
  DWORD helpId = 0;
  // The window's rectangle: a child's in its parent's client coordinates, a top-level
  // window's on the screen.
  int x = 0, y = 0, cx = 0, cy = 0;
  UINT buttonState = 0;             // BST_ bits of a "Button"
  HANDLE image = nullptr;           // a button's picture (BM_SETIMAGE), owned by whoever set it
  std::vector<ListItem> listItems;  // a "ListBox"'s items, in their order
  int listSelection = -1;           // its selected item, -1 for none
  DWORD editSelStart = 0;           // an "Edit"'s selection (the caret when both are equal)
  DWORD editSelEnd = 0;
  bool destroying = false;
  std::unique_ptr<DialogState> dialog;  // set for windows of the dialog class
};

// `text` with ASCII capitals lowered: the window manager compares class names, font faces and
// list box texts without regard to ASCII case, as Windows does.
std::u16string AsciiLowered(std::u16string_view text);

// The live window with that handle, or null (also for a window being destroyed past
// WM_NCDESTROY). The pointer stays valid until the window is destroyed.
Window* FindWindowRecord(HWND handle);

// Creates the record of a new window with a fresh handle; fails (null) when the class is
// unknown. The caller fills in the rest and sends the creation messages.
Window* NewWindowRecord(LPCWSTR className);

// Removes a record (last step of DestroyWindow).
void DeleteWindowRecord(HWND handle);

// Procedures of the predefined classes.
LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ListBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// A mouse click (or double click) on item `item` of a list box: it selects the item and tells
// the owner as a list box with LBS_NOTIFY does. An item that does not exist changes nothing.
void ClickListItem(HWND listBox, int item, bool doubleClick);

// The base units of a dialog template's font (the system font's when it names none).
struct BaseUnits {
  int x;
  int y;
};
BaseUnits TemplateBaseUnits(const DialogTemplate& dialogTemplate);

// Creates a dialog and its controls from a parsed template, sends WM_INITDIALOG with `param`,
// and shows it if the template says WS_VISIBLE. Null when a window cannot be created.
HWND CreateFromTemplate(HINSTANCE instance, const DialogTemplate& dialogTemplate, HWND owner,
                        DLGPROC proc, LPARAM param);

// Runs `dialog` until EndDialog, asking the front end for input, then destroys it and returns
// the EndDialog value. The owner is disabled meanwhile, so that only the dialog takes input.
INT_PTR RunModal(HWND dialog, HWND owner);

// Messages PostMessageW queued, oldest first.
struct PostedMessage {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};
std::deque<PostedMessage>& PostedMessages();

// Delivers every queued message whose window still lives, including those posted meanwhile.
void DeliverPostedMessages();

}  // namespace zwin32
