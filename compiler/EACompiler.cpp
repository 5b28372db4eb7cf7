#include "compiler/EACompiler.h"

#include "compiler/CompileContext.h"
#include "compiler/CompileError.h"
#include "compiler/DisplayText.h"
#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/ModelText.h"
#include "model/Uhr.h"
#include "model/Verbindung.h"
#include "model/base/Cp1252.h"
#include "project/Projekt.h"

#include <initializer_list>
#include <vector>

namespace zyn {

namespace {

constexpr uint8_t kOpEnd = 0;
constexpr uint8_t kOpModule = 1;
constexpr uint8_t kOpFlagSet = 3;
constexpr uint8_t kOpFlagClear = 4;
constexpr uint8_t kOpJump = 37;
constexpr uint8_t kOpTelegram = 41;
constexpr uint8_t kOpLogicAnd = 129;
constexpr uint8_t kOpLogicOr = 130;
constexpr uint8_t kOpLogicElse = 131;
constexpr uint8_t kOpFlagList = 132;
constexpr uint8_t kOpText = 133;
constexpr uint8_t kOpSimulationModule = 135;
constexpr uint8_t kCrossMarker = 18;
constexpr int kObjSimulationClock = 154;
constexpr int kTargetVisu = 254;

[[noreturn]] void Fail(TVerbindung& link, const std::string& what) {
  throw ECompileError(Ansi("Die Verbindung \"") + LinkText(link) + Ansi("\" kann nicht übersetzt werden: ") + what);
}

// The extra parameter bytes of the target (330..332, 337..342) or else target (333..335, 344..349).
struct TExtraBytes {
  uint8_t B = 0;
  const uint8_t* X = nullptr;
};

TExtraBytes ExtraBytes(const TVerbindung& link, bool elsePart) {
  const auto& h = link.Header();
  const int low = elsePart ? 333 : 330;
  const int high = elsePart ? 334 : 331;
  const int six = elsePart ? 335 : 332;
  TExtraBytes e;
  e.B = static_cast<uint8_t>((h[static_cast<size_t>(high)] << 7) | h[static_cast<size_t>(low)] |
                             (h[static_cast<size_t>(six)] << 6));
  e.X = h.data() + (elsePart ? 344 : 337);
  return e;
}

// A command or event number that names nothing: the tool generation stores it for a command
// that the channel's command list does not have.
constexpr uint8_t kUnknownCommand = 0xFF;

// "Kanal 3 des Moduls OUT 2 in Steuermodul 0", from the numbers of an endpoint.
std::string ChannelText(const TLinkEndpoint& ep) {
  return Ansi("Kanal ") + std::to_string(ep.KanalNummer()) + Ansi(" des Moduls ") + ep.ModulKennung() + " " +
         std::to_string(ep.ModulAdresse()) + Ansi(" in Steuermodul ") + std::to_string(ep.StmNummer());
}

}  // namespace

TModuleCommand MakeModuleCommand(TVerbindung& link, bool elsePart) {
  const TLinkEndpoint ep = elsePart ? link.ElseTarget() : link.Target();
  const int mode = elsePart ? link.ElseParamMode() : link.TargetParamMode();
  const uint16_t p = elsePart ? link.ElseParam() : link.TargetParam();
  if (ep.FunctionNumber() == kUnknownCommand) {
    Fail(link, ChannelText(ep) + Ansi(" kennt den Befehl \"") + ep.FunctionText() + Ansi("\" nicht."));
  }
  const int shift = ep.Shift();
  const int command = shift < 8 ? ((ep.KanalNummer() << shift) | ep.FunctionNumber()) : 0x100;
  if (command > 0xFF) {
    Fail(link, Ansi("der Befehl an Kanal ") + std::to_string(ep.KanalNummer()) + Ansi(" passt nicht in ein Byte."));
  }
  TModuleCommand c;
  const auto add = [&c](std::initializer_list<uint8_t> bytes) {
    for (uint8_t b : bytes) c.Bytes.push_back(b);
  };
  const auto addExtra = [&c](const uint8_t* bytes, int count) {
    for (int i = 0; i < count; ++i) c.Bytes.push_back(bytes[i]);
  };
  add({static_cast<uint8_t>(command)});
  if (p == 0 && (mode == 0 || mode == 1)) return c;
  const TExtraBytes e = ExtraBytes(link, elsePart);
  const uint8_t lo = static_cast<uint8_t>(p & 0xFF);
  const uint8_t hi = static_cast<uint8_t>(p >> 8);
  switch (mode) {
    case 5:
    case 9:
      add({e.B, lo, hi});
      break;
    case 6:
    case 11:
      add({e.B});
      break;
    case 7:
      add({e.B});
      addExtra(e.X, 4);
      break;
    case 8:
      add({e.B});
      addExtra(e.X, 6);
      break;
    case 13:
      add({e.X[0], e.X[1], lo, hi});
      c.CountsParam = true;
      break;
    default:
      add({lo, hi});
      c.CountsParam = true;
      break;
  }
  return c;
}

TLinkEmitter::TLinkEmitter(TCompileContext& context, TBinData& image) : fContext(context), fImage(image) {}

void TLinkEmitter::ResetState() {
  fCurrentEvent = -1;
  fOpenStm = -1;
  fLastKey = -1;
  fParamState = -1;
  fCount = 0;
  fCountPos = 0;
  fOpenLists.fill(false);
  fBlockArea = nullptr;
}

void TLinkEmitter::AppendListEnds() {
  for (size_t stm = 0; stm < fOpenLists.size(); ++stm) {
    if (fOpenLists[stm] && fContext.Images[stm] != nullptr) fContext.Images[stm]->EventArea.AppendByte(kOpEnd);
  }
  fOpenLists.fill(false);
}

uint8_t TLinkEmitter::EventByte(const TKanal& channel, TVerbindung& link) const {
  const TLinkEndpoint source = link.Source();
  if (source.FunctionNumber() == kUnknownCommand) {
    Fail(link, ChannelText(source) + Ansi(" kennt das Ereignis \"") + source.FunctionText() + Ansi("\" nicht."));
  }
  const int shift = source.Shift();
  int event = shift < 8 ? ((channel.Adresse() << shift) | source.FunctionNumber()) : 0x100;
  if (channel.Adresse() < 0 || event > 0xFF) {
    Fail(link, Ansi("das Ereignis von Kanal ") + std::to_string(channel.Adresse()) +
                   Ansi(" passt nicht in die Verknüpfungstabelle."));
  }
  if (UpperCase(source.ModulKennung()) == UpperCase(ModelTranslate("JRM")) && source.FunctionNumber() >= 6) {
    if (event & 0x80) {
      Fail(link, Ansi("das Ereignis von Kanal ") + std::to_string(channel.Adresse()) +
                     Ansi(" passt nicht in die Verknüpfungstabelle."));
    }
    event += 0x80;
  }
  // 0xFF closes a module's entries in the link table.
  if (event == 0xFF) Fail(link, Ansi("das Ereignis 255 ist in der Verknüpfungstabelle nicht erlaubt."));
  return static_cast<uint8_t>(event);
}

int TLinkEmitter::ModuleKey(const TLinkEndpoint& endpoint, TVerbindung& link) {
  if (endpoint.ObjType() > 7 || endpoint.ModulAdresse() > 31) {
    Fail(link, Ansi("die Moduladresse ") + std::to_string(endpoint.ModulAdresse()) + Ansi(" ist ungültig."));
  }
  return endpoint.ObjType() * 32 + endpoint.ModulAdresse();
}

void TLinkEmitter::CompileLinks(TKanal& channel, bool isFlag) {
  TVerbindungsListe& list = channel.Verbindungen();
  if (list.Count() == 0) return;
  std::vector<TVerbindung*> links;
  for (int i = 0; i < list.Count(); ++i) links.push_back(list.GetVerbindung(i));
  ResetState();
  for (TVerbindung* link : links) {
    if (link->Target().ObjType() == kObjGruppe) continue;
    fContext.Report(0, link);
    if (link->Target().StmNummer() != fOpenStm) {
      fLastKey = fParamState = fOpenStm = -1;
    }
    const int event = link->Source().FunctionNumber();
    if (event != fCurrentEvent) {
      if (fCurrentEvent != -1) AppendListEnds();
      if (isFlag) {
        fContext.SetFlagList(static_cast<TMerker*>(&channel), event, fImage.EventArea.NextAddress());
      } else {
        fImage.Image.AppendLinkEntry(EventByte(channel, *link), fImage.EventArea.Length());
      }
      fCurrentEvent = event;
      fLastKey = fParamState = fOpenStm = -1;
    }
    if (link->SingleEntry()) fLastKey = fParamState = -1;
    EmitLink(*link, false);
  }
  AppendListEnds();
  fImage.EventArea.AppendByte(kOpEnd);
}

void TLinkEmitter::CompileClockLinks(TUhr& clock, int event, size_t entry) {
  TVerbindungsListe& list = clock.Verbindungen();
  std::vector<TVerbindung*> links;
  for (int i = 0; i < list.Count(); ++i) {
    if (list.GetVerbindung(i)->Source().FunctionNumber() == event) links.push_back(list.GetVerbindung(i));
  }
  if (links.empty()) return;
  const size_t field = entry + (event == 0 ? 8 : 3);
  fImage.Clocks.WriteWordBE(field, fImage.EventArea.NextAddress());
  fImage.Clocks.Record(field, TRelocBase::Events);
  ResetState();
  for (TVerbindung* link : links) {
    if (link->Target().ObjType() == kObjGruppe) continue;
    if (link->Target().StmNummer() != fOpenStm) fLastKey = fParamState = -1;
    EmitLink(*link, true);
  }
  AppendListEnds();
  fImage.EventArea.AppendByte(kOpEnd);
}

void TLinkEmitter::EmitLink(TVerbindung& link, bool clockLinks) {
  if (link.Kind() == 1 || link.Kind() == 2) {
    EmitLogicLink(link, clockLinks);
  } else {
    EmitPlainLink(link, clockLinks);
  }
}

void TLinkEmitter::EmitJump(int stm, TBinData& target) {
  TTelegrammBuffer& own = fImage.EventArea;
  own.AppendByte(kOpJump);
  own.AppendByte(static_cast<uint8_t>(stm));
  own.AppendByte(kCrossMarker);
  const size_t at = own.Length();
  own.AppendWordBE(target.EventArea.NextAddress());
  own.Record(at, TRelocBase::OtherEvents, stm);
}

void TLinkEmitter::EmitPlainLink(TVerbindung& link, bool clockLinks) {
  const TLinkEndpoint target = link.Target();
  const int tStm = target.StmNummer();
  if (clockLinks && (tStm == fImage.StmNummer() || tStm == fOpenStm)) fOpenStm = tStm;
  if (tStm != link.Source().StmNummer()) {
    if (tStm == kTargetVisu || link.Kind() == 3) {
      const uint16_t p = link.TargetParam();
      const uint8_t op[5] = {kOpTelegram, static_cast<uint8_t>(tStm), kCrossMarker, static_cast<uint8_t>(p >> 8),
                             static_cast<uint8_t>(p & 0xFF)};
      fImage.EventArea.AppendBytes(op, 5);
      fLastKey = fParamState = -1;
      return;
    }
    TBinData& other = fContext.ImageFor(tStm, link);
    fOpenLists[static_cast<size_t>(tStm)] = true;
    if (tStm != fOpenStm) {
      fOpenStm = tStm;
      EmitJump(tStm, other);
      fLastKey = fParamState = -1;
    }
  }
  TBinData& t = fContext.ImageFor(tStm, link);
  TTelegrammBuffer& area = t.EventArea;
  const int type = target.ObjType();
  if (type <= 7) {
    EmitPlainModuleCommand(area, link);
  } else if (type <= 24) {
    EmitChannelFlag(area, link);
  } else if (type == kObjMerker) {
    EmitFlagTarget(area, link, target);
  } else if (type == kObjAnzeigetext) {
    EmitTextTarget(t, area, link, target);
  } else if (type == kObjUhr && clockLinks) {
    EmitClockData(area, link);
  }
}

void TLinkEmitter::EmitPlainModuleCommand(TTelegrammBuffer& area, TVerbindung& link) {
  const int key = ModuleKey(link.Target(), link);
  const TModuleCommand command = MakeModuleCommand(link, false);
  if (command.HasParams() && (fParamState >= 0 || fCount > 9)) fLastKey = fParamState = -1;
  // A block only grows while nothing else was appended behind it.
  if (key != fLastKey || fBlockArea != &area || fBlockEnd != area.Length()) {
    area.AppendByte(kOpModule);
    area.AppendByte(static_cast<uint8_t>(key));
    fCountPos = area.Length();
    area.AppendByte(1);
    fLastKey = key;
    fCount = 0;
    fBlockArea = &area;
  }
  area.AppendBytes(command.Bytes);
  fCount += static_cast<int>(command.Bytes.size());
  if (command.CountsParam) ++fParamState;
  if (fCount > 0xFF) Fail(link, Ansi("zu viele Befehle an ein Modul in einem Ereignis."));
  area.WriteByte(fCountPos, static_cast<uint8_t>(fCount));
  fBlockEnd = area.Length();
}

void TLinkEmitter::EmitChannelFlag(TTelegrammBuffer& area, TVerbindung& link) {
  const TLinkEndpoint target = link.Target();
  const int fn = target.FunctionNumber();
  const int code = (target.ObjType() - 8) * 4 + 5 + (target.ModulAdresse() > 15 ? 2 : 0) + fn;
  if (fn > 1 || code == kOpJump || code == kOpTelegram || code > 72) {
    Fail(link, Ansi("unbekannter Befehl an einen Kanalmerker."));
  }
  area.AppendByte(static_cast<uint8_t>(code));
  area.AppendByte(static_cast<uint8_t>((target.ModulAdresse() * 16 + target.KanalNummer()) & 0xFF));
  fLastKey = fParamState = -1;
}

void TLinkEmitter::EmitFlagTarget(TTelegrammBuffer& area, TVerbindung& link, const TLinkEndpoint& endpoint) {
  const int fn = endpoint.FunctionNumber();
  area.AppendByte(fn == 0 ? kOpFlagClear : kOpFlagSet);
  area.AppendByte(endpoint.KanalNummer());
  const TMerker* flag = fContext.Projekt.FindMerkerByAddress(endpoint.StmNummer(), endpoint.KanalNummer());
  const uint16_t list = flag != nullptr ? fContext.FlagList(flag, fn) : 0;
  if (list != 0) {
    area.AppendByte(kOpFlagList);
    const size_t at = area.Length();
    area.AppendWordBE(list);
    area.Record(at, TRelocBase::Events);
  }
  fLastKey = fParamState = -1;
  (void)link;
}

void TLinkEmitter::EmitTextTarget(TBinData& target, TTelegrammBuffer& area, TVerbindung& link,
                                  const TLinkEndpoint& endpoint) {
  fLastKey = fParamState = -1;
  if (endpoint.FunctionNumber() != 0) {
    const uint8_t op[3] = {kOpText, 0, 0};
    area.AppendBytes(op, 3);
    return;
  }
  const TAnzeigetext* text = fContext.Projekt.FindText(endpoint.StmNummer(), endpoint.KanalNummer());
  if (text == nullptr) {
    Fail(link, Ansi("der Anzeigetext ") + std::to_string(endpoint.KanalNummer()) + Ansi(" von Steuermodul ") +
                   std::to_string(endpoint.StmNummer()) + Ansi(" ist nicht vorhanden."));
  }
  area.AppendByte(kOpText);
  area.AppendAddress(target.Texts.Length(), TRelocBase::Texts);
  target.Texts.AppendTextRecord(GetImageText(*text));
}

void TLinkEmitter::EmitClockData(TTelegrammBuffer& area, TVerbindung& link) {
  const auto& h = link.Header();
  const int count = h[312] | (h[313] << 8);
  if (count > 4) Fail(link, Ansi("die Uhrendaten sind ungültig."));
  area.AppendByte(link.Target().FunctionNumber());
  for (int i = 0; i < count; ++i) area.AppendByte(h[static_cast<size_t>(314 + 2 * i)]);
  fLastKey = fParamState = -1;
}

void TLinkEmitter::EmitLogicLink(TVerbindung& link, bool clockLinks) {
  const int tStm = link.Target().StmNummer();
  TBinData& t = fContext.ImageFor(tStm, link);
  if (tStm != link.Source().StmNummer()) {
    if (tStm != fOpenStm) {
      fOpenStm = tStm;
      EmitJump(tStm, t);
      fParamState = -1;
    }
    fOpenLists[static_cast<size_t>(tStm)] = true;
  }
  const bool hasElse = link.ElseTarget().Present();
  // The else command runs in the same control module as the then command.
  if (hasElse && link.ElseTarget().StmNummer() != tStm) {
    Fail(link, Ansi("Ziel und Sonst-Ziel liegen in verschiedenen Steuermodulen."));
  }
  const bool withElse = clockLinks ? link.Kind() == 2 : (link.Kind() == 2 || hasElse);
  uint8_t op = link.LogicOr() ? kOpLogicOr : kOpLogicAnd;
  if (clockLinks ? link.Kind() != 1 : (link.Kind() != 1 || hasElse)) op = kOpLogicElse;
  TTelegrammBuffer& events = t.EventArea;
  events.AppendByte(op);
  events.AppendAddress(link.CombinationAddress(), TRelocBase::Logic);
  const size_t thenWord = events.Length();
  events.AppendAddress(t.LogicArea.Length(), TRelocBase::Logic);
  const bool simulation = clockLinks && link.Source().ObjType() == kObjSimulationClock;
  EmitLogicCommand(t, link, false, simulation);
  if (withElse) {
    t.LogicArea.AppendByte(kOpEnd);
    const size_t elseWord = events.Length();
    events.AppendAddress(t.LogicArea.Length(), TRelocBase::Logic);
    if (op == kOpLogicElse && link.LogicOr() && link.Kind() == 2) {
      const uint16_t thenAddress = events.WordBE(thenWord);
      events.WriteWordBE(thenWord, events.WordBE(elseWord));
      events.WriteWordBE(elseWord, thenAddress);
    }
    // An else part without else target is an empty list.
    if (hasElse) EmitLogicCommand(t, link, true, simulation);
  }
  t.LogicArea.AppendByte(kOpEnd);
  fLastKey = -1;
}

void TLinkEmitter::EmitLogicCommand(TBinData& target, TVerbindung& link, bool elsePart, bool simulationClock) {
  const TLinkEndpoint endpoint = elsePart ? link.ElseTarget() : link.Target();
  TTelegrammBuffer& area = target.LogicArea;
  const int type = endpoint.ObjType();
  if (type <= 7) {
    const int key = ModuleKey(endpoint, link);
    const TModuleCommand command = MakeModuleCommand(link, elsePart);
    if (simulationClock && !elsePart) {
      area.AppendByte(kOpSimulationModule);
      area.AppendByte(4);
    } else {
      area.AppendByte(kOpModule);
    }
    area.AppendByte(static_cast<uint8_t>(key));
    area.AppendByte(static_cast<uint8_t>(command.Bytes.size()));
    area.AppendBytes(command.Bytes);
    fCount = static_cast<int>(command.Bytes.size());
    if (command.CountsParam) ++fParamState;
    if (command.HasParams()) {
      const bool close = elsePart ? fParamState >= 0 : fParamState > 0;
      if (close || fCount >= 10) fParamState = -1;
    }
    fBlockArea = nullptr;
  } else if (type == kObjMerker) {
    EmitFlagTarget(area, link, endpoint);
  } else if (type == kObjAnzeigetext) {
    EmitTextTarget(target, area, link, endpoint);
  }
}

}  // namespace zyn
