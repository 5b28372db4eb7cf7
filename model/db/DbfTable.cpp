#include "model/db/DbfTable.h"

#include "model/base/Cp1252.h"
#include "model/base/TextUtils.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <xbase64/xbase64.h>

namespace zyn {

namespace {

std::string TrimRight(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
  return s;
}

std::string TrimLeft(std::string s) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  return s.substr(i);
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool SameText(const std::string& a, const std::string& b, bool ignoreCase) {
  if (!ignoreCase) return a == b;
  return AnsiUpperCase(a) == AnsiUpperCase(b);
}

std::string Quoted(const std::string& fileName) { return Ansi("\"") + Utf8ToAnsi(fileName) + Ansi("\""); }

std::string CodeText(int code) {
  switch (code) {
    case XB_OPEN_ERROR:
      return Ansi("die Datei lässt sich nicht öffnen");
    case XB_FILE_EXISTS:
      return Ansi("die Datei besteht schon");
    case XB_WRITE_ERROR:
      return Ansi("die Datei lässt sich nicht schreiben");
    case XB_READ_ERROR:
      return Ansi("die Datei lässt sich nicht lesen");
    case XB_NOT_XBASE:
      return Ansi("die Datei ist keine dBase-Tabelle");
    case XB_INVALID_RECORD:
      return Ansi("der Datensatz existiert nicht");
    case XB_LOCK_FAILED:
      return Ansi("die Datei ist gesperrt");
    case XB_NO_MEMORY:
      return Ansi("zu wenig Speicher");
    default:
      return Ansi("Fehler ") + std::to_string(code);
  }
}

constexpr int kLockOption = F_SETLKW;

// The field descriptors as the dBase header stores them: 32 bytes each from offset 32, with the
// width at byte 16 and the decimals at byte 17 of each.
void WriteFieldSizes(const std::string& fileName, const std::vector<xbSchema>& schema) {
  FILE* f = std::fopen(fileName.c_str(), "r+b");
  if (!f) throw EDbfError(Ansi("Die Tabelle ") + Quoted(fileName) + Ansi(" konnte nicht geschrieben werden."));
  bool ok = true;
  for (size_t i = 0; i + 1 < schema.size(); ++i) {
    const unsigned char sizes[2] = {schema[i].FieldLen, schema[i].NoOfDecs};
    ok = ok && std::fseek(f, static_cast<long>(32 + 32 * i + 16), SEEK_SET) == 0 && std::fwrite(sizes, 1, 2, f) == 2;
  }
  ok = std::fclose(f) == 0 && ok;
  if (!ok) throw EDbfError(Ansi("Die Tabelle ") + Quoted(fileName) + Ansi(" konnte nicht geschrieben werden."));
}

}  // namespace
}  // namespace zyn

// xbase64 3.1 reads the 32-bit numbers of its files (record counts, memo block numbers, index
// nodes) into 64-bit longs through these two members and leaves the upper half undefined on
// 64-bit systems, which sends appends and memo updates to random file offsets. Our definitions
// take precedence over the library's, so the library reads its numbers correctly.
xbULong xbXBase::GetULong(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<xbULong>(static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                              (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24));
}

xbLong xbXBase::GetLong(const char* p) { return static_cast<int32_t>(GetULong(p)); }

