#include "edit_store.h"

#include <cstring>

namespace zdxf::detail {

namespace {

// A record: its length (4 bytes, native order) and its bytes.
constexpr std::size_t kHead = sizeof(std::uint32_t);

}  // namespace

EditStore::Ref EditStore::add(std::string_view packed) {
  const std::size_t need = kHead + packed.size();
  std::size_t at = blocks_.size();
  if (need > kBlock / 4) {
    // A large record (a long text, a header) gets a block of its own.
    blocks_.push_back(Block{std::make_unique<char[]>(need), 0});
  } else {
    if (blocks_.empty() || blocks_[current_].used + need > kBlock) {
      blocks_.push_back(Block{std::unique_ptr<char[]>(new char[kBlock]), 0});
      current_ = blocks_.size() - 1;
    }
    at = current_;
  }
  Block& block = blocks_[at];
  const std::size_t offset = block.used;
  const auto length = static_cast<std::uint32_t>(packed.size());
  std::memcpy(block.bytes.get() + offset, &length, kHead);
  std::memcpy(block.bytes.get() + offset + kHead, packed.data(), packed.size());
  block.used += need;
  live_ += need;
  return (static_cast<Ref>(at) << 32) | (offset + 1);
}

std::string_view EditStore::view(Ref ref) const {
  if (ref == 0)
    return {};
  const char* record = blocks_[ref >> 32].bytes.get() + ((ref & 0xffffffffu) - 1);
  std::uint32_t length = 0;
  std::memcpy(&length, record, kHead);
  return std::string_view(record + kHead, length);
}

void EditStore::drop(Ref ref) {
  if (ref == 0)
    return;
  const std::size_t size = kHead + view(ref).size();
  live_ -= size;
  waste_ += size;
}

bool EditStore::wasteful() const {
  return waste_ > live_ && waste_ > kBlock;
}

}  // namespace zdxf::detail
