#include "visu/ui/FrameVisuEntwurf.h"

#include "widgets/common/WidgetText.h"
#include "logic/GlobalFuncs.h"
#include "logic/core/LogicText.h"
#include "model/BasisDaten.h"
#include "model/GlobalRoutines.h"
#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/ModelText.h"
#include "model/Modul.h"
#include "model/Uhr.h"
#include "model/UniqueNames.h"
#include "model/base/Cp1252.h"
#include "model/base/TextUtils.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "project/Steuermodul.h"
#include "shell/GlobalGui.h"
#include "shell/MessageHandler.h"
#include "visu/VisuDesignRules.h"
#include "visu/VisuProject.h"
#include "visu/ui/VisuButtons.h"
#include "visu/ui/VisuControls.h"
#include "visu/ui/VisuFrames.h"
#include "visu/ui/VisuPageFrame.h"
#include "visu/ui/VisuPropertyDialogs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDragMoveEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zyn {

namespace {


constexpr int kObjectRole = Qt::UserRole + 1;

const TZYNBaseObject* ItemObject(const QTreeWidgetItem* item) {
  return item ? reinterpret_cast<const TZYNBaseObject*>(item->data(0, kObjectRole).value<quintptr>()) : nullptr;
}

QTreeWidgetItem* ObjectNode(QTreeWidgetItem* parent, const std::string& caption, const TZYNBaseObject* object) {
  auto* node = new QTreeWidgetItem(parent, QStringList(ToQString(caption)));
  node->setData(0, kObjectRole, QVariant::fromValue(reinterpret_cast<quintptr>(object)));
  return node;
}

QTreeWidgetItem* ChildByText(QTreeWidgetItem* parent, const QString& text) {
  for (int i = 0; i < parent->childCount(); ++i)
    if (parent->child(i)->text(0) == text) return parent->child(i);
  return new QTreeWidgetItem(parent, QStringList(text));
}

QTreeWidget* MakeTree(QWidget* parent) {
  auto* t = new QTreeWidget(parent);
  t->setHeaderHidden(true);
  t->setDragEnabled(true);
  t->setDragDropMode(QAbstractItemView::DragOnly);
  return t;
}

struct TPaletteButton {
  const char* hint;
  int value;
};
struct TPaletteTab {
  const char* caption;
  std::vector<TPaletteButton> buttons;
  bool shown;
};

const std::vector<TPaletteTab>& PaletteTabs() {
  static const std::vector<TPaletteTab> tabs = {
      {"Statusanzeigen",
       {{"Rundes Objekt einfügen", 1},
        {"Quadratisches Objekt einfügen", 2},
        {"Rechteckiges Objekt einfügen", 3},
        {"Abgerundetes rechteckiges Objekt", 4},
        {"Indikator mit Text", 5}},
       true},
      {"Bedienungen", {{"Eingangsemulation und Ausgänge schalten", 11}}, true},
      {"Navigation", {{"Navigationsschalter einfügen", 8}, {"Segmentschalter einfügen", 9}}, true},
      {"Zählen und Aufzeichnen",
       {{"Betriebsstundenzähler", 7}, {"Zähler für Einschaltflanken", 10}, {"Ereignisslogger für einen Kanal", 0}},
       false},
      {"Standardseiten", {{"Menüframe", 13}, {"Steuermodule verbinden", 14}, {"Benutzer anmelden", 16}}, true},
      {"Verschiedenes",
       {{"Standardtext", 12},
        {"Beenden der Laufzeitumgebung", 17},
        {"Mit STM(s) verbinden", 18},
        {"Von STM(s) trennen", 19}},
       true},
  };
  return tabs;
}

// The picture of a palette button, drawn for the kind it inserts.
QIcon PaletteIcon(int value) {
  QPixmap pm(24, 24);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(200, 40, 40));
  switch (value) {
    case -1: {
      const QPointF arrow[] = {{6, 3}, {6, 19}, {10, 15}, {14, 22}, {16, 21}, {12, 14}, {18, 14}};
      p.setBrush(Qt::white);
      p.drawPolygon(arrow, 7);
      break;
    }
    case 1:
      p.drawEllipse(4, 4, 16, 16);
      break;
    case 2:
      p.drawRect(4, 4, 16, 16);
      break;
    case 3:
      p.drawRect(2, 7, 20, 10);
      break;
    case 4:
      p.drawRoundedRect(2, 7, 20, 10, 4, 4);
      break;
    default: {
      p.setBrush(QColor(230, 230, 230));
      p.drawRoundedRect(2, 5, 20, 14, 2, 2);
      QFont f = p.font();
      f.setPixelSize(9);
      p.setFont(f);
      static const char* const kText[] = {"Log", "",    "",    "",    "",    "T", "",    "h",   "Nav", "Seg",
                                          "#",   "Tel", "Abc", "Men", "STM", "",  "Anm", "Aus", "An",  "Ab"};
      if (value >= 0 && value < 20) p.drawText(QRect(2, 5, 20, 14), Qt::AlignCenter, QString::fromLatin1(kText[value]));
      break;
    }
  }
  return QIcon(pm);
}

}  // namespace

