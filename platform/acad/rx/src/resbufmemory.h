// Memory of result buffers and of their strings, kept for reuse. An application builds and
// releases several short lists for every entity it changes, far more blocks of one size in a row
// than the allocator's own per-thread cache keeps. The blocks still come from malloc: whatever an
// application frees itself, or hands to acutRelRb after allocating it, stays valid.
#pragma once

#include <string_view>

#include "adsdef.h"

namespace zacad {

// A zeroed buffer of type `restype`, or null when memory ran out.
resbuf* NewBuffer(int restype);
// Gives back one buffer whose value was released already.
void ReleaseBuffer(resbuf* rb);
// A copy of `text` with its terminator, or null when memory ran out.
ACHAR* NewString(std::u16string_view text);
// The same for text of a drawing when its bytes are printable ASCII other than the escape and
// caret characters (the same text in every code page); null for any other byte, or when memory
// ran out.
ACHAR* NewPlainString(std::string_view bytes);
// Gives back a string (or binary chunk) from malloc; null is ignored.
void ReleaseString(void* text);
// Gives back a whole list, each buffer with the string or binary chunk its type holds.
void ReleaseList(resbuf* list);

}  // namespace zacad
