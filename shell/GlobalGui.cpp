#include "shell/GlobalGui.h"

#include "compiler/toollib/SubFunction.h"
#include "model/GlobalRoutines.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"
#include "platform/QtText.h"
#include "project/Projekt.h"
#include "shell/Translation.h"
#include "widgets/common/FoldPanel.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QMainWindow>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace zyn {
namespace {

constexpr int kDataRole = Qt::UserRole + 100;
constexpr int kKindRole = Qt::UserRole + 101;
constexpr int kSubFunctionKind = 1;

// Swallows the tool tips of one form while its hints are off.
class THintFilter : public QObject {
 public:
  explicit THintFilter(QWidget* form) : QObject(form), fForm(form) {
    setObjectName(Name());
    qApp->installEventFilter(this);
  }
  static QString Name() { return QStringLiteral("zynHintFilter"); }
  // The form's filter, if it has one. Found by its name: the class has no meta-object of its
  // own, so a search by type would answer any child object of the form.
  static THintFilter* Of(QWidget* form) {
    for (QObject* child : form->children())
      if (child->objectName() == Name())
        if (auto* filter = dynamic_cast<THintFilter*>(child)) return filter;
    return nullptr;
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    return w && (w == fForm || fForm->isAncestorOf(w));
  }

 private:
  QWidget* fForm;
};

template <class Match>
std::pair<QTreeWidgetItem*, int> FindNode(QTreeWidget* tree, Match match) {
  int index = 0;
  for (QTreeWidgetItemIterator it(tree); *it; ++it, ++index)
    if (match(*it)) return {*it, index};
  return {nullptr, -1};
}

int AbsoluteIndex(QTreeWidget* tree, const QTreeWidgetItem* node) {
  return FindNode(tree, [&](QTreeWidgetItem* n) { return n == node; }).second;
}

}  // namespace

void FillFreeAddressCombo(const std::vector<uint8_t>& flags, const std::string& prefix, QComboBox* combo, int current,
                          int maximum, int minimum) {
  combo->clear();
  int selected = -1;
  for (const std::string& item : FreeAddressItems(flags, prefix, current, maximum, minimum, selected))
    combo->addItem(ToQString(item));
  combo->setCurrentIndex(selected);
}

void CenterFormOnControl(QWidget* form, QWidget* control) {
  // The control's place on the screen: a control inside a window has its position relative to
  // its parent, the form is placed in screen coordinates.
  const QPoint origin = control->isWindow() ? control->pos() : control->mapToGlobal(QPoint(0, 0));
  const int left = origin.x() + (control->width() - form->width()) / 2;
  const int top = origin.y() + (control->height() - form->height()) / 2;
  form->move(left, top);
  THintFilter* filter = THintFilter::Of(form);
  const bool showHints = GetBoolOption(boShowHint);
  if (!showHints && !filter) new THintFilter(form);
  if (showHints) delete filter;
}

bool ConfirmDelete(const std::string& question, int count) {
  if (GetBoolOption(boConfirmDelete) || count > 0)
    return TranslatedMessageDlg(question, mtConfirmation, mbYes | mbNo) == 6;
  return true;
}

TRect GetBitmapResourceSize(const QString& name) {
  for (const char* extension : {".png", ".bmp"}) {
    const QImage picture(QStringLiteral(":/bitmaps/") + name + QLatin1String(extension));
    if (!picture.isNull()) return Rect(0, 0, picture.width(), picture.height());
  }
  for (const char* glyph : {"EXPAND_H", "COLLAPS_H", "EXPAND_V", "COLLAPS_V"})
    if (name.compare(QLatin1String(glyph), Qt::CaseInsensitive) == 0) {
      const QImage picture = DefaultFoldGlyph(QLatin1String(glyph));
      return Rect(0, 0, picture.width(), picture.height());
    }
  return {};
}

void SetMainFormCursor(const QCursor& cursor) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* main = qobject_cast<QMainWindow*>(w)) {
      main->setCursor(cursor);
      return;
    }
}

