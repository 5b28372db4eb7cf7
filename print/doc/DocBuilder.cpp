#include "print/doc/DocBuilder.h"

#include "compiler/interpreter/ToolTree.h"
#include "compiler/toollib/Ebene.h"
#include "compiler/toollib/FunktionsListe.h"
#include "display/Daten.h"
#include "display/DispObjekt.h"
#include "display/DispVerbindungen.h"
#include "display/DisplayProjekt.h"
#include "logic/core/LinkParameters.h"
#include "model/Anzeigetext.h"
#include "model/Gruppe.h"
#include "model/Kennlinien.h"
#include "model/Merker.h"
#include "model/Modul.h"
#include "model/ModulClass.h"
#include "model/ModulClassList.h"
#include "model/Uhr.h"
#include "model/Verbindung.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "project/Steuermodul.h"

#include <QDate>
#include <QFileInfo>
#include <QString>

#include <algorithm>

namespace zyn {

namespace {

constexpr TGmColor kBlue = 0xFF0000;
constexpr TGmColor kButtonFace = 0xF0F0F0;

QImage LoadBitmap(const std::string& path) {
  QImage image;
  const QString name = QString::fromStdString(path);
  if (QFileInfo::exists(name)) image.load(name);
  return image;
}

std::string ShortDate(double delphiDate) {
  if (delphiDate == 0) return {};
  return DocDate(QDate(1899, 12, 30).addDays(static_cast<qint64>(delphiDate)));
}

// The nodes of a tool tree in display order, with their depth below the root.
class TToolTreeList : public IToolTreeSink {
 public:
  struct Node {
    int Parent;
    std::string Text;
    int Kind;  // 0 level, 1 tool, 2 other
    std::vector<int> Children;
  };
  std::vector<Node> Nodes;
  std::vector<int> Roots;
  std::vector<std::unique_ptr<TZYNEbene>> Levels;

  void Clear() override {
    Nodes.clear();
    Roots.clear();
    Levels.clear();
  }
  int AddLevel(const std::string& text, std::unique_ptr<TZYNEbene> level) override {
    Levels.push_back(std::move(level));
    return Add(kRoot, text, 0);
  }
  int AddNode(int parent, const std::string& text, const TToolTreeData& data) override {
    return Add(parent, text,
               std::holds_alternative<TZYNEbene*>(data)      ? 0
               : std::holds_alternative<TZYNFunction*>(data) ? 1
                                                             : 2);
  }
  template <class F>
  void Walk(F&& visit) const {
    int counter = 0;
    for (int r : Roots) WalkNode(r, 0, counter, visit);
  }

