#include "widgets/controls/ZCLBrowseDlg.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTreeView>
#include <QVBoxLayout>

#include <array>

namespace zyn {
namespace {

constexpr std::array<std::uint16_t, 12> kOptionFlags = {0x1000, 0x2000, 0x0002, 0x0008, 0x0001, 0x0004,
                                                        0x4000, 0x0010, 0x0000, 0x0000, 0x0040, 0x0200};

constexpr std::array<std::int32_t, 38> kFolderIds = {0,  65278, 2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 16,
                                                     17, 18,    19, 1,  20, 21, 22, 23, 24, 25, 26, 27, 29,
                                                     30, 31,    32, 33, 34, 40, 49, 53, 54, 55, 59, 62};

// Leading and trailing blanks and control characters removed.
QString TrimPath(const QString& path) {
  int a = 0, b = static_cast<int>(path.size());
  while (a < b && path[a].unicode() <= 32) ++a;
  while (b > a && path[b - 1].unicode() <= 32) --b;
  return path.mid(a, b - a);
}

// Takes the first folder off a directory part that was already shortened or not.
QString CutFirstDirectory(QString d) {
  if (d == QLatin1String("\\")) return QString();
  bool lead = false;
  if (d.startsWith(QLatin1Char('\\'))) {
    lead = true;
    d.remove(0, 1);
  }
  if (d.startsWith(QLatin1Char('.'))) d.remove(0, 4);
  const int slash = static_cast<int>(d.indexOf(QLatin1Char('\\')));
  if (slash >= 0)
    d = QStringLiteral("...\\") + d.mid(slash + 1);
  else
    d.clear();
  if (lead) d.prepend(QLatin1Char('\\'));
  return d;
}

}  // namespace

TZCLBrowseDlg::TZCLBrowseDlg(QObject* owner) : TZCLCustomComponent(owner) {}

TZCLBrowseDlg::~TZCLBrowseDlg() = default;

QDialog* TZCLBrowseDlg::DialogHandle() const { return FDialog.data(); }

std::uint32_t TZCLBrowseDlg::BrowseFlags() const {
  std::uint32_t flags = 0;
  for (int i = 0; i < 12; ++i)
    if (FOptions & (1u << i)) flags |= kOptionFlags[i];
  if (HasOption(doAllowEdit)) flags |= 0x0020;
  return flags;
}

std::int32_t TZCLBrowseDlg::ShellFolderId(TZCLSystemFolders folder) { return kFolderIds.at(folder); }

QString TZCLBrowseDlg::StartPath(TZCLSystemFolders folder) {
  auto first = [](QStandardPaths::StandardLocation l) {
    const QStringList all = QStandardPaths::standardLocations(l);
    return all.isEmpty() ? QString() : all.first();
  };
  switch (folder) {
    case bfoPersonal:
      return first(QStandardPaths::DocumentsLocation);
    case bfoDesktopDirectory:
    case bfoCommonDesktopDirectory:
      return first(QStandardPaths::DesktopLocation);
    case bfoAppData:
      return first(QStandardPaths::AppDataLocation);
    case bfoFonts:
      return first(QStandardPaths::FontsLocation);
    case bfoProfile:
    case bfpProfiles:
      return QDir::homePath();
    case bfoCommonMusic:
      return first(QStandardPaths::MusicLocation);
    case bfoCommonPictures:
      return first(QStandardPaths::PicturesLocation);
    case bfoCommonVideos:
      return first(QStandardPaths::MoviesLocation);
    default:
      return QString();
  }
}

QString TZCLBrowseDlg::ShortenPath(const QString& source, int limit) {
  // Paths with forward slashes (the local file system here) are shortened the same way.
  if (!source.contains(QLatin1Char('\\')) && source.contains(QLatin1Char('/'))) {
    QString converted = source;
    converted.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return ShortenPath(converted, limit).replace(QLatin1Char('\\'), QLatin1Char('/'));
  }
  const QString& path = source;
  QString result = path;
  const int cut = static_cast<int>(std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char(':'))));
  QString d = path.left(cut + 1);
  const QString f = path.mid(cut + 1);
  QString v;
  if (d.size() >= 2 && d[1] == QLatin1Char(':')) {
    v = d.left(2);
    d.remove(0, 2);
  }
  while ((!d.isEmpty() || !v.isEmpty()) && result.size() > limit) {
    if (d == QLatin1String("\\...\\")) {
      v.clear();
      d = QStringLiteral("...\\");
    } else if (!d.isEmpty()) {
      d = CutFirstDirectory(d);
    } else {
      v.clear();
    }
    result = v + d + f;
  }
  return result;
}

