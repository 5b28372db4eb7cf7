#include "shell/FormAbout.h"

#include "model/base/Translator.h"
#include "model/base/VersionInfo.h"
#include "platform/QtText.h"
#include "shell/Branding.h"
#include "shell/FormSplash.h"
#include "shell/Translation.h"

#include <QLabel>
#include <QPushButton>

namespace zyn {

TFrmAbout::TFrmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FrmAbout"));
  setWindowTitle(QStringLiteral("Über ZYN- Systemsoftware"));
  setFixedSize(473, 306);
  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setScaledContents(true);
  Image1->setGeometry(rect());
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label1->setGeometry(88, 56, 362, 24);
  QFont big = Label1->font();
  big.setPointSize(big.pointSize() + 4);
  big.setBold(true);
  Label1->setFont(big);
  Label2 = new QLabel(this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(8, 212, 300, 16);
  Label3 = new QLabel(this);
  Label3->setObjectName(QStringLiteral("Label3"));
  Label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label3->setGeometry(248, 80, 202, 25);
  Label4 = new QLabel(QStringLiteral("For testing only!"), this);
  Label4->setObjectName(QStringLiteral("Label4"));
  Label4->setGeometry(8, 8, 150, 16);
  Label4->hide();
  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button1->setGeometry(473 - 8 - 75, 306 - 8 - 25, 75, 25);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  setWindowIcon(GetMainIcon());
  TranslateForm(this);
  fProductLabel = std::make_unique<TVersionLabel>(
      Label1, [](const std::string& product) { return ToQString(TranslateText(product)); });
  VI.SetProductLabel(fProductLabel.get());
}

void TFrmAbout::showEvent(QShowEvent* event) {
  for (QLabel* l : {Label1, Label2, Label3, Label4}) {
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, ToQColor(GetAboutColor()));
    l->setPalette(pal);
  }
  VI.ReadVersionInfo();  // fills Label1
  Label2->setText(ToQString(TranslateText(VI.CompanyName())));
  Label3->setText(VersionCaption(VI));
  Label4->hide();
  Image1->setPixmap(QPixmap::fromImage(GetAboutBitmap()));
  QDialog::showEvent(event);
}

}  // namespace zyn
