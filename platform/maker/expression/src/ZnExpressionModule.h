// The expression library's own module handle. Internal to the library.
#pragma once

#include <windows.h>

namespace zmaker {

// This library's HINSTANCE, recorded when it was mapped: where its dialog template lives.
HINSTANCE ExpressionModule();

}  // namespace zmaker
