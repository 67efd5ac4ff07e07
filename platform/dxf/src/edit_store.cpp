#include "edit_store.h"

#include <cstring>

namespace zdxf::detail {

namespace {

// A record is its length, 7 bits a byte low bits first, then its bytes.
std::size_t head_size(std::size_t length) {
  std::size_t size = 1;
  for (; length >= 0x80; length >>= 7)
    ++size;
  return size;
}

}  // namespace

EditStore::Ref EditStore::add(std::string_view packed) {
  const std::size_t head = head_size(packed.size());
  const std::size_t need = head + packed.size();
  std::size_t at = blocks_.size();
  if (need > kBlock / 4) {
    // A large record (a long text, a header) gets a block of its own.
    blocks_.push_back(Block{std::make_unique<char[]>(need), 0});
  } else {
    if (current_ == kNoBlock || blocks_[current_].used + need > kBlock) {
      blocks_.push_back(Block{std::unique_ptr<char[]>(new char[kBlock]), 0});
      current_ = blocks_.size() - 1;
    }
    at = current_;
  }
  Block& block = blocks_[at];
  const std::size_t offset = block.used;
  char* at_record = block.bytes.get() + offset;
  std::size_t length = packed.size();
  for (; length >= 0x80; length >>= 7)
    *at_record++ = static_cast<char>((length & 0x7f) | 0x80);
  *at_record++ = static_cast<char>(length);
  std::memcpy(at_record, packed.data(), packed.size());
  block.used += need;
  live_ += need;
  return (static_cast<Ref>(at) << 32) | (offset + 1);
}

std::string_view EditStore::view(Ref ref) const {
  if (ref == 0)
    return {};
  const char* record = blocks_[ref >> 32].bytes.get() + ((ref & 0xffffffffu) - 1);
  std::size_t length = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(*record++);
    length |= static_cast<std::size_t>(byte & 0x7f) << shift;
    if ((byte & 0x80) == 0)
      break;
  }
  return std::string_view(record, length);
}

void EditStore::drop(Ref ref) {
  if (ref == 0)
    return;
  const std::size_t length = view(ref).size();
  const std::size_t size = head_size(length) + length;
  live_ -= size;
  waste_ += size;
}

bool EditStore::wasteful() const {
  return waste_ > live_ && waste_ > kBlock;
}

}  // namespace zdxf::detail
