#pragma once
// Registers the editors of this folder with the main window's development menu: "Modulklassen"
// (the module-class editor on the system data folder), "Funktionseditor (Standard)" (the tool
// editor on the system library with the command lists) and "Funktionseditor (Userfunktionen)"
// (the user library). A library saved to its own file is read again by the running programme.

namespace zyn {

void RegisterCompilerDialogs();

}  // namespace zyn
