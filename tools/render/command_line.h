#pragma once
// A command line read against a table of options, each "--name VALUE",
// "--name=VALUE" or "-x VALUE" (or a flag without value), handled in the order given.
// The tools' tables differ; the reading is this one.

#include <cstddef>
#include <string>

#include "session_options.h"

namespace spwrender {

template <typename Options>
struct OptionRow {
  const char* longName;  // without the leading "--"
  char shortName;        // 0: none
  bool takesValue;
  bool (*handler)(const std::string& value, Options* options, std::string* error);
};

// A shared option's handler (session_options.h) as a row of a tool's table.
template <typename Options, bool (*Handler)(const std::string&, SessionOptions*, std::string*)>
bool Shared(const std::string& value, Options* options, std::string* error) {
  return Handler(value, options, error);
}

// The row an argument names, or null; *inlineValue receives the text after '=' of the long form.
template <typename Options, size_t N>
const OptionRow<Options>* FindOption(const OptionRow<Options> (&rows)[N], const std::string& arg,
                                     std::string* inlineValue, bool* hasInline) {
  *hasInline = false;
  if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
    std::string name = arg.substr(2);
    const auto eq = name.find('=');
    if (eq != std::string::npos) {
      *inlineValue = name.substr(eq + 1);
      *hasInline = true;
      name.resize(eq);
    }
    for (const auto& row : rows) {
      if (name == row.longName) return &row;
    }
  } else if (arg.size() == 2 && arg[0] == '-') {
    for (const auto& row : rows) {
      if (row.shortName != 0 && arg[1] == row.shortName) return &row;
    }
  }
  return nullptr;
}

// Reads argv[1..argc-1] into *options through rows; stops early once stop(*options)
// holds (--help). False with a one-line reason.
template <typename Options, size_t N>
bool ParseOptionTable(int argc, const char* const* argv, const OptionRow<Options> (&rows)[N], Options* options,
                      bool (*stop)(const Options&), std::string* error) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    std::string value;
    bool hasInline = false;
    const OptionRow<Options>* row = FindOption(rows, arg, &value, &hasInline);
    if (row == nullptr) {
      *error = "unknown option '" + arg + "' (see --help)";
      return false;
    }
    if (row->takesValue && !hasInline) {
      if (i + 1 >= argc) {
        *error = "option --" + std::string(row->longName) + " needs a value";
        return false;
      }
      value = argv[++i];
    } else if (!row->takesValue && hasInline) {
      *error = "option --" + std::string(row->longName) + " takes no value";
      return false;
    }
    if (!row->handler(value, options, error)) return false;
    if (stop(*options)) return true;
  }
  return true;
}

}  // namespace spwrender
