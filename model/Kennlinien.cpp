#include "model/Kennlinien.h"

#include "model/ModelText.h"
#include "model/UniqueNames.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Streams.h"

#include <cstdio>

namespace zyn {

namespace {

// The curve for incandescent light, step 0 first.
constexpr uint8_t kGluehlicht[256] = {
    21,  22,  23,  24,  25,  25,  26,  27,  28,  28,  29,  30,  31,  31,  32,  33,  33,  34,  35,  35,  36,  37,
    38,  38,  39,  40,  40,  41,  41,  42,  43,  43,  44,  45,  45,  46,  47,  47,  48,  49,  49,  50,  50,  51,
    52,  52,  53,  54,  54,  55,  55,  56,  57,  57,  58,  59,  59,  60,  60,  61,  62,  62,  63,  64,  64,  65,
    65,  66,  66,  67,  68,  69,  69,  69,  70,  71,  71,  72,  73,  73,  74,  74,  75,  75,  76,  77,  77,  78,
    78,  79,  80,  80,  81,  81,  82,  83,  83,  84,  84,  85,  86,  86,  87,  87,  88,  88,  89,  90,  90,  91,
    92,  92,  93,  93,  94,  95,  95,  96,  96,  97,  98,  98,  99,  100, 100, 101, 101, 102, 103, 103, 104, 104,
    105, 106, 106, 107, 108, 108, 109, 109, 110, 111, 111, 112, 113, 113, 114, 115, 115, 116, 117, 117, 118, 119,
    119, 120, 121, 121, 122, 123, 123, 124, 125, 125, 126, 127, 128, 128, 129, 130, 130, 131, 132, 132, 133, 134,
    135, 136, 136, 137, 138, 138, 139, 140, 141, 141, 142, 143, 144, 145, 146, 146, 147, 148, 149, 150, 151, 151,
    152, 153, 154, 155, 156, 156, 157, 158, 159, 160, 161, 162, 163, 164, 165, 166, 167, 168, 169, 170, 171, 172,
    173, 174, 176, 177, 178, 179, 181, 182, 183, 184, 186, 187, 188, 190, 191, 193, 195, 196, 198, 199, 201, 203,
    205, 207, 210, 212, 215, 218, 221, 224, 227, 232, 238, 246, 254, 254};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

const TXMLItemClass& TZYNKennlinie::Class() {
  static const TXMLItemClass cls = TXMLClassBuilder<TZYNKennlinie>("TZYNKennlinie")
                                       .Boolean("CanEdit", &TZYNKennlinie::CanEdit)
                                       .Text("DisplayName", &TZYNKennlinie::DisplayName)
                                       .Text("InternalName", &TZYNKennlinie::InternalName)
                                       .Text("Kennlinie", &TZYNKennlinie::GetKennlinie, &TZYNKennlinie::SetKennlinie)
                                       .Build();
  return cls;
}

std::string TZYNKennlinie::GetKennlinie() const {
  static const char kHex[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(512);
  for (uint8_t b : Werte) {
    text.push_back(kHex[b >> 4]);
    text.push_back(kHex[b & 15]);
  }
  return text;
}

void TZYNKennlinie::SetKennlinie(const std::string& text) {
  size_t index = 0;
  for (size_t pos = 0; pos < text.size() && index < Werte.size(); pos += 2, ++index) {
    const int high = HexDigit(text[pos]);
    const int low = pos + 1 < text.size() ? HexDigit(text[pos + 1]) : 0;
    if (high < 0 || low < 0) {
      throw EReadError("'" + text.substr(pos, 2) + Ansi("' ist kein gültiger Integerwert"));
    }
    // A last single character is a one-digit number.
    Werte[index] = static_cast<uint8_t>(pos + 1 < text.size() ? high * 16 + low : high);
  }
}

TZYNKennlinienListe::TZYNKennlinienListe() : TXMLCollectionOf<TZYNKennlinie>("TZYNKennlinienListe") {}

void TZYNKennlinienListe::AddDefaultCurves(TUniqueNames& names) {
  auto add = [&](const char* name) {
    TZYNKennlinie* curve = Add();
    curve->InternalName = names.NewName();
    curve->CanEdit = false;
    curve->DisplayName = ModelTranslate(name);
    return curve;
  };
  TZYNKennlinie* gluehlicht = add("Standardkennlinie (z.B. Glühlicht)");
  std::copy(std::begin(kGluehlicht), std::end(kGluehlicht), gluehlicht->Werte.begin());
  TZYNKennlinie* linear = add("Kennlinie 1-10 Volt (z.B. dimmbare EVG's)");
  for (int i = 0; i < 256; ++i) linear->Werte[static_cast<size_t>(i)] = static_cast<uint8_t>(i < 255 ? i : 254);
  TZYNKennlinie* half = add("Kennlinie 5-10 Volt (z.B. dimmbare EVG's)");
  for (int i = 0; i < 256; ++i) {
    const int v = 128 + i / 2;
    half->Werte[static_cast<size_t>(i)] = static_cast<uint8_t>(v < 254 ? v : 254);
  }
}

TKennlinienLoad TZYNKennlinienListe::LoadOrCreate(const std::string& fileName, TUniqueNames& names) {
  TKennlinienLoad result;
  if (!FileExists(fileName)) {
    Clear();
    AddDefaultCurves(names);
    result.Status = TKennlinienLoad::DefaultsMade;
    result.Message = ModelTranslate("Die Kennlinien wurden nicht gefunden");
    try {
      SaveToFile(fileName);
    } catch (const EZYNError& e) {
      result.Message += "\n" + std::string(e.what());
    }
    return result;
  }
  if (LoadFromFile(fileName)) {
    result.Status = TKennlinienLoad::Loaded;
    return result;
  }
  // A damaged file is the user's data: it is kept, renamed beside it, and reported; the programme
  // goes on with the three standard curves, written as the new file.
  Clear();
  AddDefaultCurves(names);
  result.Status = TKennlinienLoad::Unreadable;
  std::string kept = fileName + ".defekt";
  for (int n = 1; FileExists(kept) && n < 1000; ++n) kept = fileName + ".defekt" + std::to_string(n);
  result.Message = ModelTranslate("Die Kennlinien konnten nicht gelesen werden:") + " " + Utf8ToAnsi(fileName);
  if (std::rename(fileName.c_str(), kept.c_str()) != 0) {
    // Not even renamed: the damaged file stays where it is and is not overwritten.
    result.Message += "\n" + ModelTranslate("Es werden die Standardkennlinien verwendet.");
    return result;
  }
  result.Message += "\n" + ModelTranslate("Die Datei wurde aufbewahrt als") + " " + Utf8ToAnsi(kept) + "\n" +
                    ModelTranslate("Es werden die Standardkennlinien verwendet.");
  try {
    SaveToFile(fileName);
  } catch (const EZYNError& e) {
    result.Message += "\n" + std::string(e.what());
  }
  return result;
}

}  // namespace zyn
