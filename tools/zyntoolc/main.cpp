// zyn-toolc: builds a tool library file (or a single-tool file) from its readable source, and
// dumps a library file back into that source form.
//
//   zyn-toolc build [--single] <source> <output.zyb>
//   zyn-toolc dump [--single] <input.zyb> [<source>]      (to standard output without <source>)

#include "compiler/toollib/FunktionsListe.h"
#include "compiler/toollib/ToolSource.h"
#include "compiler/toollib/ZYNFunction.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Streams.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

int Usage() {
  std::fprintf(stderr,
               "Aufruf: zyn-toolc build [--single] <Quelle> <Bibliothek.zyb>\n"
               "        zyn-toolc dump [--single] <Bibliothek.zyb> [<Quelle>]\n");
  return 2;
}

int Build(bool single, const std::string& sourceFile, const std::string& outFile) {
  const std::vector<uint8_t> bytes = zyn::ReadFileBytes(sourceFile);
  zyn::TZYNFunktionsListe list;
  zyn::ParseToolSource(std::string(bytes.begin(), bytes.end()), list);
  if (single) {
    if (list.Count() != 1) {
      throw zyn::EZYNError(zyn::Ansi("Eine Einzeltool-Datei braucht genau ein Tool in der Quelle."));
    }
    list.GetFunction(0)->SaveToFile(outFile);
  } else {
    list.SaveToFile(outFile);
  }
  return 0;
}

int Dump(bool single, const std::string& inFile, const std::string& sourceFile) {
  zyn::TZYNFunktionsListe list;
  if (single) {
    auto tool = std::make_unique<zyn::TZYNFunction>();
    tool->LoadFromFile(inFile);
    const std::string key = tool->Info.FunctionName;
    list.Add(key, std::move(tool));
  } else if (!list.LoadFromFile(inFile)) {
    throw zyn::EReadError(zyn::Ansi("Die Datei wurde nicht gefunden."));
  }
  const std::string text = zyn::DumpToolSource(list);
  if (sourceFile.empty()) {
    std::fwrite(text.data(), 1, text.size(), stdout);
  } else {
    zyn::WriteFileAtomic(sourceFile, text);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  const std::string command = args[0];
  args.erase(args.begin());
  bool single = false;
  if (!args.empty() && args[0] == "--single") {
    single = true;
    args.erase(args.begin());
  }
  const std::string& file = args.empty() ? std::string() : args[0];
  try {
    if (command == "build" && args.size() == 2) return Build(single, args[0], args[1]);
    if (command == "dump" && (args.size() == 1 || args.size() == 2))
      return Dump(single, args[0], args.size() == 2 ? args[1] : std::string());
  } catch (const zyn::EZYNError& e) {
    std::fprintf(stderr, "zyn-toolc: %s: %s\n", file.c_str(), zyn::AnsiToUtf8(e.what()).c_str());
    return 1;
  }
  return Usage();
}