namespace zyn {

struct TDbfTable::TImpl {
  xbXBase Base;
  xbDbf Dbf{&Base};
  std::unique_ptr<xbNdx> Index;
  int IndexField = -1;
  bool Open = false;
};

TDbfTable::TDbfTable() : fImpl(std::make_unique<TImpl>()) {}

TDbfTable::~TDbfTable() {
  try {
    Close();
  } catch (...) {
    // Closing on destruction never throws.
  }
}

void TDbfTable::Create(const std::string& fileName, const std::vector<TDbfField>& fields, bool overwrite) {
  std::error_code ec;
  if (!overwrite && std::filesystem::exists(fileName, ec))
    throw EDbfError(Ansi("Die Tabelle ") + Quoted(fileName) + Ansi(" besteht schon."));
  std::vector<xbSchema> schema(fields.size() + 1);
  for (size_t i = 0; i < fields.size(); ++i) {
    const TDbfField& f = fields[i];
    if (f.Name.empty() || f.Name.size() > 10)
      throw EDbfError(Ansi("Ungültiger Spaltenname \"") + f.Name + Ansi("\" für die Tabelle ") + Quoted(fileName));
    std::snprintf(schema[i].FieldName, sizeof schema[i].FieldName, "%s", Upper(f.Name).c_str());
    schema[i].Type = static_cast<char>(f.Type);
    int width = f.Width;
    if (f.Type == TDbfFieldType::Date) width = 8;
    if (f.Type == TDbfFieldType::Memo) width = 10;
    if (f.Type == TDbfFieldType::Logical) width = 1;
    schema[i].FieldLen = static_cast<unsigned char>(std::clamp(width, 1, 254));
    schema[i].NoOfDecs = static_cast<unsigned char>(f.Decimals);
  }
  schema.back() = xbSchema{};
  xbXBase base;
  xbDbf dbf(&base);
  dbf.SetVersion(4);
  const int code = dbf.CreateDatabase(fileName.c_str(), schema.data(), XB_OVERLAY);
  if (code != XB_NO_ERROR)
    throw EDbfError(Ansi("Die Tabelle ") + Quoted(fileName) + Ansi(" konnte nicht angelegt werden: ") + CodeText(code));
  dbf.CloseDatabase();
  // xbase64 3.1 leaves the widths out of the field descriptors it writes; other readers need them.
  WriteFieldSizes(fileName, schema);
}

void TDbfTable::Open(const std::string& fileName) {
  Close();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(fileName, ec))
    throw EDbfError(Ansi("Die Tabelle ") + Quoted(fileName) + Ansi(" wurde nicht gefunden."));
  fImpl = std::make_unique<TImpl>();
  const int code = fImpl->Dbf.OpenDatabase(fileName.c_str());
  if (code != XB_NO_ERROR)
    throw EDbfError(Ansi("Die Tabelle ") + Quoted(fileName) + Ansi(" konnte nicht geöffnet werden: ") + CodeText(code));
  fImpl->Open = true;
  fFileName = fileName;
  fFields.clear();
  for (int i = 0; i < fImpl->Dbf.FieldCount(); ++i) {
    TDbfField f;
    f.Name = fImpl->Dbf.GetFieldName(static_cast<xbShort>(i));
    f.Type = static_cast<TDbfFieldType>(fImpl->Dbf.GetFieldType(static_cast<xbShort>(i)));
    f.Width = fImpl->Dbf.GetFieldLen(static_cast<xbShort>(i));
    f.Decimals = fImpl->Dbf.GetFieldDecimal(static_cast<xbShort>(i));
    fFields.push_back(f);
  }
}

void TDbfTable::OpenOrCreate(const std::string& fileName, const std::vector<TDbfField>& fields) {
  std::error_code ec;
  if (!std::filesystem::exists(fileName, ec)) Create(fileName, fields);
  Open(fileName);
}

void TDbfTable::Close() {
  if (!fImpl || !fImpl->Open) return;
  if (fImpl->Index) {
    fImpl->Index->CloseIndex();
    fImpl->Index.reset();
  }
  fImpl->Dbf.CloseDatabase();
  fImpl->Open = false;
  fFields.clear();
}

bool TDbfTable::IsOpen() const { return fImpl && fImpl->Open; }

void TDbfTable::Require() const {
  if (!IsOpen()) throw EDbfError(Ansi("Die Tabelle ist nicht geöffnet."));
}

void TDbfTable::Check(int code, const char* what) const {
  if (code != XB_NO_ERROR)
    throw EDbfError(Ansi("Die Tabelle ") + Quoted(fFileName) + Ansi(" konnte nicht ") + Ansi(what) + Ansi(": ") +
                    CodeText(code));
}

int TDbfTable::FieldIndex(const std::string& name) const {
  for (size_t i = 0; i < fFields.size(); ++i)
    if (Upper(fFields[i].Name) == Upper(name)) return static_cast<int>(i);
  return -1;
}

long TDbfTable::RecordCount() const {
  Require();
  return fImpl->Dbf.PhysicalNoOfRecords();
}

void TDbfTable::Load(long recNo) const {
  Require();
  if (recNo < 1 || recNo > RecordCount())
    throw EDbfError(Ansi("Die Tabelle ") + Quoted(fFileName) + Ansi(" hat keinen Datensatz ") + std::to_string(recNo) +
                    Ansi("."));
  Check(fImpl->Dbf.GetRecord(static_cast<xbULong>(recNo)), "gelesen werden");
}

