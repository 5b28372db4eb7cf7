#include "frames/FrModulBearb.h"

#include "frames/FrmModulWahl.h"
#include "frames/ListPage.h"
#include "frames/PageText.h"
#include "logic/LogicDialogs.h"
#include "model/BasisDaten.h"
#include "model/GlobalRoutines.h"
#include "model/Kennlinien.h"
#include "model/ModelText.h"
#include "model/ModulClassList.h"
#include "model/UniqueNames.h"
#include "model/base/ZYNOptionen.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Steuermodul.h"
#include "shell/GlobalGui.h"
#include "shell/MessageHandler.h"
#include "shell/Translation.h"
#include "widgets/common/Mkgrid.h"
#include "widgets/common/ZYNDipswitch.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace zyn {

namespace {

const TObjectPageTexts kModulTexts{"",
                              "",
                              64,
                              "Module (%3.3d/%3.3d)",
                              "Die Moduldaten wurden geändert.",
                              "Soll das Modul \"%s\" wirklich gelöscht werden",
                              false,
                              true};

TKanal* ChannelAt(TModul& m, int list, int index) {
  switch (list) {
    case 0:
      return m.Eingaenge().GetItem(index);
    case 1:
      return m.Ausgaenge().GetItem(index);
    default:
      return m.Rueckmeldungen().GetItem(index);
  }
}

int ChannelCount(const TModul& m, int list) {
  switch (list) {
    case 0:
      return m.Eingaenge().Count();
    case 1:
      return m.Ausgaenge().Count();
    default:
      return m.Rueckmeldungen().Count();
  }
}

const void* ClassData(const QTreeWidgetItem* node) { return node->data(0, Qt::UserRole + 1).value<void*>(); }

}  // namespace

