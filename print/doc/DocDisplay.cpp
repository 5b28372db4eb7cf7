// The display documentation: per display panel a data page, then one page per screen with a
// picture of the 240 x 128 pixel screen to scale and the listing of its keys and linked objects.

#include "display/Daten.h"
#include "display/DispObjekt.h"
#include "display/DispVerbindungen.h"
#include "display/DisplayProjekt.h"
#include "model/base/Cp1252.h"
#include "print/doc/DocBuilder.h"
#include "project/Projekt.h"

#include <QPainter>

namespace zyn {

namespace {
constexpr double kCellW = 4.25, kCellH = 6.25;
constexpr double kPixW = 170.0 / 240, kPixH = 100.0 / 128;
constexpr TGmColor kButtonShadow = 0xA0A0A0;
constexpr TGmColor kScreenColour = 0xFFEEEE;  // RGB (238, 238, 255)

int KeyPosition(const std::string& name) {
  if (name.size() == 2 && (name[0] == 'F' || name[0] == 'f') && name[1] >= '1' && name[1] <= '4') return name[1] - '1';
  return -1;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// The left part up to and including the first ":", and the rest.
std::pair<std::string, std::string> SplitAtSeparator(const std::string& text) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos) return {text, {}};
  return {text.substr(0, colon + 1), text.substr(colon + 1)};
}

// The picture of a screen graphic: its bitmap over the screen colour, white transparent.
QImage GraphicImage(const TMonoBitmap& bitmap) {
  QImage img(std::max(bitmap.Width, 1), std::max(bitmap.Height, 1), QImage::Format_RGB32);
  img.fill(QColor(238, 238, 255));
  for (int y = 0; y < bitmap.Height; ++y)
    for (int x = 0; x < bitmap.Width; ++x)
      if (bitmap.Pixel(x, y) != TMonoBitmap::clWhite) img.setPixel(x, y, qRgb(0, 0, 0));
  return img;
}
}  // namespace

void TDocBuilder::PrintDisplays() {
  TDisplayProjekt& project = fProjekt->DisplayProjekt();
  for (size_t i = 0; i < project.Count(); ++i) PrintDisplay(project[i]);
}

void TDocBuilder::PrintDisplay(TDisplayObjekt& d) {
  // The table must hold the screens as they stand now, whatever the designer changed.
  d.EnsureReferences();
  SetTabs({20, 25, 50, 90, 150, 173});
  NewPage();
  PrintPageHeader(nullptr);
  SetPrintFont(nullptr, 16, fsBold);
  AddSectionEntry(DocFormat(DocText("Display %1.1d"), {DocNumber(d.Adresse)}));
  const std::string title = DocText("Dokumentation zum Display Adresse:") + " " + DocFormat("%1.1d", {DocNumber(d.Adresse)});
  Canvas().TextOut(title, 105 - TextWidthMm(title) / 2, 60);
  Y = 80;
  SetPrintFont(nullptr, 10, fsBold);
  PrintLeft(DocText("Displaydaten"));
  HeadingRule(190);
  PrintLabelValueAt(DocText("Displayadresse :") + std::to_string(d.Adresse), 20, 90);
  PrintLabelValueAt(DocText("Bezeichnung:") + d.DisplayName, 20, 90);
  NextLine();
  PrintTextAt(DocText("Texte für Variablenzustände:"), 20);
  StepBackLine();
  PrintTabbedLine("\t\t\t" + DocText("Zustand \"Ein\":") + " \t" + DocText("Zustand \"Aus\":"));
  HeadingRule(190);
  for (size_t i = 0; i < d.ZustandsListe.Count(); ++i)
    PrintTabbedLine("\t\t\t" + d.ZustandsListe[i].EinText + "\t" + d.ZustandsListe[i].AusText);
  NextLine();
  if (d.ZustandsListe.Count() <= 16) {
    PrintLeft(DocText("Bemerkungen:"));
    PrintBox(d.Notizen, LeftMargin, 190, PageBottom - 60);
  }
  // A long list of state pairs may have run onto the next page; the statistics follow it there.
  if (Y > PageBottom - 50) {
    Pages().AddPage();
    PrintPageHeader(nullptr);
  }
  Y = PageBottom - 50;
  SetPrintFont(nullptr, 10, fsBold);
  PrintLeft(DocText("Statistik"));
  HeadingRule(190);
  SetPrintFont(nullptr, 10, 0);
  std::vector<std::string> all, visual;
  CollectLinkedSTMs(d.Bildschirme, all, false);
  CollectLinkedSTMs(d.Bildschirme, visual, true);
  PrintLabelValueAt(DocText("Anzahl der Bildschirme:") + std::to_string(d.BildschirmReferenzTabelle.Count()), 20, 90);
  PrintLabelValueAt(DocText("Anzahl der verwendeten Steuermodule:") + std::to_string(all.size()), 20, 90);
  PrintLabelValueAt(DocText("Anzahl der visualisierten Steuermodule:") + std::to_string(visual.size()), 20, 90);
  PrintLabelValueAt(DocText("Anzahl der verwendeten Variablen:") + std::to_string(d.GetZustandVarCount()), 20, 90);
  PrintLabelValueAt(DocText("Anzahl der verwendeten Texte:") + std::to_string(d.GetTextCount()), 20, 90);
  PrintLabelValueAt(DocText("Anzahl der verwendeten Grafiken:") + std::to_string(d.GetGrafikCount()), 20, 90);
  PrintLabelValueAt(DocText("Anzahl der verwendeten Linien:") + std::to_string(d.GetLineCount()), 20, 90);
  for (size_t s = 0; s < d.BildschirmReferenzTabelle.Count(); ++s) {
    NewPage();
    PrintPageHeader(nullptr);
    PrintScreen(d, d.BildschirmReferenzTabelle[s]);
  }
}

