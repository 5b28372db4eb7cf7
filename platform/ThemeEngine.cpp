#include "platform/ThemeEngine.h"

#include <array>

namespace zyn {

namespace {

// The classes of the built-in style; a handle is the class number + 1.
const std::array<const char*, 24> kClasses = {
    "Button",   "Clock",    "ComboBox", "Edit",      "ExplorerBar", "Header",     "ListView", "Menu",
    "Page",     "Progress", "Rebar",    "ScrollBar", "Spin",        "StartPanel", "Status",   "Tab",
    "TaskBand", "TaskBar",  "ToolBar",  "ToolTip",   "TrackBar",    "TrayNotify", "TreeView", "Window"};
enum {
  kButton,
  kClock,
  kComboBox,
  kEdit,
  kExplorerBar,
  kHeader,
  kListView,
  kMenu,
  kPage,
  kProgress,
  kRebar,
  kScrollBar,
  kSpin,
  kStartPanel,
  kStatus,
  kTab,
  kTaskBand,
  kTaskBar,
  kToolBar,
  kToolTip,
  kTrackBar,
  kTrayNotify,
  kTreeView,
  kWindow
};

// Fixed colours of the style ($00BBGGRR).
constexpr TColor kFace = RGB(236, 233, 216);
constexpr TColor kHotFrame = RGB(206, 206, 195);
constexpr TColor kPressedFrame = RGB(154, 154, 142);
constexpr TColor kCheckedFrame = RGB(182, 182, 170);
constexpr TColor kGripDark = RGB(193, 190, 179);
constexpr TColor kBlue = RGB(49, 106, 197);
constexpr TColor kEditFrame = RGB(127, 157, 185);
constexpr TColor kChunk = RGB(49, 211, 49);

struct TGlobal {
  std::unique_ptr<TThemeEngine> engine = std::make_unique<TBuiltInThemeEngine>();
  std::function<void()> receiver;
};

TGlobal& Global() {
  static TGlobal g;
  return g;
}

void Fill(TCanvas& c, const TRect& r, TColor color) {
  if (IsRectEmpty(r)) return;
  c.Painter().fillRect(ToQRect(r), ToQColor(color));
}

TColor Mix(TColor a, TColor b, int num, int den) {
  auto ch = [&](int x, int y) { return x + (y - x) * num / (den > 0 ? den : 1); };
  return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b)));
}

void VerticalBlend(TCanvas& c, const TRect& r, TColor top, TColor bottom) {
  const int h = r.Height();
  for (int y = 0; y < h; ++y) Fill(c, Rect(r.Left, r.Top + y, r.Right, r.Top + y + 1), Mix(top, bottom, y, h - 1));
}

// A frame with its four corner pixels left out (a rounded look).
void RoundFrame(TCanvas& c, const TRect& r, TColor color) {
  if (r.Width() < 3 || r.Height() < 3) return;
  Fill(c, Rect(r.Left + 1, r.Top, r.Right - 1, r.Top + 1), color);
  Fill(c, Rect(r.Left + 1, r.Bottom - 1, r.Right - 1, r.Bottom), color);
  Fill(c, Rect(r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1), color);
  Fill(c, Rect(r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1), color);
}

void DownArrow(TCanvas& c, const TRect& r, TColor color) {
  const int x = (r.Left + r.Right - 5) / 2, y = (r.Top + r.Bottom - 3) / 2;
  for (int k = 0; k < 3; ++k) Fill(c, Rect(x + k, y + k, x + 5 - k, y + k + 1), color);
}

void UpArrow(TCanvas& c, const TRect& r, TColor color) {
  const int x = (r.Left + r.Right - 5) / 2, y = (r.Top + r.Bottom - 3) / 2;
  for (int k = 0; k < 3; ++k) Fill(c, Rect(x + 2 - k, y + k, x + 3 + k, y + k + 1), color);
}

void ToolButton(TCanvas& c, const TRect& r, int state) {
  switch (state) {
    case 2:  // hot
      VerticalBlend(c, Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), RGB(255, 255, 255), RGB(240, 238, 229));
      RoundFrame(c, r, kHotFrame);
      break;
    case 3:  // pressed
      VerticalBlend(c, Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), RGB(225, 224, 210), RGB(242, 241, 235));
      RoundFrame(c, r, kPressedFrame);
      break;
    case 5:  // checked
      Fill(c, Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), RGB(250, 250, 247));
      RoundFrame(c, r, kCheckedFrame);
      break;
    case 6:  // hot and checked
      Fill(c, Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), RGB(255, 255, 255));
      RoundFrame(c, r, kPressedFrame);
      break;
    default:
      break;  // normal and disabled buttons are flat
  }
}

