#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "tag_writer.h"
#include "zdxf/document.h"
#include "zdxf/tag.h"

namespace zdxf::detail {

// Runs of new tags that many edits repeat (a command giving every entity the same xdata block),
// each kept once and named by a number in the packed tags that use it. A run is shared the second
// time it comes in a row or once already shared; the table stops growing at a fixed size, after
// which runs stay inline, so a drawing whose every edit differs pays nothing for it.
class SharedRuns {
 public:
  // The number of `run` when it is (or now becomes) shared; none to keep it inline.
  std::optional<std::uint32_t> share(std::string_view run);
  std::string_view run(std::uint32_t number) const { return runs_[number]; }

 private:
  static constexpr std::size_t kMaxBytes = std::size_t{4} << 20;

  std::deque<std::string> runs_;  // never moves a run, so numbers_ may view them
  std::unordered_map<std::string_view, std::uint32_t> numbers_;
  std::string last_;  // the last run kept inline
  std::size_t bytes_ = 0;
};

// An edited object's tags as one string: each run of tags that still lie side by side in the file
// buffer as they were read is kept as that span of the buffer, every other tag as its code, source
// and value text (or, for a run of such tags repeated by many edits, the number `shared` gives
// it). An xdata edit of a large entity so costs a few bytes, not a copy of every tag. Spans are
// kept from `base`, the object's own start (0 for one added), so that they take a byte or two.
// `fresh` sees each tag that is not kept from the buffer before it is packed (and may throw to
// refuse it). `kept_end` > `base` puts the object's bytes from `base` to `kept_end` before
// `tags`, kept as they are without being read as tags. The functions below take the same `base`.
std::string pack_tags(const std::vector<Tag>& tags, std::size_t base, std::string_view buffer,
                      Format format, int code_width, SharedRuns& shared,
                      const std::function<void(const Tag&)>& fresh, std::size_t kept_end = 0);

// The packed form of the tags lying in the buffer from `begin` to `end`: an object as read.
std::string pack_span(std::size_t begin, std::size_t end, std::size_t base);
// True when `packed` is one reference to a shared run and nothing else.
bool only_shared_run(std::string_view packed);
// The span when `packed` is a single one (see pack_span).
std::optional<std::pair<std::size_t, std::size_t>> only_span(std::string_view packed,
                                                             std::size_t base);

// The tags pack_tags was given, equal in code, value and source.
std::vector<Tag> unpack_tags(std::string_view packed, std::size_t base, std::string_view buffer,
                             Format format, int code_width, const SharedRuns& shared,
                             const std::string& name);

// Shared runs as written in one style, for one save: a run that many objects share is formatted
// once per style (the objects of a file mostly share one), unless it holds an integer, whose
// width each object tells.
class RenderedRuns {
 public:
  // Run `number` as formatted before in `style`, or null.
  const std::string* find(std::uint32_t number, const AsciiStyle& style) const;
  void keep(std::uint32_t number, const AsciiStyle& style, std::string bytes);

 private:
  struct Key {
    std::uint32_t number;
    bool pad_codes;
    std::string eol;
    auto operator<=>(const Key&) const = default;
  };
  std::map<Key, std::string> bytes_;
};

// Writes packed tags: kept runs as one copy of their bytes, the others as append_tag does.
void append_packed(std::string& out, std::string_view packed, std::size_t base,
                   std::string_view buffer, Format format, int code_width, const SharedRuns& shared,
                   const AsciiStyle& style, RenderedRuns& rendered);

}  // namespace zdxf::detail
