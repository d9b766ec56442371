// Mouse dispatch: hit testing, capture, host gestures, popups and the wheel.
#include <gtest/gtest.h>

#include <string>

#include "graphics_rig.h"
#include "switch_lbl.h"

namespace {
// Records the events it receives.
class Probe : public IControl {
 public:
  Probe(IEffectBase* plug, const IArea& rect, int paramIdx = -1) : IControl(plug, rect, paramIdx) {}
  bool Draw(IGraphics&) override { return true; }
  void MouseDown(int x, int y, const IMouseKeys& mod) override {
    events += "down ";
    IControl::MouseDown(x, y, mod);
  }
  void MouseUp(int x, int y, const IMouseKeys& mod) override { events += "up "; }
  void MouseDrag(int x, int y, int dx, int dy, const IMouseKeys& mod) override {
    events += "drag" + std::to_string(dx) + "," + std::to_string(dy) + " ";
    SetValue(Value() + 0.1);
    MarkDirty(true);
  }
  void MouseDoubleClick(int x, int y, const IMouseKeys& mod) override { events += "double "; }
  void MouseOver(int x, int y, const IMouseKeys& mod) override { events += "over "; }
  void MouseOut() override { events += "out "; }
  void SetTextFromMenu(const char* text, int item) override {
    events += "menu'" + std::string(text) + "'" + std::to_string(item) + " ";
  }
  std::string events;
};

// A menu as the editor makes one: a left press chooses its first entry for the
// opener's parameter (its last entry), then the menu releases the mouse and closes itself.
class Menu : public IControl {
 public:
  Menu(IEffectBase* plug, const IArea& rect) : IControl(plug, rect) {}
  bool Draw(IGraphics&) override { return true; }
  void MouseDown(int x, int y, const IMouseKeys& mod) override {
    if (!mod.left) return;
    IControl* target = Owner();
    Plug()->BeginHostEdit(target->ParamIdx());
    target->ReceiveUserValue(1.0);
    Plug()->EndHostEdit(target->ParamIdx());
    IGraphics* graphics = Graphics();
    graphics->EndMouseCapture();
    graphics->ForgetMouseOver();
    graphics->ClosePopup(true);
  }
};

int menusOpened = 0;

void OpenMenu(IGraphics& graphics, IControl& opener) {
  ++menusOpened;
  const IArea& r = opener.Rect();
  auto* menu = new Menu(opener.Plug(), IArea(r.left, r.top, r.left + 30, r.top + 30));
  menu->SetOwner(&opener);
  graphics.AddControl(menu);
  graphics.SetOpenPopup(menu);
}

IMouseKeys Left() {
  IMouseKeys keys;
  keys.left = true;
  return keys;
}

IMouseKeys Right() {
  IMouseKeys keys;
  keys.right = true;
  return keys;
}

// A switch of three frames for "Mode", probes for "Gain" and "Power" and one beneath all.
struct MenuRig : Rig {
  MenuRig() {
    gfx->AddControl(new Probe(&plug, IArea(0, 0, 100, 80)));
    const IImage image = Image(Frames(10, 10, {kRed, kGreen, kBlue}, false), 3);
    gfx->AddControl(modeSwitch = new ISwitchLbl(&plug, kMode, 10, 10, image, ITextStyle("Arial", 0, IRgba()), 0, 0,
                                                true, 0.2f));
    gfx->AddControl(gainProbe = new Probe(&plug, IArea(60, 10, 80, 30), kGain));
    gfx->AddControl(powerProbe = new Probe(&plug, IArea(40, 50, 60, 70), kPower));
    gfx->SetParameterPopupFactory(OpenMenu);
    Attach();
    plug.log.clear();
    menusOpened = 0;
  }
  ISwitchLbl* modeSwitch;
  Probe* gainProbe;
  Probe* powerProbe;
};
}  // namespace

TEST(MouseDispatch, TheLaterOfTwoOverlappingControlsGetsThePressAndKeepsTheMouseUntilRelease) {
  Rig rig;
  auto* under = new Probe(&rig.plug, IArea(0, 0, 50, 50));
  auto* over = new Probe(&rig.plug, IArea(20, 20, 40, 40), kGain);
  rig.gfx->AddControl(under);
  rig.gfx->AddControl(over);
  rig.Attach();
  EXPECT_EQ(rig.gfx->ControlIndexAt(40, 40), 1) << "edges are inside";
  EXPECT_EQ(rig.gfx->ControlIndexAt(41, 40), 0);
  EXPECT_EQ(rig.gfx->ControlIndexAt(90, 70), -1);

  rig.gfx->MouseDown(30, 30, Left());
  rig.gfx->MouseDrag(30, 30, Left());  // no movement: nothing
  rig.gfx->MouseDrag(45, 35, Left());
  rig.gfx->MouseDrag(95, 75, Left());  // far outside: still the captured control
  EXPECT_EQ(rig.gfx->ControlIndexAt(5, 5), 1);
  rig.gfx->MouseUp(95, 75, Left());
  EXPECT_EQ(over->events, "down drag15,5 drag50,40 up ");
  EXPECT_EQ(under->events, "");
  EXPECT_EQ(rig.plug.Log(), "B0 P0 P0 E0");
  EXPECT_EQ(rig.gfx->CapturedIndex(), -1);
  rig.gfx->MouseDrag(10, 10, Left());  // no button held: nothing
  EXPECT_EQ(under->events, "");
}

