#include "widgets/controls/ZCLBaseEdit.h"

#include "platform/LibraryTexts.h"
#include "platform/QtText.h"
#include "widgets/controls/ZCLApplication.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <algorithm>
#include <cstring>

namespace zyn {

TZCLCaret::TZCLCaret() : fBlinkRate(std::max(1, QApplication::cursorFlashTime() / 2)) {}

void TZCLCaret::SetBlinkRate(int value) {
  if (value == fBlinkRate) return;
  fBlinkRate = value;
  Changed();
}

void TZCLCaret::SetStyle(TZCLCaretStyle value) {
  if (value == fStyle) return;
  fStyle = value;
  Changed();
}

void TZCLCaret::SetWidth(int value) {
  if (value == fWidth) return;
  fWidth = value;
  Changed();
}

void TZCLCaret::SetHeight(int value) {
  if (value == fHeight) return;
  fHeight = value;
  Changed();
}

void TZCLCaret::Assign(const TZCLCaret& other) {
  fBlinkRate = other.fBlinkRate;
  fWidth = other.fWidth;
  fHeight = other.fHeight;
  fStyle = other.fStyle;
  Changed();
}

TZCLBaseEdit::TZCLBaseEdit(QWidget* parent) : TZCLCustomBevelPanel(parent) {
  Bevel().SetMode(bmWindows);
  SetColor(clWindow);
  resize(width(), 21);
  setCursor(Qt::IBeamCursor);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, true);
  fCaret.SetOwner(this);
  fCaret.OnChange = [this](QObject*) {
    if (FCaretShown) StartCaret();
  };
  connect(&fBlinkTimer, &QTimer::timeout, this, [this] {
    FCaretPhase = !FCaretPhase;
    update();
  });
  fSelectionTimer.setInterval(200);
  connect(&fSelectionTimer, &QTimer::timeout, this, [this] {
    if (FDragMove) return;
    FExtendSelection = FSelectionAllowed && FSelLength >= 0;
    SetCaretPos(CharAtX(fLastMouseX));
    FExtendSelection = false;
  });
  DoLayout();
}

TZCLBaseEdit::~TZCLBaseEdit() = default;

void TZCLBaseEdit::DoLayout() {
  FFrameRect = BevelClientRect();
  FTextArea = FFrameRect;
  ShrinkTextArea(FTextArea);
  FVerticalInset = (FOptions & eoNarrowHeight) ? 0 : 1;
  FTextRect =
      Rect(FTextArea.Left + 1, FTextArea.Top + FVerticalInset, FTextArea.Right - 1, FTextArea.Bottom - FVerticalInset);
}

int TZCLBaseEdit::TextHeight() const { return QFontMetrics(font()).height(); }

void TZCLBaseEdit::StoreText(const QString& text) {
  FText = text;
  FCaretPos = 1;
  FAnchor = 1;
  FSelStart = 1;
  FSelLength = 0;
  TextSetNotification();
}

void TZCLBaseEdit::ChangeNotification() {
  if (OnChange) OnChange(this);
}

void TZCLBaseEdit::CursorPosNotification() {
  UpdateCaret();
  if (OnCursorPosChanged) OnCursorPosChanged(this);
}

void TZCLBaseEdit::TextChangedAt(int position) {
  if (!IsUpdating()) update();
  if (IsLoading() || IsUpdating()) return;
  if (OnTextChangedAt) OnTextChangedAt(this, position);
  ChangeNotification();
}

