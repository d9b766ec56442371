// The binding's behaviour towards a host, on a small probe plug-in (no bundle).

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "effect_vst3_view.h"
#include "host_objects.h"
#include "null_editor.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "probe_effect.h"
#include "recording_handler.h"
#include "public.sdk/source/common/memorystream.h"
#include "scripted_stream.h"
#include "state_chunk.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using spw_vst3::kBypassId;
using spw_vst3::kProgramChangeId;

namespace {

// One probe instance, initialised by a host called hostName, released at the end.
struct Probe {
  explicit Probe(const std::string& hostName = "spw host") : host(hostName) {
    plugin = new ProbeEffect();
    EXPECT_EQ(plugin->initialize(&host), kResultOk);
  }
  ~Probe() {
    plugin->terminate();
    plugin->release();
  }
  bool Setup(int maxBlock, int32 sampleSize = kSample32) {
    ProcessSetup setup = {kRealtime, sampleSize, maxBlock, 48000.0};
    return plugin->setupProcessing(setup) == kResultOk;
  }

  spwhost::HostApplication host;
  ProbeEffect* plugin;
};

// A host block: stereo output of n frames, optional changes and events.
template <typename Sample>
struct Block {
  explicit Block(int n) : left(static_cast<size_t>(n), Sample(7)), right(static_cast<size_t>(n), Sample(7)) {
    channels[0] = left.data();
    channels[1] = right.data();
    bus.numChannels = 2;
    if constexpr (sizeof(Sample) == sizeof(Sample32)) {
      bus.channelBuffers32 = reinterpret_cast<Sample32**>(channels);
      data.symbolicSampleSize = kSample32;
    } else {
      bus.channelBuffers64 = reinterpret_cast<Sample64**>(channels);
      data.symbolicSampleSize = kSample64;
    }
    data.numSamples = n;
    data.numOutputs = 1;
    data.outputs = &bus;
    data.inputParameterChanges = &changes;
    data.inputEvents = &events;
    data.processContext = &context;
    context.state = ProcessContext::kPlaying;
  }
  void Queue(ParamID id, int32 offset, double value) {
    int32 index = 0;
    changes.addParameterData(id, index)->addPoint(offset, value, index);
  }

  std::vector<Sample> left, right;
  Sample* channels[2];
  AudioBusBuffers bus = {};
  ProcessData data;
  ProcessContext context = {};
  spwhost::ParameterChanges changes;
  spwhost::EventList events;
};

std::vector<uint8_t> StateOf(ProbeEffect* plugin) {
  MemoryStream stream;
  EXPECT_EQ(static_cast<IComponent*>(plugin)->getState(&stream), kResultOk);
  const auto* bytes = reinterpret_cast<const uint8_t*>(stream.getData());
  return std::vector<uint8_t>(bytes, bytes + stream.getSize());
}

std::vector<uint8_t> Doubles(std::initializer_list<double> values) {
  StateChunk chunk;
  for (double v : values) chunk.PutDouble(v);
  return std::vector<uint8_t>(chunk.Data(), chunk.Data() + chunk.Size());
}

}  // namespace

// ---------------------------------------------------------------- bus arrangements

TEST(BindingBuses, AcceptsStereoOutputWithoutInputOrWithOneEmptyInput) {
  Probe probe;
  SpeakerArrangement stereo = SpeakerArr::kStereo, mono = SpeakerArr::kMono, empty = SpeakerArr::kEmpty;
  EXPECT_EQ(probe.plugin->setBusArrangements(nullptr, 0, &stereo, 1), kResultTrue);
  EXPECT_EQ(probe.plugin->setBusArrangements(&empty, 1, &stereo, 1), kResultTrue);
  EXPECT_EQ(probe.plugin->setBusArrangements(&empty, 1, &mono, 1), kResultFalse);
  EXPECT_EQ(probe.plugin->setBusArrangements(&stereo, 1, &stereo, 1), kResultFalse);
  SpeakerArrangement twoEmpty[2] = {SpeakerArr::kEmpty, SpeakerArr::kEmpty};
  EXPECT_EQ(probe.plugin->setBusArrangements(twoEmpty, 2, &stereo, 1), kResultFalse);
  EXPECT_EQ(probe.plugin->setBusArrangements(nullptr, 1, &stereo, 1), kInvalidArgument);
}

