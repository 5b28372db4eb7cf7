#include "logic/FrFunktion.h"

#include "compiler/ProjectCompile.h"
#include "compiler/interpreter/ToolGeneration.h"
#include "compiler/interpreter/ToolReport.h"
#include "logic/FrmVerbDetail.h"
#include "logic/FrmVerknwahl.h"
#include "logic/GlobalFuncs.h"
#include "logic/LinkListView.h"
#include "logic/LogicDialogs.h"
#include "logic/SmallLogicDialogs.h"
#include "logic/core/LogicText.h"
#include "model/Anzeigetext.h"
#include "model/BasisDaten.h"
#include "model/EAFunktionen.h"
#include "model/Gruppe.h"
#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/ModelText.h"
#include "model/Modul.h"
#include "model/ModulClassList.h"
#include "model/Uhr.h"
#include "model/UniqueNames.h"
#include "model/Verbindung.h"
#include "model/base/ZYNOptionen.h"
#include "platform/AppHint.h"
#include "platform/QtText.h"
#include "platform/WaitCursor.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "shell/GlobalGui.h"
#include "shell/MessageHandler.h"
#include "shell/Translation.h"
#include "widgets/common/PageTabBar.h"
#include "widgets/common/WidgetText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zyn {

namespace {

const char* const kFrameName = "FrFunktion";

// The entries of the object lists.
enum TObjectEntry { oeModulClass = 0, oeUhren = 1, oeMerker = 2, oeGruppen = 3, oeTexte = 4 };

std::string ClassName(const TModul& m) {
  if (GBasisDaten) {
    if (const TModulClass* c = GBasisDaten->Katalog.FindClass(m.ModulKlasse)) return c->DisplayName;
  }
  return m.ModulKlasse;
}

bool IsPir(const TModul& m) { return UpperCase(m.ModulKlasse) == "INPUT PIR"; }

std::string RowAddress(const TSteuermodul& stm, const TFrFunktion::TRow& row) {
  auto object = [&stm](const char* code, int number) {
    return ModelTranslate(code) + "." + ZeroPad(stm.Adresse(), 2) + "." + ZeroPad(number, 3);
  };
  switch (row.Kind) {
    case TLinkObjectKind::ModulKanal: {
      const auto* k = static_cast<const TKanal*>(row.Object);
      const TModul* m = ModulOfChannel(stm, *k);
      return (m ? m->ModulKennung + "." + ZeroPad(m->Adresse(), 2) : std::string("?")) + "." + ZeroPad(k->Adresse(), 2);
    }
    case TLinkObjectKind::Merker:
      return object("MRK", static_cast<const TKanal*>(row.Object)->Adresse());
    case TLinkObjectKind::Uhr:
      return object("UHR", static_cast<const TKanal*>(row.Object)->Adresse());
    case TLinkObjectKind::Anzeigetext:
      return object("AZT", static_cast<const TAnzeigetext*>(row.Object)->Adresse());
    case TLinkObjectKind::Gruppe:
      return object("GRP", static_cast<const TGruppe*>(row.Object)->Adresse());
    default:
      return {};
  }
}

void FillGrid(QTableWidget* grid, const TSteuermodul& stm, const std::vector<TFrFunktion::TRow>& rows) {
  grid->clearContents();
  grid->setRowCount(static_cast<int>(rows.size()));
  for (size_t r = 0; r < rows.size(); ++r) {
    grid->setItem(static_cast<int>(r), 0, new QTableWidgetItem(ToQString(RowAddress(stm, rows[r]))));
    grid->setItem(static_cast<int>(r), 1, new QTableWidgetItem(ToQString(rows[r].Object->DisplayName())));
  }
  grid->resizeColumnToContents(0);
  grid->setColumnWidth(0, std::max(65, grid->columnWidth(0)));
}

QTableWidget* MakeGrid(QWidget* parent, const char* name, int width1) {
  auto* grid = new QTableWidget(0, 2, parent);
  grid->setObjectName(QLatin1String(name));
  grid->setHorizontalHeaderLabels({TranslatedText("Adresse"), TranslatedText("Bezeichnung")});
  grid->verticalHeader()->setVisible(false);
  grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
  grid->setWordWrap(false);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setColumnWidth(0, 65);
  grid->setColumnWidth(1, width1);
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->setContextMenuPolicy(Qt::CustomContextMenu);
  return grid;
}

// The tool expansion's progress shown in the window "Verbindungen erzeugen".
class TCreateReport : public IToolReport {
 public:
  explicit TCreateReport(TFrmCreateVerbindungen& form) : fForm(form) {}
  void SetOverallMaximum(int maximum) override {
    fForm.PB->setMaximum(std::max(1, maximum));
    fForm.PB->setValue(0);
  }
  void StepOverall() override { fForm.PB->setValue(fForm.PB->value() + 1); }
  void SetCaption(const std::string& text) override {
    fForm.Label3->setText(TranslatedText("Bearbeite: ") + ToQString(text));
  }
  void ProcessMessages() override { QApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

 private:
  TFrmCreateVerbindungen& fForm;
};

}  // namespace

TFrFunktion::TFrFunktion(QWidget* parent) : QWidget(parent) {
  setObjectName(QLatin1String(kFrameName));
  BuildForm();
}

TFrFunktion::~TFrFunktion() {
  if (fHintInstalled) SetHintHandler(std::move(fSavedHint));
}

void TFrFunktion::BuildForm() {
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  TC = new TPageTabBar(this);
  top->addWidget(TC, 1);
  BtnSumme = new QToolButton(this);
  BtnSumme->setObjectName(QStringLiteral("BtnSumme"));
  BtnSumme->setCheckable(true);
  BtnSumme->setText(TranslatedText("Alle"));
  BtnSumme->setToolTip(TranslatedText("Alle Verbindungen anzeigen"));
  BtnSumme->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
  FStyle = new QCheckBox(TranslatedText("Outlookbar automatisch ausblenden"), this);
  FStyle->setObjectName(QStringLiteral("FStyle"));
  top->addWidget(BtnSumme);
  top->addWidget(FStyle);
  layout->addLayout(top);

  auto side = [this](const char* title, const char* objectLabel, const char* functionLabel, QComboBox*& objects,
                     QComboBox*& functions, QComboBox*& stm, QTableWidget*& grid, const char* gridName, int width1) {
    auto* box = new QGroupBox(TranslatedText(title), this);
    auto* g = new QGridLayout(box);
    stm = new QComboBox(box);
    objects = new QComboBox(box);
    functions = new QComboBox(box);
    g->addWidget(stm, 0, 0, 1, 2);
    g->addWidget(new QLabel(TranslatedText(objectLabel), box), 1, 0);
    g->addWidget(objects, 1, 1);
    g->addWidget(new QLabel(TranslatedText(functionLabel), box), 2, 0);
    g->addWidget(functions, 2, 1);
    grid = MakeGrid(box, gridName, width1);
    g->addWidget(grid, 3, 0, 1, 2);
    g->setColumnStretch(1, 1);
    stm->setVisible(false);
    return box;
  };
  auto* halves = new QHBoxLayout;
  halves->addWidget(
      side("Eingänge", "Eingangsobjekt:", "Eingangsfunktion:", OEingang, BEingang, CSTMEin, EGrid, "EGrid", 142));
  halves->addWidget(
      side("Ausgänge", "Ausgangsobjekt:", "Ausgangsfunktion:", OAusgang, BAusgang, CSTMAus, AGrid, "AGrid", 141));
  layout->addLayout(halves, 3);
  EGrid->setSelectionMode(QAbstractItemView::SingleSelection);
  AGrid->setSelectionMode(QAbstractItemView::ExtendedSelection);

  auto* buttons = new QHBoxLayout;
  BtnVerbinde = new QPushButton(TranslatedText("Verbinden"), this);
  BtnLogisch = new QPushButton(TranslatedText("Log. Verknüpfen"), this);
  BtnDelete = new QPushButton(TranslatedText("Löschen"), this);
  BtnDelete->setEnabled(false);
  for (QPushButton* b : {BtnVerbinde, BtnLogisch, BtnDelete}) buttons->addWidget(b);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  LVerbindungen = new TLinkList(false, this);
  LVerbindungen->setObjectName(QStringLiteral("LVerbindungen"));
  LVerbindungen->setMouseTracking(true);
  LVerbindungen->viewport()->installEventFilter(this);
  LVerbindungen->setContextMenuPolicy(Qt::CustomContextMenu);
  layout->addWidget(LVerbindungen, 2);

  KM = new QMenu(this);
  KMCut = KM->addAction(TranslatedText("Ausschneiden"), this, &TFrFunktion::AusschneidenClick);
  KMCopy = KM->addAction(TranslatedText("Kopieren"), this, &TFrFunktion::CopySelectedLinks);
  KMPaste = KM->addAction(TranslatedText("Einfügen"), this, &TFrFunktion::EinfuegenClick);
  KMDelete = KM->addAction(TranslatedText("Löschen"), this, &TFrFunktion::BtnDeleteClick);
  KM->addSeparator();
  KMConvert = KM->addAction(TranslatedText("Zu Verknüpfung konvertieren"), this, &TFrFunktion::ConvertClick);
  PM1 = new QMenu(this);
  PMConnect = PM1->addAction(TranslatedText("Verbinden"), this, &TFrFunktion::BtnVerbindeClick);
  PMLogic = PM1->addAction(TranslatedText("Log. Verknüpfen"), this, &TFrFunktion::BtnLogischClick);
  PMDelete = PM1->addAction(TranslatedText("Löschen"), this, &TFrFunktion::BtnDeleteClick);
  PMDelete->setEnabled(false);
  PM1->addSeparator();
  PMList = PM1->addAction(TranslatedText("Verbindungsliste..."));
  PMListAll = PM1->addAction(TranslatedText("Verbindungsliste incl. Tools u. Gruppen"));

  connect(TC, &QTabBar::currentChanged, this, [this](int index) {
    if (!fUpdating) SelectTab(index);
  });
  connect(CSTMEin, &QComboBox::activated, this,
          [this] { FillInputObjects(static_cast<TSteuermodul*>(CSTMEin->currentData().value<void*>())); });
  connect(CSTMAus, &QComboBox::activated, this,
          [this] { FillOutputObjects(static_cast<TSteuermodul*>(CSTMAus->currentData().value<void*>())); });
  connect(OEingang, &QComboBox::currentIndexChanged, this, [this] {
    if (!fUpdating) OEingangChange();
  });
  connect(OAusgang, &QComboBox::currentIndexChanged, this, [this] {
    if (!fUpdating) OAusgangChange();
  });
  auto hint = [this](QComboBox* box) {
    TEABaseFunction* f = SelectedFunction(box);
    if (!f) return false;
    box->setToolTip(ToQString(WrapHintText(f->FunctionHint, 45)));
    return true;
  };
  connect(BEingang, &QComboBox::currentIndexChanged, this, [hint, this] {
    // The input function's hint is shown at once, in place of any hint shown.
    if (!hint(BEingang)) return;
    CancelHint();
    if (BEingang->isVisible()) ActivateHint(BEingang, BEingang->mapToGlobal(QPoint(0, 0)), BEingang->toolTip());
  });
  connect(BAusgang, &QComboBox::currentIndexChanged, this, [hint, this] { hint(BAusgang); });
  connect(EGrid, &QTableWidget::itemSelectionChanged, this, &TFrFunktion::EGridClick);
  connect(AGrid, &QTableWidget::itemSelectionChanged, this, &TFrFunktion::AGridClick);
  connect(BtnVerbinde, &QPushButton::clicked, this, &TFrFunktion::BtnVerbindeClick);
  connect(BtnLogisch, &QPushButton::clicked, this, &TFrFunktion::BtnLogischClick);
  connect(BtnDelete, &QPushButton::clicked, this, &TFrFunktion::BtnDeleteClick);
  connect(BtnSumme, &QToolButton::clicked, this, &TFrFunktion::BtnSummeClick);
  connect(LVerbindungen, &QListWidget::itemDoubleClicked, this, &TFrFunktion::LVerbindungenDblClick);
  connect(LVerbindungen, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    KMPopup();
    KM->exec(LVerbindungen->viewport()->mapToGlobal(at));
  });
  for (QTableWidget* grid : {EGrid, AGrid}) {
    connect(grid, &QWidget::customContextMenuRequested, this, [this, grid](const QPoint& at) {
      const bool output = grid == AGrid;
      PM1Popup(output);
      QAction* chosen = PM1->exec(grid->viewport()->mapToGlobal(at));
      if (chosen == PMList || chosen == PMListAll) {
        const bool generate = chosen == PMListAll;
        output ? ShowTargetLinkList(generate) : ShowSourceLinkList(generate);
      }
    });
  }
  connect(FStyle, &QCheckBox::clicked, this, [](bool checked) {
    SetFrameOption(kFrameName, 0, checked);
    if (IMessageHandler* h = GetMessageHandler()) checked ? h->CollapseSideBar() : h->ExpandSideBar();
  });
}