void TZCLBaseEdit::ReplaceSelection(const QString& text) {
  FInserting = text;
  if (!MayInsert()) return;
  QString s = text;
  // The range to replace.
  int start = FSelStart;
  int length = FSelLength;
  const int size = static_cast<int>(FText.size());
  if (length > 0) {
    if (start + length - 2 >= 0 && start + length - 2 < size && FText[start + length - 2] == QLatin1Char('\r') &&
        start + length - 1 < size)
      ++length;
    if (start >= 2 && FText[start - 2] == QLatin1Char('\n')) {
      --start;
      ++length;
    }
  } else {
    if (start >= 2 && FText[start - 2] == QLatin1Char('\n')) --start;
    if (!ZCLApplication().InsertMode() && !s.isEmpty() && start <= size) {
      length = (FText[start - 1] == QLatin1Char('\r') && start < size) ? 2 : 1;
    }
  }
  start = std::clamp(start, 1, size + 1);
  length = std::clamp(length, 0, size + 1 - start);
  const int savedStart = FSelStart, savedLength = FSelLength;
  FSelStart = start;
  FSelLength = length;
  s = FilterText(s);
  FSelStart = savedStart;
  FSelLength = savedLength;
  // A text that would not fit is refused before anything changes.
  if (FMaxLength != 0 && size - length + s.size() > FMaxLength) return;
  if (length == 0 && s.isEmpty()) return;

  BeforeChange();
  if (!FUndoing) {
    fUndo.Push({s, FText.mid(start - 1, length), FSelStart, FSelLength, static_cast<int>(s.size()), FCaretPos});
    FCanUndo = true;
  }
  const int oldSelStart = FSelStart;
  BeforeDelete(start, FText.mid(start - 1, length));
  FText.remove(start - 1, length);
  FSelLength = 0;
  FText.insert(start - 1, s);
  const int newCaret = start + static_cast<int>(s.size());
  SetModified(true);
  TextChangedAt(oldSelStart);
  FAnchor = FCaretPos;
  FCaretPos = std::min(newCaret, static_cast<int>(FText.size()) + 1);
  FSelLength = 0;
  FSelStart = FCaretPos;
  if (FText.isEmpty()) FScrollX = 0;
  AfterChange();
  CursorPosNotification();
  update();
}

void TZCLBaseEdit::Undo() {
  if (!FCanUndo || fUndo.Empty()) return;
  const TZCLUndoRecord r = *fUndo.Pop();
  FSelStart = r.SelStart;
  FSelLength = r.NewLength;
  // The record's start is where the new text went in; with a grown range use the record's values.
  FUndoing = true;
  ReplaceSelection(r.ReplacedText);
  FUndoing = false;
  FCanUndo = !fUndo.Empty();
  FCaretPos = std::clamp(r.CaretPos, 1, static_cast<int>(FText.size()) + 1);
  FSelStart = r.SelStart;
  FSelLength = std::min(r.SelLength, static_cast<int>(FText.size()) + 1 - FSelStart);
  CursorPosNotification();
  update();
}

void TZCLBaseEdit::CopyToClipboard() {
  if (!MayCopy() || FSelLength == 0) return;
  QApplication::clipboard()->setText(SelText());
}

void TZCLBaseEdit::CutToClipboard() {
  if (!MayCopy() || FSelLength == 0) return;
  CopyToClipboard();
  DeleteSelection();
}

void TZCLBaseEdit::PasteFromClipboard() {
  if (!MayCopy()) return;
  const QString text = QApplication::clipboard()->text();
  if (!text.isEmpty()) ReplaceSelection(text);
}

void TZCLBaseEdit::DeleteSelection() {
  if (FSelLength > 0) ReplaceSelection(QString());
}

void TZCLBaseEdit::SelectAll() {
  if (FSelectAllToEnd) {
    FCaretPos = static_cast<int>(FText.size()) + 1;
  }
  FSelStart = 1;
  FSelLength = static_cast<int>(FText.size());
  FSelectionHiddenNow = false;
  CursorPosNotification();
  update();
}

void TZCLBaseEdit::SetSelStart(int value) {
  value = std::clamp(value, 1, static_cast<int>(FText.size()) + 1);
  if (value == FSelStart) return;
  FSelStart = value;
  FSelLength = std::min(FSelLength, static_cast<int>(FText.size()) + 1 - FSelStart);
  update();
}

