#include "dialogmirror.h"

#include <windows.h>

#include <vector>

#include "json.h"
#include "webserver.h"
#include "zwin32/utf.h"

namespace zanthost::web {
namespace {

std::string WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
  return zwin32::ToUtf8(text);
}

std::string ClassName(HWND hwnd) {
  char16_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  std::string text = zwin32::ToUtf8(name);
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
  auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(button, BM_GETIMAGE, IMAGE_BITMAP, 0));
  BITMAP info{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0 || info.bmWidth <= 0 ||
      info.bmHeight <= 0 || info.bmWidth > kLargestPicture || info.bmHeight > kLargestPicture)
    return;
  BITMAPINFO request{};
  request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  request.bmiHeader.biWidth = info.bmWidth;
  request.bmiHeader.biHeight = -info.bmHeight;  // top-down, as the page fills its rows
  request.bmiHeader.biPlanes = 1;
  request.bmiHeader.biBitCount = 32;
  request.bmiHeader.biCompression = BI_RGB;
  std::vector<RGBQUAD> pixels(static_cast<size_t>(info.bmWidth) * info.bmHeight);
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(),
                             &request, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != info.bmHeight)
    return;
  std::string rgba;
  rgba.reserve(pixels.size() * 4);
  for (const RGBQUAD& pixel : pixels) {
    rgba += static_cast<char>(pixel.rgbRed);
    rgba += static_cast<char>(pixel.rgbGreen);
    rgba += static_cast<char>(pixel.rgbBlue);
    rgba += static_cast<char>(255);
  }
  out += ",\"picture\":{\"width\":" + std::to_string(info.bmWidth) +
         ",\"height\":" + std::to_string(info.bmHeight) + ",\"rgba\":";
  AppendJsonBase64(out, rgba);
  out += '}';
}

void AppendField(std::string& out, const char* name, bool value) {
  out += ",\"";
  out += name;
  out += value ? "\":true" : "\":false";
}

std::string DialogMessage(HWND dialog) {
  const LRESULT defId = SendMessageW(dialog, DM_GETDEFID, 0, 0);
  const int defaultId = HIWORD(defId) == DC_HASDEFID ? LOWORD(defId) : IDOK;
  std::string out = "{\"type\":\"dialog\",\"open\":true,\"caption\":";
  AppendJsonString(out, WindowText(dialog));
  out += ",\"controls\":[";
  const char* comma = "";
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child))
      continue;
    const std::string className = ClassName(child);
    const DWORD style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
    const int id = GetDlgCtrlID(child);
    const char* kind = className == "button"   ? ButtonKind(style)
                       : className == "edit"   ? "edit"
                       : className == "static" ? "text"
                                               : "other";
    out += comma;
    comma = ",";
    out += "{\"id\":" + std::to_string(id) + ",\"kind\":";
    AppendJsonString(out, kind);
    out += ",\"label\":";
    AppendJsonString(out, WindowText(child));
    AppendField(out, "enabled", IsWindowEnabled(child) != FALSE);
    if (className == "button") {
      const LRESULT state = SendMessageW(child, BM_GETSTATE, 0, 0);
      AppendField(out, "checked", (state & 3) == BST_CHECKED);
      AppendField(out, "pressed", (state & BST_PUSHED) != 0);
      AppendField(out, "default", id == defaultId && std::string(kind) == "push");
      if (std::string(kind) == "picture")
        AppendPicture(out, child);
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
