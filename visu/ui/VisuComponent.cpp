#include "visu/ui/VisuComponent.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "platform/Colors.h"
#include "platform/QtText.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QWidget>

#include <cmath>
#include <map>

namespace zyn {

// ---- design hooks -------------------------------------------------------------------------------

TVisuDesignHooks::TVisuDesignHooks(QWidget* widget) : QObject(widget), fWidget(widget) {
  widget->installEventFilter(this);
}

void TVisuDesignHooks::SetMouse(TVisuMouseEvent down, TVisuMouseEvent up, TVisuMouseEvent move) {
  fDown = std::move(down);
  fUp = std::move(up);
  fMove = std::move(move);
}

void TVisuDesignHooks::SetDrag(TVisuDragOverEvent over, TVisuDragDropEvent drop) {
  fOver = std::move(over);
  fDrop = std::move(drop);
  fWidget->setAcceptDrops(bool(fOver) || bool(fDrop));
}

bool TVisuDesignHooks::eventFilter(QObject* watched, QEvent* event) {
  if (watched != fWidget) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      if (fDown) fDown(fWidget, static_cast<QMouseEvent*>(event));
      break;
    case QEvent::MouseButtonRelease:
      if (fUp) fUp(fWidget, static_cast<QMouseEvent*>(event));
      break;
    case QEvent::MouseMove:
      if (fMove) fMove(fWidget, static_cast<QMouseEvent*>(event));
      break;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* e = static_cast<QDragMoveEvent*>(event);
      if (fOver && fOver(fWidget, e))
        e->acceptProposedAction();
      else
        e->ignore();
      return true;
    }
    case QEvent::Drop:
      if (fDrop) {
        auto* e = static_cast<QDropEvent*>(event);
        fDrop(fWidget, e);
        e->acceptProposedAction();
        return true;
      }
      break;
    default:
      break;
  }
  return false;
}

// ---- component ----------------------------------------------------------------------------------

TVisuComponent::TVisuComponent(QWidget* self) : fSelf(self), fHooks(new TVisuDesignHooks(self)) {}

TVisuComponent::~TVisuComponent() = default;

std::string TVisuComponent::Name() const { return FromQString(fSelf->objectName()); }
void TVisuComponent::SetName(const std::string& name) { fSelf->setObjectName(ToQString(name)); }

void TVisuComponent::SetHint(const std::string& hint) {
  fHint = hint;
  fSelf->setToolTip(ToQString(hint));
}

void TVisuComponent::WriteCommon(std::vector<TPropertyRecord>& out) const {
  PutInt(out, "Left", fSelf->x());
  PutInt(out, "Top", fSelf->y());
  PutInt(out, "Width", fSelf->width());
  PutInt(out, "Height", fSelf->height());
  if (Tag != 0) PutInt(out, "Tag", Tag);
  PutText(out, "Hint", fHint);
}

TComponentRecord TVisuComponent::MakeRecord() const {
  TComponentRecord rec;
  rec.ClassName = ClassName();
  rec.Name = Name();
  WriteCommon(rec.Properties);
  WriteProperties(rec.Properties);
  rec.Properties.insert(rec.Properties.end(), fKept.begin(), fKept.end());
  return rec;
}

bool TVisuComponent::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (name == "Left")
    fSelf->move(v.AsInteger(), fSelf->y());
  else if (name == "Top")
    fSelf->move(fSelf->x(), v.AsInteger());
  else if (name == "Width")
    fSelf->resize(v.AsInteger(), fSelf->height());
  else if (name == "Height")
    fSelf->resize(fSelf->width(), v.AsInteger());
  else if (name == "Tag")
    Tag = v.AsInteger();
  else if (name == "Hint")
    SetHint(v.AsString());
  else
    return false;
  return true;
}

void TVisuComponent::ReadRecord(const TComponentRecord& record) {
  struct TFlag {
    bool& f;
    ~TFlag() { f = false; }
  } flag{fReading};
  fReading = true;
  SetName(record.Name);
  fKept.clear();
  for (const TPropertyRecord& p : record.Properties) {
    bool known = false;
    try {
      known = ReadProperty(p.Name, p.Value);
    } catch (const EReadError&) {
      throw EReadError(Ansi("Ungültiger Eigenschaftswert: ") + record.Name + "." + p.Name);
    }
    if (!known) fKept.push_back(p);
  }
  fReading = false;
  Loaded();
}

// ---- registry -----------------------------------------------------------------------------------

namespace {
struct TRegistry {
  std::vector<std::string> order;
  std::map<std::string, TVisuFactory> factories;
};
TRegistry& Registry() {
  static TRegistry r;
  return r;
}
}  // namespace

void RegisterVisuClass(const std::string& className, TVisuFactory factory) {
  TRegistry& r = Registry();
  if (!r.factories.count(className)) r.order.push_back(className);
  r.factories[className] = std::move(factory);
}

