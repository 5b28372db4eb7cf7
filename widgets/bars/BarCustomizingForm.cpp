#include "widgets/bars/BarCustomizingForm.h"

#include "platform/Colors.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarCustomizing.h"
#include "widgets/bars/BarCustomizingEditors.h"
#include "widgets/bars/BarEditItems.h"
#include "widgets/bars/BarHelp.h"
#include "widgets/bars/BarLayout.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarMdi.h"
#include "widgets/bars/BarScreen.h"
#include "widgets/bars/BarTexts.h"
#include "widgets/bars/BarToolbarControl.h"
#include "widgets/bars/BarUtils.h"
#include "widgets/bars/Bars.h"
#include "widgets/bars/Office11Colors.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QVBoxLayout>

#include <vector>

namespace zyn {

namespace CustomizingFormTexts {
const char* const Caption = "Customize";
const char* const ToolbarsPage = " Toolbars ";
const char* const CommandsPage = " Commands ";
const char* const OptionsPage = " Options ";
QString DeleteToolbar(const QString& caption) {
  return BarQText("Are you sure you want to delete the '%s' toolbar?", caption);
}
QString DuplicateToolbar(const QString& caption) {
  return BarQText("A toolbar named '%s' already exists. Type another name.", caption);
}
}  // namespace CustomizingFormTexts

namespace {

QPointer<TzbBarCustomizingForm> gForm;
// The windows the form disabled, enabled again when it goes.
std::vector<QPointer<QWidget>> gDisabled;

QString RemovePrefix(const QString& caption) {
  QString out;
  for (int i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&')) {
      if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) out += caption[++i];
      continue;
    }
    out += caption[i];
  }
  return out;
}

QColor C(TColor c) { return ToQColor(ColorToRGB(c)); }

enum TFormLook { flStandard, flFlat, flOffice11, flXP };

TFormLook LookOf(const TzbBarManager& m) {
  switch (m.GetRealStyle()) {
    case bmsXP:
      return m.ThemesUsable() ? flXP : flStandard;
    case bmsOffice11:
      return flOffice11;
    case bmsFlat:
      return flFlat;
    default:
      return flStandard;
  }
}

QImage GlyphOf(const TzbBarItem& item) {
  if (auto* b = dynamic_cast<const TzbBarButton*>(&item)) return b->Glyph();
  return item.Glyph();
}

class TCommandDelegate : public QStyledItemDelegate {
 public:
  TCommandDelegate(TzbBarManager& m, TzbCommandsListBox* list) : QStyledItemDelegate(list), fManager(&m), fList(list) {}
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    TzbBarItem* item = fList->ItemAt(index.row());
    if (!item) return;
    DrawCommandEntry(*p, option.rect, *fManager, *item, option.state & QStyle::State_Selected,
                     option.state & QStyle::State_HasFocus);
  }
  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return QSize(100, TzbCommandsListBox::EntryHeight);
  }

 private:
  TzbBarManager* fManager;
  TzbCommandsListBox* fList;
};

}  // namespace

// ---------------------------------------------------------------- command entries

