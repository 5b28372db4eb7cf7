#include "display/ui/Anzeige.h"

#include "model/ModelText.h"
#include "display/DispObjekt.h"
#include "display/DispObserver.h"
#include "display/DispOperations.h"
#include "display/Zeichensatz.h"
#include "display/ui/DesignerDialogs.h"
#include "display/ui/EditText.h"
#include "display/ui/VarEigenschaften.h"
#include "logic/core/LogicText.h"
#include "model/base/Cp1252.h"
#include "model/base/ProgramPaths.h"
#include "model/base/Translator.h"
#include "platform/QtText.h"
#include "project/Global.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QHideEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace zyn {

const char* const DesignerDragMime = "application/x-zyn-display-designer";

namespace {

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kGrey = 0xFF808080u;

QRgb Argb(TRgb c) { return 0xFF000000u | c; }


}  // namespace

QImage GlyphStrip() {
  QImage strip(GlyphStripWidth, GlyphHeight, QImage::Format_RGB32);
  strip.fill(kWhite);
  for (int g = 0; g < GlyphCount; ++g)
    for (int y = 0; y < GlyphHeight; ++y)
      for (int x = 0; x < GlyphWidth; ++x)
        if (GlyphPixel(g, x, y)) strip.setPixel(6 * g + x, y, kBlack);
  return strip;
}

QImage CursorBitmap(bool visible) {
  QImage image(8, 8, QImage::Format_Mono);
  image.setColor(0, kWhite);
  image.setColor(1, kBlack);
  image.fill(0);
  if (visible)
    for (int y = 6; y < 8; ++y)
      for (int x = 0; x < 6; ++x) image.setPixel(x, y, 1);
  return image;
}

QImage KeyFieldBitmap(bool twoRows) {
  const int h = twoRows ? 32 : 24;
  QImage image(60, h, QImage::Format_RGB32);
  image.fill(kWhite);
  // A key cap: a frame with cut corners two pixels inside the field.
  for (int x = 4; x <= 55; ++x) {
    image.setPixel(x, 2, kBlack);
    image.setPixel(x, h - 2, kBlack);
  }
  for (int y = 4; y <= h - 4; ++y) {
    image.setPixel(2, y, kBlack);
    image.setPixel(57, y, kBlack);
  }
  for (int i = 0; i < 2; ++i) {
    image.setPixel(3 + i, 3 - i, kBlack);
    image.setPixel(56 - i, 3 - i, kBlack);
    image.setPixel(3 + i, h - 3 + i, kBlack);
    image.setPixel(56 - i, h - 3 + i, kBlack);
  }
  return image;
}

TView::TView(QWidget* parent) : QWidget(parent), fStrip(GlyphStrip()) {
  setObjectName(QStringLiteral("View"));
  setAcceptDrops(true);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  fCaretTimer.setInterval(500);
  connect(&fCaretTimer, &QTimer::timeout, this, [this] { CaretTick(); });
  const TViewColours colours =
      ViewColoursOfScheme(ReadDisplayIniColour(ExtractFilePath(OptionFileName()) + "Display.ini"));
  DisplayColor = colours.DisplayColor;
  DisplayColorLight = colours.DisplayColorLight;
  SetScale(5);
}

TView::~TView() { fCaretTimer.stop(); }

void TView::hideEvent(QHideEvent* event) {
  // Hidden with its page (not merely with a minimised window): the entry ends.
  if (!event->spontaneous()) EndTextEntry();
  QWidget::hideEvent(event);
}

void TView::SetScale(int scale) {
  if (scale < 1 || scale > 5) return;
  fScale = scale;
  setFixedSize(PanelWidth * scale, PanelHeight * scale);
  DrawScreen();
}

void TView::SetScreen(TDisplayObjekt* display, TBildschirm* screen) {
  // A text entry belongs to the screen shown: it ends (an empty text goes) before another screen,
  // or none, takes the view, while its own screen still exists.
  if (fEntry && (screen != Screen || display != Display)) EndTextEntry();
  if (screen != Screen) AbandonLine();
  Display = display;
  Screen = screen;
  fSelectedObject = nullptr;
  ViewCursor.Forget();
  DrawScreen();
}

