#include "display/ui/Grafikeditor.h"

#include "display/GrafikRules.h"
#include "display/ViewRules.h"
#include "display/ui/GrafikDialoge.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "widgets/common/WidgetText.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace zyn {

namespace {


struct TToolInfo {
  const char* Hint;
  Qt::CursorShape Cursor;
};
const TToolInfo kTools[11] = {
    {"Freihand", Qt::CrossCursor},
    {"Linie", Qt::CrossCursor},
    {"Kreis", Qt::CrossCursor},
    {"Rechteck", Qt::CrossCursor},
    {"Farbe übernehmen", Qt::PointingHandCursor},
    {"Füllen", Qt::PointingHandCursor},
    {"Spraydose", Qt::CrossCursor},
    {"Rechteck", Qt::CrossCursor},
    {"Radiergummi", Qt::CrossCursor},
    {"Markieren", Qt::CrossCursor},
    {"Text", Qt::IBeamCursor},
};

// The pictures of the tool buttons.
QIcon ToolIcon(int tool) {
  QPixmap p(20, 20);
  p.fill(Qt::transparent);
  QPainter g(&p);
  g.setPen(QPen(Qt::black, 1));
  switch (tool) {
    case gtFreihand:
      g.drawPolyline(QPolygon({QPoint(2, 16), QPoint(6, 8), QPoint(10, 12), QPoint(14, 4), QPoint(18, 8)}));
      break;
    case gtLinie:
      g.drawLine(2, 17, 17, 2);
      break;
    case gtKreis:
      g.drawEllipse(2, 4, 15, 11);
      break;
    case gtRechteck:
      g.drawRect(2, 4, 15, 11);
      break;
    case gtFarbe:
      g.setBrush(Qt::black);
      g.drawLine(3, 17, 12, 8);
      g.drawEllipse(11, 3, 6, 6);
      break;
    case gtFuellen:
      g.setBrush(Qt::gray);
      g.drawPolygon(QPolygon({QPoint(4, 8), QPoint(10, 2), QPoint(16, 8), QPoint(10, 14)}));
      g.drawLine(16, 8, 17, 16);
      break;
    case gtSpray:
      for (auto pt : {QPoint(4, 4), QPoint(8, 6), QPoint(5, 10), QPoint(11, 3), QPoint(12, 9), QPoint(7, 14)})
        g.drawPoint(pt);
      g.drawRect(12, 12, 5, 6);
      break;
    case gtRundRechteck:
      g.drawRoundedRect(2, 4, 15, 11, 4, 4);
      break;
    case gtRadierer:
      g.setBrush(Qt::white);
      g.drawRect(3, 8, 13, 7);
      g.fillRect(3, 8, 5, 7, Qt::black);
      break;
    case gtMarkieren:
      g.setPen(QPen(Qt::black, 1, Qt::DotLine));
      g.drawRect(2, 3, 15, 13);
      break;
    default:
      g.setFont(QFont(QStringLiteral("Sans"), 11, QFont::Bold));
      g.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, QStringLiteral("A"));
      break;
  }
  return QIcon(p);
}

QIcon CommandIcon(const char* what) {
  QPixmap p(20, 20);
  p.fill(Qt::transparent);
  QPainter g(&p);
  g.setPen(Qt::black);
  const QString w = QString::fromLatin1(what);
  if (w == QLatin1String("new")) {
    g.setBrush(Qt::white);
    g.drawRect(4, 2, 11, 15);
  } else if (w == QLatin1String("cut")) {
    g.drawEllipse(3, 12, 5, 5);
    g.drawEllipse(11, 12, 5, 5);
    g.drawLine(6, 12, 13, 2);
    g.drawLine(13, 12, 6, 2);
  } else if (w == QLatin1String("copy")) {
    g.setBrush(Qt::white);
    g.drawRect(2, 2, 9, 11);
    g.drawRect(8, 6, 9, 11);
  } else if (w == QLatin1String("paste")) {
    g.setBrush(QColor(200, 160, 90));
    g.drawRect(3, 4, 13, 14);
    g.setBrush(Qt::white);
    g.drawRect(7, 8, 9, 10);
  } else if (w == QLatin1String("save")) {
    g.setBrush(QColor(60, 60, 140));
    g.drawRect(2, 2, 15, 15);
    g.fillRect(5, 3, 9, 5, Qt::white);
  } else if (w == QLatin1String("font")) {
    g.setFont(QFont(QStringLiteral("Serif"), 12));
    g.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, QStringLiteral("F"));
  } else if (w == QLatin1String("pen")) {
    g.setPen(QPen(Qt::black, 3));
    g.drawLine(3, 16, 16, 3);
  } else {
    for (int y = 3; y < 18; y += 4)
      for (int x = 3; x < 18; x += 4) g.drawPoint(x, y);
  }
  return QIcon(p);
}

