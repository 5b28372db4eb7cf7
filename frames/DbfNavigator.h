#pragma once
// The record navigator of the table pages with its data link: the bound edits show the current
// record of a table; the buttons first, prior, next, last, insert, delete, edit, post, cancel
// and refresh move through the records and change them. Dates are shown and typed in the short
// date format ("dd.MM.yyyy"). The page's rules come in through the hooks.

#include "model/db/DbfTable.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace zyn {

enum TNavButton { nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel, nbRefresh, nbCount };
enum class TDataState { Inactive, Browse, Edit, Insert };

class TDbfNavigator : public QWidget {
  Q_OBJECT
 public:
  explicit TDbfNavigator(QWidget* parent = nullptr);

  void Bind(int column, QLineEdit* edit);
  void Bind(int column, QPlainTextEdit* memo);

  // Typing into a bound field starts editing the record (the customer page); off: only the edit
  // and insert buttons do.
  bool AutoEdit = false;

  // The table (open) or nullptr; shows its first record.
  void SetTable(TDbfTable* table);
  TDbfTable* Table() const { return fTable; }
  TDataState State() const { return fState; }
  // The current record; nullptr when the table is empty or inactive (or while inserting).
  const TDbfRecord* Current() const;
  int Position() const { return fPos; }
  int Count() const { return static_cast<int>(fRecords.size()); }
  const std::vector<TDbfRecord>& Records() const { return fRecords; }

  // The values of the bound fields and the hidden columns of the record being edited.
  std::vector<std::string>& Buffer() { return fBuffer; }
  const std::vector<std::string>& Buffer() const { return fBuffer; }
  // Sets a column of the record being edited or inserted and shows it.
  void SetField(int column, const std::string& value);
  std::string Field(int column) const;

  void First();
  void Prior();
  void Next();
  void Last();
  bool MoveToRecNo(long recNo);
  void Insert();
  void Delete();
  void Edit();
  // Writes the record; false when a hook refused it or the write failed (the message was shown).
  bool Post();
  void Cancel();
  void Refresh();
  QToolButton* Button(TNavButton b) const { return fButtons[b]; }
  // The line beside the buttons that says why a key typed into a field was not taken.
  QLabel* Hint() const { return fHint; }

  // Hooks of the page's rules.
  std::function<void()> BeforeInsert;
  std::function<void(std::vector<std::string>& values)> AfterInsert;
  std::function<bool(std::vector<std::string>& values)> BeforePost;  // false: the post is abandoned
  std::function<bool()> BeforeDelete;                                // false: nothing is deleted
  std::function<void(const TDbfRecord& posted)> AfterPost;
  std::function<void()> OnRecordChanged;  // another record is shown, or the state changed

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowHint(const QString& text);
  void Show();
  void ReadFields();
  void UpdateButtons();
  void Reload(long keepRecNo);
  void FieldEdited();
  bool IsDate(int column) const;

  TDbfTable* fTable = nullptr;
  std::vector<TDbfRecord> fRecords;
  int fPos = -1;
  TDataState fState = TDataState::Inactive;
  std::vector<std::string> fBuffer;
  std::vector<std::pair<int, QLineEdit*>> fEdits;
  std::vector<std::pair<int, QPlainTextEdit*>> fMemos;
  QToolButton* fButtons[nbCount] = {};
  QLabel* fHint = nullptr;
  bool fShowing = false;
};

// "YYYYMMDD" as "dd.MM.yyyy" and back; an empty text gives "" and a text that is no date false.
std::string DbfDateToShort(const std::string& dbfDate);
bool ShortToDbfDate(const std::string& text, std::string& dbfDate);
// Today in either form.
std::string TodayDbfDate();

}  // namespace zyn
