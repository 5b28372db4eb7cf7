// The display section of the project file: displays, screens, objects, keys and links as
// values of the tagged value stream, in a fixed order per class.

#include "display/DispObjekt.h"
#include "display/DispObserver.h"
#include "display/DisplayProjekt.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"
#include "model/base/Translator.h"

#include <memory>

namespace zyn {

namespace {

uint8_t ReadByteValue(TReader& reader) { return static_cast<uint8_t>(reader.ReadInteger()); }

[[noreturn]] void ThrowInvalid() { throw EReadError(Ansi("Ungültiger Eigenschaftswert")); }

const char* ObjectKeyWord(TObjektArt art) {
  switch (art) {
    case TObjektArt::Text:
      return "Text";
    case TObjektArt::Grafik:
      return "Grafik";
    case TObjektArt::WertVar:
      return "WertVar";
    case TObjektArt::ZustandVar:
      return "ZustVar";
    case TObjektArt::Line:
      return "Linie";
  }
  return "";
}

constexpr int kTelegramBytesStored = 10;

// Menu screens nest a few levels deep; a file nesting far deeper is damaged, and reading it on
// would only exhaust the stack.
constexpr int kMaxScreenNesting = 100;
thread_local int gScreenNesting = 0;

struct TNestingGuard {
  TNestingGuard() {
    if (++gScreenNesting > kMaxScreenNesting) {
      --gScreenNesting;
      ThrowInvalid();
    }
  }
  ~TNestingGuard() { --gScreenNesting; }
  TNestingGuard(const TNestingGuard&) = delete;
  TNestingGuard& operator=(const TNestingGuard&) = delete;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Link

void TVarVerbindung::ReadData(TReader& reader) {
  ModulAdresse = reader.ReadInteger();
  STMAdresse = reader.ReadInteger();
  BasisKlasse = reader.ReadInteger();
  Kanal = reader.ReadInteger();
  KanalTyp = static_cast<TKanalTyp>(ReadByteValue(reader));
  KanalName = reader.ReadString();
  ModulInternalName = reader.ReadString();
  KanalInternalName = reader.ReadString();
  STMInternalName = reader.ReadString();
  ModulKennung = reader.ReadString();
  EinShift = reader.ReadInteger();
  AusShift = reader.ReadInteger();
}

void TVarVerbindung::WriteData(TWriter& writer) const {
  writer.WriteInteger(ModulAdresse);
  writer.WriteInteger(STMAdresse);
  writer.WriteInteger(BasisKlasse);
  writer.WriteInteger(Kanal);
  writer.WriteInteger(static_cast<uint8_t>(KanalTyp));
  writer.WriteString(KanalName);
  writer.WriteString(ModulInternalName);
  writer.WriteString(KanalInternalName);
  writer.WriteString(STMInternalName);
  writer.WriteString(ModulKennung);
  writer.WriteInteger(EinShift);
  writer.WriteInteger(AusShift);
}

// ---------------------------------------------------------------------------------------------
// Keys

void TDispFunctions::ReadData(TReader& reader) {
  Funktion = ReadByteValue(reader);
  switch (Funktion) {
    case fkSprung:
      SprungParameter = ReadByteValue(reader);
      ZielBildschirm = reader.ReadString();
      break;
    case fkWert:
      Wert = ReadByteValue(reader);
      break;
    case fkAusgang:
    case fkEingangEmu:
      BefehlsArt = ReadByteValue(reader);
      Text = reader.ReadString();
      TelegrammLaenge = reader.ReadInteger();
      for (int n = 1; n <= kTelegramBytesStored; ++n) Byte(n) = ReadByteValue(reader);
      break;
    default:
      break;
  }
}

void TDispFunctions::WriteData(TWriter& writer) const {
  writer.WriteInteger(Funktion);
  switch (Funktion) {
    case fkSprung:
      writer.WriteInteger(SprungParameter);
      writer.WriteString(ZielBildschirm);
      break;
    case fkWert:
      writer.WriteInteger(Wert);
      break;
    case fkAusgang:
    case fkEingangEmu:
      writer.WriteInteger(BefehlsArt);
      writer.WriteString(Text);
      writer.WriteInteger(TelegrammLaenge);
      for (int n = 1; n <= kTelegramBytesStored; ++n) writer.WriteInteger(Byte(n));
      break;
    default:
      break;
  }
}

void TFunktButton::ReadData(TReader& reader) {
  Name = reader.ReadString();
  Label1->ReadData(reader);
  Label2->ReadData(reader);
  Funktion.ReadData(reader);
}

void TFunktButton::WriteData(TWriter& writer) const {
  writer.WriteString(Name);
  Label1->WriteData(writer);
  Label2->WriteData(writer);
  Funktion.WriteData(writer);
}

void TButtonListe::ReadData(TReader& reader) {
  Clear();
  EineZeile = reader.ReadInteger();
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    auto key = std::make_unique<TFunktButton>();
    key->ReadData(reader);
    Add(std::move(key));
  }
  reader.ReadListEnd();
}

void TButtonListe::WriteData(TWriter& writer) const {
  writer.WriteInteger(EineZeile);
  writer.WriteListBegin();
  for (const auto& key : fItems) key->WriteData(writer);
  writer.WriteListEnd();
}

// ---------------------------------------------------------------------------------------------
// Objects

void TBasis::ReadData(TReader& reader) {
  Name = reader.ReadString();
  switch (Art()) {
    case TObjektArt::Text: {
      auto& text = static_cast<TText&>(*this);
      text.Text = reader.ReadString();
      text.Laenge = ReadByteValue(reader);
      Breite = ReadByteValue(reader);
      Hoehe = ReadByteValue(reader);
      X = reader.ReadInteger();
      Y = reader.ReadInteger();
      Link->ReadData(reader);
      Buttons.ReadData(reader);
      Unterbildschirme.ReadData(reader);
      break;
    }
    case TObjektArt::ZustandVar:
      X = reader.ReadInteger();
      Y = reader.ReadInteger();
      static_cast<TZustandVar&>(*this).ZustandIndex = reader.ReadInteger();
      Breite = ReadByteValue(reader);
      Hoehe = ReadByteValue(reader);
      Link->ReadData(reader);
      Buttons.ReadData(reader);
      Unterbildschirme.ReadData(reader);
      break;
    case TObjektArt::Grafik: {
      auto& grafik = static_cast<TGrafik&>(*this);
      X = reader.ReadInteger();
      Y = reader.ReadInteger();
      Hoehe = ReadByteValue(reader);
      Breite = ReadByteValue(reader);
      const int count = reader.ReadInteger();
      // The stored form of a Breite x Hoehe picture has exactly this many bytes.
      if (count != Hoehe * ((Breite + 7) / 8)) ThrowInvalid();
      grafik.PackedData.resize(static_cast<size_t>(count));
      for (auto& b : grafik.PackedData) b = ReadByteValue(reader);
      grafik.PackedCount8 = count;
      grafik.UnpackBitmap8();
      break;
    }
    case TObjektArt::Line:
      X = reader.ReadInteger();
      Y = reader.ReadInteger();
      Hoehe = ReadByteValue(reader);
      Breite = ReadByteValue(reader);
      break;
    case TObjektArt::WertVar:
      X = reader.ReadInteger();
      Y = reader.ReadInteger();
      Buttons.ReadData(reader);
      break;
  }
  if (Link && !Link->ModulInternalName.empty() && GDisplayObserver) GDisplayObserver->AddLink(Link.get());
}

void TBasis::WriteData(TWriter& writer) {
  writer.WriteString(Name);
  switch (Art()) {
    case TObjektArt::Text: {
      const auto& text = static_cast<const TText&>(*this);
      writer.WriteString(text.Text);
      writer.WriteInteger(text.Laenge);
      writer.WriteInteger(Breite);
      writer.WriteInteger(Hoehe);
      writer.WriteInteger(X);
      writer.WriteInteger(Y);
      Link->WriteData(writer);
      Buttons.WriteData(writer);
      Unterbildschirme.WriteData(writer);
      break;
    }
    case TObjektArt::ZustandVar:
      writer.WriteInteger(X);
      writer.WriteInteger(Y);
      writer.WriteInteger(static_cast<const TZustandVar&>(*this).ZustandIndex);
      writer.WriteInteger(Breite);
      writer.WriteInteger(Hoehe);
      Link->WriteData(writer);
      Buttons.WriteData(writer);
      Unterbildschirme.WriteData(writer);
      break;
    case TObjektArt::Grafik: {
      auto& grafik = static_cast<TGrafik&>(*this);
      grafik.PackBitmap8();
      writer.WriteInteger(X);
      writer.WriteInteger(Y);
      writer.WriteInteger(Hoehe);
      writer.WriteInteger(Breite);
      writer.WriteInteger(grafik.PackedCount8);
      for (uint8_t b : grafik.PackedData) writer.WriteInteger(b);
      break;
    }
    case TObjektArt::Line:
      writer.WriteInteger(X);
      writer.WriteInteger(Y);
      writer.WriteInteger(Hoehe);
      writer.WriteInteger(Breite);
      break;
    case TObjektArt::WertVar:
      writer.WriteInteger(X);
      writer.WriteInteger(Y);
      Buttons.WriteData(writer);
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// Screens

void TBildschirm::ReadData(TReader& reader) {
  InternalName = reader.ReadString();
  Name = reader.ReadString();
  DefaultButtons.ReadData(reader);
  Objekte.Clear();
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    const int tag = reader.ReadInteger();
    if (tag < 0 || tag > 4) ThrowInvalid();
    auto object = CreateObjekt(static_cast<TObjektArt>(tag));
    object->ReadData(reader);
    const std::string key = TranslateText(ObjectKeyWord(object->Art())) + " " + std::to_string(Objekte.Count());
    Objekte.Add(key, std::move(object));
  }
  reader.ReadListEnd();
}

void TBildschirm::WriteData(TWriter& writer) {
  writer.WriteString(InternalName);
  writer.WriteString(Name);
  DefaultButtons.WriteData(writer);
  writer.WriteListBegin();
  for (size_t i = 0; i < Objekte.Count(); ++i) {
    writer.WriteInteger(static_cast<int>(Objekte[i].Art()));
    Objekte[i].WriteData(writer);
  }
  writer.WriteListEnd();
}

void TBildschirmList::ReadData(TReader& reader) {
  const TNestingGuard guard;
  Clear();
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    auto screen = std::make_unique<TBildschirm>();
    screen->ReadData(reader);
    const std::string key = screen->InternalName;
    Add(key, std::move(screen));
  }
  reader.ReadListEnd();
}

void TBildschirmList::WriteData(TWriter& writer) {
  writer.WriteListBegin();
  for (auto& e : fItems) {
    if (e.Screen->Name.empty()) e.Screen->Name = e.Key;
    e.Screen->WriteData(writer);
  }
  writer.WriteListEnd();
}

// ---------------------------------------------------------------------------------------------
// State-text pairs, display, display project

void TZustandsListe::ReadData(TReader& reader) {
  Items.clear();
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    std::string ein = reader.ReadString();
    std::string aus = reader.ReadString();
    Add(ein, aus);
  }
  reader.ReadListEnd();
}

void TZustandsListe::WriteData(TWriter& writer) const {
  writer.WriteListBegin();
  for (const TZustand& pair : Items) {
    writer.WriteString(pair.EinText);
    writer.WriteString(pair.AusText);
  }
  writer.WriteListEnd();
}

void TDisplayObjekt::ReadData(TReader& reader) {
  Modified = false;
  StartBildschirm = nullptr;
  BildschirmReferenzTabelle.Clear();
  ReserveText = reader.ReadString();
  Notizen = reader.ReadString();
  DisplayName = reader.ReadString();
  STMInternalName = reader.ReadString();
  KorrSTM = reader.ReadInteger();
  const std::string startName = reader.ReadString();
  Bildschirme.ReadData(reader);
  ZustandsListe.ReadData(reader);
  DefaultZustand = reader.ReadInteger();
  StartBildschirm = Bildschirme.Find(startName);
  if (!StartBildschirm && !Bildschirme.Empty()) StartBildschirm = &Bildschirme[0];
  RebuildReferences();
  RebuildNavigation();
}

void TDisplayObjekt::WriteData(TWriter& writer) {
  writer.WriteString(ReserveText);
  writer.WriteString(Notizen);
  writer.WriteString(DisplayName);
  writer.WriteString(STMInternalName);
  writer.WriteInteger(KorrSTM);
  writer.WriteString(StartScreenName());
  Bildschirme.WriteData(writer);
  ZustandsListe.WriteData(writer);
  writer.WriteInteger(DefaultZustand);
}

void TDisplayProjekt::ReadData(TReader& reader) {
  Clear();
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    auto display = std::make_unique<TDisplayObjekt>();
    display->Projekt = this;
    display->ReadData(reader);
    Add(std::move(display));
  }
  reader.ReadListEnd();
  const int minAddress = reader.ReadInteger();
  const int maxAddress = reader.ReadInteger();
  // One flag per address; a range that cannot be a display pool is a damaged file.
  if (maxAddress < minAddress - 1 || static_cast<int64_t>(maxAddress) - minAddress >= 256) ThrowInvalid();
  TDisplayAdressen pool;
  pool.SetRange(minAddress, maxAddress);
  for (int a = minAddress; a <= maxAddress; ++a) pool.SetUsed(a, reader.ReadBoolean());
  Adressen = pool;
}

void TDisplayProjekt::WriteData(TWriter& writer) {
  writer.WriteListBegin();
  for (const auto& display : fItems) display->WriteData(writer);
  writer.WriteListEnd();
  writer.WriteInteger(Adressen.MinAddress);
  writer.WriteInteger(Adressen.MaxAddress);
  for (int a = Adressen.MinAddress; a <= Adressen.MaxAddress; ++a) writer.WriteBoolean(Adressen.IsUsed(a));
}

}  // namespace zyn
