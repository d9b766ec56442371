#pragma once
// Each parameter's scale between its normalised value and its own units, read
// from the plug-in once into a table and interpolated in it. The renderer and the
// player both move a slide through it, so a session slides alike in both to the
// last bit, and the player's audio callback needs no call into the edit
// controller for it.
//
// Threads: built on the main thread; read-only afterwards (any thread).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace spwhost {
class PluginControls;
}

namespace spwrender {

class ParameterScale {
 public:
  // Every parameter of an initialised plug-in, in the order the controller lists them.
  explicit ParameterScale(spwhost::PluginControls& plugin);

  int Count() const { return static_cast<int>(ids_.size()); }
  uint32_t Id(int index) const { return ids_[size_t(index)]; }
  // The index of id, or -1.
  int IndexOf(uint32_t id) const noexcept;

  // A normalised value in the parameter's units and back.
  double ToPlain(int index, double normalized) const noexcept;
  double ToNormalized(int index, double plain) const noexcept;
  // The normalised value part (0..1) of the way from fromPlain to toPlain, linear in the parameter's units.
  double Along(int index, double fromPlain, double toPlain, double part) const noexcept {
    return ToNormalized(index, fromPlain + (toPlain - fromPlain) * part);
  }

 private:
  static constexpr int kScalePoints = 1024;  // intervals of the table, over 0..1

  std::vector<uint32_t> ids_;
  std::vector<double> plain_;  // Count() rows of kScalePoints + 1 plain values
};

}  // namespace spwrender
