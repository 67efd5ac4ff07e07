// A hint for the large arrays a drawing needs (its bytes, its index, one record per entity).
#pragma once

#include <cstddef>
#include <vector>

#include "zdxf/export.h"

namespace zdxf {

// Asks the kernel to back the 2 MB-aligned interior of [data, data + bytes) with 2 MB pages,
// so that filling it costs a fault every 2 MB instead of every 4 KB; page faults are a large
// part of reading a big drawing. Only a hint: where the kernel has no large pages, or the range
// holds no whole large page, nothing changes. Call it before the memory is first written.
ZDXF_API void advise_large_pages(const void* data, std::size_t bytes);

// Room for `count` elements in `v`, advised as above.
template <typename T, typename A>
void reserve_in_large_pages(std::vector<T, A>& v, std::size_t count) {
  v.reserve(count);
  advise_large_pages(v.data(), v.capacity() * sizeof(T));
}

}  // namespace zdxf
