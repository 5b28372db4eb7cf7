#include "display/CompilerDisplay.h"

#include "display/DispObjekt.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Translator.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace zyn {

namespace {

// Thrown by a write that would reach the limit address.
struct ELimitReached {};

std::string WithName(const char* utf8Pattern, const std::string& name) {
  std::string text = TranslateText(Ansi(utf8Pattern));
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, name);
  return text;
}

}  // namespace

uint8_t MapDisplayChar(uint8_t c) {
  switch (c) {
    case 0x82:
      return 0x9E;
    case 0x83:
      return 0x9F;
    case 0xA2:
      return 0x9B;
    case 0xA3:
      return 0x9C;
    case 0xA5:
      return 0x9D;
    case 0xC4:
      return 0x8E;
    case 0xC5:
      return 0x8F;
    case 0xC6:
      return 0x92;
    case 0xC7:
      return 0x80;
    case 0xC9:
      return 0x90;
    case 0xCF:
      return 0x8B;
    case 0xD6:
      return 0x99;
    case 0xDC:
      return 0x9A;
    case 0xE0:
      return 0x85;
    case 0xE1:
      return 0x83;
    case 0xE4:
      return 0x84;
    case 0xE5:
      return 0x86;
    case 0xE6:
      return 0x91;
    case 0xE7:
      return 0x87;
    case 0xE8:
      return 0x8A;
    case 0xE9:
      return 0x82;
    case 0xEA:
      return 0x88;
    case 0xEB:
      return 0x89;
    case 0xEC:
      return 0x8D;
    case 0xEE:
      return 0x8C;
    case 0xF2:
      return 0x95;
    case 0xF4:
      return 0x93;
    case 0xF6:
      return 0x94;
    case 0xF9:
      return 0x97;
    case 0xFB:
      return 0x96;
    case 0xFC:
      return 0x81;
    case 0xFF:
      return 0x98;
    default:
      return c;
  }
}

// ---------------------------------------------------------------------------------------------
// Emitting

void TDispCompiler::Byte(int value) {
  if (fPos >= Limit) throw ELimitReached{};
  fBuffer[static_cast<size_t>(fPos - BaseAddress)] = static_cast<uint8_t>(value & 0xFF);
  ++fPos;
}

void TDispCompiler::Word(int value) {
  Byte((value >> 8) & 0xFF);
  Byte(value & 0xFF);
}

int TDispCompiler::Placeholder() {
  const int at = fPos;
  Word(0xFFFF);
  return at;
}

void TDispCompiler::Patch(int address, int value) {
  // Placeholders lie inside the written image; anything else is ignored.
  if (address < BaseAddress || address + 1 >= fPos) return;
  const auto at = static_cast<size_t>(address - BaseAddress);
  fBuffer[at] = static_cast<uint8_t>((value >> 8) & 0xFF);
  fBuffer[at + 1] = static_cast<uint8_t>(value & 0xFF);
}

void TDispCompiler::TextRecord(int col, int row, const std::string& text) {
  Byte(0x07);
  Byte(col);
  Byte(row);
  for (char c : text) Byte(MapDisplayChar(static_cast<uint8_t>(c)));
  Byte(0x00);
}

// ---------------------------------------------------------------------------------------------
// Driver