// ------------------------------------------------------------------------------------------------
// Painting

void TView::FillRect(int x, int y, int w, int h, TRgb colour) {
  QPainter p(&fCanvas);
  p.fillRect(x, y, w, h, QColor::fromRgb(Argb(colour)));
}

void TView::DrawScreen() {
  Render();
  update();
}

void TView::Render() {
  const int s = fScale;
  fCanvas = QImage(PanelWidth * s, PanelHeight * s, QImage::Format_RGB32);
  fCanvas.fill(Argb(DisplayColor));
  if (RasterOn) DrawRaster();
  if (!Screen) return;
  DrawKeyBar(Screen->DefaultButtons);
  for (size_t i = Screen->Objekte.Count(); i-- > 0;) DrawObject(Screen->Objekte[i]);
  if (fEntry && fCaretShown) DrawCaret();
  if (fLineStarted && fRubberX >= 0) {
    // The rubber band of the line tool.
    const int dx = fRubberX - fLineX, dy = fRubberY - fLineY;
    for (int j = 0; j < s; ++j) {
      if (std::abs(dy) < std::abs(dx))
        for (int x = std::min(fLineX, fRubberX) * s; x <= std::max(fLineX, fRubberX) * s; x += 2)
          if (x >= 0 && x < fCanvas.width() && fLineY * s + j < fCanvas.height())
            fCanvas.setPixel(x, fLineY * s + j, kBlack);
      if (std::abs(dy) >= std::abs(dx))
        for (int y = std::min(fLineY, fRubberY) * s; y <= std::max(fLineY, fRubberY) * s; y += 2)
          if (y >= 0 && y < fCanvas.height() && fLineX * s + j < fCanvas.width())
            fCanvas.setPixel(fLineX * s + j, y, kBlack);
    }
  }
}

void TView::DrawRaster() {
  const int s = fScale;
  const int w = fCanvas.width(), h = fCanvas.height();
  for (int k = 4; k <= 124; k += 4) {
    const int y = k * s;
    const QRgb c = k % 8 == 0 ? kBlack : kGrey;
    for (int x = 1; x < w; x += 2) fCanvas.setPixel(x, y, c);
  }
  for (int k = 3; k <= 237; k += 3) {
    const int x = k * s;
    const QRgb c = k % 6 == 0 ? kBlack : kGrey;
    for (int y = 1; y < h; y += 2) fCanvas.setPixel(x, y, c);
  }
}

void TView::DrawTextAt(const std::string& text, int x, int y) {
  const int s = fScale;
  const QRgb bg = Argb(DisplayColor);
  for (size_t i = 0; i < text.size(); ++i) {
    const int cx = (x + 6 * static_cast<int>(i)) * s, cy = y * s;
    const auto code = static_cast<uint8_t>(text[i]);
    if (code == ' ') {
      FillRect(cx, cy, 6 * s, 8 * s, DisplayColor);
      continue;
    }
    const int g = GlyphOf(code);
    if (g < 0) continue;
    for (int py = 0; py < 8 * s; ++py)
      for (int px = 0; px < 6 * s; ++px) {
        const int tx = cx + px, ty = cy + py;
        if (tx < 0 || ty < 0 || tx >= fCanvas.width() || ty >= fCanvas.height()) continue;
        fCanvas.setPixel(tx, ty, GlyphPixel(g, px / s, py / s) ? kBlack : bg);
      }
  }
}

