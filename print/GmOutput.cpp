#include "print/GmOutput.h"

#include "model/base/Cp1252.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTemporaryFile>

namespace zyn {

QImage RenderPage(const TGmPage& page, TGmExtended ppi, bool forScreen) {
  const int w = GmPixels(page.Width(), ppi), h = GmPixels(page.Height(), ppi);
  QImage img(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
  const int dpm = static_cast<int>(GmRound(ppi / 0.0254L));
  img.setDotsPerMeterX(dpm);
  img.setDotsPerMeterY(dpm);
  img.fill(Qt::white);
  QPainter p(&img);
  page.Draw(p, ppi, ppi, forScreen);
  return img;
}

namespace {
QPageLayout LayoutFor(const TGmPage& page) {
  const QSizeF points(static_cast<double>(page.Width() * 72), static_cast<double>(page.Height() * 72));
  return QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch), QPageLayout::Portrait,
                     QMarginsF(0, 0, 0, 0));
}

[[noreturn]] void WriteFailed(const std::string& path) {
  throw EWriteError(Ansi("Die PDF-Datei „") + Utf8ToAnsi(path) + Ansi("“ konnte nicht geschrieben werden."));
}
}  // namespace

void SavePagesToPdf(const TGmPageList& list, const std::string& path, int resolution, const std::string& title) {
  const QString target = QString::fromStdString(path);
  QSaveFile file(target);
  if (!file.open(QIODevice::WriteOnly)) WriteFailed(path);
  {
    QPdfWriter writer(&file);
    writer.setResolution(resolution);
    writer.setCreator(QStringLiteral("ZYN Systemsoftware"));
    if (!title.empty()) writer.setTitle(QString::fromStdString(title));
    if (list.Count() > 0) writer.setPageLayout(LayoutFor(*list.GetPage(1)));
    QPainter painter;
    if (!painter.begin(&writer)) WriteFailed(path);
    for (int i = 1; i <= list.Count(); ++i) {
      const TGmPage& page = *list.GetPage(i);
      if (i > 1) {
        writer.setPageLayout(LayoutFor(page));
        writer.newPage();
      }
      page.Draw(painter, resolution, resolution, false);
    }
    if (!painter.end()) WriteFailed(path);
  }
  if (!file.commit()) WriteFailed(path);
}

}  // namespace zyn