TFrModulBearb::TFrModulBearb(QWidget* parent) : TObjectPage("FrModulBearb", kModulTexts, parent) {
  GList->setObjectName(QStringLiteral("GModule"));
  Details->setTitle(PageText(" Moduldaten "));
  MRemarks->setObjectName(QStringLiteral("EMemo"));
  MRemarks->setMaximumHeight(90);
  BtnAdd->setToolTip(PageText("Neues Modul anlegen"));
  BtnDelete->setToolTip(PageText("Markiertes Modul löschen"));
  BtnInsert = AddToolButton("BtnInsert", QStyle::SP_ArrowRight, "Einfügemodus\r\numschalten", 4, true);
  btnAutoText = AddToolButton("btnAutoText", QStyle::SP_FileDialogDetailedView,
                              "EA- Bezeichnungen\r\nautomatisch vergeben", 5, true);
  connect(btnAutoText, &QToolButton::clicked, this, [](bool on) { SetBoolOption(boAutoText, on); });
  // Discarding the changes starts the page afresh, as at activation: on the first tab.
  disconnect(BtnCancel, &QToolButton::clicked, nullptr, nullptr);
  connect(BtnCancel, &QToolButton::clicked, this, [this] {
    if (AskApplyChanges() == 2) return;
    FrameActivate();
  });

  // Class and DIP switches above the sheets.
  CBArt = new QComboBox;
  CBArt->setObjectName(QStringLiteral("CBArt"));
  CBArt->setEnabled(false);
  if (GBasisDaten)
    for (int i = 0; i < GBasisDaten->Katalog.Count(); ++i)
      CBArt->addItem(ToQString(GBasisDaten->Katalog.GetClass(i)->DisplayName));
  DS = new TZYNDipswitch;
  DS->setObjectName(QStringLiteral("DS"));
  DS->setMinimumSize(120, 60);
  DS->setMaximumWidth(160);

  TCModulDaten = new QTabWidget;
  TCModulDaten->setObjectName(QStringLiteral("TCModulDaten"));
  fTabModul = new QWidget;
  auto* modulLayout = new QFormLayout(fTabModul);
  modulLayout->addRow(PageText("Modulart:"), CBArt);
  modulLayout->addRow(PageText("Adresseinstellung:"), DS);
  TCModulDaten->addTab(fTabModul, PageText("Moduldaten"));
  auto gridSheet = [this](const char* name, const char* title, const char* button, int list) {
    auto* sheet = new QWidget;
    auto* layout = new QVBoxLayout(sheet);
    auto* grid = new TMKGrid(sheet);
    grid->setObjectName(QString::fromLatin1(name));
    grid->SetColCount(3);
    grid->SetColNames({PageText("Kanal"), PageText("Adresse"), PageText("Bezeichnung")});
    grid->setColumnWidth(0, 50);
    grid->setColumnWidth(1, 80);
    grid->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(grid);
    auto* b = new QPushButton(PageText(button), sheet);
    b->setObjectName(QStringLiteral("Auto%1").arg(list));
    layout->addWidget(b, 0, Qt::AlignLeft);
    connect(b, &QPushButton::clicked, this, [this, list] { AutoNames(list); });
    connect(grid, &QTableWidget::cellChanged, this,
            [this, grid, list](int row, int col) { GridEdited(grid, list, row, col); });
    TCModulDaten->addTab(sheet, PageText(title));
    return std::pair{sheet, grid};
  };
  std::tie(fTabEingang, EV) = gridSheet("EV", "Eingänge", "Eingangsbezeichnungen automatisch vergeben", 0);
  std::tie(fTabAusgang, AV) = gridSheet("AV", "Ausgänge", "Ausgangsbezeichnungen automatisch vergeben", 1);
  std::tie(fTabRME, RV) = gridSheet("RV", "Rückmeldungen", "Rückmeldebezeichnungen automatisch vergeben", 2);

  fTabDimmer = new QWidget;
  auto* dimmerLayout = new QVBoxLayout(fTabDimmer);
  DimmerTabs = new QTabWidget(fTabDimmer);
  dimmerLayout->addWidget(DimmerTabs);
  for (int side = 0; side < 2; ++side) {
    auto* sheet = new QWidget;
    auto* g = new QGridLayout(sheet);
    auto radio = [sheet](const char* caption, std::initializer_list<const char*> items, QButtonGroup*& group) {
      auto* box = new QGroupBox(PageText(caption), sheet);
      auto* l = new QVBoxLayout(box);
      group = new QButtonGroup(box);
      int id = 0;
      for (const char* item : items) {
        auto* b = new QRadioButton(PageText(item), box);
        group->addButton(b, id++);
        l->addWidget(b);
      }
      return box;
    };
    TDimmerControls& d = Dimmer[static_cast<size_t>(side)];
    g->addWidget(radio("Startbedingungen ", {"Softstart kurz", "Softstart lang", "Startüberhöhung"}, d.Start), 0, 0);
    QGroupBox* curves = radio("Kennlinie ", {"Standard 1", "Standard 2", "Standard 3"}, d.Curve);
    curves->setToolTip(
        PageText("Standard 1 = Glühlichtkennlinie\r\nStandard 2 = 1 bis 10 Volt (z.B dimmbare EVG's)\r\n"
                 "Standard 3 = 5 bis 10 Volt (z.B dimmbare EVG's)"));
    g->addWidget(curves, 0, 1);
    d.Other = new QCheckBox(PageText("Andere Kennlinie:"), sheet);
    d.Curves = new QComboBox(sheet);
    g->addWidget(d.Other, 1, 0);
    g->addWidget(d.Curves, 1, 1);
    d.Remarks = new QPlainTextEdit(sheet);
    g->addWidget(d.Remarks, 2, 0, 1, 2);
    DimmerTabs->addTab(sheet, PageText(side == 0 ? "Kanal 1" : "Kanal 2"));
    connect(d.Start, &QButtonGroup::idClicked, this, [this, side] { DimmerChanged(side); });
    connect(d.Curve, &QButtonGroup::idClicked, this, [this, side] {
      Dimmer[static_cast<size_t>(side)].Other->setChecked(false);
      DimmerChanged(side);
    });
    connect(d.Other, &QCheckBox::clicked, this, [this, side](bool on) {
      TDimmerControls& c = Dimmer[static_cast<size_t>(side)];
      if (on) {
        c.Curve->setExclusive(false);
        for (QAbstractButton* b : c.Curve->buttons()) b->setChecked(false);
        c.Curve->setExclusive(true);
      } else if (QAbstractButton* b = c.Curve->button(std::clamp(c.Curves->currentIndex(), 0, 2))) {
        b->setChecked(true);
      }
      DimmerChanged(side);
    });
    connect(d.Curves, &QComboBox::currentIndexChanged, this, [this, side] { DimmerChanged(side); });
    connect(d.Remarks, &QPlainTextEdit::textChanged, this, [this, side] { DimmerChanged(side); });
  }
  TCModulDaten->addTab(fTabDimmer, PageText("Dimmerdaten"));
  AddDetailWidget(TCModulDaten);
  HideSheets();
  OnChooseClass = [this]() -> const TModulClass* {
    if (!GBasisDaten) return nullptr;
    TFrmModulWahl dialog(GBasisDaten->Katalog, fClassIndex, fGroupIndex, window());
    if (RunLogicDialog(dialog) != 1) return nullptr;
    return dialog.Chosen();
  };
}

