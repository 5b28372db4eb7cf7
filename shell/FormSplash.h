#pragma once
// The splash form shown while the main window is created: the programme's picture, the version
// and a progress bar that the main window advances while it registers its pages.

#include <QWidget>

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

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ApplyBranding();
};

// "Version:" translated, a blank and major.minor of the programme's file version.
QString VersionCaption();

}  // namespace zyn