void TDocBuilder::DrawCharacters(const std::string& text, double x, double y) {
  for (size_t c = 0; c < text.size(); ++c) Canvas().TextOut(text.substr(c, 1), x + kCellW * static_cast<double>(c), y);
}

void TDocBuilder::DrawObjectIndex(int index, double x, double y) {
  TGmFont& f = Canvas().Font();
  const int size = f.Size;
  const TGmColor colour = f.Color;
  f.Size = 8;
  f.Color = kDocRed;
  const std::string t = std::to_string(index);
  Canvas().TextOut(t, x - TextWidthMm(t), y + 2);
  f.Size = size;
  f.Color = colour;
}

void TDocBuilder::DrawFunctionKey(int rowMode, TFunktButton& key, int position) {
  const double l = 20 + 42.5 * position;
  const double t = Y + (rowMode == 0 ? 78 : 84);
  TGmPolyPoints pts = {{l + 5, t},         {l + 37.5, t},   {l + 40.5, t + 3}, {l + 40.5, Y + 95},
                       {l + 37.5, Y + 98}, {l + 5, Y + 98}, {l + 2, Y + 95},   {l + 2, t + 3}};
  Canvas().Pen().Width = 4;
  Canvas().Polygon(pts, static_cast<int>(pts.size()), gmMillimeters);
  Canvas().Pen().Width = 1;
  const std::string label1 = key.Label1 ? key.Label1->Text : std::string();
  if (rowMode == 0) {
    // Two rows of labels, one character row apart.
    DrawCharacters(label1, l, Y + 81.25);
    DrawCharacters(key.Label2 ? key.Label2->Text : std::string(), l, Y + 87.5);
  } else {
    std::string text = label1;
    const int front = std::max(0, (8 - static_cast<int>(text.size())) / 2);
    text = std::string(static_cast<size_t>(front), ' ') + text;
    if (text.size() < 8) text += std::string(8 - text.size(), ' ');
    DrawCharacters(text, 24.25 + 42.5 * position, Y + 87.5);
  }
}

std::string TDocBuilder::KeyLine(TDisplayObjekt& d, TFunktButton& key, bool blankBeforeJump) {
  const TBildschirm* target = d.BildschirmReferenzTabelle.FindBildschirm(key.Funktion.ZielBildschirm);
  // A key without a jump target, or with one no longer among the screens, says so.
  const std::string targetName = target ? Quoted(target->Name) : DocText("(kein Sprungziel)");
  return "\t" + DocText("Taste") + " " + key.Name + ":" + "\t" + (blankBeforeJump ? " " : "") + DocText("Sprung zu:") +
         "\t" + targetName + "\t" + DocText("Beschriftung :") + "\t" +
         Quoted(key.Label1 ? key.Label1->Text : std::string());
}

