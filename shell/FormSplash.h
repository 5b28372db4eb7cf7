#pragma once
// The splash form shown while the main window is created: the programme's picture, the version
// and a progress bar that the main window advances while it registers its pages.

#include "model/base/VersionInfo.h"
#include "platform/VersionControls.h"

#include <QWidget>

#include <memory>

class QLabel;
class QProgressBar;

namespace zyn {

class TSplash : public QWidget {
  Q_OBJECT
 public:
  explicit TSplash(QWidget* parent = nullptr);

  QLabel* Image1 = nullptr;
  QLabel* Label1 = nullptr;  // the version
  QLabel* Label2 = nullptr;  // "For testing only!", hidden
  QLabel* Label4 = nullptr;  // "Initialisierung..."
  QProgressBar* PB = nullptr;
  // The programme's version information; it fills Label1 with "Version:" and the file version
  // text ("Version: 2.8.0.0") while the form is made, the form shows major.minor once shown.
  TzsVersionInfoResource VI;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ApplyBranding();
  std::unique_ptr<TVersionLabel> fVersionLabel;
};

// "Version:" translated, a blank and major.minor of the file version.
QString VersionCaption(const TzsVersionInfoResource& vi);

}  // namespace zyn
