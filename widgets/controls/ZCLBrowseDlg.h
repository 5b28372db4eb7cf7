#pragma once
// The folder browse dialog: a modal folder tree over a form, with a caption line, an optional
// status line showing the shortened path of the selection and an optional edit box; after a
// confirmed run SelectedFolder holds the chosen path.

#include "platform/Types.h"
#include "widgets/controls/ZCLObject.h"

#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>

class QDialog;
class QTreeView;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zyn {

enum TZCLDlgPosRel { brScreen, brScreenWorkArea, brMainForm, brActiveWindow };
enum TZCLDlgPosition {
  bpCustom,
  bpTopLeft,
  bpTopCenter,
  bpTopRight,
  bpCenterLeft,
  bpCenter,
  bpCenterRight,
  bpBottomLeft,
  bpBottomCenter,
  bpBottomRight
};
enum TZCLBrowseDlgOption {
  doBrowseForComputer,
  doBrowseForPrinter,
  doDontGoBelowDomain,
  doReturnFileSysAncestors,
  doReturnFileSysDirs,
  doStatusText,
  doShowFiles,
  doAllowEdit,
  doShowPath,
  doEnableOK,
  doNewGUI,
  doNewGUINoNewFolderBtn
};
using TZCLBrowseDlgOptions = std::uint16_t;  // bit n = option of ordinal n
constexpr TZCLBrowseDlgOptions BrowseOption(TZCLBrowseDlgOption o) {
  return static_cast<TZCLBrowseDlgOptions>(1u << o);
}

enum TZCLSystemFolders {
  bfoDesktop,
  bfoDesktopExpanded,
  bfoPrograms,
  bfoControlPanel,
  bfoPrinters,
  bfoPersonal,
  bfoFavorites,
  bfoStartup,
  bfoRecent,
  bfoSendto,
  bfoRecycleBin,
  bfoStartMenu,
  bfoDesktopDirectory,
  bfoMyComputer,
  bfoNetwork,
  bfoNetworkNeighborhood,
  bfoInternet,
  bfoFonts,
  bfoTemplates,
  bfoCommonStartMenu,
  bfoCommonPrograms,
  bfoCommonStartup,
  bfoCommonDesktopDirectory,
  bfoAppData,
  bfoPrintHood,
  bfoAltStartup,
  bfoCommonAltstartup,
  bfoCommonFavorites,
  bfoInternetChache,
  bfoCookies,
  bfoHistory,
  bfoProfile,
  bfoConnections,
  bfoCommonMusic,
  bfoCommonPictures,
  bfoCommonVideos,
  bfoCDBurnArea,
  bfpProfiles
};

class TZCLBrowseDlg : public TZCLCustomComponent {
  Q_OBJECT
 public:
  explicit TZCLBrowseDlg(QObject* owner = nullptr);
  ~TZCLBrowseDlg() override;

  TZCLNotifyEvent OnInit;
  std::function<void(QObject* Sender, const QString& path, bool& Cancel)> OnValidate;
  std::function<void(QObject* Sender, QDialog* DialogHandle, const QString& path)> OnSelectionChanged;

  QString SelectedFolder() const { return FSelectedFolder; }
  // Stores the folder; while the dialog is open it also selects it there.
  void SetSelectedFolder(const QString& value);
  QString SelectedDisplayName() const { return FSelectedDisplayName; }
  QString Caption() const { return FCaption; }
  void SetCaption(const QString& value) { FCaption = value; }
  QString CaptionTitle() const { return FCaptionTitle; }
  void SetCaptionTitle(const QString& value) { FCaptionTitle = value; }
  QString StatusText() const { return FStatusText; }
  void SetStatusText(const QString& value);
  TZCLBrowseDlgOptions Options() const { return FOptions; }
  void SetOptions(TZCLBrowseDlgOptions value) { FOptions = value; }
  bool HasOption(TZCLBrowseDlgOption o) const { return FOptions & BrowseOption(o); }
  TZCLDlgPosition Position() const { return FPosition; }
  void SetPosition(TZCLDlgPosition value) { FPosition = value; }
  TZCLDlgPosRel RelatePos() const { return FRelatePos; }
  void SetRelatePos(TZCLDlgPosRel value) { FRelatePos = value; }
  TZCLSystemFolders StartFolder() const { return FStartFolder; }
  void SetStartFolder(TZCLSystemFolders value) { FStartFolder = value; }

  // Runs the dialog modally over form (may be null); true when the user confirmed a folder.
  bool Execute(QWidget* form);
  // The open dialog, null outside Execute.
  QDialog* DialogHandle() const;

  // The browse flags of the options, as the platform's folder browser takes them.
  std::uint32_t BrowseFlags() const;
  // The shell folder identifier of a start folder.
  static std::int32_t ShellFolderId(TZCLSystemFolders folder);
  // The local folder a start folder opens the tree at (empty: the file-system root).
  static QString StartPath(TZCLSystemFolders folder);
  // The path cut to limit characters by replacing leading folders with "...\".
  static QString ShortenPath(const QString& path, int limit);
  // Where a w x h window goes in the rectangle r, kept inside a desktop of the given size.
  // The name a new folder gets in parent: "Neuer Ordner", then "Neuer Ordner (2)", ...
  static QString NewFolderName(const QString& parent);
  // Makes a new folder below the selected one and selects it; false when it could not be made.
  bool MakeNewFolder();
  static TPoint PlaceInRect(TZCLDlgPosition position, const TRect& r, int w, int h, int desktopWidth,
                            int desktopHeight);

 private:
  TRect RelationRect() const;
  void SelectionChanged();
  void SelectPath(const QString& path);
  QString CurrentPath() const;
  bool TryAccept();

  QString FSelectedFolder;
  QString FSelectedDisplayName;
  QString FCaption;
  QString FCaptionTitle;
  QString FStatusText;
  QPointer<QDialog> FDialog;
  TZCLDlgPosRel FRelatePos = brActiveWindow;
  TZCLBrowseDlgOptions FOptions = BrowseOption(doReturnFileSysDirs) | BrowseOption(doShowPath);
  TZCLDlgPosition FPosition = bpCenter;
  TZCLSystemFolders FStartFolder = bfoDesktopExpanded;
  QTreeView* FTree = nullptr;
  QFileSystemModel* FModel = nullptr;
  QLabel* FStatus = nullptr;
  QLineEdit* FEdit = nullptr;
  QPushButton* FOk = nullptr;
  QPushButton* FNewFolder = nullptr;
  bool FTypedRejected = false;
};

}  // namespace zyn