bool IsBlack(QRgb c) { return qGray(c) < 128; }

}  // namespace

// ------------------------------------------------------------------------------------------------

TGrafikView::TGrafikView(TGraphicEditor& editor) : fEditor(editor) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

void TGrafikView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int z = fEditor.Zoom;
  p.fillRect(rect(), palette().color(QPalette::Dark));
  if (fEditor.Document.isNull()) return;
  QImage shown = fEditor.Document;
  if (fEditor.RubberBand()) {
    // The shape being dragged: a copy shows it, the picture stays as it is.
    QPainter band(&shown);
    band.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    band.setPen(QPen(Qt::white, 1, fEditor.Tool == gtMarkieren ? Qt::DotLine : Qt::SolidLine));
    band.setBrush(Qt::NoBrush);
    const QRect r = QRect(fEditor.StartPt, fEditor.EndPt).normalized().adjusted(0, 0, -1, -1);
    switch (fEditor.Tool) {
      case gtKreis:
        band.drawEllipse(r);
        break;
      case gtLinie:
        band.drawLine(fEditor.StartPt, fEditor.EndPt);
        break;
      case gtRundRechteck:
        band.drawRoundedRect(r, r.width() / 8.0, r.height() / 8.0);
        break;
      default:
        band.drawRect(r);
        break;
    }
  }
  p.drawImage(QRect(0, 0, shown.width() * z, shown.height() * z), shown);
  if (fEditor.GridShown && fEditor.GridStep >= 10 && z == 1) {
    p.setPen(Qt::black);
    for (int y = 0; y < shown.height(); y += fEditor.GridStep)
      for (int x = 0; x < shown.width(); x += fEditor.GridStep) p.drawPoint(x, y);
  }
  if (z == 20) {
    p.setPen(Qt::black);
    for (int x = 0; x <= shown.width() * z; x += 20) p.drawLine(x, 0, x, shown.height() * z);
    for (int y = 0; y <= shown.height() * z; y += 20) p.drawLine(0, y, shown.width() * z, y);
  }
  if (fEditor.Selection.Active) {
    const auto& s = fEditor.Selection;
    const QRect r(s.Pos, s.Image.size() * z);
    p.drawImage(r, s.Image);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.drawRect(r.adjusted(0, 0, -1, -1));
  }
}

void TGrafikView::mousePressEvent(QMouseEvent* event) {
  fEditor.MouseDown(event->position().toPoint(), event->button());
}
void TGrafikView::mouseMoveEvent(QMouseEvent* event) {
  fEditor.MouseMove(event->position().toPoint(), event->buttons());
}
void TGrafikView::mouseReleaseEvent(QMouseEvent* event) {
  fEditor.MouseUp(event->position().toPoint(), event->button());
}