void GripDots(TCanvas& c, const TRect& r, bool vertical) {
  // 2 x 2 dots every 4 pixels with a light pixel below and right.
  const int len = vertical ? r.Width() : r.Height();
  for (int a = 1; a + 2 <= len; a += 4) {
    const int x = vertical ? r.Left + a : r.Left;
    const int y = vertical ? r.Top : r.Top + a;
    Fill(c, Rect(x + 1, y + 1, x + 3, y + 3), RGB(255, 255, 255));
    Fill(c, Rect(x, y, x + 2, y + 2), kGripDark);
  }
}

void CaptionButton(TCanvas& c, const TRect& r, int state, TColor base) {
  const TColor face = state == 2   ? Mix(base, RGB(255, 255, 255), 1, 4)
                      : state == 3 ? Mix(base, RGB(0, 0, 0), 1, 4)
                      : state == 4 ? RGB(200, 200, 200)
                                   : base;
  Fill(c, Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), face);
  RoundFrame(c, r, RGB(255, 255, 255));
}

}  // namespace

void TBuiltInThemeEngine::SetActive(bool value) {
  if (value == fActive) return;
  fActive = value;
  BroadcastThemeChange();
}

HTHEME TBuiltInThemeEngine::OpenThemeData(const QString& classList) {
  if (!fActive) return 0;
  for (const QString& name : classList.split(';')) {
    for (std::size_t i = 0; i < kClasses.size(); ++i) {
      if (name.trimmed().compare(QString::fromLatin1(kClasses[i]), Qt::CaseInsensitive) == 0) {
        ++fOpenHandles;
        return static_cast<HTHEME>(i + 1);
      }
    }
  }
  return 0;
}

void TBuiltInThemeEngine::CloseThemeData(HTHEME theme) {
  if (theme != 0 && fOpenHandles > 0) --fOpenHandles;
}

bool TBuiltInThemeEngine::DrawThemeBackground(HTHEME theme, TCanvas& c, int part, int state, const TRect& r) {
  if (theme <= 0 || IsRectEmpty(r)) return false;
  switch (static_cast<int>(theme) - 1) {
    case kToolBar:
      if (part == 1 || part == 3) {
        ToolButton(c, r, state);
      } else if (part == 4) {
        ToolButton(c, r, state);
        DownArrow(c, r, state == 4 ? RGB(161, 161, 146) : RGB(0, 0, 0));
      } else if (part == 5) {
        const int x = (r.Left + r.Right) / 2 - 1;
        Fill(c, Rect(x, r.Top + 2, x + 1, r.Bottom - 2), kGripDark);
        Fill(c, Rect(x + 1, r.Top + 2, x + 2, r.Bottom - 2), RGB(255, 255, 255));
      } else if (part == 6) {
        const int y = (r.Top + r.Bottom) / 2 - 1;
        Fill(c, Rect(r.Left + 2, y, r.Right - 2, y + 1), kGripDark);
        Fill(c, Rect(r.Left + 2, y + 1, r.Right - 2, y + 2), RGB(255, 255, 255));
      } else {
        Fill(c, r, kFace);
      }
      return true;
    case kRebar:
      if (part == 1 || part == 2)
        GripDots(c, r, part == 2);
      else
        VerticalBlend(c, r, RGB(250, 249, 245), kFace);
      return true;
    case kWindow:
      if (part == 19 || part == 20)
        CaptionButton(c, r, state, RGB(224, 67, 22));
      else
        CaptionButton(c, r, state, kBlue);
      {
        // The glyph: a cross for the close buttons, a bar for minimize, two frames for restore.
        const TRect g = Rect(r.Left + 4, r.Top + 4, r.Right - 4, r.Bottom - 4);
        if (part == 19 || part == 20) {
          for (int k = 0; k < g.Width() && k < g.Height(); ++k) {
            Fill(c, Bounds(g.Left + k, g.Top + k, 1, 1), RGB(255, 255, 255));
            Fill(c, Bounds(g.Right - 1 - k, g.Top + k, 1, 1), RGB(255, 255, 255));
          }
        } else if (part == 16) {
          Fill(c, Rect(g.Left, g.Bottom - 2, g.Right, g.Bottom), RGB(255, 255, 255));
        } else {
          Fill(c, Rect(g.Left, g.Top, g.Right, g.Top + 2), RGB(255, 255, 255));
        }
      }
      return true;
    case kStatus:
      if (part == 3) {
        for (int row = 0; row < 3; ++row)
          for (int col = 2 - row; col < 3; ++col) {
            const int x = r.Right - 4 - (2 - col) * 4, y = r.Bottom - 4 - (2 - row) * 4;
            Fill(c, Rect(x + 1, y + 1, x + 3, y + 3), RGB(255, 255, 255));
            Fill(c, Rect(x, y, x + 2, y + 2), kGripDark);
          }
      } else {
        Fill(c, r, kFace);
      }
      return true;
    case kComboBox:
    case kSpin: {
      const TColor face = state == 4   ? RGB(232, 232, 232)
                          : state == 3 ? RGB(152, 180, 246)
                          : state == 2 ? RGB(210, 224, 253)
                                       : RGB(193, 211, 251);
      Fill(c, Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), face);
      RoundFrame(c, r, RGB(255, 255, 255));
      const TColor glyph = state == 4 ? RGB(161, 161, 146) : RGB(77, 97, 133);
      if (theme - 1 == kSpin && part == 1)
        UpArrow(c, r, glyph);
      else
        DownArrow(c, r, glyph);
      return true;
    }
    case kEdit:
      Fill(c, r, state == 4 ? RGB(235, 235, 228) : RGB(255, 255, 255));
      c.Brush.Color = kEditFrame;
      c.Brush.Style = bsSolid;
      c.FrameRect(r);
      return true;
    case kProgress:
      if (part == 3 || part == 4) {
        Fill(c, r, kChunk);
      } else {
        Fill(c, r, RGB(255, 255, 255));
        RoundFrame(c, r, RGB(104, 104, 104));
      }
      return true;
    case kScrollBar:
      Fill(c, r, kFace);
      return true;
    default:
      Fill(c, r, kFace);
      return true;
  }
}

