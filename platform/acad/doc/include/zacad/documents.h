// What the host program does with drawings beyond the SDK's document manager: opening,
// saving and closing them, and knowing whether the file changed behind its back. Not part of
// the host SDK.
#pragma once

#include <string>

#include "acdocman.h"
#include "zacad/edexport.h"

namespace zacad {

// Opens a drawing (host or Windows path) as a new document and makes it current; the loaded
// applications hear kLoadDwgMsg. Null with `error` ("FILE:LINE: problem") when it cannot be
// read. A drawing already open is made current instead of being read twice.
ZACAD_ED_API AcApDocument* OpenDocument(const std::u16string& path, std::u16string& error);

// Writes the document's drawing to `path` (empty: its own file) in the format and version it
// was read in. False with `error` when the file cannot be written; the file on disk is then
// as it was. Afterwards the document is named after `path` and counts as unchanged.
ZACAD_ED_API bool SaveDocument(AcApDocument* doc, const std::u16string& path,
                               std::u16string& error);

// True when the document's file was changed on disk (by another program) since it was read or
// last saved here.
ZACAD_ED_API bool ChangedOnDisk(const AcApDocument* doc);

// True when the drawing was changed since it was read or last saved.
ZACAD_ED_API bool IsModified(const AcApDocument* doc);

// Closes the document without saving: the loaded applications hear kUnloadDwgMsg first; the
// most recently opened remaining document becomes current.
ZACAD_ED_API void CloseDocument(AcApDocument* doc);

// Closes every document (the host's exit).
ZACAD_ED_API void CloseAllDocuments();

}  // namespace zacad
