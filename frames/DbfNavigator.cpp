#include "frames/DbfNavigator.h"

#include "frames/PageText.h"
#include "frames/core/ProjectTables.h"
#include "model/base/Cp1252.h"
#include "platform/QtText.h"
#include "shell/Translation.h"

#include <QApplication>
#include <QDate>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QToolButton>

namespace zyn {

std::string DbfDateToShort(const std::string& dbfDate) {
  const QDate d = QDate::fromString(QString::fromStdString(dbfDate), QStringLiteral("yyyyMMdd"));
  return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")).toStdString() : std::string();
}

bool ShortToDbfDate(const std::string& text, std::string& dbfDate) {
  const QString t = QString::fromStdString(text).trimmed();
  if (t.isEmpty()) {
    dbfDate.clear();
    return true;
  }
  for (const char* format : {"dd.MM.yyyy", "d.M.yyyy", "dd.MM.yy", "d.M.yy"}) {
    QDate d = QDate::fromString(t, QString::fromLatin1(format));
    if (!d.isValid()) continue;
    if (QString::fromLatin1(format).endsWith(QStringLiteral(".yy"))) d = d.addYears(100);  // two digits: 20xx
    dbfDate = d.toString(QStringLiteral("yyyyMMdd")).toStdString();
    return true;
  }
  return false;
}

std::string TodayDbfDate() { return QDate::currentDate().toString(QStringLiteral("yyyyMMdd")).toStdString(); }

TDbfNavigator::TDbfNavigator(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("DBNavigator1"));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(1);
  struct TDef {
    const char* Name;
    QStyle::StandardPixmap Icon;
    const char* Hint;
  };
  static const TDef kDefs[nbCount] = {
      {"First", QStyle::SP_MediaSkipBackward, "Erster Datensatz"},
      {"Prior", QStyle::SP_MediaSeekBackward, "Vorheriger Datensatz"},
      {"Next", QStyle::SP_MediaSeekForward, "Nächster Datensatz"},
      {"Last", QStyle::SP_MediaSkipForward, "Letzter Datensatz"},
      {"Insert", QStyle::SP_FileDialogNewFolder, "Datensatz einfügen"},
      {"Delete", QStyle::SP_TrashIcon, "Datensatz löschen"},
      {"Edit", QStyle::SP_FileDialogDetailedView, "Datensatz bearbeiten"},
      {"Post", QStyle::SP_DialogApplyButton, "Daten übernehmen"},
      {"Cancel", QStyle::SP_DialogCancelButton, "Bearbeitung abbrechen"},
      {"Refresh", QStyle::SP_BrowserReload, "Daten aktualisieren"},
  };
  for (int i = 0; i < nbCount; ++i) {
    auto* b = new QToolButton(this);
    b->setObjectName(QStringLiteral("Nav") + QString::fromLatin1(kDefs[i].Name));
    b->setIcon(style()->standardIcon(kDefs[i].Icon));
    b->setToolTip(PageText(kDefs[i].Hint));
    b->setAutoRaise(true);
    row->addWidget(b);
    fButtons[i] = b;
  }
  fHint = new QLabel(this);
  fHint->setObjectName(QStringLiteral("NavHint"));
  fHint->setWordWrap(true);
  row->addSpacing(8);
  row->addWidget(fHint, 1);
  connect(fButtons[nbFirst], &QToolButton::clicked, this, [this] { First(); });
  connect(fButtons[nbPrior], &QToolButton::clicked, this, [this] { Prior(); });
  connect(fButtons[nbNext], &QToolButton::clicked, this, [this] { Next(); });
  connect(fButtons[nbLast], &QToolButton::clicked, this, [this] { Last(); });
  connect(fButtons[nbInsert], &QToolButton::clicked, this, [this] { Insert(); });
  connect(fButtons[nbDelete], &QToolButton::clicked, this, [this] { Delete(); });
  connect(fButtons[nbEdit], &QToolButton::clicked, this, [this] { Edit(); });
  connect(fButtons[nbPost], &QToolButton::clicked, this, [this] { Post(); });
  connect(fButtons[nbCancel], &QToolButton::clicked, this, [this] { Cancel(); });
  connect(fButtons[nbRefresh], &QToolButton::clicked, this, [this] { Refresh(); });
  UpdateButtons();
}

void TDbfNavigator::Bind(int column, QLineEdit* edit) {
  fEdits.emplace_back(column, edit);
  edit->installEventFilter(this);
  connect(edit, &QLineEdit::textEdited, this, [this] { FieldEdited(); });
}

void TDbfNavigator::Bind(int column, QPlainTextEdit* memo) {
  fMemos.emplace_back(column, memo);
  memo->installEventFilter(this);
  connect(memo, &QPlainTextEdit::textChanged, this, [this] { FieldEdited(); });
}