// --- lifecycle ---

bool TFrFunktion::ApplicationHint(QWidget* widget, const QPoint& globalPos) {
  auto within = [widget](QWidget* w) { return widget == w || (widget && w->isAncestorOf(widget)); };
  for (QComboBox* box : {BEingang, BAusgang}) {
    if (!within(box)) continue;
    CancelHint();
    SetHintHidePause(65535);
    ActivateHint(box, globalPos, box->toolTip());
    return true;
  }
  if (within(LVerbindungen)) {
    if (!LVerbindungen->selectedItems().isEmpty()) SetHintHidePause(65535);
    return false;
  }
  SetHintHidePause(2000);
  return false;
}

void TFrFunktion::FrameActivate() {
  FStyle->setChecked(GetFrameOption(kFrameName, 0));
  if (!fHintInstalled) {
    fSavedHint = SetHintHandler([this](QWidget* w, const QPoint& p) { return ApplicationHint(w, p); });
    fHintInstalled = true;
  }
  fClipboard.clear();
  BuildTabs();
  if (TC->count() > 0) SelectTab(0);
}

void TFrFunktion::FrameDeactivate() {
  fClipboard.clear();
  ClearAll();
  SetFrameOption(kFrameName, 0, FStyle->isChecked());
  if (fHintInstalled) {
    SetHintHandler(std::move(fSavedHint));
    fSavedHint = {};
    fHintInstalled = false;
  }
  CancelHint();
}

