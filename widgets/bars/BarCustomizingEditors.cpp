#include "widgets/bars/BarCustomizingEditors.h"

#include "model/base/TextUtils.h"
#include "platform/Colors.h"
#include "platform/QtText.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarCategories.h"
#include "widgets/bars/BarCustomizing.h"
#include "widgets/bars/BarCustomizingForm.h"
#include "widgets/bars/BarDateItems.h"
#include "widgets/bars/BarEditItems.h"
#include "widgets/bars/BarExtItems.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarItemRegistry.h"
#include "widgets/bars/BarListItem.h"
#include "widgets/bars/BarMRUListItem.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarSubMenuControl.h"
#include "widgets/bars/BarTexts.h"
#include "widgets/bars/BarUtils.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QVBoxLayout>

#include <map>

namespace zyn {

namespace {

// The makers of the item kinds; the library's own kinds register theirs at unit start.
std::map<std::string, TzbBarItemMaker>& Makers() {
  static std::map<std::string, TzbBarItemMaker> makers;
  return makers;
}

// A valid item name: a letter or "_" first, then letters, digits and "_".
bool IsValidItemName(const std::string& name) {
  if (name.empty()) return false;
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (!letter(name[0])) return false;
  for (char c : name)
    if (!letter(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

QFont EditorFont(const TzbBarManager& m) {
  if (QWidget* form = CustomizingFormWindow()) return form->font();
  return m.Font;
}

}  // namespace

void RegisterBarItemMaker(const std::string& itemClass, TzbBarItemMaker maker) {
  Makers()[itemClass] = std::move(maker);
}

// ---------------------------------------------------------------- the item add editor

TzbBarItemAddEditor::TzbBarItemAddEditor(TzbBarManager& manager, int category, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint), fManager(&manager) {
  setObjectName(QStringLiteral("zbBarItemAddEditor"));
  setWindowTitle(BarQText("Add New Item"));
  setFont(EditorFont(manager));
  auto label = [this](const QString& text, int y) {
    auto* l = new QLabel(text, this);
    l->setGeometry(8, y, 52, 16);
    return l;
  };
  label(BarQText("Type:"), 12);
  label(BarQText("Category:"), 40);
  label(BarQText("Name:"), 68);
  label(BarQText("Caption:"), 96);
  Kinds = new QComboBox(this);
  Kinds->setGeometry(62, 8, 194, 21);
  Kinds->setMaxVisibleItems(100);
  for (int i = 0; i < GetListedItemClassCount(); ++i) Kinds->addItem(QString::fromStdString(GetListedItemClass(i)));
  Categories = new QComboBox(this);
  Categories->setGeometry(62, 36, 194, 21);
  for (int i = 0; i < manager.Categories().Count(); ++i)
    Categories->addItem(ToQString(manager.Categories().Strings(i)));
  Categories->setCurrentIndex(category >= 0 && category < Categories->count() ? category : 0);
  Name = new QLineEdit(this);
  Name->setGeometry(62, 64, 194, 21);
  Caption = new QLineEdit(BarQText("New Item"), this);
  Caption->setGeometry(62, 92, 194, 21);
  OK = new QPushButton(BarQText("OK"), this);
  OK->setGeometry(100, 122, 75, 23);
  OK->setDefault(true);
  Cancel = new QPushButton(BarQText("Cancel"), this);
  Cancel->setGeometry(184, 122, 75, 23);
  connect(OK, &QPushButton::clicked, this, &QDialog::accept);
  connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(Kinds, &QComboBox::currentIndexChanged, this, [this](int) { ProposeName(); });
  if (Kinds->count() > 0) Kinds->setCurrentIndex(0);
  ProposeName();
  setFixedSize(263, 150);
}

void TzbBarItemAddEditor::ProposeName() {
  Name->setText(QString::fromStdString(GetUniqueItemName(*fManager, Kinds->currentText().toStdString())));
}

void TzbBarItemAddEditor::accept() {
  const std::string kind = Kinds->currentText().toStdString();
  const std::string name = FromQString(Name->text());
  TzbBarManager& m = *fManager;
  auto maker = Makers().find(kind);
  bool taken = false;
  for (int i = 0; i < m.GetItemCount() && !taken; ++i) taken = SameText(m.GetItem(i)->Name, name);
  TzbBarItem* item = nullptr;
  if (maker != Makers().end() && IsValidItemName(name) && !taken) item = maker->second(m);
  if (!item) {
    // Nothing made: a new name, and the dialog stays.
    ProposeName();
    return;
  }
  item->SetName(name);
  item->SetCategory(Categories->currentIndex());
  item->SetCaption(FromQString(Caption->text()));
  m.DesignerModified();
  fCreated = item;
  QDialog::accept();
}

TzbBarItem* ShowItemAddEditor(TzbBarManager& manager, int category) {
  TzbBarItemAddEditor editor(manager, category, CustomizingFormWindow());
  editor.Name->setFocus();
  return editor.exec() == QDialog::Accepted ? editor.Created() : nullptr;
}

// ---------------------------------------------------------------- the group items editor

namespace {

enum TEntryRole { roleItem = Qt::UserRole, roleGroup, roleMember };

// Draws an entry: a heading on the button face, an item or group with three blanks before its
// text; an entry already in the group greyed; an item's name in the right half after a line.
class TGroupItemsDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QString text = index.data(Qt::DisplayRole).toString();
    const QRect r = option.rect;
    p->save();
    if (text.startsWith(QLatin1Char('~'))) {
      p->fillRect(r, ToQColor(ColorToRGB(clBtnFace)));
      p->setPen(ToQColor(ColorToRGB(clBtnText)));
      p->drawText(r, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text.mid(1));
      p->restore();
      return;
    }
    const bool selected = option.state & QStyle::State_Selected;
    const bool member = index.data(roleMember).toBool();
    p->fillRect(r, ToQColor(ColorToRGB(selected ? clHighlight : clWindow)));
    const QColor textColor = ToQColor(ColorToRGB(member ? clBtnFace : selected ? clHighlightText : clWindowText));
    p->setPen(textColor);
    const bool item = index.data(roleItem).toULongLong() != 0;
    const QRect left = item ? QRect(r.left(), r.top(), r.width() / 2, r.height()) : r;
    p->drawText(left, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, QStringLiteral("   ") + text);
    if (item) {
      p->setPen(ToQColor(ColorToRGB(selected ? clHighlightText : clWindowText)));
      p->drawLine(left.right() + 1, r.top(), left.right() + 1, r.bottom());
      p->setPen(textColor);
      const auto* it = reinterpret_cast<const TzbBarItem*>(index.data(roleItem).toULongLong());
      p->drawText(QRect(left.right() + 4, r.top(), r.width() - left.width() - 4, r.height()),
                  Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, ToQString(it->Name));
    }
    p->restore();
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return QSize(100, QFontMetrics(option.font).height() + 2);
  }
};

}  // namespace

TzbBarAddGroupItemsEditor::TzbBarAddGroupItemsEditor(TzbBarGroup& group, QWidget* parent)
    : QDialog(parent), fGroup(&group) {
  setObjectName(QStringLiteral("frmAddGroupItems"));
  setWindowTitle(BarQText("Add Group Items"));
  TzbBarManager& m = group.Manager();
  setFont(EditorFont(m));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(5, 5, 5, 0);
  List = new QListWidget(this);
  List->setSelectionMode(QAbstractItemView::ExtendedSelection);
  List->setItemDelegate(new TGroupItemsDelegate(List));
  layout->addWidget(List, 1);
  auto* bottom = new QWidget(this);
  bottom->setFixedHeight(34);
  auto* bl = new QHBoxLayout(bottom);
  bl->setContentsMargins(0, 5, 0, 5);
  bl->addStretch(1);
  OK = new QPushButton(BarQText("OK"), bottom);
  OK->setDefault(true);
  Cancel = new QPushButton(BarQText("Cancel"), bottom);
  bl->addWidget(OK);
  bl->addWidget(Cancel);
  layout->addWidget(bottom);
  connect(OK, &QPushButton::clicked, this, &QDialog::accept);
  connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto heading = [this](const QString& text) {
    auto* e = new QListWidgetItem(QLatin1Char('~') + text, List);
    e->setFlags(Qt::ItemIsEnabled);
  };
  if (m.GetGroupCount() > 1) {
    heading(BarQText("< Groups >"));
    for (int i = 0; i < m.GetGroupCount(); ++i) {
      TzbBarGroup* g = m.GetGroup(i);
      if (g == &group) continue;
      auto* e = new QListWidgetItem(ToQString(g->Name), List);
      e->setData(roleGroup, QVariant::fromValue<qulonglong>(reinterpret_cast<quintptr>(g)));
      e->setData(roleMember, group.ContainsMember(g));
    }
  }
  for (int c = 0; c < m.Categories().Count(); ++c) {
    std::vector<TzbBarItem*> items;
    m.GetCustomizingItemsByCategory(c, items);
    if (items.empty()) continue;
    heading(ToQString(m.Categories().Strings(c)));
    for (TzbBarItem* item : items) {
      auto* e = new QListWidgetItem(ToQString(item->Caption()), List);
      e->setData(roleItem, QVariant::fromValue<qulonglong>(reinterpret_cast<quintptr>(item)));
      e->setData(roleMember, group.ContainsMember(item));
    }
  }
  resize(364, 400);
}

std::vector<TzbBarGroupPick> TzbBarAddGroupItemsEditor::Picked() const {
  std::vector<TzbBarGroupPick> out;
  for (int row = 0; row < List->count(); ++row) {
    QListWidgetItem* e = List->item(row);
    if (!e->isSelected()) continue;
    TzbBarGroupPick pick;
    pick.Item = reinterpret_cast<TzbBarItem*>(e->data(roleItem).toULongLong());
    pick.Group = reinterpret_cast<TzbBarGroup*>(e->data(roleGroup).toULongLong());
    if (pick.Item || pick.Group) out.push_back(pick);
  }
  return out;
}

bool ShowAddGroupItems(TzbBarGroup& group, std::vector<TzbBarGroupPick>& result) {
  TzbBarAddGroupItemsEditor editor(group, CustomizingFormWindow());
  if (editor.exec() != QDialog::Accepted) return false;
  for (const TzbBarGroupPick& pick : editor.Picked()) result.push_back(pick);
  return true;
}

// ---------------------------------------------------------------- the sub-menu editor

namespace {
QPointer<TzbBarSubMenuEditor> gSubMenuEditor;
}

TzbBarSubMenuEditor::TzbBarSubMenuEditor(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("zbBarSubMenuEditor"));
  setWindowTitle(BarQText("SubMenu Editor"));
  setFixedSize(196, 1);
}

TzbBarSubMenuEditor::~TzbBarSubMenuEditor() {
  CloseMenu();
  if (gSubMenuEditor == this) gSubMenuEditor = nullptr;
}

void TzbBarSubMenuEditor::SetLinks(TzbBarItemLinks* links) {
  if (links == fLinks) return;
  CloseMenu();
  fLinks = links;
}

TzbBarSubMenuControl* TzbBarSubMenuEditor::Menu() const {
  return fLinks ? dynamic_cast<TzbBarSubMenuControl*>(fLinks->BarControl()) : nullptr;
}

void TzbBarSubMenuEditor::OpenMenu() {
  if (!fLinks || !isVisible()) return;
  // A dragged item that would contain this sub-item does not open it.
  if (TzbBarDragAndDrop* drag = TzbBarDragAndDrop::Current(); drag && !drag->Item()->CanBePlacedIn(*fLinks)) return;
  if (TzbBarSubMenuControl* old = Menu(); old && !(old->Widget() && old->Widget()->isVisible()))
    fLinks->DestroyBarControl();  // closed meanwhile: opened anew
  if (!fLinks->BarControl()) {
    fLinks->CreateBarControl();
    TzbBarSubMenuControl* menu = Menu();
    if (!menu) return;
    const QRect f = frameGeometry();
    menu->ShowAt(Point(f.left(), f.bottom() + 1), 0, f.height());
  }
  PlaceMenu();
}

void TzbBarSubMenuEditor::PlaceMenu() {
  TzbBarSubMenuControl* menu = Menu();
  if (!menu || !menu->Widget()) return;
  const QRect f = frameGeometry();
  menu->Widget()->move(f.left(), f.bottom() + 1);
  const int width = menu->WindowRect().Width();
  if (width > 0 && width != this->width()) setFixedSize(width, height());
}

void TzbBarSubMenuEditor::CloseMenu() {
  if (!fLinks || !fLinks->BarControl()) return;
  if (TzbBarSubMenuControl* menu = Menu(); menu && menu->IsActive()) menu->HideAll();
  if (fLinks && fLinks->BarControl()) fLinks->DestroyBarControl();
}

bool TzbBarSubMenuEditor::event(QEvent* e) {
  const bool done = QDialog::event(e);
  if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show) OpenMenu();
  return done;
}

