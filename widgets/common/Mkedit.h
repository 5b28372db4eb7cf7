#pragma once
// An edit whose text can be centred (the two display-text lines); left and right alignment both
// give the plain left-aligned edit. A typed Enter is never taken as input.

#include "widgets/common/WidgetTypes.h"

#include <QLineEdit>

namespace zyn {

class TMKEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TMKEdit(QWidget* parent = nullptr);
  TTextAlignment Alignment() const { return fAlignment; }
  void SetAlignment(TTextAlignment alignment);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  TTextAlignment fAlignment = TTextAlignment::taLeftJustify;
};

}  // namespace zyn
