#pragma once
// "Datum und Uhrzeit eines Steuermoduls anzeigen": a control module's date and time beside the
// PC's, renewed every second while the dialog is open; the link stays open meanwhile.

#include <QDialog>

#include <memory>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QTimer;

namespace zyn {

class TZYNComm;

class TFrmSTMTimeCheck : public QDialog {
  Q_OBJECT
 public:
  explicit TFrmSTMTimeCheck(QWidget* parent = nullptr);
  ~TFrmSTMTimeCheck() override;

  QButtonGroup* STMGroup = nullptr;
  QLineEdit* STMDate = nullptr;
  QLineEdit* STMTime = nullptr;
  QLineEdit* PCDate = nullptr;
  QLineEdit* PCTime = nullptr;
  QTimer* Timer1 = nullptr;
  QLabel* StatusText = nullptr;  // why the module's fields say "keine Antwort"
  TZYNComm& Link() { return *PC; }

  // Renews the four fields (two status requests).
  void Refresh();
  void ChooseModule(int address);

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  void ShowSilent();
  std::unique_ptr<TZYNComm> PC;
};

}  // namespace zyn