TFrVisuEntwurf::TFrVisuEntwurf(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("FrVisuEntwurf"));
  ChooseCommand = [](const TKanal& channel, std::string& suffix) { return ChooseOutputFunction(channel, "", suffix); };
  EditParameter = [](const TEABaseFunction& command, uint8_t bytes[2]) { return EditCommandParameter(command, bytes); };
  ShowIndexFunction = [this](TVisuComponent* control, const TZYNBaseObject* object) {
    auto* handler = dynamic_cast<IIndexTeleHandler*>(control->Self());
    if (!GProjekt || !handler) return;
    TFrmIndexFunction dialog(*GProjekt, *handler, object, this);
    dialog.exec();
  };

  auto* main = new QVBoxLayout(this);
  main->setContentsMargins(0, 0, 0, 0);
  // Palette and tool bar.
  auto* top = new QHBoxLayout;
  Palette = new QTabWidget(this);
  for (const TPaletteTab& tab : PaletteTabs()) {
    auto* page = new QWidget(Palette);
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(2, 2, 2, 2);
    auto* group = new QButtonGroup(page);
    group->setExclusive(true);
    std::vector<TPaletteButton> buttons = {{"", -1}};
    buttons.insert(buttons.end(), tab.buttons.begin(), tab.buttons.end());
    for (const TPaletteButton& b : buttons) {
      auto* tb = new QToolButton(page);
      tb->setCheckable(true);
      tb->setAutoRaise(true);
      tb->setIcon(PaletteIcon(b.value));
      tb->setIconSize(QSize(24, 24));
      if (*b.hint) tb->setToolTip(TranslatedText(b.hint));
      tb->setChecked(b.value == -1);
      group->addButton(tb, b.value);
      row->addWidget(tb);
      connect(tb, &QToolButton::clicked, this, [this, v = b.value] { PaletteClick(v); });
    }
    row->addStretch(1);
    fPaletteGroups.push_back(group);
    const int index = Palette->addTab(page, TranslatedText(tab.caption));
    Palette->setTabVisible(index, tab.shown);
  }
  top->addWidget(Palette, 1);
  const auto tool = [this, top](const char* text, QStyle::StandardPixmap icon) {
    auto* b = new QToolButton(this);
    b->setText(TranslatedText(text));
    b->setIcon(style()->standardIcon(icon));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    top->addWidget(b);
    return b;
  };
  BtnNewPage = tool("Neue Seite", QStyle::SP_FileIcon);
  BtnPicture = tool("Grafik einfügen", QStyle::SP_DirOpenIcon);
  BtnUndo = tool("Rückgängig", QStyle::SP_ArrowBack);
  BtnUndo->setShortcut(QKeySequence::Undo);
  connect(BtnNewPage, &QToolButton::clicked, this, [this] { NewPage(); });
  connect(BtnUndo, &QToolButton::clicked, this, [this] { Undo(); });
  connect(BtnPicture, &QToolButton::clicked, this, [this] {
    if (!fCurrent) return;
    const QString file = QFileDialog::getOpenFileName(
        this, TranslatedText("Grafik einfügen"), QString(),
        TranslatedText("Alle") +
            QStringLiteral(
                " (*.bmp *.jpeg *.jpg);;Bitmap File (*.bmp);;JPEG Image File (*.jpg);;JPEG Image File (*.jpeg)"));
    if (!file.isEmpty()) InsertPicture(file.toStdString());
  });
  main->addLayout(top);

  auto* body = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  LeftHeader = new QLabel(TranslatedText("Seiten"), this);
  LeftHeader->setStyleSheet(QStringLiteral("font-weight: bold; padding: 3px;"));
  left->addWidget(LeftHeader);
  LeftTabs = new QTabWidget(this);
  PageList = new QListWidget(LeftTabs);
  PageList->setDragEnabled(true);
  PageList->setDragDropMode(QAbstractItemView::DragOnly);
  PageList->setContextMenuPolicy(Qt::CustomContextMenu);
  TVInputs = MakeTree(LeftTabs);
  TVOutputs = MakeTree(LeftTabs);
  TVFlags = MakeTree(LeftTabs);
  TVClocks = MakeTree(LeftTabs);
  NavList = new QListWidget(LeftTabs);
  NavList->setDragEnabled(true);
  NavList->setDragDropMode(QAbstractItemView::DragOnly);
  LeftTabs->addTab(PageList, TranslatedText("Seiten"));
  LeftTabs->addTab(TVInputs, TranslatedText("Eingänge"));
  LeftTabs->addTab(TVOutputs, TranslatedText("Ausgänge"));
  LeftTabs->addTab(TVFlags, TranslatedText("Merker"));
  LeftTabs->addTab(TVClocks, TranslatedText("Uhren"));
  LeftTabs->addTab(NavList, TranslatedText("Navigation"));
  LeftTabs->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(LeftTabs, &QTabWidget::currentChanged, this,
          [this](int i) { LeftHeader->setText(i >= 0 ? LeftTabs->tabText(i) : QString()); });
  connect(LeftTabs, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu menu(this);
    QAction* multi = menu.addAction(TranslatedText("Mehrzeilig"));
    multi->setCheckable(true);
    multi->setChecked(!LeftTabs->usesScrollButtons());
    QAction* buttons = menu.addAction(TranslatedText("Buttons"));
    buttons->setCheckable(true);
    buttons->setChecked(LeftTabs->documentMode());
    QAction* chosen = menu.exec(LeftTabs->mapToGlobal(at));
    // Qt's tab bar has no rows: "Mehrzeilig" squeezes every tab into view instead of scrolling.
    if (chosen == multi) {
      LeftTabs->setUsesScrollButtons(!multi->isChecked());
      SetFrameOption("FrVisuEntwurf", 1, multi->isChecked());
    }
    if (chosen == buttons) {
      LeftTabs->setDocumentMode(buttons->isChecked());
      SetFrameOption("FrVisuEntwurf", 2, buttons->isChecked());
    }
  });
  left->addWidget(LeftTabs, 1);
  auto* leftBox = new QWidget(this);
  leftBox->setLayout(left);
  leftBox->setFixedWidth(300);
  body->addWidget(leftBox);

  auto* right = new QVBoxLayout;
  PageHeader = new QLabel(TranslatedText(" Seite:"), this);
  PageHeader->setStyleSheet(QStringLiteral("font-weight: bold; padding: 3px;"));
  right->addWidget(PageHeader);
  ScrollBox = new QScrollArea(this);
  ScrollBox->setWidgetResizable(false);
  right->addWidget(ScrollBox, 1);
  body->addLayout(right, 1);
  main->addLayout(body, 1);

  // Page menu.
  PageMenu = new QMenu(this);
  QAction* aNew = PageMenu->addAction(TranslatedText("Neue Seite"));
  QAction* aDelete = PageMenu->addAction(TranslatedText("Seite löschen"));
  QAction* aStart = PageMenu->addAction(TranslatedText("Als Startseite festlegen"));
  PageMenu->addSeparator();
  QAction* aExport = PageMenu->addAction(TranslatedText("Frame exportieren"));
  QAction* aImport = PageMenu->addAction(TranslatedText("Frame importieren"));
  PageMenu->addSeparator();
  QAction* aStretch = PageMenu->addAction(TranslatedText("Hintergrundgrafik skalieren"));
  aStretch->setCheckable(true);
  QAction* aClearBitmap = PageMenu->addAction(TranslatedText("Hintergrundgrafik löschen"));
  connect(PageMenu, &QMenu::aboutToShow, this, [=, this] {
    const bool page = fCurrent != nullptr;
    for (QAction* a : {aDelete, aStart, aExport, aStretch}) a->setEnabled(page);
    aStretch->setChecked(page && fCurrent->StretchBitmap);
    aClearBitmap->setEnabled(page && !fCurrent->Bitmap().isNull());
  });
  connect(aNew, &QAction::triggered, this, [this] { NewPage(); });
  connect(aDelete, &QAction::triggered, this, [this] { DeletePage(); });
  connect(aStart, &QAction::triggered, this, [this] { SetAsStartPage(); });
  connect(aExport, &QAction::triggered, this, [this] {
    if (!fCurrent) return;
    QFileDialog dialog(this, TranslatedText("Frame exportieren"), ToQString(fCurrent->Name()),
                       TranslatedText("Seiten") + QStringLiteral(" (*.vpg)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("vpg"));
    if (dialog.exec() == QDialog::Accepted) ExportPage(dialog.selectedFiles().value(0).toStdString());
  });
  connect(aImport, &QAction::triggered, this, [this] {
    QFileDialog dialog(this, TranslatedText("Frame importieren"), QString(), TranslatedText("Seiten") + QStringLiteral(" (*.vpg)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("vpg"));
    if (dialog.exec() == QDialog::Accepted) ImportPage(dialog.selectedFiles().value(0).toStdString());
  });
  connect(aStretch, &QAction::triggered, this, [this] {
    if (!fCurrent) return;
    fCurrent->StretchBitmap = !fCurrent->StretchBitmap;
    fCurrent->update();
    NoteChange(false);
  });
  connect(aClearBitmap, &QAction::triggered, this, [this] {
    if (!fCurrent) return;
    fCurrent->ClearBitmap();
    fCurrent->update();
    NoteChange(false);
  });
  connect(PageList, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PageMenu->popup(PageList->viewport()->mapToGlobal(at)); });
  connect(PageList, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!fFilling) SelectPage(row);
  });
  connect(PageList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (!fFilling) RenamePage(PageList->row(item), FromQString(item->text()));
  });

  // Control menu.
  ControlMenu = new QMenu(this);
  QAction* aProps = ControlMenu->addAction(TranslatedText("Eigenschaften"));
  QMenu* align = ControlMenu->addMenu(TranslatedText("Ausrichten"));
  QAction* aCenter = align->addAction(TranslatedText("Zentrieren"));
  QAction* aDel = ControlMenu->addAction(TranslatedText("Löschen"));
  connect(ControlMenu, &QMenu::aboutToShow, this, [=, this] {
    TVisuComponent* c = fCurrent ? fCurrent->PopupComponent() : nullptr;
    aCenter->setEnabled(c && dynamic_cast<TVisuFrameBase*>(c->Self()));
  });
  connect(aProps, &QAction::triggered, this, [this] {
    if (fCurrent) ShowProperties(fCurrent->PopupComponent());
  });
  connect(aCenter, &QAction::triggered, this, [this] {
    if (fCurrent) CenterControl(fCurrent->PopupComponent());
  });
  connect(aDel, &QAction::triggered, this, [this] {
    if (fCurrent) DeleteControl(fCurrent->PopupComponent());
  });
}

