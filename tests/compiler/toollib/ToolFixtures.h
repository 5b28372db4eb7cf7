#pragma once
// Raw bytes of sample tools and libraries for the tests.

#include "RawBytes.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"

#include <cstdint>
#include <memory>
#include <string>

namespace zyn::test {

// Header of a tool: the nine texts, CanBeSubFunc, HelpContext, the reserved text block, the
// level block and the brand block (OEMFlag 0x0013, the rest a pattern).
inline RawBytes InfoBytes(const std::string& name, const std::string& level = "", bool patterned = true) {
  RawBytes r;
  r.Counted("Beleuchtung")
      .Counted(name)
      .Counted("Hilfe zu " + name)
      .Counted("1.2")
      .Counted("Technik")
      .Counted("ZORV")
      .Counted("01.02.2024")
      .Counted("03.04.2024")
      .Counted("LICHT")
      .U8(1)
      .I32(4711);
  if (patterned) {
    r.Image("reserviert", 256, 0xA5).Image(level, 63, 0x5A);
    r.Bytes({0x00, 0x13}).Pattern(699, 7);
  } else {
    r.Image("", 256).Image(level, 63).Fill(701);
  }
  return r;
}

// Variable header up to the channel block; the value follows.
inline RawBytes VarHead(const std::string& name, int type, int repeats = -1) {
  RawBytes r;
  r.Counted(name).I16(type).I16(repeats).Image("Sek", 31, 0x33);
  r.Bytes({0x81, 0x00, 0x00, 0x00, 0x00, 0x00});  // Multiplier 1.0
  r.Bytes({0x81, 0x00, 0x00, 0x00, 0x00, 0x00});  // MinValue 1.0
  r.Bytes({0x90, 0x00, 0x00, 0x00, 0xFF, 0x7F});  // MaxValue 65535
  r.Bytes({1, 2, 3, 4}).Pattern(8, 0x10).Bytes({5, 6, 1, 7}).Pattern(8, 0x20);
  r.Fill(3, 0).U8(255).Pattern(228, 0x40);  // AllowedChannels: channel 3 not allowed
  return r;
}

inline RawBytes ListVar(const std::string& name, int type, std::initializer_list<std::string> entries) {
  RawBytes r = VarHead(name, type);
  r.I16(static_cast<int>(entries.size()));
  for (const std::string& e : entries) r.Counted(e);
  return r;
}

// A tool with nothing but a header of empty texts: the smallest tool.
inline RawBytes BlankToolBytes() {
  RawBytes r;
  for (int i = 0; i < 9; ++i) r.Counted("");
  r.U8(0).I32(0).Fill(256 + 63 + 701).I16(0).I16(0).I16(0).I16(0);
  return r;
}

// Offset of the level block and of the end of the header in the bytes of InfoBytes.
inline size_t LevelOffset(const RawBytes& info) { return info.b.size() - 701 - 63; }

inline RawBytes EmptyToolBytes(const std::string& name) {
  RawBytes r = InfoBytes(name, "", false);
  r.I16(0).I16(0).I16(0).I16(0);
  return r;
}

// A small sub-tool with one variable, one node and one script line.
inline RawBytes SubToolBytes(const std::string& name) {
  RawBytes r = InfoBytes(name, "Unterebene");
  r.I16(1).Append(ListVar("AUSGANG", 18, {"out_1"}));
  r.I16(0);
  r.I16(1)
      .I16(2)
      .I16(1)
      .Counted("Ausgang")
      .I32(1)
      .I16(12)
      .Pattern(256, 3)
      .Counted("AUSGANG")
      .Counted("")
      .Counted("")
      .Counted("");
  r.I16(1).Counted("BLOCK");
  return r;
}

// A tool that uses every variable type, a nested sub-tool (a sub-tool in a sub-tool), dialogs,
// nodes and a script.
inline RawBytes FullToolBytes() {
  RawBytes r = InfoBytes("Treppenhaus", "Erdgeschoss");
  r.I16(18);
  r.Append(VarHead("UNBEKANNT", 0)).I16(0x1234);
  r.Append(ListVar("KLASSEN", 1, {"0", "3", "ACMERKER", "ACUHREN"}));
  r.Append(VarHead("BYTE", 2)).I16(0x00FE);
  r.Append(VarHead("LAUFZEIT", 3)).I16(300);
  r.Append(VarHead("LANG", 4)).I16(0xFFFF);
  r.Append(VarHead("MINUTEN", 5)).I16(5);
  r.Append(VarHead("SEKUNDEN", 6)).I16(60);
  r.Append(VarHead("ZEHNTEL", 7)).I16(15);
  r.Append(VarHead("ROLLADE", 9)).Pattern(10, 0x70);
  r.Append(ListVar("TASTER", 17, {"in_1:Ein", "in_2"}));
  r.Append(ListVar("LAMPE", 18, {"out_1:Ein#12"}));
  r.Append(ListVar("MERKER", 21, {"flag_1"}));
  r.Append(ListVar("UHR", 22, {"clock_1:Ein"}));
  {
    RawBytes sub = InfoBytes("Aussen", "");
    sub.I16(1);
    sub.Append(VarHead("INNEN", 23)).I16(1).Counted("Innen").Image("Innen", 256, 0x11).Append(SubToolBytes("Innen"));
    sub.I16(0).I16(0).I16(0);
    r.Append(VarHead("UNTERTOOLS", 23)).I16(1).Counted("Aussen").Image("Aussen", 256, 0x22).Append(sub);
  }
  r.Append(ListVar("OBJEKTE", 24, {"0%in_1", "5%rm_1", "-1%etwas"}));
  r.Append(ListVar("RUECKMELDUNG", 25, {"rm_1"}));
  r.Append(VarHead("VERSATZ", 3)).I16(0);
  r.Append(VarHead("ANDERS", 30)).I16(7);
  // Dialogs: one with both references, one with a value variable only.
  r.I16(2);
  r.Counted("Zeit")
      .I16(32)
      .Counted("Laufzeit")
      .Counted("Bitte die Laufzeit eingeben")
      .Counted("###")
      .Counted("Sekunden")
      .I16(10)
      .Pattern(256, 0x90)
      .Counted("LAUFZEIT")
      .Counted("SEKUNDEN");
  r.Counted("Rollo")
      .I16(8960)
      .Counted("Rollade")
      .Counted("")
      .Counted("")
      .Counted("")
      .I16(1)
      .Fill(256)
      .Counted("ROLLADE")
      .Counted("");
  // Nodes.
  r.I16(4);
  r.I16(1).I16(4).Counted("Taster").I32(0).I16(11).Fill(256).Counted("TASTER").Counted("KLASSEN").Counted("").Counted(
      "");
  r.I16(2)
      .I16(3)
      .Counted("Lampe")
      .I32(3)
      .I16(12)
      .Pattern(256, 1)
      .Counted("LAMPE")
      .Counted("KLASSEN")
      .Counted("")
      .Counted("");
  r.I16(5)
      .I16(2)
      .Counted("Laufzeit")
      .I32(0)
      .I16(4)
      .Fill(256)
      .Counted("LAUFZEIT")
      .Counted("")
      .Counted("SEKUNDEN")
      .Counted("Zeit");
  r.I16(6)
      .I16(1)
      .Counted("Untertool")
      .I32(0)
      .I16(0)
      .Fill(256)
      .Counted("UNTERTOOLS")
      .Counted("KLASSEN")
      .Counted("")
      .Counted("");
  r.I16(5);
  r.Counted("BLOCK 1")
      .Counted("IF %TASTER% : 12 Ein")
      .Counted("THEN %LAMPE% : Ein")
      .Counted("CPARA1 %LAUFZEIT%")
      .Counted("END.");
  return r;
}

inline RawBytes LibraryBytes() {
  RawBytes r;
  r.I16(3).Append(FullToolBytes()).Append(EmptyToolBytes("Leer")).Append(SubToolBytes("Einzeln"));
  return r;
}

// A variable of the tool with the given name, type and value.
inline TVariable& AddVar(TZYNFunction& tool, const std::string& name, int16_t type, uint16_t value = 0) {
  auto v = std::make_unique<TVariable>();
  v->VarName = name;
  v->SetVarType(type);
  v->Value = value;
  return *tool.Variables.Add(std::move(v));
}

}  // namespace zyn::test
