#include "frames/FrStmBearb.h"

#include "frames/PageText.h"
#include "model/GlobalRoutines.h"
#include "model/ModelText.h"
#include "model/UniqueNames.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Filer.h"
#include "model/base/Streams.h"
#include "model/base/ZYNOptionen.h"
#include "platform/QtText.h"
#include "platform/WaitCursor.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "project/StmImport.h"
#include "shell/MessageHandler.h"
#include "shell/Translation.h"
#include "widgets/common/ZYNDipswitch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLibrary>
#include <QPlainTextEdit>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>

namespace zyn {

namespace {

const TObjectPageTexts kStmTexts{"STM",
                              "Steuermodul %1.1d",
                              4,
                              "STM (%3.3d/%3.3d)",
                              "Die Moduldaten wurden geändert.",
                              "Soll die Steuerung \"%s\" wirklich gelöscht werden",
                              true,
                              false,
                              2};

// Locks the main window's commands for a long operation and unlocks them again, also on failure.
class TUiLock {
 public:
  TUiLock() : fHandler(GetMessageHandler()) {
    if (fHandler) fHandler->LockUserInterface();
  }
  ~TUiLock() {
    if (fHandler) fHandler->UnlockUserInterface();
    NotifyProjectChanged();  // an imported control module changes what the menus offer
  }
  TUiLock(const TUiLock&) = delete;
  TUiLock& operator=(const TUiLock&) = delete;

