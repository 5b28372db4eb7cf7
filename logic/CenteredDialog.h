#pragma once
// A dialog of the logic pages that places itself over its parent each time it is shown (placed
// before the first show, the layout of its controls would not be applied).

#include <QDialog>

namespace zyn {

class TCenteredDialog : public QDialog {
  Q_OBJECT
 public:
  using QDialog::QDialog;

 protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace zyn