void TGrafikView::keyPressEvent(QKeyEvent* event) {
  const int step = event->modifiers() & Qt::ShiftModifier ? 8 : 1;
  QPoint d;
  switch (event->key()) {
    case Qt::Key_Left:
      d = QPoint(-step, 0);
      break;
    case Qt::Key_Right:
      d = QPoint(step, 0);
      break;
    case Qt::Key_Up:
      d = QPoint(0, -step);
      break;
    case Qt::Key_Down:
      d = QPoint(0, step);
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  if (fEditor.Tool == gtText) {
    QWidget::keyPressEvent(event);
    return;
  }
  QCursor::setPos(QCursor::pos() + d);
  event->accept();
}

// ------------------------------------------------------------------------------------------------

TGraphicEditor::TGraphicEditor(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(TranslatedText("Grafikeditor"));
  setAttribute(Qt::WA_DeleteOnClose, false);
  TextFont = QFont(QStringLiteral("Sans"), 8);
  View = new TGrafikView(*this);
  Scroller = new QScrollArea;
  Scroller->setWidget(View);
  Scroller->setBackgroundRole(QPalette::Dark);
  setCentralWidget(Scroller);
  LStatus = new QLabel;
  statusBar()->addWidget(LStatus);
  Overview = new TPreview(this);
  AskOpenFile = [this] {
    TLadenDialog dialog(this);
    dialog.exec();
    return dialog.ChosenFile();
  };
  AskSaveFile = [this] {
    QFileDialog dialog(this, TranslatedText("Bild sichern unter ..."), FileName.empty() ? GraphicsFolder() : QString(),
                       TranslatedText("Bitmap *.bmp") + QStringLiteral(" (*.bmp)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::string();
    return dialog.selectedFiles().first().toStdString();
  };
  AskNewSize = [this](int& w, int& h) {
    TDateiNeu dialog(this);
    if (dialog.exec() != QDialog::Accepted) return false;
    w = dialog.PictureWidth;
    h = dialog.PictureHeight;
    return true;
  };
  AskText = [this](QStringList& lines, QFont& font) {
    TEditor dialog(TextFont, this);
    if (dialog.exec() != QDialog::Accepted) return false;
    lines = dialog.Memo->toPlainText().split(QLatin1Char('\n'));
    font = dialog.ChosenFont();
    return true;
  };
  BuildMenus();
  BuildTools();
  resize(700, 500);
  // A new picture of the panel's graphic area to draw on at once: white, 240 x 104 pixels.
  QImage blank(PanelWidth, TextAreaHeight, QImage::Format_RGB32);
  blank.fill(Qt::white);
  SetDocument(blank);
  MakeUndo();
  connect(Scroller->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { UpdateOverview(); });
  connect(Scroller->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { UpdateOverview(); });
}

TGraphicEditor::~TGraphicEditor() = default;

void TGraphicEditor::BuildMenus() {
  QMenu* file = menuBar()->addMenu(TranslatedText("Datei"));
  file->addAction(TranslatedText("&Laden"), this, &TGraphicEditor::LoadCommand);
  file->addAction(TranslatedText("&Neu"), this, &TGraphicEditor::NewCommand);
  ActNewFromClipboard = file->addAction(TranslatedText("Neu aus Zwischenablage"), this, &TGraphicEditor::NewFromClipboard);
  file->addAction(TranslatedText("&Sichern"), QKeySequence(Qt::CTRL | Qt::Key_S), this, [this] { SaveCommand(); });
  file->addAction(TranslatedText("Sichern &als"), this, [this] { SaveAsCommand(); });
  file->addAction(TranslatedText("&Exit"), this, &QWidget::close);
  connect(file, &QMenu::aboutToShow, this,
          [this] { ActNewFromClipboard->setEnabled(!QApplication::clipboard()->image().isNull()); });

  QMenu* edit = menuBar()->addMenu(TranslatedText("Bearbeiten"));
  edit->addAction(TranslatedText("Rückgängig"), QKeySequence(Qt::CTRL | Qt::Key_Z), this, &TGraphicEditor::UndoCommand);
  ActCut = edit->addAction(TranslatedText("Ausschneiden"), QKeySequence(Qt::CTRL | Qt::Key_X), this, &TGraphicEditor::CutCommand);
  ActCopy = edit->addAction(TranslatedText("Kopieren"), QKeySequence(Qt::CTRL | Qt::Key_C), this, &TGraphicEditor::CopyCommand);
  ActPaste = edit->addAction(TranslatedText("Einfügen"), QKeySequence(Qt::CTRL | Qt::Key_V), this, &TGraphicEditor::PasteCommand);
  edit->addAction(TranslatedText("Löschen"), QKeySequence(Qt::Key_Delete), this, &TGraphicEditor::DeleteCommand);
  ActCopyTo = edit->addAction(TranslatedText("Kopieren nach ..."), this, &TGraphicEditor::CopyToCommand);
  edit->addAction(TranslatedText("Einfügen aus ..."), this, &TGraphicEditor::PasteFromCommand);
  edit->addAction(TranslatedText("Alles markieren"), this, &TGraphicEditor::SelectAll);
  connect(edit, &QMenu::aboutToShow, this, [this] {
    ActPaste->setEnabled(!QApplication::clipboard()->image().isNull());
    for (QAction* a : {ActCopyTo, ActCopy, ActCut}) a->setEnabled(Selection.Active);
  });

  QMenu* special = menuBar()->addMenu(TranslatedText("Spezial"));
  special->addAction(TranslatedText("Farbtausch "), this, [this] {
    if (!fColourDialog) {
      fColourDialog = new TFarbtausch(this);
      connect(fColourDialog->BApply, &QPushButton::clicked, this,
              [this] { ReplaceColour(fColourDialog->Fore, fColourDialog->Back); });
      connect(fColourDialog->BBrighten, &QPushButton::clicked, this, &TGraphicEditor::Brighten);
    }
    DropSelection();
    MakeUndo();
    fColourDialog->SetColours(Pen.color(), Brush.color());
    fColourDialog->show();
  });
  special->addAction(TranslatedText("Invertieren"), this, &TGraphicEditor::InvertSelection);
  special->addAction(TranslatedText("Spiegeln horizontal"), this, [this] { MirrorSelection(true); });
  special->addAction(TranslatedText("Spiegeln vertikal"), this, [this] { MirrorSelection(false); });
  special->addAction(TranslatedText("Vergrößern 10%"), this, [this] { ScaleSelection(110); });
  special->addAction(TranslatedText("Verkleinern 10%"), QKeySequence(Qt::KeypadModifier | Qt::Key_Slash), this,
                     [this] { ScaleSelection(90); });
}

void TGraphicEditor::BuildTools() {
  QToolBar* bar = addToolBar(TranslatedText("Werkzeuge"));
  for (int t = 0; t < 11; ++t) {
    auto* b = new QToolButton;
    b->setCheckable(true);
    b->setAutoExclusive(true);
    b->setIcon(ToolIcon(t));
    b->setToolTip(TranslatedText(kTools[t].Hint));
    connect(b, &QToolButton::clicked, this, [this, t] {
      DropSelection();
      Tool = t;
      View->setCursor(kTools[t].Cursor);
    });
    bar->addWidget(b);
    ToolButtons[t] = b;
  }
  ToolButtons[0]->setChecked(true);
  bar->addSeparator();
  bar->addAction(CommandIcon("new"), TranslatedText("Datei Neu"), this, &TGraphicEditor::NewCommand);
  bar->addAction(CommandIcon("cut"), TranslatedText("Ausschneiden"), this, &TGraphicEditor::CutCommand);
  bar->addAction(CommandIcon("copy"), TranslatedText("Kopieren"), this, &TGraphicEditor::CopyCommand);
  bar->addAction(CommandIcon("paste"), TranslatedText("Einfügen"), this, &TGraphicEditor::PasteCommand);
  bar->addAction(CommandIcon("save"), TranslatedText("Save"), this, [this] { SaveCommand(); });
  bar->addAction(CommandIcon("font"), TranslatedText("Schriftart"), this, [this] {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, TextFont, this);
    if (ok) TextFont = f;
  });
  bar->addAction(CommandIcon("pen"), TranslatedText("Stift"), this, [this] {
    if (!fPenDialog) {
      fPenDialog = new TLinientype(this);
      fPenDialog->OnChange = [this](Qt::PenStyle style, int width, Qt::BrushStyle pattern) {
        Pen.setStyle(style);
        Pen.setWidth(width);
        Brush.setStyle(pattern);
      };
    }
    fPenDialog->show();
  });
  QAction* grid = bar->addAction(CommandIcon("grid"), TranslatedText("Gitter"));
  grid->setCheckable(true);
  connect(grid, &QAction::toggled, this, [this](bool on) {
    GridShown = on;
    View->update();
  });
  CBZoom = new QComboBox;
  for (int z = 1; z <= 20; ++z) CBZoom->addItem(QStringLiteral("x %1").arg(z));
  connect(CBZoom, &QComboBox::activated, this, [this](int index) { SetZoom(index + 1); });
  bar->addWidget(CBZoom);
  CBGrid = new QComboBox;
  CBGrid->setEditable(true);
  CBGrid->setToolTip(TranslatedText("Rastergröße"));
  CBGrid->addItem(QStringLiteral("1"));
  for (int s = 10; s <= 100; s += 10) CBGrid->addItem(QString::number(s));
  connect(CBGrid, &QComboBox::activated, this, [this](int) { SetGridText(CBGrid->currentText()); });
  connect(CBGrid->lineEdit(), &QLineEdit::returnPressed, this, [this] { SetGridText(CBGrid->currentText()); });
  bar->addWidget(CBGrid);
}

// ------------------------------------------------------------------------------------------------

void TGraphicEditor::UpdateView() {
  const QSize size = Document.isNull() ? QSize(0, 0) : Document.size() * Zoom;
  View->resize(std::max(size.width(), 1), std::max(size.height(), 1));
  UpdateOverview();
  View->update();
}

void TGraphicEditor::UpdateOverview() {
  if (Zoom >= 3 && !Document.isNull()) {
    const int divisor = std::min(Zoom, 4);
    const QSize client(std::max(Scroller->viewport()->width() / divisor, 16),
                       std::max(Scroller->viewport()->height() / divisor, 16));
    const QRect visible(Scroller->horizontalScrollBar() ? Scroller->horizontalScrollBar()->value() / Zoom : 0,
                        Scroller->verticalScrollBar() ? Scroller->verticalScrollBar()->value() / Zoom : 0,
                        Scroller->viewport()->width() / Zoom, Scroller->viewport()->height() / Zoom);
    Overview->Show(Document, visible, client);
    if (isVisible()) Overview->show();
  } else {
    Overview->hide();
  }
}

void TGraphicEditor::Repaint() {
  // Every change of the picture shows in the overview as well.
  UpdateOverview();
  View->update();
}

void TGraphicEditor::MakeUndo() { UndoCopy = Document; }

void TGraphicEditor::SetDocument(const QImage& image) {
  Document = image.convertToFormat(QImage::Format_RGB32);
  UpdateView();
}

QPoint TGraphicEditor::ToDocument(QPoint view, bool snap) const {
  int x = 0, y = 0;
  ViewToDocument(view.x(), view.y(), Zoom, Scroll.x(), Scroll.y(), GridStep, snap, x, y);
  return {x, y};
}

void TGraphicEditor::SetZoom(int zoom) {
  Zoom = std::clamp(zoom, 1, 20);
  CBZoom->setCurrentIndex(Zoom - 1);
  UpdateView();
}

void TGraphicEditor::SetGridText(const QString& text) {
  bool ok = false;
  const int step = text.trimmed().toInt(&ok);
  GridStep = ok && step >= 1 && step <= 100 ? step : 1;
  CBGrid->setEditText(QString::number(GridStep));
  View->update();
}

// ------------------------------------------------------------------------------------------------
// File commands

void TGraphicEditor::AskSaveChanges() {
  if (!Modified) return;
  if (MessageDlg(this, TranslatedText("Möchten Sie die Änderungen speichern?"), TranslatedText("Grafikeditor"), MB_YESNO | MB_ICONQUESTION) ==
      IDYES)
    SaveCommand();
}

void TGraphicEditor::LoadCommand() {
  AskSaveChanges();
  const std::string file = AskOpenFile ? AskOpenFile() : std::string();
  if (!file.empty()) LoadFile(file);
}

bool TGraphicEditor::LoadFile(const std::string& fileName) {
  const QImage image(QString::fromStdString(fileName));
  if (image.isNull()) {
    MessageDlg(this, TranslatedText("Grafik konnte nicht gelesen werden!") + QStringLiteral("\n") + QString::fromStdString(fileName),
               TranslatedText("Fehler"), MB_OK | MB_ICONERROR);
    return false;
  }
  Selection = {};
  SetDocument(image);
  FileName = fileName;
  MakeUndo();
  Modified = false;
  return true;
}

void TGraphicEditor::NewCommand() {
  if (!Document.isNull()) AskSaveChanges();
  int w = 0, h = 0;
  if (AskNewSize && AskNewSize(w, h)) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    Selection = {};
    SetDocument(image);
    MakeUndo();
  }
  Modified = false;
  FileName.clear();
  Overview->hide();
}

void TGraphicEditor::NewFromClipboard() {
  const QImage clip = QApplication::clipboard()->image();
  if (clip.isNull()) return;
  if (Modified && MessageDlg(this, TranslatedText("Möchten Sie die Änderungen speichern?"), TranslatedText("Grafikeditor"),
                             MB_YESNO | MB_ICONQUESTION) == IDYES) {
    if (FileName.empty()) FileName = AskSaveFile ? AskSaveFile() : std::string();
    if (!FileName.empty() && !Document.save(QString::fromStdString(FileName), "BMP"))
      MessageDlg(
          this,
          TranslatedText("Die Grafik konnte nicht gespeichert werden:") + QStringLiteral("\n") + QString::fromStdString(FileName),
          TranslatedText("Fehler"), MB_OK | MB_ICONERROR);
  }
  Selection = {};
  Zoom = 1;
  CBZoom->setCurrentIndex(0);
  SetDocument(clip);
  Overview->hide();
  MakeUndo();
  Modified = true;
  FileName.clear();
}

bool TGraphicEditor::SaveCommand() {
  if (FileName.empty()) return SaveAsCommand();
  return SaveFile(FileName);
}

bool TGraphicEditor::SaveAsCommand() {
  std::string file = AskSaveFile ? AskSaveFile() : std::string();
  if (file.empty()) return false;
  if (QFileInfo(QString::fromStdString(file)).suffix().isEmpty()) file += ".bmp";
  FileName = file;
  return SaveFile(file);
}

bool TGraphicEditor::SaveFile(const std::string& fileName) {
  DropSelection();
  const QImage& d = Document;
  const std::vector<uint8_t> bytes =
      MonoBmpBytes(d.width(), d.height(), [&d](int x, int y) { return IsBlack(d.pixel(x, y)); });
  std::FILE* f = std::fopen(fileName.c_str(), "wb");
  const bool written = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (f && std::fclose(f) != 0) return false;
  if (!written) {
    MessageDlg(
        this,
        TranslatedText("Die Grafik konnte nicht gespeichert werden:") + QStringLiteral("\n") + QString::fromStdString(fileName),
        TranslatedText("Fehler"), MB_OK | MB_ICONERROR);
    return false;
  }
  SetDocument(QImage(QString::fromStdString(fileName)));
  Modified = false;
  return true;
}

void TGraphicEditor::closeEvent(QCloseEvent* event) {
  AskSaveChanges();
  Overview->hide();
  event->accept();
}

// ------------------------------------------------------------------------------------------------
// Edit commands

void TGraphicEditor::UndoCommand() {
  Document = UndoCopy;
  Selection = {};
  UpdateView();
}

void TGraphicEditor::CutCommand() {
  if (!Selection.Active) return;
  QApplication::clipboard()->setImage(Selection.Image);
  if (!Selection.Moved) {
    QPainter p(&Document);
    p.fillRect(QRect(Selection.Pos / Zoom + Scroll, Selection.Image.size()), Brush.color());
  }
  Selection = {};
  Repaint();
}

void TGraphicEditor::CopyCommand() {
  if (Selection.Active) QApplication::clipboard()->setImage(Selection.Image);
}

void TGraphicEditor::PasteCommand() {
  const QImage clip = QApplication::clipboard()->image();
  if (clip.isNull()) return;
  DropSelection();
  Selection = {clip.convertToFormat(QImage::Format_RGB32), QPoint(0, 0), true, false};
  Modified = true;
  Repaint();
}

void TGraphicEditor::DeleteCommand() {
  if (MessageDlg(this, TranslatedText("Möchten Sie die Grafik löschen?"), TranslatedText("Grafikeditor"), MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  Document.fill(Brush.color());
  Modified = false;
  Repaint();
}

void TGraphicEditor::CopyToCommand() {
  if (!Selection.Active) return;
  const std::string file = AskSaveFile ? AskSaveFile() : std::string();
  if (!file.empty() && !Selection.Image.save(QString::fromStdString(file), "BMP"))
    MessageDlg(this,
               TranslatedText("Die Grafik konnte nicht gespeichert werden:") + QStringLiteral("\n") + QString::fromStdString(file),
               TranslatedText("Fehler"), MB_OK | MB_ICONERROR);
}

void TGraphicEditor::PasteFromCommand() {
  const std::string file = AskOpenFile ? AskOpenFile() : std::string();
  if (file.empty()) return;
  const QImage image(QString::fromStdString(file));
  if (image.isNull()) {
    MessageDlg(this, TranslatedText("Grafik konnte nicht gelesen werden!") + QStringLiteral("\n") + QString::fromStdString(file),
               TranslatedText("Fehler"), MB_OK | MB_ICONERROR);
    return;
  }
  DropSelection();
  Selection = {image.convertToFormat(QImage::Format_RGB32), QPoint(0, 0), true, false};
  Modified = true;
  Repaint();
}

void TGraphicEditor::SelectAll() {
  if (Document.isNull()) return;
  DropSelection();
  Selection = {Document.copy(), QPoint(0, 0), true, false};
  Repaint();
}

void TGraphicEditor::InvertSelection() {
  if (!Selection.Active) return;
  Selection.Image.invertPixels();
  Repaint();
}

void TGraphicEditor::MirrorSelection(bool horizontal) {
  if (!Selection.Active) return;
  Selection.Image = Selection.Image.mirrored(horizontal, !horizontal);
  Repaint();
}

void TGraphicEditor::ScaleSelection(int percent) {
  if (!Selection.Active) return;
  Selection.Image = Selection.Image.scaled(ScaledLength(Selection.Image.width(), percent),
                                           ScaledLength(Selection.Image.height(), percent), Qt::IgnoreAspectRatio,
                                           Qt::FastTransformation);
  Repaint();
}

void TGraphicEditor::ReplaceColour(const QColor& from, const QColor& to) {
  const QRgb f = from.rgb(), t = to.rgb();
  for (int y = 0; y < Document.height(); ++y)
    for (int x = 0; x < Document.width(); ++x)
      if (Document.pixel(x, y) == f) Document.setPixel(x, y, t);
  Modified = true;
  Repaint();
}

void TGraphicEditor::Brighten() {
  ReplaceColour(QColor(255, 255, 0), Qt::white);
  ReplaceColour(QColor(192, 192, 192), QColor(255, 255, 0));
  ReplaceColour(QColor(128, 128, 128), QColor(192, 192, 192));
}

// ------------------------------------------------------------------------------------------------
// Drawing

void TGraphicEditor::DropSelection() {
  if (!Selection.Active) return;
  MakeUndo();
  QPainter p(&Document);
  const QPoint at(static_cast<int>(std::lround(static_cast<double>(Selection.Pos.x()) / Zoom)) + Scroll.x(),
                  static_cast<int>(std::lround(static_cast<double>(Selection.Pos.y()) / Zoom)) + Scroll.y());
  p.drawImage(at, Selection.Image);
  Selection = {};
  Repaint();
}

void TGraphicEditor::MouseDown(QPoint view, Qt::MouseButton button) {
  if (Document.isNull()) return;
  Modified = true;
  if (Selection.Active) {
    const QRect r(Selection.Pos, Selection.Image.size() * Zoom);
    if (button == Qt::LeftButton && r.contains(view)) {
      View->setCursor(Qt::SizeAllCursor);
      fGrab = view - Selection.Pos;
      fDragSelection = true;
      return;
    }
    DropSelection();
  }
  MakeUndo();
  StartPt = EndPt = ToDocument(view, Tool != gtFuellen);
  fButton = button;
  if (Tool == gtFarbe && Document.valid(StartPt)) {
    const QColor c = Document.pixelColor(StartPt);
    if (button == Qt::RightButton)
      Brush.setColor(c);
    else
      Pen.setColor(c);
  } else if (Tool == gtText) {
    QStringList lines;
    QFont font = TextFont;
    if (AskText && AskText(lines, font)) {
      TextFont = font;
      QPainter p(&Document);
      p.setFont(font);
      p.setPen(Pen.color());
      const int lineHeight = QFontMetrics(font).boundingRect(QStringLiteral("Äquator")).height();
      for (int i = 0; i < lines.size(); ++i)
        p.drawText(QRect(StartPt.x(), StartPt.y() + i * lineHeight, 4000, lineHeight), Qt::AlignLeft | Qt::AlignTop,
                   lines[i]);
      Repaint();
    }
  }
}

void TGraphicEditor::MouseMove(QPoint view, Qt::MouseButtons buttons) {
  if (Document.isNull()) return;
  if (fDragSelection && (buttons & Qt::LeftButton)) {
    Selection.Pos = view - fGrab;
    Selection.Moved = true;
    Repaint();
    return;
  }
  EndPt = ToDocument(view, Tool != gtFuellen);
  LStatus->setText(QStringLiteral("%1 : %2").arg(EndPt.x()).arg(EndPt.y()));
  if (buttons == Qt::NoButton || Tool == gtFarbe || Tool == gtText || Tool == gtFuellen) return;
  if (Tool == gtFreihand || Tool == gtSpray || Tool == gtRadierer) {
    DrawShape(Document, StartPt, EndPt, false);
    StartPt = EndPt;
  } else {
    fRubber = true;
  }
  Repaint();
}

void TGraphicEditor::MouseUp(QPoint view, Qt::MouseButton button) {
  if (Document.isNull()) return;
  if (fDragSelection) {
    fDragSelection = false;
    View->setCursor(kTools[Tool].Cursor);
    Repaint();
    return;
  }
  if (Selection.Active) {
    Repaint();
    return;
  }
  EndPt = ToDocument(view, Tool != gtFuellen);
  fRubber = false;
  if (Tool == gtMarkieren) {
    const QRect r(std::min(StartPt.x(), EndPt.x()), std::min(StartPt.y(), EndPt.y()), std::abs(EndPt.x() - StartPt.x()),
                  std::abs(EndPt.y() - StartPt.y()));
    if (r.width() > 0 && r.height() > 0) {
      Selection = {Document.copy(r), (r.topLeft() - Scroll) * Zoom, true, false};
      QPainter(&Document).fillRect(r, Brush.color());
    }
  } else if (Tool != gtFarbe && Tool != gtText) {
    DrawShape(Document, StartPt, EndPt, true);
  }
  fButton = Qt::NoButton;
  Repaint();
  (void)button;
}

void TGraphicEditor::Spray(QPainter& p, QPoint at) {
  const int w = std::max(Pen.width(), 1);
  auto* random = QRandomGenerator::global();
  for (int i = 0; i < w * 10; ++i)
    p.drawPoint(at + QPoint(random->bounded(-5 * w, 5 * w), random->bounded(-5 * w, 5 * w)));
}

void TGraphicEditor::FloodFill(QPoint at, const QColor& colour) {
  if (!Document.valid(at)) return;
  const QRgb target = Document.pixel(at), fill = colour.rgb();
  if (target == fill) return;
  std::vector<QPoint> stack{at};
  while (!stack.empty()) {
    const QPoint p = stack.back();
    stack.pop_back();
    if (!Document.valid(p) || Document.pixel(p) != target) continue;
    int left = p.x(), right = p.x();
    while (left > 0 && Document.pixel(left - 1, p.y()) == target) --left;
    while (right < Document.width() - 1 && Document.pixel(right + 1, p.y()) == target) ++right;
    for (int x = left; x <= right; ++x) {
      Document.setPixel(x, p.y(), fill);
      if (p.y() > 0 && Document.pixel(x, p.y() - 1) == target) stack.emplace_back(x, p.y() - 1);
      if (p.y() < Document.height() - 1 && Document.pixel(x, p.y() + 1) == target) stack.emplace_back(x, p.y() + 1);
    }
  }
}

void TGraphicEditor::DrawShape(QImage& target, QPoint from, QPoint to, bool forGood) {
  (void)forGood;
  if (Tool == gtFuellen) {
    FloodFill(from, Pen.color());
    return;
  }
  QPainter p(&target);
  QPen pen = Pen;
  const bool background = Tool == gtRadierer || (Tool == gtFreihand && fButton == Qt::RightButton);
  if (background) pen.setColor(Brush.color());
  if (Tool == gtRadierer) pen.setWidth(std::max(pen.width(), 8));
  pen.setCapStyle(Qt::FlatCap);
  p.setPen(pen);
  p.setBrush(QBrush(Brush.color(), Brush.style()));
  // The shape covers both corner pixels: the outline of a 1-pixel pen lies on them.
  const QRect r = QRect(from, to).normalized().adjusted(0, 0, -1, -1);
  switch (Tool) {
    case gtKreis:
      p.drawEllipse(r);
      break;
    case gtRechteck:
      p.drawRect(r);
      break;
    case gtRundRechteck:
      p.drawRoundedRect(r, std::abs(to.x() - from.x()) / 8.0, std::abs(to.y() - from.y()) / 8.0);
      break;
    case gtSpray:
      Spray(p, to);
      break;
    case gtFreihand:
    case gtLinie:
    case gtRadierer: {
      p.drawLine(from, to);
      const int half = pen.width() / 2;
      if (pen.width() <= 1) {
        if (target.valid(to)) target.setPixel(to, pen.color().rgb());
      } else if (Tool == gtRadierer) {
        p.fillRect(QRect(to - QPoint(half, half), QSize(2 * half + 1, 2 * half + 1)), pen.color());
      } else {
        p.setPen(Qt::NoPen);
        p.setBrush(pen.color());
        p.drawEllipse(to, half, half);
      }
      break;
    }
    default:
      break;
  }
}

}  // namespace zyn
