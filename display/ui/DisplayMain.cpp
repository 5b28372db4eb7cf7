#include "display/ui/DisplayMain.h"

#include "model/ModelText.h"
#include "display/DispObjekt.h"
#include "display/DisplayProjekt.h"
#include "display/ui/Anzeige.h"
#include "display/ui/DesignerDialogs.h"
#include "display/ui/GrafikDialoge.h"
#include "display/ui/Grafikeditor.h"
#include "logic/core/LogicText.h"
#include "model/BasisDaten.h"
#include "model/GlobalRoutines.h"
#include "model/Kanal.h"
#include "model/Modul.h"
#include "model/ModulClass.h"
#include "model/ModulClassList.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "widgets/common/WidgetText.h"

#include <QComboBox>
#include <QDrag>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

namespace zyn {

TDisplay* GDisplayDesigner = nullptr;

namespace {


constexpr int kKindRole = Qt::UserRole;
constexpr int kPointerRole = Qt::UserRole + 1;
constexpr int kStateRole = Qt::UserRole + 2;
constexpr int kImageRole = Qt::UserRole + 3;

template <class T>
T* NodeObject(const QTreeWidgetItem* item) {
  return item ? reinterpret_cast<T*>(item->data(0, kPointerRole).value<quintptr>()) : nullptr;
}

// The tree pictures: 2 text, 3 text with screens, 4 screen, 5 display.
QIcon TreeIcon(int image, int state = 0) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(Qt::black);
  switch (image) {
    case 2:  // text: a page with lines
      p.setBrush(Qt::white);
      p.drawRect(3, 1, 10, 13);
      for (int y = 4; y <= 11; y += 3) p.drawLine(5, y, 11, y);
      break;
    case 3:  // text with screens: page with a small screen
      p.setBrush(Qt::white);
      p.drawRect(1, 1, 8, 11);
      p.drawLine(3, 4, 7, 4);
      p.drawLine(3, 7, 7, 7);
      p.setBrush(QColor(205, 205, 220));
      p.drawRect(7, 7, 8, 7);
      break;
    case 4:  // screen
      p.setBrush(QColor(205, 205, 220));
      p.drawRect(1, 2, 14, 10);
      p.drawLine(5, 14, 11, 14);
      break;
    default:  // display panel with keys
      p.setBrush(QColor(90, 90, 100));
      p.drawRect(0, 1, 15, 14);
      p.setBrush(QColor(205, 205, 220));
      p.drawRect(2, 3, 11, 7);
      for (int k = 0; k < 4; ++k) p.fillRect(2 + 3 * k, 12, 2, 2, Qt::white);
      break;
  }
  if (state) {
    const QColor c = state == 6 ? QColor(0, 160, 0) : state == 4 ? QColor(230, 180, 0) : QColor(200, 0, 0);
    p.setBrush(c);
    p.drawEllipse(9, 9, 6, 6);
  }
  return QIcon(pixmap);
}

QTreeWidgetItem* MakeNode(QTreeWidgetItem* parent, const QString& caption, int kind, const void* object, int image) {
  auto* item = new QTreeWidgetItem(parent, QStringList(caption));
  item->setData(0, kKindRole, kind);
  item->setData(0, kPointerRole, QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(object)));
  item->setData(0, kImageRole, image);
  item->setIcon(0, TreeIcon(image));
  return item;
}

// A tool button that starts a drag of the view when pressed with the left button, and reports
// right-button releases.
class TToolFilter : public QObject {
 public:
  TToolFilter(QObject* parent, std::function<void()> leftPress, std::function<void()> rightRelease)
      : QObject(parent), fLeft(std::move(leftPress)), fRight(std::move(rightRelease)) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        fLeft) {
      fLeft();
      return true;
    }
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton &&
        fRight)
      return true;
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton &&
        fRight) {
      fRight();
      return true;
    }
    return false;
  }

 private:
  std::function<void()> fLeft, fRight;
};

// The "Löschen" tool also takes objects dragged from the view.
class TDeleteButton : public QToolButton {
 public:
  std::function<void()> OnDropObject;
  TDeleteButton() { setAcceptDrops(true); }

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override {
    const QMimeData* m = event->mimeData();
    if (m->hasFormat(QString::fromLatin1(DesignerDragMime)) &&
        m->data(QString::fromLatin1(DesignerDragMime)).toInt() == static_cast<int>(TViewDrag::Move))
      event->acceptProposedAction();
  }
  void dropEvent(QDropEvent* event) override {
    event->acceptProposedAction();
    if (OnDropObject) OnDropObject();
  }
};

// Starts a drag of the designer's kind; the drag ends when it is dropped or given up.
void RunDrag(QWidget* source, TViewDrag kind) {
  auto* drag = new QDrag(source);
  auto* mime = new QMimeData;
  mime->setData(QString::fromLatin1(DesignerDragMime), QByteArray::number(static_cast<int>(kind)));
  drag->setMimeData(mime);
  drag->exec(Qt::CopyAction | Qt::MoveAction);
}

