#include "bus/ui/VaDisplay.h"

#include "bus/ZYNComm.h"
#include "bus/ui/BusPage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVariant>

namespace zyn {

namespace {

QLabel* MakeLamp(QWidget* parent, const char* name, const char* text) {
  auto* lamp = new QLabel(BusText(text), parent);
  lamp->setObjectName(QString::fromLatin1(name));
  lamp->setAlignment(Qt::AlignCenter);
  lamp->setMinimumWidth(44);
  lamp->setFrameShape(QFrame::Panel);
  lamp->setFrameShadow(QFrame::Sunken);
  lamp->setAutoFillBackground(true);
  return lamp;
}

void Light(QLabel* lamp, bool lit, const QColor& colour) {
  if (TVaDisplay::Lit(lamp) == lit && lamp->property("lit").isValid()) return;
  lamp->setProperty("lit", lit);
  QPalette palette = lamp->palette();
  palette.setColor(QPalette::Window, lit ? colour : lamp->parentWidget()->palette().color(QPalette::Window));
  lamp->setPalette(palette);
}

}  // namespace

TVaDisplay::TVaDisplay(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("VaDisplay"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  RxLamp = MakeLamp(this, "RxLamp", "RX");
  TxLamp = MakeLamp(this, "TxLamp", "TX");
  ErrorLamp = MakeLamp(this, "ErrorLamp", "Fehler");
  Counts = new QLabel(this);
  Counts->setObjectName(QStringLiteral("Counts"));
  for (QWidget* w : {static_cast<QWidget*>(RxLamp), static_cast<QWidget*>(TxLamp),
                     static_cast<QWidget*>(ErrorLamp), static_cast<QWidget*>(Counts)})
    layout->addWidget(w);
  Timer = new QTimer(this);
  Timer->setInterval(100);
  connect(Timer, &QTimer::timeout, this, [this] { Update(); });
  Timer->start();
  Update();
}

void TVaDisplay::Attach(TZYNComm& comm) { comm.SetDisplay(fTraffic); }

bool TVaDisplay::Lit(const QLabel* lamp) { return lamp->property("lit").toBool(); }

void TVaDisplay::Update() {
  const uint64_t received = fTraffic->ReceivedBytes(), sent = fTraffic->SentBytes(), errors = fTraffic->Errors();
  Light(RxLamp, received != fReceived, QColor(0, 200, 0));
  Light(TxLamp, sent != fSent, QColor(255, 200, 0));
  Light(ErrorLamp, errors != fErrors || fTraffic->Lost(), QColor(230, 0, 0));
  fReceived = received, fSent = sent, fErrors = errors;
  QString text = BusText("%1 Bytes empfangen, %2 Bytes gesendet")
                     .arg(static_cast<qulonglong>(received))
                     .arg(static_cast<qulonglong>(sent));
  if (errors > 0) text += BusText(", %1 Leitungsfehler").arg(static_cast<qulonglong>(errors));
  if (fTraffic->Lost()) text += BusText(", Verbindung getrennt");
  Counts->setText(text);
}

}  // namespace zyn
