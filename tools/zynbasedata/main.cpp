// zynbasedata <source folder> <target folder>: builds the default system data folder.
#include "tools/zynbasedata/BaseDataSources.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: zynbasedata <source folder> <target folder>\n");
    return 2;
  }
  try {
    zyn::basedata::BuildSystemData(argv[1], argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zynbasedata: %s\n", e.what());
    return 1;
  }
  return 0;
}
