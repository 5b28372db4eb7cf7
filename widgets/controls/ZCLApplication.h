#pragma once
// The library's single application object (input mode shared by every edit, visual-style
// switch, global timer pool, pattern bitmap cache), the timer pool that multiplexes many
// logical timers onto one timer, and the small timer object of the controls.

#include "platform/Colors.h"
#include "widgets/controls/ZCLObject.h"

#include <QImage>
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace zyn {

class EOutOfResources : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TZCLTimerPool;

class TZCLTimerItem {
 public:
  TZCLTimerItem(TZCLTimerPool* pool, std::uint16_t ident);
  std::uint16_t Ident() const { return fIdent; }
  int CallCount() const { return fCallCount; }
  void SetCallCount(int value) { fCallCount = value; }
  int Counter() const { return fCounter; }
  bool Enabled() const { return fEnabled; }
  // Enabling needs a call count other than 0; any change resets the counter.
  void SetEnabled(bool value);
  int Interval() const { return fInterval; }
  // Ignored when equal or not a multiple of the pool's MinInterval; 0 means MinInterval.
  void SetInterval(int value);
  int Ratio() const { return fRatio; }
  TZCLNotifyEvent Handler;

 private:
  friend class TZCLTimerPool;
  TZCLTimerPool* fPool;
  std::uint16_t fIdent;
  int fCallCount = -1;
  int fCounter = 0;
  bool fEnabled = true;
  int fInterval = 1000;
  int fRatio = 1;
};

class TZCLTimerPool : public TZCLCustomComponent {
  Q_OBJECT
 public:
  explicit TZCLTimerPool(QObject* owner = nullptr, int minInterval = 1000);
  ~TZCLTimerPool() override;

  std::function<void(QObject* Sender, std::uint16_t Ident, int Counter)> OnTimer;

  int MinInterval() const { return fMinInterval; }
  // Only while loading; other writes are ignored.
  void SetMinInterval(int value);
  // Appends an item and returns its index; a duplicate ident or an interval that does not fit
  // MinInterval raises.
  int AddItem(std::uint16_t ident, int interval, TZCLNotifyEvent handler);
  void RemoveItem(std::uint16_t ident);
  TZCLTimerItem* FindItem(std::uint16_t ident) const;
  void ClearItems();
  int ActiveCount() const;
  int ItemCount() const { return static_cast<int>(fItems.size()); }
  bool Running() const { return fTimer.isActive(); }
  int PassCounter() const { return fPass; }
  // One pass of the pool's timer: every enabled item whose ratio divides the pass fires.
  void ProcessPass();

 private:
  void UpdateTimer(bool active);
  std::vector<std::unique_ptr<TZCLTimerItem>> fItems;
  QTimer fTimer;
  int fMinInterval;
  int fPass = 1;
  bool fInPass = false;
  bool fUpdating = false;
};

class TZCLTimer : public QObject {
  Q_OBJECT
 public:
  // Starts at once; with useGlobalPool the interval is rounded up to a multiple of 50 ms and
  // the timer runs in the application's pool.
  TZCLTimer(int interval, TZCLNotifyEvent handler, bool enabled = true, bool useGlobalPool = false);
  ~TZCLTimer() override;

  TZCLNotifyEvent OnTimer;
  bool Enabled() const { return fEnabled; }
  void SetEnabled(bool value);
  int Interval() const { return fInterval; }
  void SetInterval(int value);
  std::uint16_t Ident() const { return fIdent; }
  bool UsesGlobalPool() const { return fGlobal; }
  // Runs one tick, as the timer does.
  void Dispatch();

 private:
  void Start();
  void Stop();
  std::uint16_t fIdent = 0;
  bool fGlobal;
  bool fEnabled;
  int fInterval;
  std::unique_ptr<QTimer> fOwn;
};

enum : std::uint8_t { imInsert = 1, imShift = 2, imCtrl = 4 };

class TZCLApplication {
 public:
  static TZCLApplication& Instance();

  TZCLNotifyEvent OnInputModeChange;
  std::uint8_t InputMode() const { return fInputMode; }
  void SetInputMode(std::uint8_t value);

  // True: typing inserts; False: typing overwrites the character right of the caret.
  bool InsertMode() const { return fInputMode & imInsert; }
  void SetInsertMode(bool on);
  void ToggleInsertMode() { SetInsertMode(!InsertMode()); }
  bool ShiftDown() const { return fInputMode & imShift; }
  bool CtrlDown() const { return fInputMode & imCtrl; }
  bool AltDown() const { return fAlt; }
  void SetModifiers(bool shift, bool ctrl, bool alt);
  void ClearShift() { SetInputMode(fInputMode & ~imShift); }

  std::uint8_t GlobalOptions() const { return fGlobalOptions; }
  void SetGlobalOptions(std::uint8_t value) { fGlobalOptions = value; }
  // Whether the controls paint with the platform's visual styles; off, the classic look is drawn.
  bool VisualStyles() const { return fVisualStyles; }
  // Sets the flag alone (the controls read it when they paint next).
  void SetVisualStyles(bool on) { fVisualStyles = on; }
  // Whether the platform's visual styles are there (the theme engine draws themed).
  static bool StylesActive();
  // The flag, and the styles there.
  bool UseVisualStyles() const { return fVisualStyles && StylesActive(); }
  // Takes the flag from the test of the platform.
  void RefreshVisualStyles() { fVisualStyles = StylesActive(); }
  // Switches visual styles on or off for the whole programme (ignored when equal, or on without
  // styles there). The visual style is the widget style of the application: off, the classic
  // style ("Windows") replaces the style in use, which comes back when switched on again; then
  // every control of every visible window hears of the theme change and paints again. With the
  // styles-only flag only the library's controls change their look.
  void SetVisualStyleSupport(bool on);
  bool StylesOnly() const { return fStylesOnly; }
  void SetStylesOnly(bool value) { fStylesOnly = value; }
  // True while a switch runs (theme and palette changes that it causes are its own).
  bool SwitchingStyles() const { return fSwitching; }

  TZCLTimerPool& GlobalPool();
  // The ident ($FD01 .. $FDFA) of a new global timer, or 0 when no slot is free.
  std::uint16_t AllocateGlobalTimer(int interval, TZCLNotifyEvent handler);
  void ReleaseGlobalTimer(std::uint16_t ident);
  TZCLTimerItem* GetGlobalTimerItem(std::uint16_t ident);
  // An 8 x 8 white bitmap with the colour on every pixel whose x and y differ in parity.
  QImage GetPatternBitmap(TColor color);

 private:
  TZCLApplication() = default;
  std::uint8_t fInputMode = imInsert;
  bool fAlt = false;
  std::uint8_t fGlobalOptions = 0x36;
  bool fVisualStyles = false;
  bool fStylesOnly = false;
  bool fSwitching = false;
  QString fStyleBefore;  // the widget style that switching off replaced
  std::unique_ptr<TZCLTimerPool> fPool;
  std::array<bool, 251> fSlots{};
  TColor fPatternColor = clNone;
  QImage fPattern;
};

inline TZCLApplication& ZCLApplication() { return TZCLApplication::Instance(); }

}  // namespace zyn
