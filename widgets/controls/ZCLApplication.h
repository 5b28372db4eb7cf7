#pragma once
// The library's timer object and its single application object: the insert/overwrite mode and
// the modifier state shared by every edit of the program, and the visual-style switch.

#include "widgets/controls/ZCLObject.h"

#include <QTimer>
#include <functional>

namespace zyn {

class TZCLTimer : public QObject {
  Q_OBJECT
 public:
  explicit TZCLTimer(QObject* owner = nullptr);
  TNotifyEvent OnTimer;
  int Interval() const { return timer_.interval(); }
  void SetInterval(int ms);
  bool Enabled() const { return timer_.isActive(); }
  void SetEnabled(bool on);
  // Runs one tick at once, as a tick of the timer would.
  void Tick();

 private:
  QTimer timer_;
};

class TZCLApplication {
 public:
  static TZCLApplication& Instance();

  // True: typing inserts; False: typing overwrites the character right of the caret.
  bool InsertMode() const { return insertMode_; }
  void SetInsertMode(bool on) { insertMode_ = on; }
  void ToggleInsertMode() { insertMode_ = !insertMode_; }

  // Modifier keys as the last key command of any edit saw them.
  bool ShiftDown() const { return shift_; }
  bool CtrlDown() const { return ctrl_; }
  bool AltDown() const { return alt_; }
  void SetModifiers(bool shift, bool ctrl, bool alt) {
    shift_ = shift;
    ctrl_ = ctrl;
    alt_ = alt;
  }
  void ClearShift() { shift_ = false; }

  // Whether the controls may use the platform's visual styles; off, the classic look is drawn.
  bool VisualStyles() const { return visualStyles_; }
  void SetVisualStyles(bool on) { visualStyles_ = on; }

 private:
  TZCLApplication() = default;
  bool insertMode_ = true;
  bool shift_ = false;
  bool ctrl_ = false;
  bool alt_ = false;
  bool visualStyles_ = false;
};

inline TZCLApplication& ZCLApplication() { return TZCLApplication::Instance(); }

}  // namespace zyn
