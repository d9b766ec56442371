#pragma once
// The editor tests' fixture: spw_snapshot's editor session, started, with its
// script, the plug-in's parameters and texts, handles on the plug-in's own
// controls (the slot panel, the phase-sync button, an open popup menu), and
// the places of the panel's cells in editor pixels.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor_session.h"
#include "controls/text_control.h"
#include "layout_table.h"
#include "mouse_keys.h"
#include "notes.h"
#include "parameter_ids.h"
#include "phase.h"
#include "platform/headless/graphics_headless.h"
#include "prompt_popup.h"
#include "snapshot_options.h"
#include "snapshot_script.h"
#include "stereo_pulse_weaver.h"

// The centre of the cell in column (0..6) of visible row (0..4), editor pixels.
inline int CellX(int column) { return 12 + 5 + column * 68 + 32; }
inline int CellY(int visibleRow) { return 263 + 2 + visibleRow * 25 + 11; }

class EditorFixture : public ::testing::Test {
 protected:
  // Started: parameters applied, one block and one draw cycle done.
  void SetUp() override { ASSERT_TRUE(session.Start(&error)) << error; }

  // Runs a command line's actions through the script spw_snapshot runs.
  void Script(const std::vector<std::string>& args) {
    spwsnapshot::SnapshotOptions options;
    ASSERT_TRUE(spwsnapshot::ParseSnapshotOptions(args, &options, &error)) << error;
    spwsnapshot::SnapshotScript script(session);
    ASSERT_TRUE(script.Check(options.actions, &error)) << error;
    EXPECT_TRUE(script.RunAll(options.actions, &error)) << error;
  }
  IGraphicsHeadless& Graphics() { return session.Graphics(); }
  CLS_STEREOPULSEWEAVER& Plug() { return session.Plug(); }
  NOTES& Panel() { return static_cast<NOTES&>(*Graphics().ControlAt(spw_editor::kSlotPanelControl)); }
  PHASE& PhaseButton() { return static_cast<PHASE&>(*Graphics().ControlAt(spw_editor::kPhaseSyncControl)); }
  // The open popup menu, null when none is open.
  PromptPopup* Popup() { return dynamic_cast<PromptPopup*>(Graphics().OpenPopup()); }
  HarmonicGrid& Grid() { return Plug().Grid(); }

  static IMouseKeys Left() {
    IMouseKeys keys;
    keys.left = true;
    return keys;
  }
  static IMouseKeys Right() {
    IMouseKeys keys;
    keys.right = true;
    return keys;
  }
  // A person's click on a cell: the mouse moves onto it, presses and lets go.
  void ClickCell(int column, int visibleRow, bool right = false) {
    session.Hover(CellX(column), CellY(visibleRow));
    session.Click(CellX(column), CellY(visibleRow), right);
  }
  // Queues a plain value the way a host's automation point arrives (with the next block).
  void Queue(int paramIdx, double plain) {
    session.QueueChange(static_cast<uint32_t>(paramIdx), Plug().ParamAt(paramIdx)->PlainToNormalized(plain));
  }
  double Value(int paramIdx) { return Plug().ParamAt(paramIdx)->Value(); }
  int SlotParam(int slot) { return static_cast<int>(Plug().ParamAt(kSlot1 + slot)->Value()); }
  IControl& Control(int index) { return *Graphics().ControlAt(index); }
  // The text of a text control.
  std::string Text(int index) {
    char text[ITextControl::kTextSize];
    dynamic_cast<ITextControl&>(Control(index)).GetText(text, sizeof text);
    return text;
  }
  std::string Status() { return Text(spw_editor::kStatusLineControl); }

  spwsnapshot::EditorSession session;
  std::string error;
};