TDisplayItem* DisplayOptions() {
  if (!GOptionFile || !GOptionFile->Optionen().Display) return nullptr;
  return &GOptionFile->Optionen().Display->First();
}

}  // namespace

TDisplay::TDisplay(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Display"));
  setFocusPolicy(Qt::StrongFocus);
  GDisplayDesigner = this;
  auto* outer = new QHBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* splitter = new QSplitter;
  outer->addWidget(splitter);

  // --- fold panel ---
  Fold = new QTabWidget;
  auto* screens = new QWidget;
  auto* sl = new QVBoxLayout(screens);
  TVScreens = new QTreeWidget;
  TVScreens->setHeaderHidden(true);
  TVScreens->setContextMenuPolicy(Qt::CustomContextMenu);
  sl->addWidget(TVScreens);
  BAddScreen = new QPushButton(TranslatedText("Bildschirm hinzufügen"));
  BAddScreenOptions = new QPushButton(TranslatedText("Bildschirm hinzufügen mit Optionen"));
  BDeleteScreen = new QPushButton(TranslatedText("Bildschirm löschen"));
  BTextsWithoutScreens = new QToolButton;
  BTextsWithoutScreens->setText(TranslatedText("Textobjekte ohne Bildschirme anzeigen"));
  BTextsWithoutScreens->setCheckable(true);
  BNavigation = new QToolButton;
  BNavigation->setText(TranslatedText("Navigationsinformationen anzeigen"));
  BNavigation->setCheckable(true);
  for (QWidget* w :
       std::initializer_list<QWidget*>{BAddScreen, BAddScreenOptions, BDeleteScreen, BTextsWithoutScreens, BNavigation})
    sl->addWidget(w);
  BAddScreenOptions->setVisible(false);
  Fold->addTab(screens, TranslatedText("Bildschirme"));
  auto channelTree = [this](QTreeWidget*& tree, const char* caption) {
    tree = new QTreeWidget;
    tree->setHeaderHidden(true);
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    tree->setDragEnabled(false);
    Fold->addTab(tree, TranslatedText(caption));
    connect(tree, &QTreeWidget::itemPressed, this, [this](QTreeWidgetItem* item) { SelectDragChannel(item); });
    // The drag of a channel starts once the pressed mouse has moved a pixel.
    tree->viewport()->installEventFilter(this);
  };
  channelTree(TVInputs, "Eingänge");
  channelTree(TVOutputs, "Ausgänge");
  splitter->addWidget(Fold);

  // --- work area ---
  auto* work = new QWidget;
  auto* wl = new QVBoxLayout(work);
  wl->setContentsMargins(0, 0, 0, 0);
  LTitle = new QLabel;
  LTitle->setObjectName(QStringLiteral("LTitle"));
  wl->addWidget(LTitle);
  auto* tools = new QHBoxLayout;
  auto tool = [&](QToolButton*& b, const char* caption) {
    b = new QToolButton;
    b->setText(TranslatedText(caption));
    b->setToolTip(TranslatedText(caption));
    tools->addWidget(b);
  };
  tool(BText, "Text");
  tool(BVariable, "Variable");
  tool(BLine, "Linie");
  BLine->setCheckable(true);
  tool(BGrafik, "Grafik");
  tool(BButtons, "Buttons");
  auto* del = new TDeleteButton;
  BDelete = del;
  del->setText(TranslatedText("Löschen"));
  tools->addWidget(del);
  tool(BCursor, "Cursor");
  tool(BEditor, "Grafikeditor");
  CBZoom = new QComboBox;
  for (const char* z : {"50%", "100%", "150%", "200%"}) CBZoom->addItem(QString::fromLatin1(z));
  tools->addWidget(CBZoom);
  tools->addStretch();
  wl->addLayout(tools);

  auto* middle = new QHBoxLayout;
  ScrollBox = new QScrollArea;
  ScrollBox->setBackgroundRole(QPalette::Dark);
  View = new TView;
  ScrollBox->setWidget(View);
  middle->addWidget(ScrollBox, 1);
  EmuSide = new QWidget;
  auto* es = new QVBoxLayout(EmuSide);
  BUp = new QPushButton(QString::fromUtf8("\u25B2"));
  BDown = new QPushButton(QString::fromUtf8("\u25BC"));
  es->addStretch();
  es->addWidget(BUp);
  es->addWidget(BDown);
  es->addStretch();
  middle->addWidget(EmuSide);
  wl->addLayout(middle, 1);
  EmuBottom = new QWidget;
  EmuBottom->setMinimumHeight(32);
  for (int k = 0; k < 4; ++k) {
    BF[k] = new QPushButton(QStringLiteral("F %1").arg(k + 1), EmuBottom);
    const std::string name = "F" + std::to_string(k + 1);
    connect(BF[k], &QPushButton::clicked, this, [this, name] {
      if (fActive) View->PressFunctionKey(name);
    });
  }
  wl->addWidget(EmuBottom);
  EmuSide->setVisible(false);
  EmuBottom->setVisible(false);
  auto* status = new QHBoxLayout;
  for (auto*& s : Status) {
    s = new QLabel;
    s->setFrameShape(QFrame::Panel);
    s->setFrameShadow(QFrame::Sunken);
    status->addWidget(s, 1);
  }
  wl->addLayout(status);
  splitter->addWidget(work);
  splitter->setStretchFactor(1, 1);

  // --- wiring ---
  Verwaltung.OnChangeCurrScreen = [this] { CurrentScreenChanged(); };
  View->OnChangeKoord = [this](int x, int y) { ShowCoordinates(x, y); };
  View->OnChangeScreenObjects = [this] { RebuildScreenTree(); };
  View->OnEMUChangeScreen = [this](const std::string& target) { EmulatorJump(target); };
  View->LineToolDown = [this] { return BLine->isChecked(); };
  View->ReleaseLineTool = [this] { BLine->setChecked(false); };
  View->ReleaseTextTool = [this] { BText->setDown(false); };
  View->DraggedChannel = [this](std::string& name, TKanalTyp& kind) {
    name = EAText;
    kind = EADragItemType;
  };
  View->CopyDraggedBinding = [this](TVarVerbindung& link) { return CopyChannelBinding(link); };

  BText->installEventFilter(new TToolFilter(this, [this] { StartToolDrag(static_cast<int>(TViewDrag::Text)); }, {}));
  BVariable->installEventFilter(new TToolFilter(
      this, [this] { StartToolDrag(static_cast<int>(TViewDrag::Variable)); }, [this] { OpenZustandDialog(); }));
  BLine->installEventFilter(new TToolFilter(this, {}, [this] { OpenNewLineDialog(); }));
  connect(BGrafik, &QToolButton::clicked, this, &TDisplay::InsertGraphic);
  connect(BButtons, &QToolButton::clicked, this, &TDisplay::EditFunctionKeys);
  connect(BDelete, &QToolButton::clicked, this, &TDisplay::OpenDeleteDialog);
  del->OnDropObject = [this] {
    if (TBasis* o = View->Grabbed()) {
      if (!ConfirmMenuDeletion(this, *o)) return;
      View->DeleteObject(o);
      if (TDisplayObjekt* d = Verwaltung.CurrentDisplay()) {
        d->RebuildReferences();
        d->RebuildNavigation();
      }
      View->DrawScreen();
      RebuildScreenTree();
    }
  };
  connect(BCursor, &QToolButton::clicked, this, &TDisplay::ToggleEmulator);
  connect(BEditor, &QToolButton::clicked, this, &TDisplay::OpenGraphicEditor);
  connect(CBZoom, &QComboBox::activated, this, &TDisplay::SetZoomIndex);
  connect(BLine, &QToolButton::toggled, this, [this](bool on) {
    if (!on) View->AbandonLine();
  });
  connect(BUp, &QPushButton::clicked, this, [this] { View->StepEmulator(false); });
  connect(BDown, &QPushButton::clicked, this, [this] { View->StepEmulator(true); });
  connect(TVScreens, &QTreeWidget::currentItemChanged, this, [this] { ScreenSelectionChanged(); });
  connect(TVScreens, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    if (item && item->data(0, kKindRole).toInt() == nkScreen) Verwaltung.ChangeScreen(NodeObject<TBildschirm>(item));
  });
  connect(BAddScreen, &QPushButton::clicked, this, &TDisplay::AddScreenToSelected);
  connect(BAddScreenOptions, &QPushButton::clicked, this, &TDisplay::AddScreenWithOptions);
  connect(BDeleteScreen, &QPushButton::clicked, this, &TDisplay::DeleteSelectedScreen);
  connect(BTextsWithoutScreens, &QToolButton::toggled, this, [this] { RebuildScreenTree(); });
  connect(BNavigation, &QToolButton::toggled, this, [this] { RefreshStateImages(); });
  for (QTreeWidget* tree : {TVScreens, TVInputs, TVOutputs})
    connect(tree, &QTreeWidget::customContextMenuRequested, this, [this, tree](const QPoint& pos) {
      QMenu menu;
      menu.addAction(TranslatedText("Aufklappen"), [tree] {
        if (tree->currentItem()) tree->currentItem()->setExpanded(true);
      });
      menu.addAction(TranslatedText("Alles Auklappen"), [tree] { tree->expandAll(); });
      menu.addAction(TranslatedText("Alles Schliessen"), [tree] { tree->collapseAll(); });
      if (tree == TVScreens) {
        QAction* rename = menu.addAction(TranslatedText("Umbenennen"), [this] { RenameSelectedScreen(); });
        rename->setEnabled(tree->currentItem() && tree->currentItem()->data(0, kKindRole).toInt() == nkScreen);
      }
      menu.exec(tree->viewport()->mapToGlobal(pos));
    });
  SetToolsEnabled(false);
  // The position shows only while the mouse is over the view.
  for (QWidget* w : std::initializer_list<QWidget*>{Fold, ScrollBox->viewport(), EmuSide, EmuBottom, LTitle}) {
    w->setMouseTracking(true);
    w->installEventFilter(this);
  }
}