void TFrFunktion::SetModified() {
  if (GProjekt) GProjekt->Modified = true;
}

void TFrFunktion::BuildTabs() {
  fUpdating = true;
  while (TC->count() > 0) TC->removeTab(0);
  int added = 0;
  if (GProjekt) {
    for (int i = 0; i < GProjekt->Steuermodule.Count(); ++i) {
      TSteuermodul* stm = GProjekt->Steuermodule.GetSteuermodul(i);
      if (stm->EingangsCount() > 0 && stm->AusgangsCount() > 0) {
        const int tab = TC->addTab(ToQString(stm->DisplayName()));
        TC->setTabData(tab, QVariant::fromValue(static_cast<void*>(stm)));
        ++added;
      }
    }
    if (GProjekt->Steuermodule.Count() > 1 && added > 1) {
      const int tab = TC->addTab(TranslatedText("Übergreifend"));
      TC->setTabData(tab, QVariant::fromValue(static_cast<void*>(nullptr)));
    }
  }
  fUpdating = false;
}

void TFrFunktion::SelectTab(int index) {
  IMessageHandler* handler = GetMessageHandler();
  if (handler) handler->LockUserInterface();
  struct TUnlock {
    IMessageHandler* H;
    ~TUnlock() {
      if (H) H->UnlockUserInterface();
    }
  } unlock{handler};
  fUpdating = true;
  if (TC->currentIndex() != index) TC->setCurrentIndex(index);
  fUpdating = false;
  ClearAll();
  auto* stm = static_cast<TSteuermodul*>(TC->tabData(index).value<void*>());
  fCrossTab = stm == nullptr;
  CSTMEin->clear();
  CSTMAus->clear();
  if (stm != nullptr) {
    CSTMEin->setVisible(false);
    CSTMAus->setVisible(false);
    FillInputObjects(stm);
    FillOutputObjects(stm);
    return;
  }
  if (!GProjekt) return;
  for (int i = 0; i < GProjekt->Steuermodule.Count(); ++i) {
    TSteuermodul* s = GProjekt->Steuermodule.GetSteuermodul(i);
    if (s->EingangsCount() > 0)
      CSTMEin->addItem(ToQString(s->DisplayName()), QVariant::fromValue(static_cast<void*>(s)));
    if (s->AusgangsCount() > 0)
      CSTMAus->addItem(ToQString(s->DisplayName()), QVariant::fromValue(static_cast<void*>(s)));
  }
  if (CSTMEin->count() > 0) {
    CSTMEin->setCurrentIndex(0);
    CSTMAus->setCurrentIndex(CSTMAus->count() > 0 ? 0 : -1);
    CSTMEin->setVisible(true);
    CSTMAus->setVisible(true);
    FillInputObjects(static_cast<TSteuermodul*>(CSTMEin->itemData(0).value<void*>()));
    if (CSTMAus->count() > 0) FillOutputObjects(static_cast<TSteuermodul*>(CSTMAus->itemData(0).value<void*>()));
  }
}