bool TDbfNavigator::IsDate(int column) const {
  return fTable && column >= 0 && column < static_cast<int>(fTable->Fields().size()) &&
         fTable->Fields()[static_cast<size_t>(column)].Type == TDbfFieldType::Date;
}

void TDbfNavigator::SetTable(TDbfTable* table) {
  fTable = table;
  fState = table ? TDataState::Browse : TDataState::Inactive;
  Reload(0);
}

void TDbfNavigator::Reload(long keepRecNo) {
  fRecords.clear();
  fPos = -1;
  if (fTable && fTable->IsOpen()) {
    fRecords = fTable->ReadAll();
    fPos = fRecords.empty() ? -1 : 0;
    for (size_t i = 0; i < fRecords.size(); ++i)
      if (fRecords[i].RecNo == keepRecNo) fPos = static_cast<int>(i);
  }
  Show();
}

const TDbfRecord* TDbfNavigator::Current() const {
  if (fState == TDataState::Insert || fPos < 0 || fPos >= Count()) return nullptr;
  return &fRecords[static_cast<size_t>(fPos)];
}

void TDbfNavigator::Show() {
  if (fState != TDataState::Insert) {
    const TDbfRecord* r = Current();
    fBuffer = r ? r->Values : std::vector<std::string>(fTable ? fTable->Fields().size() : 0);
  }
  fShowing = true;
  for (auto& [column, edit] : fEdits) {
    const std::string v = Field(column);
    edit->setText(ToQString(IsDate(column) ? DbfDateToShort(v) : v));
    edit->setCursorPosition(0);
  }
  for (auto& [column, memo] : fMemos) memo->setPlainText(ToQString(Field(column)));
  fShowing = false;
  UpdateButtons();
  if (OnRecordChanged) OnRecordChanged();
}

std::string TDbfNavigator::Field(int column) const {
  return column >= 0 && column < static_cast<int>(fBuffer.size()) ? fBuffer[static_cast<size_t>(column)]
                                                                  : std::string();
}

void TDbfNavigator::SetField(int column, const std::string& value) {
  if (column < 0) return;
  if (column >= static_cast<int>(fBuffer.size())) fBuffer.resize(static_cast<size_t>(column) + 1);
  fBuffer[static_cast<size_t>(column)] = value;
  fShowing = true;
  for (auto& [c, edit] : fEdits)
    if (c == column) edit->setText(ToQString(IsDate(column) ? DbfDateToShort(value) : value));
  for (auto& [c, memo] : fMemos)
    if (c == column) memo->setPlainText(ToQString(value));
  fShowing = false;
}

void TDbfNavigator::UpdateButtons() {
  fHint->clear();
  const bool active = fTable != nullptr && fState != TDataState::Inactive;
  const bool browsing = active && fState == TDataState::Browse;
  const bool editing = fState == TDataState::Edit || fState == TDataState::Insert;
  fButtons[nbFirst]->setEnabled(browsing && fPos > 0);
  fButtons[nbPrior]->setEnabled(browsing && fPos > 0);
  fButtons[nbNext]->setEnabled(browsing && fPos + 1 < Count());
  fButtons[nbLast]->setEnabled(browsing && fPos + 1 < Count());
  fButtons[nbInsert]->setEnabled(browsing);
  fButtons[nbDelete]->setEnabled(browsing && Current());
  fButtons[nbEdit]->setEnabled(browsing && Current());
  fButtons[nbPost]->setEnabled(editing);
  fButtons[nbCancel]->setEnabled(editing);
  fButtons[nbRefresh]->setEnabled(browsing);
  const bool writable = editing || (browsing && AutoEdit && Current());
  for (auto& [c, edit] : fEdits) edit->setReadOnly(!writable || edit->property("zynReadOnly").toBool());
  for (auto& [c, memo] : fMemos) memo->setReadOnly(!writable || memo->property("zynReadOnly").toBool());
}

bool TDbfNavigator::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  const bool typing = !key->text().isEmpty() && key->text().at(0).isPrint();
  const bool erasing = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete;
  if (!typing && !erasing) return QWidget::eventFilter(watched, event);
  const QVariant readOnly = watched->property("readOnly");
  if (!readOnly.toBool()) return QWidget::eventFilter(watched, event);
  // A key the field does not take is not lost without a word: the hint says how to change it.
  if (watched->property("zynReadOnly").toBool())
    ShowHint(PageText("Dieses Feld wird vom Programm vergeben und kann nicht geändert werden."));
  else if (!fTable || fState == TDataState::Inactive)
    ShowHint(PageText("Die Tabelle ist nicht geöffnet; es kann nichts eingegeben werden."));
  else
    ShowHint(
        PageText("Zum Eingeben erst \"Datensatz einfügen\" (neuer Datensatz) oder \"Datensatz bearbeiten\" "
                 "wählen."));
  QApplication::beep();
  return true;
}

