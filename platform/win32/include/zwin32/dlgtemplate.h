// Reading dialog templates (DLGTEMPLATE and DLGTEMPLATEEX, as RT_DIALOG resources hold them), for
// the dialog layer and tools. Not part of the Windows API.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "windef.h"

namespace zwin32 {

// A control's window class: a predefined one by atom (0x80 Button, 0x81 Edit, 0x82 Static,
// 0x83 ListBox, 0x84 ScrollBar, 0x85 ComboBox), whose name `className` then also holds, or a
// registered class by name (atom 0).
struct DialogItem {
  DWORD id = 0;
  WORD classAtom = 0;
  std::u16string className;
  DWORD style = 0;
  DWORD exStyle = 0;
  DWORD helpId = 0;
  std::u16string text;                 // empty when the title is an ordinal (an icon or bitmap id)
  WORD textOrdinal = 0;                // that ordinal
  short x = 0, y = 0, cx = 0, cy = 0;  // dialog units
};

struct DialogTemplate {
  bool extended = false;  // DLGTEMPLATEEX
  DWORD style = 0;
  DWORD exStyle = 0;
  DWORD helpId = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  std::u16string menu;  // empty when none or an ordinal (menuOrdinal)
  WORD menuOrdinal = 0;
  std::u16string windowClass;
  std::u16string caption;
  // Present when the style has DS_SETFONT.
  WORD pointSize = 0;
  WORD weight = 0;
  bool italic = false;
  BYTE charset = 0;
  std::u16string typeface;
  std::vector<DialogItem> items;
};

// Parses a template of `size` bytes. Nothing, with a message in *error, when it is truncated or
// malformed.
WIN32_EXPORT std::optional<DialogTemplate> ParseDialogTemplate(const void* data, size_t size,
                                                               std::string* error);

}  // namespace zwin32
