// The host's C-level value types: points, entity names and result buffers, laid out as on
// 64-bit Windows (a Windows long is 32 bits, so rlong is int32_t; names are two 64-bit words).
#pragma once

#include <cstdint>

#include "AdAChar.h"

typedef double ads_real;
typedef ads_real ads_point[3];
typedef int64_t ads_name[2];
typedef ads_real ads_matrix[4][4];
typedef ads_real* ads_pointp;
typedef int64_t* ads_namep;

// Indexes of a point's coordinates.
enum { X = 0, Y = 1, Z = 2 };

struct ads_binary {
  short clen;
  char* buf;
};

union ads_u_val {
  ads_real rreal;
  ads_real rpoint[3];
  short rint;
  ACHAR* rstring;
  int64_t rlname[2];
  intptr_t mnLongPtr;
  int32_t rlong;
  int64_t mnInt64;
  struct ads_binary rbinary;
  unsigned char ihandle[8];
};

struct resbuf {
  struct resbuf* rbnext;
  short restype;
  union ads_u_val resval;
};

static_assert(sizeof(resbuf) == 40, "resbuf must keep the host's 64-bit layout");

#define ads_point_set(from, to) ((to)[X] = (from)[X], (to)[Y] = (from)[Y], (to)[Z] = (from)[Z])
#define ads_name_set(from, to) ((to)[0] = (from)[0], (to)[1] = (from)[1])
#define ads_name_clear(name) ((name)[0] = (name)[1] = 0)
#define ads_name_nil(name) ((name)[0] == 0 && (name)[1] == 0)
#define ads_name_equal(a, b) ((a)[0] == (b)[0] && (a)[1] == (b)[1])
