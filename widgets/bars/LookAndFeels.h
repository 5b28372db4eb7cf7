#pragma once
// Look-and-feel settings: a kind and a native-style switch that every object either holds itself
// or inherits from its master, up to one process-wide root; controllers edit the root; a change of
// the system colours refreshes the Office 2003 colours and reaches every object.

#include "widgets/bars/Components.h"

#include <functional>
#include <memory>
#include <vector>

namespace zyn {

enum TzxLookAndFeelKind { lfFlat, lfStandard, lfUltraFlat, lfOffice11 };
enum TzxLookAndFeelValue { lfvKind, lfvNativeStyle };
using TzxLookAndFeelValues = unsigned;  // bit 0 lfvKind, bit 1 lfvNativeStyle
constexpr TzxLookAndFeelValues LookAndFeelBit(TzxLookAndFeelValue v) { return 1u << v; }

class TzxLookAndFeel;

class ILookAndFeelChangeListener {
 public:
  virtual ~ILookAndFeelChangeListener() = default;
  virtual void MasterChanged(TzxLookAndFeel& sender, TzxLookAndFeelValues changed) = 0;
  virtual void MasterDestroying(TzxLookAndFeel& sender) = 0;
  virtual bool IsController() const { return false; }
};

class TzxSystemPaletteChangedNotifier {
 public:
  explicit TzxSystemPaletteChangedNotifier(bool primary);
  virtual ~TzxSystemPaletteChangedNotifier();
  TzxSystemPaletteChangedNotifier(const TzxSystemPaletteChangedNotifier&) = delete;
  TzxSystemPaletteChangedNotifier& operator=(const TzxSystemPaletteChangedNotifier&) = delete;
  bool Primary() const { return fPrimary; }
  std::function<void()> OnSystemPaletteChanged;
  virtual void Notify() {
    if (OnSystemPaletteChanged) OnSystemPaletteChanged();
  }

 private:
  bool fPrimary;
};

// The system colours changed: the Office 2003 colours are refreshed, then every notifier is told
// (primary ones first, each group from the last to the first).
void SystemPaletteChanged();
bool SystemPaletteListenerExists();

class TzxLookAndFeel : public TzxInterfacedPersistent, public ILookAndFeelChangeListener {
 public:
  explicit TzxLookAndFeel(void* owner = nullptr);
  ~TzxLookAndFeel() override;
  TzxLookAndFeel(const TzxLookAndFeel&) = delete;
  TzxLookAndFeel& operator=(const TzxLookAndFeel&) = delete;

  TzxLookAndFeelKind Kind() const { return fKind; }
  void SetKind(TzxLookAndFeelKind value);
  bool NativeStyle() const { return fNativeStyle; }
  void SetNativeStyle(bool value);
  TzxLookAndFeelValues AssignedValues() const { return fAssigned; }
  void SetAssignedValues(TzxLookAndFeelValues value);
  void SetMaster(TzxLookAndFeel* value);
  TzxLookAndFeel* EffectiveMaster() const;
  void Assign(const TzxLookAndFeel& source);
  void AddChangeListener(ILookAndFeelChangeListener* listener);
  void RemoveChangeListener(ILookAndFeelChangeListener* listener);
  int ListenerCount() const { return static_cast<int>(fListeners.size()); }

  std::function<void(TzxLookAndFeel&, TzxLookAndFeelValues)> OnChanged;

  void MasterChanged(TzxLookAndFeel& sender, TzxLookAndFeelValues changed) override;
  void MasterDestroying(TzxLookAndFeel& sender) override;

  TzxLookAndFeelKind InheritedKind() const;
  bool InheritedNativeStyle() const;

  static TzxLookAndFeel* MakeRoot();  // the unit's root (made on first use)

 private:
  void Changed(TzxLookAndFeelValues values);
  void BeginChangeCheck();
  void EndChangeCheck();
  TzxLookAndFeelValues fAssigned = 0;
  std::vector<ILookAndFeelChangeListener*> fListeners;
  TzxLookAndFeelKind fKind = lfUltraFlat, fOwnKind = lfUltraFlat, fSavedKind = lfUltraFlat;
  bool fNativeStyle = false, fOwnNativeStyle = false, fSavedNativeStyle = false;
  bool fDestroying = false;
  bool fIsRoot = false;
  TzxLookAndFeel* fMaster = nullptr;
  std::unique_ptr<TzxSystemPaletteChangedNotifier> fPaletteNotifier;
};

// The root of all look-and-feel objects.
TzxLookAndFeel* GlobalLookAndFeel();

class TzxLookAndFeelController : public ILookAndFeelChangeListener {
 public:
  TzxLookAndFeelController();
  ~TzxLookAndFeelController() override;
  TzxLookAndFeelKind Kind() const { return GlobalLookAndFeel()->Kind(); }
  void SetKind(TzxLookAndFeelKind value) { GlobalLookAndFeel()->SetKind(value); }
  bool NativeStyle() const { return GlobalLookAndFeel()->NativeStyle(); }
  void SetNativeStyle(bool value) { GlobalLookAndFeel()->SetNativeStyle(value); }
  void MasterChanged(TzxLookAndFeel&, TzxLookAndFeelValues) override {}
  void MasterDestroying(TzxLookAndFeel&) override {}
  bool IsController() const override { return true; }
};

}  // namespace zyn
