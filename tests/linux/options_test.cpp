// The Linux program's command line, read as XScreenSaver's hacks read theirs.
#include <gtest/gtest.h>

#include <vector>

#include "options.h"

namespace {

HackOptions Read(std::vector<const char*> args, const char* environmentWindow = nullptr) {
  args.insert(args.begin(), "kelvaris");
  return ReadHackOptions(static_cast<int>(args.size()), args.data(), environmentWindow);
}

TEST(HackOptions, WhereItDrawsAndHowMany) {
  HackOptions o = Read({});
  EXPECT_TRUE(o.valid);
  EXPECT_EQ(o.target, DrawTarget::kOwnWindow);
  EXPECT_EQ(o.count, 5);

  o = Read({"--root", "-count", "0"});
  EXPECT_TRUE(o.valid);
  EXPECT_EQ(o.target, DrawTarget::kRoot);
  EXPECT_EQ(o.count, 0);
  EXPECT_EQ(Read({"-root", "--window"}).target, DrawTarget::kOwnWindow);  // the later holds

  // XScreenSaver's window comes before -root; a -window-id given comes first.
  o = Read({"--root", "--count", "2147483647"}, "0x1a00007");
  EXPECT_EQ(o.target, DrawTarget::kWindowId);
  EXPECT_EQ(o.windowId, 0x1a00007u);
  EXPECT_EQ(o.count, INT32_MAX);
  EXPECT_EQ(Read({"-window-id", "4194306"}, "0x1a00007").windowId, 4194306u);
  EXPECT_EQ(Read({"-window-id", "0XfF"}).windowId, 255u);
}

TEST(HackOptions, BadValuesAndUnknownOptionsAreRefused) {
  const std::vector<std::vector<const char*>> refused = {{"-count"},
                                                         {"-count", "-1"},
                                                         {"-count", "+5"},
                                                         {"-count", "5x"},
                                                         {"-count", ""},
                                                         {"-count", "2147483648"},
                                                         {"-window-id"},
                                                         {"-window-id", "0"},
                                                         {"-window-id", "0x"},
                                                         {"-window-id", "0x100000000"},
                                                         {"-window-id", "12ab"},
                                                         {"---root"},
                                                         {"root"},
                                                         {"-"},
                                                         {"--"},
                                                         {"-fps"}};
  for (const auto& args : refused)
    EXPECT_FALSE(Read(args).valid) << args[0] << " " << (args.size() > 1 ? args[1] : "");
  EXPECT_FALSE(Read({}, "not a window").valid);
  EXPECT_TRUE(Read({}, "").valid);  // set but empty: as if not set
}

}  // namespace
