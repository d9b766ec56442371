#pragma once
// Command lines as the tests give them: without the program name, handed over as
// main() gets them, and named in a test's messages.

#include <string>
#include <utility>
#include <vector>

// args joined by spaces, to name a case in a test's message.
inline std::string Joined(const std::vector<std::string>& args) {
  std::string line;
  for (const std::string& arg : args) line += arg + " ";
  return line;
}

// What run(argc, argv) gives for program followed by args.
template <typename Run>
auto RunWithArguments(const std::string& program, std::vector<std::string> args, Run run) {
  args.insert(args.begin(), program);
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  return run(static_cast<int>(argv.size()), argv.data());
}

// What an options parser made of a command line.
template <typename Options>
struct Parsed {
  bool ok = false;
  Options options;
  std::string error;
};

// parse applied to program followed by args.
template <typename Options>
Parsed<Options> ParseCommandLine(bool (*parse)(int, const char* const*, Options*, std::string*),
                                 const std::string& program, std::vector<std::string> args) {
  Parsed<Options> parsed;
  parsed.ok = RunWithArguments(program, std::move(args), [&](int argc, const char* const* argv) {
    return parse(argc, argv, &parsed.options, &parsed.error);
  });
  return parsed;
}
