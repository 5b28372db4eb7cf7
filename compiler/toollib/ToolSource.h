#pragma once
// The readable source form of a tool library, from which the authoring tool builds library files
// and into which it dumps them. Line-based, one item per line:
//
//   # comment
//   tool "Treppenhaus"                 a tool, up to its "end"
//     group "Beleuchtung"              header texts: group help version creator company
//     level "Erdgeschoss"                created modified class level; subfunc yes|no;
//     oem 0x0001                         helpcontext <n>; oem <brand bits>
//     var "LAUFZEIT" word              a variable and its type (name or number); then
//       unit "Sekunden"                  unit, repeats, min, max, multiplier, value,
//       min 1                            deny <channels>, rollade <10 hex bytes>,
//       entry "in_1:Ein"                 entry "<text>" (list types),
//       subtool "Innen" "Innen"          subtool "<entry text>" "<name>" followed by a
//       tool "Innen" ... end             nested tool (sub-tool lists)
//     dialog "Zeit" timesek            a parameter dialog: title text mask unit multiplier
//       var "LAUFZEIT"                   var default
//     node "Taster" eingang            a node: edit flags paramtype var accept default dialog
//     line "IF %TASTER% : Ein"         one script line
//     raw <field> <hex>                bytes kept as they are (reserved blocks, memory images)
//   end
//
// Texts are quoted ("\"", "\\" and "\xHH" escapes); the file is UTF-8, the texts become
// Windows-1252. A dump followed by a build gives the library back byte for byte.

#include <string>

namespace zyn {

class TZYNFunktionsListe;

// Adds the tools of the source to the list (keyed by FunctionName). Throws EZYNError with the
// line number on a fault.
void ParseToolSource(const std::string& utf8Source, TZYNFunktionsListe& list);
// The source form of every tool of the list.
std::string DumpToolSource(const TZYNFunktionsListe& list);

}  // namespace zyn
