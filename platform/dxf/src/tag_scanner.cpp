#include "tag_scanner.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace zdxf::detail {

namespace {

template <typename T>
T load_le(const char* p) {
  T v;
  std::memcpy(&v, p, sizeof v);  // x86-64 and ARM Linux are little-endian like the file
  return v;
}

// Where the line starting at `start` ends: its first CR or LF, or `end`. Lines are short (a
// code, a number, a name): eight bytes are tested at a time, and the last few one by one.
const char* line_end(const char* start, const char* end) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
  const char* at = start;
  while (end - at >= 8) {
    const std::uint64_t word = load_le<std::uint64_t>(at);
    const std::uint64_t lf = word ^ (kOnes * '\n');
    const std::uint64_t cr = word ^ (kOnes * '\r');
    // A byte of `found` has its high bit set where `word` holds an LF or CR (the lowest such
    // byte exactly; bytes above it may be marked wrongly, which the count of trailing zeros
    // never reaches).
    const std::uint64_t found = ((lf - kOnes) & ~lf & kHighs) | ((cr - kOnes) & ~cr & kHighs);
    if (found != 0)
      return at + std::countr_zero(found) / 8;
    at += 8;
  }
  while (at != end && *at != '\n' && *at != '\r')
    ++at;
  return at;
}

// A group code line as nearly every file writes it: blanks, up to four digits, perhaps a minus,
// blanks. False for anything else, which long_code reads.
bool short_code(std::string_view text, int& code) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
    ++i;
  const bool negative = i < text.size() && text[i] == '-';
  if (negative)
    ++i;
  const std::size_t first = i;
  int value = 0;
  while (i < text.size() && i - first < 5 && text[i] >= '0' && text[i] <= '9')
    value = value * 10 + (text[i++] - '0');
  if (i == first || i - first > 4)
    return false;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
    ++i;
  if (i != text.size())
    return false;
  code = negative ? -value : value;
  return true;
}

// Any group code line: blanks, an integer, blanks.
bool long_code(std::string_view text, int& code) {
  const std::string_view c = trim_blanks(text);
  auto [end, ec] = std::from_chars(c.data(), c.data() + c.size(), code);
  return !c.empty() && ec == std::errc() && end == c.data() + c.size();
}

}  // namespace

std::string_view trim_blanks(std::string_view v) {
  while (!v.empty() && (v.front() == ' ' || v.front() == '\t'))
    v.remove_prefix(1);
  while (!v.empty() && (v.back() == ' ' || v.back() == '\t'))
    v.remove_suffix(1);
  return v;
}

TagScanner::TagScanner(std::string_view buffer, Format format, int code_width,
                       const std::string& name, std::size_t offset, std::size_t line)
    : buf_(buffer),
      format_(format),
      code_width_(code_width),
      name_(name),
      pos_(offset),
      line_(line) {}

void TagScanner::fail(std::size_t line, const std::string& problem) const {
  if (format_ == Format::Binary)
    throw Error(name_, 0, "byte " + std::to_string(line) + ": " + problem);
  throw Error(name_, line, problem);
}

bool TagScanner::next(RawTag& tag) {
  return format_ == Format::Ascii ? next_ascii(tag) : next_binary(tag);
}

// Kept out of next_ascii, which then needs fewer registers saved for the usual lines.
const char* TagScanner::other_code_line(const char* start, std::size_t line, int& code) const {
  const char* const at = line_end(start, buf_.data() + buf_.size());
  const std::string_view code_text(start, static_cast<std::size_t>(at - start));
  if (!short_code(code_text, code) && !long_code(code_text, code)) {
    std::string shown(code_text.substr(0, 40));
    for (char& ch : shown) {
      if (static_cast<unsigned char>(ch) < 0x20 || static_cast<unsigned char>(ch) >= 0x7F)
        ch = '?';
    }
    fail(line, "expected a group code, found '" + shown + "'");
  }
  return at;
}