void TZCLBaseEdit::SetSelLength(int value) {
  value = std::clamp(value, 0, static_cast<int>(FText.size()) + 1 - FSelStart);
  if (value == FSelLength) return;
  FSelLength = value;
  if (value == 0) FSelStart = FCaretPos;
  update();
}

void TZCLBaseEdit::SetCaretPos(int value) {
  value = std::clamp(value, 1, static_cast<int>(FText.size()) + 1);
  const int old = FCaretPos;
  FAnchor = old;
  FCaretPos = value;
  if (!FTyping && !FDragMove) {
    if (!FSelectionAllowed) ZCLApplication().ClearShift();
    if (ZCLApplication().ShiftDown() || FExtendSelection) {
      if (FSelLength == 0) {
        FSelStart = std::min(FAnchor, value);
        FSelLength = std::abs(value - FAnchor);
      } else {
        const int a = FSelStart, b = FSelStart + FSelLength;
        const int fixed = (old == a) ? b : a;
        FSelStart = std::min(fixed, value);
        FSelLength = std::abs(value - fixed);
      }
    } else {
      FSelStart = value;
      FSelLength = 0;
    }
  }
  CursorPosNotification();
  update();
}

void TZCLBaseEdit::SetMaxLength(int value) { FMaxLength = std::max(0, value); }

void TZCLBaseEdit::SetReadOnly(bool value) {
  if (value == FReadOnly) return;
  FReadOnly = value;
  update();
}

void TZCLBaseEdit::SetModified(bool value) {
  if (value == FModified) return;
  FModified = value;
  if (OnModified) OnModified(this);
}

void TZCLBaseEdit::SetHideSelection(bool value) {
  if (value == FHideSelection) return;
  FHideSelection = value;
  update();
}

void TZCLBaseEdit::SetAlignment(TAlignment value) {
  if (value == FAlignment) return;
  FAlignment = value;
  FScrollX = 0;
  UpdateCaret();
  update();
}

void TZCLBaseEdit::SetOptions(unsigned value) {
  if (value == FOptions) return;
  FOptions = value;
  DoLayout();
  update();
}

void TZCLBaseEdit::SetHighlightText(TColor value) {
  FHighlightText = value;
  update();
}

void TZCLBaseEdit::SetHighlightBack(TColor value) {
  FHighlightBack = value;
  update();
}

void TZCLBaseEdit::InsertTyped(QChar ch) {
  if (FCharCase == ecUpperCase)
    ch = ch.toUpper();
  else if (FCharCase == ecLowerCase)
    ch = ch.toLower();
  FTyping = true;
  ReplaceSelection(QString(ch));
  FTyping = false;
}

void TZCLBaseEdit::KeyPress(QChar ch) {
  if (!MayEdit()) return;
  if (OnKeyPress) OnKeyPress(this, ch);
  if (ch.isNull() || ch.unicode() < 32 || ch.unicode() == 127) return;
  InsertTyped(ch);
}

void TZCLBaseEdit::WordLeft() {
  int p = FCaretPos;
  while (p > 1 && IsDelimiter(FText[p - 2])) --p;
  while (p > 1 && !IsDelimiter(FText[p - 2])) --p;
  SetCaretPos(p);
}

void TZCLBaseEdit::WordRight() {
  const int n = static_cast<int>(FText.size());
  int p = FCaretPos;
  if (p <= n && IsDelimiter(FText[p - 1])) ++p;
  while (p <= n && !IsDelimiter(FText[p - 1])) ++p;
  SetCaretPos(p);
}

void TZCLBaseEdit::SelectWordAtCaret() {
  const int n = static_cast<int>(FText.size());
  int s = FCaretPos, e = FCaretPos;
  while (s > 1 && !IsDelimiter(FText[s - 2])) --s;
  while (e <= n && !IsDelimiter(FText[e - 1])) ++e;
  BeginUpdate();
  FCaretPos = e;
  FSelStart = s;
  FSelLength = e - s;
  EndUpdate(true);
  CursorPosNotification();
}

