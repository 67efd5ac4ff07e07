// The trace log shared by the trace scopes and the crash reports (internal to the library).
#pragma once

#include <string>
#include <string_view>

#include <windef.h>

namespace zmaker {

// Path named by ZN_TRACE, or null when tracing is off (unset or empty).
const char* TraceLogPath();

// Appends one line, indented by the calling thread's depth, to the log named by ZN_TRACE and
// flushes it. Does nothing when tracing is off; never throws.
void WriteTraceLine(std::string_view text) noexcept;

// Nesting depth of trace scopes on the calling thread.
int& TraceDepth() noexcept;

// UTF-8 form of a wide string for the log and stderr; null gives "".
std::string TraceText(LPCTSTR text);

}  // namespace zmaker
