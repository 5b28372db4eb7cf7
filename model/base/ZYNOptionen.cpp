#include "model/base/ZYNOptionen.h"

#include "model/base/Cp1252.h"
#include "model/base/ProgramPaths.h"
#include "model/base/Translator.h"

#include <array>

namespace zyn {

std::unique_ptr<TZYNOptionFile> GOptionFile;

namespace {

// The addresses the branding of this installation supplies.
constexpr const char* kHomepage = "https://www.zyn-systemsoftware.de";
constexpr const char* kUpdateFTP = "ftp://update.zyn-systemsoftware.de";
constexpr const char* kSupportAddress = "support@zyn-systemsoftware.de";

constexpr int32_t kDefaultTreeWidth = 150;

const std::array<bool TOptionItem::*, 17> kBoolKeys = {
    &TOptionItem::StartAssist,  &TOptionItem::ConfirmDelete,  &TOptionItem::ShowHint,     &TOptionItem::DirectRename,
    &TOptionItem::SaveTrash,    &TOptionItem::AutoInsertDB,   &TOptionItem::AutoInsertKD, &TOptionItem::AutoloadPlugins,
    &TOptionItem::ProgModules,  &TOptionItem::UseHotTracking, &TOptionItem::GfxPrgTree,   &TOptionItem::AutoText,
    &TOptionItem::ConfigAssist, &TOptionItem::LogicTest,      &TOptionItem::ShowThumbs,   &TOptionItem::EMDPOR,
    &TOptionItem::PlainThumbs};

const std::array<int32_t TOptionItem::*, 9> kIntKeys = {
    &TOptionItem::MainFormLeft,   &TOptionItem::MainFormTop,   &TOptionItem::MainFormWidth,
    &TOptionItem::MainFormHeight, &TOptionItem::MainFormState, &TOptionItem::PorWaitTime,
    &TOptionItem::Language,       &TOptionItem::RandomMin,     &TOptionItem::RandomMax};

const std::array<std::string TPathItem::*, 6> kPathKeys = {&TPathItem::SystemPath,   &TPathItem::DatabasePath,
                                                           &TPathItem::PluginPath,   &TPathItem::ProjectPath,
                                                           &TPathItem::DownloadPath, &TPathItem::GfxPath};

bool ValidIndex(int index, size_t size) { return index >= 0 && static_cast<size_t>(index) < size; }

std::string WithDelimiter(std::string path) {
  if (!path.empty() && path.back() != '/') path += '/';
  return path;
}

TZYNOptionen* Options() { return GOptionFile ? &GOptionFile->Optionen() : nullptr; }

TFramesItem* FindFrame(const std::string& frameName) {
  TZYNOptionen* o = Options();
  if (!o) return nullptr;
  for (int i = 0; i < o->Frames->Count(); ++i) {
    if (o->Frames->Items(i)->FrameName == frameName) return o->Frames->Items(i);
  }
  return nullptr;
}

TFramesItem* FindOrAddFrame(const std::string& frameName) {
  TZYNOptionen* o = Options();
  if (!o) return nullptr;
  if (TFramesItem* f = FindFrame(frameName)) return f;
  TFramesItem* f = o->Frames->Add();
  f->FrameName = frameName;
  return f;
}

}  // namespace

// --- Optionen -----------------------------------------------------------------------------------

const TXMLItemClass& TOptionItem::Class() {
  using T = TOptionItem;
  static const TXMLItemClass cls = TXMLClassBuilder<T>("TOptionItem")
                                       .Boolean("StartAssist", &T::StartAssist)
                                       .Boolean("ConfirmDelete", &T::ConfirmDelete)
                                       .Boolean("ShowHint", &T::ShowHint)
                                       .Boolean("DirectRename", &T::DirectRename)
                                       .Boolean("SaveTrash", &T::SaveTrash)
                                       .Boolean("AutoInsertDB", &T::AutoInsertDB)
                                       .Boolean("AutoInsertKD", &T::AutoInsertKD)
                                       .Boolean("AutoloadPlugins", &T::AutoloadPlugins)
                                       .Boolean("ProgModules", &T::ProgModules)
                                       .Boolean("UseHotTracking", &T::UseHotTracking)
                                       .Boolean("GfxPrgTree", &T::GfxPrgTree)
                                       .Boolean("AutoText", &T::AutoText)
                                       .Boolean("ConfigAssist", &T::ConfigAssist)
                                       .Boolean("LogicTest", &T::LogicTest)
                                       .Boolean("ShowThumbs", &T::ShowThumbs)
                                       .Boolean("EMDPOR", &T::EMDPOR)
                                       .Boolean("PlainThumbs", &T::PlainThumbs)
                                       .Boolean("FirstRun", &T::FirstRun)
                                       .Integer("MainFormLeft", &T::MainFormLeft)
                                       .Integer("MainFormTop", &T::MainFormTop)
                                       .Integer("MainFormWidth", &T::MainFormWidth)
                                       .Integer("MainFormHeight", &T::MainFormHeight)
                                       .Integer("MainFormState", &T::MainFormState)
                                       .Integer("PorWaitTime", &T::PorWaitTime)
                                       .Integer("Language", &T::Language)
                                       .Integer("RandomMin", &T::RandomMin)
                                       .Integer("RandomMax", &T::RandomMax)
                                       .Build();
  return cls;
}

void TOptionItem::SetDefaults(const std::string&) {
  StartAssist = false;
  ConfirmDelete = true;
  ShowHint = true;
  DirectRename = true;
  SaveTrash = true;
  AutoInsertDB = true;
  AutoInsertKD = true;
  AutoloadPlugins = true;
  ProgModules = true;
  UseHotTracking = false;
  GfxPrgTree = true;
  AutoText = false;
  ConfigAssist = false;
  LogicTest = false;
  ShowThumbs = false;
  EMDPOR = true;
  PlainThumbs = true;
  MainFormLeft = 0;
  MainFormTop = 0;
  MainFormWidth = 640;
  MainFormHeight = 480;
  MainFormState = 0;
  PorWaitTime = 250;
  Language = 0;
  RandomMin = 0;
  RandomMax = 1800;
}

bool TOptionItem::GetBool(int index) const {
  return ValidIndex(index, kBoolKeys.size()) ? this->*kBoolKeys[static_cast<size_t>(index)] : false;
}

int32_t TOptionItem::GetInt(int index) const {
  return ValidIndex(index, kIntKeys.size()) ? this->*kIntKeys[static_cast<size_t>(index)] : 0;
}

void TOptionItem::SetBool(int index, bool value) {
  if (ValidIndex(index, kBoolKeys.size())) this->*kBoolKeys[static_cast<size_t>(index)] = value;
}

void TOptionItem::SetInt(int index, int32_t value) {
  if (ValidIndex(index, kIntKeys.size())) this->*kIntKeys[static_cast<size_t>(index)] = value;
}

// --- Path ---------------------------------------------------------------------------------------

const TXMLItemClass& TPathItem::Class() {
  using T = TPathItem;
  static const TXMLItemClass cls = TXMLClassBuilder<T>("TPathItem")
                                       .Text("SystemPath", &T::SystemPath)
                                       .Text("ProjectPath", &T::ProjectPath)
                                       .Text("DatabasePath", &T::DatabasePath)
                                       .Text("PluginPath", &T::PluginPath)
                                       .Text("DownloadPath", &T::DownloadPath)
                                       .Text("GfxPath", &T::GfxPath)
                                       .Build();
  return cls;
}

void TPathItem::SetDefaults(const std::string& programFolder) {
  SystemPath = programFolder + "data/system";
  ProjectPath = programFolder + "data/projects";
  DatabasePath = programFolder + "data/database";
  PluginPath = programFolder + "data/plugins";
  DownloadPath = programFolder + "data/downloads";
  GfxPath = programFolder + "data/Grafiken";
}

std::string TPathItem::GetPath(int index) const {
  return ValidIndex(index, kPathKeys.size()) ? this->*kPathKeys[static_cast<size_t>(index)] : std::string();
}

void TPathItem::SetPath(int index, const std::string& path) {
  if (ValidIndex(index, kPathKeys.size())) this->*kPathKeys[static_cast<size_t>(index)] = path;
}

// --- the other groups ---------------------------------------------------------------------------

const TXMLItemClass& TSerialPortItem::Class() {
  using T = TSerialPortItem;
  static const TXMLItemClass cls = TXMLClassBuilder<T>("TSerialPortItem")
                                       .Integer("Source", &T::Source)
                                       .Integer("Target", &T::Target)
                                       .Integer("MaxRepeat", &T::MaxRepeat)
                                       .Integer("MaxTimeout", &T::MaxTimeout)
                                       .Integer("MinPause", &T::MinPause)
                                       .Text("DevicePath", &T::DevicePath)
                                       .Build();
  return cls;
}

void TSerialPortItem::SetDefaults(const std::string&) {
  Source = 1;
  Target = 0;
  MaxRepeat = 3;
  MaxTimeout = 100;
  MinPause = 5;
}

const TXMLItemClass& TFileMenuItem::Class() {
  using T = TFileMenuItem;
  static const TXMLItemClass cls = TXMLClassBuilder<T>("TFileMenuItem")
                                       .Boolean("DeleteTarget", &T::DeleteTarget)
                                       .Integer("MaxItems", &T::MaxItems)
                                       .Boolean("ShowAsSubmenu", &T::ShowAsSubmenu)
                                       .Boolean("ShowFolder", &T::ShowFolder)
                                       .Build();
  return cls;
}

void TFileMenuItem::SetDefaults(const std::string&) {
  DeleteTarget = true;
  MaxItems = 4;
  ShowAsSubmenu = true;
  ShowFolder = false;
}

const TXMLItemClass& TDisplayItem::Class() {
  using T = TDisplayItem;
  static const TXMLItemClass cls = TXMLClassBuilder<T>("TDisplayItem")
                                       .Text("DefaultOnText", &T::DefaultOnText)
                                       .Text("DefaultOffText", &T::DefaultOffText)
                                       .Text("DefaultForward", &T::DefaultForward)
                                       .Text("DefaultBack", &T::DefaultBack)
                                       .Boolean("RasterOn", &T::RasterOn)
                                       .Integer("DispColor", &T::DispColor)
                                       .Integer("DispKontrast", &T::DispKontrast)
                                       .Build();
  return cls;
}

void TDisplayItem::SetDefaults(const std::string&) {
  DefaultOnText = TranslateText("Ein");
  DefaultOffText = TranslateText("Aus");
  DefaultForward = TranslateText("weiter");
  DefaultBack = TranslateText(Ansi("zurück"));
  RasterOn = true;
  DispColor = 0;
  DispKontrast = 0;
}

const TXMLItemClass& TInternetItem::Class() {
  using T = TInternetItem;
  static const TXMLItemClass cls = TXMLClassBuilder<T>("TInternetItem")
                                       .Text("WWWAddress", &T::WWWAddress)
                                       .Text("FTPAddress", &T::FTPAddress)
                                       .Boolean("UseProxy", &T::UseProxy)
                                       .Text("WWWProxy", &T::WWWProxy)
                                       .Text("FTPProxy", &T::FTPProxy)
                                       .Integer("FTPPort", &T::FTPPort)
                                       .Text("MailServer", &T::MailServer)
                                       .Text("SupportAddress", &T::SupportAddress)
                                       .Build();
  return cls;
}

std::string TInternetItem::DefaultSupportAddress() { return kSupportAddress; }

void TInternetItem::SetDefaults(const std::string&) {
  WWWAddress = kHomepage;
  FTPAddress = kUpdateFTP;
  UseProxy = true;
  WWWProxy.clear();
  FTPProxy.clear();
  FTPPort = 21;
  MailServer.clear();
  SupportAddress = kSupportAddress;
}

const TXMLItemClass& TUpdateItem::Class() {
  static const TXMLItemClass cls =
      TXMLClassBuilder<TUpdateItem>("TUpdateItem").Text("Status", &TUpdateItem::Status).Build();
  return cls;
}

void TUpdateItem::SetDefaults(const std::string&) { Status = TranslateText("keine Updates installiert!"); }

const TXMLItemClass& TVisuItem::Class() {
  static const TXMLItemClass cls = TXMLClassBuilder<TVisuItem>("TVisuItem")
                                       .Boolean("HasMonitorPanel", &TVisuItem::HasMonitorPanel)
                                       .Boolean("HasOutlookBar", &TVisuItem::HasOutlookBar)
                                       .Build();
  return cls;
}

void TVisuItem::SetDefaults(const std::string&) {
  HasMonitorPanel = false;
  HasOutlookBar = false;
}

const TXMLItemClass& TSTMCompilerItem::Class() {
  using T = TSTMCompilerItem;
  static const TXMLItemClass cls = TXMLClassBuilder<T>("TSTMCompilerItem")
                                       .Integer("EE2Start", &T::EE2Start)
                                       .Integer("EE2Ende", &T::EE2Ende)
                                       .Integer("MaxPacketSize", &T::MaxPacketSize)
                                       .Build();
  return cls;
}

void TSTMCompilerItem::SetDefaults(const std::string&) {
  EE2Start = 0x4000;
  EE2Ende = 0xB7FF;
  MaxPacketSize = 16;
}

const TXMLItemClass& TUserBasisDaten::Class() {
  using T = TUserBasisDaten;
  static const TXMLItemClass cls = TXMLClassBuilder<T>("TUserBasisDaten")
                                       .Text("Firma1", &T::Firma1)
                                       .Text("Firma2", &T::Firma2)
                                       .Text("Bearbeiter", &T::Bearbeiter)
                                       .Text("Strasse", &T::Strasse)
                                       .Text("PLZ", &T::PLZ)
                                       .Text("Ort", &T::Ort)
                                       .Text("Telefon", &T::Telefon)
                                       .Text("Fax", &T::Fax)
                                       .Text("email", &T::email)
                                       .Text("Bemerkungen", &T::Bemerkungen)
                                       .Build();
  return cls;
}

const TXMLItemClass& TFramesItem::Class() {
  using T = TFramesItem;
  static const TXMLItemClass cls = TXMLClassBuilder<T>("TFramesItem")
                                       .Text("FrameName", &T::FrameName)
                                       .Boolean("Expanded", &T::Expanded)
                                       .Boolean("Multiline", &T::Multiline)
                                       .Boolean("ShowAsTabs", &T::ShowAsTabs)
                                       .Integer("TreeWidth", &T::TreeWidth)
                                       .Build();
  return cls;
}

const TXMLItemClass& TPrinterItem::Class() {
  using T = TPrinterItem;
  static const TXMLItemClass cls = TXMLClassBuilder<T>("TPrinterItem")
                                       .Text("PrinterName", &T::PrinterName)
                                       .Integer("PaperSize", &T::PaperSize)
                                       .Integer("Orientation", &T::Orientation)
                                       .Integer("Copies", &T::Copies)
                                       .Boolean("Collate", &T::Collate)
                                       .Integer("Duplex", &T::Duplex)
                                       .Integer("PrintColor", &T::PrintColor)
                                       .Integer("DitherType", &T::DitherType)
                                       .Integer("PrintQuality", &T::PrintQuality)
                                       .Build();
  return cls;
}

// --- the options item and file ------------------------------------------------------------------

const TXMLItemClass& TZYNOptionen::Class() {
  using T = TZYNOptionen;
  static const TXMLItemClass cls = TXMLClassBuilder<T>("TZYNOptionen")
                                       .Text("ConfigFile", &T::ConfigFile)
                                       .Collection("BasisDaten", &T::BasisDaten)
                                       .Collection("Display", &T::Display)
                                       .Collection("FileMenu", &T::FileMenu)
                                       .Collection("Frames", &T::Frames)
                                       .Collection("Internet", &T::Internet)
                                       .Collection("Optionen", &T::Optionen)
                                       .Collection("Path", &T::Path)
                                       .Collection("SerialPort", &T::SerialPort)
                                       .Collection("STMCompiler", &T::STMCompiler)
                                       .Collection("Update", &T::Update)
                                       .Collection("VisuDesign", &T::VisuDesign)
                                       .Collection("Printer", &T::Printer)
                                       .Build();
  return cls;
}

TZYNOptionen::TZYNOptionen()
    : ConfigFile(TranslateText("Konfiguration der ZYN Systemsoftware V2.x")),
      BasisDaten(std::make_unique<TOptionGroup<TUserBasisDaten>>()),
      Display(std::make_unique<TOptionGroup<TDisplayItem>>()),
      FileMenu(std::make_unique<TOptionGroup<TFileMenuItem>>()),
      Frames(std::make_unique<TOptionGroup<TFramesItem>>()),
      Internet(std::make_unique<TOptionGroup<TInternetItem>>()),
      Optionen(std::make_unique<TOptionGroup<TOptionItem>>()),
      Path(std::make_unique<TOptionGroup<TPathItem>>()),
      SerialPort(std::make_unique<TOptionGroup<TSerialPortItem>>()),
      STMCompiler(std::make_unique<TOptionGroup<TSTMCompilerItem>>()),
      Update(std::make_unique<TOptionGroup<TUpdateItem>>()),
      VisuDesign(std::make_unique<TOptionGroup<TVisuItem>>()),
      Printer(std::make_unique<TOptionGroup<TPrinterItem>>()) {
  BasisDaten->Add();
  Display->Add();
  FileMenu->Add();
  Internet->Add();
  Optionen->Add();
  Path->Add();
  SerialPort->Add();
  STMCompiler->Add();
  Update->Add();
  VisuDesign->Add();
}

void TZYNOptionen::SetDefaults(const std::string& programFolder) {
  Internet->First().SetDefaults(programFolder);
  FileMenu->First().SetDefaults(programFolder);
  SerialPort->First().SetDefaults(programFolder);
  Update->First().SetDefaults(programFolder);
  VisuDesign->First().SetDefaults(programFolder);
  Optionen->First().SetDefaults(programFolder);
  Path->First().SetDefaults(programFolder);
  STMCompiler->First().SetDefaults(programFolder);
  Display->First().SetDefaults(programFolder);
}

TZYNOptionFile::TZYNOptionFile(std::string programFolder)
    : TXMLCollectionOf<TZYNOptionen>("TZYNOptionFile"), fProgramFolder(std::move(programFolder)) {
  SetComment(TranslateText("Erzeugt mit ZYN- Systemsoftware V2.0"));
  Add();
}

TZYNOptionen& TZYNOptionFile::Optionen() { return Count() > 0 ? *Items(0) : *Add(); }

void TZYNOptionFile::SetDefaults() {
  std::string folder = fProgramFolder.empty() ? ProgramDataFolder(ProgramFilePath()) : fProgramFolder;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  Optionen().SetDefaults(folder);
}

bool TZYNOptionFile::FirstRun() {
  TOptionGroup<TOptionItem>& group = *Optionen().Optionen;
  return group.Count() == 0 ? true : group.Items(0)->FirstRun;
}

void TZYNOptionFile::SetFirstRun(bool value) { Optionen().Optionen->First().FirstRun = value; }

namespace {

// A file name of an older options file is Windows-1252; one that is not UTF-8 is taken as such.
void FileNameToUtf8(std::string& name) {
  if (!IsUtf8(name)) name = AnsiToUtf8(name);
}

}  // namespace

bool TZYNOptionFile::LoadFromFile(const std::string& fileName) {
  const bool ok = TXMLCollection::LoadFromFile(fileName);
  if (Count() == 0) Add();
  for (int i = 0; i < Count(); ++i) {
    TZYNOptionen& o = *Items(i);
    for (int k = 0; k < o.Path->Count(); ++k)
      for (std::string TPathItem::*key : kPathKeys) FileNameToUtf8(o.Path->Items(k)->*key);
    for (int k = 0; k < o.SerialPort->Count(); ++k) FileNameToUtf8(o.SerialPort->Items(k)->DevicePath);
  }
  return ok;
}

bool TZYNOptionFile::ApplyFirstRun(const std::string& fileName) {
  if (FirstRun()) return false;
  SetDefaults();
  SetFirstRun(true);
  SaveToFile(fileName);
  return true;
}

// --- accessors ----------------------------------------------------------------------------------

bool GetBoolOption(int index) {
  TZYNOptionen* o = Options();
  return o ? o->Optionen->First().GetBool(index) : false;
}

void SetBoolOption(int index, bool value) {
  if (TZYNOptionen* o = Options()) o->Optionen->First().SetBool(index, value);
}

int32_t GetIntOption(int index) {
  TZYNOptionen* o = Options();
  return o ? o->Optionen->First().GetInt(index) : 0;
}

void SetIntOption(int index, int32_t value) {
  if (TZYNOptionen* o = Options()) o->Optionen->First().SetInt(index, value);
}

void GetPathOption(int index, std::string& text) {
  TZYNOptionen* o = Options();
  if (o && ValidIndex(index, kPathKeys.size())) text = o->Path->First().GetPath(index);
}

std::string GetSystemPath() {
  TZYNOptionen* o = Options();
  return o ? WithDelimiter(o->Path->First().SystemPath) : std::string();
}

std::string GetSystemPathByIndex() {
  std::string path;
  GetPathOption(poSystemPath, path);
  return WithDelimiter(path);
}

std::string GetProjectPath() {
  TZYNOptionen* o = Options();
  return o ? WithDelimiter(o->Path->First().ProjectPath) : std::string();
}

std::string GetDatabasePath() {
  TZYNOptionen* o = Options();
  return o ? WithDelimiter(o->Path->First().DatabasePath) : std::string();
}

int32_t GetComPortIndex() {
  TZYNOptionen* o = Options();
  return o ? o->SerialPort->First().Source : 0;
}

void GetSerialPortSettings(TSerialPortSettings& settings) {
  TZYNOptionen* o = Options();
  if (!o) return;
  const TSerialPortItem& s = o->SerialPort->First();
  settings = TSerialPortSettings{s.Source, s.Target, s.MaxTimeout, s.MinPause, s.MaxRepeat, s.DevicePath};
}

int32_t GetBusBaudrate() { return 19200; }

void GetDisplayOnOffTexts(std::string& onText, std::string& offText) {
  TZYNOptionen* o = Options();
  if (!o) return;
  onText = o->Display->First().DefaultOnText;
  offText = o->Display->First().DefaultOffText;
}

void GetDisplayNavTexts(std::string& forward, std::string& back) {
  TZYNOptionen* o = Options();
  if (!o) return;
  forward = o->Display->First().DefaultForward;
  back = o->Display->First().DefaultBack;
}

int32_t GetRecentFilesMax() {
  TZYNOptionen* o = Options();
  return o ? o->FileMenu->First().MaxItems : 0;
}

void GetMailSetting(int kind, std::string& text) {
  TZYNOptionen* o = Options();
  if (!o) return;
  if (kind == 0) text = o->BasisDaten->First().email;
  if (kind == 1) text = o->Internet->First().MailServer;
}

bool GetFrameOption(const std::string& frameName, int kind) {
  const TFramesItem* f = FindFrame(frameName);
  if (!f) return false;
  switch (kind) {
    case 0:
      return f->Expanded;
    case 1:
      return f->Multiline;
    case 2:
      return f->ShowAsTabs;
    default:
      return false;
  }
}

void SetFrameOption(const std::string& frameName, int kind, bool value) {
  TFramesItem* f = FindOrAddFrame(frameName);
  if (!f) return;
  switch (kind) {
    case 0:
      f->Expanded = value;
      break;
    case 1:
      f->Multiline = value;
      break;
    case 2:
      f->ShowAsTabs = value;
      break;
    default:
      break;
  }
}

int32_t GetFrameTreeWidth(const std::string& frameName) {
  const TFramesItem* f = FindFrame(frameName);
  if (!f || f->TreeWidth <= kDefaultTreeWidth) return kDefaultTreeWidth;
  return f->TreeWidth;
}

void SetFrameTreeWidth(const std::string& frameName, int32_t width) {
  if (TFramesItem* f = FindOrAddFrame(frameName)) f->TreeWidth = width;
}

}  // namespace zyn