 private:
  IMessageHandler* fHandler;
};

bool AskReplace() {
  const std::string question =
      ModelTranslate("Wollen Sie das aktuelle Steuermodul wirklich durch das importierte Steuermodul ersetzen?") +
      "\r" + ModelTranslate("Dieser Vorgang kann nicht rückgängig gemacht werden!");
  return TranslatedMessageDlg(question, mtConfirmation, mbYes | mbNo) == 6;
}

std::string FileNameOnly(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::vector<uint8_t> ControlModuleBytes(const TSteuermodul& stm) {
  TMemoryStream stream;
  {
    TWriter writer(stream, 1024);
    stm.WriteData(writer);
    writer.FlushBuffer();
  }
  return stream.Bytes();
}

std::unique_ptr<TSteuermodul> ReadControlModuleFile(const std::string& fileName) {
  TMemoryStream stream;
  stream.LoadFromFile(fileName);
  auto stm = std::make_unique<TSteuermodul>();
  try {
    TReader reader(stream, 1024);
    stm->ReadData(reader);
  } catch (const std::exception& e) {
    throw EReadError(FormatText(ModelTranslate("Die Datei \"%s\" enthält kein vollständiges Steuermodul:"),
                                {Utf8ToAnsi(FileNameOnly(fileName))}) +
                     "\r" + e.what());
  }
  return stm;
}

TFrStmBearb::TFrStmBearb(QWidget* parent) : TObjectPage("FrStmBearb", kStmTexts, parent) {
  MTV->setObjectName(QStringLiteral("STV"));
  GList->setObjectName(QStringLiteral("GSTM"));
  Details->setTitle(PageText(" Steuermoduldaten "));
  MRemarks->setObjectName(QStringLiteral("MRemarks"));
  CAdresse->setEnabled(false);
  CDCF77 = new QCheckBox(PageText("DCF 77 Empfänger angeschlossen"));
  CDCF77->setObjectName(QStringLiteral("CDCF77"));
  AddDetailWidget(CDCF77);
  DS = new TZYNDipswitch;
  DS->setObjectName(QStringLiteral("DS"));
  DS->setMinimumSize(120, 60);
  DS->setMaximumWidth(160);
  AddDetailRow(PageText("Adresseinstellung:"), DS);
  BtnExport = AddToolButton("BtnExport", QStyle::SP_DialogSaveButton, "Steuermodul exportieren", 4);
  BtnImport =
      AddToolButton("BtnImport", QStyle::SP_DialogOpenButton, "Steuermodul oder V1.x\r\nProjekt importieren", 5);
  BtnExport->setEnabled(false);
  BtnImport->setEnabled(false);
  connect(BtnExport, &QToolButton::clicked, this, [this] { ExportClick(); });
  connect(BtnImport, &QToolButton::clicked, this, [this] { ImportClick(); });
  connect(CDCF77, &QCheckBox::toggled, this, [this](bool on) {
    TSteuermodul* stm = SelectedStm();
    if (Updating() || !stm) return;
    stm->DCF77 = on;
    Changed();
  });
  OnChooseExportFile = [this](const std::string& folder) {
    return FromQString(QFileDialog::getSaveFileName(this, PageText("Steuermodul exportieren"), ToQString(folder),
                                                    PageText("ZYN Steuermodul") + " (*.stm)"));
  };
  ConverterLibrary = QCoreApplication::applicationDirPath().toStdString() + "/libzynconvert.so";
  OnChooseImportFile = [this](const std::string& folder, int& filter) {
    QString filters = PageText("ZYN Steuermodul") + " (*.stm)";
    const QString project = PageText("ZYN Projekt Version V1.x") + " (*.prj)";
    if (ConverterPresent()) filters += ";;" + project;
    QString chosen;
    const QString file =
        QFileDialog::getOpenFileName(this, PageText("Steuermodul importieren"), ToQString(folder), filters, &chosen);
    filter = chosen == project ? 2 : 1;
    return file.toStdString();
  };
}

void TFrStmBearb::CopyList() { fWorkList.CopyFrom(GProjekt->Steuermodule); }

void TFrStmBearb::MergeList() {
  TSteuermodulListe& target = GProjekt->Steuermodule;
  if (GUniqueNames)
    for (int i = 0; i < target.Count(); ++i)
      if (fWorkList.IndexOfName(target.KeyAt(i)) < 0) GUniqueNames->RemoveName(target.KeyAt(i));
  target.MergeFrom(fWorkList, nullptr);
}

bool TFrStmBearb::ListDiffers() const {
  const TSteuermodulListe& live = GProjekt->Steuermodule;
  if (live.Count() != fWorkList.Count()) return true;
  for (int i = 0; i < live.Count(); ++i) {
    const TSteuermodul* a = live.GetItem(i);
    const TSteuermodul* b = fWorkList.GetItem(i);
    if (a->InternalName() != b->InternalName() || a->DisplayName() != b->DisplayName() ||
        a->Bemerkungen != b->Bemerkungen || a->DCF77 != b->DCF77 || a->Adresse() != b->Adresse())
      return true;
  }
  return false;
}

TZYNBaseObject* TFrStmBearb::CreateItem(int address, const std::string& name) {
  auto stm = std::make_unique<TSteuermodul>();
  if (GUniqueNames) stm->AssignNewName(*GUniqueNames);
  stm->SetAdresse(address);
  stm->SetDisplayName(name);
  TSteuermodul* added = fWorkList.Add(std::move(stm));
  DS->SetValue(address);
  MTV->setEnabled(true);
  return added;
}

int TFrStmBearb::ItemAddress(const TZYNBaseObject* object) const {
  return dynamic_cast<const TSteuermodul*>(object)->Adresse();
}

std::vector<std::string> TFrStmBearb::AddressItems(const TZYNBaseObject* object, int& selected) const {
  std::vector<std::string> items;
  selected = fWorkList.Adressen.FreeAddressList(ModelTranslate("STM"), 2, items, ItemAddress(object));
  return items;
}

std::string TFrStmBearb::ItemRemarks(const TZYNBaseObject* object) const {
  return dynamic_cast<const TSteuermodul*>(object)->Bemerkungen;
}

void TFrStmBearb::SetItemRemarks(TZYNBaseObject* object, const std::string& text) {
  dynamic_cast<TSteuermodul*>(object)->Bemerkungen = text;
}

void TFrStmBearb::ShowDetails(TZYNBaseObject* object) {
  auto* stm = dynamic_cast<TSteuermodul*>(object);
  CDCF77->setChecked(stm->DCF77);
  DS->SetValue(stm->Adresse());
  CAdresse->setCurrentText(ToQString(stm->GetAddressText()));
}

void TFrStmBearb::ClearDetails() {
  if (CDCF77) CDCF77->setChecked(false);
  if (DS) DS->SetValue(0);
}

void TFrStmBearb::UpdatePage() {
  TObjectPage::UpdatePage();
  CAdresse->setEnabled(false);
  if (!BtnExport) return;
  const TSteuermodul* stm = SelectedStm();
  BtnExport->setEnabled(stm != nullptr);
  // The import needs the converter library, for control-module files too.
  BtnImport->setEnabled(stm != nullptr && stm->Module.Count() == 0 && stm->Merker.Count() == 0 &&
                        stm->Uhren.Count() == 0 && stm->Gruppen.Count() == 0 && ConverterPresent());
}

void TFrStmBearb::DeleteObject() {
  TSteuermodul* stm = SelectedStm();
  if (!stm || fWorkList.Count() <= 1) return;
  // Deleting a control module always asks, whatever the deletion option says.
  const std::string question = FormatText(ModelTranslate(Texts().DeleteQuestion), {stm->DisplayName()});
  if (TranslatedMessageDlg(question, mtConfirmation, mbYes | mbNo) != 6) return;
  const bool keep = GetBoolOption(boConfirmDelete);
  SetBoolOption(boConfirmDelete, false);  // asked already
  TObjectPage::DeleteObject();
  SetBoolOption(boConfirmDelete, keep);
}

bool TFrStmBearb::ExportTo(const std::string& fileName) {
  const TSteuermodul* shown = SelectedStm();
  if (!shown || fileName.empty()) return false;
  try {
    // The project's control module carries the modules, links and tools; the page's name, notes
    // and receiver flag are what the installer sees and are written with it.
    std::vector<uint8_t> bytes;
    const TSteuermodul* live = GProjekt ? GProjekt->Steuermodule.FindByName(shown->InternalName()) : nullptr;
    if (live) {
      TMemoryStream copyStream(ControlModuleBytes(*live));
      TSteuermodul copy;
      TReader reader(copyStream, 1024);
      copy.ReadData(reader);
      copy.SetDisplayName(shown->DisplayName());
      copy.Bemerkungen = shown->Bemerkungen;
      copy.DCF77 = shown->DCF77;
      copy.SetAdresse(shown->Adresse());
      bytes = ControlModuleBytes(copy);
    } else {
      bytes = ControlModuleBytes(*shown);
    }
    WriteFileAtomic(fileName, bytes.data(), bytes.size());
    return true;
  } catch (const std::exception& e) {
    TranslatedMessageDlg(FormatText(ModelTranslate("Das Steuermodul konnte nicht nach \"%s\" exportiert werden:"),
                                    {Utf8ToAnsi(fileName)}) +
                             "\r" + e.what(),
                         mtError, mbOK);
    return false;
  }
}

void TFrStmBearb::ExportClick() {
  if (!SelectedStm()) return;
  const std::string file = OnChooseExportFile ? OnChooseExportFile(GetProjectPath()) : std::string();
  if (file.empty()) return;
  std::string name = file;
  if (FileNameOnly(name).find('.') == std::string::npos) name += ".stm";
  ExportTo(name);
}

void TFrStmBearb::ImportClick() {
  if (!SelectedStm() || !GProjekt) return;
  const std::string warning = ModelTranslate("Die Importfunktion befindet sich noch im Beta- Status") + "\n\r" +
                              ModelTranslate("Der Import kann fehlerhaft sein und erfolgt auf eigene Gefahr!") +
                              "\n\r" + ModelTranslate("Soll die Funktion trotzdem ausgeführt werden?");
  if (TranslatedMessageDlg(warning, mtConfirmation, mbYes | mbNo) != 6) return;
  int filter = 1;
  const std::string file = OnChooseImportFile ? OnChooseImportFile(GetProjectPath(), filter) : std::string();
  if (file.empty()) return;
  if (filter == 2)
    ImportProject(file);
  else
    ImportFrom(file);
}

bool TFrStmBearb::ConverterPresent() const { return FileExists(ConverterLibrary); }

int TFrStmBearb::RunConverterPlugin(const std::string& source, const std::string& target) {
  QLibrary library(QString::fromStdString(ConverterLibrary));
  if (!library.load()) {
    TranslatedMessageDlg(ModelTranslate("Uups: Falsches oder ungültiges ZYN- Plugin!"), mtError, mbCancel);
    return 0;
  }
  using TConvert = int32_t (*)(const unsigned char*, const unsigned char*);
  auto convert = reinterpret_cast<TConvert>(library.resolve("ZYNConvert"));
  int result = 0;
  if (convert && source.size() <= 255 && target.size() <= 255) {
    unsigned char from[256] = {}, to[256] = {};
    from[0] = static_cast<unsigned char>(source.size());
    std::copy(source.begin(), source.end(), from + 1);
    to[0] = static_cast<unsigned char>(target.size());
    std::copy(target.begin(), target.end(), to + 1);
    result = std::max(0, convert(from, to));
  }
  library.unload();
  return result;
}

bool TFrStmBearb::ImportProject(const std::string& fileName) {
  TSteuermodul* selected = SelectedStm();
  if (!selected || !GProjekt) return false;
  TUiLock lock;
  const size_t dot = fileName.find_last_of('.');
  const size_t slash = fileName.find_last_of('/');
  const std::string target =
      (dot != std::string::npos && (slash == std::string::npos || dot > slash) ? fileName.substr(0, dot) : fileName) +
      ".stm";
  const int n = RunConverterPlugin(fileName, target);
  if (n <= 0) {
    TranslatedMessageDlg(ModelTranslate("Das Projekt konnte nicht importiert werden!"), mtError, mbCancel);
    return false;
  }
  if (n == 1) return ImportFrom(target);
  if (n > 4) {
    TranslatedMessageDlg(ModelTranslate("Das Projekt konnte nicht importiert werden!"), mtError, mbCancel);
    return false;
  }
  // Every control module and the tools are read before the project is touched.
  const std::string folder = slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
  std::vector<std::unique_ptr<TSteuermodul>> imported;
  try {
    for (int i = 0; i < n; ++i)
      imported.push_back(ReadControlModuleFile(folder + ModelTranslate("STM.") + std::to_string(i)));
    TZYNFunktionsListe check;
    std::vector<std::string> messages;
    if (!check.LoadFromOvrFile(folder + "TOOLS.OVR", &messages) || !messages.empty())
      throw EReadError(FormatText(ModelTranslate("Die Datei \"%s\" enthält keine lesbare Tool-Liste."), {"TOOLS.OVR"}));
  } catch (const std::exception& e) {
    TranslatedMessageDlg(e.what(), mtError, mbOK);
    return false;
  }
  std::string taken;
  for (int i = 0; i < n; ++i) {
    // Taken on the page or in the project, by another control module than the one replaced.
    const TSteuermodul* shown = fWorkList.FindByAddress(i);
    const TSteuermodul* live = GProjekt->Steuermodule.FindByAddress(i);
    if ((shown && shown != selected) || (live && live->InternalName() != selected->InternalName()))
      taken += (taken.empty() ? "" : ", ") + FormatObjectName(ModelTranslate("STM"), i, 2);
  }
  if (!taken.empty()) {
    TranslatedMessageDlg(FormatText(FormatNumbers(ModelTranslate("Das Projekt enthält %d Steuermodule; die Adressen "
                                                                 "%s sind schon belegt. Der Import wurde nicht "
                                                                 "ausgeführt."),
                                                  {n}),
                                    {taken}),
                         mtError, mbOK);
    return false;
  }
  if (!AskReplace()) return false;

  if (TSteuermodul* live = GProjekt->Steuermodule.FindByName(selected->InternalName()))
    GProjekt->Steuermodule.Remove(live);
  WhileUpdating([&] {
    delete NodeOf(selected);
    fWorkList.Remove(selected);
  });
  QTreeWidgetItem* last = nullptr;
  for (int i = 0; i < n; ++i) {
    TUniqueNames spare;
    TSteuermodul* added = ImportSteuermodul(*GProjekt, std::move(imported[static_cast<size_t>(i)]), i,
                                            GUniqueNames ? *GUniqueNames : spare);
    auto copy = std::make_unique<TSteuermodul>();
    copy->CopyFrom(*added);
    TSteuermodul* shown = fWorkList.Add(std::move(copy));
    WhileUpdating([&] { last = AppendNode(shown); });
  }
  std::vector<std::string> messages;
  GProjekt->Tools.LoadFromOvrFile(folder + "TOOLS.OVR", &messages);
  if (GUniqueNames) GProjekt->Tools.RebindAfterImport(*GUniqueNames, *GProjekt);
  for (int i = 0; i < GProjekt->Steuermodule.Count(); ++i) {
    TSteuermodul* stm = GProjekt->Steuermodule.GetSteuermodul(i);
    stm->CheckTools(*GProjekt);
    stm->RefreshLinkTexts(*GProjekt);
  }
  GProjekt->Tools.CheckAfterLoad(*GProjekt);
  MTV->setEnabled(true);
  MTV->setCurrentItem(last);
  GProjekt->ProjektDaten.SoftCreated = "V2.I";
  GProjekt->Modified = true;
  ShowObject();
  Changed();
  return true;
}

bool TFrStmBearb::ImportFrom(const std::string& fileName) {
  TSteuermodul* selected = SelectedStm();
  if (!selected || !GProjekt) return false;
  TUiLock lock;
  // The whole file is read and checked before anything of the project is touched.
  std::unique_ptr<TSteuermodul> imported;
  try {
    TWaitCursor wait;
    imported = ReadControlModuleFile(fileName);
  } catch (const std::exception& e) {
    TranslatedMessageDlg(e.what(), mtError, mbOK);
    return false;
  }
  if (!AskReplace()) return false;

  // The selected control module goes, from the project and from the working copy.
  if (TSteuermodul* live = GProjekt->Steuermodule.FindByName(selected->InternalName()))
    GProjekt->Steuermodule.Remove(live);
  WhileUpdating([&] {
    delete NodeOf(selected);
    fWorkList.Remove(selected);
  });
  const int address = fWorkList.Adressen.FirstFree();
  fWorkList.Adressen.SetUsed(address);
  if (AnsiUpperCase(imported->DisplayName()) == AnsiUpperCase(ModelTranslate("STEUERMODUL")))
    imported->SetDisplayName(imported->DisplayName() + " " + std::to_string(address));
  TUniqueNames spare;
  TSteuermodul* added =
      ImportSteuermodul(*GProjekt, std::move(imported), address, GUniqueNames ? *GUniqueNames : spare);
  auto copy = std::make_unique<TSteuermodul>();
  copy->CopyFrom(*added);
  TSteuermodul* shown = fWorkList.Add(std::move(copy));
  QTreeWidgetItem* node = nullptr;
  WhileUpdating([&] { node = AppendNode(shown); });
  MTV->setEnabled(true);
  MTV->setCurrentItem(node);
  DS->SetValue(address);
  GProjekt->ProjektDaten.SoftCreated = "V2.I";
  GProjekt->Modified = true;
  ShowObject();
  Changed();
  return true;
}

}  // namespace zyn
