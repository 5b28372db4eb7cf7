#include "widgets/bars/BarShadow.h"

#include "platform/Colors.h"
#include "platform/PopupWindows.h"
#include "widgets/bars/BarControl.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#ifdef ZYN_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace zyn {

namespace {

class TzbBarShadowPart : public QWidget {
 public:
  TzbBarShadowPart(const QImage& image, bool transparent) : fImage(image), fTransparent(transparent) {
    MakeShadowWindow(this);
    if (fTransparent) setAttribute(Qt::WA_TranslucentBackground);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    if (fTransparent) {
      p.setCompositionMode(QPainter::CompositionMode_Source);
      p.drawImage(0, 0, fImage);
    } else {
      p.fillRect(rect(), ToQColor(clBtnShadow));
    }
  }

 private:
  QImage fImage;
  bool fTransparent;
};

bool Usable(const TzbBarShadowPartInfo& part) {
  const int s = TzbBarShadow::GetShadowSize();
  if (IsRectEmpty(part.Bounds)) return false;
  return part.Corners == 0 || (part.Bounds.Width() >= s && part.Bounds.Height() >= s);
}

}  // namespace

TzbBarShadow::TzbBarShadow(TCustomzbBarControl& owner) : fOwner(&owner) {}

TzbBarShadow::~TzbBarShadow() = default;

bool PerPixelAlphaWorks() {
  const QString platform = QGuiApplication::platformName();
  if (platform != QLatin1String("xcb")) return true;  // composited window systems and the offscreen one
#ifdef ZYN_HAVE_XCB
  // An X server blends translucent windows only while a compositing manager runs: it owns the
  // selection _NET_WM_CM_S<screen>. Without it their transparent pixels come out black.
  auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* c = x11 ? x11->connection() : nullptr;
  if (!c) return false;
  int screenNumber = 0;
  if (const char* display = std::getenv("DISPLAY")) {
    const char* dot = std::strrchr(display, '.');
    const char* colon = std::strrchr(display, ':');
    if (dot && colon && dot > colon) screenNumber = std::atoi(dot + 1);
  }
  const std::string name = "_NET_WM_CM_S" + std::to_string(screenNumber);
  xcb_intern_atom_reply_t* atom =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<uint16_t>(name.size()), name.c_str()), nullptr);
  if (!atom) return false;
  const xcb_atom_t selection = atom->atom;
  std::free(atom);
  if (selection == XCB_ATOM_NONE) return false;
  xcb_get_selection_owner_reply_t* owner =
      xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
  if (!owner) return false;
  const bool composited = owner->owner != XCB_WINDOW_NONE;
  std::free(owner);
  return composited;
#else
  return false;
#endif
}

bool TzbBarShadow::GetTransparent() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen || screen->depth() <= 8) return false;
  // Asked for every strip: the X server is asked again at most once a second (a compositing
  // manager may start or stop while the program runs).
  static QElapsedTimer asked;
  static bool works = true;
  if (!asked.isValid() || asked.elapsed() > 1000) {
    works = PerPixelAlphaWorks();
    asked.start();
  }
  return works;
}

int TzbBarShadow::GetShadowSize() { return GetTransparent() ? 4 : 2; }

void TzbBarShadow::SetRects(const TRect& owner, const TRect& window) {
  TRect r = owner, w = window;
  fHorizontal = IsRectEmpty(r) || r.Bottom == w.Top || r.Top == w.Bottom;
  if ((fHorizontal && !IsRectEmpty(r) && r.Top == w.Bottom) || (!fHorizontal && r.Left == w.Right)) std::swap(r, w);
  if (r == fUpper && w == fLower && !fParts.empty()) return;
  fUpper = r;
  fLower = w;
  Refresh();
}

void TzbBarShadow::AddPart(int kind, unsigned corners, const TRect& r) {
  if (IsRectEmpty(r)) return;
  fParts.push_back({kind, corners, r});
}

void TzbBarShadow::Refresh() {
  fWindows.clear();
  fParts.clear();
  const int s = GetShadowSize();
  const TRect& r = fUpper;
  const TRect& w = fLower;
  const bool ownerEmpty = IsRectEmpty(r);
  if (fHorizontal) {
    if (!ownerEmpty) AddPart(1, 4, Rect(r.Right, r.Top + s, r.Right + s, r.Bottom));
    AddPart(0, 1 | 2, Rect(w.Left + s, w.Bottom, w.Right + s, w.Bottom + s));
    if (!ownerEmpty) {
      if (r.Left + s < w.Left) AddPart(0, 1, Rect(r.Left + s, r.Bottom, w.Left, r.Bottom + s));
      if (w.Right < r.Right) AddPart(0, 2, Rect(w.Right, r.Bottom, r.Right + s, r.Bottom + s));
    }
    if (ownerEmpty || r.Right < w.Right)
      AddPart(1, 4, Rect(w.Right, w.Top + s, w.Right + s, w.Bottom));
    else
      AddPart(1, 0, Rect(w.Right, w.Top, w.Right + s, w.Bottom));
  } else {
    AddPart(1, 4, Rect(w.Right, w.Top + s, w.Right + s, w.Bottom));
    if (r.Top + s < w.Top) AddPart(1, 4, Rect(r.Right, r.Top + s, r.Right + s, w.Top));
    if (w.Bottom < r.Bottom) {
      AddPart(0, 1 | 2, Rect(r.Left + s, r.Bottom, r.Right + s, r.Bottom + s));
      AddPart(1, 0, Rect(r.Right, w.Bottom, r.Right + s, r.Bottom));
    } else {
      AddPart(0, 1, Rect(r.Left + s, r.Bottom, r.Right, r.Bottom + s));
    }
    if (r.Bottom < w.Bottom)
      AddPart(0, 1 | 2, Rect(w.Left + s, w.Bottom, w.Right + s, w.Bottom + s));
    else
      AddPart(0, 2, Rect(w.Left, w.Bottom, w.Right + s, w.Bottom + s));
  }
  if (fVisible) {
    const bool was = fVisible;
    fVisible = false;
    SetVisible(was);
  }
}

QImage TzbBarShadow::PartImage(const TzbBarShadowPartInfo& part) {
  const int width = part.Bounds.Width(), height = part.Bounds.Height();
  const int s = GetShadowSize();
  QImage img(width, height, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      int alpha = part.Kind == 0 ? 15 * (height - y) : 15 * (width - x);
      auto fade = [&](int d) {
        if (d < s) alpha = (alpha * (d + 1) * 2 + (s + 1)) / (2 * (s + 1));
      };
      if (part.Corners & 1) fade(x);
      if (part.Corners & 2) fade(width - 1 - x);
      if (part.Corners & 4) fade(y);
      img.setPixel(x, y, qRgba(0, 0, 0, std::clamp(alpha, 0, 255)));
    }
  return img;
}

void TzbBarShadow::SetVisible(bool value) {
  if (value == fVisible) return;
  fVisible = value;
  if (!value) {
    fWindows.clear();
    return;
  }
  const bool transparent = GetTransparent();
  for (const TzbBarShadowPartInfo& part : fParts) {
    if (!Usable(part)) continue;
    auto w = std::make_unique<TzbBarShadowPart>(PartImage(part), transparent);
    w->setGeometry(ToQRect(part.Bounds));
    w->show();
    fWindows.push_back(std::move(w));
  }
}

}  // namespace zyn