bool TagScanner::next_ascii(RawTag& tag) {
  const char* const base = buf_.data();
  const char* const end = base + buf_.size();
  const char* start = base + pos_;
  if (start >= end)
    return false;
  tag.begin = pos_;
  tag.line = line_;
  // Nearly every code line is a few spaces and up to four digits: read in one go, which also
  // finds its end. Anything else takes the general way.
  const char* at = start;
  while (at != end && *at == ' ')
    ++at;
  const char* const digits = at;
  const char* const last_digit = end - digits > 4 ? digits + 4 : end;
  int code = 0;
  for (unsigned d; at != last_digit && (d = static_cast<unsigned char>(*at) - '0') < 10; ++at)
    code = code * 10 + static_cast<int>(d);
  if (at == digits || at == end || (*at != '\n' && *at != '\r'))
    at = other_code_line(start, tag.line, code);
  // Lines end in LF, CRLF or a lone CR, and may differ from line to line: past the one at `at`.
  auto past_line_end = [end](const char* at) {
    if (at == end)
      return at;
    return *at == '\r' && at + 1 != end && at[1] == '\n' ? at + 2 : at + 1;
  };
  start = past_line_end(at);
  if (start == end)
    fail(tag.line, "group code " + std::to_string(code) + " has no value (file cut short)");
  at = line_end(start, end);
  tag.value = std::string_view(start, static_cast<std::size_t>(at - start));
  pos_ = static_cast<std::size_t>(past_line_end(at) - base);
  line_ += 2;
  tag.code = code;
  tag.end = pos_;
  return true;
}

bool TagScanner::next_binary(RawTag& tag) {
  if (pos_ >= buf_.size())
    return false;
  tag.begin = pos_;
  tag.line = pos_;
  auto need = [&](std::size_t n, const char* what) {
    if (buf_.size() - pos_ < n)
      fail(tag.line, std::string("file cut short in ") + what);
  };
  int code;
  if (code_width_ == 1) {
    need(1, "a group code");
    code = static_cast<unsigned char>(buf_[pos_]);
    pos_ += 1;
    if (code == 255) {  // escape: a 2-byte code follows
      need(2, "a group code");
      code = load_le<std::int16_t>(buf_.data() + pos_);
      pos_ += 2;
    }
  } else {
    need(2, "a group code");
    code = load_le<std::int16_t>(buf_.data() + pos_);
    pos_ += 2;
  }
  std::size_t size = 0;
  switch (value_type(code)) {
    case ValueType::Double:
      size = 8;
      break;
    case ValueType::Int16:
      size = 2;
      break;
    case ValueType::Int32:
      size = 4;
      break;
    case ValueType::Int64:
      size = 8;
      break;
    case ValueType::Bool:
      size = 1;
      break;
    case ValueType::Binary: {
      need(1, "a binary chunk length");
      std::size_t n = static_cast<unsigned char>(buf_[pos_]);
      need(1 + n, "a binary chunk");
      tag.value = buf_.substr(pos_ + 1, n);
      pos_ += 1 + n;
      tag.code = code;
      tag.end = pos_;
      return true;
    }
    case ValueType::String:
    case ValueType::Handle: {
      const void* nul = std::memchr(buf_.data() + pos_, '\0', buf_.size() - pos_);
      if (nul == nullptr)
        fail(tag.line, "string of group code " + std::to_string(code) + " has no end");
      std::size_t n =
          static_cast<std::size_t>(static_cast<const char*>(nul) - (buf_.data() + pos_));
      tag.value = buf_.substr(pos_, n);
      pos_ += n + 1;
      tag.code = code;
      tag.end = pos_;
      return true;
    }
  }
  need(size, "a number");
  tag.value = buf_.substr(pos_, size);
  pos_ += size;
  tag.code = code;
  tag.end = pos_;
  return true;
}

std::string binary_value_text(int code, std::string_view b) {
  char buf[64];
  switch (value_type(code)) {
    case ValueType::Double: {
      auto [end, ec] = std::to_chars(buf, buf + sizeof buf, load_le<double>(b.data()));
      return std::string(buf, end);
    }
    case ValueType::Int16:
      return std::to_string(load_le<std::int16_t>(b.data()));
    case ValueType::Int32:
      return std::to_string(load_le<std::int32_t>(b.data()));
    case ValueType::Int64:
      return std::to_string(load_le<std::int64_t>(b.data()));
    case ValueType::Bool:
      return std::to_string(static_cast<unsigned char>(b[0]));
    case ValueType::Binary: {
      static const char kHex[] = "0123456789ABCDEF";
      std::string s;
      for (char c : b) {
        s += kHex[static_cast<unsigned char>(c) >> 4];
        s += kHex[static_cast<unsigned char>(c) & 0xF];
      }
      return s;
    }
    case ValueType::String:
    case ValueType::Handle:
      break;
  }
  return std::string(b);
}

}  // namespace zdxf::detail