bool TDisplay::eventFilter(QObject* watched, QEvent* event) {
  const bool channelTree = watched == TVInputs->viewport() || watched == TVOutputs->viewport();
  if (channelTree && event->type() == QEvent::MouseButtonPress)
    fPressPoint = static_cast<QMouseEvent*>(event)->position().toPoint();
  if (channelTree && event->type() == QEvent::MouseMove) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if ((mouse->buttons() & Qt::LeftButton) && fDragChannel &&
        (mouse->position().toPoint() - fPressPoint).manhattanLength() >= 1) {
      RunDrag(this, TViewDrag::Channel);
      return true;
    }
  }
  if (event->type() == QEvent::MouseMove || event->type() == QEvent::DragMove) {
    Status[0]->clear();
    Status[1]->clear();
  }
  return QWidget::eventFilter(watched, event);
}

TDisplay::~TDisplay() {
  // A running text entry ends while the page and its screen still exist; then the view, which
  // outlives this frame's members, keeps no way back into them.
  View->SetScreen(nullptr, nullptr);
  View->OnChangeKoord = nullptr;
  View->OnChangeScreenObjects = nullptr;
  View->OnEMUChangeScreen = nullptr;
  View->LineToolDown = nullptr;
  View->ReleaseLineTool = nullptr;
  View->ReleaseTextTool = nullptr;
  View->DraggedChannel = nullptr;
  View->CopyDraggedBinding = nullptr;
  if (GDisplayDesigner == this) GDisplayDesigner = nullptr;
}

