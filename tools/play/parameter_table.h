#pragma once
// The player's own copy of every parameter's value, as a host keeps one, beside
// each parameter's scale (parameter_scale.h), so the audio callback can slide a
// value without calling the edit controller.
//
// Threads: built on the main thread; Value and Set from any thread (the editor's
// edits on the UI thread, the timeline's and the plug-in's writes on the audio
// thread); the rest is read-only after construction.

#include <atomic>
#include <cstdint>
#include <memory>

#include "parameter_scale.h"

namespace spwhost {
class Plugin;
}

namespace spwplay {

class ParameterTable {
 public:
  // Every parameter of an initialised plug-in, with its current value.
  explicit ParameterTable(spwhost::Plugin& plugin);

  int Count() const { return scale_.Count(); }
  uint32_t Id(int index) const { return scale_.Id(index); }
  // The index of id, or -1.
  int IndexOf(uint32_t id) const noexcept { return scale_.IndexOf(id); }
  const spwrender::ParameterScale& Scale() const { return scale_; }

  double Value(int index) const noexcept { return values_[size_t(index)].load(std::memory_order_relaxed); }
  void Set(int index, double normalized) noexcept { values_[size_t(index)].store(normalized, std::memory_order_relaxed); }
  // Reads every value again from the plug-in (main thread, with no audio running).
  void ReadFrom(spwhost::Plugin& plugin);

 private:
  spwrender::ParameterScale scale_;
  std::unique_ptr<std::atomic<double>[]> values_;
};

}  // namespace spwplay