bool TZCLBaseEdit::KeyCommand(int key, Qt::KeyboardModifiers modifiers) {
  const bool shift = modifiers & Qt::ShiftModifier;
  const bool ctrl = modifiers & Qt::ControlModifier;
  const bool alt = modifiers & Qt::AltModifier;
  const int n = static_cast<int>(FText.size());
  switch (key) {
    case Qt::Key_Backspace:
      if (MayEdit() && !FReadOnly && !(FCaretPos == 1 && FSelLength == 0)) {
        if (FSelLength == 0) {
          int len = 1;
          if (FCaretPos > 2 && FText[FCaretPos - 2] == QLatin1Char('\n') && FText[FCaretPos - 3] == QLatin1Char('\r'))
            len = 2;
          FSelStart = FCaretPos - len;
          FSelLength = len;
        }
        DeleteSelection();
        if (FText.isEmpty()) FScrollX = 0;
      }
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (FTabOnEnter && !ctrl) {
        focusNextPrevChild(true);
        return true;
      }
      return false;
    case Qt::Key_Escape:
      SetSelLength(0);
      return false;
    case Qt::Key_End: {
      int p = static_cast<int>(FText.indexOf(QLatin1Char('\r'), FCaretPos - 1));
      SetCaretPos(p < 0 ? n + 1 : p + 1);
      return true;
    }
    case Qt::Key_Home:
      if (ctrl)
        SetCaretPos(1);
      else {
        const int p = FCaretPos >= 2 ? static_cast<int>(FText.lastIndexOf(QLatin1Char('\n'), FCaretPos - 2)) : -1;
        SetCaretPos(p < 0 ? 1 : p + 2);
      }
      return true;
    case Qt::Key_Left:
      if (ctrl)
        WordLeft();
      else if (FCaretPos == 1 && !shift)
        SetSelLength(0);
      else {
        int step = 1;
        if (FCaretPos > 2 && FText[FCaretPos - 2] == QLatin1Char('\n')) step = 2;
        SetCaretPos(FCaretPos - step);
      }
      return true;
    case Qt::Key_Right:
      if (ctrl)
        WordRight();
      else if (FCaretPos == n + 1 && !shift)
        SetSelLength(0);
      else {
        int step = 1;
        if (FCaretPos <= n - 1 && FText[FCaretPos - 1] == QLatin1Char('\r')) step = 2;
        SetCaretPos(FCaretPos + step);
      }
      return true;
    case Qt::Key_Insert:
      if (shift) {
        if (MayEdit()) PasteFromClipboard();
      } else if (ctrl) {
        CopyToClipboard();
      } else if (!alt) {
        ZCLApplication().ToggleInsertMode();
      }
      return true;
    case Qt::Key_Delete:
      if (MayEdit()) {
        if (shift)
          CutToClipboard();
        else if (!FReadOnly && !FText.isEmpty()) {
          if (FSelLength == 0 && FCaretPos <= n) {
            FSelStart = FCaretPos;
            FSelLength = (FText[FCaretPos - 1] == QLatin1Char('\r') && FCaretPos < n) ? 2 : 1;
          }
          DeleteSelection();
        }
      }
      return true;
    default:
      break;
  }
  if (ctrl && !alt) {
    switch (key) {
      case Qt::Key_A:
        SelectAll();
        return true;
      case Qt::Key_C:
        CopyToClipboard();
        return true;
      case Qt::Key_V:
        if (MayEdit()) PasteFromClipboard();
        return true;
      case Qt::Key_X:
        if (MayEdit()) CutToClipboard();
        return true;
      default:
        break;
    }
  }
  return false;
}