// ------------------------------------------------------------------------------------------------
// Page contract

void TDisplay::FrameActivate() {
  if (!GProjekt) return;
  TDisplayProjekt& project = GProjekt->DisplayProjekt();
  if (project.Count() == 0) {
    CBZoom->setCurrentIndex(-1);
    TVScreens->clear();
    TVInputs->clear();
    TVOutputs->clear();
    Verwaltung.ClearDisplay();
    View->SetScreen(nullptr, nullptr);
    View->setVisible(false);
    fActive = false;
    for (QLabel* s : Status) s->clear();
    LTitle->clear();
    SetToolsEnabled(false);
    return;
  }
  for (size_t i = 0; i < project.Count(); ++i) {
    TDisplayObjekt& display = project[i];
    if (const TDisplayItem* options = DisplayOptions()) {
      View->RasterOn = options->RasterOn;
      View->DisplayColor = DisplayColorFromOptions(options->DispColor, options->DispKontrast);
    }
    fActive = true;
    Verwaltung.SetDisplay(&display);
    SetToolsEnabled(true);
    CBZoom->setCurrentIndex(1);
    View->SetScale(3);
    View->setVisible(true);
    View->DrawScreen();
    RebuildScreenTree();
    RebuildChannelTrees();
  }
}

void TDisplay::FrameDeactivate() {
  View->EndTextEntry();
  View->AbandonLine();
  BLine->setChecked(false);
  // The project may be closed before the page comes back: keep no pointer into it.
  View->SetScreen(nullptr, nullptr);
  Verwaltung.ClearDisplay();
  fActive = false;
  TVScreens->clear();
  TVInputs->clear();
  TVOutputs->clear();
}

int TDisplay::AskApplyChanges() {
  if (!GProjekt) return 6;
  TDisplayProjekt& project = GProjekt->DisplayProjekt();
  bool modified = false;
  for (size_t i = 0; i < project.Count(); ++i)
    if (project[i].Modified) modified = true;
  if (modified) {
    GProjekt->Modified = true;
    for (size_t i = 0; i < project.Count(); ++i) project[i].Modified = false;
  }
  return 6;
}

void TDisplay::SetToolsEnabled(bool on) {
  for (QWidget* w : std::initializer_list<QWidget*>{BDelete, BText, BButtons, BGrafik, BVariable, BCursor, BLine,
                                                    BNavigation, CBZoom})
    w->setEnabled(on);
  BTextsWithoutScreens->setVisible(on);
  BNavigation->setVisible(on);
  if (!on) {
    BAddScreen->setEnabled(false);
    BDeleteScreen->setEnabled(false);
  }
}

