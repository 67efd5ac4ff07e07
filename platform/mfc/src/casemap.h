// Upper and lower case of UTF-16 units, as a French or English Windows maps them for CString and
// the _tcs*i* functions: ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic. Other characters
// are their own case.
#pragma once

namespace zmfc {

char16_t ToUpper(char16_t ch);
char16_t ToLower(char16_t ch);

}  // namespace zmfc
