#include <gtest/gtest.h>

#include <string>

#include "host_identification.h"

TEST(HostIdentification, MatchesTheFirstTableEntryFoundInTheLoweredName) {
  EXPECT_EQ(MatchHostName("Cubase Pro 12"), 3);
  EXPECT_EQ(MatchHostName("REAPER"), 1);
  EXPECT_EQ(MatchHostName("Ableton Live 11"), 9);
  EXPECT_EQ(MatchHostName("reaper inside cubase"), 3);
  EXPECT_EQ(MatchHostName("GoldWave"), 30);
  EXPECT_EQ(MatchHostName("WaveLab"), 28);
  EXPECT_EQ(MatchHostName("Studio One by PreSonus"), 24);
  EXPECT_EQ(MatchHostName("Bitwig Studio"), 0);
  EXPECT_EQ(MatchHostName(""), 0);
  EXPECT_EQ(MatchHostName(nullptr), 0);
}

TEST(HostIdentification, LongNamesAreCutNotOverflowed) {
  std::string name(1000, 'x');
  EXPECT_EQ(MatchHostName(name.c_str()), 0);
  name.replace(100, 6, "Cubase");
  EXPECT_EQ(MatchHostName(name.c_str()), 3);
  name = std::string(300, 'x') + "reaper";  // beyond the 255 characters looked at
  EXPECT_EQ(MatchHostName(name.c_str()), 0);
}
