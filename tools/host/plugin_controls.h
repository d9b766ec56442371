#pragma once
// What the tools' session code (catalogs, slides, automation) asks of a plug-in,
// without the VST 3 SDK: its parameters as an edit controller publishes them, its
// programme list, and parameter changes delivered with process calls. The VST 3
// host's Plugin is one; the web page's binding of the plug-in is another, so the
// page reads and plays sessions with the renderer's own code.

#include <cstdint>
#include <string>
#include <vector>

namespace spwhost {

// The parameter flags the tools read, with the values VST 3 gives them
// (ParameterInfo::ParameterFlags).
namespace parameter_flags {
constexpr int32_t kIsReadOnly = 1 << 1;
constexpr int32_t kIsHidden = 1 << 4;
constexpr int32_t kIsProgramChange = 1 << 15;
}  // namespace parameter_flags

// One parameter as the edit controller publishes it (ParameterInfo).
struct ParameterInfo {
  uint32_t id = 0;
  std::string title;       // UTF-16 narrowed to 8 bits per unit
  std::string shortTitle;
  std::string units;
  int32_t stepCount = 0;   // 0: continuous
  double defaultNormalized = 0.0;
  int32_t unitId = 0;
  int32_t flags = 0;       // parameter_flags
};

class PluginControls {
 public:
  virtual ~PluginControls() = default;

  virtual int ParameterCount() = 0;
  virtual bool GetParameterInfo(int index, ParameterInfo* info) = 0;
  virtual std::string ValueToString(uint32_t id, double normalized) = 0;  // "" when refused
  virtual double NormalizedToPlain(uint32_t id, double normalized) = 0;
  virtual double PlainToNormalized(uint32_t id, double plain) = 0;
  virtual double GetParamNormalized(uint32_t id) = 0;
  // Program list of the root unit: its ID, name and program names. False without one.
  virtual bool ProgramList(int32_t* listId, std::string* name, std::vector<std::string>* programs) = 0;

  // A change sent with the next process call, then cleared.
  virtual void QueueParameterChange(uint32_t id, double normalized, int32_t sampleOffset = 0) = 0;
  // Renders nFrames into outputs[0] and outputs[1]; with nFrames 0 (outputs may
  // be null) only delivers the queued changes. False when the plug-in refuses.
  virtual bool ProcessFloat(float* const* outputs, int nFrames) = 0;
  // The plug-in's raw result of the last process call (0: fine).
  virtual int32_t LastProcessResult() const = 0;
};

}  // namespace spwhost
