#include "print/GmPageList.h"

#include "model/base/Cp1252.h"
#include "print/GmCanvas.h"
#include "print/GmFontMapper.h"

#include <QPainter>

#include <stdexcept>

namespace zyn {

namespace {
constexpr std::int32_t kPageStreamIdent = 0x4C504D47;  // "GMPL"
constexpr std::int32_t kPageStreamVersion = 1;
// The largest page read from a stream: five metres, beyond any plotter roll.
constexpr TGmExtended kMaxPageInches = 200;

}  // namespace

// ---- header and footer

TGmHeaderFooterCaption::TGmHeaderFooterCaption() {
  fFont.Name = "Arial";
  fFont.Size = 12;
}

void TGmHeaderFooterCaption::SetCaption(const std::string& caption) {
  if (caption == fCaption) return;
  fCaption = caption;
  Changed();
}

void TGmHeaderFooterCaption::SetFont(const TGmFont& font) {
  fFont.Assign(font);
  Changed();
}

TGmHeaderFooter::TGmHeaderFooter() {
  for (auto& c : fCaptions) c.SetOnChange([this] { Changed(); });
  fPen.Color = GmBlack;
  fPen.Width = 1;
  fPen.Mode = pmCopy;
}

void TGmHeaderFooter::SetShowLine(bool v) {
  if (v == fShowLine) return;
  fShowLine = v;
  Changed();
}

void TGmHeaderFooter::SetVisible(bool v) {
  if (v == fVisible) return;
  fVisible = v;
  Changed();
}

TGmExtended TGmHeaderFooter::Height(TGmMeasurement unit) const {
  int largest = 0;
  for (int i = 1; i < 3; ++i)
    if (fCaptions[i].Font().Size > fCaptions[largest].Font().Size) largest = i;
  return ConvertValue(gmInches, unit, FontHeightInches(fCaptions[largest].Font()));
}

void TGmHeaderFooter::Draw(QPainter& painter, const TGmPageList& list, TGmExtended w, TGmExtended h,
                           const TGmDrawContext& ctx) const {
  if (!fVisible) return;
  const TGmMargins& m = list.Margins();
  const TGmExtended height = Height();
  QRect r;
  if (IsHeader())
    r.setCoords(GmPixels(m.Left().AsInches(), ctx.PpiX), GmPixels(m.Top().AsInches(), ctx.PpiY),
                GmPixels(w - m.Right().AsInches(), ctx.PpiX), GmPixels(m.Top().AsInches() + height, ctx.PpiY));
  else
    r.setCoords(GmPixels(m.Left().AsInches(), ctx.PpiX), GmPixels(h - m.Bottom().AsInches() - height, ctx.PpiY),
                GmPixels(w - m.Right().AsInches(), ctx.PpiX), GmPixels(h - m.Bottom().AsInches(), ctx.PpiY));
  // r holds the corner pixels as coordinates: left, top, right, bottom as computed.
  const int left = r.left(), top = r.top(), right = r.right(), bottom = r.bottom();
  TGmFontMapper& mapper = TGmFontMapper::Instance();
  for (int i = 0; i < 3; ++i) {
    const TGmHeaderFooterCaption& c = fCaptions[i];
    if (c.Caption().empty()) continue;
    const std::string text = ReplacePageTokens(c.Caption(), ctx.PageNumber, ctx.PageCount);
    const TGmPoint ext = mapper.TextExtentInches(c.Font(), text);
    const int tw = GmPixels(ext.X, ctx.PpiX), th = GmPixels(ext.Y, ctx.PpiY);
    const int x = i == 0 ? left : i == 1 ? (left + right - tw) / 2 : right - tw;
    const int y = IsHeader() ? bottom - th : top;
    mapper.TextOutMapped(painter, c.Font(), ctx.PpiX, x, y, ctx.ForScreen, text);
  }
  if (fShowLine) {
    painter.save();
    ApplyPen(fPen, painter, ctx.PpiX);
    const int y = IsHeader() ? bottom : top;
    painter.drawLine(left, y, right, y);
    painter.restore();
  }
}

void TGmHeaderFooter::SaveToValueList(TGmValueList& list) const {
  list.WriteBool("V", fVisible);
  list.WriteBool("SL", fShowLine);
  list.WriteString("PN", PenToText(fPen));
  static const char* names[3] = {"L", "C", "R"};
  for (int i = 0; i < 3; ++i) {
    TGmValueList f;
    FontToValueList(fCaptions[i].Font(), f);
    list.WriteString(std::string("T") + names[i], fCaptions[i].Caption());
    for (const std::string& line : f.Lines())
      list.SetRaw(names[i] + line.substr(0, line.find('=')), line.substr(line.find('=') + 1));
  }
}

void TGmHeaderFooter::LoadFromValueList(const TGmValueList& list) {
  fVisible = list.ReadBool("V", false);
  fShowLine = list.ReadBool("SL", true);
  std::string pen;
  if (list.RawValue("PN", pen)) TextToPen(fPen, list.ReadString("PN", ""));
  static const char* names[3] = {"L", "C", "R"};
  for (int i = 0; i < 3; ++i) {
    TGmValueList f;
    for (const char* key : {"CL", "ST", "FA", "SZ", "CS", "FN"}) {
      std::string v;
      if (list.RawValue(std::string(names[i]) + key, v)) f.SetRaw(key, v);
    }
    fCaptions[i].SetCaption(list.ReadString(std::string("T") + names[i], ""));
    fCaptions[i].SetFont(FontFromValueList(f));
  }
}

// ---- margins

TGmMargins::TGmMargins() {
  for (TGmValue* v : {&fLeft, &fTop, &fRight, &fBottom}) {
    v->SetInches(0.5L);
    v->SetOnChange([this] {
      if (fOnChange) fOnChange();
    });
  }
}

void TGmMargins::SetMargins(TGmExtended left, TGmExtended top, TGmExtended right, TGmExtended bottom) {
  fLeft.SetInches(left);
  fTop.SetInches(top);
  fRight.SetInches(right);
  fBottom.SetInches(bottom);
}

void TGmMargins::SetClipMargins(bool clip) {
  if (clip == fClipMargins) return;
  fClipMargins = clip;
  if (fOnChange) fOnChange();
}

TGmValue& TGmMargins::Side(int index) {
  switch (index) {
    case 0:
      return fLeft;
    case 1:
      return fTop;
    case 2:
      return fRight;
    default:
      return fBottom;
  }
}

float TGmMarginValues::Get(int side) const {
  return static_cast<float>(fMargins.Side(side).AsUnit(ValueMeasurement));
}

void TGmMarginValues::Set(int side, float value) { fMargins.Side(side).SetUnit(ValueMeasurement, value); }

// ---- page

TGmPage::TGmPage(TGmPageList* list) : fList(list) {
  fObjects.SetOnChange([this] { Changed(); });
}

void TGmPage::SetOrientation(bool landscape) {
  const TGmExtended small = GmMin(fWidth, fHeight), large = GmMax(fWidth, fHeight);
  fWidth = landscape ? large : small;
  fHeight = landscape ? small : large;
  fLandscape = landscape;
  if (fOnOrientation) fOnOrientation();
}

void TGmPage::SetSize(TGmExtended width, TGmExtended height) {
  fWidth = width;
  fHeight = height;
  Changed();
}

int TGmPage::PageNumber() const {
  if (!fList) return 0;
  for (int i = 0; i < fList->Count(); ++i)
    if (fList->fPages[static_cast<size_t>(i)].get() == this) return i + 1;
  return 0;
}

void TGmPage::SetRichText(TGmRichEdit& source, int first, int last, TGmMeasurement unit, const TGmRect& rect) {
  TGmResourceTable* table = fList ? &fList->Resources() : nullptr;
  if (!table) return;
  if (fRtf.RichEdit && fRtf.RichEdit != &source) table->RichEdits().Release(*fRtf.RichEdit);
  fRtf.RichEdit = table->RichEdits().Add(source);
  fRtf.First = first;
  fRtf.Last = last;
  fRtf.Rect = ConvertGmRect(rect, unit, gmInches);
  Changed();
}

TGmBaseObject* TGmPage::AddObject(std::unique_ptr<TGmBaseObject> object) {
  TGmBaseObject* o = fObjects.Add(std::move(object));
  Changed();
  return o;
}

TGmVisibleObject* TGmPage::ObjectAt(TGmMeasurement unit, TGmExtended x, TGmExtended y) const {
  const int px = static_cast<int>(GmRound(ConvertValue(unit, gmInches, x) * 600));
  const int py = static_cast<int>(GmRound(ConvertValue(unit, gmInches, y) * 600));
  TGmVisibleObject* found = nullptr;
  for (const auto& o : fObjects.Items()) {
    auto* v = dynamic_cast<TGmVisibleObject*>(o.get());
    if (!v) continue;
    const TGmIntRect r = RectFromCorners(v->GetBounds(600));
    if (px >= r.Left && px < r.Right && py >= r.Top && py < r.Bottom) found = v;
  }
  return found;
}

void TGmPage::Draw(QPainter& painter, TGmExtended ppiX, TGmExtended ppiY, bool forScreen) const {
  TGmDrawContext ctx;
  ctx.PageNumber = PageNumber();
  ctx.PpiX = ppiX;
  ctx.PpiY = ppiY;
  ctx.PageCount = fList ? fList->Count() : 1;
  ctx.ForScreen = forScreen;
  if (fRtf.RichEdit) {
    const QRect r(QPoint(GmPixels(fRtf.Rect.Left, ppiX), GmPixels(fRtf.Rect.Top, ppiY)),
                  QPoint(GmPixels(fRtf.Rect.Right, ppiX) - 1, GmPixels(fRtf.Rect.Bottom, ppiY) - 1));
    fRtf.RichEdit->FormatRange(painter, r, ppiX, ppiY, fRtf.First, fRtf.Last);
  }
  for (const auto& o : fObjects.Items()) o->DrawObject(painter, ctx);
  if (!fList) return;
  if (fShowHeader) fList->Header().Draw(painter, *fList, fWidth, fHeight, ctx);
  if (fShowFooter) fList->Footer().Draw(painter, *fList, fWidth, fHeight, ctx);
}

void TGmPage::SaveToStream(TStream& stream) const {
  TGmValueList v;
  v.WriteFloat("W", fWidth);
  v.WriteFloat("H", fHeight);
  v.WriteBool("OR", fLandscape);
  v.WriteBool("SH", fShowHeader);
  v.WriteBool("SF", fShowFooter);
  if (fRtf.RichEdit && fList) {
    v.WriteInteger("RE", fList->Resources().RichEdits().IndexOfItem(fRtf.RichEdit));
    v.WriteInteger("RF", fRtf.First);
    v.WriteInteger("RL", fRtf.Last);
    v.WriteRect("RR", fRtf.Rect);
  }
  TGmWriter w(stream);
  w.WriteValueList(v);
  w.WriteInteger(fObjects.Count());
  for (const auto& o : fObjects.Items()) o->SaveToStream(stream);
}

void TGmPage::LoadFromStream(TStream& stream, TGmResourceTable& table) {
  TGmReader r(stream);
  TGmValueList v;
  r.ReadValueList(v);
  fWidth = v.ReadFloat("W", 8.26L);
  fHeight = v.ReadFloat("H", 11.69L);
  if (!(fWidth >= 0 && fWidth <= kMaxPageInches && fHeight >= 0 && fHeight <= kMaxPageInches))
    throw EReadError(Ansi("Ungültige Seitengröße im Seitendatenstrom"));
  fLandscape = v.ReadBool("OR", false);
  fShowHeader = v.ReadBool("SH", true);
  fShowFooter = v.ReadBool("SF", true);
  const int rich = v.ReadInteger("RE", -1);
  if (rich != -1) {
    fRtf.RichEdit = table.RichEdits().Item(rich);
    if (!fRtf.RichEdit) throw EReadError(Ansi("Verweis auf fehlenden formatierten Text im Seitendatenstrom"));
    fRtf.First = v.ReadInteger("RF", 0);
    fRtf.Last = v.ReadInteger("RL", -1);
    fRtf.Rect = v.ReadRect("RR", {});
  }
  // Each object takes at least its type number and a block length.
  const std::int32_t n = r.ReadCount(8);
  for (std::int32_t i = 0; i < n; ++i) {
    const std::int32_t type = r.ReadInteger();
    std::unique_ptr<TGmBaseObject> o = TGmBaseObject::Create(type, &table);
    if (!o) {
      r.ReadBlock();  // an object of a kind this reader does not know is skipped
      continue;
    }
    o->LoadFromStream(stream);
    if (auto* vis = dynamic_cast<TGmVisibleObject*>(o.get())) vis->SetPageList(fList);
    fObjects.Add(std::move(o));
  }
}

// ---- page list

TGmPageList::TGmPageList()
    : fResources(std::make_unique<TGmResourceTable>()), fCanvas(std::make_unique<TGmCanvas>(*this)) {
  RecomputePaperSize();
  ConnectResources(*fResources);
  fHeader.SetOnChange([this] { HeldBack(fEvents.OnHeaderFooterChanged); });
  fFooter.SetOnChange([this] { HeldBack(fEvents.OnHeaderFooterChanged); });
  fMargins.SetOnChange([this] { HeldBack(fEvents.OnMarginsChanged); });
}

TGmPageList::~TGmPageList() = default;

void TGmPageList::RecomputePaperSize() {
  if (fPaperSize == Custom) return;
  TGmPoint p = PaperSizeInches(fPaperSize);
  if (fOrientation == gmLandscape) GmSwap(p.X, p.Y);
  fPaperWidth = p.X;
  fPaperHeight = p.Y;
}

void TGmPageList::ConnectResources(TGmResourceTable& table) {
  table.RichEdits().OnNeedRichEdit = [this]() -> std::unique_ptr<TGmRichEdit> {
    return fEvents.OnNeedRichEdit ? fEvents.OnNeedRichEdit() : nullptr;
  };
}

void TGmPageList::PageChanged() { HeldBack(fEvents.OnPageChanged); }

void TGmPageList::ConnectPage(TGmPage* page) {
  page->SetOnChange([this] { PageChanged(); });
  page->SetOnOrientation([this] { PageChanged(); });
}

TGmPage* TGmPageList::InsertPage(int index) {
  auto page = std::make_unique<TGmPage>(this);
  page->SetOrientation(fOrientation == gmLandscape);
  RecomputePaperSize();
  page->SetSize(fPaperWidth, fPaperHeight);
  ConnectPage(page.get());
  TGmPage* raw = page.get();
  if (index < 0 || index >= Count())
    fPages.push_back(std::move(page));
  else
    fPages.insert(fPages.begin() + index, std::move(page));
  HeldBack(fEvents.OnPageCountChanged);
  HeldBack(fEvents.OnPageChanged);
  SetCurrentPage(Count());
  Send(fEvents.OnNewPage);
  return raw;
}

void TGmPageList::Clear(bool noFirstPage, bool clearResources) {
  fPages.clear();
  fCurrentPage = 0;
  if (clearResources) fResources->Clear();
  if (!noFirstPage) {
    fCurrentPage = 1;
    AddPage();
  }
  Send(fEvents.OnCleared);
}

TGmPage* TGmPageList::GetPage(int number) const {
  if (number < 1 || number > Count())
    throw std::out_of_range("Listenindex überschreitet das Maximum (" + std::to_string(number) + ")");
  return fPages[static_cast<size_t>(number - 1)].get();
}

void TGmPageList::SetCurrentPage(int number) {
  if (number == fCurrentPage || number < 1 || number > Count()) return;
  fCurrentPage = number;
  Send(fEvents.OnCurrentPageChanged);
}

void TGmPageList::EndUpdate() {
  if (fUpdateCount <= 0) return;
  if (--fUpdateCount == 0) {
    Send(fEvents.OnPageCountChanged);
    Send(fEvents.OnPageChanged);
  }
}

TGmBaseObject* TGmPageList::AddObject(std::unique_ptr<TGmBaseObject> object, TGmCoordsRelative relativeTo) {
  if (fPages.empty()) AddPage();
  TGmPoint shift{};
  switch (relativeTo) {
    case gmFromPrinterMargins:
      if (PrinterMargins) shift = PrinterMargins(fOrientation);
      break;
    case gmFromUserMargins:
      shift = {fMargins.Left().AsInches(), fMargins.Top().AsInches()};
      break;
    case gmFromHeaderLine:
      shift = {fMargins.Left().AsInches(), fMargins.Top().AsInches() + fHeader.Height()};
      break;
    default:
      break;
  }
  if (shift.X != 0 || shift.Y != 0) object->Offset(gmInches, shift.X, shift.Y);
  if (auto* v = dynamic_cast<TGmVisibleObject*>(object.get())) v->SetPageList(this);
  return Current()->AddObject(std::move(object));
}

void TGmPageList::MoveObject(TGmBaseObject* object, int how) {
  TGmPage* page = Current();
  if (!page) return;
  TGmBaseObjectList& objects = page->Objects();
  const int i = objects.IndexOf(object);
  if (i < 0) return;
  std::unique_ptr<TGmBaseObject> o = objects.Extract(i);
  int to = i;
  switch (how) {
    case 0:
      to = objects.Count();
      break;
    case 1:
      to = i + 1;
      break;
    case 2:
      to = i - 1;
      break;
    case 3:
      to = 0;
      break;
    default:
      break;
  }
  objects.Insert(to, std::move(o));
  page->Changed();
}

void TGmPageList::SetOrientation(TGmOrientation orientation) {
  BeginUpdate();
  try {
    for (auto& p : fPages) p->SetOrientation(orientation == gmLandscape);
    fOrientation = orientation;
    if (!fPages.empty()) {
      fPaperWidth = fPages.front()->Width();
      fPaperHeight = fPages.front()->Height();
    } else {
      RecomputePaperSize();
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  Send(fEvents.OnOrientationChanged);
}

void TGmPageList::SetPaperSize(TGmPaperSize size) {
  if (size == fPaperSize) return;
  BeginUpdate();
  try {
    fPaperSize = size;
    RecomputePaperSize();
    for (auto& p : fPages) p->SetSize(fPaperWidth, fPaperHeight);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  Send(fEvents.OnPaperSizeChanged);
}

TGmRect TGmPageList::HeaderRect() const {
  const TGmPage* p = Current();
  const TGmExtended w = p ? p->Width() : fPaperWidth;
  return {fMargins.Left().AsInches(), fMargins.Top().AsInches(), w - fMargins.Right().AsInches(),
          fMargins.Top().AsInches() + fHeader.Height()};
}

TGmRect TGmPageList::FooterRect() const {
  const TGmPage* p = Current();
  const TGmExtended w = p ? p->Width() : fPaperWidth, h = p ? p->Height() : fPaperHeight;
  const TGmExtended bottom = h - fMargins.Bottom().AsInches();
  return {fMargins.Left().AsInches(), bottom - fFooter.Height(), w - fMargins.Right().AsInches(), bottom};
}

// ---- stream form

void TGmPageList::SaveToStream(TStream& stream) const {
  TGmWriter w(stream);
  w.WriteInteger(kPageStreamIdent);
  w.WriteInteger(kPageStreamVersion);
  fResources->SaveToStream(stream);
  TGmValueList v;
  v.WriteInteger("PS", fPaperSize);
  v.WriteInteger("OR", fOrientation);
  v.WriteInteger("PP", fPagesPerSheet);
  v.WriteFloat("PW", fPaperWidth);
  v.WriteFloat("PH", fPaperHeight);
  v.WriteRect("MG", {fMargins.Left().AsInches(), fMargins.Top().AsInches(), fMargins.Right().AsInches(),
                     fMargins.Bottom().AsInches()});
  w.WriteValueList(v);
  TGmValueList header, footer;
  fHeader.SaveToValueList(header);
  fFooter.SaveToValueList(footer);
  w.WriteValueList(header);
  w.WriteValueList(footer);
  w.WriteInteger(Count());
  for (const auto& p : fPages) p->SaveToStream(stream);
}

void TGmPageList::LoadFromStream(TStream& stream) {
  TGmReader r(stream);
  if (r.ReadInteger() != kPageStreamIdent) throw EReadError(Ansi("Das sind keine gespeicherten Druckseiten"));
  const std::int32_t version = r.ReadInteger();
  if (version != kPageStreamVersion)
    throw EReadError(Ansi("Unbekannte Version der Druckseiten: ") + std::to_string(version));
  auto table = std::make_unique<TGmResourceTable>();
  ConnectResources(*table);
  table->LoadFromStream(stream);
  TGmValueList v, header, footer;
  r.ReadValueList(v);
  r.ReadValueList(header);
  r.ReadValueList(footer);
  const int paper = v.ReadInteger("PS", A4), orientation = v.ReadInteger("OR", gmPortrait),
            perSheet = v.ReadInteger("PP", gmOnePage);
  if (paper < 0 || paper > Executive || orientation < 0 || orientation > gmLandscape || perSheet < 0 ||
      perSheet > gmFourPage)
    throw EReadError(Ansi("Ungültige Papiereinstellung im Seitendatenstrom"));
  std::vector<std::unique_ptr<TGmPage>> pages;
  // A page takes at least its value-list block and its object count.
  const std::int32_t n = r.ReadCount(8);
  for (std::int32_t i = 0; i < n; ++i) {
    auto page = std::make_unique<TGmPage>(this);
    page->LoadFromStream(stream, *table);
    pages.push_back(std::move(page));
  }
  // Everything read: only now does the list change.
  TGmHeader newHeader;
  TGmFooter newFooter;
  newHeader.LoadFromValueList(header);
  newFooter.LoadFromValueList(footer);
  const TGmRect margins = v.ReadRect("MG", {0.5L, 0.5L, 0.5L, 0.5L});
  BeginUpdate();
  fPages = std::move(pages);
  fResources = std::move(table);
  for (auto& p : fPages) ConnectPage(p.get());
  fPaperSize = static_cast<TGmPaperSize>(paper);
  fOrientation = static_cast<TGmOrientation>(orientation);
  fPagesPerSheet = static_cast<TGmPagesPerSheet>(perSheet);
  fPaperWidth = v.ReadFloat("PW", fPaperWidth);
  fPaperHeight = v.ReadFloat("PH", fPaperHeight);
  fMargins.SetMargins(margins.Left, margins.Top, margins.Right, margins.Bottom);
  for (TGmHeaderFooter* target : {static_cast<TGmHeaderFooter*>(&fHeader), static_cast<TGmHeaderFooter*>(&fFooter)}) {
    const TGmHeaderFooter& src = target == &fHeader ? static_cast<const TGmHeaderFooter&>(newHeader)
                                                    : static_cast<const TGmHeaderFooter&>(newFooter);
    for (int i = 0; i < 3; ++i) {
      target->Caption(i).SetCaption(src.Caption(i).Caption());
      target->Caption(i).SetFont(src.Caption(i).Font());
    }
    target->SetPen(src.Pen());
    target->SetShowLine(src.ShowLine());
    target->SetVisible(src.Visible());
  }
  fCurrentPage = 0;
  SetCurrentPage(Count());
  EndUpdate();
}

}  // namespace zyn
