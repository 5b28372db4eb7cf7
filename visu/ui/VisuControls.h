#pragma once
// The channel controls of a visualisation page: the base TVisuControl with its geometry and
// frame, the shape LEDs, the text indicator, the minute timer and cycle counter, the summary
// status, the text label and the index control. Each paints itself.

#include "visu/ui/VisuDesigner.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace zyn {

class TVisuControl : public QWidget,
                     public TVisuComponent,
                     public TVisuDesignerBase,
                     public IDispatchConnector,
                     public IVisuStatus,
                     public IVisuInvalidate {
 public:
  explicit TVisuControl(QWidget* parent = nullptr);

  TVisuDesign Design{this};
  TVisuData VisuData{this, TKanalArt::kaAusgang};
  int32_t UserLevel = 0;
  TVisuFont Font;  // white, bold; not stored
  bool ShowHint() const { return fShowHint; }
  void SetShowHint(bool on);

  // IDispatchConnector
  void GetBinding(int32_t& steuermodul, int32_t& modul, int32_t& kanal, TKanalArt& kind, std::string& name) override;
  void SetBinding(int32_t steuermodul, int32_t modul, int32_t kanal, TKanalArt kind, const std::string& name) override;
  // IVisuStatus
  TVisuState GetStatus(int32_t steuermodul, int32_t modul, int32_t kanal, TKanalArt kind) override;
  void SetStatus(int32_t steuermodul, int32_t modul, int32_t kanal, TKanalArt kind, TVisuState state) override;
  bool IsBoundTo(int32_t steuermodul, int32_t modul, int32_t kanal, TKanalArt kind) const;

  void Invalidate() override { update(); }
  void SetHint(const std::string& hint) override;

  // Geometry (frame width FW, border width BW from Design).
  QRect GetFullRect() const { return QRect(0, 0, width(), height()); }
  int GetFrameOffset() const;
  QRect GetInnerRect() const;
  int GetInnerWidth() const;
  int GetInnerHeight() const;
  virtual void DrawFrame(QPainter& p);

 protected:
  bool ReadProperty(std::string_view name, const TFilerValue& value) override;
  void WriteProperties(std::vector<TPropertyRecord>& out) const override;
  void DesigningChanged() override { UpdateToolTip(); }
  void UpdateToolTip();
  // The colour of the current state (fuchsia when unbound in the designer).
  QColor CurrentStateColor() const { return VisuColor(StateColor(Design, VisuData, Designing())); }

 private:
  bool fShowHint = false;
};

class TVisuGraphicsControl : public TVisuControl {
 public:
  using TVisuControl::TVisuControl;
  QRect GetSquareRect() const;

 protected:
  void paintEvent(QPaintEvent*) override;
  virtual void DrawStatusText(QPainter& p);
};

class TVisuRoundLED : public TVisuGraphicsControl {
 public:
  explicit TVisuRoundLED(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TVisuRoundLED)
};
class TVisuSquareLED : public TVisuGraphicsControl {
 public:
  explicit TVisuSquareLED(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TVisuSquareLED)
};
class TVisuRectLED : public TVisuGraphicsControl {
 public:
  explicit TVisuRectLED(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TVisuRectLED)
};
class TVisuRectRoundLED : public TVisuRectLED {
 public:
  explicit TVisuRectRoundLED(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TVisuRectRoundLED)
};
class TVisuSquareRoundLED : public TVisuSquareLED {
 public:
  explicit TVisuSquareRoundLED(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TVisuSquareRoundLED)
};

class TVisuTextIndicator : public TVisuControl, public ITranslator {
 public:
  explicit TVisuTextIndicator(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TVisuTextIndicator)
  TCaptionData Caption{this};
  int32_t Color = TVisuColors::clBtnFace;
  // The indicator area (the coloured part) by the caption position.
  QRect IndicatorRect() const;

  std::string GetText(int i) override { return i == 0 ? Caption.Caption() : std::string(); }
  int GetTextCount() override { return 1; }
  void SetText(int i, const std::string& text) override {
    if (i == 0) Caption.SetCaption(text);
  }

 protected:
  bool ReadProperty(std::string_view name, const TFilerValue& value) override;
  void WriteProperties(std::vector<TPropertyRecord>& out) const override;
  void paintEvent(QPaintEvent*) override;
};

class TVisuCounter : public TVisuControl, public IVisuCounter {
 public:
  using TVisuControl::TVisuControl;
  int32_t GetCount() override { return fCount; }
  void SetCount(int32_t count) override;
  void Tick() override;
  bool Running() const { return fRunning; }
  void SetStatus(int32_t steuermodul, int32_t modul, int32_t kanal, TKanalArt kind, TVisuState state) override;
  // The value as shown.
  virtual std::string CountText() const = 0;

 protected:
  void paintEvent(QPaintEvent*) override;
  int32_t fCount = 0;
  bool fRunning = false;
};

