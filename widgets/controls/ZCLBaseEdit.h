#pragma once
// The text engine of the library's edits: text, caret, selection, undo, keyboard and mouse
// commands, clipboard and the default context menu. Measuring and drawing the text are left to
// the single-line edit built on it. Positions are 1-based: the caret p (1 <= p <= length + 1)
// stands before character p.

#include "widgets/controls/ZCLBuffer.h"
#include "widgets/controls/ZCLCustomControl.h"

#include <QPointer>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QMenu;

namespace zyn {

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// Messages of the platform's edit-control protocol.
enum : unsigned {
  WM_GETTEXTLENGTH = 0x000E,
  WM_CUT = 0x0300,
  WM_COPY = 0x0301,
  WM_PASTE = 0x0302,
  WM_CLEAR = 0x0303,
  EM_GETSEL = 0x00B0,
  EM_SETSEL = 0x00B1,
  EM_GETRECT = 0x00B2,
  EM_GETMODIFY = 0x00B8,
  EM_SETMODIFY = 0x00B9,
  EM_GETLINECOUNT = 0x00BA,
  EM_LINEINDEX = 0x00BB,
  EM_LINELENGTH = 0x00C1,
  EM_REPLACESEL = 0x00C2,
  EM_GETLINE = 0x00C4,
  EM_LIMITTEXT = 0x00C5,
  EM_CANUNDO = 0x00C6,
  EM_UNDO = 0x00C7,
  EM_LINEFROMCHAR = 0x00C9,
  EM_EMPTYUNDOBUFFER = 0x00CD,
  EM_GETFIRSTVISIBLELINE = 0x00CE,
  EM_SETREADONLY = 0x00CF,
  EM_GETLIMITTEXT = 0x00D5,
  EM_POSFROMCHAR = 0x00D6,
  EM_CHARFROMPOS = 0x00D7
};
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TZCLEditOption : unsigned { eoNarrowHeight = 1, eoSuppressDefaultMenu = 2 };
enum TZCLCaretStyle { csDefault, csBlock, csUnder, csOver, csBitmap, csUnderBlock };

using TZCLTextChangeEvent = std::function<void(QObject* Sender, int position)>;
using TKeyEvent = std::function<void(QObject* Sender, int& key, Qt::KeyboardModifiers shift)>;
using TKeyPressEvent = std::function<void(QObject* Sender, QChar& key)>;

// The caret of an edit. It blinks at BlinkRate (milliseconds per phase) inside its own edit
// only; the desktop's blink time is never touched.
class TZCLCaret : public TZCLObject {
 public:
  TZCLCaret();
  int BlinkRate() const { return fBlinkRate; }
  void SetBlinkRate(int value);
  TZCLCaretStyle Style() const { return fStyle; }
  void SetStyle(TZCLCaretStyle value);
  int Width() const { return fWidth; }
  void SetWidth(int value);
  int Height() const { return fHeight; }
  void SetHeight(int value);
  void Assign(const TZCLCaret& other);

 private:
  int fBlinkRate;
  TZCLCaretStyle fStyle = csDefault;
  int fWidth = 2;
  int fHeight = 10;
};

struct TZCLUndoRecord {
  QString NewText;
  QString ReplacedText;
  int SelStart = 1;
  int SelLength = 0;
  int NewLength = 0;
  int CaretPos = 1;
};

class TZCLBaseEdit : public TZCLCustomBevelPanel, public IZCLFaceEditState {
  Q_OBJECT
 public:
  bool GetModifiedState() const override { return FModified; }
  bool GetReadOnlyState() const override { return FReadOnly; }
  bool GetErrorState() const override { return false; }
  explicit TZCLBaseEdit(QWidget* parent = nullptr);
  ~TZCLBaseEdit() override;

  // Events.
  TZCLTextChangeEvent OnTextChangedAt;
  TZCLNotifyEvent OnCursorPosChanged;
  TZCLNotifyEvent OnModified;
  TZCLNotifyEvent OnChange;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;

  QString Text() const { return FText; }

  // The one path by which text changes: replaces the selection by s (empty s deletes).
  void ReplaceSelection(const QString& s);
  void Undo();
  bool CanUndo() const { return FCanUndo && !fUndo.Empty(); }
  // Empties the undo stack; CanUndo's flag stays as it is.
  void ClearUndo() { fUndo.Clear(); }
  // Empties the undo stack and clears the undo flag (the platform's empty-undo-buffer message).
  void EmptyUndoBuffer() {
    fUndo.Clear();
    FCanUndo = false;
  }
  int UndoCount() const { return fUndo.Count(); }
  // The undo records as a buffer stream (oldest first) and back; a stream that is not one leaves
  // the undo stack as it was.
  TZCLBufferBytes SaveUndoToStream() const;
  bool LoadUndoFromStream(const TZCLBufferBytes& stream);
  // Copies the line (the text in Windows-1252) into the caller's buffer, never more than its size;
  // answers the number of characters copied. No terminating zero is written.
  int GetLine(char* buffer, int bufferSize) const;
  // The platform's edit-control messages, answered as the edit engine does (positions 0-based,
  // texts in Windows-1252). EM_GETLINE honours the size word at the start of the caller's buffer.
  std::intptr_t EditMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void DeleteSelection();
  void SelectAll();

