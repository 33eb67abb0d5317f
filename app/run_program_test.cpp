#include "app/run_program.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

ProgramRun RunShell(const std::string& script, int timeout = 10,
               size_t maxOutput = 1 << 20) {
  ProgramRun run;
  std::string err;
  EXPECT_TRUE(RunProgram("/bin/sh", {"-c", script}, "/tmp", timeout,
                         maxOutput, &run, &err))
      << err;
  return run;
}

TEST(RunProgramTest, CollectsBothStreamsStatusAndFolder) {
  ProgramRun run =
      RunShell("pwd; echo to-err >&2; read x; echo \"in=$x\"; exit 3");
  EXPECT_EQ(3, run.status);
  EXPECT_FALSE(run.timedOut);
  EXPECT_EQ("/tmp\nto-err\nin=\n", run.output);
  EXPECT_EQ(128 + 9, RunShell("kill -9 $$").status);
}

TEST(RunProgramTest, AProgramThatCannotStartIsAnError) {
  ProgramRun run;
  std::string err;
  EXPECT_FALSE(RunProgram("/nonexistent/prog", {}, "/tmp", 10, 100, &run,
                          &err));
  EXPECT_NE(std::string::npos, err.find("/nonexistent/prog: ")) << err;
  EXPECT_FALSE(RunProgram("/bin/sh", {"-c", "true"}, "/nonexistent/dir", 10,
                          100, &run, &err));
}

TEST(RunProgramTest, BoundedInTimeAndOutput) {
  auto start = std::chrono::steady_clock::now();
  ProgramRun slow = RunShell("echo started; exec sleep 20", 1);
  EXPECT_TRUE(slow.timedOut);
  EXPECT_EQ("started\n", slow.output);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  ProgramRun chatty = RunShell("head -c 300000 /dev/zero", 10, 1000);
  EXPECT_EQ(0, chatty.status);
  EXPECT_EQ(1000u, chatty.output.size());
}

TEST(RunProgramTest, FindsProgramsOnThePath) {
  EXPECT_EQ("/bin/sh", FindOnPath("sh", "/nonexistent:/bin"));
  EXPECT_EQ("", FindOnPath("sh", "/nonexistent"));
  EXPECT_EQ("", FindOnPath("", "/bin"));
  // A folder is not a program, nor is a file without the right to run it.
  EXPECT_EQ("", FindOnPath("tmp", "/"));
  EXPECT_EQ("", FindOnPath("passwd", "/etc"));
  EXPECT_EQ("/bin/sh", FindOnPath("/bin/sh", ""));
}

}  // namespace
