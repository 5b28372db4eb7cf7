#pragma once
// The browser page "FrBrowser": web pages inside the main window on Qt WebEngine, with back,
// forward, stop, reload, home and close, a status bar with the page title and a gauge that runs
// while a page loads. The home button and the homepage command go to the branding's homepage.

#include "frames/ProjectPage.h"

#include <QWebEngineView>

#include <functional>

class QToolButton;
class QVBoxLayout;

namespace zyn {

class TzsStatusBar;

// Command numbers of the browser's command-state notification.
enum : int { bcUpdateAll = -1, bcForward = 1, bcBack = 2 };

// The browser control: the web view with the notifications the page follows. A page is busy from
// the start of its download to its completion (or its stop).
class TWebBrowser : public QWebEngineView {
  Q_OBJECT
 public:
  explicit TWebBrowser(QWidget* parent = nullptr);
  bool Busy() const { return fBusy; }
  void Navigate(const QUrl& url) { load(url); }

  // (command, enable): bcForward, bcBack, or bcUpdateAll after the busy state changed.
  std::function<void(int command, bool enable)> OnCommandStateChange;
  std::function<void()> OnDownloadBegin;
  std::function<void()> OnDownloadComplete;
  std::function<void(const QString& title)> OnTitleChange;

 private:
  void SetBusy(bool busy);
  bool fBusy = false;
};

class TFrBrowser : public TProjectPage {
  Q_OBJECT
 public:
  explicit TFrBrowser(QWidget* parent = nullptr);
  void FrameActivate() override;

  QToolButton *BP = nullptr, *BN = nullptr, *BS = nullptr, *BR = nullptr, *BH = nullptr, *BC = nullptr;
  TWebBrowser* WB = nullptr;  // made when the page is first shown (it starts the web engine)
  TzsStatusBar* SP = nullptr;

  // Navigates to the branding's homepage.
  void GoHome();
  // The browser control, made on first use.
  TWebBrowser* EnsureBrowser();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CommandStateChange(int command, bool enable);
  void BusyChanged();
  QWidget* fBrowserHolder = nullptr;
  QVBoxLayout* fBrowserLayout = nullptr;
};

// The web engine's settings that must be made before the application object exists: shared
// OpenGL contexts, and no sandbox for a process running as root (Chromium refuses it there).
void PrepareBrowserEngine();
// Registers the page with the frame host under "FrBrowser".
void RegisterBrowserPage();

}  // namespace zyn