TDbfRecord TDbfTable::Read(long recNo) const {
  Load(recNo);
  xbDbf& dbf = fImpl->Dbf;
  TDbfRecord r;
  r.RecNo = recNo;
  r.Deleted = dbf.RecordDeleted() != 0;
  for (size_t i = 0; i < fFields.size(); ++i) {
    const auto no = static_cast<xbShort>(i);
    if (fFields[i].Type == TDbfFieldType::Memo) {
      const long len = dbf.GetMemoFieldLen(no);
      std::string text;
      if (len > 0) {
        text.resize(static_cast<size_t>(len));
        Check(dbf.GetMemoField(no, len, text.data(), kLockOption), "gelesen werden");
        // dBase IV ends a memo with 0x1A characters in some writers; they are no text.
        while (!text.empty() && (text.back() == '\x1A' || text.back() == '\0')) text.pop_back();
      }
      r.Values.push_back(text);
    } else {
      std::string raw(static_cast<size_t>(fFields[i].Width) + 1, '\0');
      dbf.GetRawField(no, raw.data());
      raw.resize(static_cast<size_t>(fFields[i].Width));
      std::string v = TrimRight(raw);
      if (fFields[i].Type == TDbfFieldType::Numeric) v = TrimLeft(v);
      r.Values.push_back(v);
    }
  }
  return r;
}

std::vector<TDbfRecord> TDbfTable::ReadAll(bool withDeleted) const {
  std::vector<TDbfRecord> all;
  const long n = RecordCount();
  for (long i = 1; i <= n; ++i) {
    TDbfRecord r = Read(i);
    if (withDeleted || !r.Deleted) all.push_back(std::move(r));
  }
  return all;
}

std::string TDbfTable::Value(long recNo, const std::string& field) const {
  const int i = FieldIndex(field);
  if (i < 0) throw EDbfError(Ansi("Die Tabelle ") + Quoted(fFileName) + Ansi(" hat keine Spalte ") + field + Ansi("."));
  return Read(recNo).Values[static_cast<size_t>(i)];
}

void TDbfTable::Store(const std::vector<std::string>& values) {
  xbDbf& dbf = fImpl->Dbf;
  for (size_t i = 0; i < fFields.size(); ++i) {
    const auto no = static_cast<xbShort>(i);
    const std::string v = i < values.size() ? values[i] : std::string();
    const TDbfField& f = fFields[i];
    switch (f.Type) {
      case TDbfFieldType::Memo:
        if (v.empty()) {
          if (dbf.MemoFieldExists(no)) Check(dbf.UpdateMemoData(no, 0, nullptr, kLockOption), "geschrieben werden");
        } else {
          Check(dbf.UpdateMemoData(no, static_cast<xbLong>(v.size()), v.c_str(), kLockOption), "geschrieben werden");
        }
        break;
      case TDbfFieldType::Date: {
        double days = 0;
        const std::string text = v.empty() || !DbfDateToDays(v, days) ? std::string(8, ' ') : v;
        dbf.PutRawField(no, text.c_str());
        break;
      }
      case TDbfFieldType::Numeric:
        if (!v.empty() && !dbf.ValidNumericData(v.c_str()))
          throw EDbfError(Ansi("\"") + v + Ansi("\" ist keine Zahl für die Spalte ") + f.Name + Ansi(" der Tabelle ") +
                          Quoted(fFileName) + Ansi("."));
        dbf.PutField(no, v.c_str());
        break;
      default:
        // A longer text is cut to the column's width; the table cannot hold more.
        dbf.PutField(no, v.substr(0, static_cast<size_t>(f.Width)).c_str());
        break;
    }
  }
}

long TDbfTable::Insert(const std::vector<std::string>& values) {
  Require();
  xbDbf& dbf = fImpl->Dbf;
  dbf.BlankRecord();
  Store(values);
  Check(dbf.AppendRecord(), "geschrieben werden");
  return dbf.GetCurRecNo();
}

void TDbfTable::Update(long recNo, const std::vector<std::string>& values) {
  Load(recNo);
  Store(values);
  Check(fImpl->Dbf.PutRecord(static_cast<xbULong>(recNo)), "geschrieben werden");
}

void TDbfTable::Delete(long recNo) {
  Load(recNo);
  Check(fImpl->Dbf.DeleteRecord(), "geschrieben werden");
}