void TView::DrawTextInverse(const std::string& text, int x, int y) {
  const int s = fScale;
  const QRgb bg = Argb(DisplayColor) & 0x00FFFFFFu;
  for (size_t i = 0; i < text.size(); ++i) {
    const int cx = (x + 6 * static_cast<int>(i)) * s, cy = y * s;
    const auto code = static_cast<uint8_t>(text[i]);
    if (code == ' ') {
      FillRect(cx, cy, 6 * s, 8 * s, 0);
      continue;
    }
    if (GlyphOf(code) < 0) continue;
    for (int py = 0; py < 8 * s; ++py)
      for (int px = 0; px < 6 * s; ++px) {
        const int tx = cx + px, ty = cy + py;
        if (tx < 0 || ty < 0 || tx >= fCanvas.width() || ty >= fCanvas.height()) continue;
        fCanvas.setPixel(tx, ty, (fCanvas.pixel(tx, ty) ^ bg) | 0xFF000000u);
      }
  }
}

void TView::DrawObject(TBasis& o) {
  const int s = fScale;
  switch (o.Art()) {
    case TObjektArt::Text:
      DrawTextAt(static_cast<TText&>(o).Text, o.X, o.Y);
      break;
    case TObjektArt::ZustandVar:
      if (Display)
        DrawTextAt(ZustandVarText(Display->ZustandsListe, static_cast<TZustandVar&>(o).ZustandIndex, true), o.X, o.Y);
      break;
    case TObjektArt::Grafik: {
      const TMonoBitmap& b = static_cast<TGrafik&>(o).Bitmap;
      for (int y = 0; y < b.Height; ++y)
        for (int x = 0; x < b.Width; ++x) {
          const uint32_t c = b.Pixel(x, y);
          if (c == TMonoBitmap::clWhite) continue;
          const QRgb rgb = 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
          QPainter(&fCanvas).fillRect((o.X + x) * s, (o.Y + y) * s, s, s, QColor::fromRgb(rgb));
        }
      break;
    }
    case TObjektArt::Line: {
      QPainter p(&fCanvas);
      if (o.Hoehe == 1)
        p.fillRect(o.X * s, o.Y * s, o.Breite * s, s, Qt::black);
      else
        p.fillRect(o.X * s, o.Y * s, s, o.Hoehe * s, Qt::black);
      break;
    }
    default:
      break;
  }
}

void TView::DrawKeyBar(TButtonListe& keys) {
  const int s = fScale;
  const TKeyBarLayout layout = LayoutKeyBar(keys);
  const QImage field = KeyFieldBitmap(layout.Height == 32);
  for (const auto& f : layout.Fields) {
    for (int y = 0; y < field.height(); ++y)
      for (int x = 0; x < field.width(); ++x)
        if (field.pixel(x, y) != kWhite)
          QPainter(&fCanvas).fillRect((KeyFieldWidth * f.Column + x) * s, (layout.Top + y) * s, s, s, Qt::black);
    if (f.Column > 0) {
      const QRgb c = RasterOn ? kBlack : Argb(DisplayColor);
      for (int y = TextAreaHeight * s; y < PanelHeight * s; y += 2)
        fCanvas.setPixel(KeyFieldWidth * f.Column * s, y, c);
    }
  }
  for (const auto& f : layout.Fields) {
    DrawTextAt(f.Key->Label1->Text, f.Key->Label1->X, f.Key->Label1->Y);
    if (layout.Height == 32) DrawTextAt(f.Key->Label2->Text, f.Key->Label2->X, f.Key->Label2->Y);
  }
  QPainter p(&fCanvas);
  p.setPen(Qt::black);
  p.drawLine(0, 0, 0, PanelHeight * s - 1);
  p.drawLine(PanelWidth * s - 1, 0, PanelWidth * s - 1, PanelHeight * s - 1);
  p.drawLine(0, PanelHeight * s - 1, PanelWidth * s - 1, PanelHeight * s - 1);
}

void TView::DrawCaret() {
  const QImage cursor = CursorBitmap(true);
  const int s = fScale;
  const int cx = (fEntry->X + 6 * fEntry->Laenge) * s, cy = fEntry->Y * s;
  for (int y = 0; y < 8 * s; ++y)
    for (int x = 0; x < 6 * s; ++x)
      if (cursor.pixelIndex(x / s, y / s) == 1 && cx + x < fCanvas.width()) fCanvas.setPixel(cx + x, cy + y, kBlack);
}

