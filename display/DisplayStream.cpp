// The display section of the project file: displays, screens, objects, keys and links as
// values of the tagged value stream, in a fixed order per class.

#include "display/DispObjekt.h"
#include "display/DispObserver.h"
#include "display/DisplayProjekt.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"
#include "model/base/Translator.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace zyn {

namespace {

[[noreturn]] void ThrowInvalid() { throw EReadError(Ansi("Ungültiger Eigenschaftswert")); }

// What reading a display skipped: the notes go to the display being read, each naming where the
// damaged element lies (screen, object, key) and which element it is. The elements being read
// are stacked, the innermost last; each is noted at most once.
struct TReadLog {
  std::vector<std::string>* Notes = nullptr;
  std::vector<std::string> Where;
  struct TElement {
    const char* Name;
    bool Noted;
  };
  std::vector<TElement> Elements;
};
thread_local TReadLog* gReadLog = nullptr;

// Names a part of the stream (a screen, an object, a key) while it is read.
class TReadPlace {
 public:
  explicit TReadPlace(const std::string& place) : fOn(gReadLog != nullptr) {
    if (fOn) gReadLog->Where.push_back(place);
  }
  ~TReadPlace() {
    if (fOn && gReadLog && !gReadLog->Where.empty()) gReadLog->Where.pop_back();
  }
  TReadPlace(const TReadPlace&) = delete;
  TReadPlace& operator=(const TReadPlace&) = delete;

