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

// Selection sets. A set is named by an ads_name; at most 128 application sets live at once,
// so free each with acedSSFree. acedSSGet's `str` is the mode: NULL (the user selects at
// "Select objects: ", or the pick-first set when every argument is NULL and one exists; with
// `pt1` alone, the entity at that point), "X" (the whole drawing, layers off and frozen
// included), "A" (all on layers neither off nor frozen), "I" (the pick-first set), "L" (the newest
// visible entity), "P" (the previous selection), "W"/"C" (window/crossing between the points pt1
// and pt2), or user selection flags ":$" (pt1 is an array of two prompts: [0] while adding, [1]
// while removing) and ":S" (one successful operation ends it); a leading "_" is allowed.
// `filter` is a list of DXF groups with -4 relational and grouping operators. RTNORM with
// `ss` named; RTCAN on Escape; RTERROR when nothing was selected or the mode or filter is
// malformed.
ACCORE_PORT int acedSSGet(const ACHAR* str, const void* pt1, const void* pt2,
                          const struct resbuf* filter, ads_name ss);
ACCORE_PORT int acedSSFree(const ads_name sname);
ACCORE_PORT int acedSSLength(const ads_name sname, long* len);
// The i-th entity (from 0) in selection order. RTERROR out of range.
ACCORE_PORT int acedSSName(const ads_name ss, long i, ads_name entres);
// Adds ename to sname (result = sname); with no sname, a new set (empty without ename).
ACCORE_PORT int acedSSAdd(const ads_name ename, const ads_name sname, ads_name result);
// RTNORM when ename was a member and is removed; RTERROR otherwise.
ACCORE_PORT int acedSSDel(const ads_name ename, const ads_name ss);
// RTNORM when ename is a member, RTERROR otherwise.
ACCORE_PORT int acedSSMemb(const ads_name ename, const ads_name ss);
// The pick-first set: the selection a command with ACRX_CMD_USEPICKSET finds when it starts
// (while PICKFIRST is 1). acedSSSetFirst copies `pset` (NULL clears it). acedSSGetFirst gives
// the gripped set (always RTNIL here) and the pick-first set as a new set in an RTPICKS buffer
// (RTNIL when empty); release the buffers with acutRelRb and the set with acedSSFree.
ACCORE_PORT int acedSSSetFirst(const ads_name pset, const ads_name unused);
ACCORE_PORT int acedSSGetFirst(struct resbuf** gset, struct resbuf** pset);

// The host's main window, created on first use: the owner of the dialogs applications show.
#include "windef.h"
ACCORE_PORT HWND adsw_acadMainWnd();