TEST(MouseDispatch, EveryGestureEndFollowsItsBegin) {
  struct Case {
    const char* name;
    void (*act)(MenuRig&);
    const char* log;
  };
  const Case cases[] = {
      {"click on a switch", [](MenuRig& r) { r.Click(15, 15); }, "B1 P1 E1"},
      {"click on an unbound control", [](MenuRig& r) { r.Click(90, 70); }, ""},
      {"release without a press", [](MenuRig& r) { r.gfx->MouseUp(15, 15, Left()); }, ""},
      {"double click", [](MenuRig& r) {
         r.Click(70, 20);
         r.gfx->MouseDoubleClick(70, 20, Left());
         r.gfx->MouseUp(70, 20, Left());
       }, "B0 E0 B0 E0"},
      {"capture lost while dragging", [](MenuRig& r) {
         r.gfx->MouseDown(70, 20, Left());
         r.gfx->MouseDrag(70, 25, Left());
         r.gfx->MouseCaptureLost();
         r.gfx->MouseUp(70, 25, Left());
       }, "B0 P0 E0"},
      {"window closed while pressed", [](MenuRig& r) {
         r.gfx->MouseDown(70, 20, Left());
         r.gfx->CloseEditorWindow();
       }, "B0 E0"},
      {"a second press without a release", [](MenuRig& r) {
         r.gfx->MouseDown(70, 20, Left());
         r.gfx->MouseDown(15, 15, Left());
         r.gfx->MouseUp(15, 15, Left());
       }, "B0 E0 B1 P1 E1"},
  };
  for (const Case& c : cases) {
    MenuRig rig;
    c.act(rig);
    EXPECT_EQ(rig.plug.Log(), c.log) << c.name;
  }
  MenuRig rig;
  rig.gfx->MouseDown(70, 20, Left());
  rig.gfx->MouseCaptureLost();
  EXPECT_EQ(rig.gainProbe->events, "down up ") << "the captured control hears of the lost capture";
}

TEST(MouseDispatch, APopupThatClosesItselfPassesNeitherReleaseNorDoubleClickToTheControlBelow) {
  MenuRig rig;
  rig.Click(15, 15);  // "Mode" to 0.5
  rig.gfx->MouseDown(15, 15, Right());
  rig.gfx->MouseUp(15, 15, Right());
  ASSERT_EQ(menusOpened, 1);
  ASSERT_NE(rig.gfx->OpenPopup(), nullptr);
  rig.plug.log.clear();

  // A double click on the menu's entry: the first click chooses and closes the menu.
  rig.gfx->MouseDown(15, 15, Left());
  rig.gfx->MouseUp(15, 15, Left());
  EXPECT_FALSE(rig.gfx->MouseDoubleClick(15, 15, Left()));
  rig.gfx->MouseUp(15, 15, Left());
  EXPECT_EQ(rig.gfx->OpenPopup(), nullptr);
  EXPECT_EQ(rig.gfx->ControlCount(), 4);
  EXPECT_EQ(rig.modeSwitch->Value(), 1.0) << "chosen by the menu, not reset to the default below";
  EXPECT_EQ(rig.plug.Log(), "B1 P1 E1");

  // The next press is an ordinary one again.
  rig.Click(15, 15);
  EXPECT_EQ(rig.modeSwitch->Value(), 0.0);
}

TEST(MouseDispatch, ARightClickElsewhereOnlyClosesThePopupAndTheNextOneOpensAPromptAgain) {
  MenuRig rig;
  rig.gfx->MouseDown(45, 55, Right());
  rig.gfx->MouseUp(45, 55, Right());
  ASSERT_EQ(menusOpened, 1);

  // The right click on "Gain" closes the menu and opens no value entry; the menu's opener
  // hears that it was cancelled.
  rig.gfx->MouseDown(70, 20, Right());
  rig.gfx->MouseUp(70, 20, Right());
  EXPECT_EQ(rig.gfx->OpenPopup(), nullptr);
  EXPECT_EQ(rig.gfx->ControlCount(), 4);
  EXPECT_EQ(rig.gfx->PendingEntry(), nullptr);
  EXPECT_EQ(rig.powerProbe->events, "down up menu''-1 ");

  // No stale reference swallows the next right clicks.
  rig.gfx->MouseDown(70, 20, Right());
  rig.gfx->MouseUp(70, 20, Right());
  ASSERT_NE(rig.gfx->PendingEntry(), nullptr);
  EXPECT_EQ(rig.gfx->PendingEntry()->control, rig.gainProbe);
  EXPECT_TRUE(rig.gfx->PendingEntry()->small);
  rig.gfx->CancelEntry();
  rig.gfx->MouseDown(45, 55, Right());
  EXPECT_EQ(menusOpened, 2);
  rig.gfx->ClosePopup(false);
  EXPECT_EQ(rig.gfx->OpenPopup(), nullptr);
  rig.gfx->MouseUp(45, 55, Right());
  rig.gfx->MouseDown(45, 55, Right());
  EXPECT_EQ(menusOpened, 3);
  EXPECT_EQ(static_cast<Probe*>(rig.gfx->ControlAt(0))->events, "");
}

