// The shared text routines: the safe formatter, hint wrapping, padding and GUID texts.

#include "logic/core/LogicText.h"

#include "model/Kanal.h"
#include "model/Merker.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace zyn {
namespace {

TEST(LogicText, FormatterTakesArgumentsInOrderAndNeverReadsBeyondThem) {
  EXPECT_EQ(FormatNumbers("Merker (%3.3d/%3.3d) ", {5, 256}), "Merker (005/256) ");
  EXPECT_EQ(FormatNumbers("t=%5d Sekunden", {42}), "t=   42 Sekunden");
  EXPECT_EQ(FormatNumbers("Prio=%3d", {-1}), "Prio= -1");
  EXPECT_EQ(FormatNumbers("%d %d %d", {1}), "1 %d %d");
  EXPECT_EQ(FormatNumbers("100%% %s", {1}), "100% %s");
  EXPECT_EQ(FormatText("Soll der Merker \"%s\" wirklich gelöscht werden", {"50%-Licht %d"}),
            "Soll der Merker \"50%-Licht %d\" wirklich gelöscht werden");
  EXPECT_EQ(FormatText("%s und %s", {"a"}), "a und %s");
}

TEST(LogicText, WrappingBreaksAtBlanksAndHyphensAndKeepsEveryCharacter) {
  const std::string text =
      "Die Funktion schaltet den Ausgang nach Ablauf der Zeit wieder aus; Einstellungen im Installateur's "
      "Handbuch § 4.2 beachten.\r\nEnde";
  const std::string wrapped = WrapHintText(text, 45);
  size_t start = 0;
  std::string joined;
  while (true) {
    const size_t end = wrapped.find("\r\n", start);
    const std::string line = wrapped.substr(start, end == std::string::npos ? std::string::npos : end - start);
    EXPECT_LE(line.size(), 45u) << line;
    joined += (joined.empty() || joined.back() == '-' ? "" : " ") + line;
    if (end == std::string::npos) break;
    start = end + 2;
  }
  EXPECT_NE(wrapped.find("Installateur's"), std::string::npos);
  EXPECT_NE(wrapped.find("§ 4.2"), std::string::npos);
  EXPECT_EQ(joined,
            "Die Funktion schaltet den Ausgang nach Ablauf der Zeit wieder aus; Einstellungen im "
            "Installateur's Handbuch § 4.2 beachten.Ende");
  EXPECT_EQ(WrapHintText("Ein-Aus-Schalter", 5), "Ein-\r\nAus-\r\nSchalter");
  EXPECT_EQ(StripLineBreaks("a\r\nb\nc\r"), "abc");
}

TEST(LogicText, PaddingAndGuids) {
  EXPECT_EQ(PadRight("AB", 'x', 5), "ABxxx");
  EXPECT_EQ(PadRight("ABCDEF", 'x', 5), "ABCDEF");
  const std::regex form("\\{[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}\\}");
  std::set<std::string> seen;
  for (int i = 0; i < 50; ++i) {
    const std::string g = NewGuidString();
    EXPECT_EQ(g.size(), 38u);
    EXPECT_TRUE(std::regex_match(g, form)) << g;
    seen.insert(g);
  }
  EXPECT_EQ(seen.size(), 50u);
}

TEST(LogicText, KindWordsOfObjects) {
  TEingang input;
  TAusgang output;
  TMerker flag;
  EXPECT_EQ(ObjectKindText(&input), "diesen Eingang");
  EXPECT_EQ(ObjectKindText(&output), "diesen Ausgang");
  EXPECT_EQ(ObjectKindText(&flag), "diesen Merker");
  EXPECT_EQ(ObjectKindText(static_cast<const TZYNBaseObject*>(nullptr)), "dieses unbekannte Objekt");
}

}  // namespace
}  // namespace zyn

#include "model/Verbindung.h"

namespace zyn {
namespace {

TEST(LogicText, LinkPictureNamesByKindAndControlModule) {
  TVerbindung link;
  link.Source().SetStmNummer(0);
  link.Target().SetStmNummer(0);
  const char* local[] = {"VERBINDUNG", "VERKNUPF", "VERKNUPFALT"};
  const char* cross[] = {"VERBOVL", "VERKNOVL", "VERKNALTOVL"};
  for (int kind = 0; kind < 3; ++kind) {
    link.SetKind(kind);
    link.Target().SetStmNummer(0);
    EXPECT_EQ(LinkBitmapName(link), local[kind]);
    link.Target().SetStmNummer(2);
    EXPECT_EQ(LinkBitmapName(link), cross[kind]);
  }
  link.SetKind(3);
  EXPECT_EQ(LinkBitmapName(link), "");
}

}  // namespace
}  // namespace zyn
