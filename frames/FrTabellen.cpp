#include "frames/FrTabellen.h"

#include "frames/DbfNavigator.h"
#include "frames/FrProjektDateien.h"
#include "frames/PageText.h"
#include "frames/core/ProjectTables.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "shell/Translation.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zyn {

namespace {
// Opens the table (created empty when missing); nullptr with the message shown when that fails.
std::unique_ptr<TDbfTable> OpenTable(const std::string& file, const std::vector<TDbfField>& fields) {
  auto table = std::make_unique<TDbfTable>();
  try {
    table->OpenOrCreate(file, fields);
  } catch (const std::exception& e) {
    TranslatedMessageDlg(e.what(), mtError, mbOK);
    return nullptr;
  }
  return table;
}
}  // namespace

// ------------------------------------------------------------------------------------------------
// Customers

TFrKunden::TFrKunden(QWidget* parent) : TProjectPage("FrKunden", parent) {
  auto* layout = new QVBoxLayout(this);
  DBNavigator1 = new TDbfNavigator(this);
  DBNavigator1->AutoEdit = true;
  layout->addWidget(DBNavigator1);
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  layout->addWidget(PageControl1, 1);
  auto* tab1 = new QWidget(PageControl1);
  auto* form1 = new QFormLayout(tab1);
  ENummer = AddFormEdit(tab1, "ENummer", form1, "Kundennummer :");
  Datum = AddFormEdit(tab1, "Datum", form1, "Datum :");
  for (QLineEdit* e : {ENummer, Datum}) e->setProperty("zynReadOnly", true);
  EVorname = AddFormEdit(tab1, "EVorname", form1, "Firma / Name:");
  EName = AddFormEdit(tab1, "EName", form1, "Ansprechpartner:");
  EStrasse = AddFormEdit(tab1, "EStrasse", form1, "Straße :");
  EPLZ = AddFormEdit(tab1, "EPLZ", form1, "PLZ :");
  EOrt = AddFormEdit(tab1, "EOrt", form1, "Ort :");
  ETelefon = AddFormEdit(tab1, "ETelefon", form1, "Telefon :");
  EFax = AddFormEdit(tab1, "EFax", form1, "Fax :");
  EEmail = AddFormEdit(tab1, "EEmail", form1, "email :");
  EHomepage = AddFormEdit(tab1, "EHomepage", form1, "Homepage :");
  PageControl1->addTab(tab1, PageText("Kundendaten"));
  auto* tab2 = new QWidget(PageControl1);
  auto* form2 = new QFormLayout(tab2);
  MKontakt1 = AddFormMemo(tab2, "MKontakt1", form2, "Kontakt:");
  MKontakt2 = AddFormMemo(tab2, "MKontakt2", form2, "Planung:");
  MKontakt3 = AddFormMemo(tab2, "MKontakt3", form2, "Ausführung :");
  PageControl1->addTab(tab2, PageText("Zusatzdaten"));
  const std::pair<int, QLineEdit*> bound[] = {{kdNummer, ENummer}, {kdAnlagedatum, Datum}, {kdName, EVorname},
                                              {kdFirma, EName},    {kdStrasse, EStrasse},  {kdPlz, EPLZ},
                                              {kdOrt, EOrt},       {kdTelefon, ETelefon},  {kdFax, EFax},
                                              {kdEmail, EEmail},   {kdHomepage, EHomepage}};
  for (const auto& [column, edit] : bound) {
    DBNavigator1->Bind(column, edit);
    connect(edit, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
  }
  DBNavigator1->Bind(kdKontakt1, MKontakt1);
  DBNavigator1->Bind(kdKontakt2, MKontakt2);
  DBNavigator1->Bind(kdKontakt3, MKontakt3);
  InstallCustomerRules(*DBNavigator1, false);
  try {
    EnsureKundenTable(KundenTableFile(GetDatabasePath()), TranslateText(Ansi("ohne Kundendaten")));
  } catch (const std::exception&) {
    // Reported when the page is shown.
  }
}

TFrKunden::~TFrKunden() = default;

void TFrKunden::FrameActivate() {
  try {
    // A table missing now (the database folder may have changed) starts with its seed record.
    EnsureKundenTable(KundenTableFile(GetDatabasePath()), TranslateText(Ansi("ohne Kundendaten")));
  } catch (const std::exception&) {
    // OpenTable reports it.
  }
  fKunden = OpenTable(KundenTableFile(GetDatabasePath()), KundenFields());
  DBNavigator1->SetTable(fKunden.get());
}

void TFrKunden::FrameDeactivate() {
  DBNavigator1->Cancel();
  DBNavigator1->SetTable(nullptr);
  fKunden.reset();
}

// ------------------------------------------------------------------------------------------------
// Projects

TFrProjekte::TFrProjekte(QWidget* parent) : TProjectPage("FrProjekte", parent) {
  auto* layout = new QVBoxLayout(this);
  DBNavigator1 = new TDbfNavigator(this);
  layout->addWidget(DBNavigator1);
  auto* tabs = new QTabWidget(this);
  tabs->setObjectName(QStringLiteral("PageControl1"));
  layout->addWidget(tabs, 1);
  auto* tab = new QWidget(tabs);
  auto* form = new QFormLayout(tab);
  PN = AddFormEdit(tab, "PN", form, "Projektnummer:");
  PN->setProperty("zynReadOnly", true);
  DBLC = new QComboBox(tab);
  DBLC->setObjectName(QStringLiteral("DBLC"));
  form->addRow(PageText("Kunde:"), DBLC);
  EProjektname = AddFormEdit(tab, "EProjektname", form, "Projektbezeichnung:");
  EPlanung = AddFormEdit(tab, "EPlanung", form, "Projektplanung:");
  EAusfuehrung = AddFormEdit(tab, "EAusfuehrung", form, "Projektausführung:");
  ETermin = AddFormEdit(tab, "ETermin", form, "Zieldatum:");
  MBeschreibung = AddFormMemo(tab, "MBeschreibung", form, "Projektbeschreibung:");
  tabs->addTab(tab, PageText("Projektdaten"));
  DBNavigator1->Bind(pdProjektnum, PN);
  DBNavigator1->Bind(pdProjektnam, EProjektname);
  DBNavigator1->Bind(pdProjektlei, EPlanung);
  DBNavigator1->Bind(pdAusfuehrun, EAusfuehrung);
  DBNavigator1->Bind(pdTermin, ETermin);
  DBNavigator1->Bind(pdNotizen, MBeschreibung);
  DBNavigator1->OnRecordChanged = [this] { ShowCustomer(); };
  DBNavigator1->AfterPost = [this](const TDbfRecord& posted) { CopyIntoProject(posted); };
  connect(DBLC, qOverload<int>(&QComboBox::activated), this, [this](int i) {
    if (i >= 0) DBNavigator1->SetField(pdKundennumm, FromQString(DBLC->itemData(i).toString()));
  });
}

TFrProjekte::~TFrProjekte() = default;

void TFrProjekte::FrameActivate() {
  const std::string db = GetDatabasePath();
  fKunden = OpenTable(KundenTableFile(db), KundenFields());
  fProjekte = OpenTable(ProjekteTableFile(db), ProjekteFields());
  DBLC->clear();
  if (fKunden) {
    try {
      for (const TDbfRecord& r : fKunden->ReadAll())
        DBLC->addItem(ToQString(r.Values[kdNummer] + "  " + r.Values[kdName] + "  " + r.Values[kdFirma]),
                      ToQString(r.Values[kdNummer]));
    } catch (const std::exception& e) {
      TranslatedMessageDlg(e.what(), mtError, mbOK);
    }
  }
  DBNavigator1->SetTable(fProjekte.get());
  if (GProjekt)
    for (const TDbfRecord& r : DBNavigator1->Records())
      if (RecordBelongsTo(r.Values[pdProjektnum], GProjekt->ProjektDaten.ProjektNummer)) {
        DBNavigator1->MoveToRecNo(r.RecNo);
        break;
      }
}

void TFrProjekte::FrameDeactivate() {
  DBNavigator1->Cancel();
  DBNavigator1->SetTable(nullptr);
  fKunden.reset();
  fProjekte.reset();
}

void TFrProjekte::ShowCustomer() {
  const bool editing = DBNavigator1->State() == TDataState::Edit || DBNavigator1->State() == TDataState::Insert;
  DBLC->setEnabled(editing);
  DBLC->setCurrentIndex(DBLC->findData(ToQString(DBNavigator1->Field(pdKundennumm))));
}

void TFrProjekte::CopyIntoProject(const TDbfRecord& posted) {
  // Only the open project's own record is copied into it.
  if (!GProjekt || !RecordBelongsTo(posted.Values[pdProjektnum], GProjekt->ProjektDaten.ProjektNummer)) return;
  std::unique_ptr<TDbfRecord> customer;
  if (fKunden) {
    try {
      for (const TDbfRecord& r : fKunden->ReadAll())
        if (r.Values[kdNummer] == posted.Values[pdKundennumm]) customer = std::make_unique<TDbfRecord>(r);
    } catch (const std::exception&) {
      // Without the customer table the project data are copied alone.
    }
  }
  CopyProjectRecord(posted, customer.get(), GProgramTitle, *GProjekt);
}

}  // namespace zyn