void TDispCompiler::Reset() {
  fBuffer.assign(static_cast<size_t>(Limit - BaseAddress), 0);
  fPos = BaseAddress;
  fRecordCount = 0;
  fSortList.clear();
  fGraphicList.clear();
  fCompiledGraphics.clear();
  fTabList.Items.clear();
  fLastError.clear();
  std::fill(Display->Speicher.begin(), Display->Speicher.end(), 0);

  auto resetKeys = [](TButtonListe& keys) {
    for (size_t k = 0; k < keys.Count(); ++k) {
      TDispFunctions& f = keys[k].Funktion;
      f.Fixups.clear();
      f.RecordAddress = -1;
      f.DataAddress = -1;
    }
  };
  auto resetScreen = [&](TBildschirm& screen) {
    screen.ScreenAddress = -1;
    resetKeys(screen.DefaultButtons);
    for (size_t o = 0; o < screen.Objekte.Count(); ++o) {
      TBasis& object = screen.Objekte[o];
      object.RecordAddress = -1;
      object.NextAddress = -1;
      object.PrevAddress = -1;
      object.NextFixups.clear();
      object.PrevFixups.clear();
      if (auto* grafik = dynamic_cast<TGrafik*>(&object)) grafik->DataPointerPos = -1;
      resetKeys(object.Buttons);
    }
  };
  ForEachScreen(Display->Bildschirme, resetScreen);
  for (size_t i = 0; i < Display->BildschirmReferenzTabelle.Count(); ++i)
    resetScreen(Display->BildschirmReferenzTabelle[i]);
}

bool TDispCompiler::CompileDisplay() {
  if (!Display) {
    fLastError = TranslateText(Ansi("Es ist kein Display zum Übersetzen gewählt."));
    return false;
  }
  // The table is read throughout the run: it must hold the screens as they stand now, so that no
  // change of the designer leaves a screen in it that is gone.
  Display->EnsureReferences();
  Reset();
  try {
    if (!Display->StartBildschirm)
      throw EZYNError(WithName("Das Display \"%s\" hat keinen Startbildschirm.", Display->DisplayName));
    if (!Display->BildschirmReferenzTabelle.Contains(Display->StartBildschirm))
      throw EZYNError(TranslateText(Ansi("Unreferenzierter Bildschirm beim Compilerlauf")));
    WriteHeader();
    fSection1 = fPos;
    WriteStartup();
    WriteStateTexts();
    WriteStateRecords(Display->Bildschirme);
    fSection4 = fPos;
    WriteLookupTree();
    WriteTelegramBlocks();
    const auto& table = Display->BildschirmReferenzTabelle;
    for (size_t i = 0; i < table.Count(); ++i) WriteScreen(table[i]);
    for (size_t i = 0; i < table.Count(); ++i) WriteFunctionRecords(table[i]);
    WriteGraphics();
    ApplyFixups();
  } catch (const ELimitReached&) {
    fLastError = WithName(
        "Das Displayprogramm von \"%s\" ist zu groß: es passt nicht in den Speicher des Displays (bis 0xFEB0).",
        Display->DisplayName);
  } catch (const EZYNError& e) {
    fLastError = e.what();
  }
  if (!fLastError.empty()) {
    Display->PrgLaenge = 0;
    return false;
  }
  fImageLength = fPos - BaseAddress;
  Display->PrgLaenge = fImageLength;
  Display->Startadresse = BaseAddress;
  std::copy_n(fBuffer.begin(), fImageLength, Display->Speicher.begin());
  return true;
}

// ---------------------------------------------------------------------------------------------
// Header and sections 1 to 5

void TDispCompiler::WriteHeader() {
  Word(0xFFFF);
  Word(0xFFFF);  // word 1: section 1
  Word(0x0000);  // word 2: number of state-variable records
  Word(0x0000);
  Word(0xFFFF);  // word 4: section 4
  Word(0xFFFF);
  for (int i = 0; i < 32; ++i) Word(0xFFFF);
}

void TDispCompiler::WriteStartup() {
  std::vector<std::string> stms;
  CollectLinkedSTMs(Display->Bildschirme, stms, true);
  std::sort(stms.begin(), stms.end());
  for (const std::string& s : stms) {
    const int stm = std::stoi(s);
    Byte(0x15);
    Byte(stm);
    Byte(0x13);
    Byte(stm);
  }
  Byte(0x01);
  Byte(0x03);
  Byte(0x0C);
  fStartScreenPos = Placeholder();
  Byte(0x00);
}

