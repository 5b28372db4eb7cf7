#include "widgets/controls/ZCLCustomEdit.h"

#include "widgets/controls/ZCLEditAutoComplete.h"
#include "widgets/controls/ZCLSpeedButton.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>

#include <algorithm>

namespace zyn {

TZCLSpecialButton::TZCLSpecialButton(TZCLCustomEdit* edit, int index)
    : fButton(new TZCLSpeedButton(edit)), fIndex(index) {
  fButton->SetCtlXP(false);
  fButton->SetColor(clBtnFace);
  fButton->setCursor(Qt::ArrowCursor);
  fButton->SetTag(index);
  fButton->SetButtonStyle(edit->CustomButtonsStyle());
  fButton->OnClick = [this, edit](QObject*) { edit->ButtonClick(fIndex); };
  fButton->show();
}

TZCLSpecialButton::~TZCLSpecialButton() { delete fButton; }

void TZCLSpecialButton::SetCaption(const QString& caption) { fButton->SetCaption(caption); }
void TZCLSpecialButton::SetGlyph(const QImage& glyph) { fButton->SetGlyph(glyph); }
void TZCLSpecialButton::SetEnabled(bool enabled) { fButton->setEnabled(enabled); }
void TZCLSpecialButton::SetGroupIndex(int group) { fButton->SetGroupIndex(group); }
void TZCLSpecialButton::SetAllowAllUp(bool value) { fButton->SetAllowAllUp(value); }
void TZCLSpecialButton::SetHint(const QString& hint) { fButton->setToolTip(hint); }

TZCLSpecialButton* TZCLCustomEdit::AddCustomButton() {
  FCustomButtons.push_back(std::make_unique<TZCLSpecialButton>(this, CustomButtonCount()));
  DoLayout();
  AdjustHeight();
  update();
  return FCustomButtons.back().get();
}

void TZCLCustomEdit::DeleteCustomButton(int index) {
  if (index < 0 || index >= CustomButtonCount()) return;
  FCustomButtons.erase(FCustomButtons.begin() + index);
  for (int i = 0; i < CustomButtonCount(); ++i) {
    FCustomButtons[i]->fIndex = i;
    FCustomButtons[i]->fButton->SetTag(i);
  }
  DoLayout();
  update();
}

void TZCLCustomEdit::SetCustomButtonWidth(int value) {
  if (value == FCustomButtonWidth || value < 0) return;
  FCustomButtonWidth = value;
  if (!IsLoading() && !IsUpdating()) {
    DoLayout();
    update();
  }
}

void TZCLCustomEdit::SetCustomButtonsStyle(TZCLUserButtonStyle value) {
  if (value == FCustomButtonsStyle) return;
  FCustomButtonsStyle = value;
  for (auto& b : FCustomButtons) b->fButton->SetButtonStyle(value);
}

void TZCLCustomEdit::ButtonClick(int index) {
  if (index < 0 || index >= CustomButtonCount()) return;
  TZCLSpecialButton* item = FCustomButtons[index].get();
  if (item->OnClick) item->OnClick(this, index);
  if (OnBtnClick) OnBtnClick(this, item->fButton, index);
}

void TZCLCustomEdit::ShrinkTextArea(TRect& area) {
  TZCLBaseEdit::ShrinkTextArea(area);
  if (FCustomButtons.empty()) return;
  area.Right -= CustomButtonCount() * FCustomButtonWidth + 1;
  for (int i = 0; i < CustomButtonCount(); ++i)
    FCustomButtons[i]->fButton->setGeometry(area.Right + 1 + i * FCustomButtonWidth, area.Top, FCustomButtonWidth,
                                            area.Height());
}

TZCLCustomEdit::TZCLCustomEdit(QWidget* parent) : TZCLBaseEdit(parent) { FSelectAllToEnd = true; }

void TZCLCustomEdit::RefreshDisplayText() {
  FDisplayText = FPasswordChar.isNull() ? FText : QString(FText.size(), FPasswordChar);
}

void TZCLCustomEdit::SetText(const QString& value) {
  QString text = value;
  if (FMaxLength != 0 && text.size() > FMaxLength) text.truncate(FMaxLength);
  if (text == FText) return;
  StoreText(text);
}

void TZCLCustomEdit::TextSetNotification() {
  FSelLength = 0;
  FScrollX = 0;
  RefreshDisplayText();
  TextChangedAt(1);
  if (hasFocus()) UpdateCaret();
}

void TZCLCustomEdit::TextChangedAt(int position) {
  RefreshDisplayText();
  TZCLBaseEdit::TextChangedAt(position);
}

void TZCLCustomEdit::SetPasswordChar(QChar value) {
  if (value == FPasswordChar) return;
  FPasswordChar = value;
  TextChangedAt(1);
}

void TZCLCustomEdit::SetAutoSize(bool value) {
  if (value == FAutoSize) return;
  FAutoSize = value;
  AdjustHeight();
}

void TZCLCustomEdit::AdjustHeight() {
  if (!FAutoSize || IsLoading()) return;
  const int h = TextHeight() * 5 / 4;
  const int extra = Bevel().Mode() == bmWindows ? 5 : 2 * Bevel().BevelExtent();
  resize(std::max(width(), CustomButtonCount() * FCustomButtonWidth + 30), h + extra);
}

int TZCLCustomEdit::PrefixWidth(int count) const {
  QFont f = font();
  return QFontMetrics(f).horizontalAdvance(FDisplayText.left(count));
}

int TZCLCustomEdit::TextOrigin() const {
  const int textWidth = PrefixWidth(static_cast<int>(FDisplayText.size()));
  int x = FTextRect.Left;
  if (FAlignment == taRightJustify)
    x = FTextRect.Right - textWidth;
  else if (FAlignment == taCenter)
    x = FTextRect.Left + (FTextRect.Width() - textWidth) / 2;
  return x - FScrollX;
}

int TZCLCustomEdit::CharAtX(int x) {
  const int origin = TextOrigin();
  const int n = static_cast<int>(FDisplayText.size());
  const QFontMetrics fm(font());
  for (int i = 1; i <= n; ++i) {
    const int edge = PrefixWidth(i) + origin - fm.horizontalAdvance(FDisplayText.at(i - 1)) / 2;
    if (edge >= x) return i;
  }
  return n + 1;
}

void TZCLCustomEdit::UpdateCaret() {
  const int c = TextOrigin() + FScrollX - 1;
  int x = c + PrefixWidth(FCaretPos - 1) - FScrollX;
  const int L = FTextRect.Left, R = FTextRect.Right;
  if (x > R) {
    FScrollX += x - R + L + 2;
    update();
  } else if (x < L && FScrollX != 0) {
    FScrollX = std::max(0, FScrollX - std::abs(x) - L - 2);
    update();
  }
  x = c + PrefixWidth(FCaretPos - 1) - FScrollX;
  FCaretX = x + 1;
  FCaretY = FTextRect.Top;
}

void TZCLCustomEdit::PaintText(TCanvas& canvas) {
  if (IsUpdating()) return;
  canvas.Painter().save();
  canvas.SetClipRect(FTextArea);
  FillBackground(canvas, FTextArea, isEnabled() ? EffectiveColor() : clBtnFace);
  canvas.Font.Font = font();
  canvas.Font.Color = isEnabled() ? FontColor() : clGrayText;
  canvas.Brush.Style = bsClear;
  const int origin = TextOrigin();
  const int h = TextHeight();
  canvas.TextOut(origin, FTextRect.Top, FDisplayText);
  const bool showSelection = FSelLength > 0 && !(FSelectionHiddenNow && FHideSelection && !hasFocus());
  if (showSelection) {
    const int x1 = origin + PrefixWidth(FSelStart - 1);
    const int x2 = origin + PrefixWidth(FSelStart - 1 + FSelLength);
    const TRect band = Rect(std::max(x1, FTextRect.Left), FTextRect.Top, std::min(x2, FTextRect.Right),
                            std::min(FTextRect.Top + h, FTextRect.Bottom));
    canvas.Brush = TBrush{FHighlightBack, bsSolid, QImage()};
    canvas.FillRect(band);
    canvas.Painter().save();
    canvas.SetClipRect(band);
    canvas.Brush.Style = bsClear;
    canvas.Font.Color = FHighlightText;
    canvas.TextOut(origin, FTextRect.Top, FDisplayText);
    canvas.Painter().restore();
  }
  canvas.Painter().restore();
}

bool TZCLCustomEdit::PopupActive() const { return FAutoComplete && FAutoComplete->PopupOpen(); }

bool TZCLCustomEdit::KeyCommand(int key, Qt::KeyboardModifiers modifiers) {
  if (PopupActive()) {
    // The suggestion list takes Up and Down on their release; Enter and Esc close it.
    if (key == Qt::Key_Up || key == Qt::Key_Down) return true;
    if (key == Qt::Key_Escape) {
      FAutoComplete->CancelPopup();
      return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) FAutoComplete->AcceptPopup();
  }
  if (key == Qt::Key_Up)
    key = Qt::Key_Left;
  else if (key == Qt::Key_Down)
    key = Qt::Key_Right;
  // With text completion a Backspace over the completed rest also takes the typed character.
  if (key == Qt::Key_Backspace && TextCompletionActive() && FSelLength > 0 && FSelStart > 1) {
    --FSelStart;
    ++FSelLength;
  }
  const bool handled = TZCLBaseEdit::KeyCommand(key, modifiers);
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && FAutoComplete && FAutoComplete->Enabled() &&
      (FAutoComplete->AddUnknownOn() & aaControlReturn))
    FAutoComplete->AddUnknown(this, FText);
  return handled;
}

