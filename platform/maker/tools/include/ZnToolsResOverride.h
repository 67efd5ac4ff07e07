// Resource scope of the maker's tools library: while a CZnToolsResOverride lives, the
// framework's resource handle (AfxGetResourceHandle) is the given module, so dialog templates,
// bitmaps and strings are taken from it; its destruction restores the previous handle.
// Scopes nest: each restores what it found.
#pragma once

#include <windows.h>

#include "ZnToolsDef.h"

class ZNTOOLS_API CZnToolsResOverride {
 public:
  explicit CZnToolsResOverride(HINSTANCE module);
  virtual ~CZnToolsResOverride();

  CZnToolsResOverride(const CZnToolsResOverride&) = delete;
  CZnToolsResOverride& operator=(const CZnToolsResOverride&) = delete;

 private:
  HINSTANCE m_previous;
};