 private:
  bool fOn;
};

// Notes the innermost element being read as damaged, once.
void NoteDamage(const std::string& error) {
  if (!gReadLog || !gReadLog->Notes || gReadLog->Elements.empty() || gReadLog->Elements.back().Noted) return;
  gReadLog->Elements.back().Noted = true;
  std::string where;
  for (const std::string& w : gReadLog->Where) where += (where.empty() ? "" : ", ") + w;
  gReadLog->Notes->push_back((where.empty() ? std::string() : where + ": ") +
                             TranslateText(Ansi(gReadLog->Elements.back().Name)) + " " +
                             TranslateText(Ansi("unvollständig gelesen")) + " (" + error + ")");
}

bool ReadingTolerantly() { return gReadLog && !gReadLog->Elements.empty(); }

// A value of another kind than expected. Inside a tolerant element it is skipped alone and the
// field keeps its value, so the element goes on with its next field and nothing after it is
// misread; elsewhere, and for the end of a list in its place (the element is cut short), the
// read fails. The end of a list is left in place: it ends the list that holds the element.
bool SkipWrongValue(TReader& reader) {
  if (reader.NextValue() == TValueType::vaNull || !ReadingTolerantly()) ThrowInvalid();
  reader.SkipValue();
  NoteDamage(Ansi("Ungültiger Eigenschaftswert"));
  return false;
}

bool IsIntegerValue(TValueType type) {
  return type == TValueType::vaInt8 || type == TValueType::vaInt16 || type == TValueType::vaInt32;
}

// A field: an integer, or its former value when the stream holds a value of another kind there.
int32_t ReadIntValue(TReader& reader, int32_t keep = 0) {
  if (IsIntegerValue(reader.NextValue())) return reader.ReadInteger();
  SkipWrongValue(reader);
  return keep;
}

uint8_t ReadByteValue(TReader& reader, uint8_t keep = 0) {
  return static_cast<uint8_t>(ReadIntValue(reader, keep));
}

std::string ReadTextValue(TReader& reader, const std::string& keep = {}) {
  switch (reader.NextValue()) {
    case TValueType::vaString:
    case TValueType::vaLString:
    case TValueType::vaWString:
    case TValueType::vaUTF8String:
      return reader.ReadString();
    default:
      SkipWrongValue(reader);
      return keep;
  }
}

// A value the rest of the element depends on (a kind, a count): anything else ends the element.
int32_t ReadStructuralInt(TReader& reader) {
  if (!IsIntegerValue(reader.NextValue())) {
    if (reader.NextValue() != TValueType::vaNull) reader.SkipValue();
    ThrowInvalid();
  }
  return reader.ReadInteger();
}

// Reads one element (an object, a key list, a key, a function or a link) so that a damaged
// element does not end the reading: it keeps what was read, the damage is noted and reading goes
// on with the next value. An element that could not read a single value passes the error on to
// the element around it, so that no list is read forever.
template <class F>
void ReadTolerant(TReader& reader, const char* element, F&& read) {
  if (gReadLog) gReadLog->Elements.push_back({element, false});
  const int64_t start = reader.Position();
  struct TPop {
    ~TPop() {
      if (gReadLog && !gReadLog->Elements.empty()) gReadLog->Elements.pop_back();
    }
  } pop;
  try {
    read();
  } catch (const EReadError& e) {
    if (reader.Position() == start) throw;
    NoteDamage(e.what());
  }
}

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
  ReadTolerant(reader, "Zuordnung", [&] {
    ModulAdresse = ReadIntValue(reader);
    STMAdresse = ReadIntValue(reader);
    BasisKlasse = ReadIntValue(reader);
    Kanal = ReadIntValue(reader);
    const int32_t kind = ReadIntValue(reader, static_cast<int32_t>(KanalTyp));
    if (kind >= 0 && kind <= static_cast<int32_t>(TKanalTyp::otUnknown))
      KanalTyp = static_cast<TKanalTyp>(kind);
    else
      NoteDamage(Ansi("Ungültiger Eigenschaftswert"));
    KanalName = ReadTextValue(reader);
    ModulInternalName = ReadTextValue(reader);
    KanalInternalName = ReadTextValue(reader);
    STMInternalName = ReadTextValue(reader);
    ModulKennung = ReadTextValue(reader);
    EinShift = ReadIntValue(reader);
    AusShift = ReadIntValue(reader);
  });
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
  ReadTolerant(reader, "Funktion", [&] {
    Funktion = static_cast<uint8_t>(ReadStructuralInt(reader));
    switch (Funktion) {
      case fkSprung:
        SprungParameter = ReadByteValue(reader);
        ZielBildschirm = ReadTextValue(reader);
        break;
      case fkWert:
        Wert = ReadByteValue(reader);
        break;
      case fkAusgang:
      case fkEingangEmu: {
        BefehlsArt = ReadByteValue(reader);
        Text = ReadTextValue(reader);
        const int32_t length = ReadIntValue(reader, TelegrammLaenge);
        // The key sends at most the telegram it has room for.
        TelegrammLaenge = std::clamp(length, 0, static_cast<int32_t>(Telegramm.size()));
        for (int n = 1; n <= kTelegramBytesStored; ++n) Byte(n) = ReadByteValue(reader);
        if (length != TelegrammLaenge) ThrowInvalid();
        break;
      }
      default:
        break;
    }
  });
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
  ReadTolerant(reader, "Taste", [&] {
    Name = ReadTextValue(reader);
    const TReadPlace place(TranslateText(Ansi("Taste")) + " " + Name);
    Label1->ReadData(reader);
    Label2->ReadData(reader);
    Funktion.ReadData(reader);
  });
}

void TFunktButton::WriteData(TWriter& writer) const {
  writer.WriteString(Name);
  Label1->WriteData(writer);
  Label2->WriteData(writer);
  Funktion.WriteData(writer);
}

void TButtonListe::ReadData(TReader& reader) {
  Clear();
  ReadTolerant(reader, "Funktionstasten", [&] {
    EineZeile = ReadIntValue(reader, EineZeile);
    reader.ReadListBegin();
    while (!reader.EndOfList()) {
      auto key = std::make_unique<TFunktButton>();
      key->ReadData(reader);
      Add(std::move(key));
    }
    reader.ReadListEnd();
  });
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
  ReadTolerant(reader, "Objekt", [&] { ReadFields(reader); });
  if (Link && !Link->ModulInternalName.empty() && GDisplayObserver) GDisplayObserver->AddLink(Link.get());
}