void TView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, fCanvas);
}

// ------------------------------------------------------------------------------------------------
// Objects

void TView::Changed() {
  if (Display) Display->Modified = true;
}

void TView::ObjectsChanged() {
  if (OnChangeScreenObjects) OnChangeScreenObjects();
}

void TView::DeleteObject(TBasis* object) {
  if (!Screen || !object) return;
  if (object == fEntry) {
    fCaretTimer.stop();
    fCaretShown = false;
    fEntry = nullptr;
  }
  if (object == fGrabbed) fGrabbed = nullptr;
  if (Display)
    DeleteScreenObject(*Display, *Screen, object);
  else
    Screen->Objekte.Remove(object);
  Changed();
  ViewCursor.Forget();
  fSelectedObject = nullptr;
}

void TView::SetPendingGraphic(std::unique_ptr<TGrafik> graphic) { fPending = std::move(graphic); }

bool TView::GrabAt(int x, int y) {
  fGrabbed = nullptr;
  if (!Screen) return false;
  const THit hit = ObjectAt(x, y, Screen->Objekte);
  if (!hit.Object) return false;
  fGrabbed = hit.Object;
  fGrabX = x - hit.Object->X;
  fGrabY = y - hit.Object->Y;
  return true;
}

bool TView::DragOverAt(TViewDrag kind, int x, int y) {
  if (OnChangeKoord) OnChangeKoord(x, y);
  if (!Screen || !Display) return false;
  const TBildschirmObjekteList& objects = Screen->Objekte;
  switch (kind) {
    case TViewDrag::Text:
      return CanPlace(TObjektArt::Text, nullptr, x, y, 6, 8, objects);
    case TViewDrag::Move:
      return fGrabbed && CanPlace(*fGrabbed, x - fGrabX, y - fGrabY, objects);
    case TViewDrag::Variable:
      return CanPlace(TObjektArt::ZustandVar, nullptr, x, y,
                      ZustandVarWidth(Display->ZustandsListe, Display->DefaultZustand), 8, objects);
    case TViewDrag::Grafik:
      if (!fPending) return false;
      if (fPending->Breite + x - 1 >= PanelWidth || fPending->Hoehe + y - 1 >= PanelHeight) return false;
      return CanPlace(*fPending, x, y, objects);
    case TViewDrag::Channel: {
      if (!DraggedChannel) return false;
      std::string name;
      TKanalTyp type = TKanalTyp::otNone;
      DraggedChannel(name, type);
      const int w = 6 * static_cast<int>(std::max<size_t>(name.size(), 1));
      if (CanPlace(TObjektArt::Text, nullptr, x, y, w, 8, objects)) return true;
      const THit hit = ObjectAt(x, y, objects);
      return hit.Kind == hkZustandVar || (hit.Kind == hkText && type == TKanalTyp::otEingang);
    }
    default:
      return false;
  }
}

