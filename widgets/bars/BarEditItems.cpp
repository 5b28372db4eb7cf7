#include "widgets/bars/BarEditItems.h"

#include "model/base/TextUtils.h"
#include "platform/PopupWindows.h"
#include "platform/QtText.h"
#include "widgets/bars/BarControl.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarPainter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QWheelEvent>

#include <algorithm>
#include <cstring>
#include <limits>

namespace zyn {

namespace {


// The edit window's keys, focus changes and text changes go to its control.
class TEditFilter : public QObject {
 public:
  explicit TEditFilter(TzbBarEditControl& control) : fControl(control) {}
  bool eventFilter(QObject*, QEvent* event) override {
    TzbBarWindowItem& item = fControl.Edit();
    switch (event->type()) {
      case QEvent::KeyPress: {
        auto* e = static_cast<QKeyEvent*>(event);
        int key = e->key();
        if (item.OnKeyDown) item.OnKeyDown(item, key, ShiftOf(e->modifiers()));
        if (key == 0) return true;
        if (!e->text().isEmpty() && item.OnKeyPress) {
          QChar c = e->text().at(0);
          item.OnKeyPress(item, c);
          if (c.isNull()) return true;
          if (c != e->text().at(0)) {
            QKeyEvent changed(QEvent::KeyPress, e->key(), e->modifiers(), QString(c));
            return fControl.EditKeyDown(changed) || (QApplication::sendEvent(fControl.Editor(), &changed), true);
          }
        }
        return fControl.EditKeyDown(*e);
      }
      case QEvent::KeyRelease: {
        auto* e = static_cast<QKeyEvent*>(event);
        int key = e->key();
        if (item.OnKeyUp) item.OnKeyUp(item, key, ShiftOf(e->modifiers()));
        return key == 0;
      }
      case QEvent::Wheel: {
        const int dy = static_cast<QWheelEvent*>(event)->angleDelta().y();
        return dy != 0 && fControl.EditWheel(dy > 0 ? -1 : 1);
      }
      case QEvent::FocusIn:
        item.DoEnter();
        return false;
      case QEvent::FocusOut:
        item.DoExit();
        if (fControl.Focused()) fControl.SetFocused(false);
        return false;
      default:
        return false;
    }
  }

 private:
  TzbBarEditControl& fControl;
};

// The rows of a combo's list drawn by the combo (its painter or its OnDrawItem) and measured by it.
class TComboDelegate : public QStyledItemDelegate {
 public:
  explicit TComboDelegate(TzbBarCustomCombo& combo, QObject* parent) : QStyledItemDelegate(parent), fCombo(combo) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    TCanvas canvas(painter);
    canvas.Font.Font = option.font;
    fCombo.DrawItem(canvas, index.row(), FromQRect(option.rect), option.state & QStyle::State_Selected);
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    int h = 0;
    fCombo.MeasureItem(index.row(), h);
    return QSize(option.rect.width(), h);
  }

 private:
  TzbBarCustomCombo& fCombo;
};

int StartsWithLength(const std::string& entry, const std::string& text) {
  const std::string a = AnsiUpperCase(entry), b = AnsiUpperCase(text);
  size_t n = 0;
  while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
  return static_cast<int>(n);
}

}  // namespace

QAbstractItemDelegate* NewComboListDelegate(TzbBarCustomCombo& combo, QObject* parent) {
  return new TComboDelegate(combo, parent);
}

// ---------------------------------------------------------------- items

bool TzbBarWindowItem::InheritsFrom(const char* c) const { return IsClassName(c, kClassName) || TzbBarItem::InheritsFrom(c); }
bool TzbBarEdit::InheritsFrom(const char* c) const { return IsClassName(c, kClassName) || TzbBarWindowItem::InheritsFrom(c); }
bool TCustomzbBarCombo::InheritsFrom(const char* c) const { return IsClassName(c, kClassName) || TzbBarEdit::InheritsFrom(c); }
bool TzbBarCustomCombo::InheritsFrom(const char* c) const {
  return IsClassName(c, kClassName) || TCustomzbBarCombo::InheritsFrom(c);
}
bool TzbBarCombo::InheritsFrom(const char* c) const { return IsClassName(c, kClassName) || TzbBarCustomCombo::InheritsFrom(c); }