void TFrFunktion::ClearAll() {
  ClearInputSide();
  ClearOutputSide();
}

void TFrFunktion::ClearInputSide() {
  fUpdating = true;
  EGrid->setRowCount(0);
  fInRows.clear();
  OEingang->clear();
  BEingang->clear();
  LVerbindungen->clear();
  fInListName.clear();
  fInStm = nullptr;
  BtnDelete->setEnabled(false);
  fUpdating = false;
}

void TFrFunktion::ClearOutputSide() {
  fUpdating = true;
  AGrid->setRowCount(0);
  fOutRows.clear();
  OAusgang->clear();
  BAusgang->clear();
  fOutListName.clear();
  fOutStm = nullptr;
  fUpdating = false;
}

// --- object lists and rows ---

void TFrFunktion::FillInputObjects(TSteuermodul* stm) {
  ClearInputSide();
  fInStm = stm;
  if (stm == nullptr) return;
  fUpdating = true;
  std::vector<std::string> names;
  for (int i = 0; i < stm->Module.Count(); ++i) {
    TModul* m = stm->Module.GetModul(i);
    if (IsPir(*m)) continue;
    if (m->Eingaenge().UsedCount() == 0 && m->Rueckmeldungen().UsedCount() == 0) continue;
    const std::string name = ClassName(*m);
    if (std::find(names.begin(), names.end(), name) != names.end()) continue;
    names.push_back(name);
    OEingang->addItem(ToQString(name), oeModulClass);
  }
  if (stm->Uhren.Count() > 0) OEingang->addItem(TranslatedText("Uhren"), oeUhren);
  if (stm->Merker.Count() > 0) OEingang->addItem(TranslatedText("Merker"), oeMerker);
  OEingang->setCurrentIndex(OEingang->count() > 0 ? 0 : -1);
  fUpdating = false;
  OEingangChange();
}

void TFrFunktion::FillOutputObjects(TSteuermodul* stm) {
  ClearOutputSide();
  fOutStm = stm;
  if (stm == nullptr) return;
  fUpdating = true;
  std::vector<std::pair<std::string, int>> entries;
  for (int i = 0; i < stm->Module.Count(); ++i) {
    TModul* m = stm->Module.GetModul(i);
    if (IsPir(*m) || m->Ausgaenge().UsedCount() == 0) continue;
    const std::string name = ClassName(*m);
    if (std::none_of(entries.begin(), entries.end(), [&](const auto& e) { return e.first == name; }))
      entries.emplace_back(name, oeModulClass);
  }
  if (stm->Merker.CountNotReserved() > 0) entries.emplace_back(ModelTranslate("Merker"), oeMerker);
  if (stm->Gruppen.Count() > 0 && stm->Gruppen.MemberCount() > 0)
    entries.emplace_back(ModelTranslate("Gruppen"), oeGruppen);
  if (stm->Texte.Count() > 0) entries.emplace_back(ModelTranslate("Anzeigetexte"), oeTexte);
  std::stable_sort(entries.begin(), entries.end(),
                   [](const auto& a, const auto& b) { return CompareText(a.first, b.first) < 0; });
  for (const auto& e : entries) OAusgang->addItem(ToQString(e.first), e.second);
  OAusgang->setCurrentIndex(OAusgang->count() > 0 ? 0 : -1);
  fUpdating = false;
  OAusgangChange();
}

void TFrFunktion::OEingangChange() {
  fUpdating = true;
  fInRows.clear();
  fInListName.clear();
  TSteuermodul* stm = fInStm;
  if (stm != nullptr && OEingang->currentIndex() >= 0) {
    const int entry = OEingang->currentData().toInt();
    const std::string text = FromQString(OEingang->currentText());
    if (entry == oeModulClass) {
      for (int i = 0; i < stm->Module.Count(); ++i) {
        TModul* m = stm->Module.GetModul(i);
        if (ClassName(*m) != text || IsPir(*m)) continue;
        for (int k = 0; k < m->Eingaenge().Count(); ++k)
          if (m->Eingaenge().GetItem(k)->Used())
            fInRows.push_back({TLinkObjectKind::ModulKanal, m->Eingaenge().GetItem(k)});
        for (int k = 0; k < m->Rueckmeldungen().Count(); ++k)
          if (m->Rueckmeldungen().GetItem(k)->Used())
            fInRows.push_back({TLinkObjectKind::ModulKanal, m->Rueckmeldungen().GetItem(k)});
      }
    } else if (entry == oeMerker) {
      for (int i = 0; i < stm->Merker.Count(); ++i)
        fInRows.push_back({TLinkObjectKind::Merker, stm->Merker.GetItem(i)});
    } else if (entry == oeUhren) {
      for (int i = 0; i < stm->Uhren.Count(); ++i) fInRows.push_back({TLinkObjectKind::Uhr, stm->Uhren.GetItem(i)});
    }
    FillGrid(EGrid, *stm, fInRows);
  } else {
    EGrid->setRowCount(0);
  }
  if (!fInRows.empty()) {
    EGrid->setCurrentCell(0, 0);
    EGrid->selectRow(0);
  }
  fUpdating = false;
  if (!fInRows.empty()) EGridClick();
  UpdateButtons();
}

