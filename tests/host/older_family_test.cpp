// The password hooks and the autoplay query on the older Windows family:
// Wine reports win98 to this program only, and the PASSWORD.CPL and MPR.DLL
// beside it are the test's own, answering from the registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "saver_script.h"

namespace {

class OlderFamily : public testing::Test {
 protected:
  void SetUp() override {
    ClearTestRegistry();
    ResetSaverProcess();
    ASSERT_EQ(isOlderFamily, 1) << "Wine must report win98 to this program";
  }
  void TearDown() override { ClearTestRegistry(); }
};

BOOL ScreenSaverRunning() {
  BOOL running = FALSE;
  SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
  return running;
}

TEST_F(OlderFamily, WithoutAPasswordNothingLoadsAndTheFirstCloseIsApproved) {
  for (bool storeZero : {false, true}) {
    ResetSaverProcess();
    if (storeZero) SetUsePassword(0);
    bool open = false;
    SaverScript script;
    script.steps = {[] {
                      EXPECT_EQ(GetModuleHandleA("PASSWORD.CPL"), nullptr);
                      EXPECT_NE(autoPlayMessage, 0u);
                      EXPECT_EQ(SendMessageA(saverWindow, kVerifyRequest, 0, 0), 1);  // no verifier: yes
                      PostMessageA(saverWindow, WM_CLOSE, 0, 0);
                    },
                    StillOpen(&open)};
    EXPECT_EQ(RunSaver(nullptr, script), 0);
    EXPECT_FALSE(open);
    EXPECT_EQ(closeApproved, 1u);
    EXPECT_EQ(ReadTestDword("VerifyCalls", 0), 0u);
  }
}

TEST_F(OlderFamily, RightPasswordClosesAndTheVerifierIsFreedAfterTheLoop) {
  SetUsePassword(1);
  WriteTestDword("VerifyAnswer", 1);
  SaverScript script;
  script.steps = {[] {
    EXPECT_NE(GetModuleHandleA("PASSWORD.CPL"), nullptr);
    EXPECT_NE(verifyPasswordProc, nullptr);
    EXPECT_TRUE(ScreenSaverRunning());
    PostMessageA(saverWindow, WM_CLOSE, 0, 0);
  }};
  EXPECT_EQ(RunSaver(nullptr, script), 0);
  EXPECT_EQ(ReadTestDword("VerifyCalls", 0), 1u);
  EXPECT_EQ(ReadTestDword("VerifyWindow", 0), static_cast<DWORD>(reinterpret_cast<UINT_PTR>(saverWindow)));
  EXPECT_NE(closeApproved, 0u);
  EXPECT_EQ(passwordLibrary, nullptr);
  EXPECT_EQ(GetModuleHandleA("PASSWORD.CPL"), nullptr);
  EXPECT_FALSE(ScreenSaverRunning());
}

TEST_F(OlderFamily, WrongPasswordKeepsTheSaverAndRefusesClosesForAMoment) {
  SetUsePassword(1);
  HCURSOR arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  SaverScript script;
  script.steps = {[&] {
                    SetCursor(arrow);
                    SetCursorPos(321, 123);
                    EXPECT_EQ(SendMessageA(saverWindow, WM_CLOSE, 0, 0), 0);
                    EXPECT_TRUE(IsWindow(saverWindow));
                    EXPECT_EQ(closeApproved, 0u);
                    EXPECT_EQ(GetCursor(), nullptr);
                    EXPECT_EQ(lastCursorPos.x, 321);
                    EXPECT_EQ(lastCursorPos.y, 123);
                    EXPECT_EQ(ReadTestDword("VerifyCalls", 0), 1u);
                    // Right after the check: refused without asking.
                    EXPECT_EQ(SendMessageA(saverWindow, WM_CLOSE, 0, 0), 0);
                    EXPECT_EQ(ReadTestDword("VerifyCalls", 0), 1u);
                  },
                  [] {
                    Sleep(250);
                    WriteTestDword("VerifyAnswer", 1);
                    SendMessageA(saverWindow, WM_CLOSE, 0, 0);
                  }};
  EXPECT_EQ(RunSaver(nullptr, script), 0);
  EXPECT_EQ(script.stepsRun, 2u);
  EXPECT_EQ(ReadTestDword("VerifyCalls", 0), 2u);
}

TEST_F(OlderFamily, CloseDuringACheckIsRefusedWhileTicksGoOn) {
  SetUsePassword(1);
  WriteTestDword("VerifyAnswer", 1);
  WriteTestDword("VerifyPostsClose", 1);
  WriteTestDword("VerifyPumpMessage", WM_TIMER);
  WriteTestDword("VerifyPumpCount", 3);
  int32_t lightBefore = 0;
  SaverScript script;
  script.steps = {[&] {
    lightBefore = sceneState.lightCounter;
    PostMessageA(saverWindow, WM_CLOSE, 0, 0);
  }};
  EXPECT_EQ(RunSaver(nullptr, script), 0);
  EXPECT_EQ(ReadTestDword("VerifyCalls", 0), 1u);
  EXPECT_GT(sceneState.lightCounter, lightBefore + 2);  // ticks kept coming while it asked
}

TEST_F(OlderFamily, TwoPendingTicksAreDroppedBeforeACheck) {
  SetUsePassword(1);
  std::vector<WPARAM> left;
  SaverScript script;
  script.steps = {[&] {
    KillTimer(saverWindow, 1);
    for (WPARAM id : {11, 12, 13}) PostMessageA(saverWindow, WM_TIMER, id, 0);
    SendMessageA(saverWindow, WM_CLOSE, 0, 0);
    MSG msg;
    while (PeekMessageA(&msg, saverWindow, WM_TIMER, WM_TIMER, PM_REMOVE)) left.push_back(msg.wParam);
    DestroyWindow(saverWindow);
  }};
  EXPECT_EQ(RunSaver(nullptr, script), 0);
  EXPECT_EQ(left, std::vector<WPARAM>{13});
}

// Sends a close with the last failed check `ago` milliseconds back; true
// when the verifier was asked. An ask is only counted once the guard's 200 ms
// have not run out by the end of the call: a machine that stalls that long
// in between says nothing about the guard, so the probe is made again.
bool CloseAsksWithLastCheck(DWORD ago) {
  for (int tries = 0; tries < 1000; ++tries) {
    const DWORD calls = ReadTestDword("VerifyCalls", 0);
    const DWORD last = GetTickCount() - ago;
    lastVerifyTick = last;
    SendMessageA(saverWindow, WM_CLOSE, 0, 0);
    const bool asked = ReadTestDword("VerifyCalls", 0) != calls;
    if (!asked || GetTickCount() - last < 200) return asked;
  }
  return true;
}

TEST_F(OlderFamily, RepeatGuardTakesTheTickDifferenceModulo2To32) {
  SetUsePassword(1);
  SaverScript script;
  script.steps = {[] {
    // A last check "in the future" is one just before a wrap of the
    // counter: the unsigned difference is huge, so a new check runs.
    lastVerifyTick = GetTickCount() + 100;
    SendMessageA(saverWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(ReadTestDword("VerifyCalls", 0), 1u);
    EXPECT_FALSE(CloseAsksWithLastCheck(50));
    EXPECT_FALSE(CloseAsksWithLastCheck(150));
    DestroyWindow(saverWindow);
  }};
  EXPECT_EQ(RunSaver(nullptr, script), 0);
  EXPECT_EQ(script.stepsRun, 1u);
}

TEST_F(OlderFamily, AutoplayQueryClosesAndCancelsOnlyWhenProtected) {
  struct Case {
    bool password, preview;
    LRESULT answer;
  };
  for (Case c : {Case{true, false, 1}, Case{false, false, 0}, Case{true, true, 0}}) {
    ClearTestRegistry();
    ResetSaverProcess();
    if (c.password) SetUsePassword(1);
    WriteTestDword("VerifyAnswer", 1);
    ParentWindow parent(120, 90);
    LRESULT answer = -1;
    bool open = false;
    SaverScript script;
    script.steps = {[&] {
                      ASSERT_NE(autoPlayMessage, 0u);
                      EXPECT_EQ(autoPlayMessage, RegisterWindowMessageA("QueryCancelAutoPlay"));
                      answer = SendMessageA(saverWindow, autoPlayMessage, 0, 0);
                    },
                    StillOpen(&open)};
    EXPECT_EQ(RunSaver(c.preview ? parent.handle : nullptr, script), 0);
    EXPECT_EQ(answer, c.answer) << "password " << c.password << ", preview " << c.preview;
    EXPECT_FALSE(open);
  }
}

TEST_F(OlderFamily, NoVerifierIsLoadedForASecondStartOrKeptAfterAFailedOne) {
  SetUsePassword(1);
  HWND running = RunningSaverLookalike(WS_POPUP, 0);
  ASSERT_NE(running, nullptr);
  EXPECT_EQ(RunSaverWindow(nullptr), 0);
  EXPECT_EQ(ReadTestDword("VerifyCalls", 0), 0u);
  EXPECT_EQ(passwordLibrary, nullptr);
  DestroyWindow(running);

  // The class name is taken in this module, so this start cannot make its
  // window.
  CreateTestWindow("WindowsScreenSaverClass", 10, 10, WS_POPUP);
  EXPECT_EQ(RunSaverWindow(nullptr), -1);
  EXPECT_EQ(passwordLibrary, nullptr);
  EXPECT_EQ(GetModuleHandleA("PASSWORD.CPL"), nullptr);
  EXPECT_FALSE(ScreenSaverRunning());
}

TEST_F(OlderFamily, ChangePasswordAsksTheSystemForTheSaverPassword) {
  ParentWindow owner(50, 50);
  ChangePassword(owner.handle);
  EXPECT_EQ(ReadTestDword("ChangeCalls", 0), 1u);
  EXPECT_EQ(ReadTestDword("ChangeOwner", 0), static_cast<DWORD>(reinterpret_cast<UINT_PTR>(owner.handle)));
  EXPECT_EQ(ReadTestDword("ChangeArgs", 99), 0u);
  char provider[32] = {};
  DWORD size = sizeof(provider);
  RegGetValueA(HKEY_CURRENT_USER, KELVARIS_TEST_KEY, "ChangeProvider", RRF_RT_REG_SZ, nullptr, provider,
               &size);
  EXPECT_EQ(std::string(provider), "SCRSAVE");
}

}  // namespace