void TView::DropAt(TViewDrag kind, int x, int y) {
  if (!Screen || !Display || !DragOverAt(kind, x, y)) {
    if (kind == TViewDrag::Grafik) fPending.reset();
    fGrabbed = nullptr;
    return;
  }
  switch (kind) {
    case TViewDrag::Text: {
      EndTextEntry();
      auto text = std::make_unique<TText>();
      text->X = SnapColumn(x);
      text->Y = SnapRow(y);
      text->Hoehe = 8;
      auto* t = static_cast<TText*>(AppendObject(*Display, *Screen, ModelTranslate("Text"), std::move(text)));
      StartTextEntry(t);
      break;
    }
    case TViewDrag::Move: {
      TBasis* o = fGrabbed;
      const int nx = x - fGrabX, ny = y - fGrabY;
      if (o->Art() == TObjektArt::Text || o->Art() == TObjektArt::ZustandVar) {
        o->X = SnapColumn(nx);
        o->Y = SnapRow(ny);
      } else if (o->Art() == TObjektArt::Grafik) {
        o->X = SnapColumn(nx);
        o->Y = ny;
      } else {
        o->X = nx;
        o->Y = ny;
      }
      // A snapped place must pass the test too; otherwise the object stays where it was.
      fGrabbed = nullptr;
      Changed();
      DrawScreen();
      break;
    }
    case TViewDrag::Variable: {
      auto v = std::make_unique<TZustandVar>();
      v->X = SnapColumn(x);
      v->Y = SnapRow(y);
      v->Hoehe = 8;
      v->ZustandIndex = std::clamp(Display->DefaultZustand, 0, static_cast<int>(Display->ZustandsListe.Count()) - 1);
      v->Breite = static_cast<uint8_t>(ZustandVarWidth(Display->ZustandsListe, v->ZustandIndex));
      AppendObject(*Display, *Screen, ModelTranslate("ZVar"), std::move(v));
      DrawScreen();
      ObjectsChanged();
      break;
    }
    case TViewDrag::Grafik: {
      std::unique_ptr<TGrafik> g = std::move(fPending);
      if (g->Bitmap.Width > 0 && g->Bitmap.Height > 0 && g->Breite > 0 && g->Hoehe > 0) {
        g->X = SnapColumn(x);
        g->Y = y;
        AppendObject(*Display, *Screen, ModelTranslate("Grafik"), std::move(g));
        DrawScreen();
        ObjectsChanged();
      }
      break;
    }
    case TViewDrag::Channel: {
      std::string name;
      TKanalTyp type = TKanalTyp::otNone;
      DraggedChannel(name, type);
      const int w = 6 * static_cast<int>(std::max<size_t>(name.size(), 1));
      if (CanPlace(TObjektArt::Text, nullptr, x, y, w, 8, Screen->Objekte)) {
        auto text = std::make_unique<TText>();
        text->X = SnapColumn(x);
        text->Y = SnapRow(y);
        text->Hoehe = 8;
        text->Text = name;
        text->Laenge = static_cast<uint8_t>(name.size());
        text->Breite = static_cast<uint8_t>(6 * name.size());
        AppendObject(*Display, *Screen, ModelTranslate("Text"), std::move(text));
        DrawScreen();
        ObjectsChanged();
        break;
      }
      const THit hit = ObjectAt(x, y, Screen->Objekte);
      if (!hit.Object || !CopyDraggedBinding) break;
      if (!hit.Object->Link) hit.Object->Link = std::make_unique<TVarVerbindung>(hit.Object);
      TVarVerbindung link(hit.Object);
      if (!CopyDraggedBinding(link)) break;
      if (hit.Kind == hkZustandVar) {
        hit.Object->Buttons.Clear();
      } else {
        for (size_t i = hit.Object->Buttons.Count(); i-- > 0;)
          if (hit.Object->Buttons[i].Funktion.Funktion == fkEingangEmu)
            hit.Object->Buttons.Remove(&hit.Object->Buttons[i]);
      }
      hit.Object->Link->CopyLink(link);
      if (GDisplayObserver) GDisplayObserver->AddLink(hit.Object->Link.get());
      Changed();
      DrawScreen();
      break;
    }
    default:
      break;
  }
}

void TView::LineClick(int x, int y) {
  if (!Screen || !Display) return;
  if (!fLineStarted) {
    fLineStarted = true;
    fLineX = x;
    fLineY = y;
    fRubberX = fRubberY = -1;
    return;
  }
  fLineStarted = false;
  auto line = std::make_unique<TLine>();
  LineFromClicks(*line, fLineX, fLineY, x, y);
  AppendObject(*Display, *Screen, ModelTranslate("Line"), std::move(line));
  if (ReleaseLineTool) ReleaseLineTool();
  DrawScreen();
  ObjectsChanged();
}

void TView::AbandonLine() {
  fLineStarted = false;
  fRubberX = fRubberY = -1;
}

