#pragma once
// The small persistent objects of the visualisation controls: appearance (TVisuDesign), channel
// binding and state (TVisuData), caption (TCaptionData), telegram (TVisuTelegram), logger texts
// (TLoggerData), index infos (TIndexInfo) and the channels of summary controls. Each is a
// published property of its control, so its values are stored with the page as dotted
// properties ("Design.OnColor", "VisuData.Kanal"); ReadProperty and WriteProperties map them to
// and from the page's component records. No drawing happens here: a changed value asks the
// control it belongs to for a repaint through IVisuInvalidate.

#include "model/base/ComponentRecord.h"
#include "visu/VisuTypes.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

// Colour values as the class library stores them ($00BBGGRR; system colours $FF000000 + index).
struct TVisuColors {
  static constexpr int32_t clBlack = 0x000000;
  static constexpr int32_t clGreen = 0x008000;
  static constexpr int32_t clRed = 0x0000FF;
  static constexpr int32_t clFuchsia = 0xFF00FF;
  static constexpr int32_t clWhite = 0xFFFFFF;
  static constexpr int32_t clBtnFace = static_cast<int32_t>(0xFF00000Fu);
  static constexpr int32_t clBtnShadow = static_cast<int32_t>(0xFF000010u);
  static constexpr int32_t clWindowText = static_cast<int32_t>(0xFF000008u);
  static constexpr int32_t clInfoBk = static_cast<int32_t>(0xFF000018u);
  // The name of a colour constant ("clRed"), "" when the value has none.
  static std::string Name(int32_t color);
  // The value of a colour name; false when the name is unknown.
  static bool FromName(std::string_view name, int32_t& color);
};

enum class TFrameStyle : int32_t { fsNone, fsSunken, fsRaised };
enum class TCaptionPos : int32_t { cpLeft, cpTop, cpRight, cpBottom };
enum class TShapeType : int32_t { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

// A set of TKanalArt: bit k for the kind of ordinal k.
using TKanalArtSet = uint32_t;
constexpr TKanalArtSet KanalArtBit(TKanalArt k) { return 1u << static_cast<int>(k); }

// The control a data object belongs to; the control owns the object and outlives it.
class IVisuInvalidate {
 public:
  virtual ~IVisuInvalidate() = default;
  virtual void Invalidate() = 0;
};

// Font as the controls keep it: name, size in points, colour and style bits.
struct TVisuFont {
  static constexpr uint8_t fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;
  std::string Name = "MS Sans Serif";
  int32_t Size = 8;
  int32_t Color = TVisuColors::clWindowText;
  uint8_t Style = 0;
  bool operator==(const TVisuFont&) const = default;

  bool ReadProperty(std::string_view name, const TFilerValue& value);  // "Name", "Size", ...
  void WriteProperties(const std::string& prefix, std::vector<TPropertyRecord>& out) const;
};

class TInvalidatePersistent {
 public:
  explicit TInvalidatePersistent(IVisuInvalidate* control = nullptr) : fControl(control) {}
  virtual ~TInvalidatePersistent() { fControl = nullptr; }
  TInvalidatePersistent(const TInvalidatePersistent&) = delete;
  TInvalidatePersistent& operator=(const TInvalidatePersistent&) = delete;

  IVisuInvalidate* Control() const { return fControl; }
  void SetControl(IVisuInvalidate* control) { fControl = control; }
  // Repaints the control when there is one; a failure of the repaint is ignored.
  virtual void Changed();

 protected:
  template <class T, class U>
  void Update(T& field, const U& value) {
    if (field == value) return;
    field = value;
    Changed();
  }

 private:
  IVisuInvalidate* fControl;
};

class TCustomVisuDesign : public TInvalidatePersistent {
 public:
  using TInvalidatePersistent::TInvalidatePersistent;
  const TVisuFont& Font() const { return fFont; }
  // Copies name, size, colour and style, then repaints.
  void SetFont(const TVisuFont& font);

 protected:
  TVisuFont fFont;
};

class TVisuDesign : public TCustomVisuDesign {
 public:
  explicit TVisuDesign(IVisuInvalidate* control = nullptr);

