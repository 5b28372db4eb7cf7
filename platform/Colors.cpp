#include "platform/Colors.h"

#include <QApplication>
#include <QPalette>

#include <array>

namespace zyn {
namespace {

struct SystemEntry {
  int role;  // QPalette::ColorRole or -1 for the fixed value
  TColor classic;
};

constexpr int kNoRole = -1;

const std::array<SystemEntry, COLOR_ENDCOLORS + 1>& SystemTable() {
  static const std::array<SystemEntry, COLOR_ENDCOLORS + 1> table{{
      {kNoRole, RGB(0xC8, 0xC8, 0xC8)},           // scroll bar
      {kNoRole, RGB(0x00, 0x80, 0x80)},           // desktop
      {kNoRole, RGB(0x0A, 0x24, 0x6A)},           // active caption
      {kNoRole, RGB(0x80, 0x80, 0x80)},           // inactive caption
      {QPalette::Window, RGB(0xD4, 0xD0, 0xC8)},  // menu
      {QPalette::Base, RGB(0xFF, 0xFF, 0xFF)},    // window
      {kNoRole, RGB(0x00, 0x00, 0x00)},           // window frame
      {QPalette::WindowText, RGB(0, 0, 0)},       // menu text
      {QPalette::Text, RGB(0, 0, 0)},             // window text
      {kNoRole, RGB(0xFF, 0xFF, 0xFF)},           // caption text
      {kNoRole, RGB(0xD4, 0xD0, 0xC8)},           // active border
      {kNoRole, RGB(0xD4, 0xD0, 0xC8)},           // inactive border
      {kNoRole, RGB(0x80, 0x80, 0x80)},           // application work space
      {QPalette::Highlight, RGB(0x0A, 0x24, 0x6A)},
      {QPalette::HighlightedText, RGB(0xFF, 0xFF, 0xFF)},
      {QPalette::Button, RGB(0xD4, 0xD0, 0xC8)},  // button face
      {QPalette::Dark, RGB(0x80, 0x80, 0x80)},    // button shadow
      {kNoRole, RGB(0x80, 0x80, 0x80)},           // grey text
      {QPalette::ButtonText, RGB(0, 0, 0)},
      {kNoRole, RGB(0xD4, 0xD0, 0xC8)},             // inactive caption text
      {QPalette::Light, RGB(0xFF, 0xFF, 0xFF)},     // button highlight
      {QPalette::Shadow, RGB(0x40, 0x40, 0x40)},    // 3-D dark shadow
      {QPalette::Midlight, RGB(0xD4, 0xD0, 0xC8)},  // 3-D light
      {QPalette::ToolTipText, RGB(0, 0, 0)},
      {QPalette::ToolTipBase, RGB(0xFF, 0xFF, 0xE1)},
      {kNoRole, RGB(0xB5, 0xB5, 0xB5)},              // 25: unused
      {kNoRole, RGB(0x00, 0x00, 0x80)},              // hot light
      {kNoRole, RGB(0xA6, 0xCA, 0xF0)},              // gradient active caption
      {kNoRole, RGB(0xC0, 0xC0, 0xC0)},              // gradient inactive caption
      {QPalette::Highlight, RGB(0x31, 0x6A, 0xC5)},  // menu highlight
      {QPalette::Window, RGB(0xEC, 0xE9, 0xD8)},     // menu bar
  }};
  return table;
}

}  // namespace

bool IsSystemColor(TColor color) { return (static_cast<std::uint32_t>(color) & 0xFF000000u) == 0xFF000000u; }

TColor ClassicSystemColor(int index) {
  const auto& table = SystemTable();
  if (index < 0 || index >= static_cast<int>(table.size())) return clBlack;
  return table[index].classic;
}

TColor ColorToRGB(TColor color) {
  if (color == clNone) return clBlack;
  if (color == clDefault) color = clWindow;
  if (!IsSystemColor(color)) return color & 0xFFFFFF;
  const int index = color & 0xFF;
  const auto& table = SystemTable();
  if (index >= static_cast<int>(table.size())) return clBlack;
  const SystemEntry& entry = table[index];
  if (entry.role == kNoRole || !qApp) return entry.classic;
  const QColor q = QApplication::palette().color(QPalette::Active, static_cast<QPalette::ColorRole>(entry.role));
  return RGB(q.red(), q.green(), q.blue());
}

QColor ToQColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor& color) { return RGB(color.red(), color.green(), color.blue()); }

}  // namespace zyn
