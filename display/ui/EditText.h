#pragma once
// "Textobjekteigenschaften bearbeiten": the text itself, its keys, the menu pages it opens, the
// keys that emulate an input of the linked input channel, and its channel link.

#include "display/ui/ObjectDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace zyn {

class TText;

class TTextedit : public TObjectDialog {
  Q_OBJECT
 public:
  TTextedit(TDisplayObjekt& display, TBildschirm& screen, TText& text, QWidget* parent = nullptr);
  ~TTextedit() override;

  QLineEdit* EText = nullptr;
  QPushButton* BSpecial = nullptr;
  QCheckBox* CBAddScreen = nullptr;
  QLineEdit* EScreenName = nullptr;
  QLabel* LMenuNote = nullptr;
  QCheckBox* CBKey[4] = {};
  QLineEdit* EKey[4] = {};

  // "F2", "F3" or empty: the key proposed as the menu's entry key.
  const std::string& ProposedKey() const { return fProposed; }

  void AssignCommand(int commandRow, int keyRow) override;
  void DeleteFunction();
  void accept() override;

 private:
  void AddScreenToggled(bool on);
  void KeyToggled(int k, bool on);
  void Propose(int k, bool checkIt);
  void DropProposal();
  void FillKeys();
  TText& fText;
  std::string fProposed;
  bool fUpdating = false;
};

}  // namespace zyn