void DrawCommandEntry(QPainter& p, const QRect& r, const TzbBarManager& m, const TzbBarItem& item, bool selected,
                      bool focused) {
  const TFormLook look = LookOf(m);
  const TOffice11Colors& o11 = Office11Colors();
  QColor back, text;
  switch (look) {
    case flFlat:
      back = selected ? C(MixColors(ColorToRGB(clHighlight), ColorToRGB(clWindow), 30)) : C(clWindow);
      text = C(clBtnText);
      break;
    case flOffice11:
      back = selected ? C(o11.Office11SelectedColor) : C(o11.Office11MenuColor);
      text = C(o11.Office11TextColor);
      break;
    default:
      back = selected ? C(clHighlight) : C(clBtnFace);
      text = selected ? C(clHighlightText) : C(clBtnText);
      break;
  }
  const QColor unselected = look == flFlat ? C(clWindow) : look == flOffice11 ? C(o11.Office11MenuColor) : C(clBtnFace);
  p.save();
  p.fillRect(r, back);
  const QImage glyph = GlyphOf(item);
  const bool isEdit = dynamic_cast<const TzbBarEdit*>(&item) != nullptr;
  const int glyphWidth = look == flFlat || look == flOffice11 ? r.height() : 23;
  const QRect glyphArea(r.left(), r.top(), glyphWidth, r.height());
  if (!isEdit) {
    if (look == flOffice11 && !selected) {
      QLinearGradient g(glyphArea.topLeft(), glyphArea.topRight());
      g.setColorAt(0, C(o11.Office11ToolbarColor1));
      g.setColorAt(1, C(o11.Office11ToolbarColor2));
      p.fillRect(glyphArea, g);
    } else if (look == flFlat && !selected) {
      p.fillRect(glyphArea, C(clBtnFace));
    } else {
      p.fillRect(glyphArea, selected && glyph.isNull() ? back : unselected);
      if (look == flStandard || look == flXP) p.fillRect(QRect(glyphArea.right(), r.top(), 1, r.height()), back);
    }
    if (!glyph.isNull()) {
      // The glyph's background colour (its lower left pixel) stays transparent, as on the bars.
      QImage shown = glyph.convertToFormat(QImage::Format_ARGB32);
      const QRgb key = shown.pixel(0, shown.height() - 1);
      for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
          if (shown.pixel(x, y) == key) shown.setPixel(x, y, qRgba(0, 0, 0, 0));
      p.drawImage(glyphArea.left() + (glyphArea.width() - shown.width()) / 2,
                  glyphArea.top() + (glyphArea.height() - shown.height()) / 2, shown);
      if (selected && (look == flStandard || look == flXP)) {
        p.setPen(C(clBtnHighlight));
        p.drawLine(glyphArea.left(), glyphArea.top(), glyphArea.right() - 1, glyphArea.top());
        p.drawLine(glyphArea.left(), glyphArea.top(), glyphArea.left(), glyphArea.bottom());
        p.setPen(C(clBtnShadow));
        p.drawLine(glyphArea.left(), glyphArea.bottom(), glyphArea.right() - 1, glyphArea.bottom());
        p.drawLine(glyphArea.right() - 1, glyphArea.top(), glyphArea.right() - 1, glyphArea.bottom());
      }
    }
  }
  QString caption = RemovePrefix(ToQString(item.Caption()));
  p.setFont(m.BarFont());
  p.setPen(text);
  const QFontMetrics fm(p.font());
  if (isEdit) {
    // The caption, then an edit box (with a button for combos).
    const int indent = look == flOffice11 ? 10 : look == flFlat ? 5 : 2;
    const int captionWidth = fm.horizontalAdvance(caption) + (look == flOffice11 ? 16 : look == flFlat ? 11 : 3);
    p.drawText(QRect(r.left() + indent, r.top(), captionWidth, r.height()), Qt::AlignVCenter | Qt::AlignLeft, caption);
    QRect box(r.left() + captionWidth + 4, r.top() + 2, r.right() - r.left() - captionWidth - 8, r.height() - 4);
    p.fillRect(box, C(clWindow));
    p.setPen(look == flFlat || look == flOffice11 ? C(clBtnShadow) : C(clBtnShadow));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    if (dynamic_cast<const TzbBarCombo*>(&item)) {
      const QRect button(box.right() - 12, box.top() + 1, 12, box.height() - 2);
      p.fillRect(button, C(clBtnFace));
      p.setPen(C(clBtnText));
      p.setBrush(C(clBtnText));
      const int cx = button.center().x(), cy = button.center().y();
      p.drawPolygon(QPolygon({QPoint(cx - 2, cy - 1), QPoint(cx + 2, cy - 1), QPoint(cx, cy + 1)}));
    }
  } else {
    if (auto* c = dynamic_cast<const TCustomzbBarContainerItem*>(&item); c && c->HasFixedBeginGroup())
      caption = QLatin1Char('(') + caption + QLatin1Char(')');
    const int textLeft = look == flFlat || look == flOffice11 ? glyphWidth + 6 : 26;
    p.drawText(QRect(r.left() + textLeft, r.top(), r.width() - textLeft - 12, r.height()),
               Qt::AlignVCenter | Qt::AlignLeft, caption);
    const bool subItem = dynamic_cast<const TCustomzbBarSubItem*>(&item) != nullptr;
    const auto* button = dynamic_cast<const TzbBarButton*>(&item);
    if (subItem || (button && button->ButtonStyle() == bsDropDown)) {
      // A triangle pointing right: the entry opens a menu.
      const int x = r.right() + 1 - 9, y = r.top() + 7;
      p.setPen(Qt::NoPen);
      p.setBrush(text);
      p.drawPolygon(QPolygon({QPoint(x, y), QPoint(x, y + 7), QPoint(x + 4, y + 3)}));
    }
  }
  if (selected && (look == flFlat || look == flOffice11)) {
    p.setPen(look == flOffice11 ? C(o11.Office11SelectedBorderColor) : C(clHighlight));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
  }
  if (focused && look == flStandard) {
    QPen pen(C(clBtnText));
    pen.setStyle(Qt::DotLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(2, 2, -3, -3));
  }
  p.restore();
}

// ---------------------------------------------------------------- the command list

TzbCommandsListBox::TzbCommandsListBox(TzbBarManager& manager, QWidget* parent)
    : QListWidget(parent), fManager(&manager) {
  setItemDelegate(new TCommandDelegate(manager, this));
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  QPalette pal = palette();
  pal.setColor(QPalette::Base, C(manager.GetRealStyle() == bmsFlat ? clWindow : clBtnFace));
  setPalette(pal);
}