TFrVisuEntwurf::~TFrVisuEntwurf() {
  // The pages belong to the project: take the shown one out before the scroll box goes.
  if (ScrollBox->widget()) ScrollBox->takeWidget()->setParent(nullptr);
  qApp->removeEventFilter(this);
}

// ---- activation -------------------------------------------------------------------------------------

void TFrVisuEntwurf::FrameActivate() {
  qApp->installEventFilter(this);
  LeftTabs->setDocumentMode(GetFrameOption("FrVisuEntwurf", 2));
  LeftTabs->setUsesScrollButtons(!GetFrameOption("FrVisuEntwurf", 1));
  IMessageHandler* handler = GetMessageHandler();
  if (handler) handler->LockUserInterface();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  FillTrees();
  QApplication::restoreOverrideCursor();
  if (handler) handler->UnlockUserInterface();
  FillPageList();
  if (PageList->count() > 0) PageList->setCurrentRow(0);
}

void TFrVisuEntwurf::FrameDeactivate() {
  qApp->removeEventFilter(this);
  for (QTreeWidget* t : {TVInputs, TVOutputs, TVFlags, TVClocks}) t->clear();
  fFilling = true;
  PageList->clear();
  NavList->clear();
  fFilling = false;
  if (ScrollBox->widget()) ScrollBox->takeWidget()->setParent(nullptr);
  fCurrent = nullptr;
  fUndo.clear();
  LeftTabs->setCurrentIndex(0);
}

