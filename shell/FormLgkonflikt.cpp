#include "shell/FormLgkonflikt.h"

#include "platform/QtText.h"
#include "shell/Translation.h"
#include "widgets/common/FthHint.h"
#include "widgets/common/WidgetText.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

namespace zyn {

TFrmLgkonflikt::TFrmLgkonflikt(QWidget* owner, int mode) : QDialog(owner) {
  setObjectName(QStringLiteral("FrmLgkonflikt"));
  setWindowTitle(QStringLiteral("Logik- Konflikte anzeigen"));
  resize(548, 348);
  auto* layout = new QGridLayout(this);
  HintPanel = new TFourthHintPanel(this);
  HintPanel->setObjectName(QStringLiteral("FourthHintPanel1"));
  HintPanel->Options().SetPanelImage(piWarning);
  HintPanel->SetCaption(
      TranslatedText("In den Tools wurden Logik- Konflikte gefunden. Sie sollten diese Konflikte beseitigen, da sonst "
                     "unvorhesehbare Effekte und Funktionsstörungen auftreten können!"));
  HintPanel->setMinimumHeight(48);
  layout->addWidget(HintPanel, 0, 0, 1, 3);
  auto* label = new QLabel(QStringLiteral("Liste der aufgetretenen Konflikte:"), this);
  label->setObjectName(QStringLiteral("Label1"));
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  layout->addWidget(label, 1, 0, 1, 3);
  ME = new QTextEdit(this);
  ME->setObjectName(QStringLiteral("ME"));
  ME->setReadOnly(true);
  ME->setLineWrapMode(QTextEdit::NoWrap);
  ME->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  ME->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  layout->addWidget(ME, 2, 0, 1, 3);
  BtnIgnore = new QPushButton(QStringLiteral("Ignorieren"), this);
  BtnIgnore->setObjectName(QStringLiteral("BtnIgnore"));
  BtnCancel = new QPushButton(QStringLiteral("Abbrechen"), this);
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  BtnCancel->setDefault(true);
  layout->setColumnStretch(0, 1);
  layout->addWidget(BtnIgnore, 3, 1);
  layout->addWidget(BtnCancel, 3, 2);
  BtnIgnore->setEnabled(mode == 5);
  BtnIgnore->setVisible(mode == 5);
  connect(BtnIgnore, &QPushButton::clicked, this, [this] { done(1); });
  connect(BtnCancel, &QPushButton::clicked, this, [this] { done(2); });
  TranslateForm(this);
  BtnCancel->setFocus();
}

void TFrmLgkonflikt::AddLine(const std::string& line) {
  const bool bold = line.size() >= 2 && line[0] == '\\' && line[1] == 'b';
  QTextCharFormat format;
  format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  QTextCursor cursor(ME->document());
  cursor.movePosition(QTextCursor::End);
  if (!ME->document()->isEmpty()) cursor.insertBlock();
  cursor.insertText(ToQString(bold ? line.substr(2) : line), format);
}

int ShowLogicConflicts(const std::vector<std::string>& lines, int mode) {
  if (lines.empty()) return 1;
  TFrmLgkonflikt dialog(DialogParent(), mode);
  for (const std::string& line : lines) dialog.AddLine(line);
  const int result = dialog.exec();
  // closing the window without a button is a cancel
  return result == 1 ? 1 : 2;
}

}  // namespace zyn
