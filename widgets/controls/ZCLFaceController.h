#pragma once
// The face controller: named settings (colours, control flags, bevels, fonts ...) and state
// objects that say which settings apply in each of eight interaction states of a control.

#include "platform/Canvas.h"
#include "widgets/controls/ZCLObject.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

namespace zyn {

class TZCLBevel;
class TZCL3DCaption;
class TZCLFillObject;
class TZCLBitmapEffectObject;

using TZCLStateKind = std::array<std::uint8_t, 7>;  // focused, hot, pressed, modified, read-only, error, disabled

struct TZCLStateEntry {
  const char* Name;
  TZCLStateKind Kind;
};
// The eight states in the order they are tried: Disabled, Error, Focused, ReadOnly, Hot, Pressed, Modified, Normal.
const std::array<TZCLStateEntry, 8>& StateEntries();
// The entry equal to kind, or "Normal".
const TZCLStateEntry& StateEntryOf(const TZCLStateKind& kind);

// What a control tells the controller about itself; a control without these answers counts as
// answering False (and clBackground for the colour).
class IZCLFaceStateControl {
 public:
  virtual ~IZCLFaceStateControl() = default;
  virtual bool GetFocusedState() const = 0;
  virtual bool GetHotState() const = 0;
  virtual bool GetTransparentState() const { return false; }
  virtual bool GetThemedLook() const { return false; }
  virtual bool GetThemedLookSetting() const { return false; }
  virtual bool GetCtl3DState() const { return true; }
  virtual bool GetEnabledState() const = 0;
  virtual TColor GetColorValue() const = 0;
};
class IZCLFacePressedState {
 public:
  virtual ~IZCLFacePressedState() = default;
  virtual bool GetPressedState() const = 0;
};
class IZCLFaceEditState {
 public:
  virtual ~IZCLFaceEditState() = default;
  virtual bool GetModifiedState() const = 0;
  virtual bool GetReadOnlyState() const = 0;
  virtual bool GetErrorState() const = 0;
};

class TZCLColorObject : public TZCLObject {
 public:
  TColor Color() const { return fColor; }
  void SetColor(TColor value);
  QString Description() const override;

 private:
  TColor fColor = clBtnFace;
};

class TZCLCtlSettings : public TZCLObject {
 public:
  bool Get(int index) const { return index == 0 ? fTransparent : fCtlXP; }
  void Set(int index, bool value);
  bool Transparent() const { return fTransparent; }
  bool CtlXP() const { return fCtlXP; }
  QString Description() const override;

 private:
  bool fTransparent = false;
  bool fCtlXP = true;
};

class TZCLFontSetting : public TZCLObject {
 public:
  TFont Font;
};

class TZCLCFCSettingObjects {
 public:
  // Adds a setting under name (empty: the class name and the lowest free number); -1 for none.
  int AddSetting(std::unique_ptr<TZCLObject> setting, const QString& className, const QString& name = QString());
  void RemoveSetting(TZCLObject* setting);
  void ClearSettings();
  TZCLObject* FindSetting(const QString& name) const;
  int Count() const { return static_cast<int>(fEntries.size()); }
  QString NameAt(int index) const { return fEntries.at(index).name; }
  QString ClassNameAt(int index) const { return fEntries.at(index).className; }
  TZCLObject* ObjectAt(int index) const { return fEntries.at(index).object.get(); }
  // Clears, then copies every entry: a new object of the same class assigned from the source's.
  void Assign(const TZCLCFCSettingObjects& other);

 private:
  struct Entry {
    QString name;
    QString className;
    std::unique_ptr<TZCLObject> object;
  };
  std::vector<Entry> fEntries;
};

class TZCLCFCStateObject {
 public:
  TZCLStateKind Kind{};
  QStringList Settings;
  // Drops names missing from the pool and attaches the others.
  void ResolveSettings(const TZCLCFCSettingObjects& pool);
  const std::vector<TZCLObject*>& Resolved() const { return fResolved; }
  // Reads a stored kind: at most seven numbers; a kind of no entry becomes "Normal".
  void ReadKind(const std::vector<int>& values);
  // Copies Settings and Kind, then resolves the names in pool.
  void Assign(const TZCLCFCStateObject& other, const TZCLCFCSettingObjects& pool);

 private:
  std::vector<TZCLObject*> fResolved;
};

class TZCLFaceController : public TZCLCustomComponent {
  Q_OBJECT
 public:
  explicit TZCLFaceController(QObject* owner = nullptr) : TZCLCustomComponent(owner) {}
  ~TZCLFaceController() override;
  TZCLCFCSettingObjects& Settings() { return fSettings; }
  TZCLCFCStateObject& AddState(const TZCLStateKind& kind);
  int StateCount() const { return static_cast<int>(fStates.size()); }
  // The entry that applies to a control (by its answers) and the state object of that entry.
  static const TZCLStateEntry& StateEntryFor(const QObject* control);
  TZCLCFCStateObject* GetStateFor(const QObject* control) const;
  template <class T>
  T* GetSetting(const QObject* control) const {
    TZCLCFCStateObject* state = GetStateFor(control);
    if (!state) return nullptr;
    for (TZCLObject* o : state->Resolved())
      if (auto* t = dynamic_cast<T*>(o)) return t;
    return nullptr;
  }
  // The setting of a kind for the control's state, or null (the control keeps its own).
  const TFont* GetFont(const QObject* control) const;
  TZCL3DCaption* Get3DCaption(const QObject* control) const;
  TZCLFillObject* GetFill(const QObject* control) const;
  TZCLBitmapEffectObject* GetBitmapEffect(const QObject* control) const;
  TZCLBevel* GetBevel(const QObject* control) const;
  bool GetThemedLook(const QObject* control) const;
  bool GetCtl3D(const QObject* control) const;
  // Edits that take their look from the controller; they repaint when it changes.
  void AddClient(QWidget* client);
  void RemoveClient(QWidget* client);
  int ClientCount() const { return static_cast<int>(fClients.size()); }
  void Changed() override;
  bool GetTransparent(const QObject* control) const;
  bool GetThemedLookSetting(const QObject* control) const;
  TColor GetColor(const QObject* control) const;
  void ResolveAll();

 protected:
  void Loaded() override { ResolveAll(); }

 private:
  TZCLCFCSettingObjects fSettings;
  std::vector<std::unique_ptr<TZCLCFCStateObject>> fStates;
  std::vector<QPointer<QWidget>> fClients;
  bool fDestroying = false;
};

}  // namespace zyn
