// Trace scopes of the maker's tools library.
//
// When the environment variable ZN_TRACE names a file, each CZnLogEntry appends an entry line
// "> name" when built and an exit line "< name" when destroyed, indented by two spaces per
// enclosing scope of the same thread. Lines are UTF-8 and flushed at once, so a log survives a
// crash. Without ZN_TRACE nothing is written and a scope costs one environment lookup.
#pragma once

#include <string>

#include <windows.h>

#include "ZnToolsDef.h"

class ZNTOOLS_API CZnLogEntry {
 public:
  // name: the traced routine, shown as given; may be null (shown as empty).
  explicit CZnLogEntry(LPCTSTR name);
  virtual ~CZnLogEntry();

  CZnLogEntry(const CZnLogEntry&) = delete;
  CZnLogEntry& operator=(const CZnLogEntry&) = delete;

 private:
  // UTF-8 copy of the name for the exit line, kept only when tracing was on at entry.
  std::string m_name;
  bool m_traced;
};