bool TBuiltInThemeEngine::GetThemePartSize(HTHEME theme, int part, int, TThemeSizeKind, TThemeSize& size) {
  if (theme <= 0) return false;
  switch (static_cast<int>(theme) - 1) {
    case kRebar:
      size = {4, 4};
      return true;
    case kToolBar:
      size = (part == 5 || part == 6) ? TThemeSize{6, 6} : TThemeSize{22, 22};
      return true;
    case kComboBox:
      size = {17, 20};
      return true;
    case kWindow:
      size = {13, 13};
      return true;
    case kStatus:
      size = {12, 12};
      return true;
    case kScrollBar:
      size = {17, 17};
      return true;
    case kProgress:
      size = {8, 10};
      return true;
    default:
      size = {16, 16};
      return true;
  }
}

bool TBuiltInThemeEngine::GetThemeColor(HTHEME theme, int part, int state, int property, TColor& color) {
  if (theme <= 0) return false;
  switch (static_cast<int>(theme) - 1) {
    case kToolBar:
      // The style's own text colours go with its own light fills.
      if (property == TMT_TEXTCOLOR) {
        color = state == 4 ? RGB(161, 161, 146) : RGB(0, 0, 0);
        return true;
      }
      if (property != TMT_FILLCOLOR) return false;
      color = kFace;
      return true;
    case kEdit:
      if (property == TMT_FILLCOLOR && state == 4) {
        color = RGB(235, 235, 228);
        return true;
      }
      if (property == TMT_TEXTCOLOR) {
        color = state == 4 ? RGB(161, 161, 146) : RGB(0, 0, 0);
        return true;
      }
      return false;
    case kProgress:
      if (property != TMT_FILLCOLOR || part != 3) return false;
      color = kChunk;
      return true;
    default:
      return false;
  }
}

bool TBuiltInThemeEngine::GetThemeBackgroundContentRect(HTHEME theme, int part, int, const TRect& bounds,
                                                        TRect& content) {
  if (theme <= 0) return false;
  content = bounds;
  switch (static_cast<int>(theme) - 1) {
    case kToolBar:
      InflateRect(content, -3, -3);
      return true;
    case kEdit:
      InflateRect(content, -2, -2);
      return true;
    case kProgress:
      InflateRect(content, -3, -3);
      return true;
    default:
      InflateRect(content, -1, -1);
      return true;
  }
}

bool TBuiltInThemeEngine::IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int) {
  return theme - 1 == kToolBar || (theme - 1 == kProgress && (part == 1 || part == 2));
}

bool TBuiltInThemeEngine::GetCurrentThemeName(QString& fileName, QString& colorName, QString& sizeName) {
  if (!fActive) return false;
  fileName = QStringLiteral("C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles");
  colorName = QStringLiteral("NormalColor");
  sizeName = QStringLiteral("NormalSize");
  return true;
}

TThemeEngine* GetThemeEngine() { return Global().engine.get(); }

void SetThemeEngine(std::unique_ptr<TThemeEngine> engine) {
  Global().engine = std::move(engine);
  BroadcastThemeChange();
}

void SetThemeChangeReceiver(std::function<void()> receiver) { Global().receiver = std::move(receiver); }

void BroadcastThemeChange() {
  if (Global().receiver) Global().receiver();
}

}  // namespace zyn
