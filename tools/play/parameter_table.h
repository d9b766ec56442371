#pragma once
// The player's own copy of every parameter's value, as a host keeps one, and each
// parameter's scale between normalised values and its own units, read from the
// plug-in once so the audio callback can turn a slide's value into a normalised
// one without calling the edit controller.
//
// Threads: built on the main thread; Value and Set from any thread (the editor's
// edits on the UI thread, the timeline's on the audio thread); the rest is
// read-only after construction.

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace spwhost {
class Plugin;
}

namespace spwplay {

class ParameterTable {
 public:
  // Every parameter of an initialised plug-in, with its current value.
  explicit ParameterTable(spwhost::Plugin& plugin);

  int Count() const { return static_cast<int>(ids_.size()); }
  uint32_t Id(int index) const { return ids_[size_t(index)]; }
  // The index of id, or -1.
  int IndexOf(uint32_t id) const noexcept;

  double Value(int index) const noexcept { return values_[size_t(index)].load(std::memory_order_relaxed); }
  void Set(int index, double normalized) noexcept { values_[size_t(index)].store(normalized, std::memory_order_relaxed); }
  // Reads every value again from the plug-in (main thread, with no audio running).
  void ReadFrom(spwhost::Plugin& plugin);

  // A normalised value in the parameter's units and back, interpolated in the table.
  double ToPlain(int index, double normalized) const noexcept;
  double ToNormalized(int index, double plain) const noexcept;

 private:
  static constexpr int kScalePoints = 1024;  // intervals of the table, over 0..1

  std::vector<uint32_t> ids_;
  std::unique_ptr<std::atomic<double>[]> values_;
  std::vector<double> plain_;  // Count() rows of kScalePoints + 1 plain values
};

}  // namespace spwplay
