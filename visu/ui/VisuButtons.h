#pragma once
// The buttons of a visualisation page: telegram buttons (the drawn LED button and the push
// button), navigation controls (the drawn button, the picture segment and the push button of the
// ready-made frames) and the run-time buttons that connect the control modules or end the
// programme.

#include "platform/Canvas.h"
#include "visu/ui/VisuControls.h"

#include <QPushButton>
#include <QWidget>

namespace zyn {

// ---- telegram buttons ---------------------------------------------------------------------------

// Sends the telegram's values to the installed handler.
class TTeleHandlerBase : public ITeleHandler {
 public:
  TVisuTelegram Telegram;
  void EmitTelegram(TTeleType type, int32_t steuermodul, int32_t modul, int32_t value, int32_t parameter) override;
  void SetTelegram(TTeleType type, int32_t steuermodul, int32_t modul, int32_t kanal, int32_t befehl, int32_t shift,
                   int32_t parameter) override;
  void GetTelegram(TTeleType& type, int32_t& steuermodul, int32_t& modul, int32_t& kanal, int32_t& befehl,
                   int32_t& shift, int32_t& parameter) override;
  void SetTelegramHandler(TTelegramEvent handler) override { fHandler = std::move(handler); }
  // EmitTelegram with the stored telegram: value (Kanal shl Shift) or Befehl.
  void EmitStored();

 protected:
  virtual QObject* Sender() = 0;

 private:
  TTelegramEvent fHandler;
};

class TVisuLEDTeleButton : public TVisuControl, public TTeleHandlerBase {
 public:
  explicit TVisuLEDTeleButton(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TVisuLEDTeleButton)
  int32_t Color = TVisuColors::clBtnFace;
  bool Pressed() const { return fPressed; }

 protected:
  QObject* Sender() override { return this; }
  bool ReadProperty(std::string_view name, const TFilerValue& value) override;
  void WriteProperties(std::vector<TPropertyRecord>& out) const override;
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;

 private:
  bool fPressed = false;
};

// A push button of the platform on a page; stores its caption beside its own properties.
class TVisuPushButton : public QPushButton, public TVisuComponent, public TVisuDesignerBase {
 public:
  TVisuPushButton(QWidget* parent, TDesignPolicy policy, bool storesUserLevel);
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  // Grows the button (never shrinks it) so that its caption shows whole; a button without a
  // caption keeps its size. For captions given in the designer, not for stored sizes.
  void FitCaption();
  int32_t UserLevel = 0;
  const bool StoresUserLevel;

 protected:
  bool ReadProperty(std::string_view name, const TFilerValue& value) override;
  void WriteProperties(std::vector<TPropertyRecord>& out) const override;
  void paintEvent(QPaintEvent*) override;
};

class TBaseTeleButton : public TVisuPushButton, public TTeleHandlerBase {
 public:
  explicit TBaseTeleButton(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TBaseTeleButton)

 protected:
  QObject* Sender() override { return this; }
};

class TTeleButton : public TBaseTeleButton {
 public:
  explicit TTeleButton(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TTeleButton)
  bool Pressed() const { return fPressed; }

 protected:
  bool ReadProperty(std::string_view name, const TFilerValue& value) override;
  void WriteProperties(std::vector<TPropertyRecord>& out) const override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;

 private:
  bool fPressed = false;
};

// ---- navigation ---------------------------------------------------------------------------------

class TNavigatorBase : public INavigator {
 public:
  std::string Ziel;
  std::string GetTarget() override { return Ziel; }
  void SetEvent(TNavigateEvent handler) override { fNavigate = std::move(handler); }
  void Navigate(QObject* sender) {
    if (fNavigate) fNavigate(sender, Ziel);
  }

 protected:
  TNavigateEvent fNavigate;
};

// A control that leads to another page: its target is also its hint, it is hot while the pointer is
// over it and pressed while the left button is down; a release navigates (not in the designer).
class TNavigatingControl : public QWidget, public TVisuComponent, public TVisuDesignerBase, public TNavigatorBase {
 public:
  bool Hot() const { return fHot; }
  bool Pressed() const { return fPressed; }

