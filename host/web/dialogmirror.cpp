#include "dialogmirror.h"

#include <windows.h>

#include <vector>

#include "json.h"
#include "zacad/windowreading.h"
#include "webserver.h"
#include "zwin32/utf.h"

namespace zanthost::web {
namespace {

std::string WindowText(HWND hwnd) {
  return zwin32::ToUtf8(zacad::WindowText(hwnd));
}

std::string ClassName(HWND hwnd) {
  std::string text = zwin32::ToUtf8(zacad::ClassName(hwnd));
  for (char& c : text)
    c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return text;
}

// A button's kind as the page draws it, from its style.
const char* ButtonKind(DWORD style) {
  const DWORD type = style & BS_TYPEMASK;
  if (type == BS_GROUPBOX)
    return "group";
  if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE)
    return "check";
  if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON)
    return "radio";
  if ((style & (BS_BITMAP | BS_ICON)) != 0 || type == BS_OWNERDRAW)
    return "picture";
  return "push";
}

// The largest picture sent: dialog pictures are small, and a page need not get a poster.
constexpr LONG kLargestPicture = 1024;

// A picture button's bitmap as "picture": {width, height, rgba (base64, rows top-down)}, or
// nothing when it has none that can be read.
void AppendPicture(std::string& out, HWND button) {
  const std::optional<zacad::BitmapPixels> picture = zacad::ReadBitmap(
      reinterpret_cast<HBITMAP>(SendMessageW(button, BM_GETIMAGE, IMAGE_BITMAP, 0)),
      kLargestPicture);
  if (!picture)
    return;
  std::string rgba;
  rgba.reserve(picture->rows.size() * 4);
  for (const DWORD pixel : picture->rows) {
    rgba += static_cast<char>((pixel >> 16) & 0xFF);  // 0x00RRGGBB
    rgba += static_cast<char>((pixel >> 8) & 0xFF);
    rgba += static_cast<char>(pixel & 0xFF);
    rgba += static_cast<char>(255);
  }
  out += ",\"picture\":{\"width\":" + std::to_string(picture->width) +
         ",\"height\":" + std::to_string(picture->height) + ",\"rgba\":";
  AppendJsonBase64(out, rgba);
  out += '}';
}

void AppendField(std::string& out, const char* name, bool value) {
  out += ",\"";
  out += name;
  out += value ? "\":true" : "\":false";
}

// A control's rectangle in its dialog's client area, in pixels, as "rect": [x, y, width,
// height]: where the template put it, in the dialog's font.
void AppendRect(std::string& out, HWND dialog, HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  POINT topLeft{rect.left, rect.top};
  ScreenToClient(dialog, &topLeft);
  out += ",\"rect\":[" + std::to_string(topLeft.x) + "," + std::to_string(topLeft.y) + "," +
         std::to_string(rect.right - rect.left) + "," + std::to_string(rect.bottom - rect.top) +
         "]";
}

// A list box's items and its selected one (-1 for none).
void AppendList(std::string& out, HWND list) {
  out += ",\"items\":[";
  const char* comma = "";
  for (const std::u16string& item : zacad::ListItems(list)) {
    out += comma;
    comma = ",";
    AppendJsonString(out, zwin32::ToUtf8(item));
  }
  out += "],\"selected\":" + std::to_string(SendMessageW(list, LB_GETCURSEL, 0, 0));
}

// The dialog's client area and the pixels of its font's average character, which its controls
// were laid out in.
void AppendLayout(std::string& out, HWND dialog) {
  RECT client{};
  GetClientRect(dialog, &client);
  RECT character{0, 0, 4, 8};
  MapDialogRect(dialog, &character);
  out += ",\"width\":" + std::to_string(client.right) +
         ",\"height\":" + std::to_string(client.bottom) +
         ",\"font\":{\"width\":" + std::to_string(character.right) +
         ",\"height\":" + std::to_string(character.bottom) + "}";
}

std::string DialogMessage(HWND dialog) {
  const LRESULT defId = SendMessageW(dialog, DM_GETDEFID, 0, 0);
  const int defaultId = HIWORD(defId) == DC_HASDEFID ? LOWORD(defId) : IDOK;
  std::string out = "{\"type\":\"dialog\",\"open\":true,\"caption\":";
  AppendJsonString(out, WindowText(dialog));
  AppendLayout(out, dialog);
  out += ",\"controls\":[";
  const char* comma = "";
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child))
      continue;
    const std::string className = ClassName(child);
    const DWORD style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
    const int id = GetDlgCtrlID(child);
    const char* kind = className == "button"    ? ButtonKind(style)
                       : className == "edit"    ? "edit"
                       : className == "static"  ? "text"
                       : className == "listbox" ? "list"
                                                : "other";
    out += comma;
    comma = ",";
    out += "{\"id\":" + std::to_string(id) + ",\"kind\":";
    AppendJsonString(out, kind);
    out += ",\"label\":";
    AppendJsonString(out, WindowText(child));
    AppendField(out, "enabled", IsWindowEnabled(child) != FALSE);
    AppendRect(out, dialog, child);
    if (className == "button") {
      const LRESULT state = SendMessageW(child, BM_GETSTATE, 0, 0);
      AppendField(out, "checked", (state & 3) == BST_CHECKED);
      AppendField(out, "pressed", (state & BST_PUSHED) != 0);
      AppendField(out, "default", id == defaultId && std::string(kind) == "push");
      if (std::string(kind) == "picture")
        AppendPicture(out, child);
    } else if (className == "listbox") {
      AppendList(out, child);
    }
    out += '}';
  }
  out += "]}";
  return out;
}

}  // namespace

DialogMirror::DialogMirror(WebServer& server)
    : server_(server), previous_(zwin32::SetDialogFrontEnd(this)) {}

DialogMirror::~DialogMirror() {
  if (zwin32::GetDialogFrontEnd() == this)
    zwin32::SetDialogFrontEnd(previous_);
}

zwin32::DialogInput DialogMirror::NextInput(HWND dialog) {
  if (previous_ == nullptr)
    return {zwin32::DialogInput::Kind::kAbandon, nullptr, {}};
  std::string message = DialogMessage(dialog);
  if (message != shown_) {
    shown_ = std::move(message);
    server_.sendToAll(shown_);
  }
  waiting_ = true;
  zwin32::DialogInput input = previous_->NextInput(dialog);
  waiting_ = false;
  return input;
}

void DialogMirror::hostWaits() {
  if (waiting_ || shown_.empty())
    return;
  shown_.clear();
  server_.sendToAll("{\"type\":\"dialog\",\"open\":false}");
}

}  // namespace zanthost::web