void TzbBarWindowItem::SetText(const std::string& value) {
  if (value == fText) return;
  fText = value;
  for (int i = 0; i < LinkCount(); ++i)
    if (auto* c = dynamic_cast<TzbBarEditControl*>(GetLink(i)->Control())) {
      if (c->Focused()) c->SetText(value);
      c->Changed(TzbControlChange::Repaint);
    }
  Change();
}

void TzbBarWindowItem::Change() {
  if (OnChange) OnChange(*this);
}
void TzbBarWindowItem::CurChange() {
  if (OnCurChange) OnCurChange(*this);
}
void TzbBarWindowItem::DoEnter() {
  if (OnEnter) OnEnter(*this);
}
void TzbBarWindowItem::DoExit() {
  if (OnExit) OnExit(*this);
}

void TzbBarEdit::SetShowCaption(bool value) {
  if (value == fShowCaption) return;
  fShowCaption = value;
  if (!IsLoading()) LayoutChanged();
}

void TzbBarEdit::SetWidth(int value) {
  value = std::max(value, 20);
  if (value == fWidth) return;
  fWidth = value;
  if (!IsLoading()) WidthChanged();
}

void TzbBarEdit::WidthChanged() {
  for (int i = 0; i < LinkCount(); ++i)
    if (TzbBarItemLink* l = GetLink(i); !(l->UserDefine() & UserDefineBit(udWidth)) && l->Control())
      l->Control()->Changed(TzbControlChange::Layout);
}

bool TzbBarEdit::CanUseAccel(const TzbBarItemLink& link) const {
  if (!GetEnabled()) return false;
  const TzbBarWindow* w = link.Collection().BarControl();
  return (w && w->IsMenu()) || fShowCaption;
}

TCustomzbBarCombo::~TCustomzbBarCombo() = default;

void TCustomzbBarCombo::SetShowEditor(bool value) {
  if (value == !fHideEditor) return;
  fHideEditor = !value;
  UpdateControls();
}

bool TCustomzbBarCombo::CheckKeyForDropDownWindow(int key, unsigned shift) {
  bool accept = key != Qt::Key_Tab && key != Qt::Key_Backtab && key != Qt::Key_Return && key != Qt::Key_Enter &&
                key != Qt::Key_Escape;
  if (OnCheckKeyForDropDownWindow) OnCheckKeyForDropDownWindow(*this, key, shift, accept);
  return accept;
}

QWidget* TCustomzbBarCombo::GetDropDownWindow() {
  QWidget* w = nullptr;
  if (OnGetDropDownWindow) OnGetDropDownWindow(*this, w);
  return w;
}

void TCustomzbBarCombo::CloseUp() {
  if (QWidget* w = GetDropDownWindow()) w->hide();
  if (OnCloseUp) OnCloseUp(*this);
}

void TCustomzbBarCombo::DropDown(int x, int y, const TRect& item, bool toRight) {
  if (OnDropDown) OnDropDown(*this);
  QWidget* w = GetDropDownWindow();
  if (!w) return;
  PrepareDropDown();
  const TRect work = MonitorWorkArea(Point(x, y));
  const int width = w->width(), height = w->height();
  if (toRight) {
    if (x + width > work.Right && x - item.Width() - width >= work.Left - 0 &&
        item.Left - work.Left > work.Right - item.Right)
      x = x - width - item.Width();
    if (y + height > work.Bottom) y = work.Bottom - height;
  } else {
    if (x + width > work.Right) x = work.Right - width;
    if (y + height > work.Bottom && item.Top - work.Top > work.Bottom - item.Bottom) y = y - item.Height() - height;
  }
  x = std::max(x, work.Left);
  y = std::max(y, work.Top);
  w->move(x, y);
  w->show();
  DropDownShown();
}

TzbBarCustomCombo::TzbBarCustomCombo(TzbBarManager& manager) : TCustomzbBarCombo(manager) {}

bool TzbBarCustomCombo::CheckKeyForDropDownWindow(int key, unsigned shift) {
  return shift == 0 && (key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up || key == Qt::Key_Down);
}

