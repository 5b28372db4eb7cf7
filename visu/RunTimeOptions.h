#pragma once
// The options file "ZYNVisu.ini" of the run-time folder.

#include <string>

namespace zyn {

// Opens the XML ini file (keeping its other entries), sets "Options"/"Port" = "1",
// "Options"/"FirstPage" and "System"/"ConnectOnStart" ("1" or "0") and writes it; EWriteError
// when it cannot be written.
void WriteRunTimeOptions(const std::string& fileName, const std::string& firstPage, bool connectOnStart);

}  // namespace zyn
