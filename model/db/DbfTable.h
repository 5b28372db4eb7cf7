#pragma once
// A dBase IV table with its memo file, read and written through xbase64. The table is opened by
// path; records are read and written as whole rows of texts (Windows-1252 model text), one text per
// column: character columns without their trailing blanks, dates as "YYYYMMDD" ("" for none),
// numbers as their decimal text, memos as their full text. Record numbers count from 1 in file
// order; a deleted record keeps its number until the table is packed.
//
// Every failure raises EDbfError with a German message that names the file.

#include "model/base/Errors.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zyn {

class EDbfError : public EZYNError {
 public:
  using EZYNError::EZYNError;
};

enum class TDbfFieldType : char { Character = 'C', Numeric = 'N', Date = 'D', Memo = 'M', Logical = 'L' };

struct TDbfField {
  std::string Name;  // at most 10 characters, upper case
  TDbfFieldType Type = TDbfFieldType::Character;
  int Width = 0;  // characters; dates 8, memos 10 (the block reference)
  int Decimals = 0;
};

struct TDbfRecord {
  long RecNo = 0;
  bool Deleted = false;
  std::vector<std::string> Values;  // one per column, in column order
};

class TDbfTable {
 public:
  TDbfTable();
  ~TDbfTable();
  TDbfTable(const TDbfTable&) = delete;
  TDbfTable& operator=(const TDbfTable&) = delete;

  // Creates an empty dBase IV table (and its ".dbt" memo file when a memo column exists). An
  // existing table is replaced only with overwrite set; otherwise EDbfError.
  static void Create(const std::string& fileName, const std::vector<TDbfField>& fields, bool overwrite = false);

  // Opens the table; EDbfError when it is missing or no dBase table.
  void Open(const std::string& fileName);
  // Opens the table, creating it empty first when the file does not exist.
  void OpenOrCreate(const std::string& fileName, const std::vector<TDbfField>& fields);
  void Close();
  bool IsOpen() const;
  const std::string& FileName() const { return fFileName; }

  const std::vector<TDbfField>& Fields() const { return fFields; }
  // The column's index (name compared without regard to case); -1 when there is none.
  int FieldIndex(const std::string& name) const;
  // Number of records in the file, deleted ones included.
  long RecordCount() const;

  TDbfRecord Read(long recNo) const;
  // Every record in file order; deleted ones only with withDeleted.
  std::vector<TDbfRecord> ReadAll(bool withDeleted = false) const;
  // The text of one column of the record.
  std::string Value(long recNo, const std::string& field) const;

  // Appends a record; missing trailing values are empty. Returns its record number.
  long Insert(const std::vector<std::string>& values);
  // Replaces every column of the record.
  void Update(long recNo, const std::vector<std::string>& values);
  // Marks the record deleted (it stays in the file until Pack).
  void Delete(long recNo);
  // Removes the deleted records from the file and their memo texts from the memo file.
  void Pack();

  // An NDX index over one character column, kept up to date by Insert, Update and Delete while the
  // table is open. The file is built from the table's records (replacing an older one).
  void CreateIndex(const std::string& indexFile, const std::string& field);
  // Opens an index made by CreateIndex, rebuilding it when it is missing or unreadable.
  void OpenIndex(const std::string& indexFile, const std::string& field);
  // The record whose indexed column equals the key (trailing blanks ignored); 0 when none or no
  // index is open.
  long FindKey(const std::string& key) const;

  // Locates the first record that is not deleted and whose column equals the text; with
  // ignoreCase letters are compared without regard to case. 0 when none.
  long Locate(const std::string& field, const std::string& text, bool ignoreCase) const;

 private:
  struct TImpl;
  void Require() const;
  void Check(int code, const char* what) const;
  void Store(const std::vector<std::string>& values);
  void Load(long recNo) const;

  std::unique_ptr<TImpl> fImpl;
  std::string fFileName;
  std::vector<TDbfField> fFields;
};

// Dates of the tables: "YYYYMMDD" from and to a day count since 30 December 1899 (the whole days
// of a date-time value). An empty or invalid text gives false.
bool DbfDateToDays(const std::string& text, double& days);
std::string DaysToDbfDate(double days);

}  // namespace zyn