TzbBarCustomCombo::~TzbBarCustomCombo() = default;

QListWidget* TzbBarCustomCombo::ListBox() const { return fList.get(); }

QWidget* TzbBarCustomCombo::GetDropDownWindow() {
  if (QWidget* w = TCustomzbBarCombo::GetDropDownWindow()) return w;
  if (!fList) {
    fList = std::make_unique<QListWidget>();
    fList->setProperty("zbDropDownWindow", true);
    MakeNonActivatingPopup(fList.get());
    fList->setFocusPolicy(Qt::NoFocus);
    fList->setItemDelegate(new TComboDelegate(*this, fList.get()));
    fList->setUniformItemSizes(false);
    fList->setFrameShape(QFrame::Box);
    fList->setLineWidth(1);
  }
  return fList.get();
}

void TzbBarCustomCombo::SetSorted(bool value) {
  if (value == fSorted) return;
  fSorted = value;
  if (fSorted)
    std::stable_sort(fItems.begin(), fItems.end(),
                     [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  fItemIndex = -1;
  for (size_t i = 0; i < fItems.size(); ++i)
    if (fItems[i] == fText) fItemIndex = static_cast<int>(i);
  UpdateControls();
}

void TzbBarCustomCombo::SetItems(const std::vector<std::string>& items) {
  fItems = items;
  if (fSorted) {
    fSorted = false;
    SetSorted(true);
  }
  ItemsChanged();
}

void TzbBarCustomCombo::ItemsChanged() {
  if (fItemIndex >= static_cast<int>(fItems.size()))
    SetItemIndex(-1);
  else
    UpdateControls();
}

void TzbBarCustomCombo::SetItemIndex(int value) {
  if (value < 0 || value >= static_cast<int>(fItems.size())) value = -1;
  if (value == fItemIndex) return;
  fItemIndex = value;
  const std::string text = value < 0 ? std::string() : fItems[value];
  if (text != fText) {
    TzbBarWindowItem::SetText(text);
  } else {
    UpdateControls();
    Change();
  }
}

void TzbBarCustomCombo::SetText(const std::string& value) {
  if (fItemIndex < 0 || fItemIndex >= static_cast<int>(fItems.size()) || fItems[fItemIndex] != value) {
    auto it = std::find(fItems.begin(), fItems.end(), value);
    fItemIndex = it == fItems.end() ? -1 : static_cast<int>(it - fItems.begin());
  }
  TzbBarWindowItem::SetText(value);
}

int TzbBarCustomCombo::GetCurItemIndex() const {
  for (int i = 0; i < LinkCount(); ++i)
    if (auto* c = dynamic_cast<TzbBarComboControl*>(GetLink(i)->Control()); c && c->Focused()) return c->CurrentIndex();
  return fItemIndex;
}

int TzbBarCustomCombo::FindEntry(const std::string& text) const {
  int best = -1, bestLength = 0;
  for (size_t i = 0; i < fItems.size(); ++i) {
    const int n = StartsWithLength(fItems[i], text);
    if (n == static_cast<int>(text.size()) && !text.empty()) return static_cast<int>(i);
    if (n > bestLength) best = static_cast<int>(i), bestLength = n;
  }
  return best;
}

void TzbBarCustomCombo::DrawItem(TCanvas& canvas, int index, const TRect& rect, bool selected) {
  if (OnDrawItem) {
    OnDrawItem(*this, index, rect, selected);
    return;
  }
  const QString text = index >= 0 && index < static_cast<int>(fItems.size()) ? ToQString(fItems[index])
                       : index < 0                                           ? ToQString(fText)
                                                                             : QString();
  BarManager().PainterClass().DrawComboListItem(canvas, rect, text, selected);
}

void TzbBarCustomCombo::MeasureItem(int index, int& height) {
  if (ItemHeight > 0)
    height = ItemHeight;
  else
    height = QFontMetrics(BarManager().BarFont()).height();
  if (OnMeasureItem) OnMeasureItem(*this, index, height);
}

void TzbBarCustomCombo::MeasureItemWidth(int index, int& width) {
  width = QFontMetrics(BarManager().BarFont()).horizontalAdvance(ToQString(fItems[index])) + 2;
}

int TzbBarCustomCombo::GetDropDownWidth() {
  if (DropDownWidth > 0) return DropDownWidth;
  const bool scrolls = static_cast<int>(fItems.size()) > DropDownCount;
  const int scrollWidth = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  int width = 0;
  for (int i = 0; i < LinkCount(); ++i)
    if (auto* c = dynamic_cast<TzbBarComboControl*>(GetLink(i)->Control()); c && c->Focused())
      width = c->Link().ItemRect.Width() - c->CaptionWidth() - 4;
  if (scrolls) width -= scrollWidth;
  for (int i = 0; i < static_cast<int>(fItems.size()); ++i) {
    int w = 0;
    MeasureItemWidth(i, w);
    width = std::max(width, w);
  }
  width += 4;
  if (scrolls) width += scrollWidth;
  return width;
}

void TzbBarCustomCombo::PrepareDropDown() {
  QListWidget* list = ListBox();
  if (!list) return;
  list->clear();
  for (const std::string& s : fItems) list->addItem(ToQString(s));
  list->setFont(BarManager().BarFont());
  int height = 4;
  const int shown = std::min<int>(static_cast<int>(fItems.size()), DropDownCount);
  for (int i = 0; i < shown; ++i) {
    int h = 0;
    MeasureItem(i, h);
    height += h;
  }
  list->setVerticalScrollBarPolicy(static_cast<int>(fItems.size()) > DropDownCount ? Qt::ScrollBarAlwaysOn
                                                                                   : Qt::ScrollBarAlwaysOff);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->resize(GetDropDownWidth(), height);
}

void TzbBarCustomCombo::DropDown(int x, int y, const TRect& item, bool toRight) {
  GetDropDownWindow();
  TCustomzbBarCombo::DropDown(x, y, item, toRight);
}

// While the button that dropped the list is held, the list takes the mouse: releasing it over an
// entry chooses that entry.
class TListCapture : public QObject {
 public:
  explicit TListCapture(QListWidget& list) : QObject(&list), fList(list) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::MouseButtonRelease || QWidget::mouseGrabber() != fList.viewport()) return false;
    fList.viewport()->releaseMouse();
    const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
    if (QListWidgetItem* item = fList.viewport()->rect().contains(p) ? fList.itemAt(p) : nullptr) {
      emit fList.itemClicked(item);
      return true;
    }
    return false;
  }

 private:
  QListWidget& fList;
};