TPoint TZCLBrowseDlg::PlaceInRect(TZCLDlgPosition position, const TRect& r, int w, int h, int desktopWidth,
                                  int desktopHeight) {
  const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
  const int cx = L + (R - L - w) / 2, cy = T + (B - T - h) / 2;
  int x = L, y = T;
  switch (position) {
    case bpCustom:
    case bpTopLeft:
      x = L;
      y = T;
      break;
    case bpTopCenter:
      x = cx;
      y = T;
      break;
    case bpTopRight:
      x = R - w;
      y = T;
      break;
    case bpCenterLeft:
      x = L;
      y = cy;
      break;
    case bpCenter:
      x = cx;
      y = cy;
      break;
    case bpCenterRight:
      x = R - w;
      y = cy;
      break;
    case bpBottomLeft:
      x = L;
      y = B - h;
      break;
    case bpBottomCenter:
      x = cx;
      y = B - h;
      break;
    case bpBottomRight:
      x = R - w;
      y = B - h;
      break;
  }
  if (y + h > desktopHeight) y = desktopHeight - h;
  if (x + w > desktopWidth) x = desktopWidth - w;
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  return {x, y};
}

TRect TZCLBrowseDlg::RelationRect() const {
  QScreen* screen = QApplication::primaryScreen();
  const TRect whole = screen ? FromQRect(screen->geometry()) : Rect(0, 0, 1024, 768);
  switch (FRelatePos) {
    case brScreen:
      return whole;
    case brScreenWorkArea:
      return screen ? FromQRect(screen->availableGeometry()) : whole;
    case brMainForm: {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w != FDialog && !w->parentWidget()) return FromQRect(w->frameGeometry());
      return whole;
    }
    case brActiveWindow: {
      QWidget* active = QApplication::activeWindow();
      if (active && active != FDialog) return FromQRect(active->frameGeometry());
      return whole;
    }
  }
  return whole;
}

void TZCLBrowseDlg::SetSelectedFolder(const QString& value) {
  if (value == FSelectedFolder) return;
  FSelectedFolder = value;
  if (FDialog) SelectPath(value);
}

void TZCLBrowseDlg::SetStatusText(const QString& value) {
  if (value == FStatusText) return;
  FStatusText = value;
  if (FDialog && FStatus) FStatus->setText(value);
}

void TZCLBrowseDlg::SelectPath(const QString& path) {
  if (!FTree || !FModel) return;
  const QModelIndex index = FModel->index(QDir::fromNativeSeparators(path));
  if (!index.isValid()) return;
  FTree->setCurrentIndex(index);
  FTree->scrollTo(index);
}

QString TZCLBrowseDlg::CurrentPath() const {
  if (!FTree || !FModel) return QString();
  const QModelIndex index = FTree->currentIndex();
  if (!index.isValid()) return QString();
  return TrimPath(QDir::toNativeSeparators(FModel->filePath(index)));
}

void TZCLBrowseDlg::SelectionChanged() {
  const QString path = CurrentPath();
  const QFileInfo info(QDir::fromNativeSeparators(path));
  if (FOk) FOk->setEnabled(!path.isEmpty() && (info.isDir() || HasOption(doShowFiles)));
  if (FNewFolder) FNewFolder->setEnabled(info.isDir() && info.isWritable());
  if (!HasOption(doShowPath) && !OnSelectionChanged) return;
  if (HasOption(doShowPath)) SetStatusText(ShortenPath(path, 40));
  if (OnSelectionChanged) OnSelectionChanged(this, FDialog, path);
}

QString TZCLBrowseDlg::NewFolderName(const QString& parent) {
  const QDir dir(QDir::fromNativeSeparators(parent));
  QString name = QStringLiteral("Neuer Ordner");
  for (int n = 2; dir.exists(name); ++n) name = QStringLiteral("Neuer Ordner (%1)").arg(n);
  return name;
}

bool TZCLBrowseDlg::MakeNewFolder() {
  const QString parent = CurrentPath();
  if (!FModel || !FTree || parent.isEmpty() || !QFileInfo(QDir::fromNativeSeparators(parent)).isDir()) return false;
  const QString name = NewFolderName(parent);
  const QModelIndex created = FModel->mkdir(FTree->currentIndex(), name);
  if (!created.isValid()) {
    QMessageBox::warning(FDialog, FDialog ? FDialog->windowTitle() : QString(),
                         QStringLiteral("Der Ordner \"%1\" konnte nicht erstellt werden.")
                             .arg(QDir::toNativeSeparators(QDir(QDir::fromNativeSeparators(parent)).filePath(name))));
    return false;
  }
  FTree->setCurrentIndex(created);
  FTree->scrollTo(created);
  return true;
}

bool TZCLBrowseDlg::TryAccept() {
  if (FEdit && !FEdit->text().trimmed().isEmpty()) {
    const QString typed = FEdit->text().trimmed();
    const QString current = CurrentPath();
    QString candidate = QDir::isAbsolutePath(QDir::fromNativeSeparators(typed))
                            ? typed
                            : QDir(QDir::fromNativeSeparators(current)).filePath(typed);
    if (!QFileInfo(QDir::fromNativeSeparators(candidate)).isDir()) {
      bool cancel = false;
      if (OnValidate) OnValidate(this, typed, cancel);
      if (cancel) return false;
      FTypedRejected = true;
      FDialog->reject();
      return false;
    }
    SelectPath(candidate);
  }
  if (CurrentPath().isEmpty()) return false;
  FDialog->accept();
  return true;
}

