#pragma once
// Look-and-feel settings: a kind and a native-style switch that every object either holds itself
// or inherits from its master, up to one process-wide root; controllers edit the root; a change of
// the system colours refreshes the Office 2003 colours and reaches every object.

#include <functional>
#include <memory>
#include <vector>

namespace zyn {

enum TcxLookAndFeelKind { lfFlat, lfStandard, lfUltraFlat, lfOffice11 };
enum TcxLookAndFeelValue { lfvKind, lfvNativeStyle };
using TcxLookAndFeelValues = unsigned;  // bit 0 lfvKind, bit 1 lfvNativeStyle
constexpr TcxLookAndFeelValues LookAndFeelBit(TcxLookAndFeelValue v) { return 1u << v; }

class TcxLookAndFeel;

class ILookAndFeelChangeListener {
 public:
  virtual ~ILookAndFeelChangeListener() = default;
  virtual void MasterChanged(TcxLookAndFeel& sender, TcxLookAndFeelValues changed) = 0;
  virtual void MasterDestroying(TcxLookAndFeel& sender) = 0;
  virtual bool IsController() const { return false; }
};

class TcxSystemPaletteChangedNotifier {
 public:
  explicit TcxSystemPaletteChangedNotifier(bool primary);
  virtual ~TcxSystemPaletteChangedNotifier();
  TcxSystemPaletteChangedNotifier(const TcxSystemPaletteChangedNotifier&) = delete;
  TcxSystemPaletteChangedNotifier& operator=(const TcxSystemPaletteChangedNotifier&) = delete;
  bool Primary() const { return primary_; }
  std::function<void()> OnSystemPaletteChanged;
  virtual void Notify() {
    if (OnSystemPaletteChanged) OnSystemPaletteChanged();
  }

 private:
  bool primary_;
};

// The system colours changed: the Office 2003 colours are refreshed, then every notifier is told
// (primary ones first, each group from the last to the first).
void SystemPaletteChanged();
bool SystemPaletteListenerExists();

class TcxLookAndFeel : public ILookAndFeelChangeListener {
 public:
  explicit TcxLookAndFeel(void* owner = nullptr);
  ~TcxLookAndFeel() override;
  TcxLookAndFeel(const TcxLookAndFeel&) = delete;
  TcxLookAndFeel& operator=(const TcxLookAndFeel&) = delete;

  void* Owner() const { return owner_; }
  TcxLookAndFeelKind Kind() const { return kind_; }
  void SetKind(TcxLookAndFeelKind value);
  bool NativeStyle() const { return nativeStyle_; }
  void SetNativeStyle(bool value);
  TcxLookAndFeelValues AssignedValues() const { return assigned_; }
  void SetAssignedValues(TcxLookAndFeelValues value);
  void SetMaster(TcxLookAndFeel* value);
  TcxLookAndFeel* EffectiveMaster() const;
  void Assign(const TcxLookAndFeel& source);
  void AddChangeListener(ILookAndFeelChangeListener* listener);
  void RemoveChangeListener(ILookAndFeelChangeListener* listener);
  int ListenerCount() const { return static_cast<int>(listeners_.size()); }

  std::function<void(TcxLookAndFeel&, TcxLookAndFeelValues)> OnChanged;

  void MasterChanged(TcxLookAndFeel& sender, TcxLookAndFeelValues changed) override;
  void MasterDestroying(TcxLookAndFeel& sender) override;

  TcxLookAndFeelKind InheritedKind() const;
  bool InheritedNativeStyle() const;

  static TcxLookAndFeel* MakeRoot();  // the unit's root (made on first use)

 private:
  void Changed(TcxLookAndFeelValues values);
  void BeginChangeCheck();
  void EndChangeCheck();
  void* owner_;
  TcxLookAndFeelValues assigned_ = 0;
  std::vector<ILookAndFeelChangeListener*> listeners_;
  TcxLookAndFeelKind kind_ = lfUltraFlat, ownKind_ = lfUltraFlat, savedKind_ = lfUltraFlat;
  bool nativeStyle_ = false, ownNativeStyle_ = false, savedNativeStyle_ = false;
  bool destroying_ = false;
  bool isRoot_ = false;
  TcxLookAndFeel* master_ = nullptr;
  std::unique_ptr<TcxSystemPaletteChangedNotifier> paletteNotifier_;
};

// The root of all look-and-feel objects.
TcxLookAndFeel* GlobalLookAndFeel();

class TcxLookAndFeelController : public ILookAndFeelChangeListener {
 public:
  TcxLookAndFeelController();
  ~TcxLookAndFeelController() override;
  TcxLookAndFeelKind Kind() const { return GlobalLookAndFeel()->Kind(); }
  void SetKind(TcxLookAndFeelKind value) { GlobalLookAndFeel()->SetKind(value); }
  bool NativeStyle() const { return GlobalLookAndFeel()->NativeStyle(); }
  void SetNativeStyle(bool value) { GlobalLookAndFeel()->SetNativeStyle(value); }
  void MasterChanged(TcxLookAndFeel&, TcxLookAndFeelValues) override {}
  void MasterDestroying(TcxLookAndFeel&) override {}
  bool IsController() const override { return true; }
};

}  // namespace zyn
