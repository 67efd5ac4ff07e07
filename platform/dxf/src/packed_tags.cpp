#include "packed_tags.h"

#include <cstdint>
#include <utility>

#include "tag_scanner.h"

namespace zdxf::detail {

namespace {

// Numbers are stored 7 bits a byte, low bits first: offsets, lengths and codes mostly take one
// to four bytes.
constexpr char kSpan = 'S';  // begin - base, length: tags kept in the buffer
constexpr char kTag = 'T';   // code, source offset + 1 (0: new), source length, value size, value
constexpr char kRun = 'R';   // number of a shared run of kTag records

// Writes `value` at `at`, returns the end; at most 10 bytes.
char* put(char* at, std::uint64_t value) {
  while (value >= 0x80) {
    *at++ = static_cast<char>((value & 0x7f) | 0x80);
    value >>= 7;
  }
  *at++ = static_cast<char>(value);
  return at;
}

void put(std::string& out, std::uint64_t value) {
  char bytes[10];
  out.append(bytes, put(bytes, value));
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

// Group codes and span starts (from the object's own start) may be negative; zigzag keeps small
// ones short.
std::uint64_t zigzag(std::int64_t c) {
  return (static_cast<std::uint64_t>(c) << 1) ^ static_cast<std::uint64_t>(c >> 63);
}

std::int64_t unzigzag(std::uint64_t z) {
  return static_cast<std::int64_t>(z >> 1) ^ -static_cast<std::int64_t>(z & 1);
}

void put_span(std::string& out, std::size_t begin, std::size_t end, std::size_t base) {
  char bytes[21];
  bytes[0] = kSpan;
  char* at = put(bytes + 1, zigzag(static_cast<std::int64_t>(begin - base)));
  out.append(bytes, put(at, end - begin));
}

std::pair<std::size_t, std::size_t> take_span(std::string_view& in, std::size_t base) {
  const auto begin = base + static_cast<std::size_t>(unzigzag(take(in)));
  return {begin, begin + static_cast<std::size_t>(take(in))};
}

// Calls span(begin, end) or tag(Tag) for each record, shared runs included unless
// run(number) took one whole.
template <typename Span, typename One, typename Run>
void for_each_record(std::string_view packed, std::size_t base, const SharedRuns& shared,
                     Span&& span, One&& tag, Run&& run) {
  while (!packed.empty()) {
    char kind = packed.front();
    packed.remove_prefix(1);
    if (kind == kSpan) {
      auto [begin, end] = take_span(packed, base);
      span(begin, end);
      continue;
    }
    if (kind == kRun) {
      const auto number = static_cast<std::uint32_t>(take(packed));
      if (!run(number))
        for_each_record(shared.run(number), base, shared, span, tag, run);
      continue;
    }
    Tag t;
    t.code = static_cast<int>(unzigzag(take(packed)));
    t.source_offset = static_cast<std::size_t>(take(packed)) - 1;  // 0 wraps round to kNew
    t.source_length = static_cast<std::size_t>(take(packed));
    auto size = static_cast<std::size_t>(take(packed));
    t.value.assign(packed.substr(0, size));
    packed.remove_prefix(size);
    tag(t);
  }
}

}  // namespace

std::optional<std::uint32_t> SharedRuns::share(std::string_view run) {
  if (auto known = numbers_.find(run); known != numbers_.end())
    return known->second;
  if (run != last_ || bytes_ + run.size() > kMaxBytes) {
    last_.assign(run);
    return std::nullopt;
  }
  const auto number = static_cast<std::uint32_t>(runs_.size());
  runs_.emplace_back(run);
  numbers_.emplace(runs_.back(), number);
  bytes_ += run.size();
  return number;
}

std::string pack_tags(const std::vector<Tag>& tags, std::size_t base, std::string_view buffer,
                      Format format, int code_width, SharedRuns& shared,
                      const std::function<void(const Tag&)>& fresh, std::size_t kept_end) {
  std::string out;
  // The run of kept tags not written yet.
  std::size_t span_begin = base, span_end = kept_end;
  bool in_span = kept_end > base;
  // The run of new tags not written yet, as kTag records.
  std::string run;
  auto flush_span = [&] {
    if (!in_span)
      return;
    put_span(out, span_begin, span_end, base);
    in_span = false;
  };
  auto flush_run = [&] {
    if (run.empty())
      return;
    if (std::optional<std::uint32_t> number = shared.share(run)) {
      out += kRun;
      put(out, *number);
    } else {
      out += run;
    }
    run.clear();
  };
  for (const Tag& t : tags) {
    if (same_as_source(t, buffer, format, code_width)) {
      if (in_span && span_end == t.source_offset) {
        span_end = t.source_offset + t.source_length;
        continue;
      }
      flush_run();
      flush_span();
      in_span = true;
      span_begin = t.source_offset;
      span_end = t.source_offset + t.source_length;
      continue;
    }
    fresh(t);
    flush_span();
    run += kTag;
    put(run, zigzag(t.code));
    put(run, static_cast<std::uint64_t>(t.source_offset) + 1);
    put(run, t.source_length);
    put(run, t.value.size());
    run += t.value;
  }
  flush_run();
  flush_span();
  return out;
}

std::string pack_span(std::size_t begin, std::size_t end, std::size_t base) {
  std::string out;
  put_span(out, begin, end, base);
  return out;
}

bool only_shared_run(std::string_view packed) {
  if (packed.empty() || packed.front() != kRun)
    return false;
  packed.remove_prefix(1);
  take(packed);
  return packed.empty();
}

std::optional<std::pair<std::size_t, std::size_t>> only_span(std::string_view packed,
                                                             std::size_t base) {
  if (packed.empty() || packed.front() != kSpan)
    return std::nullopt;
  packed.remove_prefix(1);
  auto span = take_span(packed, base);
  if (!packed.empty())
    return std::nullopt;
  return span;
}

std::vector<Tag> unpack_tags(std::string_view packed, std::size_t base, std::string_view buffer,
                             Format format, int code_width, const SharedRuns& shared,
                             const std::string& name) {
  std::vector<Tag> tags;
  tags.reserve(kTagsReserved);
  for_each_record(
      packed, base, shared,
      [&](std::size_t begin, std::size_t end) {
        // These bytes were scanned when the file was read; they scan the same way again.
        TagScanner scan(buffer.substr(0, end), format, code_width, name, begin, 0);
        RawTag raw;
        while (scan.next(raw))
          tags.push_back(tag_from_source(raw, buffer, format));
      },
      [&](Tag& t) { tags.push_back(std::move(t)); }, [](std::uint32_t) { return false; });
  return tags;
}

const std::string* RenderedRuns::find(std::uint32_t number, const AsciiStyle& style) const {
  auto known = bytes_.find(Key{number, style.pad_codes, style.eol});
  return known == bytes_.end() ? nullptr : &known->second;
}

void RenderedRuns::keep(std::uint32_t number, const AsciiStyle& style, std::string bytes) {
  bytes_.emplace(Key{number, style.pad_codes, style.eol}, std::move(bytes));
}

void append_packed(std::string& out, std::string_view packed, std::size_t base,
                   std::string_view buffer, Format format, int code_width, const SharedRuns& shared,
                   const AsciiStyle& style, RenderedRuns& rendered) {
  auto span = [&](std::size_t begin, std::size_t end) {
    out.append(buffer.substr(begin, end - begin));
  };
  auto tag = [&](const Tag& t) { append_tag(out, t, buffer, format, code_width, style); };
  auto run = [&](std::uint32_t number) {
    if (const std::string* known = rendered.find(number, style)) {
      out += *known;
      return true;
    }
    // Integers take the width of the object they go into, so a run holding one is formatted
    // for each object anew.
    bool keep = true;
    std::string bytes;
    for_each_record(
        shared.run(number), base, shared,
        [&](std::size_t begin, std::size_t end) {
          bytes.append(buffer.substr(begin, end - begin));
        },
        [&](const Tag& t) {
          const ValueType type = value_type(t.code);
          keep = keep && type != ValueType::Int16 && type != ValueType::Int32 &&
                 type != ValueType::Int64 && type != ValueType::Bool;
          append_tag(bytes, t, buffer, format, code_width, style);
        },
        [](std::uint32_t) { return false; });
    out += bytes;
    if (keep)
      rendered.keep(number, style, std::move(bytes));
    return true;
  };
  for_each_record(packed, base, shared, span, tag, run);
}

}  // namespace zdxf::detail
