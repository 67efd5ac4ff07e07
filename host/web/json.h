// The little JSON the page and the host exchange: the host only writes it (the page's own
// messages are plain text lines), so a writer for strings, bytes and numbers is all it takes.
#pragma once

#include <string>
#include <string_view>

namespace zanthost::web {

// Appends `text` as a JSON string literal. `text` must be valid UTF-8, which is passed through
// as it is; quotes, backslashes and control characters are escaped.
void AppendJsonString(std::string& out, std::string_view text);

// Appends bytes as a JSON string in base64, for pictures.
void AppendJsonBase64(std::string& out, std::string_view bytes);

// Appends a number in its shortest exact form; NaN and infinities, which JSON cannot hold,
// become null, so that a damaged drawing still gives a page something it can read.
void AppendJsonNumber(std::string& out, double value);

}  // namespace zanthost::web