  int32_t BorderWidth() const { return fBorderWidth; }
  TFrameStyle FrameStyle() const { return fFrameStyle; }
  int32_t FrameWidth() const { return fFrameWidth; }
  bool IndicatorFrame() const { return fIndicatorFrame; }
  int32_t OffColor() const { return fOffColor; }
  const std::string& OffText() const { return fOffText; }
  int32_t OnColor() const { return fOnColor; }
  const std::string& OnText() const { return fOnText; }
  TShapeType Shape() const { return fShape; }
  bool ShowText() const { return fShowText; }
  int32_t UndefColor() const { return fUndefColor; }
  const std::string& UndefText() const { return fUndefText; }

  void SetBorderWidth(int32_t v) { Update(fBorderWidth, v); }
  void SetFrameStyle(TFrameStyle v) { Update(fFrameStyle, v); }
  // Values below 1 are refused: the width stays and nothing is repainted.
  void SetFrameWidth(int32_t v) {
    if (v >= 1) Update(fFrameWidth, v);
  }
  void SetIndicatorFrame(bool v) { Update(fIndicatorFrame, v); }
  void SetOffColor(int32_t v) { Update(fOffColor, v); }
  void SetOffText(const std::string& v) { Update(fOffText, v); }
  void SetOnColor(int32_t v) { Update(fOnColor, v); }
  void SetOnText(const std::string& v) { Update(fOnText, v); }
  void SetShape(TShapeType v) { Update(fShape, v); }
  void SetShowText(bool v) { Update(fShowText, v); }
  void SetUndefColor(int32_t v) { Update(fUndefColor, v); }
  void SetUndefText(const std::string& v) { Update(fUndefText, v); }

  // A stored property below the object's prefix ("OnColor", "Font.Style"); false for names it
  // does not have. EReadError for a value of the wrong kind.
  bool ReadProperty(std::string_view name, const TFilerValue& value);
  // The stored properties with the prefix ("Design.") in declaration order.
  void WriteProperties(const std::string& prefix, std::vector<TPropertyRecord>& out) const;

 private:
  int32_t fBorderWidth = 0;
  TFrameStyle fFrameStyle = TFrameStyle::fsSunken;
  int32_t fFrameWidth = 1;
  bool fIndicatorFrame = false;
  int32_t fOffColor = TVisuColors::clGreen;
  std::string fOffText = "AUS";
  int32_t fOnColor = TVisuColors::clRed;
  std::string fOnText = "EIN";
  TShapeType fShape = TShapeType::stRectangle;
  bool fShowText = true;
  int32_t fUndefColor = TVisuColors::clBtnShadow;
  std::string fUndefText = "?";
};

// Binding and state of a channel-bound control; only the state repaints.
class TVisuData : public TInvalidatePersistent {
 public:
  TVisuData(IVisuInvalidate* control, TKanalArt kind) : TInvalidatePersistent(control), KanalArt(kind) {}

  std::string Hint;
  int32_t Kanal = 0;
  TKanalArt KanalArt;
  std::string KanalID;
  int32_t Modul = 0;
  std::string Name;
  int32_t Steuermodul = -1;  // -1: unbound

  TVisuState Status() const { return fStatus; }
  void SetStatus(TVisuState v) { Update(fStatus, v); }

  bool ReadProperty(std::string_view name, const TFilerValue& value);
  void WriteProperties(const std::string& prefix, std::vector<TPropertyRecord>& out) const;

 private:
  TVisuState fStatus = TVisuState::vsUnknown;
};

class TCaptionData : public TInvalidatePersistent {
 public:
  using TInvalidatePersistent::TInvalidatePersistent;

  const std::string& Caption() const { return fCaption; }
  int32_t Color() const { return fColor; }
  const TVisuFont& Font() const { return fFont; }
  TCaptionPos Position() const { return fPosition; }
  bool Transparent() const { return fTransparent; }
  void SetCaption(const std::string& v) { Update(fCaption, v); }
  void SetColor(int32_t v) { Update(fColor, v); }
  void SetFont(const TVisuFont& v);
  void SetPosition(TCaptionPos v) { Update(fPosition, v); }
  void SetTransparent(bool v) { Update(fTransparent, v); }

  bool ReadProperty(std::string_view name, const TFilerValue& value);
  void WriteProperties(const std::string& prefix, std::vector<TPropertyRecord>& out) const;

