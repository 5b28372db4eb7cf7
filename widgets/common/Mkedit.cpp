#include "widgets/common/Mkedit.h"

#include <QKeyEvent>

namespace zyn {

TMKEdit::TMKEdit(QWidget* parent) : QLineEdit(parent) { setAlignment(Qt::AlignLeft | Qt::AlignVCenter); }

void TMKEdit::SetAlignment(TTextAlignment alignment) {
  fAlignment = alignment;
  setAlignment((alignment == TTextAlignment::taCenter ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
}

void TMKEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // the key goes on to the dialog (its default button); the edit itself ignores it
    event->ignore();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace zyn