void TFrFunktion::OAusgangChange() {
  fUpdating = true;
  fOutRows.clear();
  fOutListName.clear();
  TSteuermodul* stm = fOutStm;
  try {
    if (stm != nullptr && OAusgang->currentIndex() >= 0) {
      const int entry = OAusgang->currentData().toInt();
      const std::string text = FromQString(OAusgang->currentText());
      if (entry == oeModulClass) {
        for (int i = 0; i < stm->Module.Count(); ++i) {
          TModul* m = stm->Module.GetModul(i);
          if (ClassName(*m) != text || IsPir(*m)) continue;
          for (int k = 0; k < m->Ausgaenge().Count(); ++k)
            if (m->Ausgaenge().GetItem(k)->Used())
              fOutRows.push_back({TLinkObjectKind::ModulKanal, m->Ausgaenge().GetItem(k)});
        }
      } else if (entry == oeMerker) {
        for (int i = 0; i < stm->Merker.Count(); ++i)
          if (!stm->Merker.GetItem(i)->Reserviert())
            fOutRows.push_back({TLinkObjectKind::Merker, stm->Merker.GetItem(i)});
      } else if (entry == oeUhren) {
        for (int i = 0; i < stm->Uhren.Count(); ++i) fOutRows.push_back({TLinkObjectKind::Uhr, stm->Uhren.GetItem(i)});
      } else if (entry == oeTexte) {
        for (int i = 0; i < stm->Texte.Count(); ++i)
          fOutRows.push_back({TLinkObjectKind::Anzeigetext, stm->Texte.GetItem(i)});
      } else if (entry == oeGruppen) {
        for (int i = 0; i < stm->Gruppen.Count(); ++i)
          if (stm->Gruppen.GetItem(i)->Members().Count() > 0)
            fOutRows.push_back({TLinkObjectKind::Gruppe, stm->Gruppen.GetItem(i)});
      }
      FillGrid(AGrid, *stm, fOutRows);
    } else {
      AGrid->setRowCount(0);
    }
    if (!fOutRows.empty()) {
      FillFunctionCombo(BAusgang, fOutRows[0].Object, fOutListName, false);
      AGrid->setCurrentCell(0, 0);
      AGrid->selectRow(0);
    } else {
      BAusgang->clear();
    }
  } catch (...) {
    fUpdating = false;
    throw;
  }
  UpdateButtons();
  fUpdating = false;
}

void TFrFunktion::FillFunctionCombo(QComboBox* box, TZYNBaseObject* object, std::string& listName, bool inputSide) {
  if (object == nullptr) {
    box->clear();
    return;
  }
  const auto* clock = dynamic_cast<TUhr*>(object);
  const bool initClock = clock != nullptr && clock->IsInitClock();
  const std::string name = inputSide ? InputCommandListName(*object)
                                     : OutputCommandListName(*object, *static_cast<IModelLookup*>(GProjekt.get()));
  if (!listName.empty() && name == listName && !initClock) return;
  box->clear();
  if (TEAFunctionList* list = FindCommandList(name)) {
    // An initialisation clock offers only its first command.
    const int count = initClock && inputSide ? std::min(1, list->Count()) : list->Count();
    for (int i = 0; i < count; ++i) {
      TEABaseFunction* f = list->GetFunction(i);
      box->addItem(ToQString(f->DisplayName), QVariant::fromValue(static_cast<void*>(f)));
    }
  }
  box->setCurrentIndex(box->count() > 0 ? 0 : -1);
  listName = initClock && inputSide ? std::string() : name;
}

TEABaseFunction* TFrFunktion::SelectedFunction(QComboBox* box) const {
  return box->currentIndex() < 0 ? nullptr : static_cast<TEABaseFunction*>(box->currentData().value<void*>());
}

TFrFunktion::TRow TFrFunktion::CurrentInputRow() const {
  const int r = EGrid->currentRow();
  return r >= 0 && r < static_cast<int>(fInRows.size()) ? fInRows[static_cast<size_t>(r)] : TRow{};
}

std::vector<TFrFunktion::TRow> TFrFunktion::SelectedOutputRows() const {
  std::vector<TRow> rows;
  for (int r = 0; r < static_cast<int>(fOutRows.size()); ++r) {
    if (AGrid->selectionModel()->isRowSelected(r, QModelIndex())) rows.push_back(fOutRows[static_cast<size_t>(r)]);
  }
  if (rows.empty()) {
    const int r = AGrid->currentRow();
    if (r >= 0 && r < static_cast<int>(fOutRows.size())) rows.push_back(fOutRows[static_cast<size_t>(r)]);
  }
  return rows;
}

void TFrFunktion::EGridClick() {
  if (fUpdating) return;
  const TRow row = CurrentInputRow();
  FillFunctionCombo(BEingang, row.Object, fInListName, true);
  RefreshLinkList();
  if (LVerbindungen->count() > 0) {
    LVerbindungen->setCurrentRow(0);
  }
  BtnDelete->setEnabled(!LVerbindungen->selectedItems().isEmpty());
}

void TFrFunktion::AGridClick() {
  if (fUpdating) return;
  const std::vector<TRow> rows = SelectedOutputRows();
  if (!rows.empty()) FillFunctionCombo(BAusgang, rows.front().Object, fOutListName, false);
}

void TFrFunktion::UpdateButtons() {
  if (LVerbindungen->count() == 0) BtnDelete->setEnabled(false);
  bool enabled = OEingang->count() > 0 && OAusgang->count() > 0;
  if (enabled) {
    const int in = OEingang->currentData().toInt();
    const int out = OAusgang->currentData().toInt();
    if ((in == oeMerker && out == oeMerker) || (in == oeUhren && out == oeUhren)) enabled = false;
  }
  BtnVerbinde->setEnabled(enabled);
  BtnLogisch->setEnabled(enabled);
}

// --- making links ---

namespace {

bool PlainAllowed(TLinkObjectKind in, TLinkObjectKind out) {
  using K = TLinkObjectKind;
  if (in == K::Uhr) return out == K::ModulKanal || out == K::Merker || out == K::Gruppe || out == K::Anzeigetext;
  if (in == K::ModulKanal || in == K::Merker) return out != K::None;
  return false;
}

bool LogicAllowed(TLinkObjectKind in, TLinkObjectKind out) {
  using K = TLinkObjectKind;
  if (out == K::Uhr || out == K::None) return false;
  if (in == K::Merker) return out != K::Merker;
  return in == K::ModulKanal || in == K::Uhr;
}

}  // namespace

