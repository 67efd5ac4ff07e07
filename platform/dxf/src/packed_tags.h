#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tag_writer.h"
#include "zdxf/document.h"
#include "zdxf/tag.h"

namespace zdxf::detail {

// An edited object's tags in one allocation: each run of tags that still lie side by side in the
// file buffer as they were read is kept as that span of the buffer, every other tag as its code,
// source and value text. An xdata edit of a large entity so costs a few dozen bytes, not a copy of
// every tag. `fresh` sees each tag that is not kept from the buffer before it is packed (and may
// throw to refuse it).
std::string pack_tags(const std::vector<Tag>& tags, std::string_view buffer, Format format,
                      int code_width, const std::function<void(const Tag&)>& fresh);

// What pack_tags made, owned in one allocation that starts with its length: an edited object
// costs one pointer in its index entry and a few dozen bytes beside.
class PackedTags {
 public:
  PackedTags() = default;
  explicit PackedTags(std::string_view packed);
  explicit operator bool() const { return data_ != nullptr; }
  std::string_view view() const;

 private:
  std::unique_ptr<char[]> data_;
};

// The tags pack_tags was given, equal in code, value and source.
std::vector<Tag> unpack_tags(std::string_view packed, std::string_view buffer, Format format,
                             int code_width, const std::string& name);

// Writes packed tags: kept runs as one copy of their bytes, the others as append_tag does.
void append_packed(std::string& out, std::string_view packed, std::string_view buffer,
                   Format format, int code_width, const AsciiStyle& style);

}  // namespace zdxf::detail
