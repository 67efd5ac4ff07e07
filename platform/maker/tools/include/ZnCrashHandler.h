// Crash reports of the maker's tools library.
//
// Build a CZnCrashHandler inside a catch handler: its constructor reports the exception being
// handled as "<sourceFile>(<line>): exception caught: <message>", where the message is what() of a
// std::exception and "unknown exception" for anything else. The report goes to stderr and, when
// ZN_TRACE names a file, to the trace log at the current nesting depth. Built outside a handler,
// it reports "no exception being handled". It never throws.
#pragma once

#include <windows.h>

#include "ZnToolsDef.h"

class ZNTOOLS_API CZnCrashHandler {
 public:
  CZnCrashHandler(LPCTSTR sourceFile, int line);
  virtual ~CZnCrashHandler();

  CZnCrashHandler(const CZnCrashHandler&) = delete;
  CZnCrashHandler& operator=(const CZnCrashHandler&) = delete;
};
