// The Linux programs' command lines, read as XScreenSaver's hacks read
// theirs, their frame clock and ticks, and the Wayland program's measures.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "frame_clock.h"
#include "frame_rate_text.h"
#include "hack_options.h"
#include "measures.h"
#include "scene.h"
#include "wayland_options.h"

namespace {

HackOptions Read(std::vector<const char*> args, const char* environmentWindow = nullptr) {
  args.insert(args.begin(), "kelvaris");
  return ReadHackOptions(static_cast<int>(args.size()), args.data(), environmentWindow);
}

TEST(HackOptions, WhereItDrawsHowManyAndHowOften) {
  HackOptions o = Read({});
  EXPECT_EQ(o.reading.verdict, OptionsVerdict::kRun);
  EXPECT_EQ(o.target, DrawTarget::kOwnWindow);
  EXPECT_EQ(o.scene.count, 5);
  EXPECT_EQ(o.scene.delayMicroseconds, 10000);  // the animation's 10 ms tick
  EXPECT_FALSE(o.scene.showFps);
  EXPECT_EQ(o.displayName, nullptr);
  EXPECT_EQ(o.visual, VisualChoice::kBest);

  // The options accepted and ignored each stand before one that is checked.
  o = Read({"-install", "--root", "-noinstall", "-count", "0", "-mono", "-delay", "0", "-fps", "-display", ":3",
            "-visual", "0x21"});
  EXPECT_EQ(o.reading.verdict, OptionsVerdict::kRun);
  EXPECT_EQ(o.target, DrawTarget::kRoot);
  EXPECT_EQ(o.scene.count, 0);
  EXPECT_EQ(o.scene.delayMicroseconds, 0);
  EXPECT_TRUE(o.scene.showFps);
  EXPECT_STREQ(o.displayName, ":3");
  EXPECT_EQ(o.visual, VisualChoice::kId);
  EXPECT_EQ(o.visualId, 0x21u);
  o = Read({"-root", "--window"});
  EXPECT_EQ(o.reading.verdict, OptionsVerdict::kRun);
  EXPECT_EQ(o.target, DrawTarget::kOwnWindow);  // the later holds
  EXPECT_FALSE(Read({"-fps", "-no-fps"}).scene.showFps);
  for (const char* name : {"default", "GL", "best"}) EXPECT_EQ(Read({"-visual", name}).reading.verdict, OptionsVerdict::kRun);
  EXPECT_EQ(Read({"-visual", "default"}).visual, VisualChoice::kDefault);
  EXPECT_EQ(Read({"-visual", "GL"}).visual, VisualChoice::kBest);
  o = Read({"-visual", "truecolor"});
  EXPECT_EQ(o.visual, VisualChoice::kClass);
  EXPECT_EQ(o.visualClass, 4);  // X's TrueColor
  // Every class by X's number for it, in any case.
  const char* const classes[] = {"StaticGray",  "grayscale", "STATICCOLOR",
                                 "PseudoColor", "TrueColor", "directcolor"};
  for (int number = 0; number < 6; ++number) {
    o = Read({"-visual", classes[number]});
    EXPECT_EQ(o.reading.verdict, OptionsVerdict::kRun) << classes[number];
    EXPECT_EQ(o.visual, VisualChoice::kClass) << classes[number];
    EXPECT_EQ(o.visualClass, number) << classes[number];
  }
  EXPECT_EQ(Read({"-root", "--help", "-bogus"}).reading.verdict, OptionsVerdict::kHelp);

  // XScreenSaver's window comes before -root; a -window-id given comes first.
  // Ids use all of X's 29 bits, and hexadecimal in either case.
  o = Read({"--root", "--count", "2147483647"}, "0x1fffffff");
  EXPECT_EQ(o.target, DrawTarget::kWindowId);
  EXPECT_EQ(o.windowId, 0x1fffffffu);
  EXPECT_EQ(o.scene.count, INT32_MAX);
  EXPECT_EQ(Read({"-window-id", "4194306"}, "0x1a00007").windowId, 4194306u);
  EXPECT_EQ(Read({"-window-id", "0XfF"}).windowId, 255u);
}

// Each refusal names what was wrong, pointing into the argument it came from.
TEST(HackOptions, RefusalsNameTheirCause) {
  const char* const bogus[] = {"kelvaris", "-root", "-fpsx", "-count", "1"};
  HackOptions o = ReadHackOptions(5, bogus, nullptr);
  EXPECT_EQ(o.reading.verdict, OptionsVerdict::kUnknownOption);
  EXPECT_EQ(o.reading.offending, bogus[2]);

  const char* const bad[] = {"kelvaris", "--delay", "1e4"};
  o = ReadHackOptions(3, bad, nullptr);
  EXPECT_EQ(o.reading.verdict, OptionsVerdict::kBadValue);
  EXPECT_EQ(o.reading.option, bad[1]);
  EXPECT_EQ(o.reading.offending, bad[2]);

  const std::vector<std::vector<const char*>> refused = {{"-count", "-1"},
                                                         {"-count", "+5"},
                                                         {"-count", ""},
                                                         {"-count", "2147483648"},
                                                         {"-window-id", "0"},
                                                         {"-window-id", "0x"},
                                                         {"-window-id", "0x100000000"},
                                                         {"-window-id", "12ab"},
                                                         {"-delay", "-5"},
                                                         {"-visual", "truecolour"},
                                                         {"-display", ""}};
  for (const auto& args : refused)
    EXPECT_EQ(Read(args).reading.verdict, OptionsVerdict::kBadValue) << args[0] << " " << args[1];
  for (const char* name : {"-count", "-window-id", "-delay", "-display", "-visual"})
    EXPECT_EQ(Read({name}).reading.verdict, OptionsVerdict::kMissingValue) << name;
  for (const char* name : {"---root", "root", "-", "--", "-pair"})
    EXPECT_EQ(Read({name}).reading.verdict, OptionsVerdict::kUnknownOption) << name;

  o = Read({"-root"}, "not a window");
  EXPECT_EQ(o.reading.verdict, OptionsVerdict::kBadEnvironmentWindow);
  EXPECT_STREQ(o.reading.offending, "not a window");
  EXPECT_EQ(Read({}, "").reading.verdict, OptionsVerdict::kRun);                      // set but empty: as if not set
  EXPECT_EQ(Read({"-window-id", "7"}, "bad").reading.verdict, OptionsVerdict::kRun);  // not read when given
}

TEST(WaylandOptions, ModesValuesAndRefusals) {
  auto read = [](std::vector<const char*> args) {
    args.insert(args.begin(), "kelvaris-wayland");
    return ReadWaylandOptions(static_cast<int>(args.size()), args.data());
  };
  WaylandOptions o = read({});
  EXPECT_EQ(o.mode, WaylandMode::kSaver);
  EXPECT_EQ(o.scene.count, 5);
  EXPECT_EQ(o.scene.delayMicroseconds, 10000);
  o = read({"--background", "-window", "-count", "1000", "--delay", "0", "--fps"});
  EXPECT_EQ(o.reading.verdict, OptionsVerdict::kRun);
  EXPECT_EQ(o.mode, WaylandMode::kWindow);  // the later holds
  EXPECT_EQ(o.scene.count, 1000);
  EXPECT_EQ(o.scene.delayMicroseconds, 0);
  EXPECT_TRUE(o.scene.showFps);
  EXPECT_EQ(read({"--window", "--background"}).mode, WaylandMode::kBackground);
  o = read({"--window", "--idle", "71582"});
  EXPECT_EQ(o.mode, WaylandMode::kSaver);
  EXPECT_EQ(o.idleMilliseconds, 4294920000u);
  EXPECT_EQ(read({"--idle", "2.5"}).idleMilliseconds, 150000u);
  EXPECT_EQ(read({"--idle", "0.001"}).idleMilliseconds, 60u);
  EXPECT_EQ(read({"--idle", "5", "--background"}).idleMilliseconds, 0u);
  for (const char* minutes : {"0", "0.000", "71582.001", "71583", "-1", "1.", ".5", "1.2345", "1e3", "1.5x"})
    EXPECT_EQ(read({"--idle", minutes}).reading.verdict, OptionsVerdict::kBadValue) << minutes;
  EXPECT_EQ(read({"-help"}).reading.verdict, OptionsVerdict::kHelp);
  EXPECT_EQ(read({"--root"}).reading.verdict,
            OptionsVerdict::kUnknownOption);  // the hack's own options are not taken
  EXPECT_EQ(read({"--count"}).reading.verdict, OptionsVerdict::kMissingValue);
  o = read({"--delay", "-1"});
  EXPECT_EQ(o.reading.verdict, OptionsVerdict::kBadValue);
  EXPECT_STREQ(o.reading.option, "--delay");
  EXPECT_STREQ(o.reading.offending, "-1");
}

TEST(FrameClock, OneFramePerIntervalAndNoneMadeUp) {
  const long long ms = 1000000;
  EXPECT_EQ(NextFrameDue(100 * ms, 100 * ms, 10 * ms), 110 * ms);  // on time
  EXPECT_EQ(NextFrameDue(100 * ms, 105 * ms, 10 * ms), 110 * ms);  // late within the interval: keeps the beat
  EXPECT_EQ(NextFrameDue(100 * ms, 160 * ms, 10 * ms),
            170 * ms);  // far behind: the missed frames are dropped
  EXPECT_EQ(NextFrameDue(100 * ms, 110 * ms, 10 * ms),
            120 * ms);                                       // a whole interval late: the next is after it
  EXPECT_EQ(NextFrameDue(100 * ms, 160 * ms, 0), 160 * ms);  // -delay 0: every pass draws
}

TEST(FrameClock, TicksDueAfterAPauseAreAtMostFour) {
  const long long ms = 1000000;
  auto due = [](long long last, long long now, long long interval) {
    const TicksDue d = TicksDueAt(last, now, interval);
    return std::vector<long long>{d.ticks, d.lastTick};
  };
  EXPECT_EQ(due(100 * ms, 109 * ms, 10 * ms), (std::vector<long long>{0, 100 * ms}));  // not yet
  EXPECT_EQ(due(100 * ms, 125 * ms, 10 * ms), (std::vector<long long>{2, 120 * ms}));  // the beat is kept
  EXPECT_EQ(due(100 * ms, 145 * ms, 10 * ms), (std::vector<long long>{4, 140 * ms}));  // four: all made up
  EXPECT_EQ(due(100 * ms, 155 * ms, 10 * ms),
            (std::vector<long long>{4, 155 * ms}));                              // five: four, from now on
  EXPECT_EQ(due(100 * ms, 100 * ms, 0), (std::vector<long long>{1, 100 * ms}));  // -delay 0: one a frame
}

TEST(FrameClock, TheSceneAdvancesOnceATickDue) {
  const long long ms = 1000000;
  sceneState.hueCounter = 0;
  EXPECT_EQ(AdvanceSceneBy(TicksDueAt(100 * ms, 125 * ms, 10 * ms)), 120 * ms);
  EXPECT_EQ(sceneState.hueCounter, 2);
  EXPECT_EQ(AdvanceSceneBy(TicksDueAt(120 * ms, 129 * ms, 10 * ms)), 120 * ms);
  EXPECT_EQ(sceneState.hueCounter, 2);  // none due: the scene stays
}

TEST(WaylandMeasures, BufferSizeFromTheScales) {
  auto size = [](int32_t w, int32_t h, int32_t scale, uint32_t scale120) {
    const BufferSize b = BufferSizeFor(w, h, scale, scale120);
    return std::vector<int32_t>{b.width, b.height, b.scale};
  };
  EXPECT_EQ(size(1280, 720, 1, 0), (std::vector<int32_t>{1280, 720, 1}));
  EXPECT_EQ(size(720, 1280, 2, 0), (std::vector<int32_t>{1440, 2560, 2}));
  EXPECT_EQ(size(1280, 720, 2, 180), (std::vector<int32_t>{1920, 1080, 1}));  // 1.5 through a viewport
  EXPECT_EQ(size(853, 480, 1, 150), (std::vector<int32_t>{1066, 600, 1}));    // 1066.25 and 600: rounded
  EXPECT_EQ(size(3, 3, 1, 140), (std::vector<int32_t>{4, 4, 1}));             // 3.5 rounds up
}

// The travel is across plus down, and only beyond 4 ends the saver.
TEST(WaylandMeasures, PointerTravelBeyondFourEndsTheSaver) {
  EXPECT_FALSE(TravelEndsSaver(10, 10, 14, 10));
  EXPECT_FALSE(TravelEndsSaver(10, 10, 12, 8));
  EXPECT_TRUE(TravelEndsSaver(10, 10, 10, 14.25));  // straight down
  EXPECT_TRUE(TravelEndsSaver(10, 10, 7, 12));      // left and down
  EXPECT_FALSE(TravelEndsSaver(10, 10, 10, 6));
}

TEST(FrameClock, RateTextAsTheHacksShowIt) {
  char text[32];
  FormatFrameRate(78, kNanosecondsPerSecond, text, sizeof text);
  EXPECT_STREQ(text, "FPS: 78.0");
  FormatFrameRate(5, 2000000000LL, text, sizeof text);
  EXPECT_STREQ(text, "FPS: 2.5");
  FormatFrameRate(1, 0, text, sizeof text);  // no time measured yet
  EXPECT_STREQ(text, "FPS: 0.0");
  // The text changes once a whole second has been counted, not before.
  FrameRateCounter counter = {};
  CountFrame(counter, 5 * kNanosecondsPerSecond);
  EXPECT_STREQ(counter.text, "FPS: ...");
  CountFrame(counter, 6 * kNanosecondsPerSecond - 1);
  EXPECT_STREQ(counter.text, "FPS: ...");
  CountFrame(counter, 6 * kNanosecondsPerSecond);
  EXPECT_STREQ(counter.text, "FPS: 3.0");
  // Its font's pixels grow with the screen.
  EXPECT_EQ(FrameRateTextCell(600), 2);
  EXPECT_EQ(FrameRateTextCell(1080), 3);
  EXPECT_EQ(FrameRateTextCell(2160), 6);
}

}  // namespace
