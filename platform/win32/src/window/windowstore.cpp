#include "windowstore.h"

#include <algorithm>
#include <map>

namespace zwin32 {
namespace {

struct WindowClass {
  std::u16string name;  // as registered
  WNDPROC proc;
};

std::map<std::u16string, WindowClass>& Classes() {
  static std::map<std::u16string, WindowClass> classes = {
      {u"button", {u"Button", ButtonProc}},  {u"static", {u"Static", StaticProc}},
      {u"edit", {u"Edit", EditProc}},        {u"listbox", {u"ListBox", ListBoxProc}},
      {u"#32770", {u"#32770", DefDlgProcW}},
  };
  return classes;
}

std::map<HWND, std::unique_ptr<Window>>& Windows() {
  static std::map<HWND, std::unique_ptr<Window>> windows;
  return windows;
}

// A dialog template names predefined classes by atom.
std::u16string ClassNameFrom(LPCWSTR className) {
  if (IS_INTRESOURCE(className)) {
    switch (reinterpret_cast<ULONG_PTR>(className)) {
      case 0x80:
        return u"Button";
      case 0x81:
        return u"Edit";
      case 0x82:
        return u"Static";
      case 0x83:
        return u"ListBox";
      default:
        return {};
    }
  }
  return className;
}

}  // namespace

std::u16string AsciiLowered(std::u16string_view text) {
  std::u16string lowered(text);
  for (char16_t& c : lowered) {
    if (c >= u'A' && c <= u'Z')
      c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return lowered;
}

Window* FindWindowRecord(HWND handle) {
  auto it = Windows().find(handle);
  return it == Windows().end() ? nullptr : it->second.get();
}

Window* NewWindowRecord(LPCWSTR className) {
  const std::u16string name = ClassNameFrom(className);
  auto cls = Classes().find(AsciiLowered(name));
  if (name.empty() || cls == Classes().end()) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  // Handles are even numbers that are never reused, so a stale handle never names a new window.
  static ULONG_PTR next = 0x10010;
  auto window = std::make_unique<Window>();
  window->handle = reinterpret_cast<HWND>(next);
  next += 2;
  window->className = cls->second.name;
  window->proc = cls->second.proc;
  if (window->proc == DefDlgProcW)
    window->dialog = std::make_unique<DialogState>();
  Window* record = window.get();
  Windows().emplace(record->handle, std::move(window));
  return record;
}

void DeleteWindowRecord(HWND handle) {
  Windows().erase(handle);
}

std::deque<PostedMessage>& PostedMessages() {
  static std::deque<PostedMessage> queue;
  return queue;
}

void DeliverPostedMessages() {
  while (!PostedMessages().empty()) {
    PostedMessage message = PostedMessages().front();
    PostedMessages().pop_front();
    if (FindWindowRecord(message.hwnd) != nullptr)
      SendMessageW(message.hwnd, message.msg, message.wParam, message.lParam);
  }
}

}  // namespace zwin32

using namespace zwin32;

WORD WINAPI RegisterClassW(const WNDCLASSW* lpWndClass) {
  if (lpWndClass == nullptr || lpWndClass->lpszClassName == nullptr ||
      lpWndClass->lpfnWndProc == nullptr || IS_INTRESOURCE(lpWndClass->lpszClassName)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::u16string name = lpWndClass->lpszClassName;
  auto [it, added] =
      Classes().emplace(AsciiLowered(name), WindowClass{name, lpWndClass->lpfnWndProc});
  if (!added) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  // An atom for the class: Windows' string atoms lie from 0xC000 up.
  return static_cast<WORD>(0xC000 + Classes().size());
}

int WINAPI GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount) {
  Window* window = FindWindowRecord(hWnd);
  if (window == nullptr || lpClassName == nullptr || nMaxCount <= 0) {
    SetLastError(window == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
    return 0;
  }
  const int length = std::min(static_cast<int>(window->className.size()), nMaxCount - 1);
  std::copy_n(window->className.data(), length, lpClassName);
  lpClassName[length] = u'\0';
  return length;
}
