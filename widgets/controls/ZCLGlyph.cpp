#include "widgets/controls/ZCLGlyph.h"

#include "widgets/controls/ZCLGraph.h"

#include <algorithm>

namespace zyn {
namespace {

int gGlyphs = 0;
TZCLGlyphCache* gCache = nullptr;

}  // namespace

int TZCLGlyphList::AllocImage() {
  for (size_t i = 0; i < fUsed.size(); ++i)
    if (!fUsed[i]) {
      fUsed[i] = true;
      ++fCount;
      return static_cast<int>(i);
    }
  fUsed.push_back(true);
  fSlots.emplace_back();
  ++fCount;
  return static_cast<int>(fUsed.size()) - 1;
}

int TZCLGlyphList::AddGlyph(const QImage& image, TColor transparent) {
  const int index = AllocImage();
  QImage masked = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = ToQColor(transparent).rgb() & 0xFFFFFF;
  for (int y = 0; y < masked.height(); ++y)
    for (int x = 0; x < masked.width(); ++x)
      if ((masked.pixel(x, y) & 0xFFFFFF) == key) masked.setPixel(x, y, 0);
  fSlots[index] = masked;
  return index;
}

void TZCLGlyphList::FreeImage(int index) {
  if (index < 0 || index >= static_cast<int>(fUsed.size()) || !fUsed[index]) return;
  fUsed[index] = false;
  fSlots[index] = QImage();
  --fCount;
}

QImage TZCLGlyphList::Image(int index) const {
  return (index >= 0 && index < static_cast<int>(fSlots.size())) ? fSlots[index] : QImage();
}

TZCLGlyphList* TZCLGlyphCache::GetList(int width, int height) {
  for (auto& l : fLists)
    if (l->Width() == width && l->Height() == height) return l.get();
  fLists.push_back(std::make_unique<TZCLGlyphList>(width, height));
  return fLists.back().get();
}

void TZCLGlyphCache::ReturnList(TZCLGlyphList* list) {
  if (!list || list->Count() > 0) return;
  fLists.erase(std::remove_if(fLists.begin(), fLists.end(), [&](const auto& l) { return l.get() == list; }),
               fLists.end());
}

TZCLGlyph::TZCLGlyph() {
  fImages.fill(-1);
  if (gGlyphs++ == 0 && !gCache) gCache = new TZCLGlyphCache();
}

TZCLGlyph::~TZCLGlyph() {
  Invalidate();
  if (--gGlyphs == 0 && gCache && gCache->IsEmpty()) {
    delete gCache;
    gCache = nullptr;
  }
}

TZCLGlyphCache* TZCLGlyph::Cache() { return gCache; }

void TZCLGlyph::Invalidate() {
  if (!fList) return;
  for (int& index : fImages) {
    if (index != -1) fList->FreeImage(index);
    index = -1;
  }
  if (gCache) gCache->ReturnList(fList);
  fList = nullptr;
}

void TZCLGlyph::SetBitmap(const QImage& bitmap) {
  Invalidate();
  fBitmap = bitmap.convertToFormat(QImage::Format_RGB32);
  if (fBitmap.height() > 0) {
    fTransparent = FromQColor(fBitmap.pixelColor(0, fBitmap.height() - 1));
    if (fBitmap.width() % fBitmap.height() == 0) {
      const int n = fBitmap.width() / fBitmap.height();
      fNumGlyphs = n < 6 ? n : 1;
    }
  }
}

void TZCLGlyph::SetNumGlyphs(int value) {
  if (value < 1 || value == fNumGlyphs) return;
  Invalidate();
  fNumGlyphs = value;
}

void TZCLGlyph::SetStyle(int value) {
  if (value == fStyle) return;
  Invalidate();
  fStyle = value;
}

int TZCLGlyph::StateImage(int state) {
  if (state < 0 || state > 8) return -1;
  if (state == 7) state = 1;
  if (state > fNumGlyphs - 1 && state != 1) {
    if (fStyle == 1)
      state = state == 6 ? 4 : 2;
    else
      state = 0;
  }
  if (fImages[state] != -1) return fImages[state];
  if (fBitmap.isNull() || !gCache) return -1;
  const int w = fBitmap.width() / fNumGlyphs, h = fBitmap.height();
  if (!fList) fList = gCache->GetList(w, h);
  const QImage first = fBitmap.copy(0, 0, w, h);
  QImage image;
  if (state >= fNumGlyphs || (state == 0 && fStyle == 1)) {
    if (state == 0)
      image = MakeGrayGlyph(first);
    else if (state == 1)
      image = MakeDisabledGlyph(first, fTransparent);
    else
      image = first;
  } else {
    image = fBitmap.copy(state * w, 0, w, h);
  }
  fImages[state] = fList->AddGlyph(image, fTransparent);
  return fImages[state];
}

QImage TZCLGlyph::StateBitmap(int state) {
  const int index = StateImage(state);
  return (index >= 0 && fList) ? fList->Image(index) : QImage();
}

TZCLGlyphTextResult TZCLGlyph::Draw(TCanvas& canvas, const QString& text, unsigned format, unsigned flags,
                                    const TZCLGlyphTextLayout& layout, int state, const TRect& r,
                                    TZCL3DCaption* caption) {
  const QImage image = StateBitmap(state);
  if (image.isNull())
    return DrawGlyphText(canvas, text, caption, format, flags, false, true, false, layout, clNone, nullptr, TRect{},
                         nullptr, r);
  const TColor transparent = FromQColor(image.pixelColor(0, image.height() - 1));
  return DrawGlyphText(canvas, text, caption, format, flags, true, true, false, layout, transparent, nullptr,
                       Rect(0, 0, image.width(), image.height()), &image, r);
}

}  // namespace zyn
