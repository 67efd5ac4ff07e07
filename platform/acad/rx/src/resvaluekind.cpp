#include "resvaluekind.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "adscodes.h"

namespace zacad {

namespace {

struct CodeRange {
  int first;
  int last;
  ResValueKind kind;
};

using K = ResValueKind;

// DXF group codes and RT codes with their value kinds. Y and Z groups of points (20-37,
// 1020-1039) never stand alone in a list; they are listed as reals so they stay representable.
constexpr CodeRange kRanges[] = {
    {-5, -5, K::kName},
    {-4, -4, K::kString},
    {-3, -3, K::kNone},
    {-2, -1, K::kName},
    {0, 9, K::kString},
    {10, 18, K::kPoint},
    {19, 59, K::kReal},
    {60, 79, K::kShort},
    {90, 99, K::kLong},
    {100, 102, K::kString},
    {105, 105, K::kString},
    {110, 112, K::kPoint},
    {113, 149, K::kReal},
    {160, 169, K::kInt64},
    {170, 179, K::kShort},
    {210, 210, K::kPoint},
    {211, 239, K::kReal},
    {270, 299, K::kShort},
    {300, 309, K::kString},
    {310, 319, K::kBinary},
    {320, 329, K::kString},
    {330, 369, K::kName},
    {370, 389, K::kShort},
    {390, 399, K::kName},
    {400, 409, K::kShort},
    {410, 419, K::kString},
    {420, 429, K::kLong},
    {430, 439, K::kString},
    {440, 459, K::kLong},
    {460, 469, K::kReal},
    {470, 479, K::kString},
    {480, 481, K::kName},
    {999, 999, K::kString},
    {1000, 1003, K::kString},
    {1004, 1004, K::kBinary},
    {1005, 1009, K::kString},
    {1010, 1013, K::kPoint},
    {1014, 1059, K::kReal},
    {1060, 1070, K::kShort},
    {1071, 1071, K::kLong},
    {RTNONE, RTNONE, K::kNone},
    {RTREAL, RTREAL, K::kReal},
    {RTPOINT, RTPOINT, K::kPoint},
    {RTSHORT, RTSHORT, K::kShort},
    {RTANG, RTANG, K::kReal},
    {RTSTR, RTSTR, K::kString},
    {RTENAME, RTPICKS, K::kName},
    {RTORINT, RTORINT, K::kReal},
    {RT3DPOINT, RT3DPOINT, K::kPoint},
    {RTLONG, RTLONG, K::kLong},
    {RTVOID, RTVOID, K::kNone},
    {RTLB, RTNIL, K::kNone},
    {RTDXF0, RTDXF0, K::kString},
    {RTT, RTT, K::kNone},
    {RTLONG_PTR, RTINT64, K::kInt64},
};

constexpr int lowestCode() {
  int lowest = kRanges[0].first;
  for (const CodeRange& range : kRanges)
    lowest = std::min(lowest, range.first);
  return lowest;
}

constexpr int highestCode() {
  int highest = kRanges[0].last;
  for (const CodeRange& range : kRanges)
    highest = std::max(highest, range.last);
  return highest;
}

constexpr int kLowest = lowestCode();
constexpr size_t kCodes = static_cast<size_t>(highestCode() - kLowest + 1);

// The kind of every code from the lowest to the highest listed, made when the library is
// compiled, so that a lookup, made for each buffer built or released, is one index.
constexpr std::array<ResValueKind, kCodes> kindTable() {
  std::array<ResValueKind, kCodes> kinds{};
  kinds.fill(K::kUnknown);
  // The first range listing a code gives its kind.
  for (auto range = std::rbegin(kRanges); range != std::rend(kRanges); ++range) {
    for (int code = range->first; code <= range->last; ++code)
      kinds[static_cast<size_t>(code - kLowest)] = range->kind;
  }
  return kinds;
}

constexpr std::array<ResValueKind, kCodes> kKinds = kindTable();

}  // namespace

ResValueKind resValueKind(int restype) {
  const int index = restype - kLowest;
  if (index < 0 || static_cast<size_t>(index) >= kCodes)
    return K::kUnknown;
  return kKinds[static_cast<size_t>(index)];
}

}  // namespace zacad
