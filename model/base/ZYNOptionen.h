#pragma once
// The options file: all settings of the programme in one XML collection with one item, which
// holds one nested collection per option group. GOptionFile is created and loaded at start, filled
// with defaults and saved on the very first run, and read everywhere through the accessors below.
//
// Texts are model text (Windows-1252); the path options and the serial device are file names and
// so UTF-8, as every file name below the user interface. An options file of an older version
// that holds them as Windows-1252 is converted once when it is read. File names passed to
// LoadFromFile/SaveToFile are UTF-8 too.

#include "model/base/XMLCollection.h"

#include <cstdint>
#include <memory>
#include <string>

namespace zyn {

// Base of the item classes of the option groups.
class TZYNOptionItem : public TXMLCollectionItem {
 public:
  // programFolder: the folder (model text, trailing "/") below which the default data folders lie.
  virtual void SetDefaults(const std::string& programFolder) {}
};

// Group "Optionen": general switches and the main window's bounds.
class TOptionItem : public TZYNOptionItem {
 public:
  static const TXMLItemClass& Class();
  const TXMLItemClass& ItemClass() const override { return Class(); }
  void SetDefaults(const std::string& programFolder) override;

  // Boolean indexes 0..16 and integer indexes 0..8; other indexes read false or 0 and are not set.
  virtual bool GetBool(int index) const;
  virtual int32_t GetInt(int index) const;
  virtual void SetBool(int index, bool value);
  virtual void SetInt(int index, int32_t value);

  bool StartAssist = false, ConfirmDelete = false, ShowHint = false, DirectRename = false;
  bool SaveTrash = false, AutoInsertDB = false, AutoInsertKD = false, AutoloadPlugins = false;
  bool ProgModules = false, UseHotTracking = false, GfxPrgTree = false, AutoText = false;
  bool ConfigAssist = false, LogicTest = false, ShowThumbs = false, EMDPOR = false;
  bool PlainThumbs = false, FirstRun = false;
  int32_t MainFormLeft = 0, MainFormTop = 0, MainFormWidth = 0, MainFormHeight = 0;
  int32_t MainFormState = 0, PorWaitTime = 0, Language = 0, RandomMin = 0, RandomMax = 0;
};

// Boolean option indexes of GetBoolOption.
enum TBoolOption {
  boStartAssist,
  boConfirmDelete,
  boShowHint,
  boDirectRename,
  boSaveTrash,
  boAutoInsertDB,
  boAutoInsertKD,
  boAutoloadPlugins,
  boProgModules,
  boUseHotTracking,
  boGfxPrgTree,
  boAutoText,
  boConfigAssist,
  boLogicTest,
  boShowThumbs,
  boEMDPOR,
  boPlainThumbs
};
// Integer option indexes of GetIntOption.
enum TIntOption {
  ioMainFormLeft,
  ioMainFormTop,
  ioMainFormWidth,
  ioMainFormHeight,
  ioMainFormState,
  ioPorWaitTime,
  ioLanguage,
  ioRandomMin,
  ioRandomMax
};
// Path indexes of GetPathOption.
enum TPathOption { poSystemPath, poDatabasePath, poPluginPath, poProjectPath, poDownloadPath, poGfxPath };

// Group "Path": the data folders.
class TPathItem : public TZYNOptionItem {
 public:
  static const TXMLItemClass& Class();
  const TXMLItemClass& ItemClass() const override { return Class(); }
  void SetDefaults(const std::string& programFolder) override;

  // Path indexes 0..5 (TPathOption); other indexes give an empty text and are not set.
  std::string GetPath(int index) const;
  void SetPath(int index, const std::string& path);

  std::string SystemPath, ProjectPath, DatabasePath, PluginPath, DownloadPath, GfxPath;
};

// Group "SerialPort": the bus link.
class TSerialPortItem : public TZYNOptionItem {
 public:
  static const TXMLItemClass& Class();
  const TXMLItemClass& ItemClass() const override { return Class(); }
  void SetDefaults(const std::string& programFolder) override;

  int32_t Source = 0, Target = 0, MaxRepeat = 0, MaxTimeout = 0, MinPause = 0;
  // The serial device of the bus link (/dev/ttyUSB0, /dev/ttyS0, a pseudo-terminal); empty: the
  // device of the port number Source + 1.
  std::string DevicePath;
};

// Group "FileMenu": the recent-files list.
class TFileMenuItem : public TZYNOptionItem {
 public:
  static const TXMLItemClass& Class();
  const TXMLItemClass& ItemClass() const override { return Class(); }
  void SetDefaults(const std::string& programFolder) override;