  void SetNavEnabled(bool on) override { setEnabled(on); }
  void SetTarget(const std::string& target) override;

 protected:
  TNavigatingControl(QWidget* parent, TDesignPolicy policy);
  void enterEvent(QEnterEvent*) override;
  void leaveEvent(QEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;

  bool fHot = false, fPressed = false;
};

class TNavigationButton : public TNavigatingControl {
 public:
  explicit TNavigationButton(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TNavigationButton)
  const std::string& Caption() const { return fCaption; }
  void SetCaption(const std::string& caption);
  TVisuFont Font;
  int32_t Color = TVisuColors::clBtnFace;
  int32_t UserLevel = 0;

  void Loaded() override;

 protected:
  bool ReadProperty(std::string_view name, const TFilerValue& value) override;
  void WriteProperties(std::vector<TPropertyRecord>& out) const override;
  void paintEvent(QPaintEvent*) override;

 private:
  std::string fCaption;
};

class TSegmentControl : public TNavigatingControl {
 public:
  explicit TSegmentControl(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TSegmentControl)
  TBrushStyle Pattern() const { return fPattern; }
  void SetPattern(TBrushStyle v);
  int32_t PatternColor() const { return fPatternColor; }
  void SetPatternColor(int32_t v);
  bool PatternOnMouse() const { return fPatternOnMouse; }
  void SetPatternOnMouse(bool v);
  int32_t UserLevel = 0;

 protected:
  bool ReadProperty(std::string_view name, const TFilerValue& value) override;
  void WriteProperties(std::vector<TPropertyRecord>& out) const override;
  void paintEvent(QPaintEvent*) override;

 private:
  TBrushStyle fPattern = bsClear;
  int32_t fPatternColor = TVisuColors::clBlack;
  bool fPatternOnMouse = false;
};

// The push button of the ready-made frames; its frame decides what a release does.
class TVNButton : public TVisuPushButton, public INavigator {
 public:
  explicit TVNButton(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TVNButton)
  std::string Target;

  std::string GetTarget() override { return Target; }
  void SetEvent(TNavigateEvent) override {}
  void SetNavEnabled(bool on) override { setEnabled(Designing() ? true : on); }
  void SetTarget(const std::string& target) override;

 protected:
  bool ReadProperty(std::string_view name, const TFilerValue& value) override;
  void WriteProperties(std::vector<TPropertyRecord>& out) const override;
};

// ---- run-time buttons ---------------------------------------------------------------------------

class TVisuSTMConnectButton : public TVisuPushButton, public ISTMConnector {
 public:
  explicit TVisuSTMConnectButton(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TVisuSTMConnectButton)
  TConnectType ConnectType = TConnectType::ctConnect;

  void ConnectAllStm(QObject* sender) override;
  void ConnectStm(QObject* sender, int32_t number) override;
  void DisconnectAllStm(QObject* sender) override;
  void DisconnectStm(QObject* sender, int32_t number) override;
  void SetSTMConnectEvents(TSTMAllEvent connectAll, TSTMAllEvent disconnectAll, TSTMOneEvent connect,
                           TSTMOneEvent disconnect) override;

 protected:
  bool ReadProperty(std::string_view name, const TFilerValue& value) override;
  void WriteProperties(std::vector<TPropertyRecord>& out) const override;
  void mouseReleaseEvent(QMouseEvent*) override;

 private:
  TSTMAllEvent fConnectAll, fDisconnectAll;
  TSTMOneEvent fConnect, fDisconnect;
};

class TExitButton : public TVisuPushButton {
 public:
  explicit TExitButton(QWidget* parent = nullptr);
  ZYN_VISU_CLASS(TExitButton)

 protected:
  void mouseReleaseEvent(QMouseEvent*) override;
};

std::string EnumName(TBrushStyle v);

}  // namespace zyn
