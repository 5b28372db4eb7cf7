#include "visu/VisuProject.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"
#include "visu/RunTimeOptions.h"

#include <filesystem>
#include <system_error>

namespace zyn {

namespace fs = std::filesystem;

namespace {

std::string Quoted(const std::string& ansi) { return "\"" + ansi + "\""; }

// A name that becomes one file in the run-time folder: no folder parts, no way out of it.
std::string CheckedFileName(const std::string& ansi) {
  if (ansi.empty() || ansi == "." || ansi == ".." || ansi.size() > 255 ||
      ansi.find_first_of(std::string("/\\\0", 3)) != std::string::npos) {
    throw EWriteError(Ansi("Ungültiger Dateiname: ") + Quoted(ansi));
  }
  return ansi;
}

// The name with its extension replaced (or added when it has none).
std::string ChangeFileExt(const std::string& name, const std::string& ext) {
  const size_t dot = name.find_last_of('.');
  return (dot == std::string::npos ? name : name.substr(0, dot)) + ext;
}

fs::path PathOf(const fs::path& folder, const std::string& ansiName) { return folder / fs::path(AnsiToUtf8(ansiName)); }

}  // namespace

TVisuExportEnv TVisuExportEnv::Programme() {
  TVisuExportEnv env;
  env.SystemDataDir = GetSystemPath();
  env.Translate = [](const std::string& text) { return TranslateText(text); };
  return env;
}

// ---- TVisuReserved ----------------------------------------------------------------------------

void TVisuReserved::ReadData(TReader& reader) {
  reader.Read(Raw.data(), Raw.size());
  Text1 = reader.ReadString();
  Number1 = reader.ReadInteger();
  Text2 = reader.ReadString();
  Number2 = reader.ReadInteger();
  Text3 = reader.ReadString();
  Text4 = reader.ReadString();
  Text5 = reader.ReadString();
  Text6 = reader.ReadString();
}

void TVisuReserved::WriteData(TWriter& writer) const {
  writer.Write(Raw.data(), Raw.size());
  writer.WriteString(Text1);
  writer.WriteInteger(Number1);
  writer.WriteString(Text2);
  writer.WriteInteger(Number2);
  writer.WriteString(Text3);
  writer.WriteString(Text4);
  writer.WriteString(Text5);
  writer.WriteString(Text6);
}

// ---- TVisuProject -----------------------------------------------------------------------------

namespace {
TVisuProject::TPageFactory& DefaultPageFactory() {
  static TVisuProject::TPageFactory factory;
  return factory;
}
}  // namespace

void TVisuProject::SetDefaultPageFactory(TPageFactory factory) { DefaultPageFactory() = std::move(factory); }

TVisuProject::TVisuProject()
    : fPageFactory(DefaultPageFactory() ? DefaultPageFactory() : [] { return std::make_unique<TVisuPage>(); }) {}

TVisuProject::~TVisuProject() { ClearPages(); }

int32_t TVisuProject::AddPage(std::unique_ptr<TVisuPage> page) {
  fPages.push_back(std::move(page));
  return PageCount() - 1;
}

void TVisuProject::ClearPages() {
  while (!fPages.empty()) fPages.pop_back();  // from the last page to the first
}

std::unique_ptr<TVisuPage> TVisuProject::RemovePage(const TVisuPage* page) {
  for (auto it = fPages.begin(); it != fPages.end(); ++it) {
    if (it->get() == page) {
      std::unique_ptr<TVisuPage> out = std::move(*it);
      fPages.erase(it);
      return out;
    }
  }
  return nullptr;
}

TVisuPage* TVisuProject::GetPage(int32_t index) const {
  if (index < 0 || index >= PageCount()) return nullptr;
  return fPages[static_cast<size_t>(index)].get();
}

void TVisuProject::ChangeModuleAddress(int32_t steuermodul, int32_t oldModul, int32_t newModul,
                                       const std::string& modulKennung) {
  for (auto& page : fPages) page->ChangeModuleAddress(steuermodul, oldModul, newModul, modulKennung);
  for (int32_t i = 0; i < DispatcherList.Count(); ++i) {
    TXMLDispatcherObject& e = DispatcherList.Item(i);
    if (e.Steuermodul == steuermodul && e.Modul == oldModul) e.Modul = newModul;
  }
}

void TVisuProject::ModuleDeleted(int32_t steuermodul, int32_t modul) {
  for (auto& page : fPages) page->ModuleDeleted(steuermodul, modul);
  for (int32_t i = DispatcherList.Count() - 1; i >= 0; --i) {
    const TXMLDispatcherObject& e = DispatcherList.Item(i);
    if (e.Steuermodul == steuermodul && e.Modul == modul) DispatcherList.Delete(i);
  }
}

void TVisuProject::VisitLinkControls(const TIndexTeleVisitor& index, const TDispatchVisitor& channel) const {
  for (const auto& page : fPages) page->VisitLinkControls(index, channel);
}

void TVisuProject::Reset() {
  ClearPages();
  DispatcherList.Clear();
  IndexHandler.ClearIndexes();
  VisuDaten = TVisuDaten{};
  Reserved = TVisuReserved{};
  UserData.Clear();
  FirstPage.clear();
}

void TVisuProject::ReadData(TReader& reader) {
  fLastReadError.clear();
  try {
    ReadSection(reader);
  } catch (const EZYNError& e) {
    fLastReadError = e.what();
    throw;
  }
}

void TVisuProject::ReadSection(TReader& reader) {
  Reset();
  IndexHandler.ReadData(reader);
  DispatcherList.ReadData(reader);
  VisuDaten.ReadData(reader);
  Reserved.ReadData(reader);
  UserData.ReadUsers(reader);
  FirstPage = reader.ReadString();
  reader.ReadListBegin();
  while (!reader.EndOfList()) {
    std::unique_ptr<TVisuPage> page = fPageFactory();
    TComponentRecord rec;
    try {
      rec.ReadRoot(reader);
    } catch (const EZYNError& e) {
      const std::string name = rec.Name;
      page->SetRecord(std::move(rec));
      AddPage(std::move(page));
      throw EReadError(Ansi("Fehler beim Laden der Seite ") + Quoted(name) + ": " + e.what());
    }
    page->SetRecord(std::move(rec));
    AddPage(std::move(page));
  }
  reader.ReadListEnd();
}

void TVisuProject::WriteData(TWriter& writer) const {
  // Every page first, so a page that cannot be stored leaves the stream untouched.
  std::vector<uint8_t> pages;
  for (const auto& page : fPages) {
    try {
      TMemoryStream ms;
      {
        TWriter pageWriter(ms);
        page->MakeRecord().WriteRoot(pageWriter);
      }
      pages.insert(pages.end(), ms.Bytes().begin(), ms.Bytes().end());
    } catch (const EZYNError& e) {
      throw EWriteError(Ansi("Fehler beim Schreiben der Seite ") + Quoted(page->Name()) + ": " + e.what());
    }
  }
  IndexHandler.WriteData(writer);
  DispatcherList.WriteData(writer);
  VisuDaten.WriteData(writer);
  Reserved.WriteData(writer);
  UserData.WriteUsers(writer);
  writer.WriteString(FirstPage);
  writer.WriteListBegin();
  writer.Write(pages.data(), pages.size());
  writer.WriteListEnd();
}

void TVisuProject::LoadFromFile(const std::string& fileName) { LoadFilerFile(*this, fileName); }

void TVisuProject::SaveToFile(const std::string& fileName) const { SaveFilerFile(*this, fileName); }

namespace {

// The folder "Pages" below the run-time folder; only that one level is created.
fs::path MakePagesFolder(const fs::path& dir) {
  const fs::path pagesDir = dir / "Pages";
  std::error_code ec;
  if (!fs::is_directory(pagesDir, ec)) {
    if (!fs::create_directory(pagesDir, ec) || ec) {
      throw EWriteError(Ansi("Der Ordner ") + Quoted(Utf8ToAnsi(pagesDir.string())) +
                        Ansi(" konnte nicht angelegt werden."));
    }
  }
  return pagesDir;
}

// The ".vpg" file of a page: its component name with the extension replaced.
fs::path PageFile(const fs::path& pagesDir, const std::string& pageName) {
  if (pageName.find_first_of(std::string("/\\\0", 3)) != std::string::npos) {
    throw EWriteError(Ansi("Ungültiger Seitenname: ") + Quoted(pageName));
  }
  return PathOf(pagesDir, CheckedFileName(ChangeFileExt(pageName, ".vpg")));
}

}  // namespace

void TVisuProject::ExportRunTime(const std::string& folder, const TVisuExportEnv& env) {
  const fs::path dir(folder);
  auto target = [&](const char* name) {
    return PathOf(dir, CheckedFileName(env.Translate ? env.Translate(name) : std::string(name)));
  };

  WriteRunTimeOptions(target("ZYNVisu.ini").string(), ChangeFileExt(FirstPage, ".vpg"), ConnectOnStart);
  const fs::path pagesDir = MakePagesFolder(dir);
  SaveDispatcherList(target("ZYNVisu.dol").string());
  for (const auto& page : fPages) page->SaveToFile(PageFile(pagesDir, page->Name()).string());

  // The run-time programs, when the system data folder has them.
  static const char* const kCopies[][2] = {
      {"Visu.lfz", "ZYNVisu.exe"}, {"Admin.lfz", "VisuAdmin.exe"}, {"VisuAdmin.txml", "VisuAdmin.txml"}};
  for (const auto& copy : kCopies) {
    if (env.SystemDataDir.empty()) break;
    const std::string source = (fs::path(env.SystemDataDir) / copy[0]).string();
    if (!FileExists(source)) continue;
    const std::vector<uint8_t> bytes = ReadFileBytes(source);
    WriteFileAtomic(target(copy[1]).string(), bytes.data(), bytes.size());
  }

  UserData.SaveUsersToFile((dir / "VisuUserData.udf").string());
}

}  // namespace zyn
