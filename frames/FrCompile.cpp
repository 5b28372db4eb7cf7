#include "frames/FrCompile.h"

#include "frames/PageText.h"
#include "model/Verbindung.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "platform/QtText.h"
#include "shell/Translation.h"

#include <QApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QVBoxLayout>

namespace zyn {

namespace {
QLabel* Heading(QWidget* parent, const char* text) {
  auto* label = new QLabel(PageText(text), parent);
  QFont f = label->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * 1.3);
  label->setFont(f);
  return label;
}
}  // namespace

TFrCompile::TFrCompile(QWidget* parent) : TProjectPage("FrCompile", parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Heading(this, "Erzeugen von Verbindungen der Basisprogrammierung"));
  layout->addWidget(new QLabel(PageText("Erzeuge Verbindungen der Funktion:"), this));
  Label3 = new QLabel(this);
  Label3->setObjectName(QStringLiteral("Label3"));
  Label3->setWordWrap(true);
  layout->addWidget(Label3);
  layout->addWidget(new QLabel(PageText("Fortschritt Tool:"), this));
  PB = new QProgressBar(this);
  PB->setObjectName(QStringLiteral("PB"));
  PB->setRange(0, 100);
  layout->addWidget(PB);
  layout->addWidget(new QLabel(PageText("Fortschritt gesamt:"), this));
  PB1 = new QProgressBar(this);
  PB1->setObjectName(QStringLiteral("PB1"));
  layout->addWidget(PB1);
  layout->addWidget(new QLabel(PageText("Meldungen:"), this));
  LB = new QListWidget(this);
  LB->setObjectName(QStringLiteral("LB"));
  layout->addWidget(LB, 1);
  Reset();
}

void TFrCompile::Reset() {
  fSinceScreen.invalidate();
  Label3->clear();
  PB->setValue(0);
  PB1->setRange(0, 100);
  PB1->setValue(0);
  LB->clear();
}

void TFrCompile::SetToolProgress(int position) { PB->setValue(std::clamp(position, 0, 100)); }

void TFrCompile::SetOverallMaximum(int maximum) {
  PB1->setRange(0, std::max(0, maximum));
  PB1->setValue(0);
}

void TFrCompile::StepOverall() { PB1->setValue(std::min(PB1->value() + 1, PB1->maximum())); }

void TFrCompile::SetCaption(const std::string& text) { Label3->setText(ToQString(text)); }

void TFrCompile::AddMessage(const std::string& line) {
  LB->addItem(ToQString(line));
  LB->scrollToBottom();
}

void TFrCompile::ToolFailed(const TZYNFunction&, const std::string& message, const std::string& cause) {
  AddMessage(message);
  TranslatedMessageDlg(message + "\r" + cause, mtError, mbOK);
}

void TFrCompile::ProcessMessages() {
  if (fSinceScreen.isValid() && fSinceScreen.elapsed() < TFrCompVerb::kScreenInterval) return;
  QApplication::processEvents();
  fSinceScreen.start();
}

// ------------------------------------------------------------------------------------------------

TFrCompVerb::TFrCompVerb(QWidget* parent) : TProjectPage("FrCompVerb", parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Heading(this, "Erzeugen der Steuermodulprogramme"));
  auto* group = new QGroupBox(PageText(" Verbindungsdaten"), this);
  auto* grid = new QGridLayout(group);
  const auto edit = [group](const char* name) {
    auto* e = new QLineEdit(group);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    e->setEnabled(false);
    return e;
  };
  ST = edit("ST");
  EK = edit("EK");
  EF = edit("EF");
  AT = edit("AT");
  AK = edit("AK");
  AF = edit("AF");
  const char* labels[] = {"Steuermodul", "Eingang", "Funktion"};
  QLineEdit* source[] = {ST, EK, EF};
  QLineEdit* target[] = {AT, AK, AF};
  const char* targetLabels[] = {"Steuermodul", "Ausgang", "Funktion"};
  for (int i = 0; i < 3; ++i) {
    grid->addWidget(new QLabel(PageText(labels[i]), group), i, 0);
    grid->addWidget(source[i], i, 1);
    grid->addWidget(new QLabel(PageText(targetLabels[i]), group), i, 2);
    grid->addWidget(target[i], i, 3);
  }
  layout->addWidget(group);
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  layout->addWidget(Label1);
  layout->addWidget(new QLabel(PageText("Protokoll"), this));
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  layout->addWidget(Memo1, 1);
  fIdleFlush = new QTimer(this);
  fIdleFlush->setSingleShot(true);
  fIdleFlush->setInterval(0);
  connect(fIdleFlush, &QTimer::timeout, this, [this] { Flush(); });
  Reset();
}

void TFrCompVerb::Reset() {
  fIdleFlush->stop();
  fCount = 0;
  fReported.clear();
  fScreenUpdates = 0;
  fPending.clear();
  fSinceScreen.invalidate();
  Label1->setText(QStringLiteral("0 ") + PageText("Verbindungen erzeugt"));
  Memo1->clear();
  for (QLineEdit* e : {ST, EK, EF, AT, AK, AF}) e->clear();
}

void TFrCompVerb::Flush() {
  fIdleFlush->stop();
  if (fPending.empty()) return;
  QLineEdit* const fields[] = {ST, EK, EF, AT, AK, AF};
  for (size_t i = 0; i < fFields.size(); ++i) fields[i]->setText(ToQString(fFields[i]));
  std::string lines;
  for (const std::string& line : fPending) lines += (lines.empty() ? "" : "\n") + line;
  fPending.clear();
  Memo1->appendPlainText(ToQString(lines));
  Label1->setText(QString::number(fCount) + QLatin1Char(' ') + PageText("Verbindungen erzeugt"));
  ++fScreenUpdates;
  QApplication::processEvents();
  fSinceScreen.start();
}

void TFrCompVerb::ShowCompileProgress(int code, TVerbindung* link) {
  if (!link) return;
  static const char* const kPhase[] = {"Erzeuge Binärcode für ", "Erzeuge logische Bedingung für ",
                                       "Erzeuge Gruppenverbindungen für "};
  const std::string phase = code >= 0 && code <= 2 ? TranslateText(Ansi(kPhase[code])) : std::string();
  std::string kind;
  if (link->Kind() == 0)
    kind = TranslateText(Ansi("Verbindung.:")) + " ";
  else if (link->Kind() == 1 || link->Kind() == 2)
    kind = TranslateText(Ansi("Verknüpfung:")) + " ";
  const std::string stm = TranslateText("STM.");
  fFields = {
      stm + std::to_string(link->Source().StmNummer()), link->GetSourceChannelText(), link->GetSourceFunctionText(),
      stm + std::to_string(link->Target().StmNummer()), link->GetTargetChannelText(), link->GetTargetFunctionText()};
  fPending.push_back(phase + kind + link->GetDisplayText());
  if (fReported.insert(link).second) ++fCount;
  // The first link is shown at once, the others when the interval is over; the rest of a build
  // shorter than that comes when the programme is idle again.
  if (!fSinceScreen.isValid() || fSinceScreen.elapsed() >= kScreenInterval)
    Flush();
  else if (!fIdleFlush->isActive())
    fIdleFlush->start();
}

}  // namespace zyn