void TZCLBaseEdit::keyPressEvent(QKeyEvent* event) {
  int key = event->key();
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  if (OnKeyDown) OnKeyDown(this, key, modifiers);
  if (key == 0) return;
  const int oldLength = FSelLength;
  bool handled = false;
  if (isEnabled()) {
    ZCLApplication().SetModifiers(modifiers & Qt::ShiftModifier, modifiers & Qt::ControlModifier,
                                  modifiers & Qt::AltModifier);
    handled = KeyCommand(key, modifiers);
    ZCLApplication().SetModifiers(false, false, false);
  }
  if (!handled) {
    const QString text = event->text();
    if (!text.isEmpty() && !(modifiers & (Qt::ControlModifier | Qt::AltModifier)) && key != Qt::Key_Escape) {
      for (QChar ch : text) KeyPress(ch);
      handled = true;
    }
  }
  if (oldLength != FSelLength) update();
  if (!handled) event->ignore();
}

void TZCLBaseEdit::StartCaret() {
  FCaretShown = true;
  FCaretPhase = true;
  fBlinkTimer.start(std::max(1, fCaret.BlinkRate()));
  update();
}

void TZCLBaseEdit::StopCaret() {
  FCaretShown = false;
  fBlinkTimer.stop();
  update();
}

void TZCLBaseEdit::focusInEvent(QFocusEvent* event) {
  TZCLCustomBevelPanel::focusInEvent(event);
  DoLayout();
  StartCaret();
  FSelectionHiddenNow = false;
  if (FAutoSelect && event->reason() != Qt::MouseFocusReason) SelectAll();
  UpdateCaret();
  update();
}

void TZCLBaseEdit::focusOutEvent(QFocusEvent* event) {
  TZCLCustomBevelPanel::focusOutEvent(event);
  if (FHideSelection) FSelectionHiddenNow = true;
  StopCaret();
}

void TZCLBaseEdit::mousePressEvent(QMouseEvent* event) {
  if (!isEnabled()) return;
  const int x = static_cast<int>(event->position().x());
  fLastMouseX = x;
  if (event->button() != Qt::LeftButton) return;
  FMouseDown = true;
  if (!hasFocus()) setFocus(Qt::MouseFocusReason);
  const int p = CharAtX(x);
  if (FDragMoveEnabled && FSelLength > 0 && p > FSelStart && p < FSelStart + FSelLength) {
    FDragMove = true;
    setCursor(Qt::DragMoveCursor);
  } else {
    ZCLApplication().SetModifiers((event->modifiers() & Qt::ShiftModifier) && FSelectionAllowed, false, false);
    SetCaretPos(p);
    ZCLApplication().SetModifiers(false, false, false);
  }
  fSelectionTimer.start();
}

void TZCLBaseEdit::mouseMoveEvent(QMouseEvent* event) {
  fLastMouseX = static_cast<int>(event->position().x());
  if (event->buttons() != Qt::LeftButton || !FMouseDown || FDragMove) return;
  FExtendSelection = FSelectionAllowed;
  SetCaretPos(CharAtX(fLastMouseX));
  FExtendSelection = false;
}

void TZCLBaseEdit::mouseReleaseEvent(QMouseEvent* event) {
  const int x = static_cast<int>(event->position().x());
  if (event->button() == Qt::RightButton && isEnabled()) {
    if (FOptions & eoSuppressDefaultMenu) return;
    if (contextMenuPolicy() == Qt::CustomContextMenu) {
      emit customContextMenuRequested(event->position().toPoint());
      return;
    }
    QMenu* menu = CreateDefaultMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPosition().toPoint());
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  fSelectionTimer.stop();
  FMouseDown = false;
  if (!FDragMove) return;
  FDragMove = false;
  setCursor(Qt::IBeamCursor);
  int drop = CharAtX(x);
  const int a = FSelStart, b = FSelStart + FSelLength;
  if (drop >= a && drop <= b) {
    SetCaretPos(drop);
    return;
  }
  QString moved = SelText();
  if (moved.endsWith(QLatin1Char('\r'))) {
    moved.chop(1);
    --FSelLength;
  }
  const int movedLength = static_cast<int>(moved.size());
  DeleteSelection();
  if (drop > a) drop -= movedLength;
  FCaretPos = drop;
  FSelStart = drop;
  FSelLength = 0;
  ReplaceSelection(moved);
  SetCaretPos(drop);
}

void TZCLBaseEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && FSelectionAllowed) SelectWordAtCaret();
}

void TZCLBaseEdit::enterEvent(QEnterEvent* event) {
  TZCLCustomBevelPanel::enterEvent(event);
  if (FFocusOnMouseAbove && isEnabled() && !hasFocus()) setFocus(Qt::MouseFocusReason);
}

void TZCLBaseEdit::changeEvent(QEvent* event) {
  TZCLCustomBevelPanel::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    DoLayout();
    update();
  }
  if (event->type() == QEvent::EnabledChange && FLabel) FLabel->setEnabled(isEnabled());
}

void TZCLBaseEdit::SetSubLabel(QWidget* label) {
  FLabel = label;
  PlaceLabel();
}

void TZCLBaseEdit::SetLabelPosition(int value) {
  if (value < 0 || value > 3 || value == FLabelPosition) return;
  FLabelPosition = value;
  PlaceLabel();
}

void TZCLBaseEdit::SetLabelSpacing(int value) {
  if (value == FLabelSpacing) return;
  FLabelSpacing = value;
  PlaceLabel();
}

void TZCLBaseEdit::SetLabelSizeFollow(bool value) {
  if (value == FLabelSizeFollow) return;
  FLabelSizeFollow = value;
  PlaceLabel();
}

void TZCLBaseEdit::PlaceLabel() {
  if (!FLabel) return;
  if (FLabel->parentWidget() != parentWidget()) FLabel->setParent(parentWidget());
  int w = FLabel->width(), h = FLabel->height();
  if (FLabelSizeFollow) {
    if (FLabelPosition <= 1)
      w = width();
    else
      h = height();
  }
  int x = this->x(), y = this->y();
  switch (FLabelPosition) {
    case 0:
      y = this->y() - h - FLabelSpacing;
      break;
    case 1:
      y = this->y() + height() + FLabelSpacing;
      break;
    case 2:
      x = this->x() - w - FLabelSpacing;
      break;
    default:
      x = this->x() + width() + FLabelSpacing;
      break;
  }
  FLabel->setGeometry(x, y, w, h);
  FLabel->setEnabled(isEnabled());
  FLabel->setVisible(isVisibleTo(parentWidget() ? parentWidget() : this) && !isHidden());
}

void TZCLBaseEdit::moveEvent(QMoveEvent* event) {
  TZCLCustomBevelPanel::moveEvent(event);
  PlaceLabel();
}

void TZCLBaseEdit::showEvent(QShowEvent* event) {
  TZCLCustomBevelPanel::showEvent(event);
  if (FLabel) FLabel->show();
}

void TZCLBaseEdit::hideEvent(QHideEvent* event) {
  TZCLCustomBevelPanel::hideEvent(event);
  if (FLabel) FLabel->hide();
}

QMenu* TZCLBaseEdit::CreateDefaultMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  const bool selection = FSelLength > 0;
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  const bool clipboardText = mime && mime->hasText();
  menu->addAction(LibraryQText("&Undo"), this, [this] { Undo(); })->setEnabled(CanUndo());
  menu->addSeparator();
  menu->addAction(LibraryQText("&Cut"), this, [this] { CutToClipboard(); })->setEnabled(selection && !FReadOnly);
  menu->addAction(LibraryQText("&Copy"), this, [this] { CopyToClipboard(); })->setEnabled(selection);
  menu->addAction(LibraryQText("&Paste"), this, [this] { PasteFromClipboard(); })
      ->setEnabled(clipboardText && !FReadOnly);
  menu->addAction(LibraryQText("&Delete"), this, [this] { DeleteSelection(); })->setEnabled(selection);
  menu->addSeparator();
  menu->addAction(LibraryQText("Select all"), this, [this] { SelectAll(); })->setEnabled(!FText.isEmpty());
  return menu;
}

