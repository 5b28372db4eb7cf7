#pragma once
// The folder browse dialog as a component: properties, a run operation and events, over Qt's
// directory dialog.

#include <QFontMetrics>
#include <QString>

#include <functional>

class QWidget;

namespace zyn {

enum TRootID {
  idDesktop,
  idInternet,
  idPrograms,
  idControlPanel,
  idPrinters,
  idPersonal,
  idFavorites,
  idStartup,
  idRecent,
  idSendTo,
  idRecycleBin,
  idStartMenu,
  idDesktopDirectory,
  idDrives,
  idNetwork,
  idNetHood,
  idFonts,
  idTemplates,
  idCommonStartMenu,
  idCommonPrograms,
  idCommonStartup,
  idCommonDesktopDirectory,
  idAppData,
  idPrintHood,
  idDesktopExpanded
};

enum TBrowseFlag : unsigned {
  bfDirectoriesOnly = 1u << 0,
  bfDomainOnly = 1u << 1,
  bfAncestors = 1u << 2,
  bfComputers = 1u << 3,
  bfPrinters = 1u << 4,
  bfIncludeFiles = 1u << 5,
  bfEditBox = 1u << 6,
  bfIncludeURLs = 1u << 7,
  bfNewDialogStyle = 1u << 8,
  bfShareable = 1u << 9,
  bfUseNewUI = 1u << 10
};
using TBrowseFlags = unsigned;

// The options with their implied flags (URLs need files and the new interface, and so on).
TBrowseFlags NormalizeBrowseOptions(TBrowseFlags options);
// The standard browse flags handed to the shell for these options and status settings.
unsigned ShellBrowseFlags(TBrowseFlags options, bool hasStatusText, bool showSelectionInStatus);
// The folder of a root (the user's home for the roots the system has no folder for).
QString RootFolder(TRootID root);
// Shortens a status text to a width: an existing directory keeps its first element and its last
// folder, replacing the folders between by "...\"; other texts are cut at the end with "...".
QString FitStatusText(const QString& text, int width, const QFontMetrics& metrics);

class TzsBrowseDirectoryDlg {
 public:
  QString Title;
  TRootID Root = idDesktop;
  TBrowseFlags Options() const { return fOptions; }
  void SetOptions(TBrowseFlags options) { fOptions = NormalizeBrowseOptions(options); }
  QString Selection;
  QString StatusText;
  bool FitStatusText = true;
  bool ShowSelectionInStatus = false;
  bool EnableOKButton = true;
  bool Center = true;
  QString Caption;
  int ImageIndex = -1;
  QString Version() const { return QStringLiteral("TzsBrowseDirectoryDlg v2.62"); }

  std::function<void(TzsBrowseDirectoryDlg*)> OnCreate;
  std::function<void(TzsBrowseDirectoryDlg*, const QString& path)> OnSelChanged;
  // The typed name names no folder; the handler may set cancel to close the dialog.
  std::function<void(TzsBrowseDirectoryDlg*, const QString& typed, bool& cancel)> OnValidateFailed;

  // Runs the dialog modally over parent; true when a folder was chosen (then in Selection).
  virtual bool Execute(QWidget* parent = nullptr);
  virtual ~TzsBrowseDirectoryDlg() = default;

 private:
  TBrowseFlags fOptions = 0;
};

}  // namespace zyn
