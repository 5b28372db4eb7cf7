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
#include <QWheelEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cstring>
#include <limits>

namespace zyn {

namespace {

bool Is(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

// The edit window's keys, focus changes and text changes go to its control.
class TEditFilter : public QObject {
 public:
  explicit TEditFilter(TzbBarEditControl& control) : control_(control) {}
  bool eventFilter(QObject*, QEvent* event) override {
    TzbBarWindowItem& item = control_.Edit();
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
            return control_.EditKeyDown(changed) || (QApplication::sendEvent(control_.Editor(), &changed), true);
          }
        }
        return control_.EditKeyDown(*e);
      }
      case QEvent::KeyRelease: {
        auto* e = static_cast<QKeyEvent*>(event);
        int key = e->key();
        if (item.OnKeyUp) item.OnKeyUp(item, key, ShiftOf(e->modifiers()));
        return key == 0;
      }
      case QEvent::Wheel: {
        const int dy = static_cast<QWheelEvent*>(event)->angleDelta().y();
        return dy != 0 && control_.EditWheel(dy > 0 ? -1 : 1);
      }
      case QEvent::FocusIn: item.DoEnter(); return false;
      case QEvent::FocusOut:
        item.DoExit();
        if (control_.Focused()) control_.SetFocused(false);
        return false;
      default: return false;
    }
  }

 private:
  TzbBarEditControl& control_;
};

// The rows of a combo's list drawn by the combo (its painter or its OnDrawItem) and measured by it.
class TComboDelegate : public QStyledItemDelegate {
 public:
  explicit TComboDelegate(TzbBarCustomCombo& combo, QObject* parent) : QStyledItemDelegate(parent), combo_(combo) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    TCanvas canvas(painter);
    canvas.Font.Font = option.font;
    combo_.DrawItem(canvas, index.row(), FromQRect(option.rect), option.state & QStyle::State_Selected);
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    int h = 0;
    combo_.MeasureItem(index.row(), h);
    return QSize(option.rect.width(), h);
  }

 private:
  TzbBarCustomCombo& combo_;
};

int StartsWithLength(const std::string& entry, const std::string& text) {
  const std::string a = AnsiUpperCase(entry), b = AnsiUpperCase(text);
  size_t n = 0;
  while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
  return static_cast<int>(n);
}

}  // namespace

// ---------------------------------------------------------------- items

bool TzbBarWindowItem::InheritsFrom(const char* c) const { return Is(c, kClassName) || TzbBarItem::InheritsFrom(c); }
bool TzbBarEdit::InheritsFrom(const char* c) const { return Is(c, kClassName) || TzbBarWindowItem::InheritsFrom(c); }
bool TCustomzbBarCombo::InheritsFrom(const char* c) const { return Is(c, kClassName) || TzbBarEdit::InheritsFrom(c); }
bool TzbBarCustomCombo::InheritsFrom(const char* c) const {
  return Is(c, kClassName) || TCustomzbBarCombo::InheritsFrom(c);
}
bool TzbBarCombo::InheritsFrom(const char* c) const { return Is(c, kClassName) || TzbBarCustomCombo::InheritsFrom(c); }

void TzbBarWindowItem::SetText(const std::string& value) {
  if (value == text_) return;
  text_ = value;
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
  if (value == showCaption_) return;
  showCaption_ = value;
  if (!IsLoading()) LayoutChanged();
}

void TzbBarEdit::SetWidth(int value) {
  value = std::max(value, 20);
  if (value == width_) return;
  width_ = value;
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
  return (w && w->IsMenu()) || showCaption_;
}

TCustomzbBarCombo::~TCustomzbBarCombo() = default;

void TCustomzbBarCombo::SetShowEditor(bool value) {
  if (value == !hideEditor_) return;
  hideEditor_ = !value;
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

QListWidget* TzbBarCustomCombo::ListBox() const { return list_.get(); }

QWidget* TzbBarCustomCombo::GetDropDownWindow() {
  if (QWidget* w = TCustomzbBarCombo::GetDropDownWindow()) return w;
  if (!list_) {
    list_ = std::make_unique<QListWidget>();
    list_->setProperty("zbDropDownWindow", true);
    MakeNonActivatingPopup(list_.get());
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setItemDelegate(new TComboDelegate(*this, list_.get()));
    list_->setUniformItemSizes(false);
    list_->setFrameShape(QFrame::Box);
    list_->setLineWidth(1);
  }
  return list_.get();
}

void TzbBarCustomCombo::SetSorted(bool value) {
  if (value == sorted_) return;
  sorted_ = value;
  if (sorted_) std::stable_sort(items_.begin(), items_.end(), [](const std::string& a, const std::string& b) {
    return CompareText(a, b) < 0;
  });
  itemIndex_ = -1;
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i] == text_) itemIndex_ = static_cast<int>(i);
  UpdateControls();
}