  bool DeleteTarget = false;
  int32_t MaxItems = 0;
  bool ShowAsSubmenu = false, ShowFolder = false;
};

// Group "Display": defaults of the display designer.
class TDisplayItem : public TZYNOptionItem {
 public:
  static const TXMLItemClass& Class();
  const TXMLItemClass& ItemClass() const override { return Class(); }
  void SetDefaults(const std::string& programFolder) override;

  std::string DefaultOnText, DefaultOffText, DefaultForward, DefaultBack;
  bool RasterOn = false;
  int32_t DispColor = 0, DispKontrast = 0;
};

// Group "Internet".
class TInternetItem : public TZYNOptionItem {
 public:
  static const TXMLItemClass& Class();
  const TXMLItemClass& ItemClass() const override { return Class(); }
  void SetDefaults(const std::string& programFolder) override;

  std::string WWWAddress, FTPAddress;
  bool UseProxy = false;
  std::string WWWProxy, FTPProxy;
  int32_t FTPPort = 0;
  std::string MailServer;
  // Where support requests go ("Support-Adresse"); the maker's address until the user changes it,
  // also for an options file written before the key existed. Blank: no request is sent.
  std::string SupportAddress = DefaultSupportAddress();
  // The maker's support address of the branding data.
  static std::string DefaultSupportAddress();
};

// Group "Update".
class TUpdateItem : public TZYNOptionItem {
 public:
  static const TXMLItemClass& Class();
  const TXMLItemClass& ItemClass() const override { return Class(); }
  void SetDefaults(const std::string& programFolder) override;

  std::string Status;
};

// Group "VisuDesign".
class TVisuItem : public TZYNOptionItem {
 public:
  static const TXMLItemClass& Class();
  const TXMLItemClass& ItemClass() const override { return Class(); }
  void SetDefaults(const std::string& programFolder) override;

  bool HasMonitorPanel = false, HasOutlookBar = false;
};

// Group "STMCompiler": stored only.
class TSTMCompilerItem : public TZYNOptionItem {
 public:
  static const TXMLItemClass& Class();
  const TXMLItemClass& ItemClass() const override { return Class(); }
  void SetDefaults(const std::string& programFolder) override;

  int32_t EE2Start = 0, EE2Ende = 0, MaxPacketSize = 0;
};

// Group "BasisDaten": the installer's company data.
class TUserBasisDaten : public TZYNOptionItem {
 public:
  static const TXMLItemClass& Class();
  const TXMLItemClass& ItemClass() const override { return Class(); }

  std::string Firma1, Firma2, Bearbeiter, Strasse, PLZ, Ort, Telefon, Fax, email, Bemerkungen;
};

// Group "Frames": one entry per page that stored its settings.
class TFramesItem : public TZYNOptionItem {
 public:
  static const TXMLItemClass& Class();
  const TXMLItemClass& ItemClass() const override { return Class(); }

  std::string FrameName;
  bool Expanded = false, Multiline = false, ShowAsTabs = false;
  int32_t TreeWidth = 0;
};

// Group "Printer": the printer set-up of the programme, in the printer's device codes: paper
// 9 A4, 8 A3, 11 A5, 1 Letter, 5 Legal ...; orientation 1 portrait, 2 landscape; duplex 1 none,
// 3 short side, 2 long side; colour 2 colour, 1 monochrome; dither 1 none, 2 coarse, 3 fine,
// 4 line art, 10 grey scale; quality -1 draft, -2 low, -3 medium, -4 high. An empty printer name
// is the system's default printer.
class TPrinterItem : public TZYNOptionItem {
 public:
  static const TXMLItemClass& Class();
  const TXMLItemClass& ItemClass() const override { return Class(); }

  std::string PrinterName;
  int32_t PaperSize = 9, Orientation = 1, Copies = 1, Duplex = 1, PrintColor = 2, DitherType = 1,
          PrintQuality = -3;
  bool Collate = false;
};

// A collection of one option group.
template <class T>
class TOptionGroup : public TXMLCollectionOf<T> {
 public:
  TOptionGroup() : TXMLCollectionOf<T>("TXMLCollection") {}
  // The first item, made when the group is empty.
  T& First() { return this->Count() > 0 ? *this->Items(0) : *this->Add(); }
};

// The one item of the options file.
class TZYNOptionen : public TXMLCollectionItem {
 public:
  static const TXMLItemClass& Class();
  const TXMLItemClass& ItemClass() const override { return Class(); }
  TZYNOptionen();