void TFrModulBearb::PrepareActivation() {
  WhileUpdating([this] {
    btnAutoText->setChecked(GetBoolOption(boAutoText));
    BtnInsert->setChecked(false);
    BtnInsert->setEnabled(false);
    for (TDimmerControls& d : Dimmer) {
      d.Curves->clear();
      if (GKennlinien)
        for (int i = 0; i < GKennlinien->Count(); ++i) d.Curves->addItem(ToQString(GKennlinien->Items(i)->DisplayName));
    }
  });
}

void TFrModulBearb::CopyList() {
  TSteuermodul& stm = *CurrentStm();
  fWorkList.Steuermodul = &stm;
  fWorkList.CopyFrom(stm.Module);
  HideSheets();
}

void TFrModulBearb::MergeList() { CurrentStm()->Module.MergeFrom(fWorkList, GModulObserver.get()); }

void TFrModulBearb::ClearList() {
  fWorkList.Clear();
  fWorkList.Steuermodul = nullptr;
}

bool TFrModulBearb::ListDiffers() const {
  TModulListe fresh;
  fresh.CopyFrom(CurrentStm()->Module);
  auto bytes = [](const TModulListe& list) {
    TMemoryStream stream;
    {
      TWriter writer(stream);
      for (int i = 0; i < list.Count(); ++i) list.GetModul(i)->WriteData(writer);
    }
    return stream.Bytes();
  };
  return bytes(fresh) != bytes(fWorkList);
}

QString TFrModulBearb::NodeText(const TZYNBaseObject* object) const {
  const auto* m = dynamic_cast<const TModul*>(object);
  return ToQString(m->ModulKennung + "." + ZeroPad(m->Adresse(), 2) + "-" + m->DisplayName());
}

const TModulClass* TFrModulBearb::ClassOf(const TModul& modul) const {
  return GBasisDaten ? GBasisDaten->Katalog.FindClass(modul.ModulKlasse) : nullptr;
}

