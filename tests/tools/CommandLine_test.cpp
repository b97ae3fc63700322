#include "tools/common/CommandLine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace zarnel {
namespace {

const tools::ToolInfo kTool{"zarnel-test", "usage: zarnel-test [--out F] [--quiet] A [B]\n",
                            {{"--out", true}, {"--quiet", false}}, 1, 2};

// Parses args, capturing what goes to standard output and error.
struct Parsed {
  int status = 0;
  tools::CommandLine line;
  std::string out, err;
};

std::string drain(std::FILE* f) {
  std::rewind(f);
  std::string text;
  for (int c; (c = std::fgetc(f)) != EOF;) text += char(c);
  std::fclose(f);
  return text;
}

Parsed parse(std::vector<const char*> args) {
  args.insert(args.begin(), "zarnel-test");
  Parsed p;
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  p.status = tools::parseCommandLine(kTool, int(args.size()), args.data(), p.line, out, err);
  p.out = drain(out);
  p.err = drain(err);
  return p;
}

TEST(CommandLine, OptionsAnywhereUntilDoubleDashAndALoneDashIsAnOperand) {
  Parsed p = parse({"a", "--out", "mix.wav", "-", "--quiet"});
  EXPECT_EQ(p.status, -1);
  EXPECT_EQ(p.line.operands, (std::vector<std::string>{"a", "-"}));
  ASSERT_NE(p.line.value("--out"), nullptr);
  EXPECT_EQ(*p.line.value("--out"), "mix.wav");
  EXPECT_TRUE(p.line.has("--quiet"));

  p = parse({"--out=x.wav", "--", "-a.wav", "--quiet"});
  EXPECT_EQ(p.status, -1);
  EXPECT_EQ(p.line.operands, (std::vector<std::string>{"-a.wav", "--quiet"}));
  EXPECT_EQ(*p.line.value("--out"), "x.wav");
  EXPECT_FALSE(p.line.has("--quiet"));
  EXPECT_TRUE(p.out.empty() && p.err.empty());

  p = parse({"--out", "1", "--out", "2", "a"});  // the last one counts
  EXPECT_EQ(*p.line.value("--out"), "2");
}

TEST(CommandLine, HelpAndVersionGoToStandardOutputAndExitZero) {
  Parsed p = parse({"--help", "--bogus"});
  EXPECT_EQ(p.status, 0);
  EXPECT_EQ(p.out, kTool.usage);
  EXPECT_TRUE(p.err.empty());
  p = parse({"--version"});
  EXPECT_EQ(p.status, 0);
  EXPECT_EQ(p.out, std::string("zarnel-test ") + tools::toolVersion() + "\n");
  EXPECT_FALSE(std::string(tools::toolVersion()).empty());
  // After "--" they are operands.
  p = parse({"--", "--help"});
  EXPECT_EQ(p.status, -1);
  EXPECT_EQ(p.line.operands, (std::vector<std::string>{"--help"}));
}

TEST(CommandLine, UsageErrorsExitTwoWithReasonAndUsageOnStandardError) {
  const std::vector<std::pair<std::vector<const char*>, std::string>> cases = {
      {{"-x", "a"}, "unknown option -x"},
      {{"a", "--out"}, "option --out needs a value"},
      {{"--quiet=1", "a"}, "option --quiet takes no value"},
      {{}, "too few operands"},
      {{"a", "b", "c"}, "too many operands"},
  };
  for (const auto& [args, reason] : cases) {
    Parsed p = parse(args);
    EXPECT_EQ(p.status, 2) << reason;
    EXPECT_TRUE(p.out.empty()) << reason;
    EXPECT_EQ(p.err, "zarnel-test: " + reason + "\n" + kTool.usage);
  }
}

}  // namespace
}  // namespace zarnel
