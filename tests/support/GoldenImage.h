#pragma once
// The comparison of a picture with its golden image, pixel for pixel (the alpha channel left
// out). With ZYN_UPDATE_GOLDEN set the picture is written as the new golden image instead. A
// picture that differs is kept beside the build as "<name>_actual.png" for a look.

#include <QImage>
#include <QPalette>
#include <QString>

namespace zyn::test {

void ExpectSameAsGolden(const QImage& actual, const QString& goldenFile, const QString& name);

// The classic grey palette golden pictures are drawn in (window and buttons D4D0C8, white base,
// black text, navy highlight, pale yellow tips), the same in every colour group.
QPalette ClassicPalette();

}  // namespace zyn::test
