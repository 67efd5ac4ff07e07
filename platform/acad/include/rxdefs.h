// Runtime enumerations of the host: the messages an application's acrxEntryPoint receives and
// what it answers, orderings, dictionary iteration orders, and the API version handshake.
#pragma once

#include "AdAChar.h"
#include "adesk.h"

struct AcRx {
  // Messages to acrxEntryPoint, in the host's order (the numbers are part of the contract).
  enum AppMsgCode {
    kNullMsg = 0,
    kInitAppMsg = 1,
    kUnloadAppMsg = 2,
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
    kInvkSubrMsg = 5,
    kCfgMsg = 6,
    kEndMsg = 7,
    kQuitMsg = 8,
    kSaveMsg = 9,
    kDependencyMsg = 10,
    kNoDependencyMsg = 11,
    kOleUnloadAppMsg = 12,
    kPreQuitMsg = 13,
    kInitDialogMsg = 14,
    kEndDialogMsg = 15,
    kSuspendMsg = 16,
  };

  enum AppRetCode {
    kRetOK = 0,
    kRetError = 3,
  };

  enum Ordering {
    kLessThan = -1,
    kEqual = 0,
    kGreaterThan = 1,
    kNotOrderable = 2,
  };

  // kDictSorted visits entries by key, kDictCollated in the order of their ids (insertion).
  enum DictIterType {
    kDictSorted = 0,
    kDictCollated = 1,
  };

  typedef void (*FunctionPtr)();
};

typedef void (*AcRxFunctionPtr)();

// The runtime API version this host implements: ObjectARX 17.2. An application built with the
// SDK of the same major version and an equal or older minor version loads; any other is refused.
#define ACRX_API_VERSION_MAJOR 17
#define ACRX_API_VERSION_MINOR 2
#define ACRX_API_VERSION ((ACRX_API_VERSION_MAJOR << 16) | ACRX_API_VERSION_MINOR)

// Every application exports this (from the rxapi static library linked into it): the version
// of the SDK it was built with, major version in the high 16 bits, minor in the low ones.
extern "C" __attribute__((visibility("default"))) int acrxGetApiVersion();
