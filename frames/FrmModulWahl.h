#pragma once
// The module-class choice: the base classes of the catalogue on the left, the classes of the
// chosen base class on the right. The positions chosen last are kept for the next time.

#include <QDialog>

class QListWidget;
class QPushButton;
class QTreeWidget;

namespace zyn {

class TModulClass;
class TModulClassList;

class TFrmModulWahl : public QDialog {
  Q_OBJECT
 public:
  // classIndex and groupIndex: the positions remembered by the caller, updated on OK.
  TFrmModulWahl(const TModulClassList& catalogue, int& classIndex, int& groupIndex, QWidget* parent = nullptr);

  QTreeWidget* MT = nullptr;
  QListWidget* MB = nullptr;
  QPushButton* BtnOK = nullptr;
  QPushButton* BtnCancel = nullptr;

  // The class chosen with OK; nullptr before.
  const TModulClass* Chosen() const { return fChosen; }
  void Fill();
  void Choose();

 private:
  void GroupChanged();
  const TModulClassList& fCatalogue;
  int& fClassIndex;
  int& fGroupIndex;
  bool fFilling = false;
  const TModulClass* fChosen = nullptr;
};

}  // namespace zyn
