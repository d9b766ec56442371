#pragma once
// The host's component handler as a strict host sees edits: every beginEdit
// opens its parameter's gesture, performEdit belongs inside one, endEdit closes
// exactly the gesture that is open. What breaks that is counted, with the first
// fault described, and what is still open can be asked at any time.
//
// Threads: the plug-in tells its host of edits on the editor thread; the
// ledger is guarded so that a plug-in that calls from elsewhere shows up as a
// fault rather than as a race inside the test.

#include <cstdio>
#include <map>
#include <mutex>
#include <string>

#include "host_objects.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

class EditLedger : public spwhost::ComponentHandler {
 public:
  Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID id) override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (open_[id]) Fault("beginEdit while its edit is open", id);
    open_[id] = true;
    return Steinberg::kResultOk;
  }
  Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value) override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!open_[id]) Fault("performEdit outside beginEdit and endEdit", id);
    if (!(value >= 0.0 && value <= 1.0)) Fault("performEdit with a value outside 0..1", id);
    return Steinberg::kResultOk;
  }
  Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID id) override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!open_[id]) Fault("endEdit without beginEdit", id);
    open_[id] = false;
    return Steinberg::kResultOk;
  }

  int Faults() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return faults_;
  }
  std::string FirstFault() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return firstFault_;
  }
  // The parameter of an edit still open, or -1 when none is.
  long OpenEdit() const {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& entry : open_) {
      if (entry.second) return static_cast<long>(entry.first);
    }
    return -1;
  }

 private:
  void Fault(const char* what, Steinberg::Vst::ParamID id) {
    if (faults_++ == 0) firstFault_ = std::string(what) + " (parameter " + std::to_string(id) + ")";
  }

  mutable std::mutex mutex_;
  std::map<Steinberg::Vst::ParamID, bool> open_;
  int faults_ = 0;
  std::string firstFault_;
};

#pragma GCC diagnostic pop
