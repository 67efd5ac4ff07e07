#include "packed_tags.h"

#include <cstdint>
#include <cstring>

#include "tag_scanner.h"

namespace zdxf::detail {

namespace {

// Numbers are stored 7 bits a byte, low bits first: offsets, lengths and codes mostly take one
// to four bytes.
constexpr char kSpan = 'S';  // begin, length: tags kept in the buffer
constexpr char kTag = 'T';   // code, source offset + 1 (0: new), source length, value size, value

void put(std::string& out, std::uint64_t value) {
  while (value >= 0x80) {
    out += static_cast<char>((value & 0x7f) | 0x80);
    value >>= 7;
  }
  out += static_cast<char>(value);
}

std::uint64_t take(std::string_view& in) {
  std::uint64_t value = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(in.front());
    in.remove_prefix(1);
    value |= static_cast<std::uint64_t>(byte & 0x7f) << shift;
    if ((byte & 0x80) == 0)
      return value;
  }
}

// Group codes may be negative; zigzag keeps small ones short.
std::uint64_t from_code(int code) {
  const auto c = static_cast<std::int64_t>(code);
  return (static_cast<std::uint64_t>(c) << 1) ^ static_cast<std::uint64_t>(c >> 63);
}

int to_code(std::uint64_t z) {
  return static_cast<int>(static_cast<std::int64_t>(z >> 1) ^ -static_cast<std::int64_t>(z & 1));
}

// Calls span(begin, end) or tag(Tag) for each record.
template <typename Span, typename One>
void for_each_record(std::string_view packed, Span&& span, One&& tag) {
  while (!packed.empty()) {
    char kind = packed.front();
    packed.remove_prefix(1);
    if (kind == kSpan) {
      auto begin = static_cast<std::size_t>(take(packed));
      auto length = static_cast<std::size_t>(take(packed));
      span(begin, begin + length);
      continue;
    }
    Tag t;
    t.code = to_code(take(packed));
    t.source_offset = static_cast<std::size_t>(take(packed)) - 1;  // 0 wraps round to kNew
    t.source_length = static_cast<std::size_t>(take(packed));
    auto size = static_cast<std::size_t>(take(packed));
    t.value.assign(packed.substr(0, size));
    packed.remove_prefix(size);
    tag(t);
  }
}

}  // namespace

std::string pack_tags(const std::vector<Tag>& tags, std::string_view buffer, Format format,
                      int code_width, const std::function<void(const Tag&)>& fresh) {
  std::string out;
  // The run of kept tags not written yet.
  std::size_t span_begin = 0, span_end = 0;
  bool in_span = false;
  auto flush = [&] {
    if (!in_span)
      return;
    out += kSpan;
    put(out, span_begin);
    put(out, span_end - span_begin);
    in_span = false;
  };
  for (const Tag& t : tags) {
    if (same_as_source(t, buffer, format, code_width)) {
      if (in_span && span_end == t.source_offset) {
        span_end = t.source_offset + t.source_length;
        continue;
      }
      flush();
      in_span = true;
      span_begin = t.source_offset;
      span_end = t.source_offset + t.source_length;
      continue;
    }
    fresh(t);
    flush();
    out += kTag;
    put(out, from_code(t.code));
    put(out, static_cast<std::uint64_t>(t.source_offset) + 1);
    put(out, t.source_length);
    put(out, t.value.size());
    out += t.value;
  }
  flush();
  return out;
}

PackedTags::PackedTags(std::string_view packed)
    : data_(new char[sizeof(std::uint32_t) + packed.size()]) {
  const auto size = static_cast<std::uint32_t>(packed.size());
  std::memcpy(data_.get(), &size, sizeof size);
  std::memcpy(data_.get() + sizeof size, packed.data(), packed.size());
}

std::string_view PackedTags::view() const {
  if (!data_)
    return {};
  std::uint32_t size = 0;
  std::memcpy(&size, data_.get(), sizeof size);
  return std::string_view(data_.get() + sizeof size, size);
}

std::vector<Tag> unpack_tags(std::string_view packed, std::string_view buffer, Format format,
                             int code_width, const std::string& name) {
  std::vector<Tag> tags;
  tags.reserve(24);
  for_each_record(
      packed,
      [&](std::size_t begin, std::size_t end) {
        // These bytes were scanned when the file was read; they scan the same way again.
        TagScanner scan(buffer.substr(0, end), format, code_width, name, begin, 0);
        RawTag raw;
        while (scan.next(raw)) {
          Tag t;
          t.code = raw.code;
          t.value = format == Format::Ascii ? std::string(raw.value)
                                            : binary_value_text(raw.code, raw.value);
          t.source_offset = raw.begin;
          t.source_length = raw.end - raw.begin;
          tags.push_back(std::move(t));
        }
      },
      [&](Tag& t) { tags.push_back(std::move(t)); });
  return tags;
}

void append_packed(std::string& out, std::string_view packed, std::string_view buffer,
                   Format format, int code_width, const AsciiStyle& style) {
  for_each_record(
      packed,
      [&](std::size_t begin, std::size_t end) { out.append(buffer.substr(begin, end - begin)); },
      [&](const Tag& t) { append_tag(out, t, buffer, format, code_width, style); });
}

}  // namespace zdxf::detail
