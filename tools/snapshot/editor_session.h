#pragma once
// The plug-in object with its editor, built in this process and driven the
// way a host and a person at the screen would: a running transport, blocks of
// audio at 48 kHz, parameter changes between blocks, the editor's timer ticks,
// and mouse presses, drags, wheel turns and moves on the editor. The editor
// draws without a window, or (window) opens in a real one through its VST 3
// view and takes real window-system events. Used by spw_snapshot and the
// editor tests.
//
// Threads: one, the caller's, plays the host's audio, main and editor threads.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CLS_STEREOPULSEWEAVER;
class IGraphics;
class IGraphicsHeadless;
namespace spwhost {
class Plugin;
}

namespace spwsnapshot {

class EditorFront;

class EditorSession {
 public:
  static constexpr double kSampleRate = 48000.0;  // Hz
  static constexpr int kBlockFrames = 512;

  // scale: device pixels per editor pixel (1 to 2), as a host on a high-density screen sets it.
  explicit EditorSession(bool window = false, double scale = 1.0);
  ~EditorSession();
  EditorSession(const EditorSession&) = delete;
  EditorSession& operator=(const EditorSession&) = delete;

  // Initialises, sets up and switches on the plug-in as a host does, opens the
  // editor's window when asked, then runs one block and one draw cycle. False
  // with a reason on failure (in a window: also no display).
  bool Start(std::string* error);
  // As Start, without the block and the draw cycle: the editor open before any audio.
  bool Open(std::string* error);
  // After a failed Start: the plug-in started, its window did not open (no display).
  bool WindowFailed() const { return windowFailed_; }

  // A parameter change by VST 3 id, delivered with the next block.
  void QueueChange(uint32_t id, double normalized);
  // True when the plug-in processed the block and every sample is finite.
  bool RenderBlock();
  // The editor's redraw timer serves what changed: one tick without a window,
  // a few of the window's own.
  void DrawCycle();
  // One block of audio and one draw cycle: what follows every action.
  void Step();

  // Mouse actions in editor pixels (delivered at the device pixel under their centre), each followed by Step(). The pointer moves
  // to the point first, as a person's does. A click holds the button over one
  // Step, as a person's click spans a timer tick; a drag moves in four steps,
  // one Step each, then releases.
  void Click(int x, int y, bool rightButton);
  void Drag(int x, int y, int dx, int dy);
  void Wheel(int x, int y, int notches);
  void Hover(int x, int y);
  // Text typed into the open value entry and committed, then Step(). Without a
  // window: false with a reason, nothing typed, when no entry is open or the text
  // is not one of its values.
  bool Type(const std::string& text, std::string* error = nullptr);

  CLS_STEREOPULSEWEAVER& Plug() { return *plug_; }
  // The editor's graphics, with or without a window.
  IGraphics& Editor();
  // [sessions without a window] The headless editor, for tests that look into it.
  IGraphicsHeadless& Graphics();
  spwhost::Plugin& Host() { return *host_; }

  // Writes the editor's picture as a PNG, put in place whole; false with the
  // system's reason (and no file) on failure.
  bool WritePng(const std::string& path, std::string* error = nullptr);

 private:
  // The device pixel whose centre lies in editor pixel p.
  int Device(int p) const;

  CLS_STEREOPULSEWEAVER* plug_;  // one reference held
  bool window_;
  bool windowFailed_ = false;
  double scale_;
  std::unique_ptr<spwhost::Plugin> host_;
  std::unique_ptr<EditorFront> front_;
  float left_[kBlockFrames] = {};
  float right_[kBlockFrames] = {};
};

}  // namespace spwsnapshot
