// Status values of the host: Acad::ErrorStatus (returned by nearly every host call) and the
// statuses of application registration (AcadApp). The numbers are the host's own, since
// applications compare and log them as numbers.
#pragma once

#include "AdAChar.h"
#include "acdbport.h"

// One list drives both the enumeration and acadErrorStatusText, so the two never disagree.
#define ZACAD_ERROR_STATUSES(X) \
  X(eOk, 0)                     \
  X(eNotApplicable, 2)          \
  X(eInvalidInput, 3)           \
  X(eNullObjectId, 16)          \
  X(eKeyNotFound, 22)           \
  X(eDuplicateKey, 23)          \
  X(eNotOpenForRead, 44)        \
  X(eNotOpenForWrite, 45)       \
  X(eNotThatKindOfClass, 46)    \
  X(eWasErased, 80)             \
  X(eWasOpenForRead, 82)        \
  X(eWasOpenForWrite, 83)       \
  X(eOnLockedLayer, 87)         \
  X(eNotAnEntity, 93)           \
  X(eNoDatabase, 124)           \
  X(eXdataSizeExceeded, 125)    \
  X(eRegappIdNotFound, 126)     \
  X(eLockViolation, 320)        \
  X(eLockConflict, 321)         \
  X(eNoDocument, 330)           \
  X(eNotFromThisDocument, 331)

struct Acad {
#define ZACAD_ERROR_STATUS_ENUMERATOR(name, value) name = value,
  enum ErrorStatus { ZACAD_ERROR_STATUSES(ZACAD_ERROR_STATUS_ENUMERATOR) };
#undef ZACAD_ERROR_STATUS_ENUMERATOR
};

// The enumerator's name ("eInvalidInput"), or "Unknown ErrorStatus" for a number not in the list.
ACDB_PORT const ACHAR* acadErrorStatusText(Acad::ErrorStatus status);

struct AcadApp {
  enum ErrorStatus {
    eOk = 0,
    eInvalidKey = 1,
    eInvalidSubKey = 2,
    eKeyNotFound = 3,
    eOutOfMemory = 4,
    eInvalidValue = 5,
    eValueNotFound = 6,
    eKeyExists = 7,
    eRegAccessDenied = 8,
    eRejected = 9,
    eUnknownError = 10,
  };

  // Why the host loads an application on demand (bits of the LOADCTRLS registry value).
  enum LoadReasons {
    kOnProxyDetection = 0x01,
    kOnAutoCADStartup = 0x02,
    kOnCommandInvocation = 0x04,
    kOnLoadRequest = 0x08,
    kLoadDisabled = 0x10,
    kTransparentlyLoadable = 0x20,
  };
};