void TzbBarSubMenuEditor::moveEvent(QMoveEvent* e) {
  QDialog::moveEvent(e);
  PlaceMenu();
}

void TzbBarSubMenuEditor::closeEvent(QCloseEvent* e) {
  CloseMenu();
  e->accept();
  deleteLater();
}

TzbBarSubMenuEditor* SubMenuEditor() { return gSubMenuEditor.data(); }

void CloseSubMenuEditor() {
  if (!gSubMenuEditor) return;
  TzbBarSubMenuEditor* editor = gSubMenuEditor.data();
  gSubMenuEditor = nullptr;
  editor->CloseMenu();
  editor->ForgetLinks();
  editor->hide();
  editor->deleteLater();
}

void ShowSubMenuEditor(TzbBarItemLinks* links) {
  if (!links) {
    CloseSubMenuEditor();
    return;
  }
  TzbBarManager& m = links->Manager();
  m.SetCustomizing(true);
  if (TzbBarCustomizingForm* form = CustomizingForm(); form && &form->Manager() == &m) form->Pages->setCurrentIndex(1);
  if (!gSubMenuEditor)
    gSubMenuEditor = new TzbBarSubMenuEditor(CustomizingFormWindow() ? CustomizingFormWindow() : m.Form());
  gSubMenuEditor->SetLinks(links);
  QApplication::processEvents();
  gSubMenuEditor->show();
  gSubMenuEditor->OpenMenu();
}

void SubMenuEditorItemGone(const TzbBarItem* item) {
  if (gSubMenuEditor && gSubMenuEditor->Links() && gSubMenuEditor->Links()->OwnerItem() == item) CloseSubMenuEditor();
}

}  // namespace zyn