// ------------------------------------------------------------------------------------------------
// Screens

void TDisplay::CurrentScreenChanged() {
  View->AbandonLine();
  BLine->setChecked(false);
  View->SetScreen(Verwaltung.CurrentDisplay(), Verwaltung.CurrentScreen());
  LTitle->setText(ToQString(ModelTranslate("Bildschirm:") + " " + Verwaltung.CurrentScreenName()));
  View->ResetEmulator();
  View->ShowSelection();
}

void TDisplay::EmulatorJump(const std::string& target) {
  TDisplayObjekt* display = Verwaltung.CurrentDisplay();
  TBildschirm* screen = display ? display->BildschirmReferenzTabelle.FindBildschirm(target) : nullptr;
  if (!screen) return;  // the target is gone: stay on this screen
  Verwaltung.SetCurrentScreen(screen);
  CurrentScreenChanged();
}

void TDisplay::AddScreenNodes(QTreeWidgetItem* parent, const TBildschirm& screen) {
  QTreeWidgetItem* node = MakeNode(parent, ToQString(screen.Name), nkScreen, &screen, 4);
  for (size_t o = 0; o < screen.Objekte.Count(); ++o) {
    const TBasis& object = screen.Objekte[o];
    const auto* text = dynamic_cast<const TText*>(&object);
    if (!text) continue;
    if (object.Unterbildschirme.Empty()) {
      if (BTextsWithoutScreens->isChecked()) MakeNode(node, ToQString(text->Text), nkText, text, 2);
      continue;
    }
    QTreeWidgetItem* textNode = MakeNode(node, ToQString(text->Text), nkText, text, 3);
    for (size_t i = 0; i < object.Unterbildschirme.Count(); ++i) AddScreenNodes(textNode, object.Unterbildschirme[i]);
  }
}

void TDisplay::RebuildScreenTree() {
  TVScreens->clear();
  TDisplayObjekt* display = Verwaltung.CurrentDisplay();
  if (!fActive || !display) return;
  auto* root = new QTreeWidgetItem(TVScreens, QStringList(ToQString(display->DisplayName)));
  root->setData(0, kKindRole, static_cast<int>(nkDisplay));
  root->setData(0, kPointerRole, QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(display)));
  root->setData(0, kImageRole, 5);
  root->setIcon(0, TreeIcon(5));
  for (size_t i = 0; i < display->Bildschirme.Count(); ++i) AddScreenNodes(root, display->Bildschirme[i]);
  TVScreens->expandAll();
  RefreshStateImages();
  ScreenSelectionChanged();
}

void TDisplay::RefreshStateImages() {
  TDisplayObjekt* display = Verwaltung.CurrentDisplay();
  const bool show = BNavigation->isChecked();
  for (QTreeWidgetItemIterator it(TVScreens); *it; ++it) {
    QTreeWidgetItem* item = *it;
    const int image = item->data(0, kImageRole).toInt();
    if (item->data(0, kKindRole).toInt() != nkScreen || !display) continue;
    int state = 0;
    if (show) {
      const auto* screen = NodeObject<TBildschirm>(item);
      const TNavObjekt* nav = display->NObserver.Find(screen->InternalName);
      bool hasJump = false;
      for (size_t k = 0; k < screen->DefaultButtons.Count(); ++k)
        if (screen->DefaultButtons[k].Funktion.Funktion == fkSprung) hasJump = true;
      for (size_t o = 0; o < screen->Objekte.Count(); ++o)
        for (size_t k = 0; k < screen->Objekte[o].Buttons.Count(); ++k)
          if (screen->Objekte[o].Buttons[k].Funktion.Funktion == fkSprung) hasJump = true;
      state = !hasJump ? 2 : (!nav || nav->Keys.empty()) ? 4 : 6;
    }
    item->setData(0, kStateRole, state);
    item->setIcon(0, TreeIcon(image, state));
  }
}

QTreeWidgetItem* TDisplay::SelectedScreenNode() const { return TVScreens->currentItem(); }

QTreeWidgetItem* TDisplay::FindScreenNode(const TBildschirm* screen) const {
  for (QTreeWidgetItemIterator it(TVScreens); *it; ++it)
    if ((*it)->data(0, kKindRole).toInt() == nkScreen && NodeObject<TBildschirm>(*it) == screen) return *it;
  return nullptr;
}

void TDisplay::ScreenSelectionChanged() {
  QTreeWidgetItem* item = SelectedScreenNode();
  const int kind = item ? item->data(0, kKindRole).toInt() : -1;
  TDisplayObjekt* display = Verwaltung.CurrentDisplay();
  const bool screen = kind == nkScreen && display && NodeObject<TBildschirm>(item) != display->StartBildschirm;
  const bool container = kind == nkDisplay || kind == nkText;
  BDeleteScreen->setEnabled(fActive && screen);
  BAddScreen->setEnabled(fActive && container);
  BAddScreenOptions->setVisible(fActive && container);
}