TzbBarItem* TzbCommandsListBox::ItemAt(int row) const {
  QListWidgetItem* entry = item(row);
  if (!entry) return nullptr;
  auto* found = reinterpret_cast<TzbBarItem*>(entry->data(Qt::UserRole).value<quintptr>());
  return fManager->IndexOfItem(found) >= 0 ? found : nullptr;
}

void TzbCommandsListBox::mousePressEvent(QMouseEvent* e) {
  QListWidget::mousePressEvent(e);
  fPressed = e->button() == Qt::LeftButton && itemAt(e->position().toPoint());
  fDown = e->position().toPoint();
}

void TzbCommandsListBox::mouseMoveEvent(QMouseEvent* e) {
  if (!fPressed || !(e->buttons() & Qt::LeftButton)) return;
  if ((e->position().toPoint() - fDown).manhattanLength() < QApplication::startDragDistance()) return;
  fPressed = false;
  TzbBarItem* item = ItemAt(currentRow());
  if (!item) return;
  const QPoint global = e->globalPosition().toPoint();
  if (TzbBarDragAndDrop* drag = TzbBarDragAndDrop::Begin(*fManager, item, nullptr, FromQPoint(global)))
    drag->MoveTo(FromQPoint(global));
}

void TzbCommandsListBox::focusInEvent(QFocusEvent* e) {
  QListWidget::focusInEvent(e);
  // Focused with nothing selected: the first command.
  if (currentRow() < 0 && count() > 0) setCurrentRow(0);
}

void TzbCommandsListBox::mouseReleaseEvent(QMouseEvent* e) {
  fPressed = false;
  QListWidget::mouseReleaseEvent(e);
}

// ---------------------------------------------------------------- the form

