#pragma once
// The browser page "FrBrowser": HTML pages inside the main window with back, forward, stop,
// reload, home and close, a status bar with the page title and a busy gauge. The start page is
// the programme's own (local); addresses on the web open in the desktop's browser.

#include "frames/ProjectPage.h"

#include <QTextBrowser>

class QToolButton;

namespace zyn {

class TzsStatusBar;

// The browser control: local files and the start page "zyn:start".
class TPageBrowser : public QTextBrowser {
  Q_OBJECT
 public:
  explicit TPageBrowser(QWidget* parent = nullptr);
  static QUrl StartPage() { return QUrl(QStringLiteral("zyn:start")); }
  bool Busy() const { return fBusy; }
  QVariant loadResource(int type, const QUrl& name) override;
  std::function<void()> OnBusyChanged;

 protected:
  void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

 private:
  bool fBusy = false;
};

class TFrBrowser : public TProjectPage {
  Q_OBJECT
 public:
  explicit TFrBrowser(QWidget* parent = nullptr);
  void FrameActivate() override;

  QToolButton *BP = nullptr, *BN = nullptr, *BS = nullptr, *BR = nullptr, *BH = nullptr, *BC = nullptr;
  TPageBrowser* WB = nullptr;
  TzsStatusBar* SP = nullptr;

  void GoHome();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BusyChanged();
  void TitleChanged();
};

// The start page: the programme's title and version, the homepage address as a link.
QString BrowserStartPage();

}  // namespace zyn