void TDbfTable::Pack() {
  Require();
  Check(fImpl->Dbf.PackDatabase(kLockOption), "gepackt werden");
}

void TDbfTable::CreateIndex(const std::string& indexFile, const std::string& field) {
  Require();
  const int f = FieldIndex(field);
  if (f < 0 || fFields[static_cast<size_t>(f)].Type != TDbfFieldType::Character)
    throw EDbfError(Ansi("Die Tabelle ") + Quoted(fFileName) + Ansi(" hat keine Textspalte ") + field + Ansi("."));
  if (fImpl->Index) {
    fImpl->Index->CloseIndex();
    fImpl->Index.reset();
  }
  auto index = std::make_unique<xbNdx>(&fImpl->Dbf);
  const std::string expression = fFields[static_cast<size_t>(f)].Name;
  int code = index->CreateIndex(indexFile.c_str(), expression.c_str(), XB_NOT_UNIQUE, XB_OVERLAY);
  if (code == XB_NO_ERROR) code = index->ReIndex();
  if (code != XB_NO_ERROR)
    throw EDbfError(Ansi("Der Index ") + Quoted(indexFile) + Ansi(" konnte nicht angelegt werden: ") + CodeText(code));
  fImpl->Index = std::move(index);
  fImpl->IndexField = f;
}

void TDbfTable::OpenIndex(const std::string& indexFile, const std::string& field) {
  Require();
  std::error_code ec;
  if (std::filesystem::exists(indexFile, ec)) {
    auto index = std::make_unique<xbNdx>(&fImpl->Dbf);
    if (index->OpenIndex(indexFile.c_str()) == XB_NO_ERROR && index->ReIndex() == XB_NO_ERROR) {
      fImpl->Index = std::move(index);
      fImpl->IndexField = FieldIndex(field);
      return;
    }
  }
  CreateIndex(indexFile, field);
}

long TDbfTable::FindKey(const std::string& key) const {
  Require();
  if (!fImpl->Index) return 0;
  const int width = fFields[static_cast<size_t>(fImpl->IndexField)].Width;
  std::string padded = key.substr(0, static_cast<size_t>(width));
  padded.resize(static_cast<size_t>(width), ' ');
  if (fImpl->Index->FindKey(padded.c_str()) != XB_FOUND) return 0;
  const long recNo = fImpl->Dbf.GetCurRecNo();
  return recNo > 0 && TrimRight(Read(recNo).Values[static_cast<size_t>(fImpl->IndexField)]) == TrimRight(key) ? recNo
                                                                                                              : 0;
}

long TDbfTable::Locate(const std::string& field, const std::string& text, bool ignoreCase) const {
  const int f = FieldIndex(field);
  if (f < 0) return 0;
  if (!ignoreCase && f == fImpl->IndexField) {
    const long found = FindKey(text);
    if (found > 0 && !Read(found).Deleted) return found;
  }
  const long n = RecordCount();
  for (long i = 1; i <= n; ++i) {
    const TDbfRecord r = Read(i);
    if (!r.Deleted && SameText(r.Values[static_cast<size_t>(f)], text, ignoreCase)) return i;
  }
  return 0;
}

// ------------------------------------------------------------------------------------------------
// Dates

namespace {
// Days from 1 March of year 0 (proleptic Gregorian) for the civil date.
long DaysFromCivil(long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long>(doe) - 719468;
}
const long kEpoch = DaysFromCivil(1899, 12, 30);
}  // namespace

bool DbfDateToDays(const std::string& text, double& days) {
  const std::string t = TrimRight(text);
  if (t.size() != 8 || !std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
  const long y = std::stol(t.substr(0, 4));
  const unsigned m = static_cast<unsigned>(std::stoi(t.substr(4, 2)));
  const unsigned d = static_cast<unsigned>(std::stoi(t.substr(6, 2)));
  static const unsigned kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m < 1 || m > 12 || d < 1 || d > kDays[m - 1]) return false;
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  if (m == 2 && d == 29 && !leap) return false;
  days = static_cast<double>(DaysFromCivil(y, m, d) - kEpoch);
  return true;
}

std::string DaysToDbfDate(double days) {
  long z = static_cast<long>(std::floor(days)) + kEpoch + 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  long y = static_cast<long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  y += m <= 2;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04ld%02u%02u", y, m, d);
  return buf;
}

}  // namespace zyn
