#include "widgets/bars/Components.h"

#include "widgets/bars/PaintUtils.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>

#include <algorithm>
#include <map>

namespace zyn {

// ---------------------------------------------------------------- components

TzxComponent::~TzxComponent() {
  fDestroying = true;
  ResetObjectLinks(this);
}

void TzxComponent::RefreshFakeLinks() {
  if (!fDesigning || fDestroying || !fOwner) return;
  std::vector<TzxComponent*> list;
  CollectFakeLinks(list);
  TzxComponent** links[] = {&FakeComponentLink1, &FakeComponentLink2, &FakeComponentLink3};
  for (size_t i = 0; i < 3; ++i) *links[i] = i < list.size() ? list[i] : nullptr;
}

TzxControlChildComponent::~TzxControlChildComponent() {
  BeginDestroying();
  if (fControl) fControl->RemoveChildComponent(*this);
}

void TzxControlChildComponent::SetParentComponent(IzxChildComponentHost* value) {
  if (value == fControl) return;
  if (fControl) fControl->RemoveChildComponent(*this);
  fControl = nullptr;
  if (value) value->AddChildComponent(*this);
}

// ---------------------------------------------------------------- resource strings

namespace {

struct TReplacements {
  std::vector<std::string> Sources, Replacements;
};

TReplacements& Replacements() {
  static TReplacements lists;
  return lists;
}

}  // namespace

std::string LoadLibraryString(const char* resourceString) {
  const std::string text = resourceString ? resourceString : "";
  const TReplacements& r = Replacements();
  const auto it = std::find(r.Sources.begin(), r.Sources.end(), text);
  return it == r.Sources.end() ? text : r.Replacements[static_cast<size_t>(it - r.Sources.begin())];
}

bool SetLibraryStringReplacements(std::vector<std::string> sources, std::vector<std::string> replacements) {
  if (sources.size() != replacements.size()) return false;
  Replacements() = {std::move(sources), std::move(replacements)};
  return true;
}

// ---------------------------------------------------------------- cursors

namespace {

std::map<int, QCursor>& CursorTable() {
  static std::map<int, QCursor> table;
  return table;
}

const char* const kCursorNames[] = {
    "CX_DRAGCOPYCURSOR",   "CX_FULLSCROLLCURSOR", "CX_HORSCROLLCURSOR",  "CX_VERSCROLLCURSOR", "CX_UPSCROLLCURSOR",
    "CX_RIGHTSCROLLCURSOR", "CX_DOWNSCROLLCURSOR", "CX_LEFTSCROLLCURSOR", "CX_REMOVECURSOR",    "CX_VERTSIZECURSOR",
    "CX_HORZSIZECURSOR",   "CX_MULTIDRAGCURSOR",  "CX_NODROPCURSOR",     "CX_DRAGCURSOR"};

// The pictures: black outlines filled white on a 32 x 32 transparent square, as the platform's
// classic cursors look.
constexpr int kSize = 32;

class TCursorPicture {
 public:
  TCursorPicture() : fImage(kSize, kSize, QImage::Format_ARGB32_Premultiplied) {
    fImage.fill(Qt::transparent);
    fPainter.begin(&fImage);
    fPainter.setPen(QPen(Qt::black, 1));
    fPainter.setBrush(Qt::white);
  }
  QPainter& Painter() { return fPainter; }
  // The pointer arrow with its tip at (0, 0).
  void Arrow() {
    fPainter.drawPolygon(QPolygon({QPoint(0, 0), QPoint(0, 15), QPoint(4, 11), QPoint(7, 18), QPoint(9, 17),
                                   QPoint(6, 10), QPoint(11, 10)}));
  }
  // The dragged thing beside the arrow: a dotted frame.
  void Frame(int x, int y) {
    fPainter.save();
    fPainter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    fPainter.setBrush(Qt::NoBrush);
    fPainter.drawRect(x, y, 10, 8);
    fPainter.restore();
  }
  void Badge(int x, int y, bool plus) {
    fPainter.drawRect(x, y, 8, 8);
    if (plus) {
      fPainter.drawLine(x + 2, y + 4, x + 6, y + 4);
      fPainter.drawLine(x + 4, y + 2, x + 4, y + 6);
    } else {
      fPainter.drawLine(x + 2, y + 2, x + 6, y + 6);
      fPainter.drawLine(x + 6, y + 2, x + 2, y + 6);
    }
  }
  // The scroll origin in the middle and arrow heads pointing away from it (0 up, 1 right, 2 down,
  // 3 left).
  void Origin() {
    fPainter.drawEllipse(QPoint(15, 15), 3, 3);
    fPainter.setBrush(Qt::black);
    fPainter.drawEllipse(QPoint(15, 15), 1, 1);
    fPainter.setBrush(Qt::white);
  }
  void Head(int direction, int distance = 5) {
    QPolygon up({QPoint(15, 15 - distance - 6), QPoint(10, 15 - distance), QPoint(20, 15 - distance)});
    QTransform turn;
    turn.translate(15, 15);
    turn.rotate(90.0 * direction);
    turn.translate(-15, -15);
    fPainter.drawPolygon(turn.map(up));
  }
  // A splitter bar across (horizontal) or along with arrow heads on both sides.
  void Splitter(bool horizontal) {
    fPainter.setBrush(Qt::black);
    if (horizontal)
      fPainter.drawRect(6, 13, 19, 4);
    else
      fPainter.drawRect(13, 6, 4, 19);
    fPainter.setBrush(Qt::white);
    Head(horizontal ? 0 : 1, 3);
    Head(horizontal ? 2 : 3, 3);
  }
  QCursor Finish(int hotX, int hotY) {
    fPainter.end();
    return QCursor(QPixmap::fromImage(fImage), hotX, hotY);
  }

