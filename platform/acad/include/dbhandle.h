// AcDbHandle: the 64-bit handle that names an object in its drawing for good (group 5 in DXF).
#pragma once

#include "AdAChar.h"
#include "acdbport.h"
#include "adesk.h"

class ACDB_PORT AcDbHandle {
 public:
  AcDbHandle() = default;
  AcDbHandle(Adesk::UInt32 low, Adesk::UInt32 high) : mValue((Adesk::UInt64(high) << 32) | low) {}
  explicit AcDbHandle(Adesk::UInt64 value) : mValue(value) {}
  // From hex text as DXF writes it ("1A2B"); text that is not hex gives the null handle.
  explicit AcDbHandle(const ACHAR* hex);

  bool isNull() const { return mValue == 0; }
  void setNull() { mValue = 0; }
  Adesk::UInt32 low() const { return Adesk::UInt32(mValue); }
  Adesk::UInt32 high() const { return Adesk::UInt32(mValue >> 32); }
  Adesk::UInt64 value() const { return mValue; }

  // Hex text, upper case, no leading zeros ("0" for the null handle); false when the buffer
  // (nBufLen characters with its terminator) is too small.
  bool getIntoAsciiBuffer(ACHAR* pBuf, size_t nBufLen) const;

  AcDbHandle& operator++() {
    ++mValue;
    return *this;
  }
  bool operator==(const AcDbHandle& o) const { return mValue == o.mValue; }
  bool operator!=(const AcDbHandle& o) const { return mValue != o.mValue; }
  bool operator<(const AcDbHandle& o) const { return mValue < o.mValue; }

 private:
  Adesk::UInt64 mValue = 0;
};
