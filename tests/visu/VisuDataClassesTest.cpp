#include "visu/VisuDataClasses.h"

#include "model/base/Errors.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

struct CountingControl : IVisuInvalidate {
  int repaints = 0;
  bool fail = false;
  void Invalidate() override {
    ++repaints;
    if (fail) throw std::runtime_error("paint");
  }
};

TEST(VisuDataClasses, DesignDefaultsAndRepaintOnlyOnChange) {
  CountingControl control;
  TVisuDesign d(&control);
  EXPECT_EQ(d.BorderWidth(), 0);
  EXPECT_EQ(d.FrameStyle(), TFrameStyle::fsSunken);
  EXPECT_EQ(d.FrameWidth(), 1);
  EXPECT_EQ(d.OffColor(), TVisuColors::clGreen);
  EXPECT_EQ(d.OnColor(), TVisuColors::clRed);
  EXPECT_EQ(d.UndefColor(), TVisuColors::clBtnShadow);
  EXPECT_EQ(d.OffText(), "AUS");
  EXPECT_EQ(d.OnText(), "EIN");
  EXPECT_EQ(d.UndefText(), "?");
  EXPECT_TRUE(d.ShowText());
  EXPECT_EQ(d.Font().Color, TVisuColors::clWhite);
  EXPECT_EQ(d.Font().Style, TVisuFont::fsBold);

  d.SetOnColor(TVisuColors::clRed);
  d.SetFrameWidth(0);
  d.SetFrameWidth(-3);
  EXPECT_EQ(control.repaints, 0);
  EXPECT_EQ(d.FrameWidth(), 1);
  d.SetFrameWidth(2);
  d.SetOnText("AN");
  EXPECT_EQ(control.repaints, 2);
  control.fail = true;
  d.SetShowText(false);  // a failing repaint is ignored
  EXPECT_FALSE(d.ShowText());
  TVisuFont f;
  f.Name = "Arial";
  d.SetFont(f);
  EXPECT_EQ(d.Font().Name, "Arial");
}

TEST(VisuDataClasses, OnlyTheStatusOfTheBindingRepaints) {
  CountingControl control;
  TVisuData v(&control, TKanalArt::kaAusgang);
  EXPECT_EQ(v.Steuermodul, -1);
  EXPECT_EQ(v.KanalArt, TKanalArt::kaAusgang);
  EXPECT_EQ(v.Status(), TVisuState::vsUnknown);
  v.Kanal = 4;
  v.SetStatus(TVisuState::vsUnknown);
  EXPECT_EQ(control.repaints, 0);
  v.SetStatus(TVisuState::vsOn);
  EXPECT_EQ(control.repaints, 1);

  TVisuDataCollectionItem item;
  item.Init(&control, TKanalArt::kaMerker);
  EXPECT_EQ(item.Steuermodul, -1);
  item.SetStatus(TVisuState::vsOff);
  item.SetStatus(TVisuState::vsOff);
  EXPECT_EQ(control.repaints, 2);
}

TEST(VisuDataClasses, LoggerLines) {
  TLoggerData l;
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 0;
  t.tm_mday = 5;
  t.tm_hour = 7;
  t.tm_min = 8;
  t.tm_sec = 9;
  l.LogTime = false;
  EXPECT_EQ(l.FormatOnLine(1, 65, 3), "Kanal eingeschaltet");
  struct Case {
    std::string text;
    std::string line;
  };
  const Case cases[] = {{"%k %M", "03 65"}, {"%s/%S-%K%m", "01/01-0365"}, {"100%", "100%"}, {"%x%", "%x%"}, {"", ""}};
  for (const auto& c : cases) EXPECT_EQ(l.FormatLine(c.text, 1, 65, 3, t), c.line) << c.text;
  EXPECT_EQ(l.FormatLine("%k", 0, 0, 123, t), "123");
  l.LogTime = true;
  EXPECT_EQ(l.FormatLine("%s", 2, 0, 0, t), "05.01.2026-07:08:09 : 02");
}

TEST(VisuDataClasses, TelegramAddressAndValue) {
  TVisuTelegram a, b;
  a.Steuermodul = 1;
  a.Modul = 69;
  a.Kanal = 3;
  a.Befehl = 1;
  a.Shift = 5;
  a.TeleType = TTeleType::vtAusTele;
  a.Parameter = 9;
  a.UserLevel = 4;
  EXPECT_EQ(a.Value(), 97);
  b.AssignAddress(a);
  EXPECT_EQ(b.Value(), 97);
  EXPECT_EQ(b.Modul, 69);
  EXPECT_EQ(b.TeleType, TTeleType::vtNone);
  EXPECT_EQ(b.Parameter, 0);
  EXPECT_EQ(b.UserLevel, 0);
}

