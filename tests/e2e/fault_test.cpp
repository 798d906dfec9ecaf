// The built saver against what the world throws at it: odd stored values,
// an empty preview parent, message storms, and two savers ending together.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "saver_script.h"
#include "saver_process.h"

namespace {

class SaverFaults : public testing::Test {
 protected:
  void SetUp() override { ClearTestRegistry(); }
  void TearDown() override { ClearTestRegistry(); }
};

// Starts a full-screen saver, waits for its window, closes it with a key
// and returns the exit code.
DWORD RunAndCloseWithAKey(const char* program = "kelvaris.scr") {
  SaverProcess saver(Line("/s", program));
  HWND window = WaitForWindow(FindFullScreenSaver);
  EXPECT_NE(window, nullptr) << "no saver window";
  if (!window) return STILL_ACTIVE;
  PostMessageA(window, WM_KEYDOWN, 'K', 0);
  return saver.Wait();
}

TEST_F(SaverFaults, StoredCountsFromNoneToHugeRunAndAreKept) {
  for (int32_t count : {0, 1, 1000, 1001, INT32_MAX, -1}) {
    StoreCount(static_cast<DWORD>(count));
    EXPECT_EQ(RunAndCloseWithAKey(), 0u) << "count " << count;
    const StoredValue after = ReadStored();
    EXPECT_EQ(after.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(static_cast<int32_t>(after.data), count);
  }
}

TEST_F(SaverFaults, StoredValuesOfTheWrongTypeLeaveTheDefault) {
  const unsigned char bytes[8] = {12, 0, 0, 0, 0, 0, 0, 0};
  struct Wrong {
    DWORD type, size;
  };
  for (Wrong w : {Wrong{REG_SZ, 3}, Wrong{REG_BINARY, 2}, Wrong{REG_BINARY, 8}, Wrong{REG_QWORD, 8}}) {
    StoreRawSetting(w.type, w.type == REG_SZ ? static_cast<const void*>("12") : bytes, w.size);
    EXPECT_EQ(RunAndCloseWithAKey(), 0u);
    const StoredValue after = ReadStored();  // the run wrote back the count it used
    EXPECT_EQ(after.type, static_cast<DWORD>(REG_DWORD)) << "type " << w.type << ", " << w.size << " bytes";
    EXPECT_EQ(after.size, 4u);
    EXPECT_EQ(after.data, 5u);
  }
}

TEST_F(SaverFaults, EmptyPreviewParentRunsUntilItGoes) {
  ParentWindow parent(0, 0);
  SaverProcess saver(Line("/p " + Handle(parent.handle)));
  HWND child = WaitForWindow(
      [&] { return FindWindowExA(parent.handle, nullptr, "WindowsScreenSaverClass", nullptr); });
  ASSERT_NE(child, nullptr);
  EXPECT_TRUE(WaitUntilHandled(saver, child));  // its first ticks came and went
  DestroyWindow(parent.handle);
  EXPECT_EQ(saver.Wait(), 0u);
}

// Posts `count` copies of a message; returns how many the queue took.
int Storm(HWND window, UINT message, int count) {
  int posted = 0;
  for (int i = 0; i < count; ++i) posted += PostMessageA(window, message, 1, 0) ? 1 : 0;
  return posted;
}

TEST_F(SaverFaults, StormsOfTicksAndStillMovesKeepItStormsOfClosesEndItOnce) {
  SetCursorPos(300, 300);
  SaverProcess saver(Line("/s"));
  HWND window = WaitForWindow(FindFullScreenSaver);
  ASSERT_NE(window, nullptr);
  EXPECT_GE(Storm(window, WM_MOUSEMOVE, 3000), 1000);
  EXPECT_GE(Storm(window, WM_TIMER, 2000), 1000);  // a frame each
  // 2000 full-screen frames to draw: beside 8 busy processes on 2 cores
  // that took more than one hang guard (120 s).
  EXPECT_TRUE(WaitUntilHandled(saver, window, 4 * kHangGuardMs)) << "the storms ended the saver";
  // Posting fails once the first close has destroyed the window.
  EXPECT_GE(Storm(window, WM_CLOSE, 3000), 1);
  EXPECT_EQ(saver.Wait(), 0u);
}

TEST_F(SaverFaults, StormOfClosesDuringAPasswordCheckAsksOnce) {
  SetUsePassword(1);
  WriteTestDword("VerifyAnswer", 1);
  WriteTestDword("VerifyPumpMessage", WM_CLOSE);
  WriteTestDword("VerifyPumpCount", 1000);  // the check lasts through the storm
  SaverProcess saver(Line("/s", "kelvaris98.scr"));
  HWND window = WaitForWindow(FindFullScreenSaver);
  ASSERT_NE(window, nullptr);
  EXPECT_GE(Storm(window, WM_CLOSE, 2000), 1000);
  EXPECT_EQ(saver.Wait(), 0u);
  EXPECT_EQ(ReadTestDword("VerifyCalls", 0), 1u);
}

// Starts a preview in parent and returns its window once shown, which it is
// after its start. A start that ends before its window appears (Wine on a
// loaded machine has been seen not to complete one) is reported with its
// exit code and made again, up to three times in all.
HWND StartPreview(ParentWindow& parent, std::unique_ptr<SaverProcess>& saver) {
  for (int attempt = 1; attempt <= 3; ++attempt) {
    saver = std::make_unique<SaverProcess>(Line("/p " + Handle(parent.handle)));
    bool ended = false;
    HWND shown = WaitForWindow([&]() -> HWND {
      HWND child = FindWindowExA(parent.handle, nullptr, "WindowsScreenSaverClass", nullptr);
      if (child && IsWindowVisible(child)) return child;
      ended = WaitForSingleObject(saver->info.hProcess, 0) == WAIT_OBJECT_0;
      return ended ? parent.handle : nullptr;
    });
    if (!ended) return shown;
    std::printf("the preview ended with exit code %lu before its window appeared (start %d of 3)\n",
                static_cast<unsigned long>(saver->Wait()), attempt);
  }
  return nullptr;
}

TEST_F(SaverFaults, TwoSaversEndingTogetherLeaveAWholeDword) {
  for (bool firstEndsLast : {true, false}) {
    ParentWindow first(80, 60), second(80, 60);
    std::unique_ptr<SaverProcess> a, b;
    StoreCount(3);
    ASSERT_NE(StartPreview(first, a), nullptr);
    StoreCount(8);
    ASSERT_NE(StartPreview(second, b), nullptr);

    // One after the other: the later write stays.
    DestroyWindow(firstEndsLast ? second.handle : first.handle);
    EXPECT_EQ((firstEndsLast ? b : a)->Wait(), 0u);
    DestroyWindow(firstEndsLast ? first.handle : second.handle);
    EXPECT_EQ((firstEndsLast ? a : b)->Wait(), 0u);
    EXPECT_EQ(ReadStored().data, firstEndsLast ? 3u : 8u);

    // Both at once: either write may be the later, but never a torn one.
    ParentWindow third(80, 60), fourth(80, 60);
    StoreCount(3);
    ASSERT_NE(StartPreview(third, a), nullptr);
    StoreCount(8);
    ASSERT_NE(StartPreview(fourth, b), nullptr);
    DestroyWindow(third.handle);
    DestroyWindow(fourth.handle);
    EXPECT_EQ(a->Wait(), 0u);
    EXPECT_EQ(b->Wait(), 0u);
    const StoredValue after = ReadStored();
    EXPECT_EQ(after.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(after.size, 4u);
    EXPECT_TRUE(after.data == 3 || after.data == 8) << after.data;
  }
}

}  // namespace