TzbBarCustomizingForm::TzbBarCustomizingForm(TzbBarManager& manager, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      fManager(&manager) {
  setObjectName(QStringLiteral("zbBarCustomizingForm"));
  setWindowTitle(BarQText(CustomizingFormTexts::Caption));
  setAttribute(Qt::WA_DeleteOnClose, false);
  QFont f = manager.Font;
  setFont(f);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 8, 6, 0);
  layout->setSpacing(0);
  Pages = new QTabWidget(this);
  layout->addWidget(Pages, 1);
  BuildToolbarsPage();
  BuildCommandsPage();
  BuildOptionsPage();
  auto* bottom = new QWidget(this);
  bottom->setFixedHeight(36);
  auto* bl = new QHBoxLayout(bottom);
  bl->setContentsMargins(0, 6, 0, 6);
  Help = new QPushButton(QStringLiteral("?"), bottom);
  Help->setFixedSize(24, 23);
  RefreshHelpButton();
  bl->addWidget(Help);
  bl->addStretch(1);
  Close = new QPushButton(BarQText("Close"), bottom);
  Close->setDefault(true);
  Close->setFixedWidth(QFontMetrics(manager.Font).horizontalAdvance(BarQText("Close")) + 49);
  bl->addWidget(Close);
  layout->addWidget(bottom);
  connect(Close, &QPushButton::clicked, this, [this] { close(); });
  connect(Help, &QPushButton::clicked, this, [this] { HelpClicked(); });
  setFixedSize(366, 310);
  if (QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
  RefreshBars();
  RefreshOptions();
}

TzbBarCustomizingForm::~TzbBarCustomizingForm() = default;

void TzbBarCustomizingForm::RefreshHelpButton() { Help->setVisible(fManager->ShowHelpButton); }

void TzbBarCustomizingForm::HelpClicked() {
  TzbBarManager& m = *fManager;
  if (m.OnHelpButtonClick) m.OnHelpButtonClick(m);
  // The handler may have ended the customizing mode: the form is then on its way out.
  if (!TzbBarManagerList::Contains(&m) || CustomizingForm() != this) return;
  ShowCustomizingHelp(m, Help->mapToGlobal(QPoint(Help->width() / 2, Help->height())));
}

void TzbBarCustomizingForm::BuildToolbarsPage() {
  auto* page = new QWidget;
  auto* label = new QLabel(BarQText("Toolb&ars:"), page);
  label->move(4, 4);
  BarList = new QListWidget(page);
  BarList->setGeometry(4, 20, 227, 213);
  label->setBuddy(BarList);
  auto makeButton = [page](const QString& caption, int y) {
    auto* b = new QPushButton(caption, page);
    b->setGeometry(239, y, 104, 22);
    return b;
  };
  BarNew = makeButton(BarQText("&New..."), 21);
  BarRename = makeButton(BarQText("R&ename..."), 50);
  BarDelete = makeButton(BarQText("&Delete"), 79);
  BarReset = makeButton(BarQText("&Reset..."), 108);
  BarReset->setVisible(fManager->CanReset());
  connect(BarNew, &QPushButton::clicked, this, [this] { NewToolbar(); });
  connect(BarRename, &QPushButton::clicked, this, [this] { RenameToolbar(); });
  connect(BarDelete, &QPushButton::clicked, this, [this] { DeleteToolbar(); });
  connect(BarReset, &QPushButton::clicked, this, [this] { ResetToolbar(); });
  connect(BarList, &QListWidget::currentRowChanged, this, [this](int) { UpdateBarButtons(); });
  connect(BarList, &QListWidget::itemChanged, this, [this](QListWidgetItem* entry) {
    if (fUpdating) return;
    ToggleBar(BarList->row(entry));
  });
  connect(BarList, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* entry) {
    const int row = BarList->row(entry);
    fUpdating = true;
    entry->setCheckState(entry->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    fUpdating = false;
    ToggleBar(row);
  });
  Pages->addTab(page, BarQText(CustomizingFormTexts::ToolbarsPage));
}

void TzbBarCustomizingForm::BuildCommandsPage() {
  auto* page = new QWidget;
  auto* catLabel = new QLabel(BarQText("Cate&gories:"), page);
  catLabel->move(6, 8);
  auto* cmdLabel = new QLabel(BarQText("Comman&ds:"), page);
  cmdLabel->move(148, 8);
  Categories = new QListWidget(page);
  Categories->setGeometry(4, 25, 135, 170);
  catLabel->setBuddy(Categories);
  Commands = new TzbCommandsListBox(*fManager, page);
  Commands->setGeometry(145, 25, 194, 170);
  cmdLabel->setBuddy(Commands);
  auto* descLabel = new QLabel(BarQText("Description  "), page);
  descLabel->move(6, 200);
  auto* bevel = new QFrame(page);
  bevel->setFrameShape(QFrame::HLine);
  bevel->setFrameShadow(QFrame::Sunken);
  bevel->setGeometry(6 + descLabel->sizeHint().width(), 206, 335 - descLabel->sizeHint().width(), 2);
  Description = new QLabel(page);
  Description->setWordWrap(true);
  Description->setGeometry(6, 216, 335, 40);
  Description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  connect(Categories, &QListWidget::currentRowChanged, this, [this](int) { CategoryChanged(); });
  connect(Commands, &QListWidget::currentRowChanged, this, [this](int) { CommandChanged(); });
  for (int i = 0; i < fManager->Categories().Count(); ++i) {
    if (!fManager->GetCategoryVisible(i)) continue;
    auto* entry = new QListWidgetItem(ToQString(fManager->Categories().Strings(i)), Categories);
    entry->setData(Qt::UserRole, i);
  }
  if (Categories->count() > 0) Categories->setCurrentRow(0);
  Pages->addTab(page, BarQText(CustomizingFormTexts::CommandsPage));
}

void TzbBarCustomizingForm::BuildOptionsPage() {
  auto* page = new QWidget;
  fStandardOptions = fManager->GetRealStyle() == bmsStandard;
  auto box = [page](const QString& caption, int x, int y) {
    auto* c = new QCheckBox(caption, page);
    c->move(x, y);
    return c;
  };
  auto heading = [page](const QString& caption, int y) {
    auto* l = new QLabel(caption, page);
    l->move(8, y);
    auto* bevel = new QFrame(page);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    const int x = 8 + l->sizeHint().width();
    bevel->setGeometry(x, y + 7, 340 - x, 2);
  };
  int animY;
  if (fStandardOptions) {
    LargeIcons = box(BarQText("&Large icons"), 8, 38);
    ShowHints = box(BarQText("Show Tool&Tips on toolbars"), 8, 63);
    ShortCutsInHints = box(BarQText("Show s&hortcut keys in ToolTips"), 8, 85);
    animY = 148;
  } else {
    heading(BarQText("Personalized Menus and Toolbars  "), 8);
    RecentFirst = box(BarQText("Me&nus show recently used commands first"), 16, 32);
    FullMenusAfterDelay = box(BarQText("Show f&ull menus after a short delay"), 32, 52);
    ResetUsage = new QPushButton(BarQText("&Reset my usage data"), page);
    ResetUsage->move(16, 76);
    ResetUsage->setFixedWidth(QFontMetrics(font()).horizontalAdvance(BarQText("&Reset my usage data").remove(QLatin1Char('&'))) +
                              17);
    heading(BarQText("Other  "), 116);
    LargeIcons = box(BarQText("&Large icons"), 16, 132);
    ShowHints = box(BarQText("Show Tool&Tips on toolbars"), 16, 152);
    ShortCutsInHints = box(BarQText("Show s&hortcut keys in ToolTips"), 32, 172);
    animY = 196;
  }
  auto* animLabel = new QLabel(BarQText("&Menu animations:"), page);
  animLabel->move(16, animY + 3);
  Animations = new QComboBox(page);
  Animations->addItems({BarQText("(None)"), BarQText("Random"), BarQText("Unfold"),
                        BarQText("Slide"), BarQText("Fade")});
  int widest = 0;
  for (int i = 0; i < Animations->count(); ++i)
    widest = std::max(widest, QFontMetrics(font()).horizontalAdvance(Animations->itemText(i)));
  Animations->setFixedWidth(widest + 54);
  Animations->move(std::max(130, 16 + animLabel->sizeHint().width() + 10), animY);
  animLabel->setBuddy(Animations);
  auto bind = [this](QCheckBox* c, auto apply) {
    if (!c) return;
    connect(c, &QCheckBox::toggled, this, [this, apply](bool on) {
      if (fUpdating) return;
      apply(on);
      RefreshOptions();
    });
  };
  TzbBarManager* m = fManager;
  bind(RecentFirst, [m](bool on) {
    m->MenusShowRecentItemsFirst = on;
    m->DesignerModified();
  });
  bind(FullMenusAfterDelay, [m](bool on) {
    m->ShowFullMenusAfterDelay = on;
    m->DesignerModified();
  });
  bind(LargeIcons, [m](bool on) { m->SetLargeIcons(on); });
  bind(ShowHints, [m](bool on) {
    m->ShowHint = on;
    m->DesignerModified();
  });
  bind(ShortCutsInHints, [m](bool on) {
    m->ShowShortCutInHint = on;
    m->DesignerModified();
  });
  if (ResetUsage) connect(ResetUsage, &QPushButton::clicked, this, [m] { m->ResetUsageData(); });
  connect(Animations, &QComboBox::currentIndexChanged, this, [this, m](int index) {
    if (fUpdating || index < 0) return;
    m->MenuAnimations = static_cast<TzbBarMenuAnimations>(index);
    m->DesignerModified();
  });
  Pages->addTab(page, BarQText(CustomizingFormTexts::OptionsPage));
}

void TzbBarCustomizingForm::RefreshOptions() {
  fUpdating = true;
  TzbBarManager& m = *fManager;
  if (RecentFirst) RecentFirst->setChecked(m.MenusShowRecentItemsFirst);
  if (FullMenusAfterDelay) {
    FullMenusAfterDelay->setChecked(m.ShowFullMenusAfterDelay);
    FullMenusAfterDelay->setEnabled(m.MenusShowRecentItemsFirst);
  }
  LargeIcons->setChecked(m.LargeIcons());
  ShowHints->setChecked(m.ShowHint);
  ShortCutsInHints->setChecked(m.ShowShortCutInHint);
  if (!fStandardOptions) ShortCutsInHints->setEnabled(m.ShowHint);
  Animations->setCurrentIndex(static_cast<int>(m.MenuAnimations));
  fUpdating = false;
}

void TzbBarCustomizingForm::RefreshBars() {
  TzbBar* keep = SelectedBar();
  fUpdating = true;
  BarList->clear();
  int select = -1;
  for (int i = 0; i < fManager->Bars().Count(); ++i) {
    TzbBar* bar = fManager->Bars().Items(i);
    if (bar->Hidden) continue;
    auto* entry = new QListWidgetItem(ToQString(bar->Caption()), BarList);
    entry->setData(Qt::UserRole, QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(bar)));
    entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    entry->setCheckState(bar->Visible() ? Qt::Checked : Qt::Unchecked);
    if (!bar->CanBeListed()) entry->setForeground(C(clGrayText));
    if (bar == keep || (!keep && select < 0 && bar->Visible())) select = BarList->count() - 1;
  }
  fUpdating = false;
  BarList->setCurrentRow(select);
  UpdateBarButtons();
}

