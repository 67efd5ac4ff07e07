// The version handshake every application carries (linked in from this static library, as the
// SDK's rxapi library is): the host refuses applications built for another API.
#include "rxdefs.h"

extern "C" int acrxGetApiVersion() {
  return ACRX_API_VERSION;
}
