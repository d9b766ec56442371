#pragma once
// The host's component handler, recording every edit the plug-in tells it of
// in order: begin, perform (with the value) and end.

#include <string>
#include <vector>

#include "host_objects.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

struct HostEdit {
  enum class Kind { kBegin, kPerform, kEnd };
  Kind kind;
  Steinberg::Vst::ParamID id;
  double value;  // perform only
};

class RecordingHandler : public spwhost::ComponentHandler {
 public:
  Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID id) override {
    edits.push_back({HostEdit::Kind::kBegin, id, 0.0});
    return Steinberg::kResultOk;
  }
  Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value) override {
    edits.push_back({HostEdit::Kind::kPerform, id, value});
    return Steinberg::kResultOk;
  }
  Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID id) override {
    edits.push_back({HostEdit::Kind::kEnd, id, 0.0});
    return Steinberg::kResultOk;
  }
  // The edits of one parameter as "begin", "perform", "end" words, in order.
  std::vector<std::string> Words(Steinberg::Vst::ParamID id) const {
    std::vector<std::string> words;
    for (const HostEdit& e : edits) {
      if (e.id != id) continue;
      words.push_back(e.kind == HostEdit::Kind::kBegin ? "begin" : e.kind == HostEdit::Kind::kPerform ? "perform" : "end");
    }
    return words;
  }
  // The last of those words, "" when there is none.
  std::string LastWord(Steinberg::Vst::ParamID id) const {
    const std::vector<std::string> words = Words(id);
    return words.empty() ? std::string() : words.back();
  }
  // The parameters that were edited, in the order of their first edit.
  std::vector<Steinberg::Vst::ParamID> Edited() const {
    std::vector<Steinberg::Vst::ParamID> ids;
    for (const HostEdit& e : edits) {
      bool seen = false;
      for (auto id : ids) seen = seen || id == e.id;
      if (!seen) ids.push_back(e.id);
    }
    return ids;
  }
  // The last value performed on id, or -1.
  double LastValue(Steinberg::Vst::ParamID id) const {
    double value = -1.0;
    for (const HostEdit& e : edits) {
      if (e.id == id && e.kind == HostEdit::Kind::kPerform) value = e.value;
    }
    return value;
  }

  std::vector<HostEdit> edits;
};

#pragma GCC diagnostic pop
