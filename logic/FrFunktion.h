#pragma once
// "Funktionsprogrammierung": the direct-link page. Input rows (inputs, feedback channels, clocks,
// flags) of one control module on the left, output rows (outputs, flags, clocks, display texts,
// groups) on the right; "Verbinden" makes plain links, "Log. Verknüpfen" logical ones through
// the builder. The link list at the bottom shows the links of the input row (or all links),
// deletes, cuts, copies, pastes and converts them and opens their details. The page works on
// the open project directly: every change is in the project at once.

#include "logic/core/LinkBuilder.h"
#include "platform/AppHint.h"
#include "shell/FrameManager.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace zyn {

class TKanal;
class TLinkList;
class TModul;
class TPageTabBar;
class TSteuermodul;
class TVerbindung;
class TZYNBaseObject;
class TEABaseFunction;

class TFrFunktion : public QWidget, public IFrameMessage {
  Q_OBJECT
 public:
  explicit TFrFunktion(QWidget* parent = nullptr);
  ~TFrFunktion() override;

  // --- IFrameMessage ---
  void FrameActivate() override;
  void FrameDeactivate() override;
  int AskApplyChanges() override { return 6; }

  // --- controls ---
  TPageTabBar* TC = nullptr;
  QComboBox *OEingang = nullptr, *BEingang = nullptr, *CSTMEin = nullptr;
  QComboBox *OAusgang = nullptr, *BAusgang = nullptr, *CSTMAus = nullptr;
  QTableWidget *EGrid = nullptr, *AGrid = nullptr;
  QPushButton *BtnVerbinde = nullptr, *BtnLogisch = nullptr, *BtnDelete = nullptr;
  TLinkList* LVerbindungen = nullptr;
  QToolButton* BtnSumme = nullptr;
  QCheckBox* FStyle = nullptr;

  // One row of a grid: the object of column 1 and what it is.
  struct TRow {
    TLinkObjectKind Kind = TLinkObjectKind::None;
    TZYNBaseObject* Object = nullptr;
  };
  const std::vector<TRow>& InputRows() const { return fInRows; }
  const std::vector<TRow>& OutputRows() const { return fOutRows; }
  TSteuermodul* InputStm() const { return fInStm; }
  TSteuermodul* OutputStm() const { return fOutStm; }
  int ClipboardCount() const { return static_cast<int>(fClipboard.size()); }
  const std::string& LastHint() const { return fLastHint; }

  // --- operations (the buttons and menus run these) ---
  void SelectTab(int index);
  void BtnVerbindeClick();
  void BtnLogischClick();
  void BtnDeleteClick();
  void BtnSummeClick();
  void CopySelectedLinks();
  void AusschneidenClick();
  void EinfuegenClick();
  void ConvertClick();
  void LVerbindungenDblClick();
  // The hint of the entry at the row (-1: none), as the mouse over it shows it.
  void HintForRow(int row, const QPoint& globalPos);
  // The link lists of a row: the output grid's current row, or the input grid's.
  void ShowTargetLinkList(bool generate);
  void ShowSourceLinkList(bool generate);
  // The enabling of the menus as they open.
  void KMPopup();
  void PM1Popup(bool outputGrid);
  QMenu* KM = nullptr;
  QMenu* PM1 = nullptr;
  QAction *KMCut = nullptr, *KMCopy = nullptr, *KMPaste = nullptr, *KMDelete = nullptr, *KMConvert = nullptr;
  QAction *PMConnect = nullptr, *PMLogic = nullptr, *PMDelete = nullptr, *PMList = nullptr, *PMListAll = nullptr;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The page's hint handling: the function lists show their hint at once and keep it, the link
  // list keeps its hint while an entry is selected, elsewhere hints hide after two seconds.
  bool ApplicationHint(QWidget* widget, const QPoint& globalPos);

 private:
  void BuildForm();
  void BuildTabs();
  void ClearAll();
  void ClearInputSide();
  void ClearOutputSide();
  void FillInputObjects(TSteuermodul* stm);
  void FillOutputObjects(TSteuermodul* stm);
  void OEingangChange();
  void OAusgangChange();
  void FillFunctionCombo(QComboBox* box, TZYNBaseObject* object, std::string& listName, bool inputSide);
  void EGridClick();
  void AGridClick();
  void UpdateButtons();
  void ShowChannelLinks(TZYNBaseObject* object);
  void RefreshLinkList();
  TRow CurrentInputRow() const;
  std::vector<TRow> SelectedOutputRows() const;
  TEABaseFunction* SelectedFunction(QComboBox* box) const;
  // One plain or logical link from the current input row to the output row.
  // False when the installer cancelled a parameter (the run of links ends there).
  bool LinkRow(const TRow& in, const TRow& out, bool logical, class TFrmVerknwahl* builder);
  void AddInputLink(TKanal& source, std::unique_ptr<TVerbindung> link);
  void SetModified();
  void ShowLinkList(TZYNBaseObject* object, bool generate, bool targets);

  TSteuermodul* fInStm = nullptr;
  TSteuermodul* fOutStm = nullptr;
  std::string fInListName, fOutListName;
  bool fUpdating = false;
  bool fCrossTab = false;
  std::vector<TRow> fInRows, fOutRows;
  std::vector<std::unique_ptr<TVerbindung>> fClipboard;
  std::string fLastHint;
  // The application's hint handler while the page is active, and the one it replaced.
  THintHandler fSavedHint;
  bool fHintInstalled = false;
};

}  // namespace zyn
