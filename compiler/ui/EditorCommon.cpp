#include "compiler/ui/EditorCommon.h"

#include "model/base/Cp1252.h"
#include "platform/MessageDlg.h"
#include "shell/Translation.h"
#include "widgets/common/WidgetText.h"

#include <QDropEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QToolButton>
#include <QWidget>

namespace zyn {

QString EdText(const char* germanUtf8) { return TranslatedText(germanUtf8); }

void ShowEditorError(const std::string& ansiText) { TranslatedMessageDlg(ansiText, mtError, mbOK); }

TFileChooser DefaultFileChooser(QWidget* parent) {
  return [parent](bool save, const QString& caption, const QString& filter, const std::string& suggested) {
    const QString start = QString::fromStdString(suggested);
    const QString name = save ? QFileDialog::getSaveFileName(parent, caption, start, filter)
                              : QFileDialog::getOpenFileName(parent, caption, start, filter);
    return name.toStdString();
  };
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) return path;
  return path + "." + extension;
}

bool MayCloseEditor(bool modified, const std::string& question, const std::function<bool()>& save) {
  if (!modified) return true;
  switch (TranslatedMessageDlg(question, mtConfirmation, mbYes | mbNo | mbCancel)) {
    case IDYES:
      return save();
    case IDNO:
      return true;
    default:
      return false;
  }
}

void SetEditorBounds(QWidget* form, int minWidth, int minHeight) {
  form->setMinimumSize(minWidth, minHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) form->setMaximumSize(screen->availableSize());
  form->resize(std::max(minWidth, 820), std::max(minHeight, 560));
}

std::string FileText(const std::string& utf8Path) { return Utf8ToAnsi(utf8Path); }

QToolButton* EditorToolButton(QWidget* owner, const char* name, QStyle::StandardPixmap icon, const char* caption) {
  auto* b = new QToolButton;
  b->setObjectName(QString::fromLatin1(name));
  b->setIcon(owner->style()->standardIcon(icon));
  b->setText(EdText(caption));
  b->setToolTip(EdText(caption));
  b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  return b;
}

TMoveTree::TMoveTree() {
  setDragDropMode(QAbstractItemView::InternalMove);
  setDragEnabled(true);
  setAcceptDrops(true);
}

void TMoveTree::dropEvent(QDropEvent* event) {
  QTreeWidgetItem* target = itemAt(event->position().toPoint());
  QTreeWidgetItem* source = currentItem();
  while (target && target->parent()) target = target->parent();
  while (source && source->parent()) source = source->parent();
  event->ignore();
  if (target && source && OnMove) OnMove(indexOfTopLevelItem(source), indexOfTopLevelItem(target));
}

}  // namespace zyn
