#pragma once
// The record of a display text as the control module's display shows it: two lines of 16
// columns, each followed by a 0 byte, and a closing 0.

#include <string>

namespace zyn {

class TAnzeigetext;

// The line in 16 columns: 0 left, 1 right, 2 centred (any other value left). The German letters
// become the codes of the display's own characters (ä 1, ö 2, ü 3, Ä 4, Ö 5, Ü 6, ß 7, the
// "GERMAN" set sent with the program); a longer line is cut to 16 characters so the second line
// keeps its place.
std::string FormatDisplayLine(const std::string& text, int alignment);
// Line 1, line 2 (each formatted) and one NUL character: 33 characters.
std::string GetImageText(const TAnzeigetext& text);

}  // namespace zyn
