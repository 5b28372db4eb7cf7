#pragma once
// "Grafikeditor": a small paint program for the pictures of display screens. It edits one
// picture at a time and saves it as a monochrome (1 bit per pixel) BMP file.

#include <QImage>
#include <QMainWindow>
#include <QPen>

#include <functional>
#include <memory>
#include <string>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QScrollArea;
class QToolButton;

namespace zyn {

class TLinientype;
class TFarbtausch;
class TPreview;

enum TGrafikTool : int {
  gtFreihand = 0,
  gtLinie = 1,
  gtKreis = 2,
  gtRechteck = 3,
  gtFarbe = 4,
  gtFuellen = 5,
  gtSpray = 6,
  gtRundRechteck = 7,
  gtRadierer = 8,
  gtMarkieren = 9,
  gtText = 10
};

class TGraphicEditor;

// The drawing surface: the visible part of the picture at the zoom, with the rubber band and the
// floating selection on top.
class TGrafikView : public QWidget {
 public:
  explicit TGrafikView(TGraphicEditor& editor);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  TGraphicEditor& fEditor;
};

class TGraphicEditor : public QMainWindow {
  Q_OBJECT
 public:
  explicit TGraphicEditor(QWidget* parent = nullptr);
  ~TGraphicEditor() override;

  // --- state ---
  QImage Document;
  QImage UndoCopy;
  struct TFloating {
    QImage Image;
    QPoint Pos;  // view pixels
    bool Active = false;
    bool Moved = false;
  } Selection;
  bool Modified = false;
  std::string FileName;  // UTF-8, empty for a new picture
  int Zoom = 1;
  int GridStep = 1;
  int Tool = gtFreihand;
  QPoint StartPt, EndPt;  // picture pixels
  QPen Pen{Qt::black, 1, Qt::SolidLine};
  QBrush Brush{Qt::white, Qt::NoBrush};
  QFont TextFont;
  bool GridShown = false;
  QPoint Scroll;  // picture pixels

  // Tests replace the file choices and the text input.
  std::function<std::string()> AskOpenFile;
  std::function<std::string()> AskSaveFile;
  std::function<bool(int& width, int& height)> AskNewSize;
  std::function<bool(QStringList& lines, QFont& font)> AskText;

  // --- views ---
  TGrafikView* View = nullptr;
  QScrollArea* Scroller = nullptr;
  QComboBox* CBZoom = nullptr;
  QComboBox* CBGrid = nullptr;
  QLabel* LStatus = nullptr;
  QToolButton* ToolButtons[11] = {};
  QAction* ActPaste = nullptr;
  QAction* ActCopy = nullptr;
  QAction* ActCut = nullptr;
  QAction* ActCopyTo = nullptr;
  QAction* ActNewFromClipboard = nullptr;
  TPreview* Overview = nullptr;

  // --- file ---
  // Asks to save a modified picture: false when the user cancels nothing (Yes/No only).
  void AskSaveChanges();
  void LoadCommand();
  bool LoadFile(const std::string& fileName);
  void NewCommand();
  void NewFromClipboard();
  bool SaveCommand();
  bool SaveAsCommand();
  bool SaveFile(const std::string& fileName);

  // --- edit ---
  void UndoCommand();
  void CutCommand();
  void CopyCommand();
  void PasteCommand();
  void DeleteCommand();
  void CopyToCommand();
  void PasteFromCommand();
  void SelectAll();

  // --- special, on the floating selection ---
  void InvertSelection();
  void MirrorSelection(bool horizontal);
  void ScaleSelection(int percent);
  void ReplaceColour(const QColor& from, const QColor& to);
  void Brighten();

  // --- mouse, in view pixels ---
  void MouseDown(QPoint view, Qt::MouseButton button);
  void MouseMove(QPoint view, Qt::MouseButtons buttons);
  void MouseUp(QPoint view, Qt::MouseButton button);
  void DropSelection();
  void SetZoom(int zoom);
  void SetGridText(const QString& text);
  QPoint ToDocument(QPoint view, bool snap = true) const;

  // The shape being dragged (shown only in the view), if any.
  bool RubberBand() const { return fRubber; }
  // Repaints the view and the overview.
  void Repaint();
  // The overview at zoom 3 and more: the picture as it stands, the visible part framed.
  void UpdateOverview();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void BuildTools();
  void UpdateView();
  void MakeUndo();
  void DrawShape(QImage& target, QPoint from, QPoint to, bool forGood);
  void FloodFill(QPoint at, const QColor& colour);
  void Spray(QPainter& p, QPoint at);
  void SetDocument(const QImage& image);

  bool fDragSelection = false;
  QPoint fGrab;
  bool fRubber = false;
  Qt::MouseButton fButton = Qt::NoButton;
  TLinientype* fPenDialog = nullptr;
  TFarbtausch* fColourDialog = nullptr;
};

}  // namespace zyn
