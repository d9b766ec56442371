#include <gtest/gtest.h>

#include <cstring>

#include "state_chunk.h"

TEST(StateChunk, DoublesAreLittleEndian) {
  StateChunk chunk;
  chunk.PutDouble(1.0);  // 0x3FF0000000000000
  ASSERT_EQ(chunk.Size(), 8);
  const uint8_t expected[8] = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F};
  EXPECT_EQ(std::memcmp(chunk.Data(), expected, 8), 0);
  double back = 0;
  EXPECT_EQ(chunk.GetDouble(&back, 0), 8);
  EXPECT_DOUBLE_EQ(back, 1.0);
}

TEST(StateChunk, ShortReadFailsAndLeavesTargetUntouched) {
  StateChunk chunk;
  chunk.PutBytes("abcd", 4);
  double target = 7.0;
  EXPECT_EQ(chunk.GetDouble(&target, 0), -1);
  EXPECT_DOUBLE_EQ(target, 7.0);
  char two[2];
  EXPECT_EQ(chunk.GetBytes(two, 2, 2), 4);
  EXPECT_EQ(two[0], 'c');
  EXPECT_EQ(chunk.GetBytes(two, 2, 3), -1);
  EXPECT_EQ(chunk.GetBytes(two, 2, -1), -1);
  EXPECT_EQ(chunk.GetBytes(two, 0, 4), 4);
}

TEST(StateChunk, GrowsPastItsFirstBlock) {
  StateChunk chunk;
  for (int i = 0; i < 1000; ++i) chunk.PutDouble(i);
  ASSERT_EQ(chunk.Size(), 8000);
  double v = 0;
  EXPECT_EQ(chunk.GetDouble(&v, 8 * 999), 8000);
  EXPECT_DOUBLE_EQ(v, 999.0);
}