void TFrVisuEntwurf::FillTrees() {
  for (QTreeWidget* t : {TVInputs, TVOutputs, TVFlags, TVClocks}) t->clear();
  LeftTabs->setCurrentIndex(0);
  if (!GProjekt) return;
  for (int s = 0; s < GProjekt->Steuermodule.Count(); ++s) {
    TSteuermodul* stm = GProjekt->Steuermodule.GetSteuermodul(s);
    const QString stmName = ToQString(stm->DisplayName());
    QTreeWidgetItem* inRoot = nullptr;
    QTreeWidgetItem* outRoot = nullptr;
    for (int m = 0; m < stm->Module.Count(); ++m) {
      TModul* modul = stm->Module.GetModul(m);
      modul->SetSteuermodul(stm);
      const TModulClass* cls = GBasisDaten ? GBasisDaten->Katalog.FindClass(modul->ModulKlasse) : nullptr;
      const QString groupName = ToQString(cls ? cls->DisplayName : modul->ModulKlasse);
      std::string klasse = modul->ModulKlasse;
      for (char& c : klasse) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      const bool pir = klasse == "INPUT PIR";
      const std::string modulCaption =
          FormatText(FormatNumbers("%s.%2.2d-%s", {modul->Adresse()}), {modul->ModulKennung, modul->DisplayName()});
      for (int side = 0; side < 2; ++side) {
        const bool inputs = side == 0;
        const int count = inputs ? modul->Eingaenge().Count() : modul->Ausgaenge().Count();
        std::vector<TKanal*> channels;
        for (int c = 0; c < count; ++c) {
          TKanal* ch = inputs ? static_cast<TKanal*>(modul->Eingaenge().GetItem(c))
                              : static_cast<TKanal*>(modul->Ausgaenge().GetItem(c));
          ch->Modul = modul;
          ch->Steuermodul = stm;
          if (!ch->DisplayName().empty() && (inputs || !ch->Reserviert())) channels.push_back(ch);
        }
        if (channels.empty() && !(inputs && pir)) continue;
        QTreeWidgetItem*& root = inputs ? inRoot : outRoot;
        if (!root) root = new QTreeWidgetItem(inputs ? TVInputs : TVOutputs, QStringList(stmName));
        QTreeWidgetItem* group = ChildByText(root, groupName);
        QTreeWidgetItem* modNode = ObjectNode(group, modulCaption, nullptr);
        if (pir) continue;
        for (TKanal* ch : channels)
          ObjectNode(modNode,
                     FormatChannelName(modul->ModulKennung, modul->Adresse(), ch->Adresse(), ch->DisplayName(), 2), ch);
      }
    }
    if (stm->Uhren.Count() > 0) {
      auto* root = new QTreeWidgetItem(TVClocks, QStringList(stmName));
      for (int i = 0; i < stm->Uhren.Count(); ++i) {
        TUhr* uhr = stm->Uhren.GetUhr(i);
        uhr->Steuermodul = stm;
        QTreeWidgetItem* group = ChildByText(root, ToQString(GetUhrenTypName(static_cast<int>(uhr->UhrenTyp))));
        ObjectNode(group, FormatChannelName(TranslateText("UHR"), 0, uhr->Adresse(), uhr->DisplayName(), 3), uhr);
      }
    }
    if (stm->Merker.Count() > 0) {
      auto* root = new QTreeWidgetItem(TVFlags, QStringList(stmName));
      QTreeWidgetItem* group = ChildByText(root, ToQString(TranslateText("Merker")));
      for (int i = 0; i < stm->Merker.Count(); ++i) {
        TMerker* merker = stm->Merker.GetMerker(i);
        merker->Steuermodul = stm;
        ObjectNode(group, FormatChannelName(TranslateText("MRK"), 0, merker->Adresse(), merker->DisplayName(), 3),
                   merker);
      }
    }
  }
}

