#pragma once
// The about box: the programme's picture, product and company name and the version.

#include "model/base/VersionInfo.h"
#include "platform/VersionControls.h"

#include <QDialog>

#include <memory>

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
  // The programme's version information; its product label is Label1 (the name translated).
  TzsVersionInfoResource VI;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::unique_ptr<TVersionLabel> fProductLabel;
};

}  // namespace zyn
