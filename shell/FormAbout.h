#pragma once
// The about box: the programme's picture, product and company name and the version.

#include <QDialog>

class QLabel;
class QPushButton;

namespace zyn {

class TFrmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit TFrmAbout(QWidget* parent = nullptr);

  QLabel* Image1 = nullptr;
  QLabel* Label1 = nullptr;  // product name
  QLabel* Label2 = nullptr;  // company name
  QLabel* Label3 = nullptr;  // version
  QLabel* Label4 = nullptr;  // "For testing only!", hidden
  QPushButton* Button1 = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace zyn
