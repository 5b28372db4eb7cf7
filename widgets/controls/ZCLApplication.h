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
  std::uint16_t Ident() const { return ident_; }
  int CallCount() const { return callCount_; }
  void SetCallCount(int value) { callCount_ = value; }
  int Counter() const { return counter_; }
  bool Enabled() const { return enabled_; }
  // Enabling needs a call count other than 0; any change resets the counter.
  void SetEnabled(bool value);
  int Interval() const { return interval_; }
  // Ignored when equal or not a multiple of the pool's MinInterval; 0 means MinInterval.
  void SetInterval(int value);
  int Ratio() const { return ratio_; }
  TZCLNotifyEvent Handler;

 private:
  friend class TZCLTimerPool;
  TZCLTimerPool* pool_;
  std::uint16_t ident_;
  int callCount_ = -1;
  int counter_ = 0;
  bool enabled_ = true;
  int interval_ = 1000;
  int ratio_ = 1;
};

class TZCLTimerPool : public TZCLCustomComponent {
  Q_OBJECT
 public:
  explicit TZCLTimerPool(QObject* owner = nullptr, int minInterval = 1000);
  ~TZCLTimerPool() override;

  std::function<void(QObject* Sender, std::uint16_t Ident, int Counter)> OnTimer;

  int MinInterval() const { return minInterval_; }
  // Only while loading; other writes are ignored.
  void SetMinInterval(int value);
  // Appends an item and returns its index; a duplicate ident or an interval that does not fit
  // MinInterval raises.
  int AddItem(std::uint16_t ident, int interval, TZCLNotifyEvent handler);
  void RemoveItem(std::uint16_t ident);
  TZCLTimerItem* FindItem(std::uint16_t ident) const;
  void ClearItems();
  int ActiveCount() const;
  int ItemCount() const { return static_cast<int>(items_.size()); }
  bool Running() const { return timer_.isActive(); }
  int PassCounter() const { return pass_; }
  // One pass of the pool's timer: every enabled item whose ratio divides the pass fires.
  void ProcessPass();

 private:
  void UpdateTimer(bool active);
  std::vector<std::unique_ptr<TZCLTimerItem>> items_;
  QTimer timer_;
  int minInterval_;
  int pass_ = 1;
  bool inPass_ = false;
  bool updating_ = false;
};

class TZCLTimer : public QObject {
  Q_OBJECT
 public:
  // Starts at once; with useGlobalPool the interval is rounded up to a multiple of 50 ms and
  // the timer runs in the application's pool.
  TZCLTimer(int interval, TZCLNotifyEvent handler, bool enabled = true, bool useGlobalPool = false);
  ~TZCLTimer() override;

  TZCLNotifyEvent OnTimer;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  int Interval() const { return interval_; }
  void SetInterval(int value);
  std::uint16_t Ident() const { return ident_; }
  bool UsesGlobalPool() const { return global_; }
  // Runs one tick, as the timer does.
  void Dispatch();

 private:
  void Start();
  void Stop();
  std::uint16_t ident_ = 0;
  bool global_;
  bool enabled_;
  int interval_;
  std::unique_ptr<QTimer> own_;
};

enum : std::uint8_t { imInsert = 1, imShift = 2, imCtrl = 4 };

class TZCLApplication {
 public:
  static TZCLApplication& Instance();

  TZCLNotifyEvent OnInputModeChange;
  std::uint8_t InputMode() const { return inputMode_; }
  void SetInputMode(std::uint8_t value);

  // True: typing inserts; False: typing overwrites the character right of the caret.
  bool InsertMode() const { return inputMode_ & imInsert; }
  void SetInsertMode(bool on);
  void ToggleInsertMode() { SetInsertMode(!InsertMode()); }
  bool ShiftDown() const { return inputMode_ & imShift; }
  bool CtrlDown() const { return inputMode_ & imCtrl; }
  bool AltDown() const { return alt_; }
  void SetModifiers(bool shift, bool ctrl, bool alt);
  void ClearShift() { SetInputMode(inputMode_ & ~imShift); }

  std::uint8_t GlobalOptions() const { return globalOptions_; }
  void SetGlobalOptions(std::uint8_t value) { globalOptions_ = value; }
  // Whether the controls paint with the platform's visual styles; off, the classic look is drawn.
  bool VisualStyles() const { return visualStyles_; }
  void SetVisualStyleSupport(bool on) { visualStyles_ = on; }
  void SetVisualStyles(bool on) { visualStyles_ = on; }

  TZCLTimerPool& GlobalPool();
  // The ident ($FD01 .. $FDFA) of a new global timer, or 0 when no slot is free.
  std::uint16_t AllocateGlobalTimer(int interval, TZCLNotifyEvent handler);
  void ReleaseGlobalTimer(std::uint16_t ident);
  TZCLTimerItem* GetGlobalTimerItem(std::uint16_t ident);
  // An 8 x 8 white bitmap with the colour on every pixel whose x and y differ in parity.
  QImage GetPatternBitmap(TColor color);

 private:
  TZCLApplication() = default;
  std::uint8_t inputMode_ = imInsert;
  bool alt_ = false;
  std::uint8_t globalOptions_ = 0x36;
  bool visualStyles_ = false;
  std::unique_ptr<TZCLTimerPool> pool_;
  std::array<bool, 251> slots_{};
  TColor patternColor_ = clNone;
  QImage pattern_;
};

inline TZCLApplication& ZCLApplication() { return TZCLApplication::Instance(); }

}  // namespace zyn