void TDispCompiler::WriteStateTexts() {
  for (TZustand& pair : Display->ZustandsListe.Items) {
    const size_t length = pair.MaxLength();
    std::string ein = pair.EinText, aus = pair.AusText;
    ein.resize(length, ' ');
    aus.resize(length, ' ');
    pair.EinAdresse = fPos;
    for (char c : ein) Byte(MapDisplayChar(static_cast<uint8_t>(c)));
    Byte(0x00);
    pair.AusAdresse = fPos;
    for (char c : aus) Byte(MapDisplayChar(static_cast<uint8_t>(c)));
    Byte(0x00);
  }
}

void TDispCompiler::WriteStateRecords(const TBildschirmList& screens) {
  for (size_t i = 0; i < screens.Count(); ++i) {
    TBildschirm& screen = screens[i];
    for (size_t o = 0; o < screen.Objekte.Count(); ++o) {
      TBasis& object = screen.Objekte[o];
      auto* var = dynamic_cast<TZustandVar*>(&object);
      if (!var) {
        WriteStateRecords(object.Unterbildschirme);
        continue;
      }
      if (!var->IsLinked()) continue;
      const auto& pairs = Display->ZustandsListe;
      if (var->ZustandIndex < 0 || static_cast<size_t>(var->ZustandIndex) >= pairs.Count())
        throw EZYNError(WithName("Die Zustandsvariable \"%s\" verweist auf kein vorhandenes Zustandspaar.", var->Name));
      const TZustand& pair = pairs[static_cast<size_t>(var->ZustandIndex)];
      var->RecordAddress = fPos;
      ++fRecordCount;
      Byte(0x01);
      Word(fRecordCount);
      Word(pair.EinAdresse);
      Word(pair.AusAdresse);
      const TVarVerbindung& link = *var->Link;
      const int modul = link.BasisKlasse * 32 + link.ModulAdresse;
      const int kanal = link.Kanal + (link.KanalTyp == TKanalTyp::otEingang ? 16 : 0);
      fSortList.push_back({link.STMAdresse, modul, kanal, var});
    }
  }
}

void TDispCompiler::WriteLookupTree() {
  std::stable_sort(fSortList.begin(), fSortList.end(), [](const TSortEntry& a, const TSortEntry& b) {
    return std::tie(a.Stm, a.Modul, a.Kanal) < std::tie(b.Stm, b.Modul, b.Kanal);
  });
  bool stmOpen = false, modulOpen = false, kanalOpen = false;
  int stm = 0, modul = 0, kanal = 0;
  int stmNext = -1, modulNext = -1;
  // Ends the open entry of a level with `closing` zero bytes, links the previous entry of the
  // level to this one and opens the new entry: tag, value and the link to the next entry.
  auto openLevel = [this](bool open, int closing, int& next, int tag, int value) {
    if (open) {
      for (int i = 0; i < closing; ++i) Byte(0x00);
    }
    if (next >= 0) Patch(next, fPos);
    Byte(tag);
    Byte(value);
    next = fPos;
    Word(0x0000);
  };
  for (const TSortEntry& e : fSortList) {
    if (!stmOpen || e.Stm != stm) {
      openLevel(stmOpen, 3, stmNext, 0xA0, e.Stm);
      stmOpen = true;
      stm = e.Stm;
      modulOpen = kanalOpen = false;
      modulNext = -1;
    }
    if (!modulOpen || e.Modul != modul) {
      openLevel(modulOpen, 2, modulNext, 0xA1, e.Modul);
      modulOpen = true;
      modul = e.Modul;
      kanalOpen = false;
    }
    if (!kanalOpen || e.Kanal != kanal) {
      if (kanalOpen) Byte(0x00);
      Byte(0xA2);
      Byte(e.Kanal);
      kanalOpen = true;
      kanal = e.Kanal;
    }
    Byte(0xA3);
    Word(e.Var->RecordAddress);
  }
  if (!fSortList.empty()) {
    Byte(0x00);
    Byte(0x00);
  }
  Byte(0x00);
}

