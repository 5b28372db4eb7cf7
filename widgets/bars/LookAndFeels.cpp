#include "widgets/bars/LookAndFeels.h"

#include "widgets/bars/Office11Colors.h"

#include <QCoreApplication>
#include <QEvent>

#include <algorithm>

namespace zyn {

namespace {

// Hears the application's palette change (the system colours) while a notifier exists and tells
// every notifier.
class TPaletteWatcher : public QObject {
 public:
  TPaletteWatcher() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::ApplicationPaletteChange && watched == QCoreApplication::instance())
      SystemPaletteChanged();
    return false;
  }
};

struct TPaletteListener {
  std::vector<TzxSystemPaletteChangedNotifier*> primary, others;
  TPaletteWatcher watcher;
};

std::unique_ptr<TPaletteListener>& PaletteListener() {
  static std::unique_ptr<TPaletteListener> listener;
  return listener;
}

TzxLookAndFeel*& Root() {
  static TzxLookAndFeel* root = nullptr;
  return root;
}

int& ControllerCount() {
  static int count = 0;
  return count;
}

}  // namespace

// ---------------------------------------------------------------- palette

TzxSystemPaletteChangedNotifier::TzxSystemPaletteChangedNotifier(bool primary) : fPrimary(primary) {
  auto& l = PaletteListener();
  if (!l) {
    l = std::make_unique<TPaletteListener>();
    Office11ColorsAddRef();
  }
  (primary ? l->primary : l->others).push_back(this);
}

TzxSystemPaletteChangedNotifier::~TzxSystemPaletteChangedNotifier() {
  auto& l = PaletteListener();
  if (!l) return;
  auto& list = fPrimary ? l->primary : l->others;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (l->primary.empty() && l->others.empty()) {
    l.reset();
    Office11ColorsRelease();
  }
}

void SystemPaletteChanged() {
  auto& l = PaletteListener();
  if (!l) return;
  Office11ColorsRefresh();
  // Copies: a notifier may free others while it is told.
  const auto primary = l->primary;
  const auto others = l->others;
  for (auto it = primary.rbegin(); it != primary.rend(); ++it)
    if (l && std::find(l->primary.begin(), l->primary.end(), *it) != l->primary.end()) (*it)->Notify();
  for (auto it = others.rbegin(); it != others.rend(); ++it)
    if (l && std::find(l->others.begin(), l->others.end(), *it) != l->others.end()) (*it)->Notify();
}

bool SystemPaletteListenerExists() { return PaletteListener() != nullptr; }

// ---------------------------------------------------------------- TzxLookAndFeel

bool& MakingRoot() {
  static bool making = false;
  return making;
}

TzxLookAndFeel* TzxLookAndFeel::MakeRoot() {
  if (!Root() && !MakingRoot()) {
    MakingRoot() = true;
    auto* made = new TzxLookAndFeel(nullptr);  // lives for the whole run
    made->fIsRoot = true;
    Root() = made;
    MakingRoot() = false;
  }
  return Root();
}

TzxLookAndFeel* GlobalLookAndFeel() { return TzxLookAndFeel::MakeRoot(); }

TzxLookAndFeel::TzxLookAndFeel(void* owner) : TzxInterfacedPersistent(owner) {
  fPaletteNotifier = std::make_unique<TzxSystemPaletteChangedNotifier>(false);
  fPaletteNotifier->OnSystemPaletteChanged = [this] { Changed(LookAndFeelBit(lfvNativeStyle)); };
  MakeRoot();
  if (Root() && !MakingRoot()) {
    Root()->AddChangeListener(this);
    fKind = InheritedKind();
    fNativeStyle = InheritedNativeStyle();
  }
}

TzxLookAndFeel::~TzxLookAndFeel() {
  fPaletteNotifier.reset();
  fDestroying = true;
  const auto listeners = fListeners;
  for (ILookAndFeelChangeListener* l : listeners) l->MasterDestroying(*this);
  fDestroying = false;
  fListeners.clear();
  if (TzxLookAndFeel* m = EffectiveMaster()) m->RemoveChangeListener(this);
  if (fIsRoot) Root() = nullptr;
}

TzxLookAndFeel* TzxLookAndFeel::EffectiveMaster() const {
  if (fIsRoot) return nullptr;
  return fMaster ? fMaster : Root();
}

TzxLookAndFeelKind TzxLookAndFeel::InheritedKind() const {
  if (fAssigned & LookAndFeelBit(lfvKind)) return fOwnKind;
  if (fIsRoot) return lfUltraFlat;
  if (TzxLookAndFeel* m = EffectiveMaster()) return m->Kind();
  return lfUltraFlat;
}