void TView::EditObjectAt(int x, int y) {
  if (!Screen || !Display) return;
  const THit hit = ObjectAt(x, y, Screen->Objekte);
  if (!hit.Object) return;
  switch (hit.Kind) {
    case hkZustandVar: {
      auto& variable = static_cast<TZustandVar&>(*hit.Object);
      TVarOptionen dialog(*Display, *Screen, variable, this);
      if (dialog.exec() == QDialog::Accepted) {
        variable.Breite = static_cast<uint8_t>(ZustandVarWidth(Display->ZustandsListe, variable.ZustandIndex));
        DrawScreen();
      }
      break;
    }
    case hkText: {
      TTextedit dialog(*Display, *Screen, static_cast<TText&>(*hit.Object), this);
      dialog.exec();
      if (static_cast<TText&>(*hit.Object).Laenge == 0 && static_cast<TText&>(*hit.Object).Text.empty())
        DeleteObject(hit.Object);
      DrawScreen();
      ObjectsChanged();
      break;
    }
    case hkLine: {
      TDlgNewLine dialog(static_cast<TLine&>(*hit.Object), this);
      dialog.exec();
      DrawScreen();
      break;
    }
    default:
      return;
  }
  Changed();
  Disarm();
}

// ------------------------------------------------------------------------------------------------
// Text entry

void TView::StartTextEntry(TText* text) {
  fEntry = text;
  fCaretShown = false;
  fCaretTimer.start();
  DrawScreen();
}

void TView::CaretTick() {
  if (!fEntry) return;
  fCaretShown = !fCaretShown;
  DrawScreen();
}

void TView::InsertChar(uint8_t c) {
  if (!fEntry || !Screen || c < 32) return;
  fCaretTimer.stop();
  fCaretShown = false;
  if (c != ' ' && GlyphOf(c) < 0) {
    fCaretTimer.start();
    return;
  }
  const int caretX = fEntry->X + 6 * fEntry->Laenge;
  fEntry->Text.push_back(static_cast<char>(c));
  fEntry->Laenge = static_cast<uint8_t>(fEntry->Text.size());
  fEntry->Breite = static_cast<uint8_t>(6 * fEntry->Laenge);
  Changed();
  if (TextEntryEnds(Screen->Objekte, caretX, fEntry->Y)) {
    EndTextEntry();
    return;
  }
  fCaretTimer.start();
  DrawScreen();
}

void TView::DeleteLastChar() {
  if (!fEntry || fEntry->Text.empty()) return;
  fCaretTimer.stop();
  fEntry->Text.pop_back();
  fEntry->Laenge = static_cast<uint8_t>(fEntry->Text.size());
  fEntry->Breite = static_cast<uint8_t>(6 * fEntry->Laenge);
  Changed();
  fCaretTimer.start();
  DrawScreen();
}

void TView::EndTextEntry() {
  if (!fEntry) return;
  fCaretTimer.stop();
  fCaretShown = false;
  TText* text = fEntry;
  fEntry = nullptr;
  if (text->Laenge == 0) DeleteObject(text);
  DrawScreen();
  if (ReleaseTextTool) ReleaseTextTool();
  ObjectsChanged();
}

// ------------------------------------------------------------------------------------------------
// Emulator

void TView::ResetEmulator() {
  if (!Screen) return;
  ViewCursor.ResetCursor(*Screen);
}

void TView::StepEmulator(bool forward) {
  if (!Screen) return;
  DrawScreen();
  if (forward)
    ViewCursor.NextObject(*Screen);
  else
    ViewCursor.PreviousObject(*Screen);
  ShowSelection();
}

void TView::ShowSelection() {
  fSelectedObject = nullptr;
  if (!Screen || !Display) return;
  Render();
  TBasis* o = ViewCursor.Selected(*Screen);
  if (o) {
    if (o->Art() == TObjektArt::Text)
      DrawTextInverse(static_cast<TText*>(o)->Text, o->X, o->Y);
    else if (o->Art() == TObjektArt::ZustandVar)
      DrawTextInverse(ZustandVarText(Display->ZustandsListe, static_cast<TZustandVar*>(o)->ZustandIndex, true), o->X,
                      o->Y);
    DrawKeyBar(o->Buttons);
    DrawKeyBar(Screen->DefaultButtons);
    fSelectedObject = o;
  }
  update();
}

