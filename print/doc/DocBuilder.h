#pragma once
// The project documentation: a cover page, the project data, per control module its page, module
// data with dimmer-curve charts, clocks, flags, display texts, groups, template programming and
// link programming, then the cross-module tools, the display panels and the table of contents,
// recorded on the pages of a page list.

#include "print/doc/DocLayout.h"

#include <string>

namespace zyn {

class TZYNProjekt;
class TSteuermodul;
class TModul;
class TKanal;
class TVerbindung;
class TZYNFunktionsListe;
class TModulClassList;
class TZYNKennlinienListe;
class TDisplayObjekt;
class TBildschirm;
class TFunktButton;

class TDocBuilder : public TDocLayout {
 public:
  using TDocLayout::TDocLayout;

  // What the build reads besides the project; the documentation page fills them from the
  // options and the base data.
  std::string SystemPath;  // with a trailing "/": "Logo1.bmp" and "logo2.bmp"
  const TModulClassList* Katalog = nullptr;
  const TZYNKennlinienListe* Kurven = nullptr;

  // Clears the pages and records the whole documentation; without a project one empty page.
  void Build(TZYNProjekt* projekt);
  // The contents entries of the last build (the contents page's own entry last).
  const std::vector<std::string>& Contents() const { return fContents; }

  // The sections, in build order.
  void PrintCoverPage();
  void PrintProjectData();
  void PrintSteuermodul(TSteuermodul& stm);
  void PrintModulDaten(TSteuermodul& stm);
  void PrintKennlinie(TModul& modul, int output, double x0, double y0, int curve);
  void PrintUhrenDaten(TSteuermodul& stm);
  void PrintMerkerDaten(TSteuermodul& stm);
  void PrintAnzeigeTexte(TSteuermodul& stm);
  void PrintGruppenDaten(TSteuermodul& stm);
  void PrintToolTree(const TZYNFunktionsListe& tools, const std::string& title);
  void PrintModulLinks(TSteuermodul& stm);
  void PrintUhrenLinks(TSteuermodul& stm);
  void PrintMerkerLinks(TSteuermodul& stm);
  void PrintChannelLinks(const std::string& kindWord, TKanal& channel, TModul& modul, TSteuermodul& stm);
  void PrintLinkBlock(TVerbindung& link);
  void PrintUebergreifend();
  void PrintDisplays();
  void PrintInhaltsverzeichnis();

 private:
  void PrintDisplay(TDisplayObjekt& display);
  void PrintScreen(TDisplayObjekt& display, TBildschirm& screen);
  void DrawFunctionKey(int rowMode, TFunktButton& key, int position);
  void DrawCharacters(const std::string& text, double x, double y);
  void DrawObjectIndex(int index, double x, double y);
  std::string KeyLine(TDisplayObjekt& display, TFunktButton& key, bool blankBeforeJump);

  TZYNProjekt* fProjekt = nullptr;
  std::vector<std::string> fContents;
};

}  // namespace zyn