// ---------------------------------------------------------------- process

TEST(BindingProcess, BlockLongerThanAnnouncedIsRenderedInPiecesAtTheirProjectTime) {
  Probe probe;
  ASSERT_TRUE(probe.Setup(64));
  Block<float> block(200);
  const int64 start = (int64{1} << 33) + 5;  // beyond 32 bits
  block.context.projectTimeSamples = start;
  ASSERT_EQ(probe.plugin->process(block.data), kResultOk);

  const std::vector<ProbeEffect::Piece>& pieces = probe.plugin->pieces;
  ASSERT_EQ(pieces.size(), 4u);
  const int expectedFrames[4] = {64, 64, 64, 8};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(pieces[i].nFrames, expectedFrames[i]);
    EXPECT_EQ(pieces[i].position, start + 64 * static_cast<int64>(i));
  }
  for (int i = 0; i < 200; ++i) {
    ASSERT_EQ(block.left[static_cast<size_t>(i)], static_cast<float>(i)) << "frame " << i;
    ASSERT_EQ(block.right[static_cast<size_t>(i)], -static_cast<float>(i)) << "frame " << i;
  }
}

TEST(BindingProcess, SixtyFourBitBlockIsRenderedInPlaceAndInPieces) {
  Probe probe;
  ASSERT_TRUE(probe.Setup(128, kSample64));
  Block<double> block(300);
  ASSERT_EQ(probe.plugin->process(block.data), kResultOk);
  ASSERT_EQ(probe.plugin->pieces.size(), 3u);
  for (int i = 0; i < 300; ++i) ASSERT_EQ(block.left[static_cast<size_t>(i)], i);
}

TEST(BindingProcess, BeforeSetupProcessingOutputsSilenceAndRendersNothing) {
  Probe probe;
  Block<float> block(32);
  EXPECT_EQ(probe.plugin->process(block.data), kNotInitialized);
  EXPECT_TRUE(probe.plugin->pieces.empty());
  for (float s : block.left) EXPECT_EQ(s, 0.0f);
}

TEST(BindingProcess, CallWithoutBuffersAppliesParameterChangesOnly) {
  Probe probe;
  ASSERT_TRUE(probe.Setup(64));
  Block<float> block(0);
  block.data.numOutputs = 0;
  block.data.outputs = nullptr;
  block.Queue(2, 0, 0.3);
  probe.plugin->changed.clear();
  EXPECT_EQ(probe.plugin->process(block.data), kResultOk);
  EXPECT_EQ(probe.plugin->changed, std::vector<int>{2});
  EXPECT_EQ(probe.plugin->ParamAt(2)->Value(), 30.0);
  EXPECT_TRUE(probe.plugin->pieces.empty());
}

TEST(BindingProcess, QueueAppliesOnlyItsLastPointBeforeTheAudio) {
  Probe probe;
  ASSERT_TRUE(probe.Setup(256));
  Block<float> block(256);
  block.Queue(2, 0, 0.1);
  block.Queue(2, 100, 0.5);
  block.Queue(2, 200, 0.9);
  probe.plugin->events.clear();
  probe.plugin->changed.clear();
  ASSERT_EQ(probe.plugin->process(block.data), kResultOk);
  EXPECT_EQ(probe.plugin->changed, std::vector<int>{2});
  EXPECT_EQ(probe.plugin->ParamAt(2)->Value(), 90.0);
  EXPECT_EQ(probe.plugin->events, (std::vector<std::string>{"param 2", "block"}));
}

