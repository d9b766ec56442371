#include "snapshot_options.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "layout_table.h"
#include "output_format.h"

namespace spwsnapshot {

const char kSnapshotUsage[] =
    "usage: spw_snapshot -o FILE.png [--program N|NAME] [--set NAME=VALUE]... [--blocks N]\n"
    "                    [--click X,Y] [--rclick X,Y] [--drag X,Y,DX,DY] [--wheel X,Y,STEPS]\n"
    "                    [--hover X,Y] [--type TEXT] [--controls] [--params] [--list-programs]\n"
    "                    [--list-params] [--window] [--scale S]\n"
    "Builds the plug-in with its editor, runs the actions in the order given (each followed\n"
    "by one block of audio and one draw of the editor) and writes the editor as a PNG.\n"
    "--type enters TEXT into the value entry a right click on a knob opened.\n"
    "--controls lists the editor's controls, --params the parameters after the actions;\n"
    "--list-programs and --list-params the names --program and --set take.\n"
    "--window opens the editor in a real window as a host does, delivers the actions as\n"
    "window-system events and reads the picture back from the screen (needs a display).\n"
    "--scale S (1 to 2) draws the editor at S device pixels per editor pixel, as on a\n"
    "high-density screen; the actions' points stay in editor pixels.\n";

namespace {

constexpr int kMaxBlocks = 1000000;
// Beyond these the panel's, the popup's and the window drivers' arithmetic
// would overflow (a Windows wheel message holds 120 per notch in 16 bits,
// X11 pointer positions are 16-bit).
constexpr int kMaxWheelNotches = 100;
constexpr int kMaxDragPixels = 4000;

bool WithinEitherWay(int value, int limit) { return value >= -limit && value <= limit; }

// Whole numbers separated by commas, exactly count of them.
bool ParseInts(const std::string& text, int count, std::vector<int>* out) {
  out->clear();
  const char* p = text.c_str();
  for (int i = 0; i < count; ++i) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(p, &end, 10);
    if (end == p || errno != 0 || value < INT_MIN || value > INT_MAX) return false;
    out->push_back(static_cast<int>(value));
    p = end;
    if (i + 1 < count && *p++ != ',') return false;
  }
  return *p == '\0';
}

using Kind = SnapshotAction::Kind;

struct Form {
  const char* option;
  Kind kind;
  int numbers;  // 0: the argument is a text
  const char* shape;
};

const Form kForms[] = {
    {"--program", Kind::Program, 0, "N|NAME"}, {"--set", Kind::Set, 0, "NAME=VALUE"},
    {"--blocks", Kind::Blocks, 1, "N"},        {"--click", Kind::Click, 2, "X,Y"},
    {"--rclick", Kind::RightClick, 2, "X,Y"},  {"--drag", Kind::Drag, 4, "X,Y,DX,DY"},
    {"--wheel", Kind::Wheel, 3, "X,Y,STEPS"},  {"--hover", Kind::Hover, 2, "X,Y"},
    {"--type", Kind::Type, 0, "TEXT"},
};

const Form* FindForm(const std::string& option) {
  for (const Form& form : kForms) {
    if (option == form.option) return &form;
  }
  return nullptr;
}

// The action of an option taking an argument; false with a reason.
bool ParseAction(const Form& form, const std::string& argument, SnapshotAction* action, std::string* error) {
  const std::string option = form.option;
  action->kind = form.kind;
  const std::string usage = option + " takes " + form.shape + ", not '" + argument + "'";
  if (form.numbers == 0) {
    action->text = argument;
    const bool ok = !argument.empty() && (form.kind != Kind::Set || argument.find('=') != std::string::npos);
    if (!ok) *error = usage;
    return ok;
  }
  std::vector<int> n;
  if (!ParseInts(argument, form.numbers, &n)) {
    *error = usage;
    return false;
  }
  if (form.kind == Kind::Blocks) {
    action->count = n[0];
    if (n[0] >= 1 && n[0] <= kMaxBlocks) return true;
    *error = "--blocks takes 1 to " + std::to_string(kMaxBlocks) + " blocks, not " + argument;
    return false;
  }
  action->x = n[0], action->y = n[1];
  if (form.kind == Kind::Wheel) {
    action->count = n[2];
    if (!WithinEitherWay(n[2], kMaxWheelNotches)) {
      *error = "--wheel " + argument + ": STEPS is at most " + std::to_string(kMaxWheelNotches) + " notches either way";
      return false;
    }
  }
  if (form.kind == Kind::Drag) {
    action->dx = n[2], action->dy = n[3];
    if (!WithinEitherWay(n[2], kMaxDragPixels) || !WithinEitherWay(n[3], kMaxDragPixels)) {
      *error = "--drag " + argument + ": DX and DY are at most " + std::to_string(kMaxDragPixels) + " pixels either way";
      return false;
    }
  }
  if (spw_editor::InsideEditor(action->x, action->y)) return true;
  *error = option + " " + argument + ": the point is outside the editor (" + std::to_string(spw_editor::kEditorWidth) +
           " x " + std::to_string(spw_editor::kEditorHeight) + ")";
  return false;
}

bool ParseScale(const std::string& argument, double* scale, std::string* error) {
  char* end = nullptr;
  const double value = std::strtod(argument.c_str(), &end);
  if (!argument.empty() && *end == '\0' && value >= 1.0 && value <= 2.0) {
    *scale = value;
    return true;
  }
  *error = "--scale takes a number from 1 to 2, not '" + argument + "'";
  return false;
}

// The flag of a listing option; null for other arguments.
bool* ListingFlag(const std::string& arg, SnapshotOptions* options) {
  if (arg == "--controls") return &options->listControls;
  if (arg == "--params") return &options->listParams;
  if (arg == "--list-programs") return &options->listProgrammeNames;
  if (arg == "--list-params") return &options->listParameterNames;
  return nullptr;
}

}  // namespace

bool ParseSnapshotOptions(const std::vector<std::string>& args, SnapshotOptions* options, std::string* error) {
  *options = SnapshotOptions();
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options->help = true;
      return true;
    }
    if (arg == "--window") {
      options->window = true;
      continue;
    }
    if (bool* flag = ListingFlag(arg, options)) {
      *flag = true;
      continue;
    }
    const Form* form = FindForm(arg);
    if (!form && arg != "-o" && arg != "--output" && arg != "--scale") {
      *error = arg.rfind("-", 0) == 0 ? "unknown option '" + arg + "' (see --help)" : "unexpected argument '" + arg + "'";
      return false;
    }
    if (i + 1 >= args.size()) {
      *error = arg + " needs an argument";
      return false;
    }
    const std::string& argument = args[++i];
    if (arg == "--scale") {
      if (!ParseScale(argument, &options->scale, error)) return false;
      continue;
    }
    if (arg == "-o" || arg == "--output") {
      if (argument.empty()) {
        *error = arg + " needs a file name";
        return false;
      }
      if (spwrender::LowerExtension(argument) != ".png") {
        *error = arg + " wants the name of a .png file, not '" + argument + "'";
        return false;
      }
      options->output = argument;
      continue;
    }
    SnapshotAction action;
    if (!ParseAction(*form, argument, &action, error)) return false;
    options->actions.push_back(action);
  }
  return true;
}

}  // namespace spwsnapshot