 private:
  int Add(int parent, const std::string& text, int kind) {
    Nodes.push_back({parent, text, kind, {}});
    const int id = static_cast<int>(Nodes.size()) - 1;
    (parent == kRoot ? Roots : Nodes[static_cast<size_t>(parent)].Children).push_back(id);
    return id;
  }
  template <class F>
  void WalkNode(int id, int depth, int& counter, F& visit) const {
    const Node& n = Nodes[static_cast<size_t>(id)];
    visit(n, depth, counter++);
    for (int c : n.Children) WalkNode(c, depth + 1, counter, visit);
  }
};

}  // namespace

void TDocBuilder::Build(TZYNProjekt* projekt) {
  fProjekt = projekt;
  StartDocument();
  HeaderLogo = QImage();
  ContentsList.clear();
  fContents.clear();
  struct TCleanup {
    TDocBuilder& b;
    ~TCleanup() {
      b.HeaderLogo = QImage();
      b.fContents = std::move(b.ContentsList);
      b.ContentsList.clear();
    }
  } cleanup{*this};
  HeaderLogo = LoadBitmap(SystemPath + "logo2.bmp");
  if (!projekt) return;
  const TProjektDaten& pd = projekt->ProjektDaten;
  const TKundenDaten& kd = projekt->KundenDaten;
  HeaderData = {pd.ProjektNummer, pd.Ausfuehrung, kd.KundenNr, kd.FirmenName, kd.Ansprechpartner, pd.ProjektName};
  // Firm, street, town and telephone; parts left empty in the company data are left out.
  std::string town = Company.PLZ + (Company.PLZ.empty() || Company.Ort.empty() ? "" : " ") + Company.Ort;
  CompanyLine.clear();
  for (const std::string* part : {&Company.Firma1, &Company.Strasse, &town})
    if (!part->empty()) CompanyLine += (CompanyLine.empty() ? "" : ", ") + *part;
  if (!Company.Telefon.empty()) CompanyLine += DocText(", Telefon ") + Company.Telefon;
  LeftMargin = 20;
  TopMargin = 15;
  RightMargin = 195;
  PageBottom = 270;
  Canvas().Font().Color = GmBlack;
  Canvas().SetCopyMode(GmSRCCOPY);

  PrintCoverPage();
  PrintProjectData();
  for (int i = 0; i < projekt->Steuermodule.Count(); ++i) {
    TSteuermodul& stm = *projekt->Steuermodule.GetSteuermodul(i);
    PrintSteuermodul(stm);
    try {
      PrintModulDaten(stm);
    } catch (const std::exception&) {
      // What was recorded stays; the build goes on with the clocks.
    }
    PrintUhrenDaten(stm);
    PrintMerkerDaten(stm);
    PrintAnzeigeTexte(stm);
    PrintGruppenDaten(stm);
    PrintToolTree(stm.Tools, DocText("Basisprogrammierung"));
    PrintModulLinks(stm);
    PrintUhrenLinks(stm);
    PrintMerkerLinks(stm);
  }
  PrintUebergreifend();
  PrintDisplays();
  PrintInhaltsverzeichnis();
  Pages().SetCurrentPage(1);
}

void TDocBuilder::PrintCoverPage() {
  SetPrintFont("Arial", 28, fsBold);
  Y = 60;
  PrintCentered(DocText("ZYN Projektdokumentation"));
  SetPrintFont(nullptr, 16, 0);
  PrintCentered(DocText("für das Projekt \"") + fProjekt->ProjektDaten.ProjektName + "\"");
  PrintCentered(DocText("des Kunden \"") + fProjekt->KundenDaten.FirmenName + "\"");
  PrintCentered(DocText("erstellt von \"") + fProjekt->ProjektDaten.Ausfuehrung + "\"");
  const QImage logo = LoadBitmap(SystemPath + "Logo1.bmp");
  if (!logo.isNull()) {
    const double width = static_cast<double>(Canvas().BitmapWidth(logo)) * 25.4;
    Canvas().Draw(logo, gmMillimeters, (SheetWidth - width) / 2, Y + 30, 1);
  }
  PrintPageFooter();
  NewPage();
}

void TDocBuilder::PrintProjectData() {
  const TProjektDaten& pd = fProjekt->ProjektDaten;
  PrintPageHeader(nullptr);
  PrintLeft(DocText("Projektdaten"));
  AddSectionEntry(DocText("Projektdaten"));
  SetPrintFont(nullptr, 10, fsBold);
  PrintLeft(DocText("Projektdetails:"));
  SetPrintFont(nullptr, 10, 0);
  PrintLabelValue(DocText("Projektnummer:") + pd.ProjektNummer, 80);
  PrintLabelValue(DocText("Kundennummer:") + fProjekt->KundenDaten.KundenNr, 80);
  PrintLabelValue(DocText("Projektname:") + pd.ProjektName, 80);
  PrintLabelValue(DocText("Auftragsdatum:") + ShortDate(pd.AuftragsDatum), 80);
  PrintLabelValue(DocText("Termin:") + ShortDate(pd.ZielDatum), 80);
  PrintLabelValue(DocText("Projektleiter:") + pd.Planung, 80);
  PrintLabelValue(DocText("Ausführung:") + pd.Ausfuehrung, 80);
  PrintLabelValue(DocText("Erzeugt mit:") + pd.SoftCreated, 80);
  PrintLabelValue(DocText("Bearbeitet mit:") + pd.SoftLast, 80);
  Y += LineHeight;
  SetPrintFont(nullptr, 10, fsBold);
  PrintLeft(DocText("Projektbeschreibung:"));
  SetPrintFont(nullptr, 10, 0);
  PrintMemo(pd.Remarks, LeftMargin);
}

// ---- control-module sections ----

void TDocBuilder::PrintSteuermodul(TSteuermodul& stm) {
  NewPage();
  AddSectionEntry(DocFormat(DocText("Steuermodul %1.1d"), {DocNumber(stm.Adresse())}));
  PrintPageHeader(nullptr);
  SetPrintFont(nullptr, 16, fsBold);
  const std::string title =
      DocText("Dokumentation zum Steuermodul Adresse:") + " " + DocFormat("%1.1d", {DocNumber(stm.Adresse())});
  Canvas().TextOut(title, 105 - TextWidthMm(title) / 2, 60);
  Y = 80;
  SetPrintFont(nullptr, 10, fsBold);
  PrintLeft(DocText("Steuermoduldaten"));
  HeadingRule(190);
  PrintLabelValueAt(DocText("Steuermoduladresse :") + std::to_string(stm.Adresse()), 20, 90);
  PrintLabelValueAt(DocText("Bezeichnung:") + stm.DisplayName(), 20, 90);
  PrintLeft(DocText("Bemerkungen:"));
  PrintBox(stm.Bemerkungen, LeftMargin, 190, PageBottom - 60);
  Y = PageBottom - 50;
  SetPrintFont(nullptr, 10, fsBold);
  PrintLeft(DocText("Statistik"));
  HeadingRule(190);
  PrintLabelValueAt(DocText("Anzahl der verwendeten Module:") + std::to_string(stm.Module.Count()), 20, 90);
  PrintLabelValueAt(DocText("Anzahl der verwendeten Uhren:") + std::to_string(stm.Uhren.Count()), 20, 90);
  PrintLabelValueAt(DocText("Anzahl der verwendeten Merker:") + std::to_string(stm.Merker.Count()), 20, 90);
  PrintLabelValueAt(DocText("Anzahl der verwendeten Anzeigetexte:") + std::to_string(stm.Texte.Count()), 20, 90);
  PrintLabelValueAt(DocText("Anzahl der verwendeten Tools:") + std::to_string(stm.Tools.Count()), 20, 90);
}

namespace {
template <class List>
void ChannelTable(TDocBuilder& b, const TModul& m, const List& list, const char* addr, const char* name) {
  if (list.Count() == 0) return;
  b.SetPrintFont(nullptr, 10, fsBold);
  b.PrintTabbedLine(DocText(addr) + "\t" + DocText(name));
  b.HeadingRule(195, true);
  for (int i = 0; i < list.Count(); ++i) {
    const auto& ch = *list.GetItem(i);
    b.PrintTabbedLine(DocFormat("%s.%2.2d.%2.2d", {m.ModulKennung, DocNumber(m.Adresse()), DocNumber(ch.Adresse())}) + "\t" +
                      ch.DisplayName());
  }
}
}  // namespace

void TDocBuilder::PrintModulDaten(TSteuermodul& stm) {
  if (!Katalog) return;
  bool first = true;
  for (int c = 0; c < Katalog->Count(); ++c) {
    const TModulClass& cls = *Katalog->GetClass(c);
    std::vector<TModul*> modules;
    for (int i = 0; i < stm.Module.Count(); ++i)
      if (stm.Module.GetModul(i)->ModulKlasse == cls.InternalName) modules.push_back(stm.Module.GetModul(i));
    if (modules.empty()) continue;
    NewPage();
    if (first)
      PrintPageHeader(DocText("Moduldaten"));
    else
      PrintPageHeader(nullptr);
    first = false;
    PrintSubTitle(cls.DisplayName);
    for (size_t k = 0; k < modules.size(); ++k) {
      TModul& m = *modules[k];
      if (k > 0) {
        NewPage();
        PrintPageHeader(nullptr);
      }
      SetTabs({20, 50, 80, 110, 145, 160});
      SetPrintFont(nullptr, 10, fsBold);
      std::string dip;
      for (int bit = 0; bit < 5; ++bit) dip += (m.Adresse() >> bit) & 1 ? '1' : '0';
      PrintTabbedLine(DocText("Modulkennung:") + "\t" + m.ModulKennung + "\t" + DocText("Moduladresse:") + "\t" +
                      DocFormat("%s.%2.2d", {m.ModulKennung, DocNumber(m.Adresse())}) + "\t" + DocText("Dip:") + "\t" + dip);
      PrintTabbedLine(DocText("Bezeichnung:") + "\t" + m.DisplayName());
      NextLine();
      NextLine();
      SetTabs({20, 55, 145, 160});
      ChannelTable(*this, m, m.Eingaenge(), "Eingangsadresse", "Eingangsbezeichnung");
      Y += 3 * LineHeight;
      ChannelTable(*this, m, m.Ausgaenge(), "Ausgangsadresse", "Ausgangsbezeichnung");
      Y += 3 * LineHeight;
      ChannelTable(*this, m, m.Rueckmeldungen(), "RME- Adresse", "RME- Bezeichnung");
      Y += LineHeight;
      if (m.Dimmerzusatz) {
        SetPrintFont(nullptr, 10, fsBold);
        Y += 3 * LineHeight;
        // The heading, the rule and the 80 mm of the charts start a new page when they do not fit.
        EnsureRoom(2 * LineHeight + 80 + 12);
        PrintTabbedLine(DocText("Kennliniendaten"));
        HeadingRule(195, true);
        Y = Y + LineHeight + 80;
        const double y0 = Y;
        if (m.Ausgaenge().Count() > 0) PrintKennlinie(m, 0, LeftMargin + 10, y0, m.DimmerDaten.LeftKennlinie);
        if (m.Ausgaenge().Count() > 1) PrintKennlinie(m, 1, LeftMargin + 100, y0, m.DimmerDaten.RightKennlinie);
        Y = y0 + 12;  // below the axis labels
        Y += 2 * LineHeight;
      }
      SetPrintFont(nullptr, 10, fsBold);
      // The heading goes with its notes when both fit on a fresh page.
      EnsureRoom(2 * LineHeight + std::min(MemoHeight(m.Bemerkungen, LeftMargin), PageBottom - 60 - 2 * LineHeight));
      PrintLeft(DocText("Notizen und Hinweise zum Modul"));
      HeadingRule(195, true);
      PrintMemo(m.Bemerkungen, LeftMargin);
    }
  }
}

void TDocBuilder::PrintKennlinie(TModul& modul, int output, double x0, double y0, int curve) {
  const int count = Kurven ? static_cast<int>(Kurven->Count()) : 0;
  const bool valid = curve >= 0 && curve < count;
  SetPrintFont(nullptr, 9, 0);
  const TKanal* channel = modul.Ausgaenge().GetItem(output);
  Canvas().TextOut(DocText("Kennlinie für") + " " + (channel ? TranslateText(channel->DisplayName()) : std::string()),
                   x0, y0 - 80);
  if (valid)
    Canvas().TextOut(DocText("Kennlinientyp.:") + " " + TranslateText(Kurven->Items(curve)->DisplayName), x0,
                     y0 - 80 + LineHeight);
  // Grid and axes.
  SetPrintFont(nullptr, 6, 0);
  const TGmPen saved = [&] {
    TGmPen p;
    p.Assign(Canvas().Pen());
    return p;
  }();
  for (int k = 20; k >= 0; --k) {
    Canvas().Pen().Color = k == 0 ? GmBlack : kButtonFace;
    Canvas().Pen().Width = k == 0 ? 2 : 1;
    Canvas().Line(gmMillimeters, x0, y0 - 3 * k, x0 + 70, y0 - 3 * k);
    Canvas().Line(gmMillimeters, x0 + 3.5 * k, y0, x0 + 3.5 * k, y0 - 60);
  }
  if (valid) {
    const TZYNKennlinie& k = *Kurven->Items(curve);
    Canvas().Pen().Color = kBlue;
    Canvas().Pen().Width = 1;
    Canvas().MoveTo(gmMillimeters, x0, y0 - k.Werte[0] * 60.0 / 256);
    for (int i = 0; i < 256; ++i)
      Canvas().LineTo(gmMillimeters, x0 + i * 70.0 / 256, y0 - k.Werte[static_cast<size_t>(i)] * 60.0 / 256);
    Canvas().Pen().Color = GmBlack;
    Canvas().Pen().Width = 1;
    const double h1 = TextHeightMm("1");
    for (int v = 0; v <= 10; ++v) {
      const std::string t = std::to_string(10 * v);
      Canvas().TextOut(t, x0 - 1 - TextWidthMm(t), y0 - 6 * v - h1 / 2);
    }
    const double w255 = TextWidthMm("255");
    for (int p = 1; p <= 10; ++p) Canvas().TextOut(std::to_string(25 * p), x0 + 7 * p - w255, y0 + 1);
    const std::string axis = DocText("Kennlinienposition (0 bis 255)");
    Canvas().TextOut(axis, x0 + (65 - TextWidthMm(axis)) / 2, y0 + 4);
    Canvas().TextOut(DocText("Dimmwert in %"), x0 - 6, y0 - 20, gmMillimeters, 90);
  } else {
    SetPrintFont(nullptr, 10, fsBold);
    Canvas().Font().Color = kDocRed;
    Canvas().TextOut(DocText("Fehler: Keine Kennlinie angegeben!"), x0 + 3, y0 - 35 + LineHeight);
    Canvas().Font().Color = GmBlack;
  }
  Canvas().Pen().Assign(saved);
  SetPrintFont(nullptr, 10, 0);
}

void TDocBuilder::PrintUhrenDaten(TSteuermodul& stm) {
  if (stm.Uhren.Count() == 0) return;
  SetTabs({20, 70, 95});
  NewPage();
  PrintPageHeader(DocText("Uhrendaten"));
  static const char* const kKinds[] = {"Tagesuhren", "Wochenuhren", "Jalousie- und Rolladenuhren"};
  bool printed = false;
  for (int kind = 0; kind < 3; ++kind) {
    std::vector<TUhr*> clocks;
    for (int i = 0; i < stm.Uhren.Count(); ++i)
      if (static_cast<int>(stm.Uhren.GetUhr(i)->UhrenTyp) == kind) clocks.push_back(stm.Uhren.GetUhr(i));
    if (clocks.empty()) continue;
    if (printed) {
      NewPage();
      PrintPageHeader(nullptr);
    }
    printed = true;
    PrintSubTitle(DocText(kKinds[kind]));
    NextLine();
    for (TUhr* u : clocks) {
      SetPrintFont(nullptr, 10, fsBold);
      PrintTabbedLine(DocText("Anzeige im Steuermodul") + "\t" + DocFormat("Timer %3.3d", {DocNumber(u->Adresse())}));
      SetPrintFont(nullptr, 10, 0);
      PrintTabbedLine(DocText("Bezeichnung:") + "\t" + u->DisplayName());
      PrintTabbedLine(DocText("Adresse:") + "\t" + DocFormat(DocText("UHR.%3.3d"), {DocNumber(u->Adresse())}));
      PrintTabbedLine(DocText("Einschalttage:") + "\t" + u->EinDayMask());
      PrintTabbedLine(DocText("Einschaltzeit:") + "\t" + u->Einschaltzeit());
      PrintTabbedLine(DocText("Ausschalttage:") + "\t" + u->AusDayMask());
      PrintTabbedLine(DocText("Ausschaltzeit:") + "\t" + u->Ausschaltzeit());
      NextLine();
    }
  }
}

void TDocBuilder::PrintMerkerDaten(TSteuermodul& stm) {
  if (stm.Merker.Count() == 0) return;
  SetTabs({20, 50, 170});
  NewPage();
  PrintPageHeader(DocText("Merkerdaten"));
  SetPrintFont(nullptr, 10, 0);
  PrintTabbedLine(DocText("Adresse") + "\t" + DocText("Bezeichnung") + "\t" + DocText("Reserviert"));
  HeadingRule(RightMargin);
  for (int i = 0; i < stm.Merker.Count(); ++i) {
    const TMerker& m = *stm.Merker.GetMerker(i);
    PrintTabbedLine(DocFormat(DocText("MRK.%3.3d"), {DocNumber(m.Adresse())}) + "\t" + m.DisplayName() + "\t" +
                    GYesNoNames[m.Reserviert() ? 1 : 0]);
  }
}

void TDocBuilder::PrintAnzeigeTexte(TSteuermodul& stm) {
  if (stm.Texte.Count() == 0) return;
  SetTabs({20, 30, 70, 90, 170});
  NewPage();
  PrintPageHeader(DocText("Anzeigetexte"));
  NextLine();
  SetPrintFont(nullptr, 10, 0);
  PrintTabbedLine(DocText("Adresse") + "\t\t" + DocText("Bezeichnung") + "\t\t" + DocText("Ausrichtung"));
  HeadingRule(RightMargin);
  auto align = [](int center) {
    return center >= 0 && center <= 2 ? GAlignmentNames[static_cast<size_t>(center)] : std::string();
  };
  for (int i = 0; i < stm.Texte.Count(); ++i) {
    const TAnzeigetext& t = *stm.Texte.GetItem(i);
    PrintTabbedLine(DocFormat(DocText("TXT.%3.3d"), {DocNumber(t.Adresse())}) + "\t\t" + t.DisplayName());
    PrintTabbedLine("\t" + DocText("Textzeile1:") + " " + t.Zeile1.Text + "\t\t\t" + align(t.Zeile1.Center));
    PrintTabbedLine("\t" + DocText("Textzeile2:") + " " + t.Zeile2.Text + "\t\t\t" + align(t.Zeile2.Center));
    NextLine();
  }
}

void TDocBuilder::PrintGruppenDaten(TSteuermodul& stm) {
  if (stm.Gruppen.Count() == 0) return;
  SetTabs({20, 50, 100});
  NewPage();
  PrintPageHeader(DocText("Gruppendaten"));
  NextLine();
  SetPrintFont(nullptr, 10, fsBold);
  PrintTabbedLine(DocText("Adresse") + "\t" + DocText("Bezeichnung") + "\t" + DocText("zugehörige Kanäle"));
  HeadingRule(190);
  SetPrintFont(nullptr, 10, 0);
  for (int i = 0; i < stm.Gruppen.Count(); ++i) {
    TGruppe& g = *stm.Gruppen.GetItem(i);
    PrintTabbedLine(DocFormat(DocText("GRP.%3.3d"), {DocNumber(g.Adresse())}) + "\t" + g.DisplayName());
    for (int k = 0; k < g.Members().Count(); ++k) {
      const TGruppenObjekt& member = *g.Members().GetGruppenObjekt(k);
      TModul* modul = stm.FindModul(member.Modul);
      TAusgang* channel = nullptr;
      for (int j = 0; j < stm.Module.Count() && !channel; ++j)
        channel = stm.Module.GetModul(j)->Ausgaenge().FindByInternalName(member.Kanal);
      if (!modul || !channel) continue;
      PrintTabbedLine("\t\t" + DocFormat("%s.%2.2d.%2.2d-%s", {modul->ModulKennung, DocNumber(modul->Adresse()),
                                                               DocNumber(channel->Adresse()), channel->DisplayName()}));
    }
    NextLine();
  }
}

void TDocBuilder::PrintToolTree(const TZYNFunktionsListe& tools, const std::string& title) {
  if (tools.Count() == 0) return;
  SetTabs({20, 25, 30, 35, 40, 45, 50, 55, 70});
  NewPage();
  PrintPageHeader(title);
  SetPrintFont(nullptr, 10, 0);
  TToolTreeList tree;
  FillTree(tools, tree, fProjekt);
  tree.Walk([&](const TToolTreeList::Node& node, int depth, int index) {
    if (node.Kind == 0) {
      const std::string text = DocText("Funktionen der Ebene:") + " " + node.Text;
      ContentsList.push_back("\t\t" + text + "\t\t" + std::to_string(PageNumber()));
      SetPrintFont(nullptr, 10, fsBold);
      if (index > 0) NextLine();
      PrintTabbedLine(text);
      SetPrintFont(nullptr, 10, 0);
    } else if (node.Kind == 1) {
      NextLine();
      SetPrintFont(nullptr, 10, fsBold);
      PrintTabbedLine("\t" + node.Text);
      SetPrintFont(nullptr, 10, 0);
    } else if (depth >= 1 && depth <= 5) {
      PrintTabbedLine(std::string(static_cast<size_t>(depth + 1), '\t') + node.Text);
    }
  });
}

void TDocBuilder::PrintUebergreifend() {
  if (fProjekt->Tools.Count() == 0) return;
  ContentsList.push_back(DocText("Übergreifend"));
  PrintToolTree(fProjekt->Tools, DocText("Übergreifende Funktionen"));
}

// ---- link sections ----

void TDocBuilder::PrintLinkBlock(TVerbindung& link) {
  SetPrintFont(nullptr, 10, 0);
  NextLine();
  PrintTabbedLine(DocText("WENN") + "\t" + link.GetSourceChannelText() + ":" + link.GetSourceFunctionText());
  if (link.Kind() == 1 || link.Kind() == 2) {
    bool firstCondition = true;
    for (int i = 0; i < 51; ++i) {
      const TLogicEntry e = link.Logic(i);
      if (!e.Used()) continue;
      // The first printed condition joins with UND, the others with the link's operator.
      const std::string op = link.LogicOr() && !firstCondition ? DocText("ODER") : DocText("UND");
      firstCondition = false;
      PrintTabbedLine(op + "\t" +
                      DocFormat(DocText("ST%2.2d.%s.%2.2d.%2.2d"),
                                {DocNumber(e.StmNummer()), e.LogicCode(), DocNumber(e.ModulAdresse()), DocNumber(e.KanalNummer())}) +
                      ":" + (e.LogicState() == 1 ? DocText("EIN") : DocText("AUS")));
    }
  }
  PrintTabbedLine(DocText("DANN") + "\t" + link.GetTargetChannelText() + ":" + link.GetTargetFunctionText() +
                  LinkParameterText(link, lsThen, true));
  if (link.Kind() == 2)
    PrintTabbedLine(DocText("SONST") + "\t" + link.GetElseChannelText() + ":" + link.GetElseFunctionText() +
                    LinkParameterText(link, lsElse, true));
}

void TDocBuilder::PrintChannelLinks(const std::string& kindWord, TKanal& channel, TModul& modul, TSteuermodul& stm) {
  if (channel.Verbindungen().Count() == 0) return;
  NextLine();
  SetPrintFont(nullptr, 10, fsBold);
  PrintLeft(DocFormat(DocText("Modul: %s.%2.2d.%2.2d-%s"),
                      {modul.ModulKennung, DocNumber(stm.Adresse()), DocNumber(modul.Adresse()), modul.DisplayName()}) +
            " - " + DocFormat("%s: %2.2d-%s", {kindWord, DocNumber(channel.Adresse()), channel.DisplayName()}));
  SetPrintFont(nullptr, 10, 0);
  for (int i = 0; i < channel.Verbindungen().Count(); ++i) PrintLinkBlock(*channel.Verbindungen().GetVerbindung(i));
}

void TDocBuilder::PrintModulLinks(TSteuermodul& stm) {
  if (stm.Module.Count() == 0 || stm.Module.VerbindungsCount() == 0) return;
  SetTabs({20, 40, 60, 80, 100, 120});
  bool first = true;
  for (int i = 0; i < stm.Module.Count(); ++i) {
    TModul& m = *stm.Module.GetModul(i);
    if (m.VerbindungsCount() == 0) continue;
    NewPage();
    if (first)
      PrintPageHeader(DocText("Funktionsprogrammierung Module"));
    else
      PrintPageHeader(nullptr);
    first = false;
    PrintSubTitle(DocFormat("%s.%2.2d - %s", {m.ModulKennung, DocNumber(m.Adresse()), m.DisplayName()}));
    for (int k = 0; k < m.Eingaenge().Count(); ++k)
      PrintChannelLinks(DocText("Eingang"), *m.Eingaenge().GetItem(k), m, stm);
    for (int k = 0; k < m.Rueckmeldungen().Count(); ++k)
      PrintChannelLinks(DocText("Rückmeldung"), *m.Rueckmeldungen().GetItem(k), m, stm);
  }
}

namespace {
// The links of every clock or flag of a list that has any, each under its bold caption.
template <class List>
void PrintObjectLinks(TDocBuilder& b, const List& list, const char* format, const char* word, int stmAddress) {
  for (int i = 0; i < list.Count(); ++i) {
    auto& object = *list.GetItem(i);
    if (object.Verbindungen().Count() == 0) continue;
    b.NextLine();
    b.SetPrintFont(nullptr, 10, fsBold);
    b.PrintLeft(DocFormat(DocText(format), {DocText(word), DocNumber(stmAddress), DocNumber(object.Adresse()), object.DisplayName()}));
    b.SetPrintFont(nullptr, 10, 0);
    for (int k = 0; k < object.Verbindungen().Count(); ++k) b.PrintLinkBlock(*object.Verbindungen().GetVerbindung(k));
  }
}
}  // namespace

void TDocBuilder::PrintUhrenLinks(TSteuermodul& stm) {
  if (stm.Uhren.Count() == 0) return;
  SetTabs({20, 40, 60, 80, 100, 120});
  NewPage();
  PrintPageHeader(DocText("Funktionsprogrammierung Uhren"));
  PrintObjectLinks(*this, stm.Uhren, "Uhr: %s.%2.2d.%2.2d-%s", "UHR", stm.Adresse());
}

void TDocBuilder::PrintMerkerLinks(TSteuermodul& stm) {
  int links = 0;
  for (int i = 0; i < stm.Merker.Count(); ++i) links += stm.Merker.GetMerker(i)->Verbindungen().Count();
  if (links == 0) return;
  SetTabs({20, 40, 60, 80, 100, 120});
  NewPage();
  PrintPageHeader(DocText("Funktionsprogrammierung Merker"));
  PrintObjectLinks(*this, stm.Merker, "Merker: %s.%2.2d.%2.2d-%s", "MRK", stm.Adresse());
}

// ---- contents ----

void TDocBuilder::PrintInhaltsverzeichnis() {
  NewPage();
  PrintPageHeader(DocText("Inhaltsverzeichnis"));
  // Tool-tree levels stand on stop 2, which the contents page sets itself.
  SetTabs({20, 30, 35, 40, 180});
  if (ContentsList.size() < 2) return;
  for (size_t i = 0; i + 1 < ContentsList.size(); ++i) {
    const std::string& entry = ContentsList[i];
    SetPrintFont(nullptr, 10, !entry.empty() && entry[0] == '\t' ? 0 : fsBold);
    PrintTabbedLine(entry);
  }
  SetPrintFont(nullptr, 10, 0);
}

}  // namespace zyn