void TZCLBaseEdit::Paint(TCanvas& canvas) {
  if (IsUpdating()) return;
  TZCLCustomBevelPanel::Paint(canvas);
  PaintText(canvas);
  if (FCaretShown && FCaretPhase && hasFocus()) {
    const int h = TextHeight();
    int w = 1, ch = h, y = FCaretY;
    switch (fCaret.Style()) {
      case csBlock:
        w = fCaret.Width();
        ch = fCaret.Height();
        break;
      case csUnder:
        w = fCaret.Width();
        ch = 1;
        y += h - 3;
        break;
      case csOver:
        w = fCaret.Width();
        ch = 1;
        break;
      case csUnderBlock:
        w = fCaret.Width();
        ch = fCaret.Height();
        y += h - fCaret.Height() - 2;
        break;
      default:
        break;
    }
    canvas.Painter().fillRect(QRect(FCaretX, y, w, ch), ToQColor(FontColor()));
  }
}

void TZCLBaseEdit::BevelChanged() {
  DoLayout();
  TZCLCustomBevelPanel::BevelChanged();
}

void TZCLBaseEdit::Loaded() {
  DoLayout();
  PlaceLabel();
  update();
}

void TZCLBaseEdit::resizeEvent(QResizeEvent* event) {
  TZCLCustomBevelPanel::resizeEvent(event);
  DoLayout();
  UpdateCaret();
  PlaceLabel();
}

// ---------------------------------------------------------------- undo stream, line copy

namespace {

void PutInt(TZCLBufferBytes& out, std::int32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
}

void PutText(TZCLBufferBytes& out, const QString& text) {
  const std::string ansi = FromQString(text);
  PutInt(out, static_cast<std::int32_t>(ansi.size()));
  out.insert(out.end(), ansi.begin(), ansi.end());
}

bool GetInt(const TZCLBufferBytes& in, std::size_t& pos, std::int32_t& v) {
  if (in.size() < pos + 4) return false;
  std::uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(in[pos + i]) << (8 * i);
  v = static_cast<std::int32_t>(u);
  pos += 4;
  return true;
}

bool GetText(const TZCLBufferBytes& in, std::size_t& pos, QString& text) {
  std::int32_t n = 0;
  if (!GetInt(in, pos, n) || n < 0 || in.size() - pos < static_cast<std::size_t>(n)) return false;
  text = ToQString(std::string_view(reinterpret_cast<const char*>(in.data() + pos), static_cast<std::size_t>(n)));
  pos += static_cast<std::size_t>(n);
  return true;
}

// One undo record: new text, replaced text (each a 32-bit length and Windows-1252 bytes), then
// SelStart, SelLength, the new text's length and the caret position as 32-bit numbers.
TZCLBufferBytes UndoRecordBytes(const TZCLUndoRecord& r) {
  TZCLBufferBytes out;
  PutText(out, r.NewText);
  PutText(out, r.ReplacedText);
  PutInt(out, r.SelStart);
  PutInt(out, r.SelLength);
  PutInt(out, r.NewLength);
  PutInt(out, r.CaretPos);
  return out;
}

std::optional<TZCLUndoRecord> UndoRecordOf(const TZCLBufferBytes& in) {
  TZCLUndoRecord r;
  std::size_t pos = 0;
  std::int32_t v[4];
  if (!GetText(in, pos, r.NewText) || !GetText(in, pos, r.ReplacedText)) return std::nullopt;
  for (std::int32_t& x : v)
    if (!GetInt(in, pos, x)) return std::nullopt;
  if (pos != in.size() || v[0] < 1 || v[1] < 0 || v[2] < 0 || v[3] < 1) return std::nullopt;
  r.SelStart = v[0];
  r.SelLength = v[1];
  r.NewLength = v[2];
  r.CaretPos = v[3];
  return r;
}

}  // namespace

TZCLBufferBytes TZCLBaseEdit::SaveUndoToStream() const { return fUndo.SaveToStream(UndoRecordBytes); }

bool TZCLBaseEdit::LoadUndoFromStream(const TZCLBufferBytes& stream) {
  return fUndo.LoadFromStream(stream, UndoRecordOf);
}

