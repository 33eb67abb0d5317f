// Writes one generated header, and its settings file beside it, so that a
// shape can be looked at or fed to the varnel program.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/header_generator.h"
#include "model/text.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: varnel_headergen SHAPE BYTES OUT.h\n"
               "Writes a generated header of about BYTES bytes to OUT.h and "
               "its parser\nsettings to OUT.INI. Shapes:\n");
  for (const ShapeInfo& info : AllShapes())
    std::fprintf(stderr, "  %-20s %s\n", info.name, info.summary);
  return 2;
}

bool WriteBytes(const std::string& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f)
    return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4)
    return Usage();
  const ShapeInfo* shape = FindShape(argv[1]);
  char* end = nullptr;
  const unsigned long long bytes = std::strtoull(argv[2], &end, 10);
  if (!shape || !end || *end != '\0')
    return Usage();
  const std::string out = argv[3];
  const GeneratedHeader header = GenerateHeader(shape->shape, bytes);
  std::string ini = PathFolder(out);
  ini = (ini.empty() ? "" : ini + "/") + PathStem(out) + ".INI";
  if (!WriteBytes(out, header.text) ||
      !WriteBytes(ini, SettingsFileText(header))) {
    std::fprintf(stderr, "varnel_headergen: cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("%s: %zu bytes, %d classes, %d global functions, %d macros\n",
              out.c_str(), header.text.size(), header.counts.classes,
              header.counts.globalFuncDecls,
              static_cast<int>(header.macros.size()));
  return 0;
}