void TzbBarCustomCombo::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  if (sorted_) {
    sorted_ = false;
    SetSorted(true);
  }
  ItemsChanged();
}

void TzbBarCustomCombo::ItemsChanged() {
  if (itemIndex_ >= static_cast<int>(items_.size())) SetItemIndex(-1);
  else UpdateControls();
}

void TzbBarCustomCombo::SetItemIndex(int value) {
  if (value < 0 || value >= static_cast<int>(items_.size())) value = -1;
  if (value == itemIndex_) return;
  itemIndex_ = value;
  const std::string text = value < 0 ? std::string() : items_[value];
  if (text != text_) {
    TzbBarWindowItem::SetText(text);
  } else {
    UpdateControls();
    Change();
  }
}

void TzbBarCustomCombo::SetText(const std::string& value) {
  if (itemIndex_ < 0 || itemIndex_ >= static_cast<int>(items_.size()) || items_[itemIndex_] != value) {
    auto it = std::find(items_.begin(), items_.end(), value);
    itemIndex_ = it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
  }
  TzbBarWindowItem::SetText(value);
}

int TzbBarCustomCombo::GetCurItemIndex() const {
  for (int i = 0; i < LinkCount(); ++i)
    if (auto* c = dynamic_cast<TzbBarComboControl*>(GetLink(i)->Control()); c && c->Focused()) return c->CurrentIndex();
  return itemIndex_;
}

int TzbBarCustomCombo::FindEntry(const std::string& text) const {
  int best = -1, bestLength = 0;
  for (size_t i = 0; i < items_.size(); ++i) {
    const int n = StartsWithLength(items_[i], text);
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
  const QString text = index >= 0 && index < static_cast<int>(items_.size()) ? ToQString(items_[index]) : QString();
  BarManager().PainterClass().DrawComboListItem(canvas, rect, text, selected);
}

void TzbBarCustomCombo::MeasureItem(int index, int& height) {
  if (ItemHeight > 0) height = ItemHeight;
  else height = QFontMetrics(BarManager().BarFont()).height();
  if (OnMeasureItem) OnMeasureItem(*this, index, height);
}

void TzbBarCustomCombo::MeasureItemWidth(int index, int& width) {
  width = QFontMetrics(BarManager().BarFont()).horizontalAdvance(ToQString(items_[index])) + 2;
}

int TzbBarCustomCombo::GetDropDownWidth() {
  if (DropDownWidth > 0) return DropDownWidth;
  const bool scrolls = static_cast<int>(items_.size()) > DropDownCount;
  const int scrollWidth = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  int width = 0;
  for (int i = 0; i < LinkCount(); ++i)
    if (auto* c = dynamic_cast<TzbBarComboControl*>(GetLink(i)->Control()); c && c->Focused())
      width = c->Link().ItemRect.Width() - c->CaptionWidth() - 4;
  if (scrolls) width -= scrollWidth;
  for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
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
  for (const std::string& s : items_) list->addItem(ToQString(s));
  list->setFont(BarManager().BarFont());
  int height = 4;
  const int shown = std::min<int>(static_cast<int>(items_.size()), DropDownCount);
  for (int i = 0; i < shown; ++i) {
    int h = 0;
    MeasureItem(i, h);
    height += h;
  }
  list->setVerticalScrollBarPolicy(static_cast<int>(items_.size()) > DropDownCount ? Qt::ScrollBarAlwaysOn
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
  explicit TListCapture(QListWidget& list) : QObject(&list), list_(list) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::MouseButtonRelease || QWidget::mouseGrabber() != list_.viewport()) return false;
    list_.viewport()->releaseMouse();
    const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
    if (QListWidgetItem* item = list_.viewport()->rect().contains(p) ? list_.itemAt(p) : nullptr) {
      emit list_.itemClicked(item);
      return true;
    }
    return false;
  }

 private:
  QListWidget& list_;
};

