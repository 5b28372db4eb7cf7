#pragma once
// The dialog that lists the logic conflicts found in the tools. Lines marked with the two
// characters "\b" in front are shown bold.

#include <QDialog>

#include <string>
#include <vector>

class QPushButton;
class QTextEdit;

namespace zyn {

class TFourthHintPanel;

class TFrmLgkonflikt : public QDialog {
  Q_OBJECT
 public:
  // "Ignorieren" is offered only in mode 5.
  TFrmLgkonflikt(QWidget* owner, int mode);

  // Appends one line (model text) to the list.
  void AddLine(const std::string& line);

  QTextEdit* ME = nullptr;
  QPushButton* BtnIgnore = nullptr;
  QPushButton* BtnCancel = nullptr;
  TFourthHintPanel* HintPanel = nullptr;
};

// Shows the conflicts modally and answers the dialog's result: 1 for "Ignorieren", 2 for
// "Abbrechen"; 1 without showing anything when there are no lines.
int ShowLogicConflicts(const std::vector<std::string>& lines, int mode);

}  // namespace zyn