void TzbBarCustomCombo::DropDownShown() {
  if (!fList || !(QApplication::mouseButtons() & Qt::LeftButton)) return;
  if (!fList->property("zbCapture").toBool()) {
    fList->setProperty("zbCapture", true);
    fList->viewport()->installEventFilter(new TListCapture(*fList));
  }
  fList->viewport()->grabMouse();
}

void TzbBarCustomCombo::CloseUp() {
  if (fList && QWidget::mouseGrabber() == fList->viewport()) fList->viewport()->releaseMouse();
  TCustomzbBarCombo::CloseUp();
}

// ---------------------------------------------------------------- edit control

TzbBarEditControl::TzbBarEditControl(TzbBarItemLink& link, TzbBarWindow& parent) : TzbBarItemControl(link, parent) {}

TzbBarEditControl::~TzbBarEditControl() {
  fFocused = false;
  if (fEdit) {
    // The edit window's last focus and key events must not reach a control that is going.
    fEdit->removeEventFilter(fFilter.get());
    QObject::disconnect(fEdit.data(), nullptr, fFilter.get(), nullptr);
    fEdit->hide();
  }
  delete fEdit.data();
}

TzbBarEdit& TzbBarEditControl::Edit() const { return static_cast<TzbBarEdit&>(Item()); }

TCustomzbBarControl* TzbBarEditControl::Window() const { return dynamic_cast<TCustomzbBarControl*>(&Parent()); }

bool TzbBarEditControl::CaptionShown() const { return Parent().IsMenu() || Edit().ShowCaption(); }

int TzbBarEditControl::CaptionWidth() const {
  if (!CaptionShown()) return 0;
  const int text = Parent().Canvas().TextWidth(ToQString(Edit().GetPlainCaption()));
  return Parent().Manager().PainterClass().GetEditCaptionWidth(*this, text);
}