  // Defaults of the groups Internet, FileMenu, SerialPort, Update, VisuDesign, Optionen, Path,
  // STMCompiler and Display (not BasisDaten, not Frames).
  void SetDefaults(const std::string& programFolder);

  std::string ConfigFile;
  std::unique_ptr<TOptionGroup<TUserBasisDaten>> BasisDaten;
  std::unique_ptr<TOptionGroup<TDisplayItem>> Display;
  std::unique_ptr<TOptionGroup<TFileMenuItem>> FileMenu;
  std::unique_ptr<TOptionGroup<TFramesItem>> Frames;
  std::unique_ptr<TOptionGroup<TInternetItem>> Internet;
  std::unique_ptr<TOptionGroup<TOptionItem>> Optionen;
  std::unique_ptr<TOptionGroup<TPathItem>> Path;
  std::unique_ptr<TOptionGroup<TSerialPortItem>> SerialPort;
  std::unique_ptr<TOptionGroup<TSTMCompilerItem>> STMCompiler;
  std::unique_ptr<TOptionGroup<TUpdateItem>> Update;
  std::unique_ptr<TOptionGroup<TVisuItem>> VisuDesign;
  std::unique_ptr<TOptionGroup<TPrinterItem>> Printer;
};

// The options file. Always holds at least one item; its operations refer to the first.
class TZYNOptionFile : public TXMLCollectionOf<TZYNOptionen> {
 public:
  // programFolder: native folder (trailing "/") below which the default data folders lie; empty
  // means ProgramDataFolder of the running programme.
  explicit TZYNOptionFile(std::string programFolder = {});

  TZYNOptionen& Optionen();
  void SetDefaults();
  // FirstRun of the first item of the group Optionen; true when that group has no item.
  bool FirstRun();
  void SetFirstRun(bool value);

  // Loads the file; false when it is missing or unreadable. The collection keeps an item.
  bool LoadFromFile(const std::string& fileName) override;
  // When the defaults were never applied (FirstRun false): applies them, sets FirstRun and saves
  // the file at once. Returns whether that happened; EWriteError when the file cannot be written
  // (the defaults stay applied in memory).
  bool ApplyFirstRun(const std::string& fileName);

 private:
  std::string fProgramFolder;
};

// The options of the running programme.
extern std::unique_ptr<TZYNOptionFile> GOptionFile;

struct TSerialPortSettings {
  int32_t Source = 0;
  int32_t Target = 0;
  int32_t MaxTimeout = 0;
  int32_t MinPause = 0;
  int32_t MaxRepeat = 0;
  std::string DevicePath;
};

// Accessors of GOptionFile (first item, first item of the group). Without GOptionFile they read
// false, 0 or empty texts and set nothing.
bool GetBoolOption(int index);
void SetBoolOption(int index, bool value);
int32_t GetIntOption(int index);
void SetIntOption(int index, int32_t value);
void GetPathOption(int index, std::string& text);  // leaves text for an unknown index
std::string GetSystemPath();                       // SystemPath with a trailing "/"
std::string GetSystemPathByIndex();                // the same, through the path index table
std::string GetProjectPath();                      // ProjectPath with a trailing "/"
std::string GetDatabasePath();                     // DatabasePath with a trailing "/"
int32_t GetComPortIndex();                         // the bus link uses port Source + 1
void GetSerialPortSettings(TSerialPortSettings& settings);
int32_t GetBusBaudrate();  // always 19200
void GetDisplayOnOffTexts(std::string& onText, std::string& offText);
void GetDisplayNavTexts(std::string& forward, std::string& back);
int32_t GetRecentFilesMax();
void GetMailSetting(int kind, std::string& text);             // 0 BasisDaten.email, 1 Internet.MailServer
bool GetFrameOption(const std::string& frameName, int kind);  // 0 Expanded, 1 Multiline, 2 ShowAsTabs
void SetFrameOption(const std::string& frameName, int kind, bool value);
int32_t GetFrameTreeWidth(const std::string& frameName);  // 150 unless stored wider
void SetFrameTreeWidth(const std::string& frameName, int32_t width);

}  // namespace zyn