QTreeWidgetItem* TFrModulBearb::AppendNode(TZYNBaseObject* object) {
  auto* modul = dynamic_cast<TModul*>(object);
  const TModulClass* cls = ClassOf(*modul);
  const QString classText = cls ? ToQString(cls->DisplayName) : ToQString(modul->ModulKlasse);
  QTreeWidgetItem* classNode = nullptr;
  for (int i = MTV->topLevelItemCount() - 1; i >= 0 && !classNode; --i) {
    QTreeWidgetItem* n = MTV->topLevelItem(i);
    if (cls ? ClassData(n) == cls : n->text(0) == classText) classNode = n;
  }
  if (!classNode) {
    classNode = new QTreeWidgetItem(QStringList{classText});
    classNode->setData(0, Qt::UserRole + 1, QVariant::fromValue(static_cast<void*>(const_cast<TModulClass*>(cls))));
    classNode->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    MTV->addTopLevelItem(classNode);
  }
  auto* node = new QTreeWidgetItem(QStringList{NodeText(modul)});
  node->setFlags(node->flags() | Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
  SetNodeData(node, modul);
  QTreeWidgetItem* selected = MTV->currentItem();
  if (BtnInsert->isChecked() && selected && selected->parent() == classNode)
    classNode->insertChild(classNode->indexOfChild(selected), node);
  else
    classNode->addChild(node);
  classNode->setExpanded(true);
  return node;
}

QTreeWidgetItem* TFrModulBearb::FirstObjectNode() const {
  QTreeWidgetItem* top = MTV->topLevelItem(0);
  return top && top->childCount() > 0 ? top->child(0) : top;
}

void TFrModulBearb::AddObject() {
  TSteuermodul* stm = CurrentStm();
  if (!stm || fWorkList.Count() >= 64 || !GUniqueNames) return;
  const TModulClass* cls = OnChooseClass ? OnChooseClass() : nullptr;
  if (!cls) return;
  auto modul = std::make_unique<TModul>();
  modul->SetSteuermodul(stm);
  modul->InitFromClass(*cls, *GUniqueNames);
  modul->AssignNewName(*GUniqueNames);
  const int address = fWorkList.AllocAddress(modul->BasisKlasse);
  if (address < 0) {
    TranslatedMessageDlg(ModelTranslate("Von dieser Modulklasse können keine weiteren Module verwendet werden!"),
                         mtWarning, mbOK);
    return;
  }
  modul->SetAdresse(address);
  std::string name = cls->DisplayName;
  for (int k = 2; NameTaken(name, nullptr); ++k) name = cls->DisplayName + " (" + std::to_string(k) + ")";
  modul->SetDisplayName(name);
  if (UpperCase(modul->ModulKennung) != UpperCase(ModelTranslate("FUI"))) {
    modul->Dimmerzusatz = cls->Dimmerzusatz();
    modul->Analogzusatz = cls->Analogzusatz();
  } else {
    modul->Dimmerzusatz = modul->Analogzusatz = false;
  }
  if (modul->Dimmerzusatz) {
    modul->DimmerDaten.LeftSoftStart = 1;
    modul->DimmerDaten.LeftKennlinie = 0;
    modul->DimmerDaten.RightSoftStart = 1;
    modul->DimmerDaten.RightKennlinie = 0;
  }
  TModul* added = fWorkList.Add(std::move(modul));
  QTreeWidgetItem* node = nullptr;
  WhileUpdating([&] { node = AppendNode(added); });
  if (btnAutoText->isChecked()) {
    WhileUpdating([&] {
      MTV->setCurrentItem(node);
      for (int list = 0; list < 3; ++list)
        if (ChannelCount(*added, list) > 0) AutoNames(list);
    });
  }
  MTV->setCurrentItem(node);
  ShowObject();
  Changed();
}

void TFrModulBearb::DeleteObject() {
  TModul* modul = SelectedModul();
  if (!modul) return;
  // The working copy holds no links: they are counted on the project's module.
  const TModul* live = CurrentStm() ? CurrentStm()->Module.FindByInternalName(modul->InternalName()) : nullptr;
  const int links = live ? live->VerbindungsCount() : 0;
  std::string question = FormatText(ModelTranslate(Texts().DeleteQuestion), {modul->DisplayName()});
  if (links > 0)
    question =
        FormatNumbers(ModelTranslate("Das Modul verwaltet %d programmierte Verbindungen"), {links}) + "\r" + question;
  if (!ConfirmDelete(question, links)) return;
  QTreeWidgetItem* node = NodeOf(modul);
  const int position = IndexOfNodeData(MTV, modul);
  WhileUpdating([&] {
    QTreeWidgetItem* classNode = node->parent();
    delete node;
    if (classNode && classNode->childCount() == 0) delete classNode;
    fWorkList.Remove(modul);
  });
  int remaining = 0;
  for (QTreeWidgetItemIterator it(MTV); *it; ++it) ++remaining;
  if (remaining == 0) {
    ClearPage();
  } else {
    MTV->setCurrentItem(NodeAt(MTV, position < remaining ? std::max(0, position - 1) : remaining - 1));
    ShowObject();
  }
  Changed();
}

void TFrModulBearb::RemoveItem(TZYNBaseObject* object) { fWorkList.Remove(dynamic_cast<TModul*>(object)); }

int TFrModulBearb::ItemAddress(const TZYNBaseObject* object) const {
  return dynamic_cast<const TModul*>(object)->Adresse();
}

void TFrModulBearb::ChangeItemAddress(TZYNBaseObject* object, int address) {
  auto* modul = dynamic_cast<TModul*>(object);
  fWorkList.ChangeAddress(modul, address);
  WhileUpdating([&] {
    DS->SetValue(address);
    FillGrid(EV, 0, *modul);
    FillGrid(AV, 1, *modul);
    FillGrid(RV, 2, *modul);
  });
}

std::vector<std::string> TFrModulBearb::AddressItems(const TZYNBaseObject* object, int& selected) const {
  const auto* modul = dynamic_cast<const TModul*>(object);
  std::vector<uint8_t> flags(32);
  const auto& map = fWorkList.Map();
  for (int a = 0; a < 32; ++a) flags[static_cast<size_t>(a)] = map[static_cast<size_t>(modul->BasisKlasse * 32 + a)];
  return FreeAddressItems(flags, modul->ModulKennung, modul->Adresse(), 31, 0, selected);
}

void TFrModulBearb::MoveItem(const std::string& name, const std::string& beforeName) {
  const int from = fWorkList.IndexOfName(name);
  int to = fWorkList.IndexOfName(beforeName);
  if (from < 0 || to < 0 || from == to) return;
  if (from < to) --to;
  if (from != to) fWorkList.MoveByName(name, fWorkList.KeyAt(to));
}

std::string TFrModulBearb::ItemRemarks(const TZYNBaseObject* object) const {
  return dynamic_cast<const TModul*>(object)->Bemerkungen;
}

void TFrModulBearb::SetItemRemarks(TZYNBaseObject* object, const std::string& text) {
  dynamic_cast<TModul*>(object)->Bemerkungen = text;
}

void TFrModulBearb::SetSheetVisible(QWidget* sheet, bool visible) {
  TCModulDaten->setTabVisible(TCModulDaten->indexOf(sheet), visible);
}

bool TFrModulBearb::SheetVisible(const QString& title) const {
  for (int i = 0; i < TCModulDaten->count(); ++i)
    if (TCModulDaten->tabText(i) == title) return TCModulDaten->isTabVisible(i);
  return false;
}

void TFrModulBearb::HideSheets() {
  for (QWidget* sheet : {fTabEingang, fTabAusgang, fTabRME, fTabDimmer}) SetSheetVisible(sheet, false);
}

void TFrModulBearb::FillGrid(TMKGrid* grid, int list, TModul& modul) {
  const int count = ChannelCount(modul, list);
  grid->clearContents();
  grid->SetRowCount(count + 1);
  grid->SetCells(0, 0, PageText("Kanal"));
  grid->SetCells(1, 0, PageText("Adresse"));
  grid->SetCells(2, 0, PageText("Bezeichnung"));
  for (int r = 1; r <= count; ++r) {
    TKanal* k = ChannelAt(modul, list, r - 1);
    grid->SetCells(0, r, QString::number(k->Adresse()));
    grid->SetCells(1, r,
                   ToQString(FormatNumbers(modul.ModulKennung + ".%2.2d.%2.2d", {modul.Adresse(), k->Adresse()})));
    grid->SetCells(2, r, ToQString(k->DisplayName()));
    if (QTableWidgetItem* item = grid->item(r, 1)) item->setFlags(Qt::ItemIsEnabled);
  }
  grid->scrollToTop();
}

void TFrModulBearb::GridEdited(TMKGrid* grid, int list, int row, int column) {
  TModul* modul = SelectedModul();
  if (Updating() || !modul || column != 2 || row < 1 || row > ChannelCount(*modul, list)) return;
  TKanal* k = ChannelAt(*modul, list, row - 1);
  const std::string text = FromQString(grid->Cells(2, row));
  if (text == k->DisplayName()) return;
  k->SetDisplayName(text);
  Changed();
}

void TFrModulBearb::AutoNames(int list) {
  TModul* modul = SelectedModul();
  if (!modul) return;
  TMKGrid* grid = list == 0 ? EV : list == 1 ? AV : RV;
  WhileUpdating([&] {
    for (int i = 0; i < ChannelCount(*modul, list); ++i) {
      TKanal* k = ChannelAt(*modul, list, i);
      if (!Trim(k->DisplayName()).empty()) continue;
      // The default text is the stored one up to its "%"; a text without "%" counts whole.
      const std::string base = k->DefaultText().empty() ? k->StoredDefaultText : k->DefaultText();
      k->SetDisplayName(FormatNumbers(FormatText("%s- %%2.2d", {base}), {k->Adresse()}));
      grid->SetCells(2, i + 1, ToQString(k->DisplayName()));
    }
  });
  Changed();
}

void TFrModulBearb::ShowDimmer(const TModul& modul) {
  for (int side = 0; side < 2; ++side) {
    TDimmerControls& d = Dimmer[static_cast<size_t>(side)];
    const int start = side == 0 ? modul.DimmerDaten.LeftSoftStart : modul.DimmerDaten.RightSoftStart;
    const int curve = side == 0 ? modul.DimmerDaten.LeftKennlinie : modul.DimmerDaten.RightKennlinie;
    if (QAbstractButton* b = d.Start->button(start)) b->setChecked(true);
    d.Curve->setExclusive(false);
    for (QAbstractButton* b : d.Curve->buttons()) b->setChecked(d.Curve->id(b) == curve && curve <= 2);
    d.Curve->setExclusive(true);
    d.Other->setChecked(curve > 2);
    d.Curves->setEnabled(curve > 2);
    d.Curves->setCurrentIndex(curve < d.Curves->count() ? curve : -1);
    d.Remarks->setPlainText(ToQString(side == 0 ? modul.DimmerDaten.LeftRem : modul.DimmerDaten.RightRem));
  }
}

void TFrModulBearb::DimmerChanged(int side) {
  TModul* modul = SelectedModul();
  if (Updating() || !modul) return;
  TDimmerControls& d = Dimmer[static_cast<size_t>(side)];
  d.Curves->setEnabled(d.Other->isChecked());
  const int start = std::max(0, d.Start->checkedId());
  const int curve = d.Other->isChecked() ? std::max(0, d.Curves->currentIndex()) : std::max(0, d.Curve->checkedId());
  const std::string rem = FromQString(d.Remarks->toPlainText());
  TDimmerDaten& data = modul->DimmerDaten;
  (side == 0 ? data.LeftSoftStart : data.RightSoftStart) = start;
  (side == 0 ? data.LeftKennlinie : data.RightKennlinie) = curve;
  (side == 0 ? data.LeftRem : data.RightRem) = rem;
  Changed();
}

void TFrModulBearb::ShowDetails(TZYNBaseObject* object) {
  auto* modul = dynamic_cast<TModul*>(object);
  HideSheets();
  const TModulClass* cls = ClassOf(*modul);
  CBArt->setCurrentIndex(cls ? CBArt->findText(ToQString(cls->DisplayName)) : -1);
  DS->SetValue(modul->Adresse());
  ShowDimmer(*modul);
  FillGrid(EV, 0, *modul);
  FillGrid(AV, 1, *modul);
  FillGrid(RV, 2, *modul);
  if (UpperCase(modul->ModulKlasse) != "INPUT PIR") {
    SetSheetVisible(fTabEingang, modul->Eingaenge().Count() > 0);
    SetSheetVisible(fTabAusgang, modul->Ausgaenge().Count() > 0);
    SetSheetVisible(fTabRME, modul->Rueckmeldungen().Count() > 0);
    if (modul->Ausgaenge().Count() > 0 && modul->Dimmerzusatz) {
      SetSheetVisible(fTabDimmer, true);
      DimmerTabs->setCurrentIndex(0);
      DimmerTabs->setTabVisible(1, modul->Ausgaenge().Count() > 1);
    }
  }
  TCModulDaten->setCurrentWidget(fTabModul);
}

void TFrModulBearb::ShowNoObject() {
  HideSheets();
  EName->clear();
  CAdresse->clear();
  MRemarks->clear();
  DS->SetValue(0);
  QTreeWidgetItem* node = MTV->currentItem();
  CBArt->setCurrentIndex(node ? CBArt->findText(node->text(0)) : -1);
}

void TFrModulBearb::ClearDetails() {
  if (!DS) return;
  HideSheets();
  DS->SetValue(0);
  CBArt->setCurrentIndex(-1);
  EV->clearContents();
  AV->clearContents();
  RV->clearContents();
}

void TFrModulBearb::UpdatePage() {
  TObjectPage::UpdatePage();
  if (!BtnInsert) return;
  const bool module = SelectedModul() != nullptr;
  Details->setEnabled(module);
  BtnInsert->setEnabled(fWorkList.Count() > 0);
  if (fWorkList.Count() == 0) BtnInsert->setChecked(false);
}

}  // namespace zyn
