#pragma once
// The parameter changes of one process call, as IParameterChanges, in storage
// reserved up front: one queue per parameter, opened in the order of their first
// point, so the audio callback hands the plug-in its changes without allocating.
//
// Threads: the audio thread (after construction).

#include <cstdint>
#include <vector>

#include "pluginterfaces/vst/ivstparameterchanges.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace spwplay {

class BlockQueue : public Steinberg::Vst::IParamValueQueue {
 public:
  static constexpr int kMaxPoints = 64;
  virtual ~BlockQueue() = default;
  Steinberg::Vst::ParamID PLUGIN_API getParameterId() override { return id_; }
  Steinberg::int32 PLUGIN_API getPointCount() override { return count_; }
  Steinberg::tresult PLUGIN_API getPoint(Steinberg::int32 index, Steinberg::int32& sampleOffset,
                                         Steinberg::Vst::ParamValue& value) override;
  Steinberg::tresult PLUGIN_API addPoint(Steinberg::int32 sampleOffset, Steinberg::Vst::ParamValue value,
                                         Steinberg::int32& index) override;
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::uint32 PLUGIN_API addRef() override { return 1; }   // owned by BlockChanges
  Steinberg::uint32 PLUGIN_API release() override { return 1; }

  void Open(Steinberg::Vst::ParamID id) noexcept {
    id_ = id;
    count_ = 0;
  }

 private:
  Steinberg::Vst::ParamID id_ = 0;
  Steinberg::int32 count_ = 0;
  Steinberg::int32 offsets_[kMaxPoints] = {};
  double values_[kMaxPoints] = {};
};

class BlockChanges : public Steinberg::Vst::IParameterChanges {
 public:
  // Room for maxParameters distinct parameters per call.
  explicit BlockChanges(int maxParameters) : queues_(size_t(maxParameters)) {}
  virtual ~BlockChanges() = default;
  Steinberg::int32 PLUGIN_API getParameterCount() override { return used_; }
  Steinberg::Vst::IParamValueQueue* PLUGIN_API getParameterData(Steinberg::int32 index) override;
  Steinberg::Vst::IParamValueQueue* PLUGIN_API addParameterData(const Steinberg::Vst::ParamID& id,
                                                                Steinberg::int32& index) override;
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::uint32 PLUGIN_API addRef() override { return 1; }   // owned by the player
  Steinberg::uint32 PLUGIN_API release() override { return 1; }

  // A value of id at sampleOffset; dropped when the call has no room left.
  void Add(uint32_t id, double normalized, int32_t sampleOffset = 0) noexcept;
  bool Empty() const noexcept { return used_ == 0; }
  void Clear() noexcept { used_ = 0; }

 private:
  std::vector<BlockQueue> queues_;
  Steinberg::int32 used_ = 0;
};

}  // namespace spwplay

#pragma GCC diagnostic pop
