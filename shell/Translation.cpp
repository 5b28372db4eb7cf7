#include "shell/Translation.h"

#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "shell/MessageHandler.h"
#include "widgets/common/WidgetText.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

namespace zyn {
namespace {

// Texts are trimmed of blanks and control characters (everything up to the blank).
QString TrimmedText(const QString& text) {
  int b = 0, e = int(text.size());
  while (b < e && text[b].unicode() <= 32) ++b;
  while (e > b && text[e - 1].unicode() <= 32) --e;
  return text.mid(b, e - b);
}

QString Lookup(const QString& text) { return ToQString(TranslateText(FromQString(text))); }

// The text properties that carry user-visible words. Names, file names, style sheets, masks and
// formats are never looked up.
constexpr const char* kTextProperties[] = {"windowTitle", "text",      "title",           "subTitle", "toolTip",
                                           "statusTip",   "whatsThis", "placeholderText", "prefix",   "suffix"};

void TranslateProperty(QObject* object, const char* name) {
  const QMetaObject* meta = object->metaObject();
  const int index = meta->indexOfProperty(name);
  if (index < 0) return;
  const QMetaProperty p = meta->property(index);
  if (!p.isWritable() || p.metaType().id() != QMetaType::QString) return;
  const QString trimmed = TrimmedText(p.read(object).toString());
  if (trimmed.isEmpty()) return;
  p.write(object, Lookup(trimmed));
}

void TranslateLists(QObject* object) {
  if (auto* combo = qobject_cast<QComboBox*>(object)) {
    for (int i = 0; i < combo->count(); ++i) combo->setItemText(i, Lookup(combo->itemText(i)));
  } else if (auto* list = qobject_cast<QListWidget*>(object)) {
    for (int i = 0; i < list->count(); ++i) list->item(i)->setText(Lookup(list->item(i)->text()));
  } else if (auto* tabs = qobject_cast<QTabWidget*>(object)) {
    for (int i = 0; i < tabs->count(); ++i) {
      const QString t = TrimmedText(tabs->tabText(i));
      if (!t.isEmpty()) tabs->setTabText(i, Lookup(t));
    }
  } else if (auto* tree = qobject_cast<QTreeWidget*>(object)) {
    QTreeWidgetItem* header = tree->headerItem();
    for (int c = 0; header && c < header->columnCount(); ++c) {
      const QString t = TrimmedText(header->text(c));
      if (!t.isEmpty()) header->setText(c, Lookup(t));
    }
  } else if (auto* memo = qobject_cast<QPlainTextEdit*>(object)) {
    if (memo->toPlainText().isEmpty()) return;
    QStringList lines = memo->toPlainText().split(QLatin1Char('\n'));
    for (QString& line : lines) line = Lookup(line);
    memo->setPlainText(lines.join(QLatin1Char('\n')));
  }
}

void TranslateGuarded(QObject* object) {
  try {
    TranslateObject(object);
  } catch (...) {
    // an object that cannot take its text keeps the German one
  }
}

QString DialogCaption(TMsgDlgType type) {
  switch (type) {
    case mtWarning:
      return TranslatedText("Warnung");
    case mtError:
      return TranslatedText("Fehler");
    case mtInformation:
      return TranslatedText("Information");
    case mtConfirmation:
      return TranslatedText("Bestätigen");
    case mtCustom:
      break;
  }
  return QApplication::applicationName();
}

}  // namespace

void TranslateObject(QObject* object) {
  if (!object) return;
  for (const char* name : kTextProperties) TranslateProperty(object, name);
  TranslateLists(object);
}

void TranslateForm(QWidget* form) {
  if (!form || !GLanguageFile) return;
  TranslateGuarded(form);
  for (QObject* child : form->findChildren<QObject*>()) TranslateGuarded(child);
}

void TranslateFrame(QWidget* frame) {
  if (!frame || !GLanguageFile) return;
  for (QObject* child : frame->findChildren<QObject*>())
    if (!TrimmedText(child->objectName()).isEmpty()) TranslateGuarded(child);
}

QWidget* DialogParent() {
  if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) return modal;
  if (auto* main = dynamic_cast<QWidget*>(GetMessageHandler()); main && main->isVisible()) return main;
  return QApplication::activeWindow();
}

int TranslatedMessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext) {
  unsigned flags = MB_OK;
  if ((buttons & mbYes) && (buttons & mbNo))
    flags = (buttons & mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
  else if ((buttons & mbOK) && (buttons & mbCancel))
    flags = MB_OKCANCEL;
  else if (buttons & mbCancel)
    flags = MB_CANCEL;
  switch (type) {
    case mtWarning:
      flags |= MB_ICONWARNING;
      break;
    case mtError:
      flags |= MB_ICONERROR;
      break;
    case mtInformation:
      flags |= MB_ICONINFORMATION;
      break;
    case mtConfirmation:
      flags |= MB_ICONQUESTION;
      break;
    case mtCustom:
      break;
  }
  return MessageDlg(DialogParent(), ToQString(TranslateText(text)), DialogCaption(type), flags,
                    [](const QString& label) { return Lookup(label); });
}

int AskProjectQuestion(const std::string& text) {
  return TranslatedMessageDlg(text, mtWarning, mbYes | mbNo | mbCancel);
}

bool InputQuery(const QString& caption, const QString& prompt, QString& value) {
  QDialog dialog(DialogParent());
  dialog.setWindowTitle(caption);
  dialog.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint);
  const QFontMetrics fm(dialog.font());
  const int hu =
      std::max(1, fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52);
  const int vu = std::max(1, fm.height());
  const auto dx = [&](int units) { return units * hu / 4; };
  const auto dy = [&](int units) { return units * vu / 8; };
  auto* label = new QLabel(prompt, &dialog);
  label->setObjectName(QStringLiteral("Prompt"));
  label->setWordWrap(true);
  label->setGeometry(dx(8), dy(8), dx(164), label->heightForWidth(dx(164)));
  auto* edit = new QLineEdit(value, &dialog);
  edit->setObjectName(QStringLiteral("Edit"));
  edit->setMaxLength(255);
  edit->setGeometry(dx(8), label->geometry().bottom() + 1 + 5, dx(164), edit->sizeHint().height());
  edit->selectAll();
  const int buttonTop = edit->geometry().bottom() + 1 + 15;
  auto* ok = new QPushButton(TranslatedText("OK"), &dialog);
  ok->setDefault(true);
  ok->setGeometry(dx(38), buttonTop, dx(50), dy(14));
  auto* cancel = new QPushButton(TranslatedText("Abbruch"), &dialog);
  cancel->setGeometry(dx(92), buttonTop, dx(50), dy(14));
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  dialog.setFixedSize(dx(180), buttonTop + dy(14) + 13);
  edit->setFocus();
  if (dialog.exec() != QDialog::Accepted) return false;
  value = edit->text();
  return true;
}

QString InputBox(const QString& caption, const QString& prompt, const QString& defaultValue) {
  QString value = defaultValue;
  return InputQuery(caption, prompt, value) ? value : defaultValue;
}

}  // namespace zyn
