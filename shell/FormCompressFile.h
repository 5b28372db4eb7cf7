#pragma once
// The small window shown while the project is packed for the support mail.

#include <QDialog>

class QLabel;
class QProgressBar;

namespace zyn {

class TFrmCompressFile : public QDialog {
  Q_OBJECT
 public:
  explicit TFrmCompressFile(QWidget* parent = nullptr);

  // 0 to 100.
  void SetProgress(int percent);

  QLabel* Label1 = nullptr;
  QProgressBar* Meter = nullptr;
};

}  // namespace zyn
