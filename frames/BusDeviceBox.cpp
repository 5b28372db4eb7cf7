#include "frames/BusDeviceBox.h"

#include "model/base/Cp1252.h"
#include "model/base/SerialDevice.h"
#include "model/base/Translator.h"
#include "platform/QtText.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zyn {

namespace {

QString Text(const char* utf8) { return ToQString(TranslateText(Ansi(utf8))); }

}  // namespace

TBusDeviceBox::TBusDeviceBox(QWidget* parent) : QGroupBox(Text(" Schnittstelle "), parent) {
  setObjectName(QStringLiteral("GBDevice"));
  auto* layout = new QVBoxLayout(this);
  CBDevice = new QComboBox(this);
  CBDevice->setObjectName(QStringLiteral("CBDevice"));
  CBDevice->setEditable(true);
  CBDevice->setInsertPolicy(QComboBox::NoInsert);
  CBDevice->setToolTip(Text("Gerätedatei der Schnittstelle, z. B. /dev/ttyUSB0; leer: der oben gewählte COM-Anschluss"));
  layout->addWidget(CBDevice);
  LOverride = new QLabel(this);
  LOverride->setObjectName(QStringLiteral("LOverride"));
  LOverride->setWordWrap(true);
  layout->addWidget(LOverride);
  connect(CBDevice, &QComboBox::currentTextChanged, this, [this] {
    if (OnChange) OnChange();
  });
}

void TBusDeviceBox::SetDevice(const std::string& path) {
  const QSignalBlocker block(CBDevice);
  CBDevice->clear();
  CBDevice->addItem(QString());  // the port's device
  for (const std::string& device : ListSerialDevices()) CBDevice->addItem(QString::fromStdString(device));
  CBDevice->setEditText(QString::fromStdString(path));
  const std::string override = BusDeviceOverride();
  LOverride->setVisible(!override.empty());
  if (!override.empty())
    LOverride->setText(Text("Die Umgebungsvariable ZYN_BUS_DEVICE ist gesetzt; verwendet wird") + QLatin1Char(' ') +
                       QString::fromStdString(override) + QLatin1Char('.'));
}

std::string TBusDeviceBox::Device() const { return CBDevice->currentText().trimmed().toStdString(); }

}  // namespace zyn
