#pragma once
// The module page "Module bearbeiten": the bus modules of a control module under one node per
// module class, each with a free bus address of its base class, named channels and, for dimmer
// modules, the soft start and curve of both outputs.

#include "frames/ObjectPage.h"
#include "model/ModulListe.h"

#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace zyn {

class TMKGrid;
class TModulClass;
class TZYNDipswitch;

class TFrModulBearb : public TObjectPage {
  Q_OBJECT
 public:
  explicit TFrModulBearb(QWidget* parent = nullptr);

  QTabWidget* TCModulDaten = nullptr;
  QComboBox* CBArt = nullptr;
  TZYNDipswitch* DS = nullptr;
  TMKGrid* EV = nullptr;
  TMKGrid* AV = nullptr;
  TMKGrid* RV = nullptr;
  QToolButton* BtnInsert = nullptr;
  QToolButton* btnAutoText = nullptr;
  QTabWidget* DimmerTabs = nullptr;
  // Per dimmer output (0 left, 1 right).
  struct TDimmerControls {
    QButtonGroup* Start = nullptr;
    QButtonGroup* Curve = nullptr;
    QCheckBox* Other = nullptr;
    QComboBox* Curves = nullptr;
    QPlainTextEdit* Remarks = nullptr;
  };
  std::array<TDimmerControls, 2> Dimmer;

  TModulListe& WorkList() { return fWorkList; }
  TModul* SelectedModul() const { return dynamic_cast<TModul*>(SelectedObject()); }

  // The class choice; tests answer it. nullptr: cancelled.
  std::function<const TModulClass*()> OnChooseClass;
  void AddObject() override;
  void DeleteObject() override;
  void UpdatePage() override;
  // Names every nameless channel of the grid's list "<default text>- nn".
  void AutoNames(int list);  // 0 inputs, 1 outputs, 2 feedback
  QString NodeText(const TZYNBaseObject* object) const override;
  // Is the sheet shown? ("Moduldaten", "Eingänge", ...)
  bool SheetVisible(const QString& title) const;

 protected:
  void PrepareActivation() override;
  void CopyList() override;
  void MergeList() override;
  void ClearList() override;
  bool ListDiffers() const override;
  int ListCount() const override { return fWorkList.Count(); }
  TZYNBaseObject* ListItem(int index) const override { return fWorkList.GetModul(index); }
  int FirstFree() const override { return fWorkList.Count() < 64 ? 0 : -1; }
  TZYNBaseObject* CreateItem(int, const std::string&) override { return nullptr; }
  void RemoveItem(TZYNBaseObject* object) override;
  int ItemAddress(const TZYNBaseObject* object) const override;
  void ChangeItemAddress(TZYNBaseObject* object, int address) override;
  std::vector<std::string> AddressItems(const TZYNBaseObject* object, int& selected) const override;
  void MoveItem(const std::string& name, const std::string& beforeName) override;
  std::string ItemRemarks(const TZYNBaseObject* object) const override;
  void SetItemRemarks(TZYNBaseObject* object, const std::string& text) override;
  void ShowDetails(TZYNBaseObject* object) override;
  void ShowNoObject() override;
  void ClearDetails() override;
  bool MayAdd() const override { return fWorkList.Count() < 64; }
  bool MayDelete() const override { return SelectedModul() != nullptr; }
  QTreeWidgetItem* AppendNode(TZYNBaseObject* object) override;
  QTreeWidgetItem* FirstObjectNode() const override;

 private:
  void FillGrid(TMKGrid* grid, int list, TModul& modul);
  void GridEdited(TMKGrid* grid, int list, int row, int column);
  void ShowDimmer(const TModul& modul);
  void DimmerChanged(int side);
  void HideSheets();
  void SetSheetVisible(QWidget* sheet, bool visible);
  const TModulClass* ClassOf(const TModul& modul) const;

  TModulListe fWorkList;
  int fClassIndex = 0;
  int fGroupIndex = 0;
  QWidget* fTabModul = nullptr;
  QWidget* fTabEingang = nullptr;
  QWidget* fTabAusgang = nullptr;
  QWidget* fTabRME = nullptr;
  QWidget* fTabDimmer = nullptr;
};

}  // namespace zyn
