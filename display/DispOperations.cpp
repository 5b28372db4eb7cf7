#include "display/DispOperations.h"

#include "display/DispObjekt.h"
#include "display/InternalObjectNames.h"
#include "display/Zeichensatz.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>

namespace zyn {

uint8_t BefehlsArtOf(int commandNumber) {
  switch (commandNumber) {
    case 2:
      return 2;
    case 3:
      return 3;
    case 6:
      return 1;
    default:
      return 0;
  }
}

void BuildOutputTelegram(const TVarVerbindung& link, int commandNumber, const TTelegrammParameter* parameter,
                         TDispFunctions& f) {
  f.Telegramm.fill(0);
  f.Byte(1) = static_cast<uint8_t>(link.STMAdresse);
  f.Byte(2) = 3;
  f.Byte(3) = static_cast<uint8_t>(link.BasisKlasse * 32 + link.ModulAdresse);
  f.Byte(4) = 1;
  f.Byte(5) = static_cast<uint8_t>((link.Kanal << link.AusShift) | commandNumber);
  f.TelegrammLaenge = 5;
  if (!parameter) return;
  const int kind = parameter->Kind;
  const auto low = static_cast<uint8_t>(parameter->Value & 0xFF);
  const auto high = static_cast<uint8_t>((parameter->Value >> 8) & 0xFF);
  int length;
  if (kind == 5 || kind == 9) {
    f.Byte(6) = parameter->Flags();
    f.Byte(7) = low;
    f.Byte(8) = high;
    length = 8;
  } else if (kind == 6) {
    f.Byte(6) = parameter->Flags();
    length = 6;
  } else if (kind == 7 || kind == 8) {
    f.Byte(6) = parameter->Flags();
    const int blockBytes = kind == 7 ? 4 : 6;
    for (int i = 0; i < blockBytes; ++i) f.Byte(7 + i) = parameter->Block[static_cast<size_t>(i)];
    length = 6 + blockBytes;
  } else {
    f.Byte(6) = low;
    f.Byte(7) = high;
    length = 7;
  }
  f.TelegrammLaenge = length;
  if (kind >= 5 && kind <= 9) {
    f.Byte(2) = static_cast<uint8_t>(length - 2);
    f.Byte(4) = static_cast<uint8_t>(length - 4);
  } else {
    f.Byte(2) = 5;
    f.Byte(4) = 3;
  }
}

void BuildInputTelegram(const TVarVerbindung& link, int commandNumber, TDispFunctions& f) {
  f.Telegramm.fill(0);
  f.Byte(1) = static_cast<uint8_t>(link.STMAdresse);
  f.Byte(2) = static_cast<uint8_t>(link.BasisKlasse * 32 + link.ModulAdresse);
  f.Byte(3) = static_cast<uint8_t>(link.Kanal * 16 + commandNumber);
  f.Byte(4) = 0;
  f.TelegrammLaenge = 4;
}

int AvailableColumns(const TBildschirm& screen, const TBasis& object, int rightEdge) {
  int nearest = INT_MAX;
  for (size_t i = 0; i < screen.Objekte.Count(); ++i) {
    const TBasis& other = screen.Objekte[i];
    if (&other == &object) continue;
    if (other.Y <= object.Y && object.Y <= other.Y + other.Hoehe && other.X > object.X)
      nearest = std::min(nearest, other.X);
  }
  return ((nearest == INT_MAX ? rightEdge : nearest) - object.X) / 6;
}

bool ApplyZustandPair(const TDisplayObjekt& display, const TBildschirm& screen, TZustandVar& variable, int index) {
  if (index < 0 || static_cast<size_t>(index) >= display.ZustandsListe.Count()) return false;
  const auto needed = static_cast<int>(display.ZustandsListe[static_cast<size_t>(index)].MaxLength());
  if (AvailableColumns(screen, variable, 234) < needed) return false;
  variable.ZustandIndex = index;
  variable.Breite = static_cast<uint8_t>(6 * needed);
  return true;
}

std::string ProposedMenuScreenName(const TText& text) {
  std::string name;
  for (char c : text.Text) {
    const auto code = static_cast<unsigned char>(c);
    // Blanks and characters the panel cannot show go; umlauts and the other special characters
    // of the panel's character set stay, as they stay in the text itself.
    if ((code >= 33 && code <= 125) || (code >= 128 && GlyphOf(code) >= 0)) name.push_back(c);
  }
  return name + std::to_string(text.Unterbildschirme.Count() + 1);
}

bool ScreenNameUsed(const TDisplayObjekt& display, const std::string& name) {
  bool used = false;
  ForEachScreen(display.Bildschirme, [&](TBildschirm& s) {
    if (s.Name == name) used = true;
  });
  return used;
}

std::string FreeScreenName(const TDisplayObjekt& display, const std::string& base, size_t first) {
  for (size_t n = first;; ++n) {
    std::string name = base + std::to_string(n);
    if (!ScreenNameUsed(display, name)) return name;
  }
}

size_t CountScreensBelow(const TBasis& object) {
  size_t count = 0;
  ForEachScreen(object.Unterbildschirme, [&](TBildschirm&) { ++count; });
  return count;
}

bool DeleteScreenObject(TDisplayObjekt& display, TBildschirm& screen, TBasis* object) {
  if (!object || screen.Objekte.IndexOf(object) < 0) return false;
  // The menu pages go first, with every key elsewhere that jumps into them.
  while (!object->Unterbildschirme.Empty()) {
    TBildschirm* page = &object->Unterbildschirme[object->Unterbildschirme.Count() - 1];
    if (!display.DeleteScreen(page)) object->Unterbildschirme.Extract(page);
  }
  screen.Objekte.Remove(object);
  display.RebuildReferences();
  display.RebuildNavigation();
  display.Modified = true;
  return true;
}

TFunktButton* AddJumpKey(TButtonListe& keys, const std::string& name, const std::string& label,
                         const std::string& target) {
  auto key = std::make_unique<TFunktButton>(name);
  key->Label1->Text = label;
  key->Funktion.Funktion = fkSprung;
  key->Funktion.SprungParameter = 4;
  key->Funktion.ZielBildschirm = target;
  return keys.Add(std::move(key));
}

TBildschirm* AddMenuPage(TDisplayObjekt& display, TDispUniqueNames& names, TBildschirm& textScreen, TText& text,
                         const std::string& screenName, const std::string& entryKey, const std::string& entryLabel,
                         const std::string& backText, const std::string& forwardText) {
  if (screenName.empty()) return nullptr;
  const bool firstPage = text.Unterbildschirme.Empty();
  TBildschirm* lastPage = nullptr;
  if (firstPage) {
    if (entryKey.empty() || text.Buttons.Find(entryKey)) return nullptr;
  } else {
    for (size_t i = text.Unterbildschirme.Count(); i-- > 0 && !lastPage;)
      if (!text.Unterbildschirme[i].DefaultButtons.Find("F4")) lastPage = &text.Unterbildschirme[i];
    if (!lastPage) return nullptr;
  }

  auto owned = std::make_unique<TBildschirm>();
  owned->Name = screenName;
  owned->InternalName = names.NewName();
  TBildschirm* page = owned.get();
  display.BildschirmReferenzTabelle.AddReference(page->InternalName, page);
  display.NObserver.AddScreenEntry(page->InternalName);

  if (firstPage) {
    TFunktButton* back = AddJumpKey(page->DefaultButtons, "F1", backText, textScreen.InternalName);
    display.NObserver.AddJump(textScreen.InternalName, back);
    TFunktButton* entry =
        AddJumpKey(text.Buttons, entryKey, entryLabel.empty() ? entryKey : entryLabel, page->InternalName);
    display.NObserver.AddJump(page->InternalName, entry);
  } else {
    TFunktButton* back = AddJumpKey(page->DefaultButtons, "F1", backText, lastPage->InternalName);
    TFunktButton* forward = AddJumpKey(lastPage->DefaultButtons, "F4", forwardText, page->InternalName);
    display.NObserver.AddJump(lastPage->InternalName, back);
    display.NObserver.AddJump(page->InternalName, forward);
  }
  text.Unterbildschirme.Add(page->Name, std::move(owned));
  display.Modified = true;
  return page;
}

namespace {

bool UsesPair(const TBildschirmList& screens, int index) {
  bool used = false;
  ForEachScreen(screens, [&](TBildschirm& s) {
    for (size_t o = 0; o < s.Objekte.Count(); ++o)
      if (const auto* v = dynamic_cast<const TZustandVar*>(&s.Objekte[o]); v && v->ZustandIndex == index) used = true;
  });
  return used;
}

}  // namespace

bool CanDeleteZustand(const TDisplayObjekt& display, int index) {
  return display.ZustandsListe.Count() >= 2 && index > 0 &&
         static_cast<size_t>(index) < display.ZustandsListe.Count() && !UsesPair(display.Bildschirme, index);
}

bool DeleteZustand(TDisplayObjekt& display, int index) {
  if (!CanDeleteZustand(display, index)) return false;
  auto& items = display.ZustandsListe.Items;
  items.erase(items.begin() + index);
  ForEachScreen(display.Bildschirme, [&](TBildschirm& s) {
    for (size_t o = 0; o < s.Objekte.Count(); ++o)
      if (auto* v = dynamic_cast<TZustandVar*>(&s.Objekte[o]); v && v->ZustandIndex > index) --v->ZustandIndex;
  });
  if (display.DefaultZustand > index)
    --display.DefaultZustand;
  else if (display.DefaultZustand == index)
    display.DefaultZustand = 0;
  display.Modified = true;
  return true;
}

void SetLineFromPoints(TLine& line, bool vertical, int xs, int ys, int xe, int ye) {
  // Pixels counted from 1; 0 is taken as 1.
  auto span = [](int a, int b, int& position, int& length) {
    const int lo = std::max(std::min(a, b), 1);
    const int hi = std::max(std::max(a, b), 1);
    position = lo - 1;
    length = hi - position;
  };
  int position = 0, length = 0;
  if (vertical) {
    span(ys, ye, position, length);
    line.X = std::max(xs, 1) - 1;
    line.Y = position;
    line.Breite = 1;
    line.Hoehe = static_cast<uint8_t>(std::min(length, 255));
  } else {
    span(xs, xe, position, length);
    line.X = position;
    line.Y = std::max(ys, 1) - 1;
    line.Hoehe = 1;
    line.Breite = static_cast<uint8_t>(std::min(length, 255));
  }
}

}  // namespace zyn
