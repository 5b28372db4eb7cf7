#include "widgets/common/BrowseDr.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>

namespace zyn {

TBrowseFlags NormalizeBrowseOptions(TBrowseFlags o) {
  if (o & bfIncludeURLs) o |= bfIncludeFiles | bfUseNewUI;
  if (o & bfShareable) o |= bfUseNewUI;
  if (o & bfUseNewUI) o |= bfEditBox | bfNewDialogStyle;
  return o;
}

unsigned ShellBrowseFlags(TBrowseFlags o, bool hasStatusText, bool showSelectionInStatus) {
  struct Map {
    TBrowseFlag flag;
    unsigned value;
  } const map[] = {{bfDirectoriesOnly, 0x1}, {bfDomainOnly, 0x2},      {bfAncestors, 0x8}, {bfComputers, 0x1000},
                   {bfPrinters, 0x2000},     {bfIncludeFiles, 0x4000}, {bfEditBox, 0x10},  {bfIncludeURLs, 0x80},
                   {bfNewDialogStyle, 0x40}, {bfShareable, 0x8000},    {bfUseNewUI, 0x50}};
  unsigned flags = 0;
  for (const Map& m : map)
    if (o & m.flag) flags |= m.value;
  if (o & bfEditBox) flags |= 0x20;
  if (hasStatusText || showSelectionInStatus) flags |= 0x4;
  return flags;
}

QString RootFolder(TRootID root) {
  using SP = QStandardPaths;
  switch (root) {
    case idDesktop:
    case idDesktopDirectory:
    case idDesktopExpanded:
    case idCommonDesktopDirectory:
      return SP::writableLocation(SP::DesktopLocation);
    case idPersonal:
      return SP::writableLocation(SP::DocumentsLocation);
    case idPrograms:
    case idCommonPrograms:
      return SP::writableLocation(SP::ApplicationsLocation);
    case idFonts:
      return SP::writableLocation(SP::FontsLocation);
    case idAppData:
      return SP::writableLocation(SP::GenericDataLocation);
    case idDrives:
      return QDir::rootPath();
    default:
      return QDir::homePath();
  }
}

QString FitStatusText(const QString& text, int width, const QFontMetrics& fm) {
  if (fm.horizontalAdvance(text) <= width) return text;
  const QFileInfo info(text);
  if (info.exists() && info.isDir()) {
    const QChar sep = text.contains(QLatin1Char('\\')) ? QLatin1Char('\\') : QLatin1Char('/');
    QStringList parts = text.split(sep);
    if (!parts.isEmpty() && parts.last().isEmpty()) parts.removeLast();
    const QString ellipsis = QStringLiteral("...");
    // keep the first element (the drive or the root) and the last folder
    while (parts.size() > 2) {
      int i = 1;
      while (i < parts.size() - 1 && parts[i] == ellipsis) ++i;
      if (i >= parts.size() - 1) break;
      parts[i] = ellipsis;
      // two neighbouring markers become one
      for (int k = parts.size() - 2; k > 0; --k)
        if (parts[k] == ellipsis && parts[k - 1] == ellipsis) parts.removeAt(k);
      const QString shortened = parts.join(sep);
      if (fm.horizontalAdvance(shortened) <= width) return shortened;
    }
    if (parts.size() == 3 && parts[1] == ellipsis) {
      // already reduced to the first element, "..." and the last folder: drop the first element
      const QString shortened = sep + ellipsis + sep + parts.last();
      if (fm.horizontalAdvance(shortened) <= width) return shortened;
    }
  }
  QString cut = text;
  while (!cut.isEmpty() && fm.horizontalAdvance(cut + QStringLiteral("...")) > width) cut.chop(1);
  return cut + QStringLiteral("...");
}

namespace {

class BrowseDialog : public QFileDialog {
 public:
  BrowseDialog(QWidget* parent, TzsBrowseDirectoryDlg* owner) : QFileDialog(parent), fOwner(owner) {}
  void accept() override {
    const QStringList files = selectedFiles();
    const QString chosen = files.isEmpty() ? QString() : files.first();
    if (!chosen.isEmpty() && QFileInfo(chosen).isDir()) {
      QFileDialog::accept();
      return;
    }
    bool cancel = false;
    if (fOwner->OnValidateFailed) fOwner->OnValidateFailed(fOwner, chosen, cancel);
    if (cancel) reject();
  }

 private:
  TzsBrowseDirectoryDlg* fOwner;
};

}  // namespace

bool TzsBrowseDirectoryDlg::Execute(QWidget* parent) {
  if (!parent) parent = QApplication::activeWindow();
  BrowseDialog dialog(parent, this);
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setFileMode(fOptions & bfIncludeFiles ? QFileDialog::ExistingFile : QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly, !(fOptions & bfIncludeFiles));
  dialog.setWindowTitle(Caption);
  if (!Title.isEmpty()) dialog.setLabelText(QFileDialog::LookIn, Title);
  QString status = ShowSelectionInStatus ? Selection : StatusText;
  if (!status.isEmpty()) {
    if (FitStatusText) status = zyn::FitStatusText(status, 300, dialog.fontMetrics());
    dialog.setLabelText(QFileDialog::FileName, status);
  }
  const QString start = Selection.isEmpty() ? RootFolder(Root) : Selection;
  const QFileInfo startInfo(start);
  dialog.setDirectory(startInfo.isDir() ? start : startInfo.absolutePath());
  if (startInfo.isDir() && !Selection.isEmpty()) dialog.selectFile(start);
  QObject::connect(&dialog, &QFileDialog::currentChanged, &dialog, [this, &dialog](const QString& path) {
    if (ShowSelectionInStatus) dialog.setLabelText(QFileDialog::FileName, path);
    if (OnSelChanged) OnSelChanged(this, path);
  });
  if (Center && dialog.screen()) {
    const QRect screen = dialog.screen()->availableGeometry();
    dialog.move(screen.center() - QPoint(dialog.width() / 2, dialog.height() / 2));
  }
  if (OnCreate) OnCreate(this);
  if (!EnableOKButton) {
    // the OK button starts disabled; choosing a folder enables it again
    if (auto* box = dialog.findChild<QDialogButtonBox*>())
      if (QPushButton* ok = box->button(QDialogButtonBox::Open)) ok->setEnabled(false);
  }
  const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
  Selection = chosen ? QDir::toNativeSeparators(dialog.selectedFiles().first()) : QString();
  ImageIndex = -1;
  return chosen;
}

}  // namespace zyn
