// The host's command-line functions: prompts and user input. Each input call draws its answer
// from the current input source (terminal or script) and returns RTNORM, RTNONE for a bare
// Enter where allowed, RTKWORD for a keyword set by acedInitGet, or RTCAN on Escape.
#pragma once

#include <cstddef>

#include "AcCoreDefs.h"
#include "adscodes.h"
#include "adsdef.h"

// acedInitGet flags; they govern the next input call only.
#ifndef RSG_NONULL
#define RSG_NONULL 0x0001
#define RSG_NOZERO 0x0002
#define RSG_NONEG 0x0004
#define RSG_NOLIM 0x0008
#define RSG_GETZ 0x0010
#define RSG_DASH 0x0020
#define RSG_2D 0x0040
#define RSG_OTHER 0x0080
#define RSG_DDISTFIRST 0x0100
#define RSG_TRACKUCS 0x0200
#define RSG_NOORTHOZ 0x0400
#define RSG_NOOSNAP 0x0800
#endif

// Size of the result buffer the three-argument input calls assume, terminator included.
#define ACED_MAX_INPUT_LEN 2049

// Prints printf-style text (wide-build conversions: %s is a wide string) on the command line.
ACCORE_PORT int acutPrintf(const ACHAR* format, ...);

// Prints a prompt or message on the command line.
ACCORE_PORT int acedPrompt(const ACHAR* str);

// Sets the flags and the keyword list ("Local words _ Global words"; capitals mark the
// abbreviation) of the next input call.
ACCORE_PORT int acedInitGet(int val, const ACHAR* kwl);

// A string up to a space or the line end; with cronly non-zero, the whole line, spaces
// included. `result` holds ACED_MAX_INPUT_LEN characters (or bufsize); a longer answer is
// cut and RTINPUTTRUNCATED returned.
ACCORE_PORT int acedGetString(int cronly, const ACHAR* prompt, ACHAR* result);
ACCORE_PORT int acedGetString(int cronly, const ACHAR* prompt, ACHAR* result, size_t bufsize);

// One of the acedInitGet keywords (the global one when the list has a "_" part).
ACCORE_PORT int acedGetKword(const ACHAR* prompt, ACHAR* result);
ACCORE_PORT int acedGetKword(const ACHAR* prompt, ACHAR* result, size_t bufsize);

// A 16-bit integer or a real number; RTKWORD when a keyword was entered instead.
ACCORE_PORT int acedGetInt(const ACHAR* prompt, int* result);
ACCORE_PORT int acedGetReal(const ACHAR* prompt, ads_real* result);

// The keyword of the last input call that returned RTKWORD.
ACCORE_PORT int acedGetInput(ACHAR* str);
ACCORE_PORT int acedGetInput(ACHAR* str, size_t bufsize);

// Points typed as "x,y" or "x,y,z", "@dx,dy[,dz]" relative to the last point (LASTPOINT),
// "d<a" polar with the angle in degrees, "@" the last point. `pt` is the base point (may be
// null; the corner needs one). RTNORM, RTNONE on Enter (unless RSG_NONULL), RTKWORD, RTCAN.
ACCORE_PORT int acedGetPoint(const ads_point pt, const ACHAR* prompt, ads_point result);
ACCORE_PORT int acedGetCorner(const ads_point pt, const ACHAR* prompt, ads_point result);

// A distance: a typed number (either sign, unless RSG_NOZERO / RSG_NONEG), or two points, the
// second asked for after the first; with a base point `pt`, the second point only. RSG_2D
// measures in the XY plane.
ACCORE_PORT int acedGetDist(const ads_point pt, const ACHAR* prompt, ads_real* result);

// An angle in radians, counter-clockwise from the X axis: typed in degrees, or two points.
ACCORE_PORT int acedGetAngle(const ads_point pt, const ACHAR* prompt, ads_real* result);

// System variables: PICKFIRST, PICKBOX, PICKAUTO (RTSHORT) and LASTPOINT (RT3DPOINT).
// RTNORM; RTERROR for an unknown name or a value of the wrong type or out of range.
ACCORE_PORT int acedGetVar(const ACHAR* sym, struct resbuf* result);
ACCORE_PORT int acedSetVar(const ACHAR* sym, const struct resbuf* val);