TVisuDesignFrame* TFrVisuEntwurf::PageOfRow(int row) const {
  if (!GProjekt || row < 0) return nullptr;
  return dynamic_cast<TVisuDesignFrame*>(GProjekt->VisuProject().GetPage(row));
}

void TFrVisuEntwurf::FillPageList() {
  fFilling = true;
  PageList->clear();
  NavList->clear();
  if (GProjekt) {
    TVisuProject& visu = GProjekt->VisuProject();
    for (int i = 0; i < visu.PageCount(); ++i) {
      TVisuPage* page = visu.GetPage(i);
      auto* item = new QListWidgetItem(ToQString(PageListCaption(visu, *page)), PageList);
      item->setFlags(item->flags() | Qt::ItemIsEditable);
      NavList->addItem(ToQString(page->DisplayName()));
    }
  }
  fFilling = false;
}

void TFrVisuEntwurf::RefreshCaptions() {
  if (!GProjekt) return;
  fFilling = true;
  TVisuProject& visu = GProjekt->VisuProject();
  for (int i = 0; i < PageList->count() && i < visu.PageCount(); ++i)
    PageList->item(i)->setText(ToQString(PageListCaption(visu, *visu.GetPage(i))));
  fFilling = false;
}

void TFrVisuEntwurf::AttachPage(TVisuDesignFrame* page) {
  page->setAutoFillBackground(true);
  page->OnNewControl = [this](TVisuBaseFrame*, TVisuComponent* c) { NewControl(c); };
  page->OnModified = [this] { NoteChange(true); };
  page->HookDesignMouse();
  page->SetDragDropHandlers(
      [this](QWidget* s, QDragMoveEvent* e) { return AcceptsDrag(s, qobject_cast<QWidget*>(e->source())); },
      [this](QWidget* s, QDropEvent* e) { DropOn(s, qobject_cast<QWidget*>(e->source())); });
  page->ControlMenu = ControlMenu;
}

void TFrVisuEntwurf::ShowPage(TVisuDesignFrame* page) {
  if (ScrollBox->widget()) ScrollBox->takeWidget()->setParent(nullptr);
  fCurrent = page;
  if (!page) {
    BtnUndo->setEnabled(false);
    PageHeader->setText(TranslatedText(" Seite:"));
    return;
  }
  ScrollBox->setWidget(page);
  page->move(0, 0);
  page->show();
  AttachPage(page);
  fBase = page->MakeRecord();
  BtnUndo->setEnabled(CanUndo());
  PageHeader->setText(ToQString(TranslateText("Seite:") + " " + page->DisplayName()));
}

void TFrVisuEntwurf::SelectPage(int row) {
  if (!fFilling && PageList->currentRow() != row) {
    fFilling = true;
    PageList->setCurrentRow(row);
    fFilling = false;
  }
  ShowPage(PageOfRow(row));
}

