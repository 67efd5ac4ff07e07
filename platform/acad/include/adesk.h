// Fixed-size types of the host SDK. Windows' long is 32 bits, so Int32 is int32_t here, never
// this platform's 64-bit long.
#pragma once

#include <cstddef>
#include <cstdint>

struct Adesk {
  typedef int8_t Int8;
  typedef int16_t Int16;
  typedef int32_t Int32;
  typedef int64_t Int64;
  typedef uint8_t UInt8;
  typedef uint16_t UInt16;
  typedef uint32_t UInt32;
  typedef uint64_t UInt64;
  typedef unsigned char UChar;
  typedef signed char SChar;
  typedef bool Boolean;
  static constexpr bool kFalse = false;
  static constexpr bool kTrue = true;
  typedef intptr_t IntPtr;
  typedef uintptr_t UIntPtr;
  typedef intptr_t LongPtr;
  typedef uintptr_t ULongPtr;
  typedef intptr_t IntDbId;
  typedef intptr_t GsMarker;
};
