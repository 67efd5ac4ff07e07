#include "mtext_plain.h"

namespace zinspect {

namespace {

// Codes that take an argument up to a semicolon: font, height, width, colour, alignment...
bool TakesArgument(char code) {
  switch (code) {
    case 'A':
    case 'C':
    case 'c':
    case 'F':
    case 'f':
    case 'H':
    case 'Q':
    case 'T':
    case 'W':
    case 'p':
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string PlainText(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i, 2) == "%%" && i + 2 < text.size()) {
      switch (text[i + 2] | 0x20) {
        case 'c':
          out += "\u00D8";
          i += 2;
          continue;
        case 'd':
          out += "\u00B0";
          i += 2;
          continue;
        case 'p':
          out += "\u00B1";
          i += 2;
          continue;
        case '%':
          out += '%';
          i += 2;
          continue;
        default:
          break;
      }
    }
    out += text[i];
  }
  return out;
}

std::string PlainMText(std::string_view contents) {
  std::string out;
  for (size_t i = 0; i < contents.size(); ++i) {
    const char c = contents[i];
    if (c == '{' || c == '}')
      continue;
    if (c != '\\' || i + 1 == contents.size()) {
      out += c;
      continue;
    }
    const char code = contents[++i];
    if (code == 'P' || code == 'X') {
      out += '\n';
    } else if (code == '~') {
      out += ' ';
    } else if (code == '\\' || code == '{' || code == '}') {
      out += code;
    } else if (code == 'S') {
      // A stacked fraction "\S1^2;" reads as 1/2.
      const size_t end = contents.find(';', i);
      for (char s : contents.substr(i + 1, end == std::string_view::npos ? end : end - i - 1))
        out += (s == '^' || s == '#') ? '/' : s;
      i = end == std::string_view::npos ? contents.size() : end;
    } else if (TakesArgument(code)) {
      const size_t end = contents.find(';', i);
      i = end == std::string_view::npos ? contents.size() : end;
    }
    // Other codes (underline, overline, strike-through on and off) only change the look.
  }
  return PlainText(out);
}

}  // namespace zinspect
