#include "resbufmemory.h"

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "resvaluekind.h"
#include "zdxf/text_codec.h"

namespace zacad {
namespace {

// Blocks of each kind kept per thread, and the room of a kept string block: names, keys and
// short values (31 characters and the terminator).
constexpr size_t kKept = 256;
constexpr size_t kStringRoom = 64;

// Kept blocks are chained through their first bytes. A pool is trivially destroyed, so that it
// stays usable (as closed) after its thread's destructors ran: lists are still released by
// static objects' destructors at exit. Initial-exec: the library is loaded with the program, and
// its pools are then reached without a call.
struct Pool {
  void* head;
  size_t count;
  bool closed;
};

__attribute__((tls_model("initial-exec"))) thread_local Pool buffers;
__attribute__((tls_model("initial-exec"))) thread_local Pool strings;

// Frees the kept blocks when the thread ends.
struct PoolsCloser {
  ~PoolsCloser() {
    for (Pool* pool : {&buffers, &strings}) {
      while (pool->head != nullptr) {
        void* block = pool->head;
        pool->head = *static_cast<void**>(block);
        std::free(block);
      }
      pool->count = 0;
      pool->closed = true;
    }
  }
};

void* take(Pool& pool) {
  void* block = pool.head;
  if (block != nullptr) {
    pool.head = *static_cast<void**>(block);
    --pool.count;
  }
  return block;
}

// `room` 0: the block is known to be large enough.
void keep(Pool& pool, void* block, size_t room) {
  if (pool.closed || pool.count == kKept || (room > 0 && malloc_usable_size(block) < room)) {
    std::free(block);
    return;
  }
  if (buffers.count == 0 && strings.count == 0) {
    thread_local PoolsCloser closer;  // made with the thread's first kept block
    (void)closer;
  }
  *static_cast<void**>(block) = pool.head;
  pool.head = block;
  ++pool.count;
}

}  // namespace

resbuf* NewBuffer(int restype) {
  auto* rb = static_cast<resbuf*>(take(buffers));
  if (rb != nullptr)
    std::memset(rb, 0, sizeof *rb);
  else
    rb = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
  if (rb != nullptr)
    rb->restype = static_cast<short>(restype);
  return rb;
}

void ReleaseBuffer(resbuf* rb) {
  // Whoever allocated a buffer handed to acutRelRb gave it a buffer's room.
  if (rb != nullptr)
    keep(buffers, rb, 0);
}

namespace {

// Room for `length` characters and the terminator, a kept block when it fits.
ACHAR* stringRoom(size_t length) {
  const size_t bytes = (length + 1) * sizeof(ACHAR);
  void* block = bytes <= kStringRoom ? take(strings) : nullptr;
  if (block == nullptr)
    block = std::malloc(std::max(bytes, kStringRoom));
  return static_cast<ACHAR*>(block);
}

}  // namespace

ACHAR* NewString(std::u16string_view text) {
  ACHAR* copy = stringRoom(text.size());
  if (copy == nullptr)
    return nullptr;
  std::memcpy(copy, text.data(), text.size() * sizeof(ACHAR));
  copy[text.size()] = 0;
  return copy;
}

ACHAR* NewPlainString(std::string_view bytes) {
  ACHAR* copy = stringRoom(bytes.size());
  if (copy == nullptr)
    return nullptr;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (!zdxf::kPlainCharacters[c]) {
      ReleaseString(copy);
      return nullptr;
    }
    copy[i] = static_cast<ACHAR>(c);
  }
  copy[bytes.size()] = 0;
  return copy;
}

void ReleaseString(void* text) {
  if (text != nullptr)
    keep(strings, text, kStringRoom);
}

void ReleaseList(resbuf* list) {
  while (list != nullptr) {
    resbuf* next = list->rbnext;
    switch (resValueKind(list->restype)) {
      case ResValueKind::kString:
        ReleaseString(list->resval.rstring);
        break;
      case ResValueKind::kBinary:
        ReleaseString(list->resval.rbinary.buf);
        break;
      default:
        break;
    }
    ReleaseBuffer(list);
    list = next;
  }
}

}  // namespace zacad
