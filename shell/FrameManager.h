#pragma once
// The page host of the main window: every working page ("frame") is registered once under its
// component name and shown on demand, one at a time. Pages implement IFrameMessage, the contract
// by which the manager tells them that they are entered or left and asks whether pending edits
// are to be applied.

#include "platform/Colors.h"

#include <QFrame>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace zyn {

using TFrame = QWidget;

// The page contract. Results of AskApplyChanges: 6 yes (applied), 7 no (dropped), 2 cancel (the
// page stays). A page without pending edits answers 6 without asking.
class IFrameMessage {
 public:
  virtual ~IFrameMessage() = default;
  virtual void FrameActivate() = 0;
  virtual void FrameDeactivate() = 0;
  virtual int AskApplyChanges() = 0;
};

enum TFramePosition { faNone, faLeft, faRight, faCenter, faClient };
enum TDrawStyle { dsStandard, dsGradient };

// One registered frame. It owns its frame.
class TFrameObject {
 public:
  TFrameObject(TFrame* frame, QString title);
  ~TFrameObject();
  TFrameObject(const TFrameObject&) = delete;
  TFrameObject& operator=(const TFrameObject&) = delete;

  bool Flag = false;
  TFramePosition FramePosition = faNone;
  QString TitleText;

  TFrame* Frame() const { return fFrame; }
  // Frees the frame (nothing when there is none) and forgets it.
  void FreeFrame();

 private:
  TFrame* fFrame = nullptr;
};

// The registry: keys (component names) with their entries, in registration order. Look-ups
// ignore case.
class TFrameListe {
 public:
  int Count() const { return static_cast<int>(fItems.size()); }
  const QString& Key(int index) const { return fItems[static_cast<size_t>(index)].key; }
  TFrameObject* Object(int index) const { return fItems[static_cast<size_t>(index)].object.get(); }
  int IndexOf(const QString& key) const;  // -1 when not registered
  int Add(const QString& key, std::unique_ptr<TFrameObject> object);
  // Frees every entry with its frame, last first; a failure while freeing one entry does not stop
  // the others.
  void Clear();

 private:
  struct Item {
    QString key;
    std::unique_ptr<TFrameObject> object;
  };
  std::vector<Item> fItems;
};

using TFrameChangedEvent = std::function<void(QObject* sender, TFrame* frame, const QString& title)>;
using TFrameNotifyEvent = std::function<void(QObject* sender, const QString& name)>;

class TFrameManager : public QFrame {
  Q_OBJECT
 public:
  explicit TFrameManager(QWidget* parent = nullptr);
  ~TFrameManager() override;

  // Registers a frame under its object name; -1 (and nothing changed, the caller keeps the frame)
  // when that name is taken in any case. The manager owns the frame from then on.
  int AddFrame(TFrame* frame, const QString& title, TFramePosition position);
  TFrame* GetFrame(const QString& name) const;  // case ignored; nullptr when unknown

  const QString& CurrentFrame() const { return fCurrentFrame; }
  // The frame switch. "*", the empty name and unknown names leave the manager empty. The current
  // page (in any spelling) is not entered again; CurrentFrame is always the registered key.
  void SetCurrentFrame(const QString& name);
  TFrameObject* CurrentFrameObject() const { return fCurrentObject; }

  void SaveFrame() { fSavedFrame = fCurrentFrame; }
  void RestoreFrame();
  const QString& SavedFrame() const { return fSavedFrame; }

  void AlignCurrentFrame();
  void ClearFrames();

  TFrameListe& Frames() { return fFrames; }

  const QString& DefaultTitle() const { return fDefaultTitle; }
  void SetDefaultTitle(const QString& title) { fDefaultTitle = title; }
  TDrawStyle DrawStyle() const { return fDrawStyle; }
  void SetDrawStyle(TDrawStyle style);
  TColor EmptyColor() const { return fEmptyColor; }
  void SetEmptyColor(TColor color);
  TColor FrameColor() const { return fFrameColor; }
  void SetFrameColor(TColor color) { fFrameColor = color; }
  TColor GradientStartColor() const { return fGradientStartColor; }
  void SetGradientStartColor(TColor color);
  TColor GradientEndColor() const { return fGradientEndColor; }
  void SetGradientEndColor(TColor color);
  TColor Color() const { return fColor; }
  void SetColor(TColor color);

  TFrameChangedEvent FOnFrameChanged;
  TFrameChangedEvent OnFrameAdded;
  TFrameChangedEvent OnFrameDeleted;  // declared for forms; the manager never fires it
  TFrameNotifyEvent OnFrameRemoved;   // declared for forms; the manager never fires it

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void LeaveFrame(TFrameObject* entry);

  TFrameListe fFrames;
  TFrameObject* fCurrentObject = nullptr;
  QString fCurrentFrame;
  QString fSavedFrame;
  QString fDefaultTitle;
  TDrawStyle fDrawStyle = dsStandard;
  TColor fEmptyColor = clBtnShadow;
  TColor fFrameColor = clBtnFace;
  TColor fGradientStartColor = clBtnFace;
  TColor fGradientEndColor = clBtnShadow;
  TColor fColor = clBtnShadow;
  bool fDestroying = false;
};

}  // namespace zyn