void TFrVisuEntwurf::Modified() {
  if (GProjekt) GProjekt->Modified = true;
}

// ---- page commands -----------------------------------------------------------------------------------

void TFrVisuEntwurf::AddNewPage(TVisuDesignFrame* page) {
  TVisuProject& visu = GProjekt->VisuProject();
  page->SetPageName(NewVisuPageName(GUniqueNames ? GUniqueNames->NewName() : std::to_string(visu.PageCount() + 1)));
  page->resize(visu.VisuDaten.PageWidth(), visu.VisuDaten.PageHeight());
  page->SetDesigning(true);
  visu.AddPage(std::unique_ptr<TVisuPage>(page));
  fFilling = true;
  auto* item = new QListWidgetItem(ToQString(PageListCaption(visu, *page)), PageList);
  item->setFlags(item->flags() | Qt::ItemIsEditable);
  NavList->addItem(ToQString(page->DisplayName()));
  fFilling = false;
  SelectPage(PageList->count() - 1);
  Modified();
}

TVisuDesignFrame* TFrVisuEntwurf::NewPage() {
  if (!GProjekt) return nullptr;
  auto* page = new TVisuDesignFrame;
  page->SetColor(TVisuColors::clWhite);
  page->DisplayNameText = TranslateText("Neue Seite");
  AddNewPage(page);
  return page;
}

void TFrVisuEntwurf::DeletePage() {
  if (!GProjekt || !fCurrent) return;
  TVisuDesignFrame* page = fCurrent;
  const int row = PageList->currentRow();
  std::vector<int32_t> indexes;
  for (TVisuComponent* c : page->Controls())
    if (auto* h = dynamic_cast<IIndexTeleHandler*>(c->Self()))
      for (int i = 0; i < h->GetIndexCount(); ++i) indexes.push_back(h->GetIndex(i));
  ShowPage(nullptr);
  std::erase_if(fUndo, [page](const auto& u) { return u.first == page; });
  std::unique_ptr<TVisuPage> removed = DeleteVisuPage(GProjekt->VisuProject(), page, indexes);
  fFilling = true;
  delete PageList->takeItem(row);
  delete NavList->takeItem(row);
  fFilling = false;
  removed.reset();
  RefreshCaptions();
  if (PageList->count() > 0) SelectPage(std::min(row, PageList->count() - 1));
  Modified();
}

void TFrVisuEntwurf::SetAsStartPage() {
  if (!GProjekt || !fCurrent) return;
  if (SetStartPage(GProjekt->VisuProject(), *fCurrent)) Modified();
  RefreshCaptions();
}

bool TFrVisuEntwurf::ExportPage(const std::string& fileName) {
  if (!fCurrent) return false;
  const std::string name = fCurrent->Name();
  fCurrent->SetPageName("");
  const bool ok = fCurrent->SavePageFile(fileName);
  fCurrent->SetPageName(name);
  return ok;
}

TVisuDesignFrame* TFrVisuEntwurf::ImportPage(const std::string& fileName) {
  if (!GProjekt) return nullptr;
  auto page = std::make_unique<TVisuDesignFrame>();
  page->SetDesigning(true);
  if (!page->LoadPageFile(fileName)) return nullptr;
  TVisuDesignFrame* raw = page.release();
  AddNewPage(raw);
  return raw;
}

bool TFrVisuEntwurf::InsertPicture(const std::string& fileName) {
  if (!fCurrent) return false;
  QImageReader reader(QString::fromStdString(fileName));
  const QImage image = reader.read();
  if (image.isNull()) return false;  // a picture that cannot be converted is ignored
  fCurrent->SetBitmap(image);
  fCurrent->update();
  NoteChange(false);
  return true;
}

void TFrVisuEntwurf::RenamePage(int row, const std::string& caption) {
  TVisuDesignFrame* page = PageOfRow(row);
  if (!page || !GProjekt) return;
  const std::string name = PageNameFromCaption(GProjekt->VisuProject(), *page, caption);
  if (page->DisplayNameText != name) {
    page->DisplayNameText = name;
    Modified();
  }
  if (page == fCurrent) PageHeader->setText(ToQString(TranslateText("Seite:") + " " + name));
  if (QListWidgetItem* nav = NavList->item(row)) nav->setText(ToQString(name));
  RefreshCaptions();
}

// ---- palette -------------------------------------------------------------------------------------------

void TFrVisuEntwurf::PaletteClick(int value) {
  if (value == -1) {
    RestoreTools();
  } else {
    for (QButtonGroup* g : fPaletteGroups)
      if (QAbstractButton* b = g->button(value)) b->setChecked(true);
  }
  if (fCurrent) fCurrent->InsertComponent = value;
}

