#pragma once
// Runs the whole spw_render command in the test's process and keeps what it printed.

#include <string>
#include <utility>
#include <vector>

#include "captured_file.h"
#include "command_line.h"
#include "render_command.h"

struct CommandResult {
  int status = -1;
  std::string out, err;
};

// args without the program name.
inline CommandResult RunCommand(std::vector<std::string> args) {
  CapturedFile out, err;
  CommandResult result;
  result.status = RunWithArguments("spw_render", std::move(args), [&](int argc, const char* const* argv) {
    return spwrender::RunRenderCommand(argc, argv, out.get(), err.get());
  });
  result.out = out.Text();
  result.err = err.Text();
  return result;
}
