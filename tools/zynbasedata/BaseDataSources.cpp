#include "tools/zynbasedata/BaseDataSources.h"

#include "model/Kennlinien.h"
#include "model/UniqueNames.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/ProgramPaths.h"

#include <fstream>
#include <functional>
#include <sstream>

namespace zyn::basedata {

namespace {

using TFields = std::vector<std::string>;

TFields Split(const std::string& line) {
  TFields out;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, '|')) out.push_back(field);
  if (!line.empty() && line.back() == '|') out.emplace_back();
  return out;
}

// Calls onRecord for every record line (comments and blank lines skipped), fields already in
// Windows-1252.
void ForEachRecord(const std::string& fileName, const std::function<void(const TFields&)>& onRecord) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw EReadError("Die Datei \"" + fileName + "\" kann nicht gelesen werden.");
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    TFields fields = Split(Utf8ToAnsi(line));
    try {
      onRecord(fields);
    } catch (const std::exception& e) {
      throw EReadError(fileName + ":" + std::to_string(number) + ": " + e.what());
    }
  }
}

void Need(const TFields& f, size_t count) {
  if (f.size() < count) throw EReadError("zu wenige Felder");
}

int Number(const std::string& text, int base = 10) {
  size_t used = 0;
  const int value = std::stoi(text, &used, base);
  if (used != text.size()) throw EReadError("keine Zahl: " + text);
  return value;
}

}  // namespace

void ReadModuleSource(const std::string& fileName, TModulClassList& list) {
  TModulClass* current = nullptr;
  auto addChannel = [&](TEABeschreibungsListe& target, const TFields& f, int32_t& count) {
    if (!current) throw EReadError("Kanal vor der ersten Klasse");
    Need(f, 4);
    auto d = std::make_unique<TEABeschreibung>();
    d->KanalNummer = Number(f[1]);
    d->DefaultText = f[2];
    d->Funktionen = f[3];
    target.Add(std::move(d));
    ++count;
  };
  ForEachRecord(fileName, [&](const TFields& f) {
    if (f[0] == "CLASS") {
      Need(f, 10);
      auto c = std::make_unique<TModulClass>();
      c->InternalName = f[1];
      c->DisplayName = f[2];
      c->ClassIdent = f[3];
      c->BaseClass = Number(f[4]);
      c->LimitCount = Number(f[5]);
      c->EinShift = Number(f[6]);
      c->AusShift = Number(f[7]);
      c->RMEShift = Number(f[8]);
      c->DefaultPOR = Number(f[9]);
      current = list.Add(std::move(c));
    } else if (f[0] == "IN") {
      addChannel(current->Eingaenge, f, current->EinCount);
    } else if (f[0] == "OUT") {
      addChannel(current->Ausgaenge, f, current->AusCount);
    } else if (f[0] == "RME") {
      addChannel(current->Rueckmeldungen, f, current->RMECount);
    } else if (f[0] == "TEXT") {
      if (!current) throw EReadError("Text vor der ersten Klasse");
      Need(f, 2);
      current->Texte.push_back(f[1]);
    } else {
      throw EReadError("unbekannter Satz " + f[0]);
    }
  });
}

void ReadBasisSource(const std::string& fileName, TBasisModulListe& list) {
  ForEachRecord(fileName, [&](const TFields& f) {
    if (f[0] != "BASIS") throw EReadError("unbekannter Satz " + f[0]);
    Need(f, 6);
    auto b = std::make_unique<TBasisModul>();
    b->SetInternalName(f[1]);
    b->SetDisplayName(f[2]);
    b->BasisKlasse = Number(f[3]);
    b->SetMinAdresse(Number(f[4]));
    b->SetMaxAdresse(Number(f[5]));
    list.Add(std::move(b));
  });
}

void ReadCommandSource(const std::string& fileName, TEAFunktionsContainer& lists) {
  TEAFunctionList* current = nullptr;
  ForEachRecord(fileName, [&](const TFields& f) {
    if (f[0] == "LIST") {
      Need(f, 5);
      current = lists.Add();
      current->ListNumber = Number(f[1]);
      current->ListName = f[2];
      current->ListInternalName = f[3];
      current->Remarks = f[4];
    } else if (f[0] == "CMD") {
      if (!current) throw EReadError("Befehl vor der ersten Liste");
      Need(f, 10);
      TEABaseFunction* c = current->AddFunction();
      c->Command = Number(f[1]);
      c->Dialog = Number(f[2]);
      c->BusParam = Number(f[3]);
      c->InternalName = f[4];
      c->DisplayName = f[5];
      c->GermanFunc = f[6];
      c->OldName = f[7];
      c->FunctionHint = f[8];
      c->ParaText = f[9];
    } else {
      throw EReadError("unbekannter Satz " + f[0]);
    }
  });
}

std::vector<TZYNCharSet> ReadCharSource(const std::string& fileName) {
  std::vector<TZYNCharSet> sets;
  int filled = kCharSetChars;
  ForEachRecord(fileName, [&](const TFields& f) {
    if (f[0] == "SET") {
      Need(f, 2);
      if (filled != kCharSetChars) throw EReadError("der vorige Satz hat keine sieben Zeichen");
      sets.emplace_back();
      sets.back().Name = f[1];
      filled = 0;
    } else if (f[0] == "CHAR") {
      Need(f, 3);
      if (sets.empty() || filled >= kCharSetChars) throw EReadError("Zeichen ausserhalb eines Satzes");
      auto& record = sets.back().Chars[static_cast<size_t>(filled++)];
      record[0] = static_cast<uint8_t>(Number(f[1], 16));
      std::istringstream bytes(f[2]);
      std::string hex;
      int i = 1;
      while (bytes >> hex) {
        if (i > 8) throw EReadError("mehr als acht Musterbytes");
        record[static_cast<size_t>(i++)] = static_cast<uint8_t>(Number(hex, 16));
      }
      if (i != 9) throw EReadError("weniger als acht Musterbytes");
    } else {
      throw EReadError("unbekannter Satz " + f[0]);
    }
  });
  if (filled != kCharSetChars) throw EReadError(fileName + ": der letzte Satz hat keine sieben Zeichen");
  return sets;
}

void BuildSystemData(const std::string& sourceFolder, const std::string& targetFolder) {
  const std::string src = IncludeTrailingPathDelimiter(sourceFolder);
  const std::string dst = IncludeTrailingPathDelimiter(targetFolder);
  ForceDirectories(dst);
  TModulClassList catalogue;
  ReadModuleSource(src + "module.txt", catalogue);
  catalogue.SaveToFile(dst + "MODULE.ZBC");
  TBasisModulListe basis;
  ReadBasisSource(src + "basis.txt", basis);
  basis.SaveToFile(dst + "BASIS.ZBC");
  TEAFunktionsContainer lists;
  ReadCommandSource(src + "eafuncs.txt", lists);
  lists.SaveToFile(dst + "EAFUNCS.XML", true);
  SaveCharSets(dst + "chars.zyb", ReadCharSource(src + "chars.txt"));
  // The three standard dimmer curves, so that a fresh installation starts with them.
  TUniqueNames names;
  TZYNKennlinienListe curves;
  curves.AddDefaultCurves(names);
  curves.SaveToFile(dst + "Kennlinien.xml");
}

}  // namespace zyn::basedata
