// varnel: documents a C++ header from the command line.
#include <cstdio>
#include <string>

#include "model/module_info.h"
#include "model/parser_settings.h"
#include "parser/parse_header.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: varnel HEADER\n");
    return 2;
  }
  std::string header = argv[1];
  CModuleInfo module;
  module.m_strName = PathStem(header);
  TextList lines;
  std::string err;
  if (!ParseHeader(header, PathFolder(header) + "/" + module.m_strName + ".htm",
                   g_arrMacros, g_arrNotReturns, &lines, &module, &err)) {
    std::fprintf(stderr, "%s\n", err.c_str());
    return 1;
  }
  std::printf("Module %s: %d classes, %d global functions, %d global variables\n",
              module.m_strName.c_str(), module.m_nClasses, module.m_nFuncs,
              module.m_nVars);
  return 0;
}