bool TZCLBrowseDlg::Execute(QWidget* form) {
  QDialog dialog(form ? form->window() : nullptr);
  FDialog = &dialog;
  FTypedRejected = false;
  dialog.setObjectName(QStringLiteral("BrowseDialog"));
  dialog.setWindowTitle(QStringLiteral("Ordner suchen"));
  dialog.resize(340, 380);
  auto* layout = new QVBoxLayout(&dialog);
  auto* caption = new QLabel(FCaption, &dialog);
  caption->setObjectName(QStringLiteral("CaptionLabel"));
  caption->setWordWrap(true);
  layout->addWidget(caption);
  FStatus = new QLabel(&dialog);
  FStatus->setObjectName(QStringLiteral("StatusLabel"));
  FStatus->setVisible(HasOption(doStatusText));
  layout->addWidget(FStatus);
  FModel = new QFileSystemModel(&dialog);
  FModel->setFilter(HasOption(doShowFiles) ? QDir::AllEntries | QDir::NoDotAndDotDot | QDir::AllDirs
                                           : QDir::Dirs | QDir::NoDotAndDotDot | QDir::Drives);
  const QString start = StartPath(FStartFolder);
  FModel->setRootPath(start.isEmpty() ? QDir::rootPath() : start);
  FTree = new QTreeView(&dialog);
  FTree->setObjectName(QStringLiteral("FolderTree"));
  FTree->setModel(FModel);
  for (int c = 1; c < FModel->columnCount(); ++c) FTree->hideColumn(c);
  FTree->header()->hide();
  if (!start.isEmpty()) FTree->setRootIndex(FModel->index(start));
  layout->addWidget(FTree, 1);
  if (HasOption(doAllowEdit)) {
    FEdit = new QLineEdit(&dialog);
    FEdit->setObjectName(QStringLiteral("EditBox"));
    layout->addWidget(FEdit);
  }
  auto* buttons = new QHBoxLayout;
  // The new dialog style has a button that makes a folder below the selected one.
  if (HasOption(doNewGUI) && !HasOption(doNewGUINoNewFolderBtn)) {
    FNewFolder = new QPushButton(QStringLiteral("Neuen Ordner erstellen"), &dialog);
    FNewFolder->setObjectName(QStringLiteral("NewFolderButton"));
    FNewFolder->setEnabled(false);
    buttons->addWidget(FNewFolder);
    QObject::connect(FNewFolder, &QPushButton::clicked, &dialog, [this] { MakeNewFolder(); });
  }
  buttons->addStretch(1);
  FOk = new QPushButton(QStringLiteral("OK"), &dialog);
  FOk->setObjectName(QStringLiteral("OkButton"));
  FOk->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), &dialog);
  cancel->setObjectName(QStringLiteral("CancelButton"));
  buttons->addWidget(FOk);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  QObject::connect(FOk, &QPushButton::clicked, &dialog, [this] { TryAccept(); });
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  QObject::connect(FTree->selectionModel(), &QItemSelectionModel::currentChanged, &dialog,
                   [this](const QModelIndex&, const QModelIndex&) { SelectionChanged(); });

  bool accepted = false;
  QString chosen;
  auto cleanup = [&] {
    FTree = nullptr;
    FModel = nullptr;
    FStatus = nullptr;
    FEdit = nullptr;
    FOk = nullptr;
    FNewFolder = nullptr;
    FDialog = nullptr;
  };
  try {
    // Set-up once the window exists.
    if (!FCaptionTitle.isEmpty()) dialog.setWindowTitle(FCaptionTitle);
    if (!FStatusText.isEmpty()) FStatus->setText(FStatusText);
    if (!FSelectedFolder.isEmpty()) SelectPath(FSelectedFolder);
    // OK starts enabled with the option, or when a valid folder is already selected.
    const bool preselected = !FSelectedFolder.isEmpty() && !CurrentPath().isEmpty() &&
                             QFileInfo(QDir::fromNativeSeparators(CurrentPath())).isDir();
    FOk->setEnabled(HasOption(doEnableOK) || preselected);
    const TRect relation = RelationRect();
    QScreen* screen = QApplication::primaryScreen();
    const QRect desktop = screen ? screen->virtualGeometry() : QRect(0, 0, 1024, 768);
    const TPoint at =
        PlaceInRect(FPosition, relation, dialog.width(), dialog.height(), desktop.width(), desktop.height());
    dialog.move(at.X, at.Y);
    if (OnInit) OnInit(this);
    accepted = dialog.exec() == QDialog::Accepted;
    if (accepted) chosen = CurrentPath();
  } catch (...) {
    cleanup();
    throw;
  }
  cleanup();
  if (!accepted) return false;
  FSelectedFolder = chosen;
  const QFileInfo info(QDir::fromNativeSeparators(chosen));
  FSelectedDisplayName = info.fileName().isEmpty() ? chosen : info.fileName();
  return true;
}

}  // namespace zyn
