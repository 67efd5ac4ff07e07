#include "TranslationFile.h"

#include <charconv>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "zwin32/utf.h"

#include "../src/PromptDatabaseLayout.h"

namespace zmaker {
namespace {

class LineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A whole decimal number within [low, high]; anything else (sign, spaces, hex) is refused.
unsigned ParseId(std::string_view digits, unsigned low, unsigned high, const char* what) {
  unsigned value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || value < low ||
      value > high) {
    throw LineError("bad " + std::string(what) + " \"" + std::string(digits) + "\"");
  }
  return value;
}

std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out.push_back(text[i]);
      continue;
    }
    if (i + 1 == text.size()) {
      throw LineError("backslash at end of text");
    }
    switch (text[++i]) {
      case 'n':
        out.push_back('\n');
        break;
      case 't':
        out.push_back('\t');
        break;
      case '\\':
        out.push_back('\\');
        break;
      default:
        throw LineError(std::string("unknown escape \\") + text[i]);
    }
  }
  return out;
}

std::u16string Utf16(const std::string& utf8) {
  std::optional<std::u16string> wide = zwin32::FromUtf8Strict(utf8);
  if (!wide) {
    throw LineError("text is not valid UTF-8");
  }
  return std::move(*wide);
}

template <typename Key>
void AddOnce(std::map<Key, std::u16string>& texts, const Key& key, std::u16string text,
             std::string_view keyText) {
  if (!texts.emplace(key, std::move(text)).second) {
    throw LineError("\"" + std::string(keyText) + "\" given twice");
  }
}

void ReadLine(std::string_view line, Translation& out) {
  const size_t tab = line.find('\t');
  if (tab == std::string_view::npos) {
    throw LineError("expected <key><tab><text>");
  }
  const std::string_view key = line.substr(0, tab);
  std::u16string text = Utf16(Unescape(line.substr(tab + 1)));
  const size_t colon = key.find(':');
  if (colon == std::string_view::npos) {
    AddOnce(out.strings, ParseId(key, 0, 0xFFFF, "string id"), std::move(text), key);
    return;
  }
  const unsigned dialog = ParseId(key.substr(0, colon), 1, 0xFFFF, "dialog id");
  const std::string_view item = key.substr(colon + 1);
  const int control = item == "caption" ? promptdb::kCaptionControl
                                        : static_cast<int>(ParseId(item, 0, 0xFFFE, "control id"));
  AddOnce(out.dialogTexts, std::make_pair(dialog, control), std::move(text), key);
}

}  // namespace

Translation ReadTranslationFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw std::runtime_error(path + ": cannot open translation file");
  }
  Translation out;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();  // files edited on Windows
    }
    if (number == 1 && line.starts_with("\xEF\xBB\xBF")) {
      line.erase(0, 3);  // UTF-8 byte order mark
    }
    if (line.empty() || line[0] == '#') {
      continue;
    }
    try {
      ReadLine(line, out);
    } catch (const LineError& e) {
      throw std::runtime_error(path + ":" + std::to_string(number) + ": " + e.what());
    }
  }
  if (in.bad()) {
    throw std::runtime_error(path + ": read error");
  }
  return out;
}

}  // namespace zmaker