void TzbBarCustomizingForm::BarChanged(TzbBar* bar) {
  for (int row = 0; row < BarList->count(); ++row) {
    QListWidgetItem* entry = BarList->item(row);
    if (entry->data(Qt::UserRole).value<quintptr>() != reinterpret_cast<quintptr>(bar)) continue;
    fUpdating = true;
    entry->setText(ToQString(bar->Caption()));
    entry->setCheckState(bar->Visible() ? Qt::Checked : Qt::Unchecked);
    fUpdating = false;
  }
  UpdateBarButtons();
}

TzbBar* TzbBarCustomizingForm::SelectedBar() const {
  QListWidgetItem* entry = BarList ? BarList->currentItem() : nullptr;
  if (!entry) return nullptr;
  auto* bar = reinterpret_cast<TzbBar*>(entry->data(Qt::UserRole).value<quintptr>());
  return fManager->Bars().IndexOf(bar) >= 0 ? bar : nullptr;
}

bool TzbBarCustomizingForm::BarCameWithForm(const TzbBar& bar) const {
  const TzbBarLayoutStore* design = fManager->DesignState();
  if (!design) return false;
  const std::optional<std::string> count = design->Read({}, "BarCount");
  if (!count) return false;
  try {
    return bar.Index() < std::stoi(*count);
  } catch (...) {
    return false;
  }
}