bool IsVisuClassRegistered(const std::string& className) { return Registry().factories.count(className) != 0; }

TVisuComponent* CreateVisuComponent(const std::string& className, QWidget* parent) {
  auto it = Registry().factories.find(className);
  return it == Registry().factories.end() ? nullptr : it->second(parent);
}

std::vector<std::string> RegisteredVisuClasses() { return Registry().order; }

// ---- property helpers ---------------------------------------------------------------------------

void PutInt(std::vector<TPropertyRecord>& out, const char* name, int32_t v) {
  out.push_back({name, TFilerValue::Integer(v)});
}
void PutBool(std::vector<TPropertyRecord>& out, const char* name, bool v) {
  out.push_back({name, TFilerValue::Boolean(v)});
}
void PutText(std::vector<TPropertyRecord>& out, const char* name, const std::string& v) {
  if (!v.empty()) out.push_back({name, TFilerValue::String(v)});
}
void PutColor(std::vector<TPropertyRecord>& out, const char* name, int32_t color) {
  const std::string n = TVisuColors::Name(color);
  out.push_back({name, n.empty() ? TFilerValue::Integer(color) : TFilerValue::Ident(n)});
}
int32_t ReadColorValue(const TFilerValue& v) {
  if (v.IsInteger()) return v.AsInteger();
  int32_t c = 0;
  if (!TVisuColors::FromName(v.AsIdent(), c)) throw EReadError(Ansi("Ungültiger Eigenschaftswert"));
  return c;
}
bool StartsWith(std::string_view s, std::string_view head) { return s.substr(0, head.size()) == head; }

// ---- painting helpers ---------------------------------------------------------------------------

QColor VisuColor(int32_t color) { return ToQColor(color); }

QFont VisuQFont(const TVisuFont& font) {
  static const std::map<std::string, QString> kFamilies{
      {"MS Sans Serif", "Liberation Sans"}, {"Microsoft Sans Serif", "Liberation Sans"},
      {"Arial", "Liberation Sans"},         {"Tahoma", "DejaVu Sans"},
      {"Verdana", "DejaVu Sans"},           {"Times New Roman", "Liberation Serif"},
      {"Courier New", "Liberation Mono"},   {"Courier", "Liberation Mono"}};
  auto it = kFamilies.find(font.Name);
  QFont f(it != kFamilies.end() ? it->second : ToQString(font.Name));
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.Size * 96.0 / 72.0))));
  f.setBold(font.Style & TVisuFont::fsBold);
  f.setItalic(font.Style & TVisuFont::fsItalic);
  f.setUnderline(font.Style & TVisuFont::fsUnderline);
  f.setStrikeOut(font.Style & TVisuFont::fsStrikeOut);
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setStyleStrategy(QFont::NoAntialias);
  return f;
}

void Frame3D(QPainter& p, QRect& r, const QColor& topLeft, const QColor& bottomRight, int width) {
  p.save();
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < width && r.width() > 0 && r.height() > 0; ++i) {
    const int l = r.left(), t = r.top(), rr = r.right(), b = r.bottom();  // inclusive edges
    p.setPen(topLeft);
    p.drawLine(l, t, rr, t);
    p.drawLine(l, t, l, b);
    p.setPen(bottomRight);
    p.drawLine(l, b, rr, b);
    p.drawLine(rr, t, rr, b);
    r.adjust(1, 1, -1, -1);
  }
  p.restore();
}

void FillOutline(QPainter& p, const QRect& r, const QColor& color) {
  if (r.width() > 0 && r.height() > 0) p.fillRect(r, color);
}

QSize TextSize(const QPainter& p, const QString& text) {
  const QFontMetrics fm(p.font());
  return QSize(fm.horizontalAdvance(text), fm.height());
}

void DrawCentred(QPainter& p, const QRect& r, const QString& text, bool ellipsis) {
  QString shown = text;
  if (ellipsis) shown = QFontMetrics(p.font()).elidedText(text, Qt::ElideRight, r.width());
  p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, shown);
}

int32_t StateColor(const TVisuDesign& design, const TVisuData& data, bool designing) {
  if (designing) return data.Steuermodul == -1 ? TVisuColors::clFuchsia : design.UndefColor();
  switch (data.Status()) {
    case TVisuState::vsOff:
      return design.OffColor();
    case TVisuState::vsOn:
      return design.OnColor();
    default:
      return design.UndefColor();
  }
}

const std::string& StateText(const TVisuDesign& design, TVisuState state) {
  switch (state) {
    case TVisuState::vsOff:
      return design.OffText();
    case TVisuState::vsOn:
      return design.OnText();
    default:
      return design.UndefText();
  }
}

}  // namespace zyn
