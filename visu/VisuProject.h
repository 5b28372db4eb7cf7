#pragma once
// The visualisation part of a project: pages, the channel list, index numbers, screen
// settings, users and the start page; its section of the project stream; renumbering when a
// module changes address; and the export of the run-time folder.

#include "model/base/Filer.h"
#include "visu/DispatcherList.h"
#include "visu/IndexHandler.h"
#include "visu/VisuDaten.h"
#include "visu/VisuLinks.h"
#include "visu/VisuPage.h"
#include "visu/VisuUserData.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zyn {

// A record of the section that this version does not use; it is carried through unchanged.
struct TVisuReserved {
  std::array<uint8_t, 16> Raw{};
  std::string Text1;
  int32_t Number1 = 0;
  std::string Text2;
  int32_t Number2 = 0;
  std::string Text3;
  std::string Text4;
  std::string Text5;
  std::string Text6;

  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;
  bool operator==(const TVisuReserved&) const = default;
};

// What the run-time export takes from the programme around it.
struct TVisuExportEnv {
  std::string SystemDataDir;  // folder of "Visu.lfz", "Admin.lfz", "VisuAdmin.txml"; "" for none
  // Translation of the names of the created files; the identity when not set.
  std::function<std::string(const std::string&)> Translate;

  // The programme's own: the system data folder of the options file and its translation table.
  static TVisuExportEnv Programme();
};

// The project is the compile driver's link source: the controls of all its pages.
class TVisuProject : public IVisuLinkSource {
 public:
  using TPageFactory = std::function<std::unique_ptr<TVisuPage>()>;

  TVisuProject();
  ~TVisuProject() override;
  TVisuProject(const TVisuProject&) = delete;
  TVisuProject& operator=(const TVisuProject&) = delete;

  bool ConnectOnStart = false;  // run-time option; not part of the project stream
  TXMLDispatcherObjectList DispatcherList;
  TIndexHandler IndexHandler;
  TVisuReserved Reserved;
  std::string FirstPage;  // component name of the start page, "" for none
  TUserDataList UserData;
  TVisuDaten VisuDaten;

  // Pages in designer order; the project owns them.
  int32_t PageCount() const { return static_cast<int32_t>(fPages.size()); }
  int32_t AddPage(std::unique_ptr<TVisuPage> page);
  void ClearPages();
  // Unlinks the page and hands it to the caller; nothing when the page is not in the list.
  std::unique_ptr<TVisuPage> RemovePage(const TVisuPage* page);
  // The page at the index, nullptr for an index outside 0 .. PageCount() - 1.
  TVisuPage* GetPage(int32_t index) const;
  // Makes the pages that ReadData creates (a visual page class in the designer).
  void SetPageFactory(TPageFactory factory) { fPageFactory = std::move(factory); }
  // The factory every project created afterwards starts with (the programme sets the visual
  // page of the designer); none given: plain record pages.
  static void SetDefaultPageFactory(TPageFactory factory);

  // A module of control module `steuermodul` moves from module byte oldModul to newModul
  // (module class x 32 + address): every binding of every page and every channel entry follows;
  // with the module's code ("OUT") the texts naming the bindings show the new address too.
  void ChangeModuleAddress(int32_t steuermodul, int32_t oldModul, int32_t newModul,
                           const std::string& modulKennung = "");
  // The same for a module given by its class and its old and new address.
  void ChangeModuleAddress(int32_t steuermodul, int32_t basisKlasse, int32_t oldAddress, int32_t newAddress,
                           const std::string& modulKennung = "") {
    ChangeModuleAddress(steuermodul, basisKlasse * 32 + oldAddress, basisKlasse * 32 + newAddress, modulKennung);
  }
  // The module (module byte) of the control module is deleted: the controls bound to it become
  // unbound (TVisuPage::ModuleDeleted) and its channel entries leave the list.
  void ModuleDeleted(int32_t steuermodul, int32_t modul);

  // IVisuLinkSource: the controls of every page in page order.
  void VisitLinkControls(const TIndexTeleVisitor& index, const TDispatchVisitor& channel) const override;

  // The section of the project stream. Writing builds every page's record first, so a page
  // that cannot be stored fails the save (EWriteError naming the page) before any byte of the
  // section is written. Reading starts from the values after creation; a page that fails to
  // read keeps what was read and is added, and the failure is passed on naming the page.
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;
  // The message of the failure that ended the last ReadData ("" after a complete read), kept
  // for a caller that goes on loading the project and reports it afterwards.
  const std::string& LastReadError() const { return fLastReadError; }
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

  void LoadDispatcherList(const std::string& fileName) { DispatcherList.ReadXML(fileName); }
  void SaveDispatcherList(const std::string& fileName) const { DispatcherList.WriteXML(fileName); }

  // Writes the run-time folder: "ZYNVisu.ini", "ZYNVisu.dol", "Pages/<name>.vpg", the program
  // copies present in the system data folder and "VisuUserData.udf". Stops at the first
  // failure and passes it on; what was written before stays.
  virtual void ExportRunTime(const std::string& folder, const TVisuExportEnv& env = {});

 private:
  void Reset();
  void ReadSection(TReader& reader);
  std::string fLastReadError;
  std::vector<std::unique_ptr<TVisuPage>> fPages;
  TPageFactory fPageFactory;
};

}  // namespace zyn
