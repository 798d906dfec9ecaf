// The saver window on the NT family: its two kinds, the close rules, the
// window procedure's table and the application's start, tick and stop.
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "saver_script.h"

namespace {

class SaverWindow : public testing::Test {
 protected:
  void SetUp() override {
    ClearTestRegistry();
    ResetSaverProcess();
    ASSERT_EQ(isOlderFamily, 0);
    SetCursorPos(100, 100);
  }
  void TearDown() override { ClearTestRegistry(); }
};

// Each case runs in a process of its own: this one sees the host state as
// the process starts, before any mode or reset has run.
TEST(HostState, ProcessStartsWithTheStartValues) {
  EXPECT_EQ(saverInstance, nullptr);
  EXPECT_EQ(saverWindow, nullptr);
  EXPECT_EQ(isOlderFamily + isPreview + verifyInProgress, 0);
  EXPECT_EQ(autoPlayMessage, 0u);
  EXPECT_EQ(lastCursorPos.x | lastCursorPos.y, 0);
  EXPECT_EQ(closeApproved, 0u);
  EXPECT_EQ(lastVerifyTick, 0xFFFFFFFFu);
  EXPECT_EQ(mouseMoveThreshold, 4u);
}

std::string TitleOf(HWND window) {
  char title[64] = {};
  GetWindowTextA(window, title, sizeof(title));
  return title;
}

TEST_F(SaverWindow, FullScreenWindowIsATopMostPopupOverTheScreen) {
  SaverScript script;
  script.steps = {[] {
    WNDCLASSA wc = {};
    ASSERT_TRUE(GetClassInfoA(saverInstance, "WindowsScreenSaverClass", &wc));
    EXPECT_EQ(wc.style, 0x2Bu);
    EXPECT_EQ(wc.lpfnWndProc, HostWindowProc);
    EXPECT_EQ(wc.hIcon, nullptr);
    EXPECT_EQ(wc.hCursor, nullptr);
    EXPECT_EQ(wc.hbrBackground, GetStockObject(BLACK_BRUSH));

    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(saverWindow, GWL_STYLE)), 0x96000000u);
    EXPECT_EQ(GetWindowLongA(saverWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST);
    EXPECT_EQ(GetParent(saverWindow), nullptr);
    RECT rect, screen;
    GetWindowRect(saverWindow, &rect);
    HDC dc = GetDC(nullptr);
    GetClipBox(dc, &screen);
    ReleaseDC(nullptr, dc);
    EXPECT_TRUE(EqualRect(&rect, &screen));
    EXPECT_EQ(screen.right, 1024);

    EXPECT_EQ(TitleOf(saverWindow), "Screen Saver");
    EXPECT_FALSE(SetWindowTextA(saverWindow, "Something else"));
    EXPECT_EQ(TitleOf(saverWindow), "Screen Saver");
    EXPECT_EQ(GetCursor(), nullptr);
    EXPECT_EQ(autoPlayMessage, 0u);
    EXPECT_EQ(isPreview, 0);
    PostMessageA(saverWindow, WM_CLOSE, 0, 0);
  }};
  EXPECT_EQ(RunSaver(nullptr, script), 0);
  EXPECT_EQ(script.stepsRun, 1u);
}