TEST(BindingProcess, EchoesOfThePluginsOwnWritesAreKnownInTheOrderWritten) {
  // A script of steps on "Level" (values in tenths): "w5" the plug-in writes 0.5
  // (an editor edit, told to the host), "h5" the host sends 0.5 with the next
  // block, "b" a block of 256 frames, "s" a second of blocks.
  struct Case {
    const char* what;
    const char* script;
    double level;         // "Level" afterwards, %
    size_t hostChanges;   // of those the host sent, how many were taken as its own
  };
  const Case cases[] = {
      {"two writes in a block, echoes a block late", "w1 w5 b h1 b h5 b", 50.0, 0},
      {"echoes several blocks late", "w1 w5 b b b h1 b b h5 b", 50.0, 0},
      {"echoes merged into the last", "w1 w5 w9 b b h9 b", 90.0, 0},
      {"the host's automation between the echoes", "w1 w5 b h9 b h1 b h5 b", 90.0, 1},
      {"the host's automation after the echoes", "w1 w5 b h1 b h5 b h3 b h1 b", 10.0, 2},
      {"the host sends a written value again", "w1 b h1 b h1 b", 10.0, 1},
      {"a write never echoed is forgotten", "w1 w5 b s h1 b", 10.0, 1},
  };
  for (const Case& c : cases) {
    Probe probe;
    ASSERT_TRUE(probe.Setup(256));
    Block<float> warmUp(256);
    probe.plugin->process(warmUp.data);
    auto block = std::make_unique<Block<float>>(256);
    size_t writes = 0;
    probe.plugin->changed.clear();
    for (const char* at = c.script; *at; ++at) {
      if (*at == 'w') {
        probe.plugin->SetParameterFromEditor(2, (*++at - '0') / 10.0);
        ++writes;
      } else if (*at == 'h') {
        block->Queue(2, 0, (*++at - '0') / 10.0);
      } else if (*at == 'b' || *at == 's') {
        for (int n = 0; n < (*at == 's' ? 200 : 1); ++n) {
          probe.plugin->process(block->data);
          block = std::make_unique<Block<float>>(256);
        }
      }
    }
    EXPECT_EQ(probe.plugin->ParamAt(2)->Value(), c.level) << c.what;
    EXPECT_EQ(probe.plugin->changed.size(), writes + c.hostChanges) << c.what;
  }
}

TEST(BindingProcess, BypassSilencesWithoutRendering) {
  Probe probe;
  ASSERT_TRUE(probe.Setup(64));
  Block<float> block(64);
  block.Queue(kBypassId, 0, 1.0);
  ASSERT_EQ(probe.plugin->process(block.data), kResultOk);
  EXPECT_TRUE(probe.plugin->pieces.empty());
  for (float s : block.right) EXPECT_EQ(s, 0.0f);
  EXPECT_EQ(probe.plugin->getParamNormalized(kBypassId), 1.0);
}

TEST(BindingProcess, ProgramChangeSelectsTheNearestPreset) {
  Probe probe;
  ASSERT_TRUE(probe.Setup(64));
  Block<float> block(0);
  block.Queue(kProgramChangeId, 0, 0.5);  // (5 - 1) * 0.5 + 0.5 -> preset 2, "high"
  ASSERT_EQ(probe.plugin->process(block.data), kResultOk);
  EXPECT_EQ(probe.plugin->CurrentPresetIdx(), 2);
  EXPECT_EQ(probe.plugin->ParamAt(0)->Value(), 5000.0);
  EXPECT_EQ(probe.plugin->ParamAt(2)->Value(), 90.0);
}

TEST(BindingProcess, ValuesOutsideZeroToOneAreLimitedAndNaNIsIgnored) {
  Probe probe;
  ASSERT_TRUE(probe.Setup(64));
  {
    Block<float> block(0);
    block.Queue(kProgramChangeId, 0, std::nan(""));
    block.Queue(2, 0, -0.5);
    probe.plugin->changed.clear();
    ASSERT_EQ(probe.plugin->process(block.data), kResultOk);
    EXPECT_EQ(probe.plugin->CurrentPresetIdx(), 0);
    EXPECT_EQ(probe.plugin->changed, std::vector<int>{2}) << "no preset was restored";
    EXPECT_EQ(probe.plugin->ParamAt(2)->Value(), probe.plugin->ParamAt(2)->Minimum());
  }
  Block<float> block(0);
  block.Queue(kProgramChangeId, 0, 7.0);  // beyond the end: the last preset
  ASSERT_EQ(probe.plugin->process(block.data), kResultOk);
  EXPECT_EQ(probe.plugin->CurrentPresetIdx(), ProbeEffect::kPresets - 1);
}