void TFrFunktion::AddInputLink(TKanal& source, std::unique_ptr<TVerbindung> link) {
  TVerbindung* raw = link.get();
  TVerbindungsListe& list = source.Verbindungen();
  if (dynamic_cast<TMerker*>(&source) || dynamic_cast<TUhr*>(&source)) {
    raw->Parent = &source;
    const int index = list.Add(std::move(link));
    LVerbindungen->PutLink(raw, index);
  } else {
    const int s = LVerbindungen->currentRow() + 1;
    int index;
    if (s > 0 && s < LVerbindungen->count()) {
      index = list.InsertLink(s, std::move(link));
    } else {
      index = list.Add(std::move(link));
    }
    LVerbindungen->PutLink(raw, list.VisibleIndex(index));
  }
  const int row = LVerbindungen->RowOf(raw);
  LVerbindungen->clearSelection();
  LVerbindungen->setCurrentRow(row);
  SetModified();
  BtnDelete->setEnabled(true);
}

bool TFrFunktion::LinkRow(const TRow& in, const TRow& out, bool logical, TFrmVerknwahl* builder) {
  if (!(logical ? LogicAllowed(in.Kind, out.Kind) : PlainAllowed(in.Kind, out.Kind))) return true;
  TEABaseFunction* source = SelectedFunction(BEingang);
  TEABaseFunction* target = SelectedFunction(BAusgang);
  if (source == nullptr || target == nullptr || fInStm == nullptr || fOutStm == nullptr) return true;
  auto link = std::make_unique<TVerbindung>(false);
  if (GUniqueNames) link->InternalName = GUniqueNames->NewName();
  link->SetKind(0);
  if (!SetSourceEndpoint(*link, *fInStm, *in.Object, *source)) return true;
  if (!SetTargetEndpoint(*link, *fOutStm, *out.Object, *target)) return true;
  auto* sourceObject = static_cast<TKanal*>(in.Object);
  // False when the installer cancelled the parameter: no link, and no further one of this run.
  auto askParameter = [&] {
    if (out.Kind == TLinkObjectKind::ModulKanal)
      return EditLinkParameters(*static_cast<TKanal*>(out.Object), *link, lsThen);
    if (out.Kind == TLinkObjectKind::Gruppe)
      return EditLinkParametersByList(OutputCommandListName(*out.Object, *GProjekt), *link, lsThen);
    return true;
  };
  if (!logical) {
    const bool parameterFirst = in.Kind == TLinkObjectKind::Uhr && out.Kind == TLinkObjectKind::Gruppe;
    if (parameterFirst && !askParameter()) return false;
    if (sourceObject->Verbindungen().FindDuplicate(link.get()) >= 0) {
      TranslatedMessageDlg(ModelTranslate("Diese Verbindung existiert schon!"), mtWarning, mbOK);
      return true;
    }
    if (!parameterFirst && !askParameter()) return false;
    AddInputLink(*sourceObject, std::move(link));
    return true;
  }
  if (!askParameter()) return false;
  builder->Link = link.get();
  builder->ConvertAllowed = false;
  builder->SonstEdit->clear();
  if (builder->Execute() != 1) return true;
  if (sourceObject->Verbindungen().FindDuplicate(link.get()) >= 0) {
    TranslatedMessageDlg(ModelTranslate("Diese Verknüpfung existiert schon!"), mtWarning, mbOK);
    return true;
  }
  AddInputLink(*sourceObject, std::move(link));
  return true;
}

void TFrFunktion::BtnVerbindeClick() {
  const TRow in = CurrentInputRow();
  const std::vector<TRow> outs = SelectedOutputRows();
  if (in.Object == nullptr || outs.empty() || !GProjekt) return;
  TWaitCursor wait;
  SetMainFormCursor(Qt::WaitCursor);
  struct TRestore {
    ~TRestore() { SetMainFormCursor(Qt::ArrowCursor); }
  } restore;
  LVerbindungen->setUpdatesEnabled(false);
  struct TUpdates {
    QWidget* W;
    ~TUpdates() { W->setUpdatesEnabled(true); }
  } updates{LVerbindungen};
  const std::string reference = OutputCommandListName(*outs.front().Object, *GProjekt);
  for (const TRow& out : outs) {
    if (OutputCommandListName(*out.Object, *GProjekt) != reference) continue;
    if (!LinkRow(in, out, false, nullptr)) break;
  }
}

void TFrFunktion::BtnLogischClick() {
  const TRow in = CurrentInputRow();
  const std::vector<TRow> outs = SelectedOutputRows();
  if (in.Object == nullptr || outs.empty() || !GProjekt) return;
  LVerbindungen->setUpdatesEnabled(false);
  struct TUpdates {
    QWidget* W;
    ~TUpdates() { W->setUpdatesEnabled(true); }
  } updates{LVerbindungen};
  TFrmVerknwahl builder(this);
  builder.Stm = fOutStm;
  for (const TRow& out : outs)
    if (!LinkRow(in, out, true, &builder)) break;
}

// --- the link list ---

void TFrFunktion::ShowChannelLinks(TZYNBaseObject* object) {
  LVerbindungen->clear();
  auto* channel = dynamic_cast<TKanal*>(object);
  if (channel == nullptr || dynamic_cast<TAusgang*>(channel)) return;
  for (int i = 0; i < channel->Verbindungen().Count(); ++i) {
    TVerbindung* link = channel->Verbindungen().GetVerbindung(i);
    link->Parent = channel;
    if ((link->CrossSTM() != 0) == fCrossTab) LVerbindungen->PutLink(link);
  }
}

void TFrFunktion::RefreshLinkList() {
  if (BtnSumme->isChecked()) {
    LVerbindungen->clear();
    if (fInStm)
      for (TVerbindung* link : AllVisibleLinks(*fInStm)) LVerbindungen->PutLink(link);
  } else {
    ShowChannelLinks(CurrentInputRow().Object);
  }
}