TEST(VisuDataClasses, FontSaveRestoresTheFont) {
  TVisuFont font;
  font.Name = "Arial";
  font.Size = 10;
  {
    TFontSave save(font, TVisuFont::fsItalic, 14, TVisuColors::clRed, "Courier");
    EXPECT_EQ(font.Name, "Courier");
    EXPECT_EQ(font.Size, 14);
    font.Size = 20;  // changed again meanwhile
  }
  EXPECT_EQ(font.Name, "Arial");
  EXPECT_EQ(font.Size, 10);
  EXPECT_EQ(font.Style, 0);
}

TEST(VisuDataClasses, PropertiesGoToRecordsAndBack) {
  TVisuDesign d;
  d.SetOnColor(0x123456);
  d.SetUndefText("");
  d.SetFrameStyle(TFrameStyle::fsRaised);
  std::vector<TPropertyRecord> props;
  d.WriteProperties("Design.", props);
  EXPECT_EQ(FindProperty(props, "Design.OnColor")->Value.AsInteger(), 0x123456);
  EXPECT_EQ(FindProperty(props, "Design.OffColor")->Value.AsIdent(), "clGreen");
  EXPECT_EQ(FindProperty(props, "Design.UndefColor")->Value.AsIdent(), "clBtnShadow");
  EXPECT_EQ(FindProperty(props, "Design.FrameStyle")->Value.AsIdent(), "fsRaised");
  EXPECT_EQ(FindProperty(props, "Design.Font.Style")->Value.SetElements(), std::vector<std::string>{"fsBold"});
  EXPECT_EQ(FindProperty(props, "Design.Font.Height")->Value.AsInteger(), -11);
  EXPECT_EQ(FindProperty(props, "Design.UndefText"), nullptr);  // empty texts are not stored
  TVisuDesign back;
  for (const auto& p : props) EXPECT_TRUE(back.ReadProperty(std::string_view(p.Name).substr(7), p.Value)) << p.Name;
  EXPECT_EQ(back.OnColor(), 0x123456);
  EXPECT_EQ(back.FrameStyle(), TFrameStyle::fsRaised);
  EXPECT_EQ(back.Font(), d.Font());
  EXPECT_FALSE(back.ReadProperty("Unbekannt", TFilerValue::Integer(1)));
  EXPECT_THROW(back.ReadProperty("FrameStyle", TFilerValue::Ident("fsGibtEsNicht")), EReadError);
  EXPECT_THROW(back.ReadProperty("OnColor", TFilerValue::Ident("clGibtEsNicht")), EReadError);
  EXPECT_THROW(back.ReadProperty("OnText", TFilerValue::Integer(1)), EReadError);

  TIndexInfo info;
  info.AllowedType = KanalArtBit(TKanalArt::kaEingang) | KanalArtBit(TKanalArt::kaMerker);
  info.IndexName = "Index";
  info.Index = 12;
  std::vector<TPropertyRecord> ip;
  info.WriteProperties("EinIndex.", ip);
  EXPECT_EQ(FindProperty(ip, "EinIndex.AllowedType")->Value.SetElements(),
            (std::vector<std::string>{"kaEingang", "kaMerker"}));
  TIndexInfo infoBack;
  for (const auto& p : ip) EXPECT_TRUE(infoBack.ReadProperty(std::string_view(p.Name).substr(9), p.Value));
  EXPECT_EQ(infoBack, info);

  TVisuData data(nullptr, TKanalArt::kaUhr);
  data.Steuermodul = 2;
  data.Hint = "Uhr 3";
  data.SetStatus(TVisuState::vsOn);
  std::vector<TPropertyRecord> dp;
  data.WriteProperties("VisuData.", dp);
  TVisuData dataBack(nullptr, TKanalArt::kaAusgang);
  for (const auto& p : dp) EXPECT_TRUE(dataBack.ReadProperty(std::string_view(p.Name).substr(9), p.Value));
  EXPECT_EQ(dataBack.KanalArt, TKanalArt::kaUhr);
  EXPECT_EQ(dataBack.Status(), TVisuState::vsOn);
  EXPECT_EQ(dataBack.Hint, "Uhr 3");
  EXPECT_EQ(dataBack.Steuermodul, 2);
}

}  // namespace
}  // namespace zyn