int TzbBarEditControl::GetHeight() const {
  const TCustomzbBarControl* w = Window();
  int h = w && !Parent().IsMenu() ? w->EditHeight() : Parent().ItemHeight();
  if (CaptionShown()) h = std::max(h, Parent().ItemHeight());
  return h;
}

int TzbBarEditControl::GetWidth() const {
  const int width = (Link().UserDefine() & UserDefineBit(udWidth)) ? Link().UserWidth() : Edit().Width();
  return CaptionWidth() + width;
}

int TzbBarEditControl::GetMinWidth() const { return CaptionWidth() + 20; }

void TzbBarEditControl::Paint(const TRect& r, int view) {
  TCanvas& dc = Parent().Canvas();
  const TzbBarItemControlPainter& p = Parent().Manager().PainterClass();
  const bool selected = IsSelected() && !Parent().Manager().IsCustomizing();
  TRect rr = r;
  if (CaptionShown()) p.DrawEditCaption(*this, dc, ToQString(Item().Caption()), selected, view, rr);
  p.DrawEditFrame(*this, dc, rr, view, selected, Edit().ReadOnly);
  fEditRect = Enabled() ? rr : TRect{};
  PaintText(dc, rr, view);  // a combo narrows the edit rectangle to its text part
  if (fFocused && Enabled()) PlaceEditor();
}

void TzbBarEditControl::PaintText(TCanvas& dc, const TRect& r, int) {
  if (fFocused && Enabled()) return;
  Parent().Manager().PainterClass().DrawEditText(*this, dc, r, ToQString(Edit().Text()), Edit().ReadOnly);
}

void TzbBarEditControl::PlaceEditor() {
  if (!fEdit) return;
  TRect in;
  if (const TCustomzbBarControl* w = Window()) in = w->ClientInsets();
  TRect r = fEditRect;
  if (Edit().HideEditor()) r.Right = r.Left;
  fEdit->setGeometry(ToQRect(r).translated(in.Left, in.Top));
}

void TzbBarEditControl::Changed(TzbControlChange change) {
  if (change == TzbControlChange::Enabled && !Enabled() && fFocused) SetFocused(false);
  TzbBarItemControl::Changed(change);
}

void TzbBarEditControl::SetFocused(bool value, bool byEscape) {
  if (value == fFocused || fEnding) return;
  TzbBarManager& m = Parent().Manager();
  if (value) {
    TCustomzbBarControl* w = Window();
    QWidget* parentWidget = w ? w->Widget() : nullptr;
    if (!parentWidget) return;
    fSavedFocus = QApplication::focusWidget();
    if (!fSavedFocus || !fSavedFocus->isVisible()) fSavedFocus = m.Form();
    if (!fEdit) {
      fEdit = new QLineEdit(parentWidget);
      fEdit->setProperty("zbInPlaceEdit", true);
      fEdit->setFrame(false);
      fFilter = std::make_unique<TEditFilter>(*this);
      fEdit->installEventFilter(fFilter.get());
      QObject::connect(fEdit.data(), &QLineEdit::textChanged, fFilter.get(), [this]() { EditTextChanged(); });
    }
    fFocused = true;
    Active = true;
    fEdit->setFont(parentWidget->font());
    fEdit->setMaxLength(Edit().MaxLength() > 0 ? Edit().MaxLength() : std::numeric_limits<int>::max());
    fEdit->setReadOnly(Edit().ReadOnly || Edit().HideEditor());
    PlaceEditor();
    fEdit->show();
    m.PainterClass().PrepareEditWindow(*fEdit);
    SetText(Edit().Text());
    fEdit->setFocus(Qt::OtherFocusReason);
    Parent().RepaintControl(*this);
    return;
  }
  fEnding = true;
  fFocused = false;
  Active = false;
  const std::string text = GetText();
  if (fEdit) fEdit->hide();
  if (fSavedFocus && fSavedFocus->isVisible())
    fSavedFocus->setFocus(Qt::OtherFocusReason);
  else if (m.Form())
    m.Form()->setFocus(Qt::OtherFocusReason);
  fEnding = false;
  if (m.AlwaysSaveText && !byEscape) {
    Edit().SetText(text);
  }
  Parent().RepaintControl(*this);
}