void TDisplay::AddScreenToSelected() {
  QTreeWidgetItem* item = SelectedScreenNode();
  TDisplayObjekt* display = Verwaltung.CurrentDisplay();
  if (!fActive || !item || !display) return;
  const int kind = item->data(0, kKindRole).toInt();
  TBildschirm* added = nullptr;
  if (kind == nkDisplay)
    added = Verwaltung.NewScreen(display->Bildschirme);
  else if (kind == nkText)
    added = Verwaltung.NewScreen(NodeObject<TText>(item)->Unterbildschirme);
  if (!added) return;
  RebuildScreenTree();
  View->DrawScreen();
}

void TDisplay::AddScreenWithOptions() {
  QTreeWidgetItem* item = SelectedScreenNode();
  TDisplayObjekt* display = Verwaltung.CurrentDisplay();
  if (!fActive || !item || !display) return;
  const int kind = item->data(0, kKindRole).toInt();
  if (kind != nkDisplay && kind != nkText) return;
  TNewScreenOptions dialog(Verwaltung, *display, kind == nkText ? NodeObject<TText>(item) : nullptr, this);
  if (dialog.exec() == QDialog::Accepted) RebuildScreenTree();
  View->Disarm();
}

void TDisplay::DeleteSelectedScreen() {
  QTreeWidgetItem* item = SelectedScreenNode();
  TDisplayObjekt* display = Verwaltung.CurrentDisplay();
  if (!fActive || !item || !display || item->data(0, kKindRole).toInt() != nkScreen) return;
  auto* screen = NodeObject<TBildschirm>(item);
  if (screen == display->StartBildschirm) return;
  const std::string question = ModelTranslate("Ausgewählten Bildschirm \"") + screen->Name + ModelTranslate("\" sowie alle") + " \r\n" +
                               ModelTranslate("zugehörigen Objekte und Bildschirme wirklich löschen?");
  if (MessageDlg(this, ToQString(question), TranslatedText("Bestätigung"), MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
  Verwaltung.DeleteScreen(screen);
  View->SetScreen(display, Verwaltung.CurrentScreen());
  RebuildScreenTree();
}

void TDisplay::RenameSelectedScreen() {
  QTreeWidgetItem* item = SelectedScreenNode();
  if (!item || item->data(0, kKindRole).toInt() != nkScreen) return;
  auto* screen = NodeObject<TBildschirm>(item);
  TFrmRenameScreen dialog(ToQString(screen->Name), this);
  if (dialog.exec() != QDialog::Accepted) return;
  screen->Name = FromQString(dialog.ENew->text());
  item->setText(0, dialog.ENew->text());
  if (TDisplayObjekt* d = Verwaltung.CurrentDisplay()) d->Modified = true;
  if (screen == Verwaltung.CurrentScreen()) LTitle->setText(ToQString(ModelTranslate("Bildschirm:") + " " + screen->Name));
}

// ------------------------------------------------------------------------------------------------
// Tools

void TDisplay::StartToolDrag(int kind) {
  if (!fActive) return;
  RunDrag(this, static_cast<TViewDrag>(kind));
}

void TDisplay::EditFunctionKeys() {
  TDisplayObjekt* display = Verwaltung.CurrentDisplay();
  if (!fActive || !display || !Verwaltung.CurrentScreen()) return;
  TEditButtons dialog(*display, *Verwaltung.CurrentScreen(), this);
  dialog.exec();
  View->Disarm();
  RefreshStateImages();
  View->DrawScreen();
}

void TDisplay::OpenDeleteDialog() {
  TDisplayObjekt* display = Verwaltung.CurrentDisplay();
  if (!fActive || !display) return;
  TDelObjects dialog(*View, this);
  dialog.exec();
  View->Disarm();
  display->RebuildReferences();
  display->RebuildNavigation();
  RebuildScreenTree();
}

void TDisplay::OpenZustandDialog() {
  TDisplayObjekt* display = Verwaltung.CurrentDisplay();
  if (!fActive || !display) return;
  TPEinstellungen dialog(*display, this);
  dialog.exec();
  View->Disarm();
  View->DrawScreen();
}

void TDisplay::OpenNewLineDialog() {
  TDisplayObjekt* display = Verwaltung.CurrentDisplay();
  TBildschirm* screen = Verwaltung.CurrentScreen();
  if (!fActive || !display || !screen) return;
  auto line = std::make_unique<TLine>();
  TDlgNewLine dialog(*line, this);
  if (dialog.exec() == QDialog::Accepted) {
    AppendObject(*display, *screen, ModelTranslate("Line"), std::move(line));
    View->DrawScreen();
  }
  View->Disarm();
}

bool TDisplay::PrepareGraphic(const std::string& fileName) {
  QImage image(QString::fromStdString(fileName));
  if (image.isNull()) {
    MessageDlg(this, TranslatedText("Grafik konnte nicht gelesen werden!") + QStringLiteral("\n") + QString::fromStdString(fileName),
               TranslatedText("Fehler"), MB_OK | MB_ICONERROR);
    return false;
  }
  if (image.height() > TextAreaHeight || image.width() > PanelWidth) {
    const QString text = TranslatedText("Das ausgewählte Bitmap überschreitet die maximal zulässige Grösse!") +
                         QStringLiteral("\n\r") + TranslatedText("Ausschnitt innerhalb der zul. Grösse (240 * 128) laden?");
    if (MessageDlg(this, text, TranslatedText("Hinweis"), MB_OKCANCEL | MB_ICONWARNING) != IDOK) return false;
    image = image.copy(0, 0, std::min(image.width(), PanelWidth), std::min(image.height(), TextAreaHeight));
  }
  if (image.depth() != 1) {
    MessageDlg(this, TranslatedText("Das ausgewählte Bitmap ist evtl. farbig, wird jedoch im zweifarbigen Modus geladen."),
               TranslatedText("Hinweis"), MB_OK | MB_ICONINFORMATION);
    image = image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
  }
  auto graphic = std::make_unique<TGrafik>();
  graphic->Bitmap.SetSize(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 128) graphic->Bitmap.SetPixel(x, y, TMonoBitmap::clBlack);
  graphic->Breite = static_cast<uint8_t>(image.width());
  graphic->Hoehe = static_cast<uint8_t>(image.height());
  View->SetPendingGraphic(std::move(graphic));
  return true;
}

void TDisplay::InsertGraphic() {
  if (!fActive) return;
  TLadenDialog dialog(this);
  dialog.setWindowTitle(TranslatedText("Grafik zum Einfügen auswählen"));
  FitTitle(&dialog);
  dialog.BOpen->setText(TranslatedText("&Einfügen"));
  if (dialog.exec() != QDialog::Accepted || dialog.ChosenFile().empty()) return;
  if (!PrepareGraphic(dialog.ChosenFile())) return;
  View->Disarm();
  RunDrag(this, TViewDrag::Grafik);
}

void TDisplay::ToggleEmulator() {
  fEmulatorShown = !fEmulatorShown;
  EmuSide->setVisible(fEmulatorShown);
  EmuBottom->setVisible(fEmulatorShown);
  if (fEmulatorShown) LayoutEmulatorKeys();
}

void TDisplay::OpenGraphicEditor() {
  if (!fEditor) fEditor = new TGraphicEditor(this);
  fEditor->setWindowFlag(Qt::Window);
  fEditor->show();
  fEditor->raise();
}

void TDisplay::LayoutEmulatorKeys() {
  const int fold = Fold->width();
  const int step = static_cast<int>(std::lround((EmuBottom->width() - fold) / 4.0));
  for (int k = 0; k < 4; ++k)
    BF[k]->move(std::max(0, std::min(fold + k * step, EmuBottom->width() - BF[k]->width()) - fold), 2);
}

void TDisplay::SetZoomIndex(int index) {
  if (!fActive || index < 0 || index > 3) return;
  View->SetScale(index + 2);
}

void TDisplay::ShowCoordinates(int x, int y) {
  if (!fActive) return;
  Status[0]->setText(ToQString(FormatNumbers(ModelTranslate("Aktuelle Position:  X: %3.0d  Y: %3.0d"), {x + 1, y + 1})));
  Status[1]->setText(ToQString(FormatNumbers(ModelTranslate("Zeile:  %3.0d , Spalte: %3.0d"), {y / 8, x / 6})));
}

// ------------------------------------------------------------------------------------------------
// Channels

void TDisplay::RebuildChannelTrees() {
  TVInputs->clear();
  TVOutputs->clear();
  if (!GProjekt) return;
  for (int s = 0; s < GProjekt->Steuermodule.Count(); ++s) {
    TSteuermodul* stm = GProjekt->Steuermodule.GetSteuermodul(s);
    for (QTreeWidget* tree : {TVInputs, TVOutputs}) {
      const bool inputs = tree == TVInputs;
      auto* root = new QTreeWidgetItem(tree, QStringList(ToQString(stm->DisplayName())));
      root->setData(0, kKindRole, static_cast<int>(nkStm));
      for (int m = 0; m < stm->Module.Count(); ++m) {
        TModul* modul = stm->Module.GetModul(m);
        modul->SetSteuermodul(stm);
        std::vector<TKanal*> channels;
        const int count = inputs ? modul->Eingaenge().Count() : modul->Ausgaenge().Count();
        for (int c = 0; c < count; ++c) {
          TKanal* channel = inputs ? static_cast<TKanal*>(modul->Eingaenge().GetItem(c))
                                   : static_cast<TKanal*>(modul->Ausgaenge().GetItem(c));
          channel->Modul = modul;
          channel->Steuermodul = stm;
          if (!channel->DisplayName().empty()) channels.push_back(channel);
        }
        if (channels.empty()) continue;
        const TModulClass* cls = GBasisDaten ? GBasisDaten->Katalog.FindClass(modul->ModulKlasse) : nullptr;
        const QString groupName = ToQString(cls ? cls->DisplayName : modul->ModulKlasse);
        QTreeWidgetItem* group = nullptr;
        for (int i = 0; i < root->childCount() && !group; ++i)
          if (root->child(i)->text(0) == groupName) group = root->child(i);
        if (!group) {
          group = new QTreeWidgetItem(root, QStringList(groupName));
          group->setData(0, kKindRole, static_cast<int>(nkGroup));
        }
        const std::string caption =
            FormatText(FormatNumbers("%s.%2.2d-%s", {modul->Adresse()}), {modul->ModulKennung, modul->DisplayName()});
        QTreeWidgetItem* modulNode = MakeNode(group, ToQString(caption), nkModul, modul, 4);
        for (TKanal* channel : channels) {
          QTreeWidgetItem* node = MakeNode(modulNode,
                                           ToQString(FormatChannelName(modul->ModulKennung, modul->Adresse(),
                                                                       channel->Adresse(), channel->DisplayName(), 2)),
                                           nkKanal, channel, 2);
          node->setData(0, kStateRole, inputs ? 0 : 1);
        }
      }
    }
  }
}

void TDisplay::SelectDragChannel(QTreeWidgetItem* item) {
  fDragChannel = nullptr;
  EAText.clear();
  EADragItemType = TKanalTyp::otNone;
  if (!item || item->data(0, kKindRole).toInt() != nkKanal) return;
  fDragChannel = NodeObject<TKanal>(item);
  EAText = fDragChannel->DisplayName().substr(0, 40);
  EADragItemType = dynamic_cast<TEingang*>(fDragChannel)   ? TKanalTyp::otEingang
                   : dynamic_cast<TAusgang*>(fDragChannel) ? TKanalTyp::otAusgang
                                                           : TKanalTyp::otNone;
}

bool TDisplay::CopyChannelBinding(TVarVerbindung& link) const {
  if (!fDragChannel || !fDragChannel->Modul) return false;
  const TKanal& c = *fDragChannel;
  const TModul& m = *c.Modul;
  link.ModulAdresse = m.Adresse();
  link.STMAdresse = c.Steuermodul ? c.Steuermodul->Adresse() : 0;
  link.BasisKlasse = m.BasisKlasse;
  link.Kanal = c.Adresse();
  link.KanalTyp = dynamic_cast<const TEingang*>(&c)   ? TKanalTyp::otEingang
                  : dynamic_cast<const TAusgang*>(&c) ? TKanalTyp::otAusgang
                                                      : TKanalTyp::otUnknown;
  link.KanalName = c.DisplayName();
  link.ModulInternalName = m.InternalName();
  link.KanalInternalName = c.InternalName();
  link.STMInternalName = c.Steuermodul ? c.Steuermodul->DisplayName() : std::string();
  link.ModulKennung = m.ModulKennung;
  link.EinShift = m.EinShift;
  link.AusShift = m.AusShift;
  return true;
}

// ------------------------------------------------------------------------------------------------
// Keys

void TDisplay::InsertSpecialChar() {
  const int code = ChooseSpecialCharacter(this);
  if (code >= 0 && View->TextEntryRunning()) View->InsertChar(static_cast<uint8_t>(code));
}

// While a text is being typed every key is the text's, also one that is a command elsewhere.
bool TDisplay::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && View && View->TextEntryRunning()) {
    event->accept();
    return true;
  }
  return QWidget::event(event);
}

void TDisplay::keyPressEvent(QKeyEvent* event) {
  if (!View->TextEntryRunning()) {
    QWidget::keyPressEvent(event);
    return;
  }
  event->accept();
  if (event->key() == Qt::Key_Backspace) {
    View->DeleteLastChar();
  } else if (event->key() == Qt::Key_S && event->modifiers() == Qt::ControlModifier) {
    InsertSpecialChar();
  } else {
    for (const QChar ch : event->text()) {
      const std::string ansi = FromQString(QString(ch));
      if (!ansi.empty()) View->InsertChar(static_cast<uint8_t>(ansi[0]));
    }
  }
}

void TDisplay::keyReleaseEvent(QKeyEvent* event) {
  if (View->TextEntryRunning() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    View->EndTextEntry();
    event->accept();
    return;
  }
  QWidget::keyReleaseEvent(event);
}

}  // namespace zyn
