#include "widgets/bars/LookAndFeels.h"

#include "widgets/bars/Office11Colors.h"

#include <algorithm>

namespace zyn {

namespace {

struct TPaletteListener {
  std::vector<TzxSystemPaletteChangedNotifier*> primary, others;
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

TzxSystemPaletteChangedNotifier::TzxSystemPaletteChangedNotifier(bool primary) : primary_(primary) {
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
  auto& list = primary_ ? l->primary : l->others;
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
    made->isRoot_ = true;
    Root() = made;
    MakingRoot() = false;
  }
  return Root();
}

TzxLookAndFeel* GlobalLookAndFeel() { return TzxLookAndFeel::MakeRoot(); }

TzxLookAndFeel::TzxLookAndFeel(void* owner) : owner_(owner) {
  paletteNotifier_ = std::make_unique<TzxSystemPaletteChangedNotifier>(false);
  paletteNotifier_->OnSystemPaletteChanged = [this] { Changed(LookAndFeelBit(lfvNativeStyle)); };
  MakeRoot();
  if (Root() && !MakingRoot()) {
    Root()->AddChangeListener(this);
    kind_ = InheritedKind();
    nativeStyle_ = InheritedNativeStyle();
  }
}

TzxLookAndFeel::~TzxLookAndFeel() {
  paletteNotifier_.reset();
  destroying_ = true;
  const auto listeners = listeners_;
  for (ILookAndFeelChangeListener* l : listeners) l->MasterDestroying(*this);
  destroying_ = false;
  listeners_.clear();
  if (TzxLookAndFeel* m = EffectiveMaster()) m->RemoveChangeListener(this);
  if (isRoot_) Root() = nullptr;
}

TzxLookAndFeel* TzxLookAndFeel::EffectiveMaster() const {
  if (isRoot_) return nullptr;
  return master_ ? master_ : Root();
}

TzxLookAndFeelKind TzxLookAndFeel::InheritedKind() const {
  if (assigned_ & LookAndFeelBit(lfvKind)) return ownKind_;
  if (isRoot_) return lfUltraFlat;
  if (TzxLookAndFeel* m = EffectiveMaster()) return m->Kind();
  return lfUltraFlat;
}

bool TzxLookAndFeel::InheritedNativeStyle() const {
  if (assigned_ & LookAndFeelBit(lfvNativeStyle)) return ownNativeStyle_;
  if (isRoot_) return false;
  if (TzxLookAndFeel* m = EffectiveMaster()) return m->NativeStyle();
  return false;
}

void TzxLookAndFeel::Changed(TzxLookAndFeelValues values) {
  if (values == 0 || destroying_) return;
  kind_ = InheritedKind();
  nativeStyle_ = InheritedNativeStyle();
  std::size_t i = 0;
  while (i < listeners_.size()) {
    const std::size_t before = listeners_.size();
    listeners_[i]->MasterChanged(*this, values);
    if (listeners_.size() == before) ++i;
  }
  if (OnChanged) OnChanged(*this, values);
}

void TzxLookAndFeel::BeginChangeCheck() {
  savedKind_ = kind_;
  savedNativeStyle_ = nativeStyle_;
}

void TzxLookAndFeel::EndChangeCheck() {
  TzxLookAndFeelValues v = 0;
  if (InheritedKind() != savedKind_) v |= LookAndFeelBit(lfvKind);
  if (InheritedNativeStyle() != savedNativeStyle_) v |= LookAndFeelBit(lfvNativeStyle);
  kind_ = InheritedKind();
  nativeStyle_ = InheritedNativeStyle();
  Changed(v);
}

void TzxLookAndFeel::SetKind(TzxLookAndFeelKind value) {
  const TzxLookAndFeelKind before = kind_;
  assigned_ |= LookAndFeelBit(lfvKind);
  ownKind_ = value;
  if (InheritedKind() != before) Changed(LookAndFeelBit(lfvKind));
  else kind_ = InheritedKind();
}

void TzxLookAndFeel::SetNativeStyle(bool value) {
  const bool before = nativeStyle_;
  assigned_ |= LookAndFeelBit(lfvNativeStyle);
  ownNativeStyle_ = value;
  if (InheritedNativeStyle() != before) Changed(LookAndFeelBit(lfvNativeStyle));
  else nativeStyle_ = InheritedNativeStyle();
}

void TzxLookAndFeel::SetAssignedValues(TzxLookAndFeelValues value) {
  if (value == assigned_) return;
  BeginChangeCheck();
  assigned_ = value;
  EndChangeCheck();
}

void TzxLookAndFeel::SetMaster(TzxLookAndFeel* value) {
  if (isRoot_ || value == this || value == EffectiveMaster()) return;
  BeginChangeCheck();
  if (TzxLookAndFeel* old = EffectiveMaster()) old->RemoveChangeListener(this);
  master_ = value;
  if (TzxLookAndFeel* now = EffectiveMaster()) now->AddChangeListener(this);
  EndChangeCheck();
}

void TzxLookAndFeel::Assign(const TzxLookAndFeel& source) {
  BeginChangeCheck();
  ownKind_ = source.ownKind_;
  ownNativeStyle_ = source.ownNativeStyle_;
  assigned_ = source.assigned_;
  TzxLookAndFeel* m = source.EffectiveMaster();
  if (!isRoot_ && m != this && m != EffectiveMaster()) {
    if (TzxLookAndFeel* old = EffectiveMaster()) old->RemoveChangeListener(this);
    master_ = m;
    if (TzxLookAndFeel* now = EffectiveMaster()) now->AddChangeListener(this);
  }
  EndChangeCheck();
}

void TzxLookAndFeel::AddChangeListener(ILookAndFeelChangeListener* listener) {
  if (!listener) return;
  if (listener->IsController() && !isRoot_) return;
  if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) return;
  listeners_.push_back(listener);
  if (listener->IsController() && isRoot_) ++ControllerCount();
}

void TzxLookAndFeel::RemoveChangeListener(ILookAndFeelChangeListener* listener) {
  const auto it = std::find(listeners_.begin(), listeners_.end(), listener);
  if (it == listeners_.end()) return;
  if (!destroying_) listeners_.erase(it);
  if (listener->IsController() && isRoot_ && --ControllerCount() == 0) SetAssignedValues(0);
}

void TzxLookAndFeel::MasterChanged(TzxLookAndFeel&, TzxLookAndFeelValues changed) { Changed(changed & ~assigned_); }

void TzxLookAndFeel::MasterDestroying(TzxLookAndFeel&) { SetMaster(nullptr); }

TzxLookAndFeelController::TzxLookAndFeelController() { GlobalLookAndFeel()->AddChangeListener(this); }

TzxLookAndFeelController::~TzxLookAndFeelController() { GlobalLookAndFeel()->RemoveChangeListener(this); }

}  // namespace zyn
