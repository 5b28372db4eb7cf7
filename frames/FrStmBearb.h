#pragma once
// The control-module page "Steuermodule bearbeiten": the project's control modules (at most
// four, bus addresses 0 to 3) with name, notes and the DCF77 receiver flag; one control module
// is written to a ".stm" file and read back from one.
//
// Export writes what the page shows: the control module with its modules, links and tools as the
// project holds them, under the name, notes and receiver flag of the page. Import reads and
// checks the whole file first; only a control module read without error replaces the selected
// one, so a damaged file leaves the project as it was.

#include "frames/ObjectPage.h"
#include "project/Steuermodul.h"

#include <functional>

class QCheckBox;
class QToolButton;

namespace zyn {

class TZYNDipswitch;

class TFrStmBearb : public TObjectPage {
  Q_OBJECT
 public:
  explicit TFrStmBearb(QWidget* parent = nullptr);

  QCheckBox* CDCF77 = nullptr;
  TZYNDipswitch* DS = nullptr;
  QToolButton* BtnExport = nullptr;
  QToolButton* BtnImport = nullptr;

  TSteuermodulListe& WorkList() { return fWorkList; }
  TSteuermodul* SelectedStm() const { return dynamic_cast<TSteuermodul*>(SelectedObject()); }

  // The file dialogs; tests answer them. An empty name is a cancelled dialog.
  std::function<std::string(const std::string& folder)> OnChooseExportFile;
  // Returns the file and the filter chosen (1 control-module file, 2 project of version 1.x).
  std::function<std::string(const std::string& folder, int& filter)> OnChooseImportFile;

  // Writes the selected control module to the file; false with the message shown.
  bool ExportTo(const std::string& fileName);
  // Reads the file and, after the question, puts the control module in place of the selected
  // one; false when nothing changed.
  bool ImportFrom(const std::string& fileName);
  void ExportClick();
  void ImportClick();

  // The converter of projects of version 1.x: a library of the programme's folder
  // ("libzynconvert.so") with the function "ZYNConvert" (two 256-byte short strings: the project
  // file and the target file; the result is the number of control-module files written).
  std::string ConverterLibrary;
  bool ConverterPresent() const;
  int RunConverterPlugin(const std::string& source, const std::string& target);
  // Converts the project and puts its control modules in place of the selected one. Every file
  // is read before anything changes; control modules of the project at the addresses the
  // converted ones need are reported and the import is refused. False when nothing changed.
  bool ImportProject(const std::string& fileName);
  void UpdatePage() override;
  void DeleteObject() override;

 protected:
  bool UsesTabs() const override { return false; }
  void CopyList() override;
  void MergeList() override;
  void ClearList() override { fWorkList.Clear(); }
  bool ListDiffers() const override;
  int ListCount() const override { return fWorkList.Count(); }
  TZYNBaseObject* ListItem(int index) const override { return fWorkList.GetItem(index); }
  int FirstFree() const override { return fWorkList.Adressen.FirstFree(); }
  TZYNBaseObject* CreateItem(int address, const std::string& name) override;
  void RemoveItem(TZYNBaseObject* object) override { fWorkList.Remove(dynamic_cast<TSteuermodul*>(object)); }
  int ItemAddress(const TZYNBaseObject* object) const override;
  void ChangeItemAddress(TZYNBaseObject*, int) override {}
  std::vector<std::string> AddressItems(const TZYNBaseObject* object, int& selected) const override;
  void MoveItem(const std::string&, const std::string&) override {}
  std::string ItemRemarks(const TZYNBaseObject* object) const override;
  void SetItemRemarks(TZYNBaseObject* object, const std::string& text) override;
  void ShowDetails(TZYNBaseObject* object) override;
  void ClearDetails() override;
  bool MayDelete() const override { return fWorkList.Count() > 1 && SelectedObject() != nullptr; }

 private:
  TSteuermodulListe fWorkList;
};

// The control module's record in its file form (no header), and read back; EReadError (German)
// for a file that does not hold one complete record.
std::vector<uint8_t> ControlModuleBytes(const TSteuermodul& stm);
std::unique_ptr<TSteuermodul> ReadControlModuleFile(const std::string& fileName);

}  // namespace zyn