void TFrFunktion::BtnSummeClick() {
  if (BtnSumme->isChecked()) {
    RefreshLinkList();
  } else {
    EGridClick();
  }
  BtnDelete->setEnabled(LVerbindungen->count() > 0);
}

void TFrFunktion::BtnDeleteClick() {
  if (fInStm == nullptr || LVerbindungen->currentRow() < 0) return;
  const std::vector<int> rows = LVerbindungen->SelectedRows();
  if (rows.empty()) return;
  LVerbindungen->setUpdatesEnabled(false);
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    TVerbindung* link = LVerbindungen->LinkAt(*it);
    TKanal* holder = LinkHolder(*fInStm, link);
    if (holder != nullptr && holder->RemoveLink(link)) delete LVerbindungen->takeItem(*it);
  }
  LVerbindungen->setUpdatesEnabled(true);
  const int lowest = rows.front();
  LVerbindungen->clearSelection();
  if (lowest < LVerbindungen->count()) {
    LVerbindungen->setCurrentRow(lowest);
  } else if (LVerbindungen->count() > 0) {
    LVerbindungen->setCurrentRow(LVerbindungen->count() - 1);
  }
  BtnDelete->setEnabled(LVerbindungen->count() > 0);
  SetModified();
}

void TFrFunktion::CopySelectedLinks() {
  fClipboard.clear();
  for (TVerbindung* link : LVerbindungen->SelectedLinks()) {
    auto copy = std::make_unique<TVerbindung>();
    copy->CopyRecordFrom(*link);
    fClipboard.push_back(std::move(copy));
  }
}

void TFrFunktion::AusschneidenClick() {
  CopySelectedLinks();
  BtnDeleteClick();
}

void TFrFunktion::EinfuegenClick() {
  const TRow in = CurrentInputRow();
  TEABaseFunction* source = SelectedFunction(BEingang);
  if (fClipboard.empty() || in.Kind != TLinkObjectKind::ModulKanal || source == nullptr || fInStm == nullptr) return;
  auto* channel = static_cast<TKanal*>(in.Object);
  for (const auto& copy : fClipboard) {
    auto link = std::make_unique<TVerbindung>(false);
    link->CopyRecordFrom(*copy);
    link->SetGenerated(false);
    if (GUniqueNames) link->InternalName = GUniqueNames->NewName();
    SetSourceEndpoint(*link, *fInStm, *in.Object, *source);
    link->SetCrossSTM(copy->CrossSTM() != 0);
    if (channel->Verbindungen().FindDuplicate(link.get()) >= 0) {
      TranslatedMessageDlg(ModelTranslate("Diese Verknüpfung existiert schon!"), mtWarning, mbOK);
      continue;
    }
    AddInputLink(*channel, std::move(link));
  }
}

void TFrFunktion::ConvertClick() {
  TVerbindung* link = LVerbindungen->LinkAt(LVerbindungen->currentRow());
  if (link == nullptr || link->Parent == nullptr || !GProjekt) return;
  TFrmVerknwahl builder(this);
  builder.Stm = FindStmByAddress(GProjekt->Steuermodule, link->Target().StmNummer());
  if (builder.Stm == nullptr) return;
  builder.Link = link;
  builder.ConvertAllowed = false;
  builder.SonstEdit->clear();
  if (builder.Execute() != 1) return;
  TKanal* parent = link->Parent;
  if (parent->Verbindungen().FindDuplicate(link) >= 0) {
    const int row = LVerbindungen->currentRow();
    parent->RemoveLink(link);
    TranslatedMessageDlg(ModelTranslate("Diese Verknüpfung existiert schon!"), mtWarning, mbOK);
    delete LVerbindungen->takeItem(row);
  } else {
    LVerbindungen->currentItem()->setText(ToQString(link->GetDisplayText()));
  }
  SetModified();
}

void TFrFunktion::LVerbindungenDblClick() {
  TVerbindung* link = LVerbindungen->LinkAt(LVerbindungen->currentRow());
  if (link == nullptr) return;
  auto editable = [](int type, bool source) {
    return type < 8 || type == kObjMerker || (source ? type == kObjUhr : type == kObjAnzeigetext || type == kObjGruppe);
  };
  TFrmVerbDetail details(this);
  details.Link = link;
  details.SourceEditable = editable(link->Source().ObjType(), true);
  details.TargetEditable = editable(link->Target().ObjType(), false);
  details.ElseEditable = editable(link->ElseTarget().ObjType(), false);
  details.ConditionsChangeable = true;
  details.Execute();
  TKanal* parent = link->Parent;
  if (parent == nullptr) {
    TranslatedMessageDlg(ModelTranslate("Die Verbindung gehört zu keinem Eingang mehr und kann nicht neu eingeordnet "
                                        "werden."),
                         mtError, mbOK);
  } else if (parent->Verbindungen().FindDuplicate(link) >= 0) {
    TranslatedMessageDlg(ModelTranslate("Diese Verbindung existiert schon. Die geänderte Verbindung wird gelöscht!"),
                         mtInformation, mbOK);
    parent->RemoveLink(link);
    link = nullptr;
    SetModified();
  } else {
    parent->ReinsertLink(link);
  }
  RefreshLinkList();
  const int row = link ? LVerbindungen->RowOf(link) : -1;
  if (row >= 0) LVerbindungen->setCurrentRow(row);
  BtnDelete->setEnabled(LVerbindungen->count() > 0);
}

void TFrFunktion::HintForRow(int row, const QPoint& globalPos) {
  TVerbindung* link = LVerbindungen->LinkAt(row);
  if (link == nullptr) {
    fLastHint.clear();
    LVerbindungen->setToolTip(QString());
    CancelHint();
    return;
  }
  const std::string text = LinkHintText(*link);
  if (text == fLastHint) return;
  fLastHint = text;
  QString shown = ToQString(text);
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  LVerbindungen->setToolTip(shown);
  ActivateHint(LVerbindungen, globalPos, shown);
}

