// Export marker of the host executable's API (the command line, command stack and editor), as
// the SDK's ACCORE_PORT marks what applications import from the host.
#pragma once

#ifndef ACCORE_PORT
#define ACCORE_PORT __attribute__((visibility("default")))
#endif
