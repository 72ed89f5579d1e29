// kv3-bench's command line: what the parser takes and refuses, and the usage it prints, both
// read from the one table of commands.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "bench/commands.h"

namespace {

using Args = std::vector<std::string>;

std::string ParseError(const Args& args) {
  bench::Options options;
  std::string error;
  return bench::ParseOptions("out/kv3-bench", args, &options, &error) ? "" : error;
}

bench::Options Parsed(const Args& args) {
  bench::Options options;
  std::string error;
  EXPECT_TRUE(bench::ParseOptions("out/kv3-bench", args, &options, &error)) << error;
  return options;
}

TEST(CommandLine, EachCommandRefusesWhatItCannotRun) {
  struct Case {
    Args args;
    const char* error;
  };
  const Case cases[] = {
      {{"run"}, "run needs a scenario file"},
      {{"make-sounds"}, "make-sounds needs a folder"},
      {{"check-panel", "--sim-root", "Sim"}, "check-panel needs an aircraft folder"},
      {{"soak", "--frames", "3", "--minutes", "2"}, "soak takes --frames or --minutes, not both"},
      {{"symbolize", "a.dll"}, "symbolize needs a DLL, an offset and perhaps its debug file"},
      {{"symbolize", "a", "b", "c", "d"},
       "symbolize needs a DLL, an offset and perhaps its debug file"},
      {{"fly", "now"}, "unknown command 'fly'"},
      {{"run", "a.bench", "b.bench"}, "unexpected argument 'b.bench'"},
      {{"--bogus"}, "unexpected argument '--bogus'"},
      {{"run", "a.bench", "--fltsim"}, "--fltsim needs a value"},
      {{"--frames", "12a"}, "--frames needs a whole number"},
      {{"soak", "--seed", "-1"}, "--seed needs a whole number"},
      {{"soak", "--minutes", ""}, "--minutes needs a whole number"},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseError(c.args), c.error) << c.args[0];
}

TEST(CommandLine, OptionsGoWhereTheCommandReadsThem) {
  bench::Options run = Parsed({"run", "a.bench", "--sim-root", "Sim", "--fltsim", "fltsim.1",
                               "--wine", "--trace", "t.txt"});
  EXPECT_EQ(run.command, "run");
  EXPECT_EQ(run.file, "a.bench");
  EXPECT_EQ(run.sim_root, "Sim");
  EXPECT_EQ(run.fltsim, "fltsim.1");
  EXPECT_EQ(run.trace, "t.txt");
  EXPECT_TRUE(run.wine);
  EXPECT_EQ(run.module, "out/KV3_Pelk.so");  // beside the bench

  bench::Options session = Parsed({"--frames", "7"});
  EXPECT_EQ(session.command, "session");
  EXPECT_EQ(session.frames, 7);
  EXPECT_EQ(Parsed({"symbolize", "a.dll", "0x1a2b"}).operands, (Args{"a.dll", "0x1a2b"}));

  // A folder alone is one dropped on the program: check-panel, and the window waits.
  bench::Options dropped = Parsed({KV3_SOURCE_DIR "/examples/DemoTrainer"});
  EXPECT_EQ(dropped.command, "check-panel");
  EXPECT_TRUE(dropped.dropped);
  EXPECT_FALSE(Parsed({"check-panel", KV3_SOURCE_DIR "/examples/DemoTrainer"}).dropped);
}

TEST(CommandLine, TheUsageShowsEveryCommandWithItsOptionsWrappedUnderIt) {
  std::string usage = bench::UsageText();
  for (const char* command :
       {"run FILE", "soak [--wine]", "check-sounds [DIR]", "make-sounds DIR",
        "check-panel AIRCRAFT_DIR", "measure", "symbolize DLL OFFSET", "--version"})
    EXPECT_NE(usage.find(std::string("usage: kv3-bench ") + command), std::string::npos) << command;
  EXPECT_NE(usage.find("usage: kv3-bench [--module PATH] [--frames N]\n"), std::string::npos);
  EXPECT_NE(usage.find("[--frames N | --minutes M]"), std::string::npos);
  EXPECT_NE(usage.find("\n                 [--trace OUT.txt] [--plot OUT.svg] [--sim-root DIR] "
                       "[--fltsim SECTION]\n"),
            std::string::npos)
      << usage;
  std::istringstream lines(usage);
  for (std::string line; std::getline(lines, line);) {
    bool synopsis = line.rfind("usage: ", 0) == 0 || line.rfind("        ", 0) == 0;
    if (synopsis) {
      EXPECT_LE(line.size(), 90u) << line;
    }
  }
}

}  // namespace
