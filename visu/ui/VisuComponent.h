#pragma once
// What every component on a visualisation page has: its class name for the registry, its stored
// properties as they go to and come from the page's component records, the designer's mouse and
// drag handlers, and the painting helpers the controls share.

#include "model/base/ComponentRecord.h"
#include "visu/VisuDataClasses.h"
#include "visu/ui/VisuInterfaces.h"

#include <QFont>
#include <QObject>
#include <QPainter>
#include <QRect>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace zyn {

// Installs the designer's handlers on a widget: mouse handlers are called with the widget's own
// events (which go on to the widget), drag handlers decide what may be dropped on it.
class TVisuDesignHooks : public QObject {
 public:
  explicit TVisuDesignHooks(QWidget* widget);
  void SetMouse(TVisuMouseEvent down, TVisuMouseEvent up, TVisuMouseEvent move);
  void SetDrag(TVisuDragOverEvent over, TVisuDragDropEvent drop);
  bool HasMouse() const { return bool(fDown) || bool(fUp) || bool(fMove); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* fWidget;
  TVisuMouseEvent fDown, fUp, fMove;
  TVisuDragOverEvent fOver;
  TVisuDragDropEvent fDrop;
};

// The class name a component is registered and stored under.
#define ZYN_VISU_CLASS(name) \
  std::string ClassName() const override { return #name; }

class TVisuComponent {
 public:
  explicit TVisuComponent(QWidget* self);
  virtual ~TVisuComponent();
  TVisuComponent(const TVisuComponent&) = delete;
  TVisuComponent& operator=(const TVisuComponent&) = delete;

  virtual std::string ClassName() const = 0;
  QWidget* Self() const { return fSelf; }
  std::string Name() const;
  void SetName(const std::string& name);

  int32_t Tag = 0;
  const std::string& Hint() const { return fHint; }
  virtual void SetHint(const std::string& hint);

  // The component record: class, name, the stored properties (the common ones, the class's own,
  // then those the class does not know, kept as they were read).
  TComponentRecord MakeRecord() const;
  // Reads the properties of the record into the component; a value of the wrong kind raises
  // EReadError naming the property. Loaded() runs afterwards.
  void ReadRecord(const TComponentRecord& record);
  bool Reading() const { return fReading; }
  // Runs after the component has been read from a page.
  virtual void Loaded() {}

  TVisuDesignHooks& Hooks() { return *fHooks; }

 protected:
  // One stored property; false when the class has none of that name.
  virtual bool ReadProperty(std::string_view name, const TFilerValue& value);
  // The class's own stored properties, after Left, Top, Width, Height, Tag and Hint.
  virtual void WriteProperties(std::vector<TPropertyRecord>& out) const = 0;
  // Whether the component stores its common properties (a frame's parts do not).
  virtual void WriteCommon(std::vector<TPropertyRecord>& out) const;

 private:
  QWidget* fSelf;
  TVisuDesignHooks* fHooks;
  std::string fHint;
  bool fReading = false;
  std::vector<TPropertyRecord> fKept;
};

// ---- the class registry -------------------------------------------------------------------------

using TVisuFactory = std::function<TVisuComponent*(QWidget* parent)>;
void RegisterVisuClass(const std::string& className, TVisuFactory factory);
bool IsVisuClassRegistered(const std::string& className);
// A new component of the class with the parent as owner; nullptr for a class not registered.
TVisuComponent* CreateVisuComponent(const std::string& className, QWidget* parent);
// Registers every class a page can hold (done once; later calls do nothing).
void RegisterVisuClasses();
// The registered class names in registration order.
std::vector<std::string> RegisteredVisuClasses();

// ---- property helpers ---------------------------------------------------------------------------

void PutInt(std::vector<TPropertyRecord>& out, const char* name, int32_t v);
void PutBool(std::vector<TPropertyRecord>& out, const char* name, bool v);
void PutText(std::vector<TPropertyRecord>& out, const char* name, const std::string& v);  // not when empty
void PutColor(std::vector<TPropertyRecord>& out, const char* name, int32_t color);
int32_t ReadColorValue(const TFilerValue& v);
bool StartsWith(std::string_view s, std::string_view head);

// ---- painting helpers ---------------------------------------------------------------------------

QColor VisuColor(int32_t color);
// The font on the screen: family (the classic Windows families become their metric-compatible
// free ones), pixel height from the point size at 96 dpi, style.
QFont VisuQFont(const TVisuFont& font);
// A 3-D frame of `width` pixels inside r; r shrinks by the width.
void Frame3D(QPainter& p, QRect& r, const QColor& topLeft, const QColor& bottomRight, int width);
// Fills r and outlines it in one colour (the class library's Rectangle with pen = brush).
void FillOutline(QPainter& p, const QRect& r, const QColor& color);
// Text on one line centred in r; with ellipsis cut to the width when asked.
void DrawCentred(QPainter& p, const QRect& r, const QString& text, bool ellipsis = false);
// The text's width and height in the painter's font.
QSize TextSize(const QPainter& p, const QString& text);
// The state colour of a channel control: fuchsia for an unbound control in the designer.
int32_t StateColor(const TVisuDesign& design, const TVisuData& data, bool designing);
const std::string& StateText(const TVisuDesign& design, TVisuState state);

}  // namespace zyn
