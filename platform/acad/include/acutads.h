// Result buffer lists: building, allocating and releasing them.
#pragma once

#include "acdbport.h"
#include "adscodes.h"
#include "adsdef.h"

// Builds a list from (type, value) pairs ended by 0 or RTNONE, so group 0 is passed as RTDXF0.
// The value's C type follows the type code: strings (const ACHAR*, copied) for RTSTR, RTDXF0,
// -4 and the DXF string groups; ads_point for RTPOINT, RT3DPOINT and point groups (10-18,
// 110-112, 210, 1010-1013); double for RTREAL, RTANG, RTORINT and real groups; int for RTSHORT,
// RTLONG and the integer groups; ads_name for RTENAME, RTPICKS and object-id groups; int64_t for
// RTLONG_PTR, RTINT64 and 160-169; const ads_binary* (bytes copied) for 310-319 and 1004; no
// value for -3, RTLB, RTLE, RTDOTE, RTNIL, RTT and RTVOID. Returns null for an unknown code
// (nothing is leaked). Release the list with acutRelRb.
ACDB_PORT struct resbuf* acutBuildList(int rtype, ...);

// A new buffer of type v with a zero value and no successor; null when v is not a known type.
// A string or binary value stored into it later must come from malloc (acutNewString does):
// acutRelRb frees it.
ACDB_PORT struct resbuf* acutNewRb(int v);

// Frees the whole chain from rb on, with its strings and binary data. RTNORM (also for null).
ACDB_PORT int acutRelRb(struct resbuf* rb);
