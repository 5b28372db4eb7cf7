#pragma once
// The macro text of one tool (".zyf"): a readable listing of the tool in the macro language,
// banner, variable declarations and presets, dialogs, description, nodes and the link script.
// The tool editor shows it and writes it to a file.

#include <string>
#include <vector>

namespace zyn {

class TZYNFunction;

// The lines of the macro text (Windows-1252).
std::vector<std::string> MacroTextLines(const TZYNFunction& tool);
// The lines joined by CR LF, each line ended.
std::string MacroText(const TZYNFunction& tool);
// Breaks a line at blanks into pieces of at most `width` characters where a blank allows it; the
// blank stays at the end of the piece before the break.
std::vector<std::string> WrapLine(const std::string& line, size_t width);

}  // namespace zyn
