#pragma once
// A generated project for the compile benchmarks, built with tests/compiler's project builder.

#include "tests/compiler/CompilerFixture.h"

#include <vector>

namespace zyn::bench {

// A project that grows with `scale`: four control modules, each with 2 x scale input modules and
// 2 x scale output modules of eight channels and scale groups of four outputs. Every input has a
// logic link whose condition names an output of another module, one whose condition names an
// input of another module (which then gets the input-flag links), and a link to a group. So the
// work per link is the same at every scale, and the compile time should grow with the scale.
class TScaledProject {
 public:
  explicit TScaledProject(int scale) {
    using namespace zyn;
    using namespace zyn::test;
    const int modules = 2 * scale;
    B.NamePrefix = "10122026_203006_";  // as the programme names objects in a session
    for (int s = 0; s < 4; ++s) {
      TSteuermodul& stm = B.AddStm(s);
      std::vector<TModul*> in, out;
      for (int m = 0; m < modules; ++m) {
        in.push_back(&B.AddModul(stm, 0, m, "INP", 3, 0, 0, {0, 1, 2, 3, 4, 5, 6, 7}, {}));
        out.push_back(&B.AddModul(stm, 2, m, "OUT", 0, 5, 0, {}, {0, 1, 2, 3, 4, 5, 6, 7}));
      }
      for (int g = 0; g < scale; ++g) {
        std::vector<const TKanal*> members;
        for (int k = 0; k < 4; ++k)
          members.push_back(out[static_cast<size_t>((g * 4 + k) % modules)]->FindAusgang((g + k) % 8));
        B.AddGruppe(stm, g, members);
      }
      for (int m = 0; m < modules; ++m) {
        TModul& from = *in[static_cast<size_t>(m)];
        TModul& other = *out[static_cast<size_t>((m + 1) % modules)];
        TModul& otherIn = *in[static_cast<size_t>((m + 1) % modules)];
        for (int i = 0; i < 8; ++i) {
          TEingang& input = *from.FindEingang(i);
          TVerbindung& onOutput = LinkFromInput(input, from, s, 1, 1);
          SetModuleEndpoint(onOutput.Target(), *out[static_cast<size_t>(m)], s, i, 5, 1);
          SetCondition(onOutput, 0, 19, s, other.Adresse(), i, 1, "OUT", other.FindAusgang(i)->InternalName());
          TVerbindung& onInput = LinkFromInput(input, from, s, 4, 1);
          SetModuleEndpoint(onInput.Target(), *out[static_cast<size_t>(m)], s, (i + 1) % 8, 5, 2);
          SetCondition(onInput, 0, 1, s, otherIn.Adresse(), (i + 3) % 8, 0, "INP",
                       otherIn.FindEingang((i + 3) % 8)->InternalName());
          SetObjectEndpoint(LinkFromInput(input, from, s, 6).Target(), kObjGruppe, s, "GRP", (m * 8 + i) % scale, 1);
          ++Links;
        }
      }
    }
    Links *= 3;
  }
  zyn::test::TProjectBuilder B;
  int Links = 0;
};

}  // namespace zyn::bench