TEST_F(SaverWindow, PreviewIsAChildFillingTheParentEvenBesideAFullScreenSaver) {
  // A window that looks like a running full-screen saver: preview mode
  // never looks for one.
  HWND running = RunningSaverLookalike(WS_POPUP, 0);
  ASSERT_NE(running, nullptr);
  ParentWindow parent(152, 112);

  SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
  SaverScript script;
  script.steps = {[&] {
                    EXPECT_EQ(isPreview, 1);
                    EXPECT_EQ(GetParent(saverWindow), parent.handle);
                    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(saverWindow, GWL_STYLE)), 0x52000000u);
                    EXPECT_EQ(GetWindowLongA(saverWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
                    RECT rect;
                    GetWindowRect(saverWindow, &rect);
                    MapWindowPoints(nullptr, parent.handle, reinterpret_cast<POINT*>(&rect), 2);
                    EXPECT_EQ(rect.left, 0);
                    EXPECT_EQ(rect.top, 0);
                    EXPECT_EQ(rect.right, 152);
                    EXPECT_EQ(rect.bottom, 112);
                    EXPECT_EQ(TitleOf(saverWindow), "Preview");
                    EXPECT_FALSE(SetWindowTextA(saverWindow, "x"));
                    EXPECT_EQ(TitleOf(saverWindow), "Preview");
                    EXPECT_NE(GetCursor(), nullptr);  // the host never hides it in preview
                    EXPECT_EQ(displayStateNotice, nullptr);
                  },
                  WaitUntil([] { return sceneState.lightCounter > 0; }),
                  [] {
                    // It animates: ticks arrive, and a frame shows the central sphere.
                    EXPECT_GT(sceneState.lightCounter, 0);
                    EXPECT_EQ(rendererState.clientWidth, 152);
                    DrawScene();
                    unsigned char centre[3] = {};
                    glReadBuffer(GL_BACK);
                    glReadPixels(76, 56, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, centre);
                    EXPECT_GT(centre[0] + centre[1] + centre[2], 20);
                    DestroyWindow(saverWindow);
                  }};
  EXPECT_EQ(RunSaver(parent.handle, script), 0);
  EXPECT_EQ(script.stepsRun, 3u);
  DestroyWindow(running);
}

