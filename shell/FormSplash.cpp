#include "shell/FormSplash.h"

#include "model/base/VersionInfo.h"
#include "platform/QtText.h"
#include "shell/Branding.h"
#include "shell/Translation.h"
#include "widgets/common/WidgetText.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

namespace zyn {

QString VersionCaption(const TzsVersionInfoResource& vi) {
  return TranslatedText("Version:") +
         QStringLiteral(" %1.%2").arg(vi.FileVersion().GetPart(0)).arg(vi.FileVersion().GetPart(1));
}

TSplash::TSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("Splash"));
  setFixedSize(410, 246);
  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(2);
  panel->setGeometry(rect());
  Image1 = new QLabel(panel);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setScaledContents(true);
  Image1->setGeometry(rect());
  Label4 = new QLabel(QStringLiteral("Initialisierung..."), panel);
  Label4->setObjectName(QStringLiteral("Label4"));
  Label4->setAlignment(Qt::AlignCenter);
  Label4->setGeometry(297 - 60, 205, 120, 16);
  Label1 = new QLabel(panel);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(8, 224, 115, 16);
  Label2 = new QLabel(QStringLiteral("For testing only!"), panel);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(8, 8, 150, 16);
  Label2->hide();
  PB = new QProgressBar(panel);
  PB->setObjectName(QStringLiteral("PB"));
  PB->setTextVisible(false);
  PB->setGeometry(127, 225, 275, 15);
  for (QLabel* l : {Label1, Label2, Label4}) l->setAttribute(Qt::WA_TranslucentBackground);
  TranslateForm(this);
  ApplyBranding();
  fVersionLabel = std::make_unique<TVersionLabel>(
      Label1, [](const std::string& version) { return TranslatedText("Version:") + QLatin1Char(' ') + ToQString(version); });
  VI.SetVersionLabel(fVersionLabel.get());
  if (QScreen* screen = this->screen()) move(screen->geometry().center() - rect().center());
}

void TSplash::ApplyBranding() {
  QPalette pal = Label1->palette();
  pal.setColor(QPalette::WindowText, ToQColor(GetSplashColor()));
  for (QLabel* l : {Label1, Label4}) l->setPalette(pal);
  Image1->setPixmap(QPixmap::fromImage(GetSplashBitmap()));
}

void TSplash::showEvent(QShowEvent* event) {
  ApplyBranding();
  Label1->setText(VersionCaption(VI));
  Label2->hide();
  QWidget::showEvent(event);
}

}  // namespace zyn
