// Reading .reg text: the header, [key] and [-key] lines, and "name"=data lines with string,
// dword:, hex: and hex(N): data, hex data continued over lines ending in a backslash.
#include <optional>

#include "regtree.h"
#include "zwin32/utf.h"

namespace zwin32::registry {
namespace {

std::u16string Decode(const std::vector<BYTE>& bytes) {
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      text += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    }
    return text;
  }
  std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (raw.starts_with("\xEF\xBB\xBF"))
    raw.remove_prefix(3);
  // A file a person wrote is UTF-8; an old REGEDIT4 export is in the ANSI code page.
  if (auto utf8 = FromUtf8Strict(raw))
    return *utf8;
  return FromCp1252(raw);
}

std::vector<std::u16string> Lines(const std::u16string& text) {
  std::vector<std::u16string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(u'\n', start);
    std::u16string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == u'\r')
      line.pop_back();
    lines.push_back(std::move(line));
    if (end == std::u16string::npos)
      break;
    start = end + 1;
  }
  return lines;
}

std::u16string_view Trim(std::u16string_view s) {
  while (!s.empty() && (s.front() == u' ' || s.front() == u'\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == u' ' || s.back() == u'\t'))
    s.remove_suffix(1);
  return s;
}

// A quoted string at the start of `s` (after the opening quote); advances past the closing one.
std::optional<std::u16string> Quoted(std::u16string_view* s) {
  std::u16string out;
  for (size_t i = 0; i < s->size(); ++i) {
    char16_t c = (*s)[i];
    if (c == u'"') {
      s->remove_prefix(i + 1);
      return out;
    }
    if (c == u'\\' && i + 1 < s->size()) {
      char16_t next = (*s)[++i];
      out += next == u'n' ? u'\n' : next;
    } else {
      out += c;
    }
  }
  return std::nullopt;
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9')
    return c - u'0';
  if (c >= u'a' && c <= u'f')
    return c - u'a' + 10;
  if (c >= u'A' && c <= u'F')
    return c - u'A' + 10;
  return -1;
}

std::optional<unsigned long long> HexNumber(std::u16string_view s, size_t maxDigits) {
  s = Trim(s);
  if (s.empty() || s.size() > maxDigits)
    return std::nullopt;
  unsigned long long value = 0;
  for (char16_t c : s) {
    int digit = HexDigit(c);
    if (digit < 0)
      return std::nullopt;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return value;
}

std::optional<std::vector<BYTE>> HexBytes(std::u16string_view s) {
  std::vector<BYTE> bytes;
  s = Trim(s);
  if (s.empty())
    return bytes;
  while (true) {
    size_t comma = s.find(u',');
    auto byte = HexNumber(s.substr(0, comma), 2);
    if (!byte)
      return std::nullopt;
    bytes.push_back(static_cast<BYTE>(*byte));
    if (comma == std::u16string_view::npos)
      return bytes;
    s.remove_prefix(comma + 1);
  }
}

std::vector<BYTE> Utf16Bytes(std::u16string_view text) {
  std::vector<BYTE> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<BYTE>(c & 0xFF));
    bytes.push_back(static_cast<BYTE>(c >> 8));
  }
  return bytes;
}

class Parser {
 public:
  Parser(const std::string& fileName, Tree* tree, std::vector<std::string>* errors)
      : fileName_(fileName), tree_(tree), errors_(errors) {}

  void Run(const std::vector<std::u16string>& lines) {
    size_t i = 0;
    while (i < lines.size() && Trim(lines[i]).empty())
      ++i;
    if (i == lines.size())
      return;
    std::u16string_view header = Trim(lines[i]);
    if (header == u"REGEDIT4") {
      ansi_ = true;
    } else if (header != u"Windows Registry Editor Version 5.00") {
      Error(i + 1,
            "not a registry file: the first line must be \"Windows Registry Editor "
            "Version 5.00\" or \"REGEDIT4\"");
      return;
    }
    for (++i; i < lines.size(); ++i) {
      size_t first = i;
      std::u16string line = lines[i];
      // Hex data go on over lines that end in a backslash.
      while (!line.empty() && line.back() == u'\\' && i + 1 < lines.size()) {
        line.pop_back();
        line += Trim(lines[++i]);
      }
      Line(first + 1, Trim(line));
    }
  }

 private:
  void Error(size_t line, const std::string& what) {
    errors_->push_back(fileName_ + ":" + std::to_string(line) + ": " + what);
  }

  void Line(size_t number, std::u16string_view line) {
    if (line.empty() || line.front() == u';')
      return;
    if (line.front() == u'[') {
      KeyLine(number, line);
    } else if (line.front() == u'"' || line.front() == u'@') {
      ValueLine(number, line);
    } else {
      Error(number, "neither a [key] nor a \"name\"=value line");
    }
  }

  void KeyLine(size_t number, std::u16string_view line) {
    key_ = nullptr;
    if (line.back() != u']')
      return Error(number, "a key line must end with ]");
    line = line.substr(1, line.size() - 2);
    bool remove = line.starts_with(u'-');
    if (remove)
      line.remove_prefix(1);
    std::vector<std::u16string> names;
    if (!SplitPath(line, &names) || names.empty())
      return Error(number, "bad key path");
    Key* parent = nullptr;
    for (const Root& root : kRoots) {
      if (EqualsNoCase(names[0], root.name))
        parent = tree_->RootOf(root.hkey);
    }
    if (parent == nullptr)
      return Error(number, "unknown root key");
    for (size_t n = 1; n + 1 < names.size() || (!remove && n < names.size()); ++n) {
      if (remove) {
        parent = parent->Child(names[n]);
        if (parent == nullptr)
          return;  // nothing to delete
      } else {
        bool created = false;
        parent = &parent->EnsureChild(names[n], &created);
      }
    }
    if (remove) {
      if (names.size() > 1)
        parent->RemoveChild(names.back());
      return;
    }
    key_ = parent;
  }

  void ValueLine(size_t number, std::u16string_view line) {
    if (key_ == nullptr)
      return Error(number, "a value outside of any valid key");
    Value value;
    if (line.front() == u'@') {
      line.remove_prefix(1);
    } else {
      line.remove_prefix(1);
      auto name = Quoted(&line);
      if (!name)
        return Error(number, "unterminated value name");
      value.name = *name;
    }
    line = Trim(line);
    if (!line.starts_with(u'='))
      return Error(number, "= expected after the value name");
    line = Trim(line.substr(1));
    if (line == u"-") {
      key_->RemoveValue(value.name);
      return;
    }
    if (line.starts_with(u'"')) {
      line.remove_prefix(1);
      auto text = Quoted(&line);
      if (!text || !Trim(line).empty())
        return Error(number, "bad string data");
      value.type = 1;
      value.data = Utf16Bytes(*text + u'\0');
    } else if (line.starts_with(u"dword:")) {
      auto number32 = HexNumber(line.substr(6), 8);
      if (!number32)
        return Error(number, "bad dword data");
      value.type = 4;
      for (int shift = 0; shift < 32; shift += 8) {
        value.data.push_back(static_cast<BYTE>(*number32 >> shift));
      }
    } else if (line.starts_with(u"hex")) {
      line.remove_prefix(3);
      value.type = 3;
      if (line.starts_with(u'(')) {
        size_t close = line.find(u')');
        auto type = close == std::u16string_view::npos ? std::nullopt
                                                       : HexNumber(line.substr(1, close - 1), 8);
        if (!type)
          return Error(number, "bad hex(type)");
        value.type = static_cast<DWORD>(*type);
        line.remove_prefix(close + 1);
      }
      if (!line.starts_with(u':'))
        return Error(number, "':' expected after hex");
      auto bytes = HexBytes(line.substr(1));
      if (!bytes)
        return Error(number, "bad hex data");
      value.data = std::move(*bytes);
      // REGEDIT4 wrote expandable and multi strings in the ANSI code page.
      if (ansi_ && (value.type == 2 || value.type == 7)) {
        value.data = Utf16Bytes(FromCp1252(
            std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size())));
      }
    } else {
      return Error(number, "unknown data type");
    }
    key_->SetValue(std::move(value));
  }

  std::string fileName_;
  Tree* tree_;
  std::vector<std::string>* errors_;
  Key* key_ = nullptr;
  bool ansi_ = false;
};

}  // namespace

void ParseRegFile(const std::vector<BYTE>& bytes, const std::string& fileName, Tree* tree,
                  std::vector<std::string>* errors) {
  Parser(fileName, tree, errors).Run(Lines(Decode(bytes)));
}

}  // namespace zwin32::registry
