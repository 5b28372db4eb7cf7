#include "display/ViewRules.h"

#include "display/DispObjekt.h"
#include "model/base/XMLIniFile.h"

#include <algorithm>
#include <cstdlib>

namespace zyn {

namespace {

struct TBox {
  int Left, Top, Right, Bottom;  // inclusive
  bool Contains(int x, int y) const { return x >= Left && x <= Right && y >= Top && y <= Bottom; }
  bool Intersects(const TBox& o) const {
    return Left <= o.Right && o.Left <= Right && Top <= o.Bottom && o.Top <= Bottom;
  }
  bool Empty() const { return Right < Left || Bottom < Top; }
};

bool IsTextLike(TObjektArt art) { return art == TObjektArt::Text || art == TObjektArt::ZustandVar; }

TBox PixelBox(const TBasis& o) { return {o.X, o.Y, o.X + o.Breite - 1, o.Y + o.Hoehe - 1}; }

// The box of a graphic or line widened to the character cells it touches.
TBox CellBox(const TBasis& o) {
  const TBox p = PixelBox(o);
  if (p.Empty()) return p;
  return {6 * (p.Left / 6), 8 * (p.Top / 8), 6 * (p.Right / 6) + 5, 8 * (p.Bottom / 8) + 7};
}

}  // namespace

bool CanPlace(TObjektArt art, const TBasis* self, int x, int y, int w, int h, const TBildschirmObjekteList& objects) {
  if (IsTextLike(art)) {
    if (x + w - 6 > PanelWidth - 1 || y + h - 8 > TextAreaHeight - 1 || x < 0 || y < 0) return false;
    // The probe: the first pixels of the object's first cell.
    const TBox probe{x, y, x + w - 5, y + h - 7};
    for (size_t i = 0; i < objects.Count(); ++i) {
      const TBasis& other = objects[i];
      if (&other == self) continue;
      const TBox box = IsTextLike(other.Art()) ? PixelBox(other) : CellBox(other);
      if (!box.Empty() && !probe.Empty() && box.Intersects(probe)) return false;
    }
    return true;
  }
  if (art == TObjektArt::Grafik || art == TObjektArt::Line) {
    if (x + w > PanelWidth || y + h > PanelHeight || x < 0 || y < 0) return false;
    const TBox box{x, y, x + w - 1, y + h - 1};
    if (box.Empty()) return true;
    for (size_t i = 0; i < objects.Count(); ++i) {
      const TBasis& other = objects[i];
      if (&other == self) continue;
      const TBox o = PixelBox(other);
      if (!o.Empty() && o.Intersects(box)) return false;
    }
    return true;
  }
  return true;
}

bool CanPlace(const TBasis& object, int x, int y, const TBildschirmObjekteList& objects) {
  return CanPlace(object.Art(), &object, x, y, object.Breite, object.Hoehe, objects);
}

THit ObjectAt(int x, int y, const TBildschirmObjekteList& objects) {
  const int bx = x & 0xFF, by = y & 0xFF;
  THit hit;
  for (size_t i = 0; i < objects.Count(); ++i) {
    TBasis& o = objects[i];
    if (o.X <= bx && bx <= o.X + o.Breite && o.Y <= by && by <= o.Y + o.Hoehe - 1) {
      hit.Object = &o;
      hit.Index = static_cast<int>(i);
      switch (o.Art()) {
        case TObjektArt::Text:
          hit.Kind = hkText;
          break;
        case TObjektArt::ZustandVar:
          hit.Kind = hkZustandVar;
          break;
        case TObjektArt::Grafik:
          hit.Kind = hkGrafik;
          break;
        case TObjektArt::Line:
          hit.Kind = hkLine;
          break;
        default:
          hit.Kind = hkNone;
          break;
      }
    }
  }
  return hit;
}

int KeyLabelX(int column, int length) { return KeyFieldWidth * column + 6 + 6 * ((8 - length) / 2); }

TKeyBarLayout LayoutKeyBar(TButtonListe& keys) {
  bool oneRow = true;
  for (size_t i = 0; i < keys.Count(); ++i)
    if (keys[i].Label2 && !keys[i].Label2->Text.empty()) oneRow = false;
  keys.EineZeile = oneRow ? 1 : 0;
  TKeyBarLayout layout;
  layout.Top = oneRow ? 104 : 96;
  layout.Height = oneRow ? 24 : 32;
  int column = 0;
  for (size_t i = 0; i < keys.Count(); ++i) {
    TFunktButton& key = keys[i];
    if (key.KeyNumber() >= 0) column = key.KeyNumber();
    layout.Fields.push_back({&key, column});
    auto place = [&](TText* label, int y) {
      if (!label) return;
      const int length = static_cast<int>(label->Text.size());
      label->X = KeyLabelX(column, length);
      label->Y = y;
      label->Laenge = static_cast<uint8_t>(std::min(length, 255));
      label->Breite = static_cast<uint8_t>(std::min(6 * length, 255));
      label->Hoehe = 8;
    };
    place(key.Label1.get(), oneRow ? 112 : 104);
    if (!oneRow) place(key.Label2.get(), 112);
  }
  return layout;
}

std::string NewObjectName(const std::string& base, const TBildschirm& screen) {
  return base + std::to_string(screen.Objekte.Count());
}

TBasis* AppendObject(TDisplayObjekt& display, TBildschirm& screen, const std::string& base,
                     std::unique_ptr<TBasis> object) {
  const std::string name = NewObjectName(base, screen);
  object->Name = name;
  display.Modified = true;
  return screen.Objekte.Add(name, std::move(object));
}

void LineFromClicks(TLine& line, int x1, int y1, int x2, int y2) {
  const int dx = x2 - x1, dy = y2 - y1;
  line.X = x1;
  line.Y = y1;
  if (std::abs(dy) < std::abs(dx)) {
    line.Hoehe = 1;
    line.Breite = static_cast<uint8_t>(std::min(std::abs(dx), 255));
    if (dx < 0) line.X = x2;
  } else {
    line.Breite = 1;
    line.Hoehe = static_cast<uint8_t>(std::min(std::abs(dy), 255));
    if (dy < 0) line.Y = y2;
  }
}

int ZustandVarWidth(const TZustandsListe& pairs, int index) {
  if (index < 0 || static_cast<size_t>(index) >= pairs.Count()) return 6;
  return 6 * static_cast<int>(std::max<size_t>(pairs[static_cast<size_t>(index)].MaxLength(), 1));
}

std::string ZustandVarText(const TZustandsListe& pairs, int index, bool on) {
  if (index < 0 || static_cast<size_t>(index) >= pairs.Count()) return {};
  const TZustand& pair = pairs[static_cast<size_t>(index)];
  return on ? pair.EinText : pair.AusText;
}

bool TextEntryEnds(const TBildschirmObjekteList& objects, int caretX, int caretY) {
  return caretX + 7 >= PanelWidth || ObjectAt(caretX + 7, caretY, objects).Object != nullptr;
}

// ------------------------------------------------------------------------------------------------

void TViewCursor::ResetCursor(const TBildschirm& screen) {
  fTabs.BuildTabList(screen);
  fHasSelection = fTabs.Count() >= 2;
  if (fHasSelection) {
    fSelected = fTabs[0];
    TakePosition(screen);
  }
}

void TViewCursor::Step(const TBildschirm& screen, int direction) {
  fTabs.BuildTabList(screen);
  const int count = static_cast<int>(fTabs.Count());
  if (fHasSelection) {
    const int at = fTabs.FindTab(fSelected);
    if (at >= 0) fSelected = fTabs[static_cast<size_t>((at + direction + count) % count)];
  } else if (count > 0) {
    fSelected = fTabs[0];
    fHasSelection = true;
  }
  if (fHasSelection) TakePosition(screen);
}

void TViewCursor::NextObject(const TBildschirm& screen) { Step(screen, 1); }
void TViewCursor::PreviousObject(const TBildschirm& screen) { Step(screen, -1); }

void TViewCursor::TakePosition(const TBildschirm& screen) {
  if (TBasis* o = Selected(screen)) {
    X = o->X;
    Y = o->Y;
    CursorLaenge = o->Breite;
    CursorHoehe = o->Hoehe;
  }
}

TBasis* TViewCursor::Selected(const TBildschirm& screen) const {
  if (!fHasSelection || fSelected.IndexInObjektListe < 0 ||
      static_cast<size_t>(fSelected.IndexInObjektListe) >= screen.Objekte.Count())
    return nullptr;
  return &screen.Objekte[static_cast<size_t>(fSelected.IndexInObjektListe)];
}

TFunktButton* FindEmulatorKey(const TBildschirm& screen, const TBasis* selected, const std::string& name) {
  if (TFunktButton* key = screen.DefaultButtons.Find(name)) return key;
  return selected ? selected->Buttons.Find(name) : nullptr;
}

TBildschirm* JumpTarget(const TDisplayObjekt& display, const TFunktButton* key) {
  if (!key || key->Funktion.Funktion != fkSprung) return nullptr;
  return display.BildschirmReferenzTabelle.FindBildschirm(key->Funktion.ZielBildschirm);
}

// ------------------------------------------------------------------------------------------------

int ReadDisplayIniColour(const std::string& fileName) {
  TXMLIniFile ini(fileName);
  if (!ini.ValueExists("Options", "Color")) ini.WriteInteger("Options", "Color", 0);
  const int scheme = ini.ReadInteger("Options", "Color", 0);
  return scheme >= 0 && scheme <= 2 ? scheme : 0;
}

TViewColours ViewColoursOfScheme(int scheme) {
  switch (scheme) {
    case 1:
      return {Rgb(230, 225, 225), Rgb(250, 245, 245)};
    case 2:
      return {Rgb(130, 180, 170), Rgb(165, 215, 205)};
    default:
      return {Rgb(205, 205, 220), Rgb(238, 238, 255)};
  }
}

TRgb DisplayColorFromOptions(int dispColor, int dispKontrast) {
  if (dispColor == 0) return dispKontrast == 0 ? Rgb(205, 205, 220) : Rgb(238, 238, 255);
  return dispKontrast == 0 ? Rgb(130, 180, 170) : Rgb(165, 215, 205);
}

}  // namespace zyn
