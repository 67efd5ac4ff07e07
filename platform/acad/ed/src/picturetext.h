// A picture shown on a text terminal: the lines of a bitmap as characters, so that a user who
// answers a dialog on the command line can tell its pictures apart.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace zacad {

// The picture as rows of text, one character for each cell of 2 by 4 pixels (a terminal cell is
// about twice as high as wide): '-' where a cell holds a horizontal stroke, '|' a vertical one,
// '+' both, '.' a lone dot, ' ' only background. The background is the picture's most frequent
// colour, as a picture button draws it transparent. Empty when the bitmap cannot be read.
std::vector<std::u16string> PictureAsText(HBITMAP bitmap);

}  // namespace zacad
