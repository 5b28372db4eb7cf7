#pragma once
// The support request: the installer describes a problem, optionally attaches the open project
// (packed into a ZIP archive) and sends it by mail to the maker's support address. A failure is
// shown and the dialog stays open, so the text typed is not lost.

#include <QDialog>

#include <string>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace zyn {

class TFourthHintPanel;

class TFrmSupportRequest : public QDialog {
  Q_OBJECT
 public:
  // projectFile: the open project's native file name; empty when no project is open.
  TFrmSupportRequest(QWidget* parent, std::string projectFile);

  // Packs and sends; on success the dialog closes with result 1 and true is returned, otherwise
  // the error is shown and the dialog stays open.
  bool Send();

  TFourthHintPanel* FourthHintPanel1 = nullptr;
  QPlainTextEdit* MBody = nullptr;
  QCheckBox* CBAnhang = nullptr;
  QPushButton* Button2 = nullptr;  // "Senden"
  QPushButton* Button1 = nullptr;  // "Abbrechen"

 private:
  void FillBody();
  void ShowError(const std::string& headline, const std::string& detail);

  std::string fProjectFile;
};

}  // namespace zyn