std::string TzbBarEditControl::GetText() const { return fEdit ? FromQString(fEdit->text()) : Edit().Text(); }

void TzbBarEditControl::SetText(const std::string& text) {
  if (!fEdit) return;
  const bool changed = FromQString(fEdit->text()) != text;
  fSettingText = true;
  fEdit->setText(ToQString(text));
  fSettingText = false;
  if (Edit().HideEditor()) Parent().RepaintControl(*this);
  Parent().Manager().PainterClass().SelectEditText(*fEdit, changed);
}

void TzbBarEditControl::BeforeClick(bool) {
  SetFocused(true);
  if (fEdit && fFocused) fEdit->selectAll();
}

void TzbBarEditControl::ControlInactivate(bool force) {
  SetFocused(false);
  TzbBarItemControl::ControlInactivate(force);
}

void TzbBarEditControl::StoreText() { Edit().SetText(GetText()); }

void TzbBarEditControl::EditTextChanged() {
  if (!fSettingText) Edit().CurChange();
}

bool TzbBarEditControl::EditKeyDown(QKeyEvent& e) {
  const int key = e.key();
  TCustomzbBarControl* w = Window();
  if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
    StoreText();
    SetFocused(false);
    if (w && TCustomzbBarControl::IsAlive(w)) w->KeyDown(key, ShiftOf(e.modifiers()));
    return true;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    SourceLink().UseLink(true);
    StoreText();
    if (!w || !TCustomzbBarControl::IsAlive(w)) return true;
    SetFocused(false);
    if (TCustomzbBarControl::IsAlive(w)) w->HideAll();
    return true;
  }
  if (key == Qt::Key_Escape) {
    SetFocused(false, true);
    if (w && TCustomzbBarControl::IsAlive(w) && w->IsMenu()) w->SelectItem(this);
    return true;
  }
  return false;
}

// ---------------------------------------------------------------- combo controls

TCustomzbBarComboControl::~TCustomzbBarComboControl() {
  if (fDroppedDown) {
    fDroppedDown = false;
    CustomCombo().CloseUp();
  }
}

TCustomzbBarCombo& TCustomzbBarComboControl::CustomCombo() const { return static_cast<TCustomzbBarCombo&>(Item()); }

void TCustomzbBarComboControl::PaintText(TCanvas& dc, const TRect& r, int view) {
  const TzbBarItemControlPainter& p = Parent().Manager().PainterClass();
  const int buttonWidth = p.GetComboButtonWidth(dc.TextWidth(QStringLiteral("0")));
  TRect text = r;
  text.Right -= buttonWidth + p.GetComboButtonGap();
  TRect button = r;
  button.Left = text.Right + p.GetComboButtonGap();
  ButtonRect = button;
  // Without a visible editor the entry stays drawn while the control is being edited.
  if (!Focused() || !Enabled() || CustomCombo().HideEditor()) PaintEntry(dc, text);
  p.DrawComboButton(*this, dc, IsSelected() || fDroppedDown, fDroppedDown, button);
  if (Enabled()) fEditRect = text;
}

void TCustomzbBarComboControl::PaintEntry(TCanvas& dc, const TRect& text) {
  const std::string shown = Focused() ? GetText() : CustomCombo().Text();
  Parent().Manager().PainterClass().DrawEditText(*this, dc, text, ToQString(shown), CustomCombo().ReadOnly);
}

void TCustomzbBarComboControl::SetFocused(bool value, bool byEscape) {
  if (!value && fDroppedDown) SetDroppedDown(false);
  TzbBarEditControl::SetFocused(value, byEscape);
  if (value && Focused() && Enabled()) {
    // The text part ends at the button.
    Parent().RepaintControl(*this);
  }
}