void TDispCompiler::WriteTelegramBlocks() {
  for (const TSortEntry& e : fSortList) {
    TButtonListe& keys = e.Var->Buttons;
    for (size_t k = 0; k < keys.Count(); ++k) {
      TDispFunctions& f = keys[k].Funktion;
      if (f.TelegrammLaenge <= 0) continue;
      f.DataAddress = fPos;
      const int length = std::min(f.TelegrammLaenge, TDispFunctions::TelegrammSize);
      for (int n = 1; n <= length; ++n) Byte(f.Byte(n));
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Section 6: screens

namespace {

// Places the labels of "F1" to "F4" in the key bar below the text area.
void PlaceLabels(TButtonListe& keys) {
  static const char* const names[4] = {"F1", "F2", "F3", "F4"};
  auto place = [](TText& label, int k, int y) {
    const int length = static_cast<int>(label.Text.size());
    label.Laenge = static_cast<uint8_t>(length);
    label.Y = y;
    label.X = 60 * k + 6 + 6 * ((8 - length) / 2);
  };
  for (int k = 0; k < 4; ++k) {
    TFunktButton* key = keys.Find(names[k]);
    if (!key) continue;
    if (keys.EineZeile == 0) {
      place(*key->Label1, k, 104);
      place(*key->Label2, k, 112);
    } else {
      place(*key->Label1, k, 112);
    }
  }
}

}  // namespace

int TDispCompiler::HighlightWidth(const TBasis& object) const {
  if (const auto* text = dynamic_cast<const TText*>(&object)) return static_cast<int>(text->Text.size());
  if (const auto* var = dynamic_cast<const TZustandVar*>(&object)) {
    const auto& pairs = Display->ZustandsListe;
    if (var->ZustandIndex >= 0 && static_cast<size_t>(var->ZustandIndex) < pairs.Count())
      return static_cast<int>(pairs[static_cast<size_t>(var->ZustandIndex)].MaxLength());
    return 0;
  }
  return 255;
}

void TDispCompiler::WriteObject(TBasis& object) {
  switch (object.Art()) {
    case TObjektArt::Text: {
      auto& text = static_cast<TText&>(object);
      if (text.Laenge == 0) return;
      text.Laenge = static_cast<uint8_t>(text.Text.size());
      TextRecord(text.Spalte(), text.Zeile(), text.Text);
      return;
    }
    case TObjektArt::ZustandVar:
      if (object.RecordAddress < 0) return;
      Byte(0x08);
      Byte(object.Spalte());
      Byte(object.Zeile());
      Word(object.RecordAddress);
      return;
    case TObjektArt::Line:
      if (object.Breite == 1) {
        Byte(0x12);
        Byte(object.X);
        Byte(object.Y);
        Byte(object.Hoehe);
      } else if (object.Hoehe == 1) {
        Byte(0x11);
        Byte(object.X);
        Byte(object.Y);
        Byte(object.Breite);
      }
      return;
    case TObjektArt::Grafik: {
      auto& grafik = static_cast<TGrafik&>(object);
      grafik.PackBitmap6();
      fGraphicList.push_back(&grafik);
      Byte(0x09);
      Byte(grafik.X / 6);
      Byte(grafik.Y);
      Byte((grafik.Breite + 5) / 6);
      Byte(grafik.Hoehe);
      grafik.DataPointerPos = Placeholder();
      return;
    }
    case TObjektArt::WertVar:
      return;
  }
}

void TDispCompiler::WriteKeyBar(TButtonListe& keys) {
  Byte(0x0A);
  Byte(keys.Mask());
  if (keys.Empty()) return;
  PlaceLabels(keys);
  for (size_t k = 0; k < keys.Count(); ++k) {
    const TFunktButton& key = keys[k];
    TextRecord(key.Label1->Spalte(), key.Label1->Zeile(), key.Label1->Text);
    if (keys.EineZeile == 0) TextRecord(key.Label2->Spalte(), key.Label2->Zeile(), key.Label2->Text);
  }
}

void TDispCompiler::BindKeys(TButtonListe& keys) {
  for (size_t k = 0; k < keys.Count(); ++k) {
    TFunktButton& key = keys[k];
    if (key.Funktion.Funktion == fkKeine || key.KeyNumber() < 0) continue;
    Byte(0x10);
    Byte(key.KeyNumber());
    key.Funktion.Fixups.push_back(Placeholder());
  }
}

void TDispCompiler::WriteScreen(TBildschirm& screen) {
  screen.ScreenAddress = fPos;
  for (int k = 0; k <= 5; ++k) {
    Byte(0x10);
    Byte(k);
    Word(0x0000);
  }
  for (size_t o = 0; o < screen.Objekte.Count(); ++o) WriteObject(screen.Objekte[o]);
  WriteKeyBar(screen.DefaultButtons);
  BindKeys(screen.DefaultButtons);

  fTabList.BuildTabList(screen);
  if (fTabList.Count() > 0) {
    TBasis& first = screen.Objekte[static_cast<size_t>(fTabList[0].IndexInObjektListe)];
    Byte(0x0E);
    Byte(first.Spalte());
    Byte(first.Zeile());
    Byte(HighlightWidth(first));
    Byte(0x01);
    WriteKeyBar(first.Buttons);
    if (!first.Buttons.Empty()) BindKeys(first.Buttons);
    Byte(0x10);
    Byte(0x05);
    first.PrevFixups.push_back(Placeholder());
    Byte(0x10);
    Byte(0x04);
    first.NextFixups.push_back(Placeholder());
  }
  Byte(0x00);

  const size_t stops = fTabList.Count();
  for (size_t j = 0; j < stops; ++j) {
    auto objectAt = [&](size_t stop) -> TBasis& {
      return screen.Objekte[static_cast<size_t>(fTabList[stop].IndexInObjektListe)];
    };
    TBasis& cur = objectAt(j);
    TBasis& prev = objectAt(j == 0 ? stops - 1 : j - 1);
    TBasis& next = objectAt(j + 1 == stops ? 0 : j + 1);
    WriteNavigationBlock(cur, prev, true);
    WriteNavigationBlock(cur, next, false);
  }
}

void TDispCompiler::WriteNavigationBlock(TBasis& cur, TBasis& other, bool toPrev) {
  (toPrev ? cur.PrevAddress : cur.NextAddress) = fPos;
  Byte(0x0E);
  Byte(cur.Spalte());
  Byte(cur.Zeile());
  Byte(HighlightWidth(cur));
  Byte(0x00);
  Byte(0x0E);
  Byte(other.Spalte());
  Byte(other.Zeile());
  Byte(HighlightWidth(other));
  Byte(0x01);
  TButtonListe& curKeys = cur.Buttons;
  if (!curKeys.Empty()) {
    for (size_t k = 0; k < curKeys.Count(); ++k) {
      const TFunktButton& key = curKeys[k];
      if (key.Funktion.Funktion == fkKeine || key.KeyNumber() < 0) continue;
      Byte(0x10);
      Byte(key.KeyNumber());
      Word(0x0000);
    }
    Byte(0x0B);
    Byte(curKeys.Mask());
    PlaceLabels(curKeys);
    for (size_t k = 0; k < curKeys.Count(); ++k) {
      const TFunktButton& key = curKeys[k];
      const TText* labels[2] = {key.Label1.get(), key.Label2.get()};
      for (int l = 0; l < (curKeys.EineZeile == 0 ? 2 : 1); ++l) {
        Byte(0x04);
        Byte(labels[l]->Spalte());
        Byte(labels[l]->Zeile());
        Byte(labels[l]->Laenge);
      }
    }
  }
  if (!other.Buttons.Empty()) {
    BindKeys(other.Buttons);
    WriteKeyBar(other.Buttons);
  }
  Byte(0x10);
  Byte(0x05);
  other.PrevFixups.push_back(Placeholder());
  Byte(0x10);
  Byte(0x04);
  other.NextFixups.push_back(Placeholder());
  Byte(0x00);
}

// ---------------------------------------------------------------------------------------------
// Sections 7 and 8, fix-ups

void TDispCompiler::WriteJump(const std::string& target) {
  TBildschirm* screen = Display->BildschirmReferenzTabelle.FindBildschirm(target);
  if (!screen)
    throw EZYNError(WithName("Das Sprungziel \"%s\" einer Funktionstaste ist kein Bildschirm des Displays.", target));
  Byte(0x01);
  Byte(0x03);
  Byte(0x0C);
  Word(screen->ScreenAddress);
  Byte(0x00);
}

void TDispCompiler::WriteFunctionRecords(TBildschirm& screen) {
  for (size_t k = 0; k < screen.DefaultButtons.Count(); ++k) {
    TDispFunctions& f = screen.DefaultButtons[k].Funktion;
    if (f.Funktion != fkSprung) continue;
    f.RecordAddress = fPos;
    WriteJump(f.ZielBildschirm);
  }
  for (size_t o = 0; o < screen.Objekte.Count(); ++o) {
    TButtonListe& keys = screen.Objekte[o].Buttons;
    for (size_t k = 0; k < keys.Count(); ++k) {
      TDispFunctions& f = keys[k].Funktion;
      switch (f.Funktion) {
        case fkAusgang:
          // Only a key with a telegram block of this run has something to send.
          if (f.DataAddress < 0) break;
          f.RecordAddress = fPos;
          Byte(0x0F);
          Byte(0x00);
          Word(f.DataAddress);
          Byte(0x00);
          break;
        case fkSprung:
          f.RecordAddress = fPos;
          WriteJump(f.ZielBildschirm);
          break;
        case fkEingangEmu: {
          f.RecordAddress = fPos;
          Byte(0x16);
          const int length = std::min(f.TelegrammLaenge, TDispFunctions::TelegrammSize);
          for (int n = 1; n <= length; ++n) Byte(f.Byte(n));
          Byte(0x00);
          break;
        }
        default:
          break;
      }
    }
  }
}

void TDispCompiler::WriteGraphics() {
  for (TGrafik* grafik : fGraphicList) {
    const std::vector<uint8_t>& bytes = grafik->PackedData;
    const auto same = std::find_if(fCompiledGraphics.begin(), fCompiledGraphics.end(), [&](const TCompGrafData& c) {
      return c.Count == grafik->PackedCount6 && c.Bytes == bytes;
    });
    if (same != fCompiledGraphics.end()) {
      grafik->RecordAddress = same->Address;
    } else {
      grafik->RecordAddress = fPos;
      fCompiledGraphics.push_back({grafik->PackedCount6, fPos, bytes});
      for (uint8_t b : bytes) Byte(b);
    }
    Patch(grafik->DataPointerPos, grafik->RecordAddress);
  }
}

void TDispCompiler::ApplyFixups() {
  Patch(BaseAddress + 2, fSection1);
  Patch(fStartScreenPos, Display->StartBildschirm->ScreenAddress);
  // A key whose function has no record in this run is left unbound (00 00).
  auto patchKeys = [this](TButtonListe& keys) {
    for (size_t k = 0; k < keys.Count(); ++k) {
      const TDispFunctions& f = keys[k].Funktion;
      if (f.Funktion == fkKeine) continue;
      for (int at : f.Fixups) Patch(at, f.RecordAddress >= 0 ? f.RecordAddress : 0);
    }
  };
  const auto& table = Display->BildschirmReferenzTabelle;
  for (size_t i = 0; i < table.Count(); ++i) {
    TBildschirm& screen = table[i];
    patchKeys(screen.DefaultButtons);
    for (size_t o = 0; o < screen.Objekte.Count(); ++o) {
      TBasis& object = screen.Objekte[o];
      for (int at : object.PrevFixups) Patch(at, object.PrevAddress);
      for (int at : object.NextFixups) Patch(at, object.NextAddress);
      patchKeys(object.Buttons);
    }
  }
  Patch(BaseAddress + 4, fRecordCount);
  Patch(BaseAddress + 8, fSection4);
}

}  // namespace zyn