TEST(MouseDispatch, TheWheelBeginsOneGestureThatEndsWhenTheCountdownRunsOut) {
  MenuRig rig;
  const IMouseKeys none;
  rig.gfx->MouseWheel(70, 20, none, 1);
  rig.gfx->MouseWheel(70, 20, none, 1);
  rig.gfx->MouseWheel(90, 70, none, 1);  // no parameter: the pending end stays
  EXPECT_EQ(rig.plug.Log(), "B0 P0 P0");
  for (int tick = 1; tick < IGraphics::kDefaultFrameRate / 2; ++tick) rig.gfx->Tick();
  EXPECT_EQ(rig.plug.Log(), "B0 P0 P0");
  rig.gfx->Tick();
  EXPECT_EQ(rig.plug.Log(), "B0 P0 P0 E0");
  EXPECT_NEAR(rig.gainProbe->Value(), 0.07, 1e-12) << "two steps of 0.01 from the pushed 0.05";

  // Another parameter ends the pending gesture before it begins its own; closing the window ends it.
  rig.plug.log.clear();
  rig.gfx->MouseWheel(70, 20, none, -1);
  rig.gfx->MouseWheel(15, 15, none, 1);
  rig.gfx->CloseEditorWindow();
  EXPECT_EQ(rig.plug.Log(), "B0 P0 E0 B1 P1 E1");
}

// Found by the editor fuzzer: the wheel turned while the button holds a control
// of the same parameter began a second gesture inside the press's own.
TEST(MouseDispatch, TheWheelWhileTheButtonIsHeldBelongsToThePressGesture) {
  MenuRig rig;
  const IMouseKeys none;
  IMouseKeys left;
  left.left = true;
  rig.gfx->MouseDown(70, 20, left);
  rig.gfx->MouseWheel(70, 20, none, 1);
  rig.gfx->MouseWheel(15, 15, none, 1);  // still the captured control
  rig.gfx->MouseUp(70, 20, none);
  for (int tick = 0; tick < IGraphics::kDefaultFrameRate; ++tick) rig.gfx->Tick();
  EXPECT_EQ(rig.plug.Log(), "B0 P0 P0 E0");
}

TEST(MouseDispatch, MouseOverShowsTheParameterStatusAndMovesTheHover) {
  MenuRig rig;
  const IMouseKeys none;
  EXPECT_FALSE(rig.gfx->MouseOver(70, 20, none));
  EXPECT_EQ(rig.gainProbe->events, "") << "mouse-over handling starts off";
  rig.gfx->SetMouseOverEnabled(true);
  EXPECT_TRUE(rig.gfx->MouseOver(70, 20, none));
  EXPECT_TRUE(rig.gfx->MouseOver(71, 21, none));
  EXPECT_TRUE(rig.gfx->MouseOver(15, 15, none));
  EXPECT_EQ(rig.plug.Log(), "S0 S0 S1");
  EXPECT_EQ(rig.gainProbe->events, "over over out ");
  EXPECT_EQ(rig.gfx->MouseOverIndex(), 1);
  rig.gfx->MouseOut();
  EXPECT_EQ(rig.gfx->MouseOverIndex(), -1);
}

TEST(MouseDispatch, ResizingInTheMiddleOfAPressDropsEveryControlAndEndsTheGesture) {
  MenuRig rig;
  rig.gfx->MouseDown(45, 55, Right());  // "Power": a menu opens, the press is held
  ASSERT_NE(rig.gfx->OpenPopup(), nullptr);
  rig.gfx->Resize(60, 50);
  EXPECT_EQ(rig.gfx->ControlCount(), 0);
  EXPECT_EQ(rig.gfx->OpenPopup(), nullptr);
  EXPECT_EQ(rig.gfx->Surface()->Width(), 60);
  rig.gfx->MouseUp(45, 55, Right());
  rig.gfx->Tick();
  EXPECT_EQ(rig.plug.Log(), "B2 E2 R60x50");
}