void TzbBarCustomCombo::DropDownShown() {
  if (!list_ || !(QApplication::mouseButtons() & Qt::LeftButton)) return;
  if (!list_->property("zbCapture").toBool()) {
    list_->setProperty("zbCapture", true);
    list_->viewport()->installEventFilter(new TListCapture(*list_));
  }
  list_->viewport()->grabMouse();
}

void TzbBarCustomCombo::CloseUp() {
  if (list_ && QWidget::mouseGrabber() == list_->viewport()) list_->viewport()->releaseMouse();
  TCustomzbBarCombo::CloseUp();
}

// ---------------------------------------------------------------- edit control

TzbBarEditControl::TzbBarEditControl(TzbBarItemLink& link, TzbBarWindow& parent) : TzbBarItemControl(link, parent) {}

TzbBarEditControl::~TzbBarEditControl() {
  focused_ = false;
  if (edit_) {
    // The edit window's last focus and key events must not reach a control that is going.
    edit_->removeEventFilter(filter_.get());
    QObject::disconnect(edit_.data(), nullptr, filter_.get(), nullptr);
    edit_->hide();
  }
  delete edit_.data();
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
  editRect_ = Enabled() ? rr : TRect{};
  PaintText(dc, rr, view);  // a combo narrows the edit rectangle to its text part
  if (focused_ && Enabled()) PlaceEditor();
}

void TzbBarEditControl::PaintText(TCanvas& dc, const TRect& r, int) {
  if (focused_ && Enabled()) return;
  Parent().Manager().PainterClass().DrawEditText(*this, dc, r, ToQString(Edit().Text()), Edit().ReadOnly);
}

void TzbBarEditControl::PlaceEditor() {
  if (!edit_) return;
  TRect in;
  if (const TCustomzbBarControl* w = Window()) in = w->ClientInsets();
  TRect r = editRect_;
  if (Edit().HideEditor()) r.Right = r.Left;
  edit_->setGeometry(ToQRect(r).translated(in.Left, in.Top));
}

void TzbBarEditControl::Changed(TzbControlChange change) {
  if (change == TzbControlChange::Enabled && !Enabled() && focused_) SetFocused(false);
  TzbBarItemControl::Changed(change);
}

void TzbBarEditControl::SetFocused(bool value, bool byEscape) {
  if (value == focused_ || ending_) return;
  TzbBarManager& m = Parent().Manager();
  if (value) {
    TCustomzbBarControl* w = Window();
    QWidget* parentWidget = w ? w->Widget() : nullptr;
    if (!parentWidget) return;
    savedFocus_ = QApplication::focusWidget();
    if (!savedFocus_ || !savedFocus_->isVisible()) savedFocus_ = m.Form();
    if (!edit_) {
      edit_ = new QLineEdit(parentWidget);
      edit_->setProperty("zbInPlaceEdit", true);
      edit_->setFrame(false);
      filter_ = std::make_unique<TEditFilter>(*this);
      edit_->installEventFilter(filter_.get());
      QObject::connect(edit_.data(), &QLineEdit::textChanged, filter_.get(), [this]() { EditTextChanged(); });
    }
    focused_ = true;
    Active = true;
    edit_->setFont(parentWidget->font());
    edit_->setMaxLength(Edit().MaxLength() > 0 ? Edit().MaxLength() : std::numeric_limits<int>::max());
    edit_->setReadOnly(Edit().ReadOnly || Edit().HideEditor());
    PlaceEditor();
    edit_->show();
    m.PainterClass().PrepareEditWindow(*edit_);
    SetText(Edit().Text());
    edit_->setFocus(Qt::OtherFocusReason);
    Parent().RepaintControl(*this);
    return;
  }
  ending_ = true;
  focused_ = false;
  Active = false;
  const std::string text = GetText();
  if (edit_) edit_->hide();
  if (savedFocus_ && savedFocus_->isVisible()) savedFocus_->setFocus(Qt::OtherFocusReason);
  else if (m.Form()) m.Form()->setFocus(Qt::OtherFocusReason);
  ending_ = false;
  if (m.AlwaysSaveText && !byEscape) {
    Edit().SetText(text);
  }
  Parent().RepaintControl(*this);
}