int TFrVisuEntwurf::PaletteValue() const { return fCurrent ? fCurrent->InsertComponent : -1; }

void TFrVisuEntwurf::RestoreTools() {
  for (QButtonGroup* g : fPaletteGroups)
    if (QAbstractButton* b = g->button(-1)) b->setChecked(true);
  if (fCurrent) fCurrent->InsertComponent = -1;
}

void TFrVisuEntwurf::NewControl(TVisuComponent* c) {
  QWidget* w = c->Self();
  if (auto* t = dynamic_cast<ITranslator*>(w))
    for (int i = 0; i < t->GetTextCount(); ++i) t->SetText(i, TranslateText(t->GetText(i)));
  if (auto* d = dynamic_cast<IVisuDesigner*>(w))
    d->SetDragDropHandler(
        [this](QWidget* s, QDragMoveEvent* e) { return AcceptsDrag(s, qobject_cast<QWidget*>(e->source())); },
        [this](QWidget* s, QDropEvent* e) { DropOn(s, qobject_cast<QWidget*>(e->source())); });
  if (auto* h = dynamic_cast<IIndexTeleHandler*>(w); h && GProjekt)
    for (int i = 0; i < h->GetIndexCount(); ++i) h->SetIndex(i, GProjekt->VisuProject().IndexHandler.AllocateIndex());
  RestoreTools();
  Modified();
}

// ---- undo --------------------------------------------------------------------------------------------

void TFrVisuEntwurf::NoteChange(bool gesture) {
  if (!fCurrent) return;
  const bool sameGesture = gesture && fGesture && (QApplication::mouseButtons() & Qt::LeftButton);
  TComponentRecord now = fCurrent->MakeRecord();
  if (!sameGesture && !(now == fBase)) fUndo.emplace_back(fCurrent, fBase);
  fBase = std::move(now);
  fGesture = gesture && (QApplication::mouseButtons() & Qt::LeftButton);
  BtnUndo->setEnabled(CanUndo());
  Modified();
}

bool TFrVisuEntwurf::CanUndo() const {
  for (const auto& u : fUndo)
    if (u.first == fCurrent) return true;
  return false;
}

void TFrVisuEntwurf::Undo() {
  for (auto it = fUndo.rbegin(); it != fUndo.rend(); ++it) {
    if (it->first != fCurrent) continue;
    TComponentRecord record = std::move(it->second);
    fUndo.erase(std::next(it).base());
    fCurrent->Clear();
    fCurrent->SetRecord(record);
    AttachPage(fCurrent);
    for (TVisuComponent* c : fCurrent->Controls()) c->Self()->show();
    fCurrent->update();
    fBase = fCurrent->MakeRecord();
    BtnUndo->setEnabled(CanUndo());
    Modified();
    return;
  }
}

bool TFrVisuEntwurf::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) fGesture = false;
  return QWidget::eventFilter(watched, event);
}

// ---- dragging and dropping -----------------------------------------------------------------------

bool TFrVisuEntwurf::AcceptsDrag(QWidget* control, QWidget* source) const {
  if (!dynamic_cast<IVisuDesigner*>(control) || !source) return false;
  const bool channelTree = source == TVInputs || source == TVOutputs || source == TVClocks;
  if (dynamic_cast<IVisuStatus*>(control) || dynamic_cast<ITeleHandler*>(control)) return channelTree;
  if (dynamic_cast<INavigator*>(control)) return source == NavList;
  if (dynamic_cast<IIndexTeleHandler*>(control)) return channelTree || source == TVFlags;
  return false;
}

const TZYNBaseObject* TFrVisuEntwurf::DraggedObject(QWidget* source) const {
  auto* tree = qobject_cast<QTreeWidget*>(source);
  return tree ? ItemObject(tree->currentItem()) : nullptr;
}