class TVisuMinuteTimer : public TVisuCounter {
 public:
  explicit TVisuMinuteTimer(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TVisuMinuteTimer)
  void Tick() override;
  std::string CountText() const override;  // "h:mm"
};

class TVisuCycleCounter : public TVisuCounter {
 public:
  explicit TVisuCycleCounter(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TVisuCycleCounter)
  void SetStatus(int32_t steuermodul, int32_t modul, int32_t kanal, TKanalArt kind, TVisuState state) override;
  std::string CountText() const override;
};

class TVisuSummenControl : public QWidget,
                           public TVisuComponent,
                           public TVisuDesignerBase,
                           public IVisuSummary,
                           public IVisuStatus,
                           public IVisuInvalidate {
 public:
  explicit TVisuSummenControl(QWidget* parent = nullptr);
  TVisuDesign Design{this};
  std::vector<std::unique_ptr<TVisuDataCollectionItem>> Kanaele;
  int32_t UserLevel = 0;
  bool ShowHint = false;
  TVisuState VisuState() const { return fVisuState; }

  int GetChannelCount() override { return static_cast<int>(Kanaele.size()); }
  void GetChannel(int i, int32_t& steuermodul, int32_t& modul, int32_t& kanal, TKanalArt& kind,
                  std::string& name) override;
  void AddChannel(int32_t steuermodul, int32_t modul, int32_t kanal, TKanalArt kind, const std::string& name) override;
  TVisuState GetStatus(int32_t, int32_t, int32_t, TKanalArt) override { return fVisuState; }
  void SetStatus(int32_t steuermodul, int32_t modul, int32_t kanal, TKanalArt kind, TVisuState state) override;
  void Invalidate() override { update(); }
  void SetHint(const std::string& hint) override;

 protected:
  bool ReadProperty(std::string_view name, const TFilerValue& value) override;
  void WriteProperties(std::vector<TPropertyRecord>& out) const override;
  void DesigningChanged() override { UpdateToolTip(); }
  void UpdateToolTip();
  TVisuState fVisuState = TVisuState::vsUnknown;
};

class TSummenStatus : public TVisuSummenControl, public ITranslator {
 public:
  explicit TSummenStatus(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TSummenStatus)
  // Not stored: a page read back shows "Sammelstatus" again.
  std::string Caption = "Sammelstatus";
  int32_t CaptionColor = TVisuColors::clBtnFace;
  TVisuFont CaptionFont;

  std::string GetText(int i) override { return i == 0 ? Caption : std::string(); }
  int GetTextCount() override { return 1; }
  void SetText(int i, const std::string& text) override;

 protected:
  void paintEvent(QPaintEvent*) override;
};

class TVisuText : public QWidget, public TVisuComponent, public TVisuDesignerBase {
 public:
  explicit TVisuText(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TVisuText)
  const std::string& Caption() const { return fCaption; }
  void SetCaption(const std::string& caption);
  bool AutoSize() const { return fAutoSize; }
  void SetAutoSize(bool on);
  int32_t Color = TVisuColors::clBtnFace;
  TVisuFont Font;
  bool Transparent = false;

 protected:
  bool ReadProperty(std::string_view name, const TFilerValue& value) override;
  void WriteProperties(std::vector<TPropertyRecord>& out) const override;
  void paintEvent(QPaintEvent*) override;
  void AdjustSize();

 private:
  std::string fCaption = "TVisuText";
  bool fAutoSize = true;
};

class TIndexControl : public QWidget,
                      public TVisuComponent,
                      public TVisuDesignerBase,
                      public ITranslator,
                      public IIndexTeleHandler {
 public:
  explicit TIndexControl(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TIndexControl)
  TIndexInfo EinIndex, AusIndex;
  bool ShownOn() const { return fOn; }

  std::string GetText(int i) override;
  int GetTextCount() override { return 2; }
  void SetText(int i, const std::string& text) override;

  int32_t GetCommand(int i) override;
  std::string GetCommandName(int i) override;
  int32_t GetIndex(int i) override;
  int32_t GetIndexCount() override { return 2; }
  void GetIndexBinding(int i, int32_t& steuermodul, int32_t& modul, int32_t& kanal, int32_t& shift,
                       TKanalArt& kind) override;
  TIndexInfo* GetIndexInfo(int i) override;
  void HandleIndex(int32_t index) override;
  bool IsKindAllowed(int i, TKanalArt kind) override;
  void SetCommand(int i, int32_t command, const std::string& name) override;
  void SetIndex(int i, int32_t index) override;
  void SetIndexBinding(int i, int32_t steuermodul, int32_t modul, int32_t kanal, int32_t shift,
                       TKanalArt kind) override;

 protected:
  bool ReadProperty(std::string_view name, const TFilerValue& value) override;
  void WriteProperties(std::vector<TPropertyRecord>& out) const override;
  void paintEvent(QPaintEvent*) override;

 private:
  bool fOn = false;
};

}  // namespace zyn
