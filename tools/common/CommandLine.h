#pragma once
// The command-line conventions every tool follows: options may stand
// anywhere until "--", which ends them (so an operand may begin with '-'); a lone
// "-" is an operand, "--help" prints the usage to standard output and
// "--version" the tool's name and version, both exiting 0; a usage error
// prints its reason and the usage to standard error and exits 2.

#include <cstdio>
#include <string>
#include <vector>

namespace zarnel::tools {

// One option a tool accepts, such as {"--out", true}.
struct OptionSpec {
  const char* name;
  bool takesValue;
};

// What a tool says of its command line.
struct ToolInfo {
  const char* name;   // "zarnel-decode"
  const char* usage;  // the usage lines, ending in a newline
  std::vector<OptionSpec> options;
  size_t minOperands = 0;
  size_t maxOperands = 0;
};

// One option as given: its name and its value ("" for a flag).
struct GivenOption {
  std::string name;
  std::string value;
};

struct CommandLine {
  std::vector<GivenOption> options;  // in the order given
  std::vector<std::string> operands;

  // Return: the last value given for name, or null when the option is absent.
  const std::string* value(const std::string& name) const;
  bool has(const std::string& name) const { return value(name) != nullptr; }
};

// The version the build gives the tools, "0.1".
const char* toolVersion();

// Parses argv into line. Return: -1 when the tool should run; otherwise the
// exit status (0 after --help or --version, 2 after a usage error), with the
// text already printed to out or err.
int parseCommandLine(const ToolInfo& tool, int argc, const char* const* argv, CommandLine& line,
                     std::FILE* out = stdout, std::FILE* err = stderr);

// Prints "<tool>: <message>" and the usage to err. Return: 2.
int usageError(const ToolInfo& tool, const std::string& message, std::FILE* err = stderr);

}  // namespace zarnel::tools
