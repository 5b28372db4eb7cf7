#pragma once
// The customer table "Kunden.dbf" and the project table "Projekte.dbf" of the database folder:
// their columns, the seed record, the customer numbering, and the copy of a project record into
// the open project.

#include "model/db/DbfTable.h"

#include <string>
#include <vector>

namespace zyn {

class TZYNProjekt;

// Columns of the customer table, in file order.
enum TKundenColumn {
  kdIndex,
  kdNummer,
  kdFirma,
  kdName,
  kdStrasse,
  kdPlz,
  kdOrt,
  kdTelefon,
  kdFax,
  kdEmail,
  kdNotizen,
  kdHomepage,
  kdKontakt1,
  kdKontakt2,
  kdKontakt3,
  kdAnlagedatum,
  kdColumnCount
};
// Columns of the project table, in file order.
enum TProjektColumn {
  pdIndex,
  pdErstellt,
  pdProjektnum,
  pdProjektnam,
  pdKundennumm,
  pdAuftragsda,
  pdTermin,
  pdProjektlei,
  pdAusfuehrun,
  pdNotizen,
  pdColumnCount
};

const std::vector<TDbfField>& KundenFields();
const std::vector<TDbfField>& ProjekteFields();

// "Kunden.dbf" and "Projekte.dbf" in the folder (with its trailing "/").
std::string KundenTableFile(const std::string& databasePath);
std::string ProjekteTableFile(const std::string& databasePath);

// Creates a missing customer table with its seed record (NUMMER "0", NAME and FIRMA the given
// text); a missing project table is created empty. Existing tables are left alone.
void EnsureKundenTable(const std::string& fileName, const std::string& seedName);
void EnsureProjekteTable(const std::string& fileName);

// The highest customer number of the records that are not deleted; -1 for none. A NUMMER that is
// no decimal integer is skipped.
long HighestCustomerNumber(const TDbfTable& kunden);
// The key column INDEX of a new record: one above the highest one of the table.
long NextRecordIndex(const TDbfTable& table);
// Appends the record with its INDEX filled in; the record number.
long InsertRecord(TDbfTable& table, std::vector<std::string> values);

// The file name a project number gives: characters that no file name may hold (/ \ : * ? " < >
// | and control characters) removed, surrounding blanks and trailing dots dropped, then ".zpf"
// appended. "" when nothing is left.
std::string ProjectFileStem(const std::string& number);
std::string ProjectFileName(const std::string& projectPath, const std::string& number);

// True when the record's PROJEKTNUM names the project: equal to its ProjektNummer without
// regard to case, or to that number without a project file extension.
bool RecordBelongsTo(const std::string& projektnum, const std::string& projektNummer);

// The project was saved under a new number: every record of the old number gets the new one; when
// the table holds none, a record for the project is appended from its project data. The number
// of records changed or added.
int RenumberProjectRecord(TDbfTable& table, const std::string& oldNumber, const TZYNProjekt& projekt);

// Copies a posted project record and the chosen customer record (nullptr: none) into the project
// and marks it modified. An empty or invalid TERMIN gives no target date.
void CopyProjectRecord(const TDbfRecord& project, const TDbfRecord* customer, const std::string& programTitle,
                       TZYNProjekt& projekt);

}  // namespace zyn