void TzbBarCustomizingForm::UpdateBarButtons() {
  TzbBar* bar = SelectedBar();
  const bool userBar = bar && (fManager->Designing || !BarCameWithForm(*bar));
  BarRename->setEnabled(userBar);
  BarDelete->setEnabled(userBar && (fManager->Designing || bar->CanBeListed()));
  BarReset->setEnabled(bar && BarCameWithForm(*bar) && bar->AllowReset);
}

void TzbBarCustomizingForm::ToggleBar(int row) {
  QListWidgetItem* entry = BarList->item(row);
  if (!entry) return;
  auto* bar = reinterpret_cast<TzbBar*>(entry->data(Qt::UserRole).value<quintptr>());
  if (fManager->Bars().IndexOf(bar) < 0) return;
  if (!bar->CanBeListed()) {
    ++Beeps;
    QApplication::beep();
  } else {
    bar->SetVisible(!bar->Visible());
  }
  fUpdating = true;
  entry->setCheckState(bar->Visible() ? Qt::Checked : Qt::Unchecked);
  fUpdating = false;
}

std::string TzbBarCustomizingForm::ProposedToolbarName() const {
  for (int n = 1;; ++n) {
    const std::string name = BarText("Custom ") + std::to_string(n);
    if (!fManager->BarByName(name)) return name;
  }
}

void TzbBarCustomizingForm::NewToolbar() {
  std::string name = ProposedToolbarName();
  if (!ShowNameEditor(name, 0, 0, *fManager, nullptr)) return;
  TzbBar* bar = fManager->Bars().Add();
  bar->SetCaption(name);
  // Floating left of the form, or right of it when the left would leave the work area.
  const QRect frame = frameGeometry();
  const TRect area = GetMonitorWorkArea(frame.topLeft());
  int left = frame.left() - 50;
  if (left < area.Left) left = frame.right() + 10;
  int top = frame.top();
  if (top < area.Top) top = area.Top + 10;
  bar->FloatLeft = left;
  bar->FloatTop = top;
  bar->SetDockingStyle(dsNone);
  bar->SetVisible(true);
  RefreshBars();
  for (int row = 0; row < BarList->count(); ++row)
    if (BarList->item(row)->data(Qt::UserRole).value<quintptr>() == reinterpret_cast<quintptr>(bar))
      BarList->setCurrentRow(row);
}

void TzbBarCustomizingForm::RenameToolbar() {
  TzbBar* bar = SelectedBar();
  if (!bar) return;
  std::string name = bar->Caption();
  if (!ShowNameEditor(name, 0, 1, *fManager, bar)) return;
  bar->SetCaption(name);
  BarChanged(bar);
}

void TzbBarCustomizingForm::DeleteToolbar() {
  TzbBar* bar = SelectedBar();
  if (!bar) return;
  const int row = BarList->currentRow();
  if (MessageDlg(this, CustomizingFormTexts::DeleteToolbar(BarList->currentItem()->text()),
                 QApplication::applicationName(), MB_OKCANCEL | MB_ICONWARNING) != IDOK)
    return;
  fUpdating = true;
  delete BarList->takeItem(row);
  fUpdating = false;
  fManager->Bars().Delete(bar);
  BarList->setCurrentRow(std::min(row, BarList->count() - 1));
  UpdateBarButtons();
}

void TzbBarCustomizingForm::ResetToolbar() {
  if (TzbBar* bar = SelectedBar()) {
    bar->ResetWithConfirmation();
    BarChanged(bar);
  }
}

void TzbBarCustomizingForm::CategoryChanged() {
  QListWidgetItem* entry = Categories->currentItem();
  fUpdating = true;
  Commands->clear();
  if (entry) {
    std::vector<TzbBarItem*> items;
    fManager->GetCustomizingItemsByCategory(entry->data(Qt::UserRole).toInt(), items);
    for (TzbBarItem* item : items) {
      auto* e = new QListWidgetItem(RemovePrefix(ToQString(item->Caption())), Commands);
      e->setData(Qt::UserRole, QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(item)));
    }
  }
  fUpdating = false;
  Description->clear();
}

void TzbBarCustomizingForm::CommandChanged() {
  if (fUpdating) return;
  SetCustomizingSelectedLink(nullptr);
  TzbBarItem* item = Commands->ItemAt(Commands->currentRow());
  Description->setText(item ? ToQString(item->Description()) : QString());
}

