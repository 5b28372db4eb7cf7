#include "widgets/controls/ZCLGlyph.h"

#include "widgets/controls/ZCLGraph.h"

#include <algorithm>

namespace zyn {
namespace {

int gGlyphs = 0;
TZCLGlyphCache* gCache = nullptr;

}  // namespace

int TZCLGlyphList::AllocImage() {
  for (size_t i = 0; i < used_.size(); ++i)
    if (!used_[i]) {
      used_[i] = true;
      ++count_;
      return static_cast<int>(i);
    }
  used_.push_back(true);
  slots_.emplace_back();
  ++count_;
  return static_cast<int>(used_.size()) - 1;
}

int TZCLGlyphList::AddGlyph(const QImage& image, TColor transparent) {
  const int index = AllocImage();
  QImage masked = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = ToQColor(transparent).rgb() & 0xFFFFFF;
  for (int y = 0; y < masked.height(); ++y)
    for (int x = 0; x < masked.width(); ++x)
      if ((masked.pixel(x, y) & 0xFFFFFF) == key) masked.setPixel(x, y, 0);
  slots_[index] = masked;
  return index;
}

void TZCLGlyphList::FreeImage(int index) {
  if (index < 0 || index >= static_cast<int>(used_.size()) || !used_[index]) return;
  used_[index] = false;
  slots_[index] = QImage();
  --count_;
}

QImage TZCLGlyphList::Image(int index) const {
  return (index >= 0 && index < static_cast<int>(slots_.size())) ? slots_[index] : QImage();
}

TZCLGlyphList* TZCLGlyphCache::GetList(int width, int height) {
  for (auto& l : lists_)
    if (l->Width() == width && l->Height() == height) return l.get();
  lists_.push_back(std::make_unique<TZCLGlyphList>(width, height));
  return lists_.back().get();
}

void TZCLGlyphCache::ReturnList(TZCLGlyphList* list) {
  if (!list || list->Count() > 0) return;
  lists_.erase(std::remove_if(lists_.begin(), lists_.end(), [&](const auto& l) { return l.get() == list; }),
               lists_.end());
}

TZCLGlyph::TZCLGlyph() {
  images_.fill(-1);
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
  if (!list_) return;
  for (int& index : images_) {
    if (index != -1) list_->FreeImage(index);
    index = -1;
  }
  if (gCache) gCache->ReturnList(list_);
  list_ = nullptr;
}

void TZCLGlyph::SetBitmap(const QImage& bitmap) {
  Invalidate();
  bitmap_ = bitmap.convertToFormat(QImage::Format_RGB32);
  if (bitmap_.height() > 0) {
    transparent_ = FromQColor(bitmap_.pixelColor(0, bitmap_.height() - 1));
    if (bitmap_.width() % bitmap_.height() == 0) {
      const int n = bitmap_.width() / bitmap_.height();
      numGlyphs_ = n < 6 ? n : 1;
    }
  }
}

void TZCLGlyph::SetNumGlyphs(int value) {
  if (value < 1 || value == numGlyphs_) return;
  Invalidate();
  numGlyphs_ = value;
}

void TZCLGlyph::SetStyle(int value) {
  if (value == style_) return;
  Invalidate();
  style_ = value;
}

int TZCLGlyph::StateImage(int state) {
  if (state < 0 || state > 8) return -1;
  if (state == 7) state = 1;
  if (state > numGlyphs_ - 1 && state != 1) {
    if (style_ == 1) state = state == 6 ? 4 : 2;
    else state = 0;
  }
  if (images_[state] != -1) return images_[state];
  if (bitmap_.isNull() || !gCache) return -1;
  const int w = bitmap_.width() / numGlyphs_, h = bitmap_.height();
  if (!list_) list_ = gCache->GetList(w, h);
  const QImage first = bitmap_.copy(0, 0, w, h);
  QImage image;
  if (state >= numGlyphs_ || (state == 0 && style_ == 1)) {
    if (state == 0) image = MakeGrayGlyph(first);
    else if (state == 1) image = MakeDisabledGlyph(first, transparent_);
    else image = first;
  } else {
    image = bitmap_.copy(state * w, 0, w, h);
  }
  images_[state] = list_->AddGlyph(image, transparent_);
  return images_[state];
}

QImage TZCLGlyph::StateBitmap(int state) {
  const int index = StateImage(state);
  return (index >= 0 && list_) ? list_->Image(index) : QImage();
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
