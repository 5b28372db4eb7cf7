#include "widgets/controls/ZCLFaceController.h"

#include "widgets/controls/ZCL3DCaption.h"
#include "widgets/controls/ZCLBevel.h"
#include "widgets/controls/ZCLBitmapEffect.h"

#include <algorithm>

namespace zyn {

const std::array<TZCLStateEntry, 8>& StateEntries() {
  static const std::array<TZCLStateEntry, 8> entries{{
      {"Disabled", {0, 0, 0, 0, 0, 0, 1}},
      {"Error", {0, 0, 0, 0, 0, 1, 2}},
      {"Focused", {1, 0, 0, 0, 0, 2, 2}},
      {"ReadOnly", {2, 0, 0, 0, 1, 2, 2}},
      {"Hot", {2, 1, 0, 0, 2, 2, 2}},
      {"Pressed", {2, 2, 1, 0, 2, 2, 2}},
      {"Modified", {2, 2, 2, 1, 2, 2, 2}},
      {"Normal", {2, 2, 2, 2, 2, 2, 2}},
  }};
  return entries;
}

const TZCLStateEntry& StateEntryOf(const TZCLStateKind& kind) {
  for (const TZCLStateEntry& e : StateEntries())
    if (e.Kind == kind) return e;
  return StateEntries().back();
}

void TZCLColorObject::SetColor(TColor value) {
  if (value == fColor) return;
  fColor = value;
  Changed();
}

QString TZCLColorObject::Description() const {
  return QStringLiteral("$%1").arg(static_cast<quint32>(fColor), 8, 16, QLatin1Char('0')).toUpper();
}

void TZCLCtlSettings::Set(int index, bool value) {
  bool& field = index == 0 ? fTransparent : fCtlXP;
  if (field == value) return;
  field = value;
  Changed();
}

QString TZCLCtlSettings::Description() const {
  auto b = [](bool v) { return v ? QStringLiteral("True") : QStringLiteral("False"); };
  return QStringLiteral("Transp.: ") + b(fTransparent) + QStringLiteral(", CtlXP: ") + b(fCtlXP);
}

int TZCLCFCSettingObjects::AddSetting(std::unique_ptr<TZCLObject> setting, const QString& className,
                                      const QString& name) {
  if (!setting) return -1;
  QString unique = name;
  if (unique.isEmpty()) {
    for (int n = 0;; ++n) {
      unique = className + QString::number(n);
      if (!FindSetting(unique)) break;
    }
  }
  fEntries.push_back({unique, className, std::move(setting)});
  return Count() - 1;
}

void TZCLCFCSettingObjects::RemoveSetting(TZCLObject* setting) {
  fEntries.erase(
      std::remove_if(fEntries.begin(), fEntries.end(), [&](const Entry& e) { return e.object.get() == setting; }),
      fEntries.end());
}

void TZCLCFCSettingObjects::ClearSettings() {
  while (!fEntries.empty()) fEntries.pop_back();
}

TZCLObject* TZCLCFCSettingObjects::FindSetting(const QString& name) const {
  for (const Entry& e : fEntries)
    if (e.name.compare(name, Qt::CaseInsensitive) == 0) return e.object.get();
  return nullptr;
}

void TZCLCFCStateObject::ResolveSettings(const TZCLCFCSettingObjects& pool) {
  std::vector<TZCLObject*> resolved(Settings.size(), nullptr);
  for (int i = static_cast<int>(Settings.size()) - 1; i >= 0; --i) {
    TZCLObject* o = pool.FindSetting(Settings[i]);
    if (o) {
      resolved[i] = o;
    } else {
      Settings.removeAt(i);
      resolved.erase(resolved.begin() + i);
    }
  }
  fResolved = resolved;
}

void TZCLCFCStateObject::ReadKind(const std::vector<int>& values) {
  TZCLStateKind kind{};
  for (size_t i = 0; i < values.size() && i < 7; ++i) kind[i] = static_cast<std::uint8_t>(values[i]);
  Kind = StateEntryOf(kind).Kind;
}

TZCLCFCStateObject& TZCLFaceController::AddState(const TZCLStateKind& kind) {
  fStates.push_back(std::make_unique<TZCLCFCStateObject>());
  fStates.back()->Kind = kind;
  return *fStates.back();
}

const TZCLStateEntry& TZCLFaceController::StateEntryFor(const QObject* control) {
  bool answers[7] = {};
  if (auto* s = dynamic_cast<const IZCLFaceStateControl*>(control)) {
    answers[0] = s->GetFocusedState();
    answers[1] = s->GetHotState();
    answers[6] = !s->GetEnabledState();
  }
  if (auto* p = dynamic_cast<const IZCLFacePressedState*>(control)) answers[2] = p->GetPressedState();
  if (auto* e = dynamic_cast<const IZCLFaceEditState*>(control)) {
    answers[3] = e->GetModifiedState();
    answers[4] = e->GetReadOnlyState();
    answers[5] = e->GetErrorState();
  }
  for (const TZCLStateEntry& entry : StateEntries()) {
    bool match = true;
    for (int i = 0; i < 7 && match; ++i) match = entry.Kind[i] == 0 || entry.Kind[i] == (answers[i] ? 1 : 2);
    if (match) return entry;
  }
  return StateEntries().back();
}

TZCLCFCStateObject* TZCLFaceController::GetStateFor(const QObject* control) const {
  const TZCLStateEntry& entry = StateEntryFor(control);
  for (const auto& s : fStates)
    if (s->Kind == entry.Kind) return s.get();
  return nullptr;
}

bool TZCLFaceController::GetTransparent(const QObject* control) const {
  if (auto* settings = GetSetting<TZCLCtlSettings>(control)) return settings->Transparent();
  auto* s = dynamic_cast<const IZCLFaceStateControl*>(control);
  return s && s->GetTransparentState();
}

bool TZCLFaceController::GetThemedLookSetting(const QObject* control) const {
  if (auto* settings = GetSetting<TZCLCtlSettings>(control)) return settings->CtlXP();
  auto* s = dynamic_cast<const IZCLFaceStateControl*>(control);
  return s && s->GetThemedLookSetting();
}

TColor TZCLFaceController::GetColor(const QObject* control) const {
  if (auto* color = GetSetting<TZCLColorObject>(control)) return color->Color();
  auto* s = dynamic_cast<const IZCLFaceStateControl*>(control);
  return s ? s->GetColorValue() : clBackground;
}

void TZCLFaceController::ResolveAll() {
  for (auto& s : fStates) s->ResolveSettings(fSettings);
}

// ---------------------------------------------------------------- copies, queries and clients

namespace {

void CopyFill(const TZCLFillObject& from, TZCLFillObject& to) {
  to.BeginUpdate();
  to.SetStyle(from.Style());
  to.SetTileMode(from.TileMode());
  to.SetAlignment(from.Alignment());
  to.SetOptions(from.Options());
  to.Bitmap = from.Bitmap;
  to.ListBitmap = from.ListBitmap;
  to.Brush = from.Brush;
  to.OffsetX = from.OffsetX;
  to.OffsetY = from.OffsetY;
  to.Gradient().Assign(const_cast<TZCLFillObject&>(from).Gradient());
  to.EndUpdate(false);
}

// A new setting object of the same class as source with its values.
std::unique_ptr<TZCLObject> CloneSetting(const TZCLObject& source) {
  if (auto* s = dynamic_cast<const TZCLBevel*>(&source)) {
    auto copy = std::make_unique<TZCLBevel>();
    copy->Assign(*s);
    return copy;
  }
  if (auto* s = dynamic_cast<const TZCLFxCaption*>(&source)) {
    auto copy = std::make_unique<TZCLFxCaption>();
    copy->Assign(*s);
    return copy;
  }
  if (auto* s = dynamic_cast<const TZCL3DCaption*>(&source)) {
    auto copy = std::make_unique<TZCL3DCaption>();
    copy->Assign(*s);
    return copy;
  }
  if (auto* s = dynamic_cast<const TZCLFillObject*>(&source)) {
    auto copy = std::make_unique<TZCLFillObject>();
    CopyFill(*s, *copy);
    return copy;
  }
  if (auto* s = dynamic_cast<const TZCLBitmapEffectObject*>(&source)) {
    auto copy = std::make_unique<TZCLBitmapEffectObject>();
    auto& from = const_cast<TZCLBitmapEffectObject&>(*s);
    for (int i = 0; i < 5; ++i) copy->SetFlag(i, from.Flag(i));
    copy->SetBrightness(from.Brightness());
    copy->AlphaBlend().SetStrength(from.AlphaBlend().Strength());
    CopyFill(from.AlphaBlend().FillObject(), copy->AlphaBlend().FillObject());
    return copy;
  }
  if (auto* s = dynamic_cast<const TZCLColorObject*>(&source)) {
    auto copy = std::make_unique<TZCLColorObject>();
    copy->SetColor(s->Color());
    return copy;
  }
  if (auto* s = dynamic_cast<const TZCLCtlSettings*>(&source)) {
    auto copy = std::make_unique<TZCLCtlSettings>();
    copy->Set(0, s->Transparent());
    copy->Set(1, s->CtlXP());
    return copy;
  }
  if (auto* s = dynamic_cast<const TZCLFontSetting*>(&source)) {
    auto copy = std::make_unique<TZCLFontSetting>();
    copy->Font = s->Font;
    return copy;
  }
  return nullptr;
}

}  // namespace

void TZCLCFCSettingObjects::Assign(const TZCLCFCSettingObjects& other) {
  if (&other == this) return;
  ClearSettings();
  for (const Entry& e : other.fEntries)
    if (auto copy = CloneSetting(*e.object)) AddSetting(std::move(copy), e.className, e.name);
}

void TZCLCFCStateObject::Assign(const TZCLCFCStateObject& other, const TZCLCFCSettingObjects& pool) {
  Settings = other.Settings;
  Kind = other.Kind;
  ResolveSettings(pool);
}

TZCLFaceController::~TZCLFaceController() { fDestroying = true; }

const TFont* TZCLFaceController::GetFont(const QObject* control) const {
  const auto* setting = GetSetting<TZCLFontSetting>(control);
  return setting ? &setting->Font : nullptr;
}

TZCL3DCaption* TZCLFaceController::Get3DCaption(const QObject* control) const {
  return GetSetting<TZCL3DCaption>(control);  // an FX caption answers as well
}

TZCLFillObject* TZCLFaceController::GetFill(const QObject* control) const {
  return GetSetting<TZCLFillObject>(control);
}

TZCLBitmapEffectObject* TZCLFaceController::GetBitmapEffect(const QObject* control) const {
  return GetSetting<TZCLBitmapEffectObject>(control);
}

TZCLBevel* TZCLFaceController::GetBevel(const QObject* control) const { return GetSetting<TZCLBevel>(control); }

bool TZCLFaceController::GetThemedLook(const QObject* control) const {
  auto* s = dynamic_cast<const IZCLFaceStateControl*>(control);
  return s && s->GetThemedLook();
}

bool TZCLFaceController::GetCtl3D(const QObject* control) const {
  auto* s = dynamic_cast<const IZCLFaceStateControl*>(control);
  return s && s->GetCtl3DState();
}

void TZCLFaceController::AddClient(QWidget* client) {
  if (!client) return;
  for (const auto& c : fClients)
    if (c == client) return;
  fClients.emplace_back(client);
}

void TZCLFaceController::RemoveClient(QWidget* client) {
  if (fDestroying) return;
  fClients.erase(std::remove_if(fClients.begin(), fClients.end(),
                                [client](const QPointer<QWidget>& c) { return c.isNull() || c == client; }),
                 fClients.end());
}

void TZCLFaceController::Changed() {
  TZCLCustomComponent::Changed();
  for (const auto& c : fClients)
    if (c) c->update();
}

}  // namespace zyn
