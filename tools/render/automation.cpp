#include "automation.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "parameter_catalog.h"
#include "program_catalog.h"

namespace spwrender {
namespace {

int64_t ToFrames(double seconds, int sampleRate) { return std::llround(seconds * sampleRate); }

bool ResolveParameter(const ParameterCatalog& parameters, const TimelineEvent& event, int sampleRate,
                      AutomationEvent* out, std::string* error) {
  if (!parameters.Resolve(event.name, event.value, &out->change, error)) return false;
  if (event.action != TimelineAction::kSlide) return true;
  if (parameters.IsList(out->change.id)) {
    *error = event.name + " is a list parameter: it can be set, not slid";
    return false;
  }
  // A slide shorter than one sample is still a slide: it ends on the next sample.
  out->slideFrames = std::max<int64_t>(1, ToFrames(event.slideSeconds, sampleRate));
  return true;
}

std::string Label(const TimelineEvent& event, const AutomationEvent& resolved) {
  switch (event.action) {
    case TimelineAction::kProgram:
      return "program \"" + resolved.programName + "\"";
    case TimelineAction::kSet:
      return "set " + event.name + "=" + event.value;
    default:
      return "slide " + event.name + "=" + event.value + " over " + event.slideText;
  }
}

}  // namespace

bool ResolveTimeline(spwhost::PluginControls& plugin, const Timeline& timeline, int sampleRate,
                     std::vector<AutomationEvent>* events, std::vector<TimelineProblem>* problems) {
  ProgramCatalog programs;
  std::string programError;
  const bool havePrograms = programs.Read(plugin, &programError);
  const ParameterCatalog parameters(plugin);
  const size_t problemsBefore = problems->size();
  for (const TimelineEvent& event : timeline.events) {
    AutomationEvent out;
    out.frame = ToFrames(event.seconds, sampleRate);
    std::string error;
    bool resolved = false;
    if (event.action == TimelineAction::kProgram) {
      int number = 0;
      resolved = havePrograms && programs.Resolve(event.name, &number, &error);
      if (!havePrograms) error = programError;
      if (resolved) {
        out.change = programs.Selection(number);
        out.selectsProgram = true;
        out.programName = programs.Name(number);
      }
    } else {
      resolved = ResolveParameter(parameters, event, sampleRate, &out, &error);
    }
    if (resolved) {
      out.label = Label(event, out);
      events->push_back(out);
    } else {
      problems->push_back({event.line, error});
    }
  }
  return problems->size() == problemsBefore;
}

bool ReadSession(spwhost::PluginControls& plugin, const std::string& text, int sampleRate, bool lengthGiven,
                 Timeline* timeline, std::vector<AutomationEvent>* events, std::vector<TimelineProblem>* problems) {
  const size_t problemsBefore = problems->size();
  ParseTimeline(text, timeline, problems);
  ResolveTimeline(plugin, *timeline, sampleRate, events, problems);
  if (!lengthGiven && !timeline->hasEnd) {
    problems->push_back({0, "the timeline has no end: add a line \"TIME end\", or give --duration"});
  } else if (!lengthGiven && timeline->endSeconds <= 0.0) {
    problems->push_back({0, "the timeline ends at 0: nothing to play"});
  }
  // Problems of the whole file (line 0) come after those of its lines.
  const auto order = [](const TimelineProblem& p) { return p.line > 0 ? p.line : std::numeric_limits<int>::max(); };
  std::stable_sort(problems->begin() + std::ptrdiff_t(problemsBefore), problems->end(),
                   [&order](const TimelineProblem& a, const TimelineProblem& b) { return order(a) < order(b); });
  return problems->size() == problemsBefore;
}

}  // namespace spwrender
