#include "frames/core/ProjectTables.h"

#include "model/base/Cp1252.h"
#include "model/base/TextUtils.h"
#include "project/Projekt.h"

#include <algorithm>
#include <filesystem>

namespace zyn {

namespace {
using F = TDbfFieldType;
}

const std::vector<TDbfField>& KundenFields() {
  static const std::vector<TDbfField> fields = {
      {"INDEX", F::Numeric, 11, 0},   {"NUMMER", F::Character, 25, 0},  {"FIRMA", F::Character, 75, 0},
      {"NAME", F::Character, 75, 0},  {"STRASSE", F::Character, 75, 0}, {"PLZ", F::Character, 10, 0},
      {"ORT", F::Character, 75, 0},   {"TELEFON", F::Character, 25, 0}, {"FAX", F::Character, 25, 0},
      {"EMAIL", F::Character, 25, 0}, {"NOTIZEN", F::Memo, 10, 0},      {"HOMEPAGE", F::Character, 100, 0},
      {"KONTAKT1", F::Memo, 10, 0},   {"KONTAKT2", F::Memo, 10, 0},     {"KONTAKT3", F::Memo, 10, 0},
      {"ANLAGEDATU", F::Date, 8, 0},
  };
  return fields;
}

const std::vector<TDbfField>& ProjekteFields() {
  static const std::vector<TDbfField> fields = {
      {"INDEX", F::Numeric, 11, 0},        {"ERSTELLT", F::Date, 8, 0},         {"PROJEKTNUM", F::Character, 25, 0},
      {"PROJEKTNAM", F::Character, 50, 0}, {"KUNDENNUMM", F::Character, 25, 0}, {"AUFTRAGSDA", F::Date, 8, 0},
      {"TERMIN", F::Date, 8, 0},           {"PROJEKTLEI", F::Character, 50, 0}, {"AUSFUEHRUN", F::Character, 50, 0},
      {"NOTIZEN", F::Memo, 10, 0},
  };
  return fields;
}

std::string KundenTableFile(const std::string& databasePath) { return databasePath + "Kunden.dbf"; }
std::string ProjekteTableFile(const std::string& databasePath) { return databasePath + "Projekte.dbf"; }

void EnsureKundenTable(const std::string& fileName, const std::string& seedName) {
  std::error_code ec;
  if (std::filesystem::exists(fileName, ec)) return;
  TDbfTable::Create(fileName, KundenFields());
  TDbfTable table;
  table.Open(fileName);
  std::vector<std::string> seed(kdColumnCount);
  seed[kdNummer] = "0";
  seed[kdName] = seedName;
  seed[kdFirma] = seedName;
  InsertRecord(table, seed);
}

void EnsureProjekteTable(const std::string& fileName) {
  std::error_code ec;
  if (!std::filesystem::exists(fileName, ec)) TDbfTable::Create(fileName, ProjekteFields());
}

namespace {
bool ParseNumber(const std::string& text, long& value) {
  const std::string t = Trim(text);
  if (t.empty() || t.size() > 18) return false;
  size_t i = t[0] == '-' || t[0] == '+' ? 1 : 0;
  if (i == t.size() ||
      !std::all_of(t.begin() + static_cast<long>(i), t.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  value = std::stol(t);
  return true;
}

long HighestOf(const TDbfTable& table, int column) {
  long best = -1;
  for (const TDbfRecord& r : table.ReadAll()) {
    long v = 0;
    if (ParseNumber(r.Values[static_cast<size_t>(column)], v)) best = std::max(best, v);
  }
  return best;
}
}  // namespace

long HighestCustomerNumber(const TDbfTable& kunden) { return HighestOf(kunden, kunden.FieldIndex("NUMMER")); }

long NextRecordIndex(const TDbfTable& table) {
  const int column = table.FieldIndex("INDEX");
  if (column < 0) return 0;
  long best = 0;
  for (const TDbfRecord& r : table.ReadAll(true)) {
    long v = 0;
    if (ParseNumber(r.Values[static_cast<size_t>(column)], v)) best = std::max(best, v);
  }
  return best + 1;
}

long InsertRecord(TDbfTable& table, std::vector<std::string> values) {
  const int column = table.FieldIndex("INDEX");
  if (column >= 0) {
    if (values.size() <= static_cast<size_t>(column)) values.resize(static_cast<size_t>(column) + 1);
    values[static_cast<size_t>(column)] = std::to_string(NextRecordIndex(table));
  }
  return table.Insert(values);
}

std::string ProjectFileStem(const std::string& number) {
  std::string stem;
  for (const char c : number) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 || u == 127 || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) continue;
    stem += c;
  }
  stem = Trim(stem);
  while (!stem.empty() && (stem.back() == '.' || stem.back() == ' ')) stem.pop_back();
  return stem;
}

std::string ProjectFileName(const std::string& projectPath, const std::string& number) {
  const std::string stem = ProjectFileStem(number);
  return stem.empty() ? std::string() : projectPath + stem + ".zpf";
}

bool RecordBelongsTo(const std::string& projektnum, const std::string& projektNummer) {
  const std::string record = AnsiUpperCase(Trim(projektnum));
  const std::string number = AnsiUpperCase(Trim(projektNummer));
  if (record.empty()) return false;
  if (record == number) return true;
  for (const char* ext : {".ZPF", ".ZCF"})
    if (number.size() > 4 && number.compare(number.size() - 4, 4, ext) == 0 &&
        record == number.substr(0, number.size() - 4))
      return true;
  return false;
}

void CopyProjectRecord(const TDbfRecord& project, const TDbfRecord* customer, const std::string& programTitle,
                       TZYNProjekt& projekt) {
  const auto& p = project.Values;
  TProjektDaten& pd = projekt.ProjektDaten;
  pd.ProjektName = p[pdProjektnam];
  pd.Planung = p[pdProjektlei];
  pd.Ausfuehrung = p[pdAusfuehrun];
  pd.Remarks = p[pdNotizen];
  pd.SoftLast = programTitle;
  double days = 0;
  pd.ZielDatum = DbfDateToDays(p[pdTermin], days) ? days : 0;
  TKundenDaten& kd = projekt.KundenDaten;
  kd.KundenNr = p[pdKundennumm];
  if (customer) {
    const auto& k = customer->Values;
    kd.Angelegt = DbfDateToDays(k[kdAnlagedatum], days) ? days : 0;
    kd.FirmenName = k[kdName];
    kd.Zusatz = k[kdNotizen];
    kd.Ansprechpartner = k[kdFirma];
    kd.Strasse = k[kdStrasse];
    kd.PLZ = k[kdPlz];
    kd.Ort = k[kdOrt];
    kd.Telefon = k[kdTelefon];
    kd.Fax = k[kdFax];
    kd.Email = k[kdEmail];
    kd.Homepage = k[kdHomepage];
  }
  projekt.Modified = true;
}

int RenumberProjectRecord(TDbfTable& table, const std::string& oldNumber, const TZYNProjekt& projekt) {
  const TProjektDaten& pd = projekt.ProjektDaten;
  int changed = 0;
  for (const TDbfRecord& r : table.ReadAll()) {
    if (!RecordBelongsTo(r.Values[pdProjektnum], oldNumber)) continue;
    std::vector<std::string> values = r.Values;
    values[pdProjektnum] = pd.ProjektNummer;
    table.Update(r.RecNo, values);
    ++changed;
  }
  if (changed > 0) return changed;
  std::vector<std::string> v(pdColumnCount);
  v[pdErstellt] = DaysToDbfDate(NowDateTime());
  v[pdProjektnum] = pd.ProjektNummer;
  v[pdProjektnam] = pd.ProjektName;
  v[pdKundennumm] = projekt.KundenDaten.KundenNr;
  if (pd.AuftragsDatum > 0) v[pdAuftragsda] = DaysToDbfDate(pd.AuftragsDatum);
  if (pd.ZielDatum > 0) v[pdTermin] = DaysToDbfDate(pd.ZielDatum);
  v[pdProjektlei] = pd.Planung;
  v[pdAusfuehrun] = pd.Ausfuehrung;
  v[pdNotizen] = pd.Remarks;
  InsertRecord(table, v);
  return 1;
}

}  // namespace zyn
