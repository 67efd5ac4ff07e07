// Which member of a result buffer's value a type code uses, as one table of code ranges.
#pragma once

namespace zacad {

enum class ResValueKind {
  kUnknown,  // not a type code of this host
  kNone,     // no value (list delimiters, nil, T, the xdata sentinel -3)
  kString,   // rstring
  kReal,     // rreal
  kPoint,    // rpoint
  kShort,    // rint
  kLong,     // rlong (32 bits)
  kInt64,    // mnInt64 / mnLongPtr
  kName,     // rlname
  kBinary,   // rbinary
};

ResValueKind resValueKind(int restype);

}  // namespace zacad