void SetNodeData(QTreeWidgetItem* node, const void* data) {
  node->setData(0, kDataRole, QVariant::fromValue(reinterpret_cast<quintptr>(data)));
  node->setData(0, kKindRole, QVariant());
}

void SetNodeData(QTreeWidgetItem* node, const TZYNSubFunction* subFunction) {
  SetNodeData(node, static_cast<const void*>(subFunction));
  node->setData(0, kKindRole, kSubFunctionKind);
}

const void* NodeData(const QTreeWidgetItem* node) {
  return node ? reinterpret_cast<const void*>(node->data(0, kDataRole).value<quintptr>()) : nullptr;
}

int FindGroupNodeIndex(QTreeWidget* tree, const QString& text) {
  return FindNode(tree, [&](QTreeWidgetItem* n) { return !NodeData(n) && n->text(0) == text; }).second;
}

QTreeWidgetItem* FindGroupNodeByText(QTreeWidget* tree, const QString& text) {
  return FindNode(tree, [&](QTreeWidgetItem* n) { return !NodeData(n) && n->text(0) == text; }).first;
}

QTreeWidgetItem* FindDataNodeByText(QTreeWidget* tree, const QString& text) {
  return FindNode(tree, [&](QTreeWidgetItem* n) { return NodeData(n) && n->text(0) == text; }).first;
}

int IndexOfNodeData(QTreeWidget* tree, const void* data) {
  return FindNode(tree, [&](QTreeWidgetItem* n) { return NodeData(n) == data; }).second;
}

QTreeWidgetItem* FindNodeByData(QTreeWidget* tree, const void* data) {
  return FindNode(tree, [&](QTreeWidgetItem* n) { return NodeData(n) == data; }).first;
}

QTreeWidgetItem* FindSubFunctionNode(QTreeWidget* tree, const std::string& name) {
  return FindNode(tree,
                  [&](QTreeWidgetItem* n) {
                    if (n->data(0, kKindRole).toInt() != kSubFunctionKind || !NodeData(n)) return false;
                    return static_cast<const TZYNSubFunction*>(NodeData(n))->Name.Text() == name;
                  })
      .first;
}

QTreeWidgetItem* FindOrAddChildNode(QTreeWidget* tree, const void* data, const QString& text) {
  QTreeWidgetItem* parent = data ? FindNodeByData(tree, data) : nullptr;
  if (!parent) return nullptr;
  for (int i = 0; i < parent->childCount(); ++i)
    if (parent->child(i)->text(0) == text) return parent->child(i);
  auto* child = new QTreeWidgetItem(parent, QStringList{text});
  return child;
}

int FindOrAddChildNodeIndex(QTreeWidget* tree, const void* data, const QString& text) {
  if (QTreeWidgetItem* node = FindOrAddChildNode(tree, data, text)) return AbsoluteIndex(tree, node);
  return FindGroupNodeIndex(tree, text);
}

QTreeWidgetItem* NodeAt(QTreeWidget* tree, int absoluteIndex) {
  if (absoluteIndex < 0) return nullptr;
  int index = 0;
  for (QTreeWidgetItemIterator it(tree); *it; ++it, ++index)
    if (index == absoluteIndex) return *it;
  return nullptr;
}

bool OfferPartlyReadProject(TZYNProjekt& projekt, const std::string& fileName, const EProjectPartlyRead& error) {
  const std::string text =
      TranslateText(Ansi("Die Projektdatei")) + " \"" + Utf8ToAnsi(fileName) + "\" " +
      TranslateText(Ansi("ist beschädigt:")) + "\r" + error.what() + "\r\r" +
      TranslateText(Ansi("Sollen die lesbaren Teile des Projekts geöffnet werden? Das Projekt muss dann unter "
                         "einem neuen Namen gespeichert werden; die beschädigte Datei bleibt erhalten."));
  if (TranslatedMessageDlg(text, mtWarning, mbYes | mbNo) != 6) return false;
  projekt.KeepReadParts();
  return true;
}

}  // namespace zyn
