#pragma once
// A speed button that attaches itself to one control and keeps itself beside it: it follows
// the control's move, resize, show, hide, enabling and destruction. One dock button per control.

#include "widgets/controls/ZCLSpeedButton.h"

#include <QEvent>
#include <QPointer>

namespace zyn {

enum TZCLDockPosition { dpBottom, dpLeft, dpRight, dpTop };

class TZCLDockSpeedButton;

// Asks a control which dock button is attached to it; an attached button answers.
class TZCLDockQueryEvent : public QEvent {
 public:
  static QEvent::Type EventType();
  TZCLDockQueryEvent() : QEvent(EventType()) {}
  TZCLDockSpeedButton* Answer = nullptr;
};

class TZCLDockSpeedButton : public TZCLCustomSpeedButton {
  Q_OBJECT
 public:
  explicit TZCLDockSpeedButton(QWidget* parent = nullptr);
  ~TZCLDockSpeedButton() override;

  QWidget* Control() const { return FControl; }
  // Attaches to control (nullptr detaches). Raises std::runtime_error when the control already
  // has a dock button; Control stays empty then.
  void SetControl(QWidget* control);
  TZCLDockPosition Position() const { return FPosition; }
  void SetPosition(TZCLDockPosition value);
  int Margin() const { return FMargin; }
  void SetMargin(int value);
  bool AdjustDockedSize() const { return FAdjustDockedSize; }
  bool Docked() const { return FDocked; }
  bool ReflectOwnChanges() const { return FReflectOwnChanges; }
  // 0 AdjustDockedSize, 1 Docked, 2 ReflectOwnChanges.
  void SetDockFlag(int index, bool value);
  void SetAdjustDockedSize(bool value) { SetDockFlag(0, value); }
  void SetDocked(bool value) { SetDockFlag(1, value); }
  void SetReflectOwnChanges(bool value) { SetDockFlag(2, value); }

  void PlaceButton();
  void PlaceControl();
  // The obsolete "AdjustSize" of stored forms.
  void ReadAdjustSize(bool value) { SetAdjustDockedSize(value); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void Loaded() override;
  void BoundsChanged(int flags) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Dock();
  void Hook();
  void Unhook();
  bool ControlAligned() const;
  QRect ControlBounds() const;

  bool FAdjustDockedSize = true;
  bool FDocked = true;
  bool FReflectOwnChanges = true;
  QPointer<QWidget> FControl;
  TZCLDockPosition FPosition = dpRight;
  int FMargin = 1;
  bool FBusy = false;
  bool FHooked = false;
  QMetaObject::Connection FDestroyed;
};

}  // namespace zyn
