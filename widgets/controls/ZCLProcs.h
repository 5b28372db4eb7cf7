#pragma once
// Path, rectangle and string utilities of the control library, the text-safe encoding with its
// key scrambling, and the sizing-grip hit test.

#include "platform/Types.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace zyn {

enum TZCLPathPrefix { ppWindows, ppSystem, ppProgram, ppFixed };

// The directory of the program file, with a trailing separator.
QString ProgramPath();
// The directory a prefix names (ppFixed: empty), with or without a trailing separator.
QString PathPrefix(TZCLPathPrefix prefix, bool trailingSeparator);

// The source size scaled into target keeping its proportions, at the target's top-left.
TRect FitRect(int sourceWidth, int sourceHeight, const TRect& target);
TPoint RectSize(const TRect& r);
// The bounding box of r rotated by angle degrees about its centre, moved to (0, 0).
TRect RotatedBounds(const TRect& r, double angle);
int MaxOf(const std::vector<int>& values);
int MinOf(const std::vector<int>& values);
double MinOf(const std::vector<double>& values);

// True for an empty text or one of spaces only.
bool IsBlank(const QString& s);
QString StringOfChar(QChar c, int count);
QString AddBackslash(const QString& s);
QString RemoveBackslash(const QString& s);

QByteArray Scramble(const QByteArray& data, std::uint16_t key);
QByteArray Unscramble(const QByteArray& data, std::uint16_t key);
// "length:" followed by four characters from '0' on for every three bytes.
QByteArray TextEncode(const QByteArray& data);
QByteArray TextDecode(const QByteArray& text);

// Hit codes of the sizing grip.
enum : int {
  HTNOWHERE = 0,
  HTLEFT = 10,
  HTRIGHT = 11,
  HTTOP = 12,
  HTTOPLEFT = 13,
  HTTOPRIGHT = 14,
  HTBOTTOM = 15,
  HTBOTTOMLEFT = 16,
  HTBOTTOMRIGHT = 17
};
int SizingGripHitTest(const TPoint& p, const TRect& r, int borderWidth);

}  // namespace zyn
