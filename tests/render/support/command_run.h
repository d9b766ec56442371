#pragma once
// Runs the whole spw_render command in the test's process and keeps what it printed.

#include <string>
#include <vector>

#include "captured_file.h"
#include "render_command.h"

struct CommandResult {
  int status = -1;
  std::string out, err;
};

// args joined by spaces, to name a case in a test's message.
inline std::string Joined(const std::vector<std::string>& args) {
  std::string line;
  for (const std::string& arg : args) line += arg + " ";
  return line;
}

// args without the program name.
inline CommandResult RunCommand(std::vector<std::string> args) {
  args.insert(args.begin(), "spw_render");
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  CapturedFile out, err;
  CommandResult result;
  result.status = spwrender::RunRenderCommand(static_cast<int>(argv.size()), argv.data(), out.get(), err.get());
  result.out = out.Text();
  result.err = err.Text();
  return result;
}