void TCustomzbBarComboControl::SetDroppedDown(bool value) {
  if (value == fDroppedDown || (value && CustomCombo().ReadOnly)) return;
  fDroppedDown = value;
  Parent().RepaintControl(*this);
  if (!value) {
    DropDownChanged(false);
    CustomCombo().CloseUp();
    return;
  }
  TCustomzbBarControl* w = Window();
  if (!w) return;
  const TRect r = Link().ItemRect;
  const bool toRight = Parent().IsMenu() || Parent().IsVertical();
  const TPoint corner = toRight ? Point(r.Right, r.Top) : Point(r.Left + CaptionWidth(), r.Bottom);
  const TPoint screen = w->ClientToScreen(corner);
  const TPoint topLeft = w->ClientToScreen(Point(r.Left, r.Top));
  const TRect onScreen = Rect(topLeft.X, topLeft.Y, topLeft.X + r.Width(), topLeft.Y + r.Height());
  CustomCombo().DropDown(screen.X, screen.Y, onScreen, toRight);
  DropDownChanged(true);
}

void TCustomzbBarComboControl::BeforeClick(bool byMouse) {
  const bool wasOpen = fDroppedDown;
  TzbBarEditControl::BeforeClick(byMouse);
  if (!byMouse || wasOpen) return;
  TCustomzbBarControl* w = Window();
  if (!w) return;
  const TPoint p = w->ScreenToClient(BarCursorPos());
  const TRect item = Link().ItemRect;
  const bool onButton =
      CustomCombo().HideEditor() ? p.X >= item.Left + CaptionWidth() && PtInRect(item, p) : PtInRect(ButtonRect, p);
  if (onButton) SetDroppedDown(true);
}

void TCustomzbBarComboControl::ControlInactivate(bool force) {
  SetDroppedDown(false);
  TzbBarEditControl::ControlInactivate(force);
}

bool TCustomzbBarComboControl::EditKeyDown(QKeyEvent& e) {
  const int key = e.key();
  const unsigned shift = ShiftOf(e.modifiers());
  if (key == Qt::Key_F4 || ((shift & ssAlt) && (key == Qt::Key_Up || key == Qt::Key_Down))) {
    SetDroppedDown(!fDroppedDown);
    return true;
  }
  if (fDroppedDown && CustomCombo().CheckKeyForDropDownWindow(key, shift)) {
    if (QWidget* window = CustomCombo().GetDropDownWindow()) {
      QKeyEvent copy(e.type(), e.key(), e.modifiers(), e.text());
      QApplication::sendEvent(window, &copy);
      return true;
    }
  }
  if (key == Qt::Key_Escape && fDroppedDown) {
    SetDroppedDown(false);
    return true;
  }
  return TzbBarEditControl::EditKeyDown(e);
}

TzbBarComboControl::~TzbBarComboControl() {
  QObject::disconnect(fClicked);
  QObject::disconnect(fRowChanged);
}

TzbBarCustomCombo& TzbBarComboControl::Combo() const { return static_cast<TzbBarCustomCombo&>(Item()); }

void TzbBarComboControl::PaintEntry(TCanvas& dc, const TRect& text) {
  if (!Combo().OnDrawItem && !Combo().DrawsEntries()) {
    TCustomzbBarComboControl::PaintEntry(dc, text);
    return;
  }
  TColor textColor = clWindowText, background = clWindow;
  Parent().Manager().PainterClass().GetEditColors(*this, textColor, background);
  dc.Brush.Color = background;
  dc.Brush.Style = bsSolid;
  dc.Font.Color = textColor;
  Combo().PaintingInEdit = true;
  Combo().DrawItem(dc, Combo().GetCurItemIndex(), text, false);
  Combo().PaintingInEdit = false;
}

void TzbBarComboControl::SetFocused(bool value, bool byEscape) {
  if (value && !Focused()) {
    fCurrentIndex = Combo().ItemIndex();
    if (fCurrentIndex < 0) fCurrentIndex = -1;
  }
  TCustomzbBarComboControl::SetFocused(value, byEscape);
}

void TzbBarComboControl::DropDownChanged(bool open) {
  QObject::disconnect(fClicked);
  QObject::disconnect(fRowChanged);
  QListWidget* list = Combo().ListBox();
  if (!open || !list || !list->isVisible()) return;
  fClicked = QObject::connect(list, &QListWidget::itemClicked, list,
                              [this, list](QListWidgetItem* item) { ListChosen(list->row(item)); });
  fRowChanged = QObject::connect(list, &QListWidget::currentRowChanged, list, [this](int row) { ListRowChanged(row); });
  SyncSelection();
}

