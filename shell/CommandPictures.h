#pragma once
// The pictures of the main window's commands and side-bar entries: the icons of the desktop's icon
// theme by their freedesktop names (Adwaita when the desktop names none), and simple drawings of
// our own for the bus's own things, which no icon theme knows (control modules, bus modules,
// blind clocks, programming, curves).

#include <QImage>

namespace zyn {

// Our own drawings.
enum class TOwnPicture {
  Sheet,
  ControlModule,
  BusModule,
  BlindClock,
  BasicProgram,
  FunctionProgram,
  DisplayProgram,
  Curve
};
// A small mark drawn over the bottom right corner of a picture.
enum class TPictureMark { NoMark, Send, Check, Play };

struct TPictureDef {
  const char* ThemeName;  // freedesktop icon name; nullptr for our own drawing only
  TOwnPicture Own;        // drawn when the theme has no such icon (Sheet: a written sheet)
  TPictureMark Mark;
};

// Lets QIcon find the distribution's icon themes: the icon folders of XDG_DATA_DIRS are searched,
// and Adwaita stands in when the desktop names no theme (or only the bare fallback theme).
void UseIconTheme();

// The picture, size x size pixels with partial transparency (for the side bar's image list).
QImage CommandPicture(const TPictureDef& def, int size);
// The same on the colour key of the bar library's glyphs (fuchsia, read from the bottom left
// pixel): pixels that are mostly transparent take the key, the others are blended onto the light
// button face.
QImage CommandGlyph(const TPictureDef& def, int size);

// Our own drawing alone, on transparent ground (also the stand-in for a missing theme icon).
QImage OwnPicture(TOwnPicture picture, int size);

}  // namespace zyn
