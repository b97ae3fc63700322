#include "tools/common/CommandLine.h"

#include <cstring>

#ifndef ZARNEL_VERSION
#error "the build gives the tools ZARNEL_VERSION"
#endif

namespace zarnel::tools {

namespace {

const OptionSpec* findOption(const ToolInfo& tool, const std::string& name) {
  for (const OptionSpec& o : tool.options) {
    if (name == o.name) return &o;
  }
  return nullptr;
}

// Takes argv[i] (an option, maybe "--name=value") and its value.
// Return: empty on success, else the usage error's message.
std::string takeOption(const ToolInfo& tool, int argc, const char* const* argv, int& i, CommandLine& line) {
  std::string name = argv[i];
  std::string value;
  bool inlineValue = false;
  const size_t equals = name.find('=');
  if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
    value = name.substr(equals + 1);
    name.resize(equals);
    inlineValue = true;
  }
  const OptionSpec* spec = findOption(tool, name);
  if (spec == nullptr) return "unknown option " + name;
  if (!spec->takesValue && inlineValue) return "option " + name + " takes no value";
  if (spec->takesValue && !inlineValue) {
    if (i + 1 >= argc) return "option " + name + " needs a value";
    value = argv[++i];
  }
  line.options.push_back({name, value});
  return {};
}

}  // namespace

const std::string* CommandLine::value(const std::string& name) const {
  for (auto it = options.rbegin(); it != options.rend(); ++it) {
    if (it->name == name) return &it->value;
  }
  return nullptr;
}

const char* toolVersion() { return ZARNEL_VERSION; }

int usageError(const ToolInfo& tool, const std::string& message, std::FILE* err) {
  std::fprintf(err, "%s: %s\n%s", tool.name, message.c_str(), tool.usage);
  return 2;
}

int parseCommandLine(const ToolInfo& tool, int argc, const char* const* argv, CommandLine& line,
                     std::FILE* out, std::FILE* err) {
  line = CommandLine{};
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (optionsEnded || arg[0] != '-' || std::strcmp(arg, "-") == 0) {
      line.operands.push_back(arg);
    } else if (std::strcmp(arg, "--") == 0) {
      optionsEnded = true;
    } else if (std::strcmp(arg, "--help") == 0) {
      std::fputs(tool.usage, out);
      return 0;
    } else if (std::strcmp(arg, "--version") == 0) {
      std::fprintf(out, "%s %s\n", tool.name, toolVersion());
      return 0;
    } else if (std::string message = takeOption(tool, argc, argv, i, line); !message.empty()) {
      return usageError(tool, message, err);
    }
  }
  if (line.operands.size() < tool.minOperands) return usageError(tool, "too few operands", err);
  if (line.operands.size() > tool.maxOperands) return usageError(tool, "too many operands", err);
  return -1;
}

}  // namespace zarnel::tools