void TzbBarComboControl::ShowEntry(int index) {
  fCurrentIndex = index;
  SetText(index >= 0 ? Combo().Items()[index] : std::string());
  Combo().CurChange();
  if (Editor()) Editor()->selectAll();
}

bool TzbBarComboControl::EditKeyDown(QKeyEvent& e) {
  const int key = e.key();
  const unsigned shift = ShiftOf(e.modifiers());
  const int count = static_cast<int>(Combo().Items().size());
  const bool toggles = key == Qt::Key_F4 || ((shift & ssAlt) && (key == Qt::Key_Up || key == Qt::Key_Down));
  if (toggles || (DroppedDown() && Combo().CheckKeyForDropDownWindow(key, shift)))
    return TCustomzbBarComboControl::EditKeyDown(e);
  if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) && fCurrentIndex >= 0 &&
      fCurrentIndex < count && Combo().Items()[fCurrentIndex] == GetText()) {
    SetDroppedDown(false);
    Combo().SetItemIndex(fCurrentIndex);
  }
  if (!DroppedDown() && shift == 0 && (key == Qt::Key_Up || key == Qt::Key_Down)) {
    const int next = fCurrentIndex + (key == Qt::Key_Up ? -1 : 1);
    if (next >= 0 && next < count && !(fCurrentIndex < 0 && key == Qt::Key_Up))
      ShowEntry(next);
    else if (fCurrentIndex < 0 && key == Qt::Key_Down && count > 0)
      ShowEntry(0);
    return true;
  }
  return TCustomzbBarComboControl::EditKeyDown(e);
}

bool TzbBarComboControl::EditWheel(int lines) {
  if (DroppedDown()) {
    if (QListWidget* list = Combo().ListBox())
      list->verticalScrollBar()->setValue(list->verticalScrollBar()->value() + lines);
    return true;
  }
  const int next = fCurrentIndex + lines;
  if (next >= 0 && next < static_cast<int>(Combo().Items().size())) ShowEntry(next);
  return true;
}

void TzbBarComboControl::StoreText() {
  const std::string text = GetText();
  if (fCurrentIndex >= 0 && fCurrentIndex < static_cast<int>(Combo().Items().size()) &&
      Combo().Items()[fCurrentIndex] == text)
    Combo().SetItemIndex(fCurrentIndex);
  else
    Combo().SetText(text);
}

void TzbBarComboControl::EditTextChanged() {
  TzbBarEditControl::EditTextChanged();
  if (!fSettingText) SyncSelection();
}

void TzbBarComboControl::SyncSelection() {
  const std::string text = GetText();
  const auto& items = Combo().Items();
  if (!(fCurrentIndex >= 0 && fCurrentIndex < static_cast<int>(items.size()) && items[fCurrentIndex] == text))
    fCurrentIndex = Combo().FindEntry(text);
  QListWidget* list = Combo().ListBox();
  if (!DroppedDown() || !list) return;
  const QSignalBlocker block(list);
  if (fCurrentIndex >= 0 && SameText(items[fCurrentIndex], text)) {
    list->setCurrentRow(fCurrentIndex);
  } else {
    list->clearSelection();
    list->setCurrentRow(-1);
    if (fCurrentIndex >= 0) list->scrollToItem(list->item(fCurrentIndex));
  }
}

void TzbBarComboControl::ListRowChanged(int row) {
  if (row < 0 || row >= static_cast<int>(Combo().Items().size())) return;
  fCurrentIndex = row;
  SetText(Combo().Items()[row]);
  Combo().CurChange();
}

void TzbBarComboControl::ListChosen(int row) {
  if (row < 0 || row >= static_cast<int>(Combo().Items().size())) return;
  fCurrentIndex = row;
  SetText(Combo().Items()[row]);
  SetDroppedDown(false);
  TCustomzbBarControl* w = Window();
  SourceLink().UseLink(true);
  Combo().SetItemIndex(row);
  if (!w || !TCustomzbBarControl::IsAlive(w)) return;
  SetFocused(false);
  if (TCustomzbBarControl::IsAlive(w)) w->HideAll();
}

}  // namespace zyn
