#pragma once
// The pictures of the link lists: a plain link, a logical link and a logical link with an ELSE
// target, each also with the mark of a target in another control module.

#include <QPixmap>
#include <QString>

namespace zyn {

class TVerbindung;

// The picture of that name (see LinkBitmapName, and "TEMPVERB" for a generated link,
// "INVALIDLOGIC" for a logic that cannot work), 32 x 16 pixels; a null pixmap for an unknown name.
QPixmap LinkPicture(const QString& name);
// The link's picture; a null pixmap for a kind without one.
QPixmap LinkBitmap(const TVerbindung& link);

}  // namespace zyn
