// Entry point of the ZYN Systemsoftware. The main window is not there yet: until it is, the
// programme brings up what exists and says so.

#include <cstdio>

#include "model/base/Cp1252.h"

int main(int argc, char** argv) {
  std::printf("%s\n", zyn::AnsiToUtf8(zyn::Ansi("ZYN Systemsoftware 2.8")).c_str());
  std::printf("Das Hauptfenster ist noch nicht vorhanden.\n");
  return 0;
}
