#include "display/Daten.h"

#include "display/NavObserver.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"

#include <utility>

namespace zyn {

// ---------------------------------------------------------------------------------------------
// TMonoBitmap

void TMonoBitmap::SetSize(int width, int height, uint32_t colour) {
  Width = std::max(width, 0);
  Height = std::max(height, 0);
  Pixels.assign(static_cast<size_t>(Width) * Height, colour);
}

// ---------------------------------------------------------------------------------------------
// TDispFunctions, TFunktButton

void TDispFunctions::Assign(const TDispFunctions& source) {
  Text = source.Text;
  Wert = source.Wert;
  Funktion = source.Funktion;
  SprungParameter = source.SprungParameter;
  BefehlsArt = source.BefehlsArt;
  ZielBildschirm = source.ZielBildschirm;
  RecordAddress = source.RecordAddress;
  DataAddress = source.DataAddress;
  Telegramm = source.Telegramm;
  TelegrammLaenge = source.TelegrammLaenge;
}

TFunktButton::TFunktButton() : Label1(std::make_unique<TText>()), Label2(std::make_unique<TText>()) {}

TFunktButton::TFunktButton(std::string name) : TFunktButton() { Name = std::move(name); }

TFunktButton::~TFunktButton() {
  if (fNavigation) fNavigation->ForgetKey(this);
}

int TFunktButton::KeyNumber() const {
  if (Name.size() == 2 && Name[0] == 'F' && Name[1] >= '1' && Name[1] <= '4') return Name[1] - '1';
  return -1;
}

void TFunktButton::Assign(const TFunktButton& source) {
  Name = source.Name;
  Label1->Assign(*source.Label1);
  Label2->Assign(*source.Label2);
  Funktion.Assign(source.Funktion);
}

std::unique_ptr<TFunktButton> TFunktButton::Clone() const {
  auto key = std::make_unique<TFunktButton>();
  key->Assign(*this);
  return key;
}

// ---------------------------------------------------------------------------------------------
// TButtonListe

TButtonListe::TButtonListe() = default;
TButtonListe::~TButtonListe() { Clear(); }

TFunktButton* TButtonListe::Add(std::unique_ptr<TFunktButton> key) {
  key->fOwner = this;
  fItems.push_back(std::move(key));
  return fItems.back().get();
}

TFunktButton* TButtonListe::Find(const std::string& name) const {
  for (const auto& key : fItems)
    if (key->Name == name) return key.get();
  return nullptr;
}

int TButtonListe::IndexOf(const TFunktButton* key) const {
  for (size_t i = 0; i < fItems.size(); ++i)
    if (fItems[i].get() == key) return static_cast<int>(i);
  return -1;
}

bool TButtonListe::Remove(const TFunktButton* key) {
  int i = IndexOf(key);
  if (i < 0) return false;
  fItems.erase(fItems.begin() + i);
  return true;
}

void TButtonListe::Clear() {
  while (!fItems.empty()) fItems.pop_back();
}

uint8_t TButtonListe::Mask() const {
  static const char* const names[4] = {"F1", "F2", "F3", "F4"};
  const int shift = EineZeile == 1 ? 0 : 4;
  uint8_t mask = 0;
  for (int k = 0; k < 4; ++k)
    if (Find(names[k])) mask |= static_cast<uint8_t>(1u << (k + shift));
  return mask;
}

void TButtonListe::Assign(const TButtonListe& source) {
  Clear();
  EineZeile = source.EineZeile;
  for (const auto& key : source.fItems) Add(key->Clone());
}

// ---------------------------------------------------------------------------------------------
// TBildschirmList

TBildschirmList::TBildschirmList() = default;
TBildschirmList::~TBildschirmList() { Clear(); }

TBildschirm* TBildschirmList::Add(const std::string& key, std::unique_ptr<TBildschirm> screen) {
  fItems.push_back({key, std::move(screen)});
  return fItems.back().Screen.get();
}

TBildschirm* TBildschirmList::Find(const std::string& key) const {
  for (const auto& e : fItems)
    if (e.Key == key) return e.Screen.get();
  return nullptr;
}

int TBildschirmList::IndexOf(const TBildschirm* screen) const {
  for (size_t i = 0; i < fItems.size(); ++i)
    if (fItems[i].Screen.get() == screen) return static_cast<int>(i);
  return -1;
}

std::unique_ptr<TBildschirm> TBildschirmList::Extract(const TBildschirm* screen) {
  int i = IndexOf(screen);
  if (i < 0) return nullptr;
  auto owned = std::move(fItems[static_cast<size_t>(i)].Screen);
  fItems.erase(fItems.begin() + i);
  return owned;
}

void TBildschirmList::Clear() {
  while (!fItems.empty()) fItems.pop_back();
}

void TBildschirmList::Assign(const TBildschirmList& source) {
  Clear();
  for (const auto& e : source.fItems) {
    auto screen = std::make_unique<TBildschirm>();
    screen->Assign(*e.Screen);
    Add(e.Key, std::move(screen));
  }
}

// ---------------------------------------------------------------------------------------------
// Objects

TBasis::~TBasis() = default;

void TBasis::Assign(const TBasis& source) {
  Breite = source.Breite;
  Hoehe = source.Hoehe;
  X = source.X;
  Y = source.Y;
  Name = source.Name;
  Unterbildschirme.Assign(source.Unterbildschirme);
  Buttons.Assign(source.Buttons);
}

TText::TText() {
  Hoehe = 8;
  Link = std::make_unique<TVarVerbindung>(this);
}

std::unique_ptr<TBasis> TText::Clone() const {
  auto copy = std::make_unique<TText>();
  copy->Assign(*this);
  return copy;
}

void TText::Assign(const TBasis& source) {
  TBasis::Assign(source);
  if (const auto* text = dynamic_cast<const TText*>(&source)) {
    Text = text->Text;
    Laenge = text->Laenge;
  }
}

TZustandVar::TZustandVar() { Link = std::make_unique<TVarVerbindung>(this); }

std::unique_ptr<TBasis> TZustandVar::Clone() const {
  auto copy = std::make_unique<TZustandVar>();
  copy->Assign(*this);
  return copy;
}

std::unique_ptr<TBasis> TGrafik::Clone() const {
  auto copy = std::make_unique<TGrafik>();
  copy->Assign(*this);
  return copy;
}

void TGrafik::Assign(const TBasis& source) {
  TBasis::Assign(source);
  if (const auto* grafik = dynamic_cast<const TGrafik*>(&source)) Bitmap = grafik->Bitmap;
}

void TGrafik::PackBitmap8() {
  const int w = Bitmap.Width, h = Bitmap.Height;
  Breite = static_cast<uint8_t>(w);
  Hoehe = static_cast<uint8_t>(h);
  const int rowBytes = (w + 7) / 8;
  PackedData.assign(static_cast<size_t>(rowBytes) * h, 0);
  for (int r = 0; r < h; ++r)
    for (int x = 0; x < w; ++x)
      if (Bitmap.Pixel(x, r) == TMonoBitmap::clBlack)
        PackedData[static_cast<size_t>(r) * rowBytes + x / 8] |= static_cast<uint8_t>(1u << (x % 8));
  PackedCount8 = rowBytes * h;
}

void TGrafik::UnpackBitmap8() {
  const int w = Breite, h = Hoehe;
  const int rowBytes = (w + 7) / 8;
  Bitmap.SetSize(w, h, TMonoBitmap::clWhite);
  for (int r = 0; r < h; ++r)
    for (int x = 0; x < w; ++x) {
      const size_t at = static_cast<size_t>(r) * rowBytes + x / 8;
      if (at < PackedData.size() && (PackedData[at] >> (x % 8)) & 1) Bitmap.SetPixel(x, r, TMonoBitmap::clBlack);
    }
}

void TGrafik::PackBitmap6() {
  const int w = Bitmap.Width, h = Bitmap.Height;
  Breite = static_cast<uint8_t>(w);
  Hoehe = static_cast<uint8_t>(h);
  const int rowBytes = (w + 5) / 6;
  PackedData.assign(static_cast<size_t>(rowBytes) * h, 0);
  for (int r = 0; r < h; ++r)
    for (int x = 0; x < w; ++x)
      if (Bitmap.Pixel(x, r) == TMonoBitmap::clBlack)
        PackedData[static_cast<size_t>(r) * rowBytes + x / 6] |= static_cast<uint8_t>(1u << (5 - x % 6));
  PackedCount6 = rowBytes * h;
}

std::unique_ptr<TBasis> TLine::Clone() const {
  auto copy = std::make_unique<TLine>();
  copy->Assign(*this);
  return copy;
}

std::unique_ptr<TBasis> TWertVar::Clone() const {
  auto copy = std::make_unique<TWertVar>();
  copy->Assign(*this);
  return copy;
}

std::unique_ptr<TBasis> CreateObjekt(TObjektArt art) {
  switch (art) {
    case TObjektArt::WertVar:
      return std::make_unique<TWertVar>();
    case TObjektArt::ZustandVar:
      return std::make_unique<TZustandVar>();
    case TObjektArt::Grafik:
      return std::make_unique<TGrafik>();
    case TObjektArt::Text:
      return std::make_unique<TText>();
    case TObjektArt::Line:
      return std::make_unique<TLine>();
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// TBildschirmObjekteList

TBildschirmObjekteList::TBildschirmObjekteList() = default;
TBildschirmObjekteList::~TBildschirmObjekteList() { Clear(); }

TBasis* TBildschirmObjekteList::Add(const std::string& key, std::unique_ptr<TBasis> object) {
  fItems.push_back({key, std::move(object)});
  return fItems.back().Object.get();
}

int TBildschirmObjekteList::IndexOf(const TBasis* object) const {
  for (size_t i = 0; i < fItems.size(); ++i)
    if (fItems[i].Object.get() == object) return static_cast<int>(i);
  return -1;
}

bool TBildschirmObjekteList::Remove(const TBasis* object) {
  int i = IndexOf(object);
  if (i < 0) return false;
  fItems.erase(fItems.begin() + i);
  return true;
}

void TBildschirmObjekteList::Clear() {
  while (!fItems.empty()) fItems.pop_back();
}

void TBildschirmObjekteList::Assign(const TBildschirmObjekteList& source) {
  Clear();
  for (const auto& e : source.fItems) Add(e.Key, e.Object->Clone());
}

// ---------------------------------------------------------------------------------------------
// TBildschirm, references

TBildschirm::TBildschirm() = default;
TBildschirm::~TBildschirm() {
  // Objects first, then the screen's own keys, as the owner frees them.
  Objekte.Clear();
  DefaultButtons.Clear();
}

void TBildschirm::Assign(const TBildschirm& source) {
  Name = source.Name;
  InternalName = source.InternalName;
  ScreenAddress = source.ScreenAddress;
  Objekte.Assign(source.Objekte);
  DefaultButtons.Assign(source.DefaultButtons);
}

void TBildschirmNamesToReferences::AddReference(const std::string& name, TBildschirm* screen) {
  if (screen) fItems.push_back({name, screen});
}

TBildschirm* TBildschirmNamesToReferences::FindBildschirm(const std::string& name) const {
  for (const auto& e : fItems)
    if (e.Name == name) return e.Screen;
  return nullptr;
}

bool TBildschirmNamesToReferences::Contains(const TBildschirm* screen) const {
  for (const auto& e : fItems)
    if (e.Screen == screen) return true;
  return false;
}

void TBildschirmNamesToReferences::RemoveReference(const TBildschirm* screen) {
  std::erase_if(fItems, [screen](const Entry& e) { return e.Screen == screen; });
}

// ---------------------------------------------------------------------------------------------
// TZustandsListe

TZustandsListe::TZustandsListe() {
  // The options name the default pair; without options it is "Ein" / "Aus".
  std::string ein = TranslateText("Ein"), aus = TranslateText("Aus");
  if (GOptionFile) GetDisplayOnOffTexts(ein, aus);
  Add(ein, aus);
}

TZustandsListe::TZustandsListe(const std::string& einText, const std::string& ausText) { Add(einText, ausText); }

void TZustandsListe::Add(const std::string& einText, const std::string& ausText) {
  TZustand pair;
  pair.EinText = einText;
  pair.AusText = ausText;
  Items.push_back(std::move(pair));
}

void FreeListAndObjects(TBildschirmList& list) { list.Clear(); }
void FreeListAndObjects(TBildschirmObjekteList& list) { list.Clear(); }
void FreeListAndObjects(TButtonListe& list) { list.Clear(); }

}  // namespace zyn