bool TzxLookAndFeel::InheritedNativeStyle() const {
  if (fAssigned & LookAndFeelBit(lfvNativeStyle)) return fOwnNativeStyle;
  if (fIsRoot) return false;
  if (TzxLookAndFeel* m = EffectiveMaster()) return m->NativeStyle();
  return false;
}

void TzxLookAndFeel::Changed(TzxLookAndFeelValues values) {
  if (values == 0 || fDestroying) return;
  fKind = InheritedKind();
  fNativeStyle = InheritedNativeStyle();
  std::size_t i = 0;
  while (i < fListeners.size()) {
    const std::size_t before = fListeners.size();
    fListeners[i]->MasterChanged(*this, values);
    if (fListeners.size() == before) ++i;
  }
  if (OnChanged) OnChanged(*this, values);
}

void TzxLookAndFeel::BeginChangeCheck() {
  fSavedKind = fKind;
  fSavedNativeStyle = fNativeStyle;
}

void TzxLookAndFeel::EndChangeCheck() {
  TzxLookAndFeelValues v = 0;
  if (InheritedKind() != fSavedKind) v |= LookAndFeelBit(lfvKind);
  if (InheritedNativeStyle() != fSavedNativeStyle) v |= LookAndFeelBit(lfvNativeStyle);
  fKind = InheritedKind();
  fNativeStyle = InheritedNativeStyle();
  Changed(v);
}

void TzxLookAndFeel::SetKind(TzxLookAndFeelKind value) {
  const TzxLookAndFeelKind before = fKind;
  fAssigned |= LookAndFeelBit(lfvKind);
  fOwnKind = value;
  if (InheritedKind() != before)
    Changed(LookAndFeelBit(lfvKind));
  else
    fKind = InheritedKind();
}

void TzxLookAndFeel::SetNativeStyle(bool value) {
  const bool before = fNativeStyle;
  fAssigned |= LookAndFeelBit(lfvNativeStyle);
  fOwnNativeStyle = value;
  if (InheritedNativeStyle() != before)
    Changed(LookAndFeelBit(lfvNativeStyle));
  else
    fNativeStyle = InheritedNativeStyle();
}

void TzxLookAndFeel::SetAssignedValues(TzxLookAndFeelValues value) {
  if (value == fAssigned) return;
  BeginChangeCheck();
  fAssigned = value;
  EndChangeCheck();
}

void TzxLookAndFeel::SetMaster(TzxLookAndFeel* value) {
  if (fIsRoot || value == this || value == EffectiveMaster()) return;
  BeginChangeCheck();
  if (TzxLookAndFeel* old = EffectiveMaster()) old->RemoveChangeListener(this);
  fMaster = value;
  if (TzxLookAndFeel* now = EffectiveMaster()) now->AddChangeListener(this);
  EndChangeCheck();
}

void TzxLookAndFeel::Assign(const TzxLookAndFeel& source) {
  BeginChangeCheck();
  fOwnKind = source.fOwnKind;
  fOwnNativeStyle = source.fOwnNativeStyle;
  fAssigned = source.fAssigned;
  TzxLookAndFeel* m = source.EffectiveMaster();
  if (!fIsRoot && m != this && m != EffectiveMaster()) {
    if (TzxLookAndFeel* old = EffectiveMaster()) old->RemoveChangeListener(this);
    fMaster = m;
    if (TzxLookAndFeel* now = EffectiveMaster()) now->AddChangeListener(this);
  }
  EndChangeCheck();
}

void TzxLookAndFeel::AddChangeListener(ILookAndFeelChangeListener* listener) {
  if (!listener) return;
  if (listener->IsController() && !fIsRoot) return;
  if (std::find(fListeners.begin(), fListeners.end(), listener) != fListeners.end()) return;
  fListeners.push_back(listener);
  if (listener->IsController() && fIsRoot) ++ControllerCount();
}

void TzxLookAndFeel::RemoveChangeListener(ILookAndFeelChangeListener* listener) {
  const auto it = std::find(fListeners.begin(), fListeners.end(), listener);
  if (it == fListeners.end()) return;
  if (!fDestroying) fListeners.erase(it);
  if (listener->IsController() && fIsRoot && --ControllerCount() == 0) SetAssignedValues(0);
}

void TzxLookAndFeel::MasterChanged(TzxLookAndFeel&, TzxLookAndFeelValues changed) { Changed(changed & ~fAssigned); }

void TzxLookAndFeel::MasterDestroying(TzxLookAndFeel&) { SetMaster(nullptr); }

TzxLookAndFeelController::TzxLookAndFeelController() { GlobalLookAndFeel()->AddChangeListener(this); }

TzxLookAndFeelController::~TzxLookAndFeelController() { GlobalLookAndFeel()->RemoveChangeListener(this); }

}  // namespace zyn