void TView::PressFunctionKey(const std::string& name) {
  if (!Screen) return;
  TFunktButton* key = FindEmulatorKey(*Screen, fSelectedObject, name);
  if (!key || key->Funktion.Funktion != fkSprung) return;
  fJumpTarget = key->Funktion.ZielBildschirm;
  if (OnEMUChangeScreen) OnEMUChangeScreen(fJumpTarget);
}

// ------------------------------------------------------------------------------------------------
// Mouse

void TView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (!fArmed) {
    fArmed = true;
    return;
  }
  fPress = event->position().toPoint();
  fPressed = true;
}

void TView::mouseMoveEvent(QMouseEvent* event) {
  // The pointer moved here with no button held: the click that ended a dialog or a drop is over,
  // the next press is the user's own.
  if (event->buttons() == Qt::NoButton) fArmed = true;
  const int s = fScale;
  const QPoint pos = event->position().toPoint();
  const int x = pos.x() / s, y = pos.y() / s;
  if (OnChangeKoord) OnChangeKoord(x, y);
  if (!Screen) return;
  const THit hover = ObjectAt(x, y, Screen->Objekte);
  if ((hover.Kind == hkText || hover.Kind == hkZustandVar) && hover.Object->IsLinked()) {
    const TVarVerbindung& l = *hover.Object->Link;
    const std::string hint =
        ModelTranslate("Zuordnung:") + "\r" +
        FormatText(FormatNumbers(ModelTranslate("STM.%2.2d %s.%2.2d.%2.2d-%s"), {l.STMAdresse, l.ModulAdresse, l.Kanal}),
                   {l.ModulKennung, l.KanalName});
    setToolTip(ToQString(hint));
  } else {
    setToolTip(QString());
  }
  const bool lineTool = LineToolDown && LineToolDown();
  if (fLineStarted && lineTool) {
    fRubberX = x;
    fRubberY = y;
    DrawScreen();
    return;
  }
  if (fPressed && !fGrabbed && !lineTool && GrabAt(fPress.x() / s, fPress.y() / s)) {
    fPressed = false;
    auto* drag = new QDrag(this);
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(DesignerDragMime), QByteArray::number(static_cast<int>(TViewDrag::Move)));
    drag->setMimeData(mime);
    drag->exec(Qt::MoveAction);
    fGrabbed = nullptr;
  }
}

void TView::mouseReleaseEvent(QMouseEvent* event) {
  if (fPressed && event->button() == Qt::LeftButton && LineToolDown && LineToolDown()) {
    const QPoint p = event->position().toPoint();
    LineClick(p.x() / fScale, p.y() / fScale);
  }
  fPressed = false;
}

void TView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  fPressed = false;
  EditObjectAt(p.x() / fScale, p.y() / fScale);
}

namespace {
TViewDrag DragKind(const QMimeData* mime) {
  if (!mime || !mime->hasFormat(QString::fromLatin1(DesignerDragMime))) return TViewDrag::None;
  return static_cast<TViewDrag>(mime->data(QString::fromLatin1(DesignerDragMime)).toInt());
}
}  // namespace

void TView::dragEnterEvent(QDragEnterEvent* event) {
  if (DragKind(event->mimeData()) != TViewDrag::None) event->acceptProposedAction();
}

void TView::dragMoveEvent(QDragMoveEvent* event) {
  const QPoint p = event->position().toPoint();
  if (DragOverAt(DragKind(event->mimeData()), p.x() / fScale, p.y() / fScale))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TView::dropEvent(QDropEvent* event) {
  const QPoint p = event->position().toPoint();
  DropAt(DragKind(event->mimeData()), p.x() / fScale, p.y() / fScale);
  event->acceptProposedAction();
}

}  // namespace zyn
