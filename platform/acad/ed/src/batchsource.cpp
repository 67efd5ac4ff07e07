// Batch input: a script file or a fixed list of lines. Both follow the host's script rules, so
// a test driving a list of strings sees exactly what a .scr file would give.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "zacad/inputsource.h"
#include "zwin32/utf.h"

namespace zacad {
namespace {

class BatchSource : public InputSource {
 public:
  BatchSource(std::vector<std::u16string> lines, std::string name)
      : lines_(std::move(lines)), name_(std::move(name)) {}

  InputLine next(std::u16string_view) override {
    while (index_ < lines_.size()) {
      const std::u16string& line = lines_[index_++];
      // A comment line is no answer at all, not even an Enter.
      if (!line.empty() && line[0] == u';')
        continue;
      return {InputLine::Kind::kLine, line};
    }
    return {InputLine::Kind::kEnd, {}};
  }

  bool isBatch() const override { return true; }

  std::string position() const override {
    return name_ + ", line " + std::to_string(index_ == 0 ? 1 : index_);
  }

 private:
  std::vector<std::u16string> lines_;
  std::string name_;
  size_t index_ = 0;
};

// Scripts are UTF-8 (a byte-order mark is skipped) or, failing that, the ANSI code page 1252 in
// which older scripts were saved; UTF-16LE with its mark is read too.
std::u16string DecodeScript(const std::string& bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                           (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    return text;
  }
  std::string_view body = bytes;
  if (body.starts_with("\xEF\xBB\xBF"))
    body.remove_prefix(3);
  if (auto text = zwin32::FromUtf8Strict(body))
    return *text;
  return zwin32::FromCp1252(body);
}

std::vector<std::u16string> SplitLines(const std::u16string& text) {
  std::vector<std::u16string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(u'\n', start);
    if (end == std::u16string::npos)
      end = text.size();
    std::u16string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == u'\r')
      line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

}  // namespace

std::unique_ptr<InputSource> MakeScriptSource(const std::string& path, std::string& error) {
  std::error_code ec;
  std::ifstream in;
  if (std::filesystem::is_regular_file(path, ec))
    in.open(path, std::ios::binary);
  if (!in.is_open()) {
    error = "Cannot open script file \"" + path + "\".";
    return nullptr;
  }
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = "Cannot read script file \"" + path + "\".";
    return nullptr;
  }
  return std::make_unique<BatchSource>(SplitLines(DecodeScript(bytes)), path);
}

std::unique_ptr<InputSource> MakeStringSource(std::vector<std::u16string> lines) {
  return std::make_unique<BatchSource>(std::move(lines), "input");
}

}  // namespace zacad
