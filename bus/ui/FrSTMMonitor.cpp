#include "bus/ui/FrSTMMonitor.h"

#include "bus/ServiceModules.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "shell/MessageHandler.h"
#include "shell/Translation.h"
#include "widgets/common/WidgetText.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zyn {

namespace {

QColor LineColor(TMonitorColor c) {
  switch (c) {
    case TMonitorColor::Red:
      return QColor(255, 0, 0);
    case TMonitorColor::Navy:
      return QColor(0, 0, 128);
    case TMonitorColor::Blue:
      return QColor(0, 0, 255);
    case TMonitorColor::Maroon:
      return QColor(128, 0, 0);
    default:
      return QColor(0, 0, 0);
  }
}

}  // namespace

TFrSTMMonitor::TFrSTMMonitor(QWidget* parent) : TServicePage("FrSTMMonitor", false, parent) {
  ZYNCom.SetP_TIFDelay(0);
  auto* row = new QHBoxLayout;
  BtnStart = new QPushButton(TranslatedText("Monitor starten"), this);
  BtnStart->setObjectName(QStringLiteral("BtnStart"));
  BtnStop = new QPushButton(TranslatedText("Monitor stopen"), this);
  BtnStop->setObjectName(QStringLiteral("BtnStop"));
  BtnStop->setEnabled(false);
  Button1 = new QPushButton(TranslatedText("Liste löschen"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  BtnSave = new QPushButton(TranslatedText("Liste speichern..."), this);
  BtnSave->setObjectName(QStringLiteral("BtnSave"));
  row->addWidget(BtnStart);
  row->addWidget(BtnStop);
  row->addWidget(Button1);
  row->addWidget(BtnSave);
  row->addSpacing(12);
  row->addWidget(new QLabel(TranslatedText("Filter:"), this));
  Filter = new QLineEdit(this);
  Filter->setObjectName(QStringLiteral("Filter"));
  Filter->setPlaceholderText(TranslatedText("Station, Befehl oder Bytes"));
  Filter->setClearButtonEnabled(true);
  row->addWidget(Filter, 1);
  Body()->addLayout(row);
  Memo1 = new QTreeWidget(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setColumnCount(5);
  Memo1->setHeaderLabels({TranslatedText("Zeit"), TranslatedText("Richtung"), TranslatedText("Station"),
                          TranslatedText("Befehl"), TranslatedText("Bytes")});
  Memo1->setRootIsDecorated(false);
  Memo1->setUniformRowHeights(true);
  Memo1->setContextMenuPolicy(Qt::CustomContextMenu);
  QFont mono(QStringLiteral("Monospace"));
  mono.setStyleHint(QFont::TypeWriter);
  Memo1->setFont(mono);
  Memo1->header()->setStretchLastSection(true);
  const int widths[] = {100, 70, 90, 380};
  for (int c = 0; c < 4; ++c) Memo1->header()->resizeSection(c, widths[c]);
  Body()->addWidget(Memo1, 1);
  auto* popup = new QMenu(this);
  popup->addAction(TranslatedText("Einträge löschen"), this, [this] { Eintrgelschen1Click(); });
  connect(Memo1, &QWidget::customContextMenuRequested, this,
          [this, popup](const QPoint& p) { popup->exec(Memo1->viewport()->mapToGlobal(p)); });
  connect(BtnStart, &QPushButton::clicked, this, [this] { BtnStartClick(); });
  connect(BtnStop, &QPushButton::clicked, this, [this] { BtnStopClick(); });
  connect(Button1, &QPushButton::clicked, this, [this] { Eintrgelschen1Click(); });
  connect(Filter, &QLineEdit::textChanged, this, [this] { ApplyFilter(); });
  connect(BtnSave, &QPushButton::clicked, this, [this] {
    const QString path =
        QFileDialog::getSaveFileName(this, TranslatedText("Telegrammliste speichern"), QStringLiteral("Telegramme.txt"),
                                     TranslatedText("Textdateien (*.txt)"));
    if (!path.isEmpty()) SaveTo(path.toStdString());
  });
  // Handed over from the port's event thread.
  fMonitor.OnArrived = [this] {
    QMetaObject::invokeMethod(
        this, [this] { TakeTelegrams(); }, Qt::QueuedConnection);
  };
}

TFrSTMMonitor::~TFrSTMMonitor() {
  fMonitor.OnArrived = nullptr;
  fMonitor.Stop();
  if (fLocked)
    if (IMessageHandler* h = GetMessageHandler()) h->UnlockUserInterface();
}

void TFrSTMMonitor::FrameDeactivate() {
  if (Listening()) BtnStopClick();
  Eintrgelschen1Click();
}

void TFrSTMMonitor::BtnStartClick() {
  if (Listening()) return;
  PrepareServiceLink(ZYNCom);
  ZYNCom.SetA_PCAdresse(254);
  ZYNCom.SetA_Steuermodul(0);
  std::string message;
  if (!fMonitor.Start(message)) {
    GPortOpen = false;
    TranslatedMessageDlg(TranslateText(Ansi("Der Monitor konnte nicht gestartet werden:")) + "\r" + message, mtError,
                         mbCancel);
    return;
  }
  if (IMessageHandler* h = GetMessageHandler()) h->LockUserInterface();
  fLocked = true;
  BtnStart->setEnabled(false);
  BtnStop->setEnabled(true);
}

void TFrSTMMonitor::BtnStopClick() {
  fMonitor.Stop();
  TakeTelegrams();
  BtnStart->setEnabled(true);
  BtnStop->setEnabled(false);
  if (fLocked)
    if (IMessageHandler* h = GetMessageHandler()) h->UnlockUserInterface();
  fLocked = false;
}

void TFrSTMMonitor::Eintrgelschen1Click() {
  fLines.clear();
  Memo1->clear();
}

void TFrSTMMonitor::AddRow(const TMonitorLine& line) {
  auto* item = new QTreeWidgetItem(QStringList{ToQString(line.Time), ToQString(line.Direction), ToQString(line.Station),
                                               ToQString(line.Command), ToQString(line.Raw)});
  for (int c = 0; c < 5; ++c) item->setForeground(c, LineColor(line.Color));
  Memo1->addTopLevelItem(item);
}

void TFrSTMMonitor::TakeTelegrams() {
  const std::vector<TMonitorTelegram> telegrams = fMonitor.Take();
  if (telegrams.empty()) return;
  const std::string filter = FromQString(Filter->text());
  auto translate = [](const std::string& text) { return TranslateText(text); };
  for (const TMonitorTelegram& t : telegrams) {
    fLines.push_back(DescribeTelegram(t, ZYNCom.A_PCAdresse(), translate));
    if (MatchesFilter(fLines.back(), filter)) AddRow(fLines.back());
  }
  if (fLines.size() > kMaxLines) {
    fLines.erase(fLines.begin(), fLines.begin() + static_cast<long>(fLines.size() - kMaxLines));
    ApplyFilter();
  }
  Memo1->scrollToBottom();
}

void TFrSTMMonitor::ApplyFilter() {
  const std::string filter = FromQString(Filter->text());
  Memo1->clear();
  for (const TMonitorLine& line : fLines)
    if (MatchesFilter(line, filter)) AddRow(line);
}

bool TFrSTMMonitor::SaveTo(const std::string& utf8Path) {
  const std::string filter = FromQString(Filter->text());
  std::vector<TMonitorLine> shown;
  for (const TMonitorLine& line : fLines)
    if (MatchesFilter(line, filter)) shown.push_back(line);
  std::string message;
  if (SaveMonitorText(utf8Path, shown, message)) return true;
  TranslatedMessageDlg(message, mtError, mbCancel);
  return false;
}

}  // namespace zyn