void TzbBarCustomizingForm::RefreshCommands() {
  const int row = Commands->currentRow();
  CategoryChanged();
  if (Commands->count() > 0) Commands->setCurrentRow(std::min(std::max(row, 0), Commands->count() - 1));
}

void TzbBarCustomizingForm::SelectItem(TzbBarItem* item) {
  if (!item) return;
  for (int row = 0; row < Categories->count(); ++row)
    if (Categories->item(row)->data(Qt::UserRole).toInt() == item->Category()) Categories->setCurrentRow(row);
  for (int row = 0; row < Commands->count(); ++row)
    if (Commands->ItemAt(row) == item) Commands->setCurrentRow(row);
}

// The customized form's companion: the customizing form hides while its form is hidden or
// minimized and comes back, without taking the activation, when the form is shown again.
class TzbBarCustomizingForm::TFormCompanion : public QObject {
 public:
  explicit TFormCompanion(TzbBarCustomizingForm& form) : QObject(&form), fForm(&form) {}
  bool HiddenWithForm = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    auto* form = qobject_cast<QWidget*>(watched);
    if (!form) return false;
    switch (e->type()) {
      case QEvent::Hide:
        Follow(false);
        break;
      case QEvent::Show:
        if (!form->isMinimized()) Follow(true);
        break;
      case QEvent::WindowStateChange:
        Follow(!form->isMinimized() && form->isVisible());
        break;
      default:
        break;
    }
    return false;
  }

 private:
  void Follow(bool shown) {
    if (!shown && fForm->isVisible()) {
      HiddenWithForm = true;
      fForm->hide();
    } else if (shown && HiddenWithForm) {
      HiddenWithForm = false;
      fForm->setAttribute(Qt::WA_ShowWithoutActivating, true);
      fForm->show();
      fForm->setAttribute(Qt::WA_ShowWithoutActivating, false);
    }
  }
  TzbBarCustomizingForm* fForm;
};

void TzbBarCustomizingForm::WatchForm() {
  QWidget* form = fManager->Form();
  if (!form) return;
  fCompanion = new TFormCompanion(*this);
  form->installEventFilter(fCompanion);
}

void TzbBarCustomizingForm::CloseMenusOnDeactivation() {
  TCustomzbBarControl* head = TCustomzbBarControl::ActiveBarControl();
  if (!head || &head->Manager() != fManager) return;
  if (QWidget* now = QApplication::activeWindow()) {
    if (TCustomzbBarControl* w = TCustomzbBarControl::FromWidget(now); w && &w->Manager() == fManager) return;
    for (QWidget* p = now; p; p = p->parentWidget())
      if (p == fManager->Form() || p == this) return;
  }
  head->HideAll();
}

bool TzbBarCustomizingForm::HiddenWithForm() const { return fCompanion && fCompanion->HiddenWithForm; }

bool TzbBarCustomizingForm::event(QEvent* e) {
  const bool done = QDialog::event(e);
  // The customized form keeps looking active while this form is active: the captions of its
  // floating bars follow both windows.
  if (e->type() == QEvent::WindowActivate || e->type() == QEvent::WindowDeactivate) RepaintFloatingCaptions(*fManager);
  if (e->type() == QEvent::WindowDeactivate) CloseMenusOnDeactivation();
  if (e->type() == QEvent::WindowActivate && Pages) {
    switch (Pages->currentIndex()) {
      case 0:
        RefreshBars();
        break;
      case 1:
        RefreshCommands();
        break;
      default:
        RefreshOptions();
        break;
    }
  }
  return done;
}

void TzbBarCustomizingForm::closeEvent(QCloseEvent* e) {
  e->accept();
  // Closing the form ends the customizing mode, which frees the form later.
  if (fManager->Customizing()) fManager->SetCustomizing(false);
}

// ---------------------------------------------------------------- showing and hiding

TzbBarCustomizingForm* CustomizingForm() { return gForm.data(); }

QWidget* CustomizingFormWindow() { return gForm.data(); }

bool FormLooksActive(const TzbBarManager& manager) {
  const QWidget* form = manager.Form();
  if (!form) return false;
  if (MdiFormActive(form)) return true;
  return gForm && &gForm->Manager() == &manager && gForm->isActiveWindow();
}

void RepaintFloatingCaptions(TzbBarManager& manager) {
  for (int i = 0; i < manager.Bars().Count(); ++i)
    if (auto* w = dynamic_cast<TzbBarControl*>(manager.Bars().Items(i)->GetBarControl()); w && w->IsFloating())
      w->Invalidate();
}

