#pragma once
// The default tool libraries placed in the small installation of the interpreter tests, every tool
// bound to objects as an installer would bind it.

#include "tests/compiler/interpreter/InterpreterFixture.h"

#include <string>
#include <vector>

namespace zyn::test {

class DefaultTools : public InterpreterTest {
 protected:
  void SetUp() override {
    InterpreterTest::SetUp();
    ASSERT_TRUE(system.LoadFromFile(std::string(ZYN_BINARY_DIR) + "/data/system/funcs.zyb"));
    ASSERT_TRUE(user.LoadFromFile(std::string(ZYN_BINARY_DIR) + "/data/system/userfuncs.zyb"));
  }

  // Places a copy of the library tool in control module 0, as the programming page does.
  TZYNFunction& Place(const TZYNFunktionsListe& library, const std::string& name) {
    const TZYNFunction* source = library.FindByName(Ansi(name));
    EXPECT_NE(source, nullptr) << name;
    auto tool = std::make_unique<TZYNFunction>();
    tool->CopyFrom(*source);
    tool->InternalName = names.NewName();
    const std::string key = tool->InternalName;
    return *stm0->Tools.Add(key, std::move(tool));
  }

  TVariable& V(TZYNFunction& tool, const char* name) {
    TVariable* v = tool.FindVariable(name);
    EXPECT_NE(v, nullptr) << name;
    return *v;
  }

  // Every tool of both default libraries, placed in control module 0 and bound.
  struct TPlaced {
    TZYNFunction *Taster, *Treppe, *Zentral, *Nacht, *Merker, *Frei, *Sim, *Dimmer;
    std::vector<TZYNFunction*> All() const { return {Taster, Treppe, Zentral, Nacht, Merker, Frei, Sim, Dimmer}; }
  };
  TPlaced PlaceEveryDefaultTool() {
    TZYNFunction& taster = Place(system, "Taster schaltet Licht");
    Bind(V(taster, "TASTER"), In(inp, 0));
    Bind(V(taster, "LICHT"), Out(out, 0));
    Bind(V(taster, "LICHT"), Out(out, 1));

    TZYNFunction& treppe = Place(system, "Treppenhauslicht");
    Bind(V(treppe, "TASTER"), In(inp, 1));
    Bind(V(treppe, "LICHT"), Out(out, 2));

    TZYNFunction& zentral = Place(system, "Zentral Aus");
    Bind(V(zentral, "TASTER"), In(inp, 2));
    for (int o = 0; o < 3; ++o) Bind(V(zentral, "VERBRAUCHER"), Out(out, o));

    TZYNFunction& nacht = Place(system, "Nachtlicht");
    Bind(V(nacht, "TASTER"), In(inp, 3));
    Bind(V(nacht, "NACHT"), Flag(0));
    Bind(V(nacht, "NACHTLICHT"), Out(out, 3));
    Bind(V(nacht, "HAUPTLICHT"), Out(mfm, 0));

    TZYNFunction& merker = Place(system, "Merker setzen und löschen");
    Bind(V(merker, "SETZEN"), In(inp, 4));
    Bind(V(merker, "LOESCHEN"), In(inp, 5));
    Bind(V(merker, "MERKER"), Flag(1));

    TZYNFunction& frei = Place(system, "Freie Zuordnung");
    Bind(V(frei, "QUELLEN"), In(inp, 6), ":AUS > 1 SEK");
    Bind(V(frei, "ZIELE"), Out(out, 4), ":AUS");
    Bind(V(frei, "ZIELE"), Out(out, 5), ":Treppenlicht#60");

    TZYNFunction& sim = Place(system, "Anwesenheitssimulation");
    Bind(V(sim, "UHR"), Clock(0));
    Bind(V(sim, "EINGANG"), In(inp, 7));
    Bind(V(sim, "AUSGANG"), Out(out, 6), "#10-20");
    Bind(V(sim, "AUSGANGA"), Out(out, 7), "#5-5");

    TZYNFunction& dimmer = Place(user, "Dimmer Taster");
    Bind(V(dimmer, "TASTER"), In(mfm, 0));
    Bind(V(dimmer, "LICHT"), Out(dim, 0));
    return {&taster, &treppe, &zentral, &nacht, &merker, &frei, &sim, &dimmer};
  }

  TZYNFunktionsListe system, user;
};

}  // namespace zyn::test