 private:
  QImage fImage;
  QPainter fPainter;
};

QCursor MakeLibraryCursor(int number) {
  TCursorPicture p;
  switch (number) {
    case crzxDrag:
      p.Arrow();
      p.Frame(10, 20);
      return p.Finish(0, 0);
    case crzxDragCopy:
      p.Arrow();
      p.Frame(10, 20);
      p.Badge(22, 22, true);
      return p.Finish(0, 0);
    case crzxMultiDrag:
      p.Arrow();
      p.Frame(10, 18);
      p.Frame(13, 21);
      p.Frame(16, 24);
      return p.Finish(0, 0);
    case crzxRemove:
      p.Arrow();
      p.Badge(14, 18, false);
      return p.Finish(0, 0);
    case crzxNoDrop: {
      QPainter& g = p.Painter();
      g.setPen(QPen(Qt::black, 3));
      g.setBrush(Qt::NoBrush);
      g.drawEllipse(QPoint(15, 15), 10, 10);
      g.drawLine(8, 8, 22, 22);
      return p.Finish(15, 15);
    }
    case crzxFullScroll:
      p.Origin();
      for (int d = 0; d < 4; ++d) p.Head(d);
      return p.Finish(15, 15);
    case crzxHorScroll:
      p.Origin();
      p.Head(1);
      p.Head(3);
      return p.Finish(15, 15);
    case crzxVerScroll:
      p.Origin();
      p.Head(0);
      p.Head(2);
      return p.Finish(15, 15);
    case crzxUpScroll:
    case crzxRightScroll:
    case crzxDownScroll:
    case crzxLeftScroll:
      p.Origin();
      p.Head(number - crzxUpScroll);
      return p.Finish(15, 15);
    case crzxVertSize:
      p.Splitter(true);
      return p.Finish(15, 15);
    case crzxHorzSize:
      p.Splitter(false);
      return p.Finish(15, 15);
    default:
      return QCursor(Qt::ArrowCursor);
  }
}

bool& ControlsUnitStarted() {
  static bool started = false;
  return started;
}

}  // namespace

const char* LibraryCursorName(int cursor) {
  return cursor >= crzxFirst && cursor <= crzxLast ? kCursorNames[cursor - crzxFirst] : "";
}

void RegisterScreenCursor(int number, const QCursor& cursor) { CursorTable()[number] = cursor; }
void UnregisterScreenCursor(int number) { CursorTable().erase(number); }
bool ScreenCursorRegistered(int number) { return CursorTable().count(number) != 0; }

QCursor ScreenCursor(int number) {
  const auto it = CursorTable().find(number);
  return it == CursorTable().end() ? QCursor(Qt::ArrowCursor) : it->second;
}

void InitializeControlsUnit() {
  if (ControlsUnitStarted()) return;
  ControlsUnitStarted() = true;
  for (int n = crzxFirst; n <= crzxLast; ++n) RegisterScreenCursor(n, MakeLibraryCursor(n));
}

void FinalizeControlsUnit() {
  if (!ControlsUnitStarted()) return;
  ControlsUnitStarted() = false;
  for (int n = crzxFirst; n <= crzxLast; ++n) UnregisterScreenCursor(n);
}

}  // namespace zyn
