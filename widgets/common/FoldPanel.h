#pragma once
// A panel that the user folds away to a narrow strip and unfolds again by clicking the fold glyph
// in one of its corners. Its content sits on an inner panel that fills it except for the fold bar;
// while folded the inner panel is hidden, the panel keeps the glyph's size in its folding
// dimension and its caption is written along the strip.

#include "widgets/common/Paneles.h"

#include <functional>

namespace zyn {

class TFoldPanel;

enum TFoldStatus { fsExpanded, fsCollapsed };
enum TFoldPosition { fpLeftTop, fpRightTop, fpLeftBottom, fpRightBottom };
enum TFoldOrientation { foHorizontal, foVertical };
enum TBevelStyle { bsLowered, bsRaised };

enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum TDragMode { dmManual, dmAutomatic };
// source: the object the drag comes from (nullptr from another programme); the handler decides
// whether a drop is accepted (accept starts true).
using TDragOverEvent =
    std::function<void(QObject* sender, QObject* source, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(QObject* sender, QObject* source, int x, int y)>;

using TFoldClickEvent = std::function<void(QObject* sender, TFoldStatus status, bool& doFoldAction)>;

// The default glyphs: "EXPAND_H" 12 x 41, "COLLAPS_H" 41 x 12, "EXPAND_V" 41 x 12, "COLLAPS_V"
// 12 x 41; the bottom-left pixel (olive) is the transparent colour.
QImage DefaultFoldGlyph(const QString& name);

class TFoldPanelClient : public TPaneles {
  Q_OBJECT
 public:
  explicit TFoldPanelClient(TFoldPanel* owner);
  TFoldPanel* FoldPanel() const { return fOwner; }

  // Passes a mouse event of the inner panel on as the fold panel's, in the fold panel's coordinates.
  void PassOn(QMouseEvent* event, int kind);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  TFoldPanel* fOwner;
};

class TFoldPanel : public QWidget {
  Q_OBJECT
 public:
  explicit TFoldPanel(QWidget* parent = nullptr);
  ~TFoldPanel() override;

  TFoldPanelClient* Client() const { return fClient; }

  TFoldStatus FoldStatus() const { return fStatus; }
  void SetFoldStatus(TFoldStatus status);
  bool Folding() const { return fFolding; }
  void SetFolding(bool folding);
  const QString& Caption() const { return fCaption; }
  void SetCaption(const QString& caption);
  QFont& CaptionFont() { return fCaptionFont; }
  void SetCaptionFont(const QFont& font);
  const QImage& GlyphExpand() const { return fGlyphExpand; }
  void SetGlyphExpand(const QImage* glyph);  // nullptr: the default picture
  const QImage& GlyphCollaps() const { return fGlyphCollaps; }
  void SetGlyphCollaps(const QImage* glyph);
  bool Seperated() const { return fSeperated; }
  void SetSeperated(bool seperated);
  TBevelStyle SeperatorLineStyle() const { return fLineStyle; }
  void SetSeperatorLineStyle(TBevelStyle style);
  TFoldPosition FoldPosition() const { return fFoldPosition; }
  void SetFoldPosition(TFoldPosition position);
  TColor FoldActiveColor() const { return fActiveColor; }
  void SetFoldActiveColor(TColor color);
  TFoldOrientation Orientation() const { return fOrientation; }
  void SetOrientation(TFoldOrientation orientation);
  TBevelCut BevelInner() const { return fBevelInner; }
  void SetBevelInner(TBevelCut cut);
  TBevelCut BevelOuter() const { return fBevelOuter; }
  void SetBevelOuter(TBevelCut cut);
  int BevelWidth() const { return fBevelWidth; }
  void SetBevelWidth(int width);
  bool BorderSingle() const { return fBorderSingle; }
  void SetBorderSingle(bool single);
  TColor Color() const { return fColor; }
  void SetColor(TColor color);

  int CollapsedWidth() const;
  int CollapsedHeight() const;
  // The size in the folding dimension to return to when unfolding.
  int SavedSize() const { return fSavedSize; }
  int FoldBarThickness() const;
  // The glyph's hit area (where it was last painted).
  QRect GlyphRect() const;

  // The glyph click: OnFoldClick may veto, else the status toggles.
  virtual void GlyphClick();

  TFoldClickEvent OnFoldClick;
  TSenderEvent BeforeExpand, AfterExpand, BeforeCollaps, AfterCollaps;
  TSenderEvent OnClick, OnDblClick;
  // Mouse events of the panel and its inner panel, in the fold panel's coordinates.
  using TMouseEvent =
      std::function<void(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint& pos)>;
  TMouseEvent OnMouseDown, OnMouseMove, OnMouseUp;
  // Drag and key events of the panel and its inner panel, with the fold panel as sender and in its
  // coordinates.
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  // key may be set to 0 to swallow the key.
  using TKeyEvent = std::function<void(QObject* sender, int& key, Qt::KeyboardModifiers shift)>;
  using TKeyPressEvent = std::function<void(QObject* sender, QChar& key)>;
  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TSenderEvent OnEnter, OnExit;
  // Dragging the panel itself: with dmAutomatic a press on the panel (not on the glyph) and a move
  // of at least the platform's drag distance start BeginDrag.
  TDragMode DragMode() const { return fDragMode; }
  void SetDragMode(TDragMode mode) { fDragMode = mode; }
  TSenderEvent OnStartDrag;
  // target: the object the panel was dropped on (nullptr when the drag was cancelled); x, y in
  // its coordinates.
  std::function<void(QObject* sender, QObject* target, int x, int y)> OnEndDrag;
  // OnStartDrag, the drag itself, then OnEndDrag.
  void BeginDrag();
  // A press, move or release (kind 0, 1, 2) of the left button at a screen position, as the
  // automatic drag follows it.
  void TrackAutoDrag(int kind, const QPoint& globalPos, bool leftDown);

  // With TabStop the inner panel takes the focus and so the keys.
  bool TabStop() const;
  void SetTabStop(bool tabStop);

  // The drag events as the inner panel or the panel itself receive them; pos in the fold panel's
  // coordinates.
  void DragOverAt(QDropEvent* event, const QPoint& pos, TDragState state);
  void DropAt(QDropEvent* event, const QPoint& pos);
  // A key of the inner panel: OnKeyDown (and OnKeyPress for a character) or OnKeyUp; true when a
  // handler swallowed it.
  bool KeyAt(QKeyEvent* event, bool down);

 protected:
  // Runs the platform's drag and answers the object the panel was dropped on (nullptr when
  // cancelled) with the drop point in its coordinates.
  virtual QObject* ExecDrag(QPoint& dropPos);
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void childEvent(QChildEvent* event) override;

 private:
  void Fold();
  void Unfold();
  void LoadDefaultGlyphs();
  void MakeHighlights();
  void RealignClient();
  int BevelInset() const;
  void ApplySize(int size);
  const QImage& ShownGlyph() const;
  void AdoptChild(QWidget* child);

  TFoldPanelClient* fClient = nullptr;
  TFoldStatus fStatus = fsExpanded;
  bool fFolding = true;
  QString fCaption;
  QFont fCaptionFont;
  QImage fGlyphExpand, fGlyphCollaps, fHotExpand, fHotCollaps;
  bool fUserExpand = false, fUserCollaps = false;
  bool fSeperated = true;
  TBevelStyle fLineStyle = bsLowered;
  TFoldPosition fFoldPosition = fpLeftTop;
  TColor fActiveColor = 16776960;
  TFoldOrientation fOrientation = foVertical;
  TBevelCut fBevelInner = TBevelCut::bvNone, fBevelOuter = TBevelCut::bvRaised;
  int fBevelWidth = 1;
  bool fBorderSingle = false;
  TColor fColor = clBtnFace;
  int fSavedSize = 0;
  QSize fMinBefore, fMaxBefore;
  QRect fGlyphRect;
  bool fHot = false, fPressed = false, fButtonDown = false, fClicked = false;
  QPoint fPressPos;
  QPoint fDragPos;  // the last position of a drag over the panel
  TDragMode fDragMode = dmManual;
  bool fDragArmed = false;
  QPoint fDragStart;
  bool fConstructing = true;
};

}  // namespace zyn