TEST(BindingProcess, NoteEventsBecomeMidiMessagesAndOthersAreSkipped) {
  Probe probe;
  ASSERT_TRUE(probe.Setup(64));
  Block<float> block(64);
  Event on = {};
  on.type = Event::kNoteOnEvent;
  on.sampleOffset = 3;
  on.noteOn.channel = 2;
  on.noteOn.pitch = 60;
  on.noteOn.velocity = 0.5f;
  Event pressure = {};
  pressure.type = Event::kPolyPressureEvent;
  Event off = {};
  off.type = Event::kNoteOffEvent;
  off.sampleOffset = 9;
  off.noteOff.channel = 2;
  off.noteOff.pitch = 60;
  off.noteOff.velocity = 1.0f;
  block.events.addEvent(on);
  block.events.addEvent(pressure);
  block.events.addEvent(off);
  ASSERT_EQ(probe.plugin->process(block.data), kResultOk);
  const std::vector<IMidiMessage>& midi = probe.plugin->midi;
  ASSERT_EQ(midi.size(), 2u);
  EXPECT_EQ(midi[0].offset, 3);
  EXPECT_EQ(midi[0].status, 0x92);
  EXPECT_EQ(midi[0].data1, 60);
  EXPECT_EQ(midi[0].data2, 63);  // 0.5 * 127 truncated
  EXPECT_EQ(midi[1].status, 0x82);
  EXPECT_EQ(midi[1].data2, 0);
}

// ---------------------------------------------------------------- state

TEST(BindingState, StateIsTheParameterValuesAndReadsBackInPieces) {
  Probe probe;
  EXPECT_EQ(StateOf(probe.plugin), Doubles({440.0, 0.0, 75.0}));

  Probe other;
  ScriptedStream stream(Doubles({1234.5, 2.0, 12.0}));
  EXPECT_EQ(static_cast<IComponent*>(other.plugin)->setState(&stream), kResultOk);
  EXPECT_EQ(other.plugin->ParamAt(0)->Value(), 1234.5);
  EXPECT_EQ(other.plugin->ParamAt(1)->Value(), 2.0);
  EXPECT_EQ(other.plugin->ParamAt(2)->Value(), 12.0);
}

TEST(BindingState, TrailingWordAfterTheValuesIsAccepted) {
  Probe probe;
  std::vector<uint8_t> bytes = Doubles({300.0, 1.0, 40.0});
  bytes.insert(bytes.end(), {1, 2, 3, 4});
  ScriptedStream stream(bytes);
  EXPECT_EQ(static_cast<IComponent*>(probe.plugin)->setState(&stream), kResultOk);
  EXPECT_EQ(probe.plugin->ParamAt(0)->Value(), 300.0);
}

TEST(BindingState, ReadErrorDropsThatPieceExceptForWavelab) {
  std::vector<uint8_t> bytes = Doubles({300.0, 1.0, 40.0});
  {
    Probe probe;
    ScriptedStream stream(bytes, 0);  // the first read reports an error but delivers
    EXPECT_EQ(static_cast<IComponent*>(probe.plugin)->setState(&stream), kResultFalse);
    EXPECT_EQ(probe.plugin->ParamAt(0)->Value(), 440.0) << "the user's values stay";
  }
  {
    Probe probe("WaveLab 11");
    ScriptedStream stream(bytes, 0);
    EXPECT_EQ(static_cast<IComponent*>(probe.plugin)->setState(&stream), kResultOk);
    EXPECT_EQ(probe.plugin->ParamAt(0)->Value(), 300.0);
  }
}

TEST(BindingState, ShortStateRestoresWhatItHoldsAndReportsFailure) {
  Probe probe;
  std::vector<uint8_t> bytes = Doubles({300.0, 1.0});
  ScriptedStream stream(bytes);
  EXPECT_EQ(static_cast<IComponent*>(probe.plugin)->setState(&stream), kResultFalse);
  EXPECT_EQ(probe.plugin->ParamAt(0)->Value(), 300.0);
  EXPECT_EQ(probe.plugin->ParamAt(1)->Value(), 1.0);
  EXPECT_EQ(probe.plugin->ParamAt(2)->Value(), 75.0);
  EXPECT_EQ(static_cast<IComponent*>(probe.plugin)->setState(nullptr), kInvalidArgument);
}

TEST(BindingState, StreamThatCannotSeekOrClaimsTooMuchStillRestores) {
  const std::vector<uint8_t> bytes = Doubles({300.0, 1.0, 40.0});
  {
    Probe probe;
    ScriptedStream stream(bytes);
    stream.seekable = false;
    EXPECT_EQ(static_cast<IComponent*>(probe.plugin)->setState(&stream), kResultOk);
    EXPECT_EQ(probe.plugin->ParamAt(2)->Value(), 40.0);
  }
  Probe probe;
  ScriptedStream stream(bytes);
  stream.overclaim = true;  // more than any read buffer holds
  EXPECT_EQ(static_cast<IComponent*>(probe.plugin)->setState(&stream), kResultOk);
  EXPECT_EQ(probe.plugin->ParamAt(0)->Value(), 300.0);
  EXPECT_EQ(probe.plugin->ParamAt(2)->Value(), 40.0);
}

