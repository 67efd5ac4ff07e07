#include "winbase.h"

#include <cstdint>
#include <limits>

int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator) {
  if (nDenominator == 0)
    return -1;
  const int64_t product = static_cast<int64_t>(nNumber) * nNumerator;
  const bool negative = (product < 0) != (nDenominator < 0);
  const uint64_t magnitude = product < 0 ? 0 - static_cast<uint64_t>(product) : product;
  const uint64_t divisor = nDenominator < 0
                               ? 0 - static_cast<uint64_t>(static_cast<int64_t>(nDenominator))
                               : static_cast<uint64_t>(nDenominator);
  const uint64_t quotient = (magnitude + divisor / 2) / divisor;
  if (quotient > static_cast<uint64_t>(std::numeric_limits<int>::max()) + (negative ? 1 : 0))
    return -1;
  return negative ? static_cast<int>(-static_cast<int64_t>(quotient)) : static_cast<int>(quotient);
}