int TZCLBaseEdit::GetLine(char* buffer, int bufferSize) const {
  if (!buffer || bufferSize <= 0) return 0;
  const std::string ansi = FromQString(FText);
  const int n = std::min(bufferSize, static_cast<int>(ansi.size()));
  std::memcpy(buffer, ansi.data(), static_cast<std::size_t>(n));
  return n;
}

std::intptr_t TZCLBaseEdit::EditMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  const int length = static_cast<int>(FText.size());
  switch (message) {
    case WM_GETTEXTLENGTH:
    case EM_LINELENGTH:
      return length;
    case WM_CUT:
      CutToClipboard();
      return 0;
    case WM_COPY:
      CopyToClipboard();
      return 0;
    case WM_PASTE:
      if (MayEdit()) PasteFromClipboard();
      return 0;
    case WM_CLEAR:
      DeleteSelection();
      return 0;
    case EM_GETSEL: {
      const std::uint32_t start = static_cast<std::uint32_t>(FSelStart - 1);
      const std::uint32_t end = static_cast<std::uint32_t>(FSelStart - 1 + FSelLength);
      if (wParam) *reinterpret_cast<std::uint32_t*>(wParam) = start;
      if (lParam) *reinterpret_cast<std::uint32_t*>(lParam) = end;
      return static_cast<std::intptr_t>((end << 16) | (start & 0xFFFF));
    }
    case EM_SETSEL: {
      const auto start = static_cast<std::int32_t>(wParam);
      const auto end = static_cast<std::int32_t>(lParam);
      if (start == -1) {
        SetSelLength(0);
      } else if (start == 0 && end == -1) {
        SelectAll();
      } else {
        SetCaretPos(start + 1);
        FSelStart = FCaretPos;
        FSelLength = std::clamp(end - FSelStart + 1, 0, length + 1 - FSelStart);
        update();
      }
      return 0;
    }
    case EM_GETRECT:
      if (lParam) *reinterpret_cast<TRect*>(lParam) = FTextRect;
      return 0;
    case EM_GETMODIFY:
      return FModified ? 1 : 0;
    case EM_SETMODIFY:
      SetModified(wParam != 0);
      return 0;
    case EM_GETLINECOUNT:
      return 1;
    case EM_LINEINDEX:
    case EM_LINEFROMCHAR:
    case EM_GETFIRSTVISIBLELINE:
      return 0;
    case EM_REPLACESEL: {
      const char* text = reinterpret_cast<const char*>(lParam);
      ReplaceSelection(text ? ToQString(std::string_view(text)) : QString());
      if (wParam == 0) ClearUndo();
      return 0;
    }
    case EM_GETLINE: {
      // The first 16-bit word of the buffer holds its size in characters.
      auto* buffer = reinterpret_cast<char*>(lParam);
      if (!buffer) return 0;
      std::uint16_t size = 0;
      std::memcpy(&size, buffer, sizeof(size));
      return GetLine(buffer, size);
    }
    case EM_LIMITTEXT:
      SetMaxLength(static_cast<int>(wParam));
      return 0;
    case EM_GETLIMITTEXT:
      return FMaxLength;
    case EM_CANUNDO:
      return FCanUndo ? 1 : 0;
    case EM_UNDO:
      Undo();
      return FCanUndo ? 1 : 0;
    case EM_EMPTYUNDOBUFFER:
      EmptyUndoBuffer();
      return 0;
    case EM_SETREADONLY:
      SetReadOnly(wParam != 0);
      return 1;
    case EM_POSFROMCHAR: {
      const int n = std::clamp(static_cast<int>(wParam), 0, length);
      const int x = QFontMetrics(font()).horizontalAdvance(FText.left(n)) + FTextRect.Left - FScrollX;
      return static_cast<std::intptr_t>(static_cast<std::uint16_t>(x));
    }
    default:
      return 0;  // ignored here (multi-line and formatting messages)
  }
}

}  // namespace zyn