TEST(BindingState, ControllerStateCallsLeaveTheComponentStateAlone) {
  Probe probe;
  IEditController* controller = probe.plugin;
  MemoryStream out;
  EXPECT_EQ(controller->getState(&out), kResultOk);
  EXPECT_EQ(out.getSize(), 0);
  ScriptedStream in(Doubles({300.0, 1.0, 40.0}));
  EXPECT_EQ(controller->setState(&in), kResultOk);
  EXPECT_EQ(probe.plugin->ParamAt(0)->Value(), 440.0);
}

// ---------------------------------------------------------------- controller

TEST(BindingController, TextWithoutNumberIsRefusedUnlessItIsAValueText) {
  Probe probe;
  ParamValue value = -1.0;
  EXPECT_EQ(probe.plugin->getParamValueByString(0, const_cast<TChar*>(STR16("loud")), value), kResultFalse);
  EXPECT_EQ(probe.plugin->getParamValueByString(0, const_cast<TChar*>(STR16("")), value), kResultFalse);
  EXPECT_EQ(value, -1.0);
  ASSERT_EQ(probe.plugin->getParamValueByString(0, const_cast<TChar*>(STR16("5015 Hz")), value), kResultOk);
  EXPECT_NEAR(value, probe.plugin->ParamAt(0)->PlainToNormalized(5015.0), 1e-12);
  ASSERT_EQ(probe.plugin->getParamValueByString(1, const_cast<TChar*>(STR16("Square")), value), kResultOk);
  EXPECT_EQ(value, 1.0);
}

TEST(BindingController, ProgramIndexChangesWithoutRestoringThePreset) {
  Probe probe;
  EXPECT_EQ(probe.plugin->setParamNormalized(kProgramChangeId, 0.25), kResultOk);
  EXPECT_EQ(probe.plugin->getParamNormalized(kProgramChangeId), 0.25);  // index 1 of 0..4
  EXPECT_EQ(probe.plugin->ParamAt(0)->Value(), 440.0);
  EXPECT_EQ(probe.plugin->setParamNormalized(0x12345678, 0.5), kResultFalse);
  String128 text = {};
  EXPECT_EQ(probe.plugin->getParamStringByValue(kProgramChangeId, 0.5, text), kResultFalse);
}

// Found by the editor fuzzer: a typed value committed while a held press edits
// the same parameter began a second edit inside the open one.
TEST(BindingController, NestedEditsOfOneParameterReachTheHostAsOneGesture) {
  Probe probe;
  RecordingHandler handler;
  ASSERT_EQ(probe.plugin->setComponentHandler(&handler), kResultOk);
  probe.plugin->BeginHostEdit(0);
  probe.plugin->BeginHostEdit(0);
  probe.plugin->SendHostEdit(0, 0.5);
  probe.plugin->EndHostEdit(0);
  probe.plugin->SendHostEdit(0, 0.25);
  probe.plugin->EndHostEdit(0);
  probe.plugin->EndHostEdit(0);  // none open: the host hears nothing
  probe.plugin->EndHostEdit(1);
  probe.plugin->BeginHostEdit(0);
  probe.plugin->EndHostEdit(0);
  EXPECT_EQ(handler.Words(0), (std::vector<std::string>{"begin", "perform", "perform", "end", "begin", "end"}));
  EXPECT_TRUE(handler.Words(1).empty());
  probe.plugin->setComponentHandler(nullptr);
}