std::string TzbBarEditControl::GetText() const { return edit_ ? FromQString(edit_->text()) : Edit().Text(); }

void TzbBarEditControl::SetText(const std::string& text) {
  if (!edit_) return;
  const bool changed = FromQString(edit_->text()) != text;
  settingText_ = true;
  edit_->setText(ToQString(text));
  settingText_ = false;
  if (Edit().HideEditor()) Parent().RepaintControl(*this);
  Parent().Manager().PainterClass().SelectEditText(*edit_, changed);
}

void TzbBarEditControl::BeforeClick(bool) {
  SetFocused(true);
  if (edit_ && focused_) edit_->selectAll();
}

void TzbBarEditControl::ControlInactivate(bool force) {
  SetFocused(false);
  TzbBarItemControl::ControlInactivate(force);
}

void TzbBarEditControl::StoreText() { Edit().SetText(GetText()); }

void TzbBarEditControl::EditTextChanged() {
  if (!settingText_) Edit().CurChange();
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

// ---------------------------------------------------------------- combo control

TzbBarComboControl::~TzbBarComboControl() {
  QObject::disconnect(clicked_);
  QObject::disconnect(rowChanged_);
  if (droppedDown_) {
    droppedDown_ = false;
    Combo().CloseUp();
  }
}

TzbBarCustomCombo& TzbBarComboControl::Combo() const { return static_cast<TzbBarCustomCombo&>(Item()); }

void TzbBarComboControl::PaintText(TCanvas& dc, const TRect& r, int view) {
  const TzbBarItemControlPainter& p = Parent().Manager().PainterClass();
  const int buttonWidth = p.GetComboButtonWidth(dc.TextWidth(QStringLiteral("0")));
  TRect text = r;
  text.Right -= buttonWidth + p.GetComboButtonGap();
  TRect button = r;
  button.Left = text.Right + p.GetComboButtonGap();
  ButtonRect = button;
  if (!Focused() || !Enabled()) {
    if (Combo().OnDrawItem) Combo().DrawItem(dc, Combo().GetCurItemIndex(), text, false);
    else p.DrawEditText(*this, dc, text, ToQString(Combo().Text()), Combo().ReadOnly);
  }
  p.DrawComboButton(*this, dc, IsSelected() || droppedDown_, droppedDown_, button);
  if (Enabled()) editRect_ = text;
}

void TzbBarComboControl::SetFocused(bool value, bool byEscape) {
  if (!value && droppedDown_) SetDroppedDown(false);
  if (value && !Focused()) {
    currentIndex_ = Combo().ItemIndex();
    if (currentIndex_ < 0) currentIndex_ = -1;
  }
  TzbBarEditControl::SetFocused(value, byEscape);
  if (value && Focused() && Enabled()) {
    // The text part ends at the button.
    Parent().RepaintControl(*this);
  }
}

void TzbBarComboControl::SetDroppedDown(bool value) {
  if (value == droppedDown_ || (value && Combo().ReadOnly)) return;
  droppedDown_ = value;
  Parent().RepaintControl(*this);
  if (!value) {
    QObject::disconnect(clicked_);
    QObject::disconnect(rowChanged_);
    Combo().CloseUp();
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
  Combo().DropDown(screen.X, screen.Y, onScreen, toRight);
  if (QListWidget* list = Combo().ListBox(); list && list->isVisible()) {
    QObject::disconnect(clicked_);
    QObject::disconnect(rowChanged_);
    clicked_ = QObject::connect(list, &QListWidget::itemClicked, list, [this, list](QListWidgetItem* item) {
      ListChosen(list->row(item));
    });
    rowChanged_ = QObject::connect(list, &QListWidget::currentRowChanged, list, [this](int row) { ListRowChanged(row); });
    SyncSelection();
  }
}

void TzbBarComboControl::BeforeClick(bool byMouse) {
  const bool wasOpen = droppedDown_;
  TzbBarEditControl::BeforeClick(byMouse);
  if (!byMouse || wasOpen) return;
  TCustomzbBarControl* w = Window();
  if (!w) return;
  const TPoint p = w->ScreenToClient(BarCursorPos());
  const TRect item = Link().ItemRect;
  const bool onButton = Combo().HideEditor() ? p.X >= item.Left + CaptionWidth() && PtInRect(item, p)
                                             : PtInRect(ButtonRect, p);
  if (onButton) SetDroppedDown(true);
}

void TzbBarComboControl::ControlInactivate(bool force) {
  SetDroppedDown(false);
  TzbBarEditControl::ControlInactivate(force);
}

void TzbBarComboControl::ShowEntry(int index) {
  currentIndex_ = index;
  SetText(index >= 0 ? Combo().Items()[index] : std::string());
  Combo().CurChange();
  if (Editor()) Editor()->selectAll();
}

bool TzbBarComboControl::EditKeyDown(QKeyEvent& e) {
  const int key = e.key();
  const unsigned shift = ShiftOf(e.modifiers());
  const int count = static_cast<int>(Combo().Items().size());
  if (key == Qt::Key_F4 || ((shift & ssAlt) && (key == Qt::Key_Up || key == Qt::Key_Down))) {
    SetDroppedDown(!droppedDown_);
    return true;
  }
  if (droppedDown_ && Combo().CheckKeyForDropDownWindow(key, shift)) {
    if (QWidget* list = Combo().GetDropDownWindow()) {
      QKeyEvent copy(e.type(), e.key(), e.modifiers(), e.text());
      QApplication::sendEvent(list, &copy);
      return true;
    }
  }
  if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) && currentIndex_ >= 0 &&
      currentIndex_ < count && Combo().Items()[currentIndex_] == GetText()) {
    SetDroppedDown(false);
    Combo().SetItemIndex(currentIndex_);
  }
  if (!droppedDown_ && shift == 0 && (key == Qt::Key_Up || key == Qt::Key_Down)) {
    const int next = currentIndex_ + (key == Qt::Key_Up ? -1 : 1);
    if (next >= 0 && next < count && !(currentIndex_ < 0 && key == Qt::Key_Up)) ShowEntry(next);
    else if (currentIndex_ < 0 && key == Qt::Key_Down && count > 0) ShowEntry(0);
    return true;
  }
  if (key == Qt::Key_Escape && droppedDown_) {
    SetDroppedDown(false);
    return true;
  }
  return TzbBarEditControl::EditKeyDown(e);
}