TEST_F(SaverWindow, SecondFullScreenStartBringsTheFirstForward) {
  HWND running = RunningSaverLookalike(WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
  ASSERT_NE(running, nullptr);
  ParentWindow other(50, 50);
  SetForegroundWindow(other.handle);

  EXPECT_EQ(RunSaverWindow(nullptr), 0);
  EXPECT_EQ(saverWindow, nullptr);
  EXPECT_EQ(GetForegroundWindow(), running);
  DestroyWindow(running);
}

TEST_F(SaverWindow, FailedWindowCreationReturnsFailure) {
  // The class name is already taken in this module, so registration fails.
  WNDCLASSA taken = {};
  taken.lpfnWndProc = DefWindowProcA;
  taken.hInstance = saverInstance;
  taken.lpszClassName = "WindowsScreenSaverClass";
  ASSERT_NE(RegisterClassA(&taken), 0);
  ParentWindow parent(80, 60);
  EXPECT_EQ(RunSaverWindow(parent.handle), -1);
  EXPECT_EQ(saverWindow, nullptr);
}

// Runs a full-screen saver, sends it one message, and tells whether that
// closed it; the cursor starts at (100, 100).
bool MessageCloses(UINT message, WPARAM wParam, bool preview = false) {
  ResetSaverProcess();
  ParentWindow parent(120, 90);
  bool open = false;
  SaverScript script;
  script.steps = {[=] { SendMessageA(saverWindow, message, wParam, 0); }, StillOpen(&open)};
  EXPECT_EQ(RunSaver(preview ? parent.handle : nullptr, script), 0);
  return !open;
}

TEST_F(SaverWindow, KeysButtonsActivationLossAndPowerEventsClose) {
  for (UINT message : {WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
    EXPECT_TRUE(MessageCloses(message, 0)) << "message " << message;
  }
  EXPECT_TRUE(MessageCloses(WM_ACTIVATEAPP, 0));
  EXPECT_FALSE(MessageCloses(WM_ACTIVATEAPP, 1));
  EXPECT_TRUE(MessageCloses(WM_POWER, PWR_CRITICALRESUME));
  EXPECT_FALSE(MessageCloses(WM_POWER, PWR_SUSPENDRESUME));
  EXPECT_FALSE(MessageCloses(WM_POWER, PWR_SUSPENDREQUEST));
  EXPECT_TRUE(MessageCloses(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND));
  EXPECT_TRUE(MessageCloses(WM_POWERBROADCAST, 0x1234));
}

// Sends the window a console display state notice as Windows does (Wine
// sends none): 0 is every display off, 1 on, 2 dimmed.
LRESULT SendDisplayState(DWORD state) {
  alignas(POWERBROADCAST_SETTING) BYTE notice[sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD)] = {};
  POWERBROADCAST_SETTING* setting = reinterpret_cast<POWERBROADCAST_SETTING*>(notice);
  setting->PowerSetting = GUID_CONSOLE_DISPLAY_STATE;
  setting->DataLength = sizeof(DWORD);
  memcpy(setting->Data, &state, sizeof(state));
  return SendMessageA(saverWindow, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                      reinterpret_cast<LPARAM>(notice));
}

TEST_F(SaverWindow, NoTicksWhileEveryDisplayIsOffAndTheNoticesCloseNothing) {
  StoreCount(1000);  // the slowest frames: a notice arrives between them
  int32_t lightAtOff = 0, lightResumed = 0;
  DWORD offSince = 0;
  SaverScript script;
  script.steps = {[&] {
                    ASSERT_NE(displayStateNotice, nullptr);
                    EXPECT_EQ(SendDisplayState(1), TRUE);  // the state sent at registration
                    EXPECT_EQ(SendDisplayState(0), TRUE);
                    lightAtOff = sceneState.lightCounter;
                    offSince = GetTickCount();
                  },
                  // Ten ticks' time with no tick: the timer is gone, not late.
                  WaitUntil([&] { return GetTickCount() - offSince > 100; }),
                  [&] {
                    EXPECT_EQ(sceneState.lightCounter, lightAtOff);
                    EXPECT_FALSE(KillTimer(saverWindow, 1));
                    EXPECT_EQ(SendDisplayState(2), TRUE);  // dimmed is seen
                  },
                  WaitUntil([&] { return (lightResumed = sceneState.lightCounter) > lightAtOff; }),
                  [&] {
                    EXPECT_EQ(lightResumed, lightAtOff + 1);  // on from where it stopped
                    EXPECT_TRUE(IsWindow(saverWindow));
                    DestroyWindow(saverWindow);
                  }};
  EXPECT_EQ(RunSaver(nullptr, script), 0);
  EXPECT_EQ(script.stepsRun, 5u);
  EXPECT_EQ(displayStateNotice, nullptr);  // given back on the way out
}

TEST_F(SaverWindow, PreviewIgnoresInputAndPassesTheCursorQueryOn) {
  for (UINT message : {WM_KEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_POWERBROADCAST}) {
    EXPECT_FALSE(MessageCloses(message, 0, true)) << "message " << message;
  }
  EXPECT_FALSE(MessageCloses(WM_ACTIVATEAPP, 0, true));
  EXPECT_FALSE(MessageCloses(WM_POWER, PWR_CRITICALRESUME, true));

  ResetSaverProcess();
  ParentWindow parent(120, 90);
  HCURSOR arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  SaverScript script;
  script.steps = {[&] {
                    SetCursorPos(300, 300);
                    SendMessageA(saverWindow, WM_MOUSEMOVE, 0, 0);
                    SetCursor(arrow);
                    ParentWindow::setCursorSeen = 0;
                    // DefWindowProcA asks a child's parent first: that is how we see it.
                    SendMessageA(saverWindow, WM_SETCURSOR, reinterpret_cast<WPARAM>(saverWindow),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
                    EXPECT_GE(ParentWindow::setCursorSeen, 1);
                    EXPECT_EQ(GetCursor(), arrow);
                  },
                  [] {
                    EXPECT_TRUE(IsWindow(saverWindow));
                    DestroyWindow(saverWindow);
                  }};
  EXPECT_EQ(RunSaver(parent.handle, script), 0);
  EXPECT_EQ(script.stepsRun, 2u);
}

TEST_F(SaverWindow, MouseTravelIsMeasuredFromTheReferencePoint) {
  bool open = false;
  int steps = 0;
  SaverScript script;
  auto moveTo = [&](int x, int y) {
    return [&, x, y] {
      ++steps;
      SetCursorPos(x, y);
      SendMessageA(saverWindow, WM_MOUSEMOVE, 0, 0);
    };
  };
  script.steps = {[] {
                    EXPECT_EQ(lastCursorPos.x, 100);
                    EXPECT_EQ(lastCursorPos.y, 100);
                  },
                  moveTo(103, 101),  // travel 4: stays
                  moveTo(102, 100),  // back towards the reference: 2
                  moveTo(97, 98),    // 3 left and 2 up: 5 closes
                  StillOpen(&open)};
  EXPECT_EQ(RunSaver(nullptr, script), 0);
  EXPECT_EQ(steps, 3);
  EXPECT_FALSE(open);
  EXPECT_EQ(lastCursorPos.x, 97);
  EXPECT_EQ(lastCursorPos.y, 98);
}

TEST_F(SaverWindow, CursorIsHiddenByTheRulesInFullScreen) {
  HCURSOR arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  SaverScript script;
  script.steps = {[&] {
    EXPECT_EQ(GetCursor(), nullptr);  // hidden at creation
    SetCursor(arrow);
    EXPECT_EQ(SendMessageA(saverWindow, WM_SETCURSOR, reinterpret_cast<WPARAM>(saverWindow), HTCLIENT), 1);
    EXPECT_EQ(GetCursor(), nullptr);
    SetCursor(arrow);
    SendMessageA(saverWindow, WM_SHOWWINDOW, TRUE, 0);
    EXPECT_EQ(GetCursor(), nullptr);
    SetCursor(arrow);
    SendMessageA(saverWindow, WM_PAINT, 0, 0);
    EXPECT_EQ(GetCursor(), nullptr);
    DestroyWindow(saverWindow);
  }};
  EXPECT_EQ(RunSaver(nullptr, script), 0);
  EXPECT_EQ(script.stepsRun, 1u);
}

TEST_F(SaverWindow, AfterApprovalInputAndTicksGoNowhere) {
  bool open = false;
  int32_t light = 0;
  SaverScript script;
  script.steps = {
      [&] {
        closeApproved = 1;
        light = sceneState.lightCounter;
        EXPECT_EQ(SendMessageA(saverWindow, WM_TIMER, 1, 0), 0);
        EXPECT_EQ(sceneState.lightCounter, light);
        for (UINT message : {WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
          SendMessageA(saverWindow, message, 0, 0);
        }
        SetCursorPos(400, 400);
        SendMessageA(saverWindow, WM_MOUSEMOVE, 0, 0);
      },
      [&] {
        Sleep(50);  // the saver's own timer keeps firing; none of it is a tick
      },
      [&] {
        EXPECT_EQ(sceneState.lightCounter, light);
        open = IsWindow(saverWindow) != FALSE;
        PostMessageA(saverWindow, WM_CLOSE, 0, 0);  // approved: destroyed at once
      }};
  EXPECT_EQ(RunSaver(nullptr, script), 0);
  EXPECT_TRUE(open);
}

// DefWindowProcA tells a CBT hook of every system command it is given, so
// the hook sees which commands the host passed on; it also stops them there.
std::vector<WPARAM> passedOn;
LRESULT CALLBACK RecordSystemCommand(int code, WPARAM wParam, LPARAM lParam) {
  if (code != HCBT_SYSCOMMAND) return CallNextHookEx(nullptr, code, wParam, lParam);
  passedOn.push_back(wParam);
  return 1;
}

TEST_F(SaverWindow, TaskSwitchCommandsAreRefusedFullScreenAndPassedOnInPreview) {
  // Compared whole: with a low bit set, a command is no task switch.
  const std::vector<WPARAM> commands = {SC_NEXTWINDOW, SC_PREVWINDOW, SC_SCREENSAVE, SC_SCREENSAVE | 2,
                                        SC_NEXTWINDOW | 3};
  for (bool preview : {false, true}) {
    ResetSaverProcess();
    ParentWindow parent(120, 90);
    passedOn.clear();
    SaverScript script;
    script.steps = {[&] {
      HHOOK hook = SetWindowsHookExA(WH_CBT, RecordSystemCommand, nullptr, GetCurrentThreadId());
      for (WPARAM command : commands) EXPECT_EQ(SendMessageA(saverWindow, WM_SYSCOMMAND, command, 0), 0);
      UnhookWindowsHookEx(hook);
      DestroyWindow(saverWindow);
    }};
    EXPECT_EQ(RunSaver(preview ? parent.handle : nullptr, script), 0);
    EXPECT_EQ(passedOn, preview ? commands : std::vector<WPARAM>(commands.begin() + 3, commands.end()));
  }
}

// WM_HELP is posted on as well, but its lParam is a pointer, and the system
// refuses to post such a message; only its result can be seen here.
TEST_F(SaverWindow, HelpAndContextMenuInPreviewGoToTheParentWithItsOwnHandle) {
  ParentWindow parent(120, 90);
  SaverScript script;
  script.steps = {[] { EXPECT_EQ(SendMessageA(saverWindow, WM_HELP, 0, 0), 1); },
                  [&] {
                    EXPECT_EQ(ParentWindow::lastMessage, 0u);
                    EXPECT_EQ(SendMessageA(saverWindow, WM_CONTEXTMENU, 0, 0x5678), 1);
                  },
                  [&] {
                    EXPECT_EQ(ParentWindow::lastMessage, static_cast<UINT>(WM_CONTEXTMENU));
                    EXPECT_EQ(ParentWindow::lastWParam, reinterpret_cast<WPARAM>(parent.handle));
                    EXPECT_EQ(ParentWindow::lastLParam, 0x5678);
                    DestroyWindow(saverWindow);
                  }};
  EXPECT_EQ(RunSaver(parent.handle, script), 0);
  EXPECT_EQ(script.stepsRun, 3u);
}

TEST_F(SaverWindow, StartSequenceSetsUpSizeSettingsGlSeedAndTimer) {
  StoreCount(7);
  const uint32_t before = static_cast<uint32_t>(std::time(nullptr));
  SaverScript script;
  script.steps = {[&] {
    const uint32_t after = static_cast<uint32_t>(std::time(nullptr));
    EXPECT_EQ(rendererState.clientWidth, 1024);
    EXPECT_EQ(rendererState.clientHeight, 768);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1024);
    EXPECT_EQ(viewport[3], 768);
    EXPECT_NE(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(numSatellites, 7);
    EXPECT_EQ(sceneState.satelliteCount, 7);

    // Seeded with the calendar time: one second in [before, after] gives
    // exactly the generated colours and radius of the first satellite.
    bool seedFound = false;
    for (uint32_t t = before; t <= after && !seedFound; ++t) {
      SeedRandom(t);
      const Satellite& s = sceneState.satellites[0];
      seedFound = s.color.red == NextRandom() / 32768.0f && s.color.green == NextRandom() / 32768.0f &&
                  s.color.blue == NextRandom() / 32768.0f && s.ringRadius == NextRandom() / 32768.0f + 1.0f;
    }
    EXPECT_TRUE(seedFound);
    EXPECT_TRUE(KillTimer(saverWindow, 1));  // timer 1 was running
    DestroyWindow(saverWindow);
  }};
  EXPECT_EQ(RunSaver(nullptr, script), 0);
  EXPECT_EQ(script.stepsRun, 1u);
}

TEST_F(SaverWindow, EveryTimerMessageAdvancesAndPresentsOneFrame) {
  SaverScript script;
  script.steps = {[] {
    KillTimer(saverWindow, 1);  // only our own ticks from here
    sceneState.centralColor = {};
    // Two ticks from here put the light straight in front of the sphere
    // and keep the hue red, whatever ran before.
    sceneState.lightCounter = 248;
    sceneState.hueCounter = 0;
    const int32_t light = sceneState.lightCounter;
    const int32_t hue = sceneState.hueCounter;
    EXPECT_EQ(SendMessageA(saverWindow, WM_TIMER, 77, 0), 0);
    EXPECT_EQ(sceneState.lightCounter, light + 1);
    EXPECT_EQ(sceneState.hueCounter, hue + 1);
    EXPECT_EQ(SendMessageA(saverWindow, WM_TIMER, 1, 0), 0);
    EXPECT_EQ(sceneState.lightCounter, light + 2);
    // The frame was presented: the central sphere is on the screen.
    HDC screen = GetDC(nullptr);
    const COLORREF centre = GetPixel(screen, 512, 384);
    ReleaseDC(nullptr, screen);
    EXPECT_GT(GetRValue(centre), 20);  // red, lit from the front
    DestroyWindow(saverWindow);
  }};
  EXPECT_EQ(RunSaver(nullptr, script), 0);
  EXPECT_EQ(script.stepsRun, 1u);
}

// The system's notice of a display change brings window, client size,
// viewports, projection and frame back to the screen as it is, from a state
// left wrong on purpose: window and viewport at an old size, the stored size
// and the monitor viewports garbage. A preview, a child of its parent, is
// left as it is. Real changes are the DisplayChange test's.
TEST_F(SaverWindow, DisplayChangeRefitsTheWindowAndItsViewport) {
  SaverScript script;
  script.steps = {[] {
    KillTimer(saverWindow, 1);  // only our own ticks from here
    SetWindowPos(saverWindow, nullptr, 100, 50, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyViewport({0, 0, 300, 200}, 45.0);
    rendererState.clientWidth = 300;
    rendererState.clientHeight = 200;
    rendererState.viewportCount = 2;
    rendererState.viewports[0] = rendererState.viewports[1] = {7, 7, 7, 7};
    EXPECT_EQ(SendMessageA(saverWindow, WM_DISPLAYCHANGE, 24, MAKELPARAM(1024, 768)), 0);

    RECT rect, screen = ScreenClipBox();
    GetWindowRect(saverWindow, &rect);
    EXPECT_TRUE(EqualRect(&rect, &screen));
    EXPECT_EQ(rendererState.clientWidth, 1024);
    EXPECT_EQ(rendererState.clientHeight, 768);
    EXPECT_EQ(rendererState.viewportCount, 1);
    EXPECT_EQ(rendererState.viewports[0].width, 1024);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1024);
    EXPECT_EQ(viewport[3], 768);
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[0] * 1024 / 768, projection[5], 1e-6);  // the screen's aspect

    sceneState.lightCounter = 249;  // the next tick puts the light in front
    sceneState.hueCounter = 0;
    SendMessageA(saverWindow, WM_TIMER, 1, 0);  // the next frame fills the screen again
    HDC dc = GetDC(nullptr);
    EXPECT_GT(GetRValue(GetPixel(dc, 512, 384)), 20);
    ReleaseDC(nullptr, dc);
    DestroyWindow(saverWindow);
  }};
  EXPECT_EQ(RunSaver(nullptr, script), 0);
  EXPECT_EQ(script.stepsRun, 1u);

  ResetSaverProcess();
  ParentWindow parent(200, 150);
  SaverScript preview;
  preview.steps = {[] {
    EXPECT_EQ(SendMessageA(saverWindow, WM_DISPLAYCHANGE, 24, MAKELPARAM(1024, 768)), 0);
    SendMessageA(saverWindow, WM_TIMER, 1, 0);  // nor on a tick
    RECT client;
    GetClientRect(saverWindow, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 150);
    DestroyWindow(saverWindow);
  }};
  EXPECT_EQ(RunSaver(parent.handle, preview), 0);
  EXPECT_EQ(preview.stepsRun, 1u);
}

TEST_F(SaverWindow, OtherMessagesGetExactlyTheHostsAnswer) {
  SaverScript script;
  script.steps = {[] {
    EXPECT_EQ(SaverWindowHandler(saverWindow, WM_GETTEXTLENGTH, 0, 0), 12);
    EXPECT_EQ(HostDefaultHandler(saverWindow, WM_GETTEXTLENGTH, 0, 0), 12);
    EXPECT_EQ(SaverWindowHandler(saverWindow, WM_SETCURSOR, 0, 0), 1);
    EXPECT_EQ(SaverWindowHandler(saverWindow, WM_NCHITTEST, 0, MAKELPARAM(5, 5)),
              HostDefaultHandler(saverWindow, WM_NCHITTEST, 0, MAKELPARAM(5, 5)));
    EXPECT_EQ(SaverWindowHandler(saverWindow, kVerifyRequest, 0, 0), 0);  // DefWindowProcA's on NT
    DestroyWindow(saverWindow);
  }};
  EXPECT_EQ(RunSaver(nullptr, script), 0);
}

TEST_F(SaverWindow, StopSequenceStoresTheCountEvenUnchanged) {
  SaverScript script;
  script.steps = {[] { PostMessageA(saverWindow, WM_KEYDOWN, 'A', 0); }};
  EXPECT_EQ(RunSaver(nullptr, script), 0);
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  EXPECT_EQ(StoredCount(), 5u);
}

TEST_F(SaverWindow, NtFamilyLoadsNoPasswordLibraryAndClosesAtOnce) {
  SetUsePassword(1);  // and PASSWORD.CPL lies beside this program
  bool open = false;
  SaverScript script;
  script.steps = {[] {
                    EXPECT_EQ(GetModuleHandleA("PASSWORD.CPL"), nullptr);
                    EXPECT_EQ(verifyPasswordProc, nullptr);
                    EXPECT_EQ(autoPlayMessage, 0u);
                    PostMessageA(saverWindow, WM_CLOSE, 0, 0);
                  },
                  StillOpen(&open)};
  EXPECT_EQ(RunSaver(nullptr, script), 0);
  EXPECT_FALSE(open);
  EXPECT_EQ(ReadTestDword("VerifyCalls", 0), 0u);
}

}  // namespace