 private:
  std::string fCaption;
  int32_t fColor = TVisuColors::clWhite;
  TVisuFont fFont;
  TCaptionPos fPosition = TCaptionPos::cpLeft;
  bool fTransparent = false;
};

// The telegram of a button; its values are set without repaint.
class TVisuTelegram : public TInvalidatePersistent {
 public:
  TVisuTelegram() : TInvalidatePersistent(nullptr) {}

  int32_t Befehl = 0;
  int32_t Kanal = 0;
  int32_t Modul = 0;
  int32_t Parameter = 0;
  int32_t Shift = 0;
  int32_t Steuermodul = 0;
  TTeleType TeleType = TTeleType::vtNone;
  int32_t UserLevel = 0;

  // Copies control module, module, channel, command and shift.
  virtual void AssignAddress(const TVisuTelegram& source);
  // The value the button sends: (Kanal shl Shift) or Befehl.
  int32_t Value() const;

  bool ReadProperty(std::string_view name, const TFilerValue& value);
  void WriteProperties(const std::string& prefix, std::vector<TPropertyRecord>& out) const;
};

class TLoggerData : public TInvalidatePersistent {
 public:
  using TInvalidatePersistent::TInvalidatePersistent;

  std::string Ident;  // name of the history file
  bool LogTime = true;
  std::string OffText = "Kanal ausgeschaltet";
  std::string OnText = "Kanal eingeschaltet";
  bool Save = false;

  // The log line for a channel switched off / on at the current local time.
  virtual std::string FormatOffLine(int32_t s, int32_t m, int32_t k) const;
  virtual std::string FormatOnLine(int32_t s, int32_t m, int32_t k) const;
  // The line of the text at the given time: "%s", "%m", "%k" (any case) become the control
  // module, module and channel with at least two digits; with LogTime the date and time
  // "dd.mm.yyyy-hh:mm:ss" and " : " come first.
  std::string FormatLine(const std::string& text, int32_t s, int32_t m, int32_t k, const std::tm& now) const;

  bool ReadProperty(std::string_view name, const TFilerValue& value);
  void WriteProperties(const std::string& prefix, std::vector<TPropertyRecord>& out) const;
};

// One index of an index control.
struct TIndexInfo {
  TKanalArtSet AllowedType = 0;
  int32_t Command = -1;
  std::string CommandName;
  int32_t Index = 0;
  std::string IndexName;
  int32_t Kanal = 0;
  TKanalArt KanalArt = TKanalArt::kaUnknown;
  int32_t Modul = -1;
  int32_t Shift = 0;
  int32_t Steuermodul = -1;

  void Assign(const TIndexInfo& source) { *this = source; }
  bool operator==(const TIndexInfo&) const = default;

  bool ReadProperty(std::string_view name, const TFilerValue& value);
  void WriteProperties(const std::string& prefix, std::vector<TPropertyRecord>& out) const;
};

// One channel of a summary control (an item of its collection "Kanaele").
class TVisuDataCollectionItem {
 public:
  std::string Hint;
  int32_t Kanal = 0;
  TKanalArt KanalArt = TKanalArt::kaUnknown;
  std::string KanalID;
  int32_t Modul = 0;
  std::string Name;
  int32_t Steuermodul = 0;

  virtual ~TVisuDataCollectionItem() = default;
  // Sets the control, the kind and Steuermodul = -1.
  virtual void Init(IVisuInvalidate* control, TKanalArt kind);
  TVisuState Status() const { return fStatus; }
  // Repaints the control when the value changes and a control is set.
  void SetStatus(TVisuState v);

  bool ReadProperty(std::string_view name, const TFilerValue& value);
  std::vector<TPropertyRecord> Properties() const;

 private:
  IVisuInvalidate* fControl = nullptr;
  TVisuState fStatus = TVisuState::vsUnknown;
};

// Borrows a font for one text: gives it the new values and puts the old ones back when it goes.
class TFontSave {
 public:
  TFontSave(TVisuFont& font, uint8_t style, int32_t size, int32_t color, const std::string& name);
  ~TFontSave();
  TFontSave(const TFontSave&) = delete;
  TFontSave& operator=(const TFontSave&) = delete;

 private:
  TVisuFont& fFont;
  TVisuFont fSaved;
};

// Names of the enumerations as the page records store them.
std::string EnumName(TKanalArt v);
std::string EnumName(TVisuState v);
std::string EnumName(TTeleType v);
std::string EnumName(TFrameStyle v);
std::string EnumName(TCaptionPos v);

}  // namespace zyn
