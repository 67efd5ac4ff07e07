#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace zdxf::detail {

// The packed tags of edited objects, side by side in large blocks rather than one allocation
// each: tagging a million entities costs their packed bytes and no allocator overhead. A record
// is named by a Ref the object keeps. A replaced record is left in place and counted as waste;
// its owner copies the live records into a fresh store once waste outgrows them (see wasteful).
class EditStore {
 public:
  // Block number in the high half, offset + 1 in the low half; 0 names no record.
  using Ref = std::uint64_t;

  Ref add(std::string_view packed);
  std::string_view view(Ref ref) const;
  // The record is no longer used.
  void drop(Ref ref);
  // True when replaced records take more room than live ones (and enough to be worth a copy).
  bool wasteful() const;

 private:
  static constexpr std::size_t kBlock = std::size_t{1} << 20;

  struct Block {
    std::unique_ptr<char[]> bytes;
    std::size_t used = 0;
  };
  static constexpr std::size_t kNoBlock = static_cast<std::size_t>(-1);

  std::vector<Block> blocks_;
  std::size_t current_ = kNoBlock;  // the block small records go to (never a large record's own)
  std::size_t live_ = 0;
  std::size_t waste_ = 0;
};

}  // namespace zdxf::detail