bool TFrFunktion::eventFilter(QObject* watched, QEvent* event) {
  if (watched == LVerbindungen->viewport() && event->type() == QEvent::MouseMove) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->buttons() == Qt::NoButton) {
      QListWidgetItem* item = LVerbindungen->itemAt(mouse->position().toPoint());
      HintForRow(item ? LVerbindungen->row(item) : -1, mouse->globalPosition().toPoint());
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TFrFunktion::KMPopup() {
  const bool any = LVerbindungen->count() > 0;
  for (QAction* a : {KMCopy, KMCut, KMDelete}) a->setEnabled(any);
  TVerbindung* focused = LVerbindungen->LinkAt(LVerbindungen->currentRow());
  KMConvert->setEnabled(any && focused != nullptr && focused->Kind() == 0);
  bool paste = !fClipboard.empty() && !BtnSumme->isChecked();
  const TRow in = CurrentInputRow();
  if (paste) {
    paste = in.Kind == TLinkObjectKind::ModulKanal && fInStm != nullptr;
    if (paste) {
      const TModul* m = ModulOfChannel(*fInStm, *static_cast<TKanal*>(in.Object));
      paste = m != nullptr && fClipboard.front()->Source().ObjType() == m->BasisKlasse;
    }
  }
  KMPaste->setEnabled(paste);
}

void TFrFunktion::PM1Popup(bool outputGrid) {
  PMConnect->setEnabled(true);
  PMLogic->setEnabled(true);
  PMDelete->setEnabled(false);
  PMList->setEnabled(false);
  PMListAll->setEnabled(false);
  const std::vector<TRow>& rows = outputGrid ? fOutRows : fInRows;
  const int r = (outputGrid ? AGrid : EGrid)->currentRow();
  if (r < 0 || r >= static_cast<int>(rows.size())) return;
  const TLinkObjectKind kind = rows[static_cast<size_t>(r)].Kind;
  const bool listed =
      kind == TLinkObjectKind::ModulKanal || kind == TLinkObjectKind::Merker || kind == TLinkObjectKind::Uhr;
  PMList->setEnabled(listed || (outputGrid && kind == TLinkObjectKind::Gruppe));
  PMListAll->setEnabled(listed);
}

void TFrFunktion::ShowTargetLinkList(bool generate) {
  const int r = AGrid->currentRow();
  if (r < 0 || r >= static_cast<int>(fOutRows.size())) return;
  ShowLinkList(fOutRows[static_cast<size_t>(r)].Object, generate, true);
}

void TFrFunktion::ShowSourceLinkList(bool generate) { ShowLinkList(CurrentInputRow().Object, generate, false); }

void TFrFunktion::ShowLinkList(TZYNBaseObject* object, bool generate, bool targets) {
  const TLinkObjectKind kind = LinkObjectKind(object);
  if (!GProjekt || kind == TLinkObjectKind::None || kind == TLinkObjectKind::Anzeigetext) return;
  if (!targets && kind == TLinkObjectKind::Gruppe) return;
  TProjectCompile compile(*GProjekt);
  TCompileDriver& driver = compile.Driver();
  bool generated = false;
  if (generate) {
    TFrmCreateVerbindungen progress;
    progress.show();
    TCreateReport report(progress);
    try {
      if (GBasisDaten) GenerateTools(*GProjekt, *GBasisDaten, &report);
      driver.ImportVisuLinks();
      generated = true;
      driver.CompileProject(false);
    } catch (const std::exception& e) {
      TranslatedMessageDlg(ModelTranslate("Die Verbindungen konnten nicht erzeugt werden.") + "\r" + e.what(), mtError,
                           mbOK);
    }
  }
  TLinkReport report;
  if (targets) {
    int type = 0, modulAdresse = 0, number = 0;
    switch (kind) {
      case TLinkObjectKind::Merker:
        type = kObjMerker;
        number = static_cast<TKanal*>(object)->Adresse();
        break;
      case TLinkObjectKind::Uhr:
        type = kObjUhr;
        number = static_cast<TKanal*>(object)->Adresse();
        break;
      case TLinkObjectKind::Gruppe:
        type = kObjGruppe;
        number = static_cast<TGruppe*>(object)->Adresse();
        break;
      default: {
        const TModul* m = ModulOfChannel(*fOutStm, *static_cast<TKanal*>(object));
        if (m == nullptr) break;
        type = m->BasisKlasse;
        modulAdresse = m->Adresse();
        number = static_cast<TKanal*>(object)->Adresse();
      }
    }
    GProjekt->FindLinks(report, type, fOutStm ? fOutStm->Adresse() : 0, modulAdresse, number);
  } else if (auto* channel = dynamic_cast<TKanal*>(object)) {
    for (int i = 0; i < channel->Verbindungen().Count(); ++i) {
      TVerbindung* link = channel->Verbindungen().GetVerbindung(i);
      report.push_back({link->GetDisplayText(), link});
    }
  }
  if (report.empty()) {
    TranslatedMessageDlg(ModelTranslate("Dieser Kanal wird nicht verwendet"), mtInformation, mbOK);
  } else {
    TFrmFuncVerb list;
    list.Label1->setText(ToQString(object->DisplayName()));
    list.HideCounters();
    for (const TLinkReportEntry& e : report) list.AddLink(e.Link);
    RunLogicDialog(list);
  }
  if (generated) driver.RemoveGeneratedLinks();
  RefreshLinkList();
  BtnDelete->setEnabled(LVerbindungen->count() > 0);
}

void TFrFunktion::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  for (QTableWidget* grid : {EGrid, AGrid}) {
    const int rest = grid->viewport()->width() - grid->columnWidth(0) - grid->columnCount();
    if (rest > 20) grid->setColumnWidth(1, rest);
  }
}

}  // namespace zyn
