// Writing .reg text the way regedit exports it, byte for byte: strings with \\ and \" escaped,
// dword:%08x, hex data as comma-separated bytes wrapped so that no line passes 80 columns
// (a backslash, CRLF and two spaces start the next line).
#include <cstdio>

#include "regtree.h"

namespace zwin32::registry {
namespace {

constexpr size_t kMaxHexChars = 77;

std::u16string Ascii(const char* text) {
  std::u16string out;
  while (*text != 0)
    out += static_cast<char16_t>(*text++);
  return out;
}

std::u16string Escaped(std::u16string_view text) {
  std::u16string out;
  for (char16_t c : text) {
    if (c == u'\\' || c == u'"') {
      out += u'\\';
      out += c;
    } else if (c == u'\n') {
      out += u"\\n";
    } else {
      out += c;
    }
  }
  return out;
}

// A REG_SZ is read back as size / 2 - 1 characters, up to the first NUL: data stored without its
// terminator lose their last character, as regedit loses it.
std::u16string StringData(const std::vector<BYTE>& data) {
  std::u16string text;
  size_t count = data.size() / 2 > 0 ? data.size() / 2 - 1 : 0;
  for (size_t i = 0; i < count; ++i) {
    char16_t c = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    if (c == 0)
      break;
    text += c;
  }
  return text;
}

void ExportValue(const Value& value, std::u16string* out) {
  std::u16string line = value.name.empty() ? u"@=" : u"\"" + Escaped(value.name) + u"\"=";
  if (value.type == 1) {
    line += u"\"" + Escaped(StringData(value.data)) + u"\"";
  } else if (value.type == 4 && value.data.size() == 4) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "dword:%08x",
                  value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                      (static_cast<unsigned>(value.data[3]) << 24));
    line += Ascii(hex);
  } else {
    char prefix[16];
    if (value.type == 3) {
      std::snprintf(prefix, sizeof prefix, "hex:");
    } else {
      std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
    }
    line += Ascii(prefix);
    size_t lineLength = line.size();
    for (size_t i = 0; i < value.data.size(); ++i) {
      char byte[4];
      std::snprintf(byte, sizeof byte, "%02x", value.data[i]);
      line += Ascii(byte);
      if (i + 1 == value.data.size())
        break;
      line += u',';
      lineLength += 3;
      if (lineLength >= kMaxHexChars) {
        line += u"\\\r\n  ";
        lineLength = 2;
      }
    }
  }
  *out += line + u"\r\n";
}

void ExportKey(const Key& key, const std::u16string& path, bool isRoot, std::u16string* out) {
  // A predefined key is only written when it holds values; its subkeys name it anyway.
  if (!isRoot || !key.values.empty()) {
    *out += u"\r\n[" + path + u"]\r\n";
    for (const Value& value : key.values)
      ExportValue(value, out);
  }
  for (const Key& child : key.children) {
    ExportKey(child, path + u"\\" + child.name, false, out);
  }
}

}  // namespace

std::vector<BYTE> ExportRegFile(const Tree& tree) {
  std::u16string text = u"Windows Registry Editor Version 5.00\r\n";
  for (const Key& root : tree.roots)
    ExportKey(root, root.name, true, &text);
  text += u"\r\n";
  std::vector<BYTE> bytes{0xFF, 0xFE};
  bytes.reserve(2 + 2 * text.size());
  for (char16_t c : text) {
    bytes.push_back(static_cast<BYTE>(c & 0xFF));
    bytes.push_back(static_cast<BYTE>(c >> 8));
  }
  return bytes;
}

}  // namespace zwin32::registry