TEST(BindingController, HostValuesOutsideZeroToOneStayInRange) {
  Probe probe;
  EXPECT_EQ(probe.plugin->setParamNormalized(kProgramChangeId, 5.0), kResultOk);
  EXPECT_EQ(probe.plugin->getParamNormalized(kProgramChangeId), 1.0);
  EXPECT_EQ(probe.plugin->setParamNormalized(kProgramChangeId, std::nan("")), kResultOk);
  EXPECT_EQ(probe.plugin->CurrentPresetIdx(), ProbeEffect::kPresets - 1);
  // A negative value is the minimum, also through the even shape of "Freq".
  ASSERT_EQ(probe.plugin->setParamNormalized(0, -0.5), kResultOk);
  EXPECT_EQ(probe.plugin->ParamAt(0)->Value(), probe.plugin->ParamAt(0)->Minimum());
  ASSERT_EQ(probe.plugin->setParamNormalized(2, 1.5), kResultOk);
  EXPECT_EQ(probe.plugin->ParamAt(2)->Value(), probe.plugin->ParamAt(2)->Maximum());
}

TEST(BindingController, HostNameIsReadOnceAndCutAt127Characters) {
  {
    ProbeEffect* plugin = new ProbeEffect();
    EXPECT_EQ(plugin->HostCode(), -1);
    plugin->release();
  }
  {
    // A context without the application interface leaves the host unknown.
    spwhost::EventList notAHost;
    ProbeEffect* plugin = new ProbeEffect();
    EXPECT_EQ(plugin->initialize(&notAHost), kResultOk);
    EXPECT_EQ(plugin->HostCode(), -1);
    plugin->terminate();
    plugin->release();
  }
  EXPECT_EQ(Probe("Cubase Pro 12").plugin->HostCode(), 3);
  // "reaper" beyond the 127th character is never seen.
  EXPECT_EQ(Probe(std::string(127, 'x') + "reaper").plugin->HostCode(), 0);
  EXPECT_EQ(Probe(std::string(121, 'x') + "reaper").plugin->HostCode(), 1);
}

TEST(BindingController, UnitsAndProgramList) {
  Probe probe;
  UnitInfo unit = {};
  ASSERT_EQ(probe.plugin->getUnitCount(), 1);
  ASSERT_EQ(probe.plugin->getUnitInfo(0, unit), kResultOk);
  EXPECT_EQ(unit.parentUnitId, kNoParentUnitId);
  EXPECT_EQ(unit.programListId, static_cast<ProgramListID>(kProgramChangeId));
  EXPECT_EQ(probe.plugin->getUnitInfo(-1, unit), kResultFalse);
  EXPECT_EQ(probe.plugin->getUnitInfo(1, unit), kResultFalse);
  String128 name = {};
  EXPECT_EQ(probe.plugin->getProgramName(kProgramChangeId + 1, 0, name), kResultFalse);
  ASSERT_EQ(probe.plugin->getProgramName(kProgramChangeId, 4, name), kResultOk);
  EXPECT_EQ(std::memcmp(name, STR16("- 5 -"), 6 * sizeof(TChar)), 0);
}

// ---------------------------------------------------------------- view

using FixedSizeEditor = NullEditor;

TEST(BindingView, SizeIsTheAttachedEditorsWhateverTheHostLastSet) {
  Probe probe;
  auto* editor = new FixedSizeEditor();
  probe.plugin->AttachEditor(editor);
  IPlugView* view = probe.plugin->createView("editor");
  ASSERT_NE(view, nullptr);
  ViewRect host(0, 0, 300, 200);
  EXPECT_EQ(view->onSize(&host), kResultOk);
  ViewRect rect;
  ASSERT_EQ(view->getSize(&rect), kResultOk);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.getWidth(), editor->Width());
  EXPECT_EQ(rect.getHeight(), editor->Height());
  view->release();
}

TEST(BindingView, OnlyTheExactEditorNameGivesAViewThatKeepsThePluginAlive) {
  Probe probe;
  EXPECT_EQ(probe.plugin->createView("Editor"), nullptr);
  EXPECT_EQ(probe.plugin->createView(nullptr), nullptr);
  IPlugView* view = probe.plugin->createView("editor");
  ASSERT_NE(view, nullptr);
  // Without an editor no platform type is offered, and attaching is refused.
  EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeHWND), kResultFalse);
  EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kResultFalse);
  EXPECT_EQ(view->attached(nullptr, kPlatformTypeHWND), kResultFalse);
  ViewRect rect;
  EXPECT_EQ(view->getSize(&rect), kResultFalse);
  probe.plugin->addRef();
  EXPECT_EQ(probe.plugin->release(), 2u) << "the view holds one reference";
  view->release();
  probe.plugin->addRef();
  EXPECT_EQ(probe.plugin->release(), 1u);
}