void ShowCustomizingForm(TzbBarManager& manager) {
  if (gForm) return;
  if (manager.OnShowCustomizingForm) manager.OnShowCustomizingForm(manager);
  // The work area of every customized form (what lies between its bars) waits meanwhile.
  gDisabled.clear();
  for (int i = 0; i < TzbBarManagerList::Count(); ++i)
    if (TzbBarScreen* screen = TzbBarScreen::Of(*TzbBarManagerList::Items(i)))
      if (QWidget* client = screen->ClientWidget(); client && client->isEnabled()) {
        client->setEnabled(false);
        gDisabled.emplace_back(client);
      }
  gForm = new TzbBarCustomizingForm(manager, manager.Form());
  gForm->WatchForm();
  if (manager.Form() && (!manager.Form()->isVisible() || manager.Form()->isMinimized()))
    gForm->fCompanion->HiddenWithForm = true;  // it comes with its form
  else
    gForm->show();
}

void HideCustomizingForm(TzbBarManager& manager) {
  if (!gForm || &gForm->Manager() != &manager) return;
  CloseSubMenuEditor();
  for (auto& w : gDisabled)
    if (w) w->setEnabled(true);
  gDisabled.clear();
  TzbBarCustomizingForm* form = gForm.data();
  gForm = nullptr;
  form->hide();
  form->deleteLater();
  if (manager.OnHideCustomizingForm) manager.OnHideCustomizingForm(manager);
}

void NotifyCustomizingBarChanged(TzbBar& bar) {
  if (gForm && &gForm->Manager() == &bar.Manager()) gForm->BarChanged(&bar);
}

void NotifyCustomizingItemRemoved(TzbBarManager& manager) {
  if (gForm && &gForm->Manager() == &manager) gForm->RefreshCommands();
}

void TzbBarManager::SetShowHelpButton(bool value) {
  if (value == ShowHelpButton) return;
  ShowHelpButton = value;
  if (gForm && &gForm->Manager() == this) gForm->RefreshHelpButton();
}

void NotifyCustomizingLookChanged(TzbBarManager& manager) {
  if (!gForm || &gForm->Manager() != &manager) return;
  QPalette pal = gForm->Commands->palette();
  pal.setColor(QPalette::Base, C(manager.GetRealStyle() == bmsFlat ? clWindow : clBtnFace));
  gForm->Commands->setPalette(pal);
  gForm->Commands->viewport()->update();
  gForm->RefreshOptions();
}

// ---------------------------------------------------------------- the name editor

TzbBarNameEd::TzbBarNameEd(int kind, int mode, TzbBarManager& manager, TzbBar* bar, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      fKind(kind),
      fManager(&manager),
      fBar(bar) {
  setObjectName(QStringLiteral("zbBarNameEd"));
  if (gForm) setFont(gForm->font());
  if (kind == 0)
    setWindowTitle(mode == 0 ? BarQText("Add Toolbar") : BarQText("Rename Toolbar"));
  else
    setWindowTitle(mode == 0   ? BarQText("Add Category")
                   : mode == 1 ? BarQText("Insert Category")
                               : BarQText("Rename Category"));
  Label =
      new QLabel(kind == 0 ? BarQText("&Toolbar name:") : BarQText("&Category name:"), this);
  Label->move(8, 8);
  Edit = new QLineEdit(this);
  Edit->setGeometry(8, 27, 251, 21);
  Label->setBuddy(Edit);
  OK = new QPushButton(BarQText("OK"), this);
  OK->setGeometry(106, 58, 73, 23);
  OK->setDefault(true);
  Cancel = new QPushButton(BarQText("Cancel"), this);
  Cancel->setGeometry(186, 58, 73, 23);
  connect(OK, &QPushButton::clicked, this, &QDialog::accept);
  connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(Edit, &QLineEdit::textChanged, this, [this](const QString& t) { OK->setEnabled(!t.isEmpty()); });
  OK->setEnabled(false);
  setFixedSize(266, 87);
}

void TzbBarNameEd::accept() {
  const QString text = Edit->text();
  if (text.isEmpty()) return;
  if (fKind == 0) {
    TzbBar* other = fManager->BarByCaption(FromQString(text));
    if (other && other != fBar) {
      MessageDlg(this, CustomizingFormTexts::DuplicateToolbar(text), QApplication::applicationName(),
                 MB_OK | MB_ICONERROR);
      return;
    }
  }
  QDialog::accept();
}

bool ShowNameEditor(std::string& name, int kind, int mode, TzbBarManager& manager, TzbBar* bar) {
  TzbBarNameEd editor(kind, mode, manager, bar, CustomizingFormWindow());
  editor.Edit->setText(ToQString(name));
  editor.Edit->selectAll();
  editor.Edit->setFocus();
  if (editor.exec() != QDialog::Accepted) return false;
  name = FromQString(editor.Edit->text());
  return true;
}

}  // namespace zyn
