#include "ZnCrashHandler.h"

#include <cstdio>
#include <exception>
#include <string>

#include "ZnTraceLog.h"

namespace {

// Text of the exception being handled, found by rethrowing it into typed handlers.
std::string CurrentExceptionText() {
  std::exception_ptr current = std::current_exception();
  if (!current) {
    return "no exception being handled";
  }
  try {
    std::rethrow_exception(current);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "unknown exception";
  }
}

}  // namespace

CZnCrashHandler::CZnCrashHandler(LPCTSTR sourceFile, int line) {
  try {
    const std::string report = zmaker::TraceText(sourceFile) + "(" + std::to_string(line) +
                               "): exception caught: " + CurrentExceptionText();
    std::fprintf(stderr, "%s\n", report.c_str());
    std::fflush(stderr);
    zmaker::WriteTraceLine(report);
  } catch (...) {
    // Without memory to compose the report, say so in the fewest bytes and carry on: the
    // handler runs inside a catch-all that must not let anything through.
    std::fputs("exception caught (report lost)\n", stderr);
  }
}

CZnCrashHandler::~CZnCrashHandler() = default;
