#include "ZnLogEntry.h"

#include "ZnTraceLog.h"

CZnLogEntry::CZnLogEntry(LPCTSTR name) : m_traced(false) {
  if (zmaker::TraceLogPath() == nullptr) {
    return;
  }
  try {
    m_name = zmaker::TraceText(name);
  } catch (...) {
    return;  // no memory for the name: this scope goes untraced rather than throwing
  }
  m_traced = true;
  zmaker::WriteTraceLine("> " + m_name);
  ++zmaker::TraceDepth();
}

CZnLogEntry::~CZnLogEntry() {
  if (!m_traced) {
    return;
  }
  --zmaker::TraceDepth();
  zmaker::WriteTraceLine("< " + m_name);
}
