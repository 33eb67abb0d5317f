#include "bench/instructions_phase.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "bench/header_generator.h"
#include "bench/library_phase.h"

namespace fs = std::filesystem;

namespace {

const double kGoal = 110;

// The count of instructions in a cachegrind log, or -1.
int64_t InstructionsInLog(const std::string& log) {
  std::ifstream in(log);
  std::string line;
  while (std::getline(in, line)) {
    // "==123== I   refs:      91,708"
    const size_t at = line.find(" refs:");
    if (at == std::string::npos || line.find("== I ") == std::string::npos)
      continue;
    int64_t count = 0;
    for (char c : line.substr(at + 6))
      if (c >= '0' && c <= '9')
        count = count * 10 + (c - '0');
    return count;
  }
  return -1;
}

// Instructions of one run of `args` (after the program), or -1 when it
// failed or did not write `output`: a refused page writes nothing.
int64_t Count(const std::string& varnel, const std::vector<std::string>& args,
              const std::string& log, const std::string& output = "") {
  std::error_code ec;
  if (!output.empty())
    fs::remove(output, ec);
  std::vector<std::string> command = {
      "valgrind", "--tool=cachegrind", "--cache-sim=no",
      "--cachegrind-out-file=/dev/null", "--log-file=" + log, varnel};
  command.insert(command.end(), args.begin(), args.end());
  ChildLimits limits;
  limits.timeoutSeconds = 600;
  const PhaseResult r = RunProgram(command, limits);
  if (!r.ok() || (!output.empty() && !fs::exists(output, ec)))
    return -1;
  return InstructionsInLog(log);
}

}  // namespace

InstructionRun RunInstructionPhases(const std::string& varnel,
                                    const std::string& workDir,
                                    int64_t baseBytes) {
  InstructionRun run;
  run.baseBytes = baseBytes;
  const std::string dir = workDir + "/instructions";
  std::error_code ec;
  fs::create_directories(dir, ec);
  const std::string log = dir + "/valgrind.log";
  run.startup = Count(varnel, {"--version"}, log);
  run.valgrind = run.startup >= 0;
  if (!run.valgrind)
    return run;
  for (const ShapeInfo& info : AllShapes()) {
    InstructionRow xml{info.name, "xml"}, all{info.name, "all"};
    for (int scale : {1, 100}) {
      const GeneratedHeader header =
          GenerateHeader(info.shape, static_cast<size_t>(baseBytes) * scale);
      const std::string stem = dir + "/" + info.name;
      if (!SaveProgramInput(stem, header.text, SettingsFileText(header)))
        continue;
      const std::vector<std::string> common = {stem + ".h", "--ini",
                                               stem + ".INI", "--out", dir};
      std::vector<std::string> args = common;
      args.push_back("--xml");
      (scale == 1 ? xml.small : xml.large) =
          Count(varnel, args, log, dir + "/" + info.name + ".xml");
      args = common;
      args.push_back("--all");
      (scale == 1 ? all.small : all.large) =
          Count(varnel, args, log, dir + "/" + info.name + ".htm");
    }
    run.rows.push_back(xml);
    run.rows.push_back(all);
  }
  fs::remove_all(dir, ec);
  return run;
}

void PrintInstructionReport(const InstructionRun& run, FILE* out) {
  std::fprintf(out,
               "\nInstructions (cachegrind): varnel on each shape at 1x and"
               " 100x of %lld bytes,\n  less the %lld of `varnel --version`;"
               " goal: 100x costs at most %.0fx\n",
               static_cast<long long>(run.baseBytes),
               static_cast<long long>(run.startup), kGoal);
  if (!run.valgrind) {
    std::fprintf(out, "  valgrind is not installed\n");
    return;
  }
  std::fprintf(out, "  %-20s %-4s %14s %16s %8s\n", "shape", "job",
               "1x", "100x", "ratio");
  for (const InstructionRow& row : run.rows) {
    if (row.small < 0 || row.large < 0) {
      std::fprintf(out, "  %-20s %-4s %14s %16s %8s\n", row.shape.c_str(),
                   row.job.c_str(), "", "", "refused");
      continue;
    }
    const double ratio = double(row.large - run.startup) /
                         double(std::max<int64_t>(1, row.small - run.startup));
    std::fprintf(out, "  %-20s %-4s %14lld %16lld %8.1f %s\n",
                 row.shape.c_str(), row.job.c_str(),
                 static_cast<long long>(row.small),
                 static_cast<long long>(row.large), ratio,
                 ratio <= kGoal ? "ok" : "MISS");
  }
  std::fprintf(out,
               "  (\"refused\": a run failed, which for \"all\" is a page over"
               " --max-output,\n  2 GB, as the pages of shapes whose classes"
               " and blocks both grow become)\n");
}