  int SelStart() const { return FSelStart; }
  int SelLength() const { return FSelLength; }
  QString SelText() const { return FText.mid(FSelStart - 1, FSelLength); }
  void SetSelStart(int value);
  void SetSelLength(int value);
  int CaretPos() const { return FCaretPos; }
  void SetCaretPos(int value);
  int ScrollX() const { return FScrollX; }

  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  bool Modified() const { return FModified; }
  void SetModified(bool value);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool value) { FAutoSelect = value; }
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool value);
  bool TabOnEnter() const { return FTabOnEnter; }
  void SetTabOnEnter(bool value) { FTabOnEnter = value; }
  bool FocusOnMouseAbove() const { return FFocusOnMouseAbove; }
  void SetFocusOnMouseAbove(bool value) { FFocusOnMouseAbove = value; }
  bool OEMConvert() const { return FOEMConvert; }
  void SetOEMConvert(bool value) { FOEMConvert = value; }
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase value) { FCharCase = value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  unsigned Options() const { return FOptions; }
  void SetOptions(unsigned value);
  TColor HighlightText() const { return FHighlightText; }
  void SetHighlightText(TColor value);
  TColor HighlightBack() const { return FHighlightBack; }
  void SetHighlightBack(TColor value);
  TZCLCaret& Caret() { return fCaret; }

  // An attached label kept beside the edit: 0 above, 1 below, 2 left, 3 right.
  QWidget* SubLabel() const { return FLabel.data(); }
  void SetSubLabel(QWidget* label);
  int LabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(int value);
  int LabelSpacing() const { return FLabelSpacing; }
  void SetLabelSpacing(int value);
  bool LabelSizeFollow() const { return FLabelSizeFollow; }
  void SetLabelSizeFollow(bool value);
  void PlaceLabel();

  // The default context menu (seven lines); the caller owns it.
  QMenu* CreateDefaultMenu(QWidget* parent);

  TRect FrameRect() const { return FFrameRect; }
  TRect TextArea() const { return FTextArea; }
  TRect TextRect() const { return FTextRect; }

 protected:
  // Abstract operations of the single-line edit.
  virtual void UpdateCaret() = 0;
  virtual int CharAtX(int x) = 0;
  virtual void PaintText(TCanvas& canvas) = 0;
  virtual void TextSetNotification() = 0;

  // Hooks and notifications.
  virtual void ChangeNotification();
  virtual void CursorPosNotification();
  virtual void TextChangedAt(int position);
  virtual void BeforeChange() {}
  virtual void AfterChange() {}
  virtual QString FilterText(const QString& s) { return s; }
  virtual void BeforeDelete(int start, const QString& deleted) {}
  virtual bool MayInsert() { return !FReadOnly; }
  virtual bool MayCopy() { return true; }
  virtual bool MayEdit() const { return FMayEdit; }
  // Key commands after OnKeyDown; true when the key was consumed.
  virtual bool KeyCommand(int key, Qt::KeyboardModifiers modifiers);
  // A typed character (after OnKeyPress).
  virtual void KeyPress(QChar ch);
  virtual void ShrinkTextArea(TRect& area) {}
  virtual void DoLayout();
  int TextHeight() const;
  void InsertTyped(QChar ch);
  // Sets the text without any check and notifies as a text assignment does.
  void StoreText(const QString& text);

  void Paint(TCanvas& canvas) override;
  void BevelChanged() override;
  void Loaded() override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

  // State kept as the engine's fields.
  QString FText;
  QString FInserting;  // the text of the ReplaceSelection being checked by MayInsert
  int FCaretPos = 1;
  int FSelStart = 1;
  int FSelLength = 0;
  int FAnchor = 1;
  int FScrollX = 0;
  int FMaxLength = 0;
  int FVerticalInset = 1;
  bool FMayEdit = true;
  bool FCanUndo = true;
  bool FUndoing = false;
  bool FTyping = false;
  bool FReadOnly = false;
  bool FModified = false;
  bool FAutoSelect = false;
  bool FHideSelection = true;
  bool FSelectionHiddenNow = true;
  bool FTabOnEnter = false;
  bool FFocusOnMouseAbove = false;
  bool FOEMConvert = false;
  bool FSelectAllToEnd = false;
  bool FSelectionAllowed = true;
  bool FExtendSelection = false;
  bool FDragMoveEnabled = true;
  bool FDragMove = false;
  bool FMouseDown = false;
  TEditCharCase FCharCase = ecNormal;
  TAlignment FAlignment = taLeftJustify;
  unsigned FOptions = 0;
  TColor FHighlightText = clHighlightText;
  TColor FHighlightBack = clHighlight;
  TRect FFrameRect;
  TRect FTextArea;
  TRect FTextRect;
  int FCaretX = 0;
  int FCaretY = 0;
  bool FCaretShown = false;
  bool FCaretPhase = true;

 private:
  void WordLeft();
  void WordRight();
  void SelectWordAtCaret();
  void StartCaret();
  void StopCaret();
  bool IsDelimiter(QChar c) const { return c == QLatin1Char(' '); }

  QPointer<QWidget> FLabel;
  int FLabelPosition = 0;
  int FLabelSpacing = 3;
  bool FLabelSizeFollow = false;
  TZCLCaret fCaret;
  TZCLDynLIFOBuffer<TZCLUndoRecord> fUndo;
  QTimer fBlinkTimer;
  QTimer fSelectionTimer;
  int fLastMouseX = 0;
};

}  // namespace zyn
