#pragma once
// The screen view of the display designer: the picture of one screen at an integer zoom, with
// placing, moving, editing and deleting of objects by mouse and keyboard, the text entry with its
// blinking caret, the line tool, and the emulator's surface (selection, key bars, jumps).

#include "display/ViewRules.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

namespace zyn {

class TDisplayObjekt;

// What a drag over the view carries.
enum class TViewDrag { None, Text, Variable, Grafik, Move, Channel };

// The mime type of the designer's drags; the payload is the number of the TViewDrag.
extern const char* const DesignerDragMime;

// The designer's pictures, drawn by the programme: glyph strip, cursors and key fields.
QImage GlyphStrip();
QImage CursorBitmap(bool visible);    // "Cursor" / "NoCursor", 8 x 8
QImage KeyFieldBitmap(bool twoRows);  // "LButton" 60 x 24 / "HButton" 60 x 32

class TView : public QWidget {
  Q_OBJECT
 public:
  explicit TView(QWidget* parent = nullptr);
  ~TView() override;

  // --- state ---
  TBildschirm* Screen = nullptr;
  TDisplayObjekt* Display = nullptr;  // owner of the screen: pairs, Modified, references
  TViewCursor ViewCursor;
  TRgb DisplayColor = Rgb(205, 205, 220);
  TRgb DisplayColorLight = Rgb(238, 238, 255);
  bool RasterOn = true;

  std::function<void(int x, int y)> OnChangeKoord;
  std::function<void()> OnChangeScreenObjects;
  std::function<void(const std::string& target)> OnEMUChangeScreen;
  // The designer's "Linie" tool: is it down, and release it.
  std::function<bool()> LineToolDown;
  std::function<void()> ReleaseLineTool;
  std::function<void()> ReleaseTextTool;
  // The designer's special-character routine (Ctrl+S): the chosen code or -1.
  std::function<int()> ChooseSpecialChar;
  // The channel dragged from the designer's trees: its name (at most 40 characters), its kind,
  // and a copy of its binding into a link (nothing when no channel is dragged).
  std::function<void(std::string& name, TKanalTyp& kind)> DraggedChannel;
  std::function<bool(TVarVerbindung& link)> CopyDraggedBinding;

  int Scale() const { return fScale; }
  void SetScale(int scale);
  void SetScreen(TDisplayObjekt* display, TBildschirm* screen);

  // --- painting ---
  void DrawScreen();
  // The picture as it stands (240·s x 128·s).
  const QImage& Picture() const { return fCanvas; }

  // --- objects ---
  void DeleteObject(TBasis* object);
  // The graphic the designer made; placed by a drop of the "Grafik" tool.
  void SetPendingGraphic(std::unique_ptr<TGrafik> graphic);
  TGrafik* PendingGraphic() const { return fPending.get(); }

  // Drag and drop in display pixels: may the drag be dropped at (x, y), and drop it.
  bool DragOverAt(TViewDrag kind, int x, int y);
  void DropAt(TViewDrag kind, int x, int y);
  // Starts moving the object under (x, y): the grab offset is kept for DragOverAt/DropAt(Move).
  bool GrabAt(int x, int y);
  TBasis* Grabbed() const { return fGrabbed; }

  // A click of the line tool at display pixel (x, y); the second click makes the line.
  void LineClick(int x, int y);
  void AbandonLine();
  bool LineStarted() const { return fLineStarted; }
  // Edits the object under (x, y) in its dialog (double click).
  void EditObjectAt(int x, int y);

  // --- text entry ---
  bool TextEntryRunning() const { return fEntry != nullptr; }
  TText* EntryText() const { return fEntry; }
  void StartTextEntry(TText* text);
  void InsertChar(uint8_t c);
  void DeleteLastChar();
  void EndTextEntry();
  bool CaretShown() const { return fCaretShown; }
  void CaretTick();

  // --- emulator ---
  void ResetEmulator();
  void StepEmulator(bool forward);
  void ShowSelection();
  TBasis* SelectedObject() const { return fSelectedObject; }
  void PressFunctionKey(const std::string& name);
  const std::string& JumpTargetName() const { return fJumpTarget; }

  // Disarms the view after a dialog so that the click which closed it does nothing; the view is
  // armed again by the next press or by the pointer moving over it with no button held.
  void Disarm() { fArmed = false; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Render();
  void DrawRaster();
  void DrawObject(TBasis& object);
  void DrawTextAt(const std::string& text, int x, int y);
  void DrawTextInverse(const std::string& text, int x, int y);
  void DrawKeyBar(TButtonListe& keys);
  void DrawCaret();
  void FillRect(int x, int y, int w, int h, TRgb colour);  // screen pixels
  void Changed();
  void ObjectsChanged();

  QImage fCanvas;
  QImage fStrip;
  QTimer fCaretTimer;
  int fScale = 5;
  std::unique_ptr<TGrafik> fPending;
  // mouse
  bool fArmed = true;
  bool fPressed = false;
  QPoint fPress;
  TBasis* fGrabbed = nullptr;
  int fGrabX = 0, fGrabY = 0;
  // text entry
  TText* fEntry = nullptr;
  bool fCaretShown = false;
  // line tool
  bool fLineStarted = false;
  int fLineX = 0, fLineY = 0;
  int fRubberX = -1, fRubberY = -1;
  // emulator
  TBasis* fSelectedObject = nullptr;
  std::string fJumpTarget;
};

}  // namespace zyn