void TDbfNavigator::ShowHint(const QString& text) { fHint->setText(text); }

void TDbfNavigator::FieldEdited() {
  if (fShowing || !fTable) return;
  if (fState == TDataState::Browse && AutoEdit && Current()) {
    fState = TDataState::Edit;
    UpdateButtons();
  }
}

void TDbfNavigator::ReadFields() {
  for (auto& [column, edit] : fEdits) {
    if (edit->property("zynReadOnly").toBool()) continue;
    if (column >= static_cast<int>(fBuffer.size())) fBuffer.resize(static_cast<size_t>(column) + 1);
    const std::string text = FromQString(edit->text());
    if (IsDate(column)) {
      std::string date;
      if (ShortToDbfDate(text, date))
        fBuffer[static_cast<size_t>(column)] = date;
      else
        throw EDbfError(
            FromQString(PageText("%s ist kein gültiges Datum!").replace(QStringLiteral("%s"), edit->text())));
    } else {
      fBuffer[static_cast<size_t>(column)] = text;
    }
  }
  for (auto& [column, memo] : fMemos) {
    if (memo->property("zynReadOnly").toBool()) continue;
    if (column >= static_cast<int>(fBuffer.size())) fBuffer.resize(static_cast<size_t>(column) + 1);
    fBuffer[static_cast<size_t>(column)] = FromQString(memo->toPlainText());
  }
}

void TDbfNavigator::First() {
  if (fState != TDataState::Browse || fRecords.empty()) return;
  fPos = 0;
  Show();
}
void TDbfNavigator::Prior() {
  if (fState != TDataState::Browse || fPos <= 0) return;
  --fPos;
  Show();
}
void TDbfNavigator::Next() {
  if (fState != TDataState::Browse || fPos + 1 >= Count()) return;
  ++fPos;
  Show();
}
void TDbfNavigator::Last() {
  if (fState != TDataState::Browse || fRecords.empty()) return;
  fPos = Count() - 1;
  Show();
}

bool TDbfNavigator::MoveToRecNo(long recNo) {
  if (fState != TDataState::Browse) return false;
  for (size_t i = 0; i < fRecords.size(); ++i)
    if (fRecords[i].RecNo == recNo) {
      fPos = static_cast<int>(i);
      Show();
      return true;
    }
  return false;
}

void TDbfNavigator::Insert() {
  if (fState == TDataState::Inactive || !fTable) return;
  if (fState != TDataState::Browse) Cancel();
  try {
    if (BeforeInsert) BeforeInsert();
    std::vector<std::string> values(fTable->Fields().size());
    if (AfterInsert) AfterInsert(values);
    fState = TDataState::Insert;
    fBuffer = values;
    Show();
  } catch (const std::exception& e) {
    TranslatedMessageDlg(e.what(), mtError, mbOK);
  }
}

void TDbfNavigator::Edit() {
  if (fState != TDataState::Browse || !Current()) return;
  fState = TDataState::Edit;
  UpdateButtons();
}

void TDbfNavigator::Delete() {
  const TDbfRecord* r = Current();
  if (fState != TDataState::Browse || !r) return;
  if (BeforeDelete && !BeforeDelete()) return;
  try {
    const int pos = fPos;
    fTable->Delete(r->RecNo);
    Reload(0);
    if (!fRecords.empty()) {
      fPos = std::min(pos, Count() - 1);
      Show();
    }
  } catch (const std::exception& e) {
    TranslatedMessageDlg(e.what(), mtError, mbOK);
  }
}

bool TDbfNavigator::Post() {
  if (fState != TDataState::Edit && fState != TDataState::Insert) return false;
  try {
    ReadFields();
    std::vector<std::string> values = fBuffer;
    if (BeforePost && !BeforePost(values)) return false;
    long recNo = 0;
    if (fState == TDataState::Insert) {
      recNo = InsertRecord(*fTable, values);
    } else {
      recNo = Current()->RecNo;
      fTable->Update(recNo, values);
    }
    fState = TDataState::Browse;
    Reload(recNo);
    if (AfterPost && Current()) AfterPost(*Current());
    return true;
  } catch (const std::exception& e) {
    // The record stays in its edit state; nothing typed is lost.
    TranslatedMessageDlg(e.what(), mtError, mbOK);
    return false;
  }
}

void TDbfNavigator::Cancel() {
  if (fState != TDataState::Edit && fState != TDataState::Insert) return;
  fState = TDataState::Browse;
  Show();
}

void TDbfNavigator::Refresh() {
  if (fState != TDataState::Browse) return;
  const TDbfRecord* r = Current();
  try {
    Reload(r ? r->RecNo : 0);
  } catch (const std::exception& e) {
    TranslatedMessageDlg(e.what(), mtError, mbOK);
  }
}

}  // namespace zyn
