#include <gtest/gtest.h>

#include <cstdint>

#include "stored_value.h"

namespace {

TEST(StoredValue, OnlyAWholeDwordIsTaken) {
  const unsigned char data[8] = {0x0C, 0, 0, 0, 0x55, 0x66, 0x77, 0x88};
  int32_t count = 5;
  EXPECT_TRUE(AcceptStoredDword(4, data, 4, &count));
  EXPECT_EQ(count, 12);

  struct Other {
    uint32_t type, size;
  } others[] = {{4, 2}, {4, 8}, {4, 0}, {1, 4}, {3, 4}, {5, 4}, {11, 8}};
  for (Other o : others) {
    count = 5;
    EXPECT_FALSE(AcceptStoredDword(o.type, data, o.size, &count));
    EXPECT_EQ(count, 5) << "type " << o.type << ", size " << o.size;
  }
}

}  // namespace