void TBasis::ReadFields(TReader& reader) {
  Name = ReadTextValue(reader);
  switch (Art()) {
    case TObjektArt::Text: {
      auto& text = static_cast<TText&>(*this);
      text.Text = ReadTextValue(reader);
      text.Laenge = ReadByteValue(reader);
      Breite = ReadByteValue(reader);
      Hoehe = ReadByteValue(reader);
      X = ReadIntValue(reader);
      Y = ReadIntValue(reader);
      Link->ReadData(reader);
      Buttons.ReadData(reader);
      Unterbildschirme.ReadData(reader);
      break;
    }
    case TObjektArt::ZustandVar:
      X = ReadIntValue(reader);
      Y = ReadIntValue(reader);
      static_cast<TZustandVar&>(*this).ZustandIndex = ReadIntValue(reader);
      Breite = ReadByteValue(reader);
      Hoehe = ReadByteValue(reader);
      Link->ReadData(reader);
      Buttons.ReadData(reader);
      Unterbildschirme.ReadData(reader);
      break;
    case TObjektArt::Grafik: {
      auto& grafik = static_cast<TGrafik&>(*this);
      X = ReadIntValue(reader);
      Y = ReadIntValue(reader);
      const uint8_t height = ReadByteValue(reader);
      const uint8_t width = ReadByteValue(reader);
      const int count = ReadStructuralInt(reader);
      // The stored form of a width x height picture has exactly this many bytes. A count that
      // does not fit is still read past when it is small enough to be one picture, so that the
      // values after the picture are read in their place; the graphic then stays without content.
      const int expected = height * ((width + 7) / 8);
      if (count != expected) {
        if (count > 0 && count <= 255 * 32)
          for (int i = 0; i < count; ++i) ReadByteValue(reader);
        ThrowInvalid();
      }
      std::vector<uint8_t> bytes(static_cast<size_t>(count));
      for (auto& b : bytes) b = ReadByteValue(reader);
      Hoehe = height;
      Breite = width;
      grafik.PackedData = std::move(bytes);
      grafik.PackedCount8 = count;
      grafik.UnpackBitmap8();
      break;
    }
    case TObjektArt::Line:
      X = ReadIntValue(reader);
      Y = ReadIntValue(reader);
      Hoehe = ReadByteValue(reader);
      Breite = ReadByteValue(reader);
      break;
    case TObjektArt::WertVar:
      X = ReadIntValue(reader);
      Y = ReadIntValue(reader);
      Buttons.ReadData(reader);
      break;
  }
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
  const TReadPlace place(TranslateText(Ansi("Bildschirm")) + " \"" + Name + "\"");
  DefaultButtons.ReadData(reader);
  Objekte.Clear();
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    const int tag = reader.ReadInteger();
    if (tag < 0 || tag > 4) ThrowInvalid();
    auto object = CreateObjekt(static_cast<TObjektArt>(tag));
    const std::string key = TranslateText(ObjectKeyWord(object->Art())) + " " + std::to_string(Objekte.Count());
    {
      const TReadPlace objectPlace(key);
      object->ReadData(reader);
    }
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
  SkippedOnRead.clear();
  TReadLog log;
  log.Notes = &SkippedOnRead;
  TReadLog* const outer = gReadLog;
  gReadLog = &log;
  struct TRestore {
    TReadLog* Outer;
    ~TRestore() { gReadLog = Outer; }
  } restore{outer};
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

std::string TDisplayProjekt::SkippedWarning(size_t limit) const {
  std::string text;
  for (const auto& display : fItems) {
    const std::vector<std::string>& notes = display->SkippedOnRead;
    if (notes.empty()) continue;
    if (!text.empty()) text += "\r\r";
    text += TranslateText(Ansi("Das Display")) + " \"" + display->DisplayName + "\" " +
            TranslateText(Ansi("ist beschädigt; diese Teile wurden übersprungen:"));
    for (size_t i = 0; i < notes.size() && i < limit; ++i) text += "\r- " + notes[i];
    if (notes.size() > limit)
      text += "\r" + TranslateText(Ansi("und weitere:")) + " " + std::to_string(notes.size() - limit);
  }
  if (!text.empty())
    text += "\r\r" + TranslateText(Ansi("Alles andere wurde gelesen. Prüfen Sie die genannten Bildschirme, bevor "
                                          "Sie das Projekt speichern."));
  return text;
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
