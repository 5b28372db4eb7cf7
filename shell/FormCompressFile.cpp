#include "shell/FormCompressFile.h"

#include "shell/Translation.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace zyn {

TFrmCompressFile::TFrmCompressFile(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FrmCompressFile"));
  setWindowTitle(QStringLiteral("Anhang komprimieren und EMail senden"));
  setFixedSize(351, 92);
  auto* layout = new QVBoxLayout(this);
  Label1 = new QLabel(
      QStringLiteral("Die Projektdatei wird komprimiert und mit der EMail an die Supportabteilung von ZORV gesendet."),
      this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setWordWrap(true);
  layout->addWidget(Label1);
  Meter = new QProgressBar(this);
  Meter->setObjectName(QStringLiteral("Meter"));
  Meter->setRange(0, 100);
  QPalette pal = Meter->palette();
  pal.setColor(QPalette::Highlight, QColor(0, 0, 128));
  Meter->setPalette(pal);
  layout->addWidget(Meter);
  TranslateForm(this);
}

void TFrmCompressFile::SetProgress(int percent) {
  Meter->setValue(percent);
  Meter->repaint();
}

}  // namespace zyn