void TDocBuilder::PrintScreen(TDisplayObjekt& d, TBildschirm& screen) {
  PrintSubTitle(screen.Name);
  SetPrintFont(DocText("Console").c_str(), 17, fsBold);
  Canvas().Brush().Color = kScreenColour;
  Canvas().Brush().Style = bsSolid;
  Canvas().Rectangle(gmMillimeters, 20, Y, 190, Y + 100);
  for (size_t k = 0; k < screen.DefaultButtons.Count(); ++k) {
    TFunktButton& key = screen.DefaultButtons[k];
    const int p = KeyPosition(key.Name);
    if (p >= 0) DrawFunctionKey(screen.DefaultButtons.EineZeile, key, p);
  }
  for (size_t i = 0; i < screen.Objekte.Count(); ++i) {
    TBasis& o = screen.Objekte[i];
    o.Index = static_cast<int>(i);
    const double x = 20 + o.Spalte() * kCellW, y = Y + o.Zeile() * kCellH;
    const double px = 20 + o.X * kPixW, py = Y + o.Y * kPixH;
    switch (o.Art()) {
      case TObjektArt::Text:
        DrawCharacters(static_cast<TText&>(o).Text, x, y);
        DrawObjectIndex(static_cast<int>(i), x, y);
        break;
      case TObjektArt::Grafik: {
        const TMonoBitmap& bmp = static_cast<TGrafik&>(o).Bitmap;
        TGmPicture picture;
        picture.Image = GraphicImage(bmp);
        Canvas().StretchDraw(picture, gmMillimeters, px, py, px + bmp.Width * kPixW, py + bmp.Height * kPixH);
        break;
      }
      case TObjektArt::Line:
        Canvas().Pen().Width = 4;
        if (o.Hoehe < o.Breite)
          Canvas().Line(gmMillimeters, px, py, px + o.Breite * kPixW, py);
        else
          Canvas().Line(gmMillimeters, px, py, px, py + o.Hoehe * kPixH);
        Canvas().Pen().Width = 1;
        break;
      case TObjektArt::ZustandVar: {
        const int z = static_cast<TZustandVar&>(o).ZustandIndex;
        const std::string off = z >= 0 && static_cast<size_t>(z) < d.ZustandsListe.Count()
                                    ? d.ZustandsListe[static_cast<size_t>(z)].AusText
                                    : std::string();
        DrawCharacters(off, x, y);
        DrawObjectIndex(static_cast<int>(i), x, y);
        break;
      }
      default:
        break;
    }
  }
  SetPrintFont("Arial", 10, 0);
  // The grid over everything.
  Canvas().Brush().Style = bsClear;
  Canvas().Pen().Style = psDot;
  Canvas().Pen().Color = kButtonShadow;
  for (int k = 1; k <= 39; ++k) Canvas().Line(gmMillimeters, 20 + kCellW * k, Y, 20 + kCellW * k, Y + 99.9);
  for (int k = 1; k <= 15; ++k) Canvas().Line(gmMillimeters, 20, Y + kCellH * k, 189.8, Y + kCellH * k);
  Canvas().Pen().Style = psSolid;
  Canvas().Pen().Color = GmBlack;
  Canvas().Rectangle(gmMillimeters, 20, Y, 190, Y + 100);
  Canvas().Brush().Color = GmWhite;
  Y += 100;
  NextLine();

  if (!screen.DefaultButtons.Empty()) {
    PrintTabbedLine(DocText("Defaultbuttons des Bildschirmes :") + " ");
    for (size_t k = 0; k < screen.DefaultButtons.Count(); ++k)
      PrintTabbedLine(KeyLine(d, screen.DefaultButtons[k], true));
  }
  for (size_t i = 0; i < screen.Objekte.Count(); ++i) {
    TBasis& o = screen.Objekte[i];
    const bool isVar = o.Art() == TObjektArt::ZustandVar;
    if (!isVar && o.Art() != TObjektArt::Text) continue;
    std::string assignment;
    const TKanalTyp kind = o.Link ? o.Link->KanalTyp : TKanalTyp::otNone;
    if (kind == TKanalTyp::otEingang || kind == TKanalTyp::otAusgang) {
      assignment = " " +
                   DocFormat(DocText("ST%2.2d.%s.%2.2d."),
                             {DocNumber(o.Link->STMAdresse), o.Link->ModulKennung, DocNumber(o.Link->ModulAdresse)}) +
                   DocFormat(kind == TKanalTyp::otEingang ? DocText("%2.2d (Eingang)") : DocText("%2.2d (Ausgang)"),
                             {DocNumber(o.Link->Kanal)});
    } else {
      // Not linked, or linked to something that no longer resolves: each object says its own.
      assignment = " " + DocText("keine Zuordnung");
    }
    NextLine();
    PrintTabbedLine(DocText("Objektindex") + " " + std::to_string(o.Index) + ":\t\t " +
                    (isVar ? DocText("Variable") : DocText("Text")));
    PrintTabbedLine("\t" + DocText("Zuordnung :") + "\t" + assignment);
    for (size_t k = 0; k < o.Buttons.Count(); ++k) {
      TFunktButton& key = o.Buttons[k];
      const int fn = key.Funktion.Funktion;
      if (fn == fkAusgang || fn == fkEingangEmu) {
        const auto [left, right] = SplitAtSeparator(key.Funktion.Text);
        PrintTabbedLine("\t" + left + "\t" + right + "\t\t" + DocText("Beschriftung :") + "\t" +
                        Quoted(key.Label1 ? key.Label1->Text : std::string()));
      } else if (fn == fkSprung) {
        PrintTabbedLine(KeyLine(d, key, isVar));
      }
    }
  }
}

}  // namespace zyn
