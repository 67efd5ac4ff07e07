#include "packed_tags.h"

#include <cstdint>
#include <cstring>

#include "tag_scanner.h"

namespace zdxf::detail {

namespace {

constexpr char kSpan = 'S';  // begin, end: tags kept in the buffer
constexpr char kTag = 'T';   // code, source offset, source length, value size, value

template <typename T>
void put(std::string& out, T value) {
  char bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof(T));
  out.append(bytes, sizeof(T));
}

template <typename T>
T take(std::string_view& in) {
  T value;
  std::memcpy(&value, in.data(), sizeof(T));
  in.remove_prefix(sizeof(T));
  return value;
}

// Where the end of the last span record lies in `out`, to grow it in place.
constexpr std::size_t kNoSpan = static_cast<std::size_t>(-1);

// Calls span(begin, end) or tag(Tag) for each record.
template <typename Span, typename One>
void for_each_record(std::string_view packed, Span&& span, One&& tag) {
  while (!packed.empty()) {
    char kind = packed.front();
    packed.remove_prefix(1);
    if (kind == kSpan) {
      auto begin = take<std::uint64_t>(packed);
      auto end = take<std::uint64_t>(packed);
      span(static_cast<std::size_t>(begin), static_cast<std::size_t>(end));
      continue;
    }
    Tag t;
    t.code = take<std::int32_t>(packed);
    t.source_offset = static_cast<std::size_t>(take<std::uint64_t>(packed));
    t.source_length = static_cast<std::size_t>(take<std::uint64_t>(packed));
    auto size = take<std::uint32_t>(packed);
    t.value.assign(packed.substr(0, size));
    packed.remove_prefix(size);
    tag(t);
  }
}

}  // namespace

std::string pack_tags(const std::vector<Tag>& tags, std::string_view buffer, Format format,
                      int code_width, const std::function<void(const Tag&)>& fresh) {
  std::string out;
  std::size_t span_end_at = kNoSpan;  // offset in `out` of the open span's end field
  std::uint64_t span_end = 0;
  for (const Tag& t : tags) {
    if (same_as_source(t, buffer, format, code_width)) {
      if (span_end_at != kNoSpan && span_end == t.source_offset) {
        span_end = t.source_offset + t.source_length;
        std::memcpy(out.data() + span_end_at, &span_end, sizeof span_end);
        continue;
      }
      out += kSpan;
      put<std::uint64_t>(out, t.source_offset);
      span_end_at = out.size();
      span_end = t.source_offset + t.source_length;
      put<std::uint64_t>(out, span_end);
      continue;
    }
    fresh(t);
    span_end_at = kNoSpan;
    out += kTag;
    put<std::int32_t>(out, t.code);
    put<std::uint64_t>(out, t.source_offset);
    put<std::uint64_t>(out, t.source_length);
    put<std::uint32_t>(out, static_cast<std::uint32_t>(t.value.size()));
    out += t.value;
  }
  out.shrink_to_fit();
  return out;
}

std::vector<Tag> unpack_tags(std::string_view packed, std::string_view buffer, Format format,
                             int code_width, const std::string& name) {
  std::vector<Tag> tags;
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