void TFrVisuEntwurf::DropOn(QWidget* control, QWidget* source) {
  if (!GProjekt || !fCurrent || !AcceptsDrag(control, source)) return;
  TVisuProject& visu = GProjekt->VisuProject();
  if (auto* nav = dynamic_cast<INavigator*>(control); nav && source == NavList) {
    TVisuPage* target = visu.GetPage(NavList->currentRow());
    if (!target) return;
    nav->SetTarget(VisuPageTarget(*target));
    control->update();
    NoteChange(false);
    return;
  }
  const TZYNBaseObject* object = DraggedObject(source);
  if (!object) return;
  auto* connector = dynamic_cast<IDispatchConnector*>(control);
  auto* summary = dynamic_cast<IVisuSummary*>(control);
  auto* tele = dynamic_cast<ITeleHandler*>(control);
  auto* index = dynamic_cast<IIndexTeleHandler*>(control);
  TSteuermodul* stm = nullptr;
  TModul* modul = nullptr;
  const TKanal* channel = nullptr;
  TKanalArt kind = TKanalArt::kaUnknown;
  if (source == TVOutputs) {
    channel = GProjekt->FindAusgang(object->InternalName(), &stm, &modul);
    kind = TKanalArt::kaAusgang;
  } else if (source == TVInputs) {
    channel = GProjekt->FindEingang(object->InternalName(), &stm, &modul);
    kind = TKanalArt::kaEingang;
  } else if (source == TVClocks) {
    channel = GProjekt->FindUhr(object->InternalName(), &stm);  // no module: binds nothing
    kind = TKanalArt::kaUhr;
  }
  if ((connector || summary) && !index) {
    if (!stm || !modul || !channel) return;
    const int32_t m = modul->BusKey();
    const std::string name =
        VisuBindingName(TranslateText("STM.%2.2d.%s.%2.2d.%2.2d"), stm->Adresse(), modul->ModulKennung,
                        modul->Adresse(), channel->Adresse(), "", channel->DisplayName());
    if (connector)
      connector->SetBinding(stm->Adresse(), m, channel->Adresse(), kind, name);
    else
      summary->AddChannel(stm->Adresse(), m, channel->Adresse(), kind, name);
    control->update();
    NoteVisuChannel(visu.DispatcherList, stm->Adresse(), m, channel->Adresse(), kind, channel->InternalName(),
                    channel->DisplayName(), false);
    NoteChange(false);
    return;
  }
  if (tele) {
    if (source != TVInputs && source != TVOutputs) return;
    if (!stm || !modul || !channel) return;
    const bool input = source == TVInputs;
    TTeleType type = input ? TTeleType::vtEinEmu : TTeleType::vtAusTele;
    const int32_t value = input ? modul->EinShift : modul->AusShift;
    std::string suffix;
    TEABaseFunction* command = ChooseCommand ? ChooseCommand(*channel, suffix) : nullptr;
    if (!command) return;  // no command chosen: the drop is abandoned
    // The hint names the command as the user chose it (the stored old names of the shipped
    // command lists are in other languages).
    suffix = ":" + (Trim(command->DisplayName).empty() ? command->OldName : command->DisplayName);
    int32_t parameter = -1;
    uint8_t bytes[2] = {0, 0};
    if (EditParameter && EditParameter(*command, bytes)) {
      parameter = bytes[0] | (bytes[1] << 8);
      type = TTeleType::vtAusParaTele;
    }
    const int32_t m = modul->BusKey();
    tele->SetTelegram(type, stm->Adresse(), m, channel->Adresse(), static_cast<int16_t>(command->Command), value,
                      parameter);
    if (auto* c = dynamic_cast<TVisuComponent*>(control))
      c->SetHint(VisuBindingName(TranslateText("STM.%2.2d.%s.%2.2d.%2.2d%s"), stm->Adresse(), modul->ModulKennung,
                                 modul->Adresse(), channel->Adresse(), suffix, channel->DisplayName()));
    control->update();
    NoteVisuChannel(visu.DispatcherList, stm->Adresse(), m, channel->Adresse(),
                    input ? TKanalArt::kaEingang : TKanalArt::kaAusgang, channel->InternalName(),
                    channel->DisplayName(), true);
    NoteChange(false);
    return;
  }
  if (index) {
    if (auto* c = dynamic_cast<TVisuComponent*>(control); c && ShowIndexFunction) {
      const TComponentRecord before = fCurrent->MakeRecord();
      ShowIndexFunction(c, object);
      if (!(fCurrent->MakeRecord() == before)) NoteChange(false);
    }
  }
}

// ---- control menu ---------------------------------------------------------------------------------

void TFrVisuEntwurf::ShowProperties(TVisuComponent* control) {
  if (!fCurrent || !control) return;
  std::unique_ptr<TVisuPropertyDialog> dialog = MakeVisuPropertyDialog(control, this);
  if (!dialog) return;
  dialog->exec();
  dialog.reset();
  NoteChange(false);
}

void TFrVisuEntwurf::CenterControl(TVisuComponent* control) {
  if (!fCurrent || !control) return;
  QWidget* w = control->Self();
  QWidget* parent = w->parentWidget();
  auto* d = dynamic_cast<IVisuDesigner*>(w);
  if (!parent || !d || !dynamic_cast<TVisuFrameBase*>(w)) return;
  d->SetPosition((parent->width() - w->width()) / 2, (parent->height() - w->height()) / 2);
  NoteChange(false);
}

void TFrVisuEntwurf::DeleteControl(TVisuComponent* control) {
  if (!fCurrent || !control) return;
  // The control's index numbers stay taken: undo may bring it back.
  QWidget* w = control->Self();
  w->setParent(nullptr);
  delete w;
  fCurrent->update();
  NoteChange(false);
}

}  // namespace zyn