TZCLEditAutoComplete* TZCLCustomEdit::AutoComplete() const { return FAutoComplete.data(); }

void TZCLCustomEdit::SetAutoComplete(TZCLEditAutoComplete* value) { FAutoComplete = value; }

bool TZCLCustomEdit::TextCompletionActive() const {
  return FAutoComplete && FAutoComplete->Enabled() && (FAutoComplete->Mode() & amText);
}

void TZCLCustomEdit::keyReleaseEvent(QKeyEvent* event) {
  if (PopupActive() && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
    FAutoComplete->MoveSelection(event->key() == Qt::Key_Up ? -1 : 1);
    return;
  }
  TZCLBaseEdit::keyReleaseEvent(event);
}

void TZCLCustomEdit::AfterChange() {
  TZCLBaseEdit::AfterChange();
  if (FAutoComplete && FAutoComplete->Enabled() && (FAutoComplete->Mode() & amPopup) && !FCompleting && !FUndoing)
    FAutoComplete->UpdatePopup(this, FText);
  if (!TextCompletionActive() || FCompleting || !FTyping) return;
  const QString typed = FText;
  const QString entry = FAutoComplete->FindCompletion(typed);
  if (entry.size() <= typed.size()) return;
  FCompleting = true;
  FText = entry;
  const int typedEnd = static_cast<int>(typed.size()) + 1;
  TextChangedAt(typedEnd);
  FCaretPos = typedEnd;
  FSelStart = typedEnd;
  FSelLength = static_cast<int>(entry.size() - typed.size());
  FCompleting = false;
  update();
}

void TZCLCustomEdit::focusOutEvent(QFocusEvent* event) {
  if (PopupActive()) FAutoComplete->CancelPopup();
  TZCLBaseEdit::focusOutEvent(event);
  if (FAutoComplete && FAutoComplete->Enabled() && (FAutoComplete->AddUnknownOn() & aaControlExit))
    FAutoComplete->AddUnknown(this, FText);
}

void TZCLCustomEdit::Loaded() {
  TZCLBaseEdit::Loaded();
  AdjustHeight();
}

void TZCLCustomEdit::BevelChanged() {
  TZCLBaseEdit::BevelChanged();
  AdjustHeight();
}

void TZCLCustomEdit::changeEvent(QEvent* event) {
  TZCLBaseEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange) AdjustHeight();
}

}  // namespace zyn