bool TzbBarComboControl::EditWheel(int lines) {
  if (droppedDown_) {
    if (QListWidget* list = Combo().ListBox()) list->verticalScrollBar()->setValue(list->verticalScrollBar()->value() + lines);
    return true;
  }
  const int next = currentIndex_ + lines;
  if (next >= 0 && next < static_cast<int>(Combo().Items().size())) ShowEntry(next);
  return true;
}

void TzbBarComboControl::StoreText() {
  const std::string text = GetText();
  if (currentIndex_ >= 0 && currentIndex_ < static_cast<int>(Combo().Items().size()) &&
      Combo().Items()[currentIndex_] == text)
    Combo().SetItemIndex(currentIndex_);
  else
    Combo().SetText(text);
}

void TzbBarComboControl::EditTextChanged() {
  TzbBarEditControl::EditTextChanged();
  if (!settingText_) SyncSelection();
}

void TzbBarComboControl::SyncSelection() {
  const std::string text = GetText();
  const auto& items = Combo().Items();
  if (!(currentIndex_ >= 0 && currentIndex_ < static_cast<int>(items.size()) && items[currentIndex_] == text))
    currentIndex_ = Combo().FindEntry(text);
  QListWidget* list = Combo().ListBox();
  if (!droppedDown_ || !list) return;
  const QSignalBlocker block(list);
  if (currentIndex_ >= 0 && SameText(items[currentIndex_], text)) {
    list->setCurrentRow(currentIndex_);
  } else {
    list->clearSelection();
    list->setCurrentRow(-1);
    if (currentIndex_ >= 0) list->scrollToItem(list->item(currentIndex_));
  }
}

void TzbBarComboControl::ListRowChanged(int row) {
  if (row < 0 || row >= static_cast<int>(Combo().Items().size())) return;
  currentIndex_ = row;
  SetText(Combo().Items()[row]);
  Combo().CurChange();
}

void TzbBarComboControl::ListChosen(int row) {
  if (row < 0 || row >= static_cast<int>(Combo().Items().size())) return;
  currentIndex_ = row;
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
