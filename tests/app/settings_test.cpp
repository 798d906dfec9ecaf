// The satellite count in the real registry under Wine.
#include <gtest/gtest.h>

#include <cstdint>

#include "saver_script.h"

namespace {

class Settings : public testing::Test {
 protected:
  void SetUp() override {
    ClearTestRegistry();
    numSatellites = 5;
  }
  void TearDown() override { ClearTestRegistry(); }
};

TEST_F(Settings, NoKeyKeepsTheDefaultAndSavingCreatesADword) {
  EXPECT_FALSE(LoadSettings());
  EXPECT_EQ(numSatellites, 5);
  EXPECT_TRUE(SaveSettings());
  EXPECT_EQ(StoredCount(), 5u);  // a REG_DWORD of 4 bytes
}

TEST_F(Settings, StoredCountsAreLoaded) {
  for (int32_t stored : {0, 12, -1, INT32_MAX}) {
    StoreCount(static_cast<DWORD>(stored));
    numSatellites = 5;
    EXPECT_TRUE(LoadSettings());
    EXPECT_EQ(numSatellites, stored);
  }
}

TEST_F(Settings, KeyWithoutTheValueKeepsTheCount) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kSettingsKey, &key), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_TRUE(LoadSettings());
  EXPECT_EQ(numSatellites, 5);
}

TEST_F(Settings, DataOfAnotherTypeOrSizeKeepsTheWholeCount) {
  const unsigned char bytes[8] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
  struct Stored {
    DWORD type, size;
  };
  for (Stored s : {Stored{REG_SZ, 3}, Stored{REG_BINARY, 2}, Stored{REG_BINARY, 4}, Stored{REG_BINARY, 8},
                   Stored{REG_QWORD, 8}, Stored{REG_DWORD_BIG_ENDIAN, 4}}) {
    StoreRawSetting(s.type, s.type == REG_SZ ? static_cast<const void*>("12") : bytes, s.size);
    numSatellites = 0x7E7E7E7E;
    EXPECT_TRUE(LoadSettings());
    EXPECT_EQ(numSatellites, 0x7E7E7E7E) << "type " << s.type << ", " << s.size << " bytes";
  }
}

TEST_F(Settings, RawDwordHelpersRoundTrip) {
  const uint32_t written = 0xDEADBEEF;
  EXPECT_TRUE(WriteRegistryDword("Other", &written));
  uint32_t read = 0;
  EXPECT_TRUE(ReadRegistryDword("Other", &read));
  EXPECT_EQ(read, written);
  uint32_t untouched = 42;
  EXPECT_TRUE(ReadRegistryDword("Missing", &untouched));
  EXPECT_EQ(untouched, 42u);
}

}  // namespace
