// Names, the capacity table and the consistency of the conditions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/kvspiel.h"

namespace {

std::string normal(const std::string& roh) {
  namensfeld n;
  std::memset(n, ' ', sizeof n);
  std::memcpy(&n[1], roh.data(), roh.size() < 31 ? roh.size() : 31);
  CLEAR_NAME(n);
  std::string s(&n[1], 31);
  EXPECT_EQ(n[0], ' ');
  EXPECT_EQ(n[32], ' ');
  return s.substr(0, s.find_last_not_of(' ') + 1);
}

TEST(Names, AreNormalised) {
  EXPECT_EQ(normal("hans meier"), "Hans Meier");
  EXPECT_EQ(normal("HANS-PETER"), "Hans-Peter");
  EXPECT_EQ(normal("a bcd"), "A. Bcd");  // the dot goes before the separator
  EXPECT_EQ(normal("anna k"), "Anna K.");
  EXPECT_EQ(normal("hans  meier"), "Hans");  // a double separator ends the name
  EXPECT_EQ(normal("jo_jo:x"), "Jo-Jo.");
  EXPECT_EQ(normal("r2d2"), "R. D.");
  EXPECT_EQ(normal(" hans"), "");
  EXPECT_EQ(normal("A. Bcd"), "A. Bcd");  // normalising twice changes nothing
}

TEST(Names, StayWithinThirtyOneCharacters) {
  const std::string s = normal("a bbbbbbbbbbbbbbbbbbbbbbbbbbbbb");  // 31 typed, a dot to insert
  EXPECT_LE(s.size(), 31u);
  EXPECT_EQ(s.substr(0, 4), "A. B");
}

TEST(Capacity, FitsThreeSignsAtEveryLengthWithTheSmallestBudget) {
  kvspiel_reset();
  MEMAVAIL_ORB = SPEICHERBUDGET[1];
  SPEICHER_FREIGEBEN(false);
  EXPECT_TRUE(GEAENDERT);
  for (int l = 2; l <= 9; ++l) EXPECT_GE(ZAEHLEFARBEN[l], 3) << l;
  SPEICHER_FREIGEBEN(false);
  EXPECT_FALSE(GEAENDERT);
}

TEST(Capacity, IsCappedAndFallsWithLength) {
  for (int w = 1; w <= 8; ++w) {
    kvspiel_reset();
    MEMAVAIL_ORB = SPEICHERBUDGET[w];
    SPEICHER_FREIGEBEN(false);
    for (int l = 2; l < 9; ++l) EXPECT_GE(ZAEHLEFARBEN[l], ZAEHLEFARBEN[l + 1]);
    EXPECT_LE(ZAEHLEFARBEN[6], 35);
    EXPECT_LE(ZAEHLEFARBEN[7], 21);
    EXPECT_LE(ZAEHLEFARBEN[8], 14);
    EXPECT_LE(ZAEHLEFARBEN[9], 10);
  }
  kvspiel_reset();
  MEMAVAIL_ORB = SPEICHERBUDGET[8];
  SPEICHER_FREIGEBEN(false);
  EXPECT_EQ(MEMGES, 2007952544u);
  EXPECT_EQ(ZAEHLEFARBEN[2], 36);
  EXPECT_EQ(ZAEHLEFARBEN[4], 36);
}

struct Fall {
  int n, l;
  bool wdh, leer;
  bool kann_raten, kann_mogeln;
};

TEST(Korrigiere, LimitsOfTheComputer) {
  const Fall faelle[] = {
      {10, 4, false, false, true, true},   {36, 4, true, false, true, true},
      {7, 9, true, false, true, true},     {8, 9, false, false, false, true},
      {8, 9, true, false, false, false},   {12, 9, false, false, false, false},
      {2, 4, true, true, true, true},      {24, 6, false, false, false, true},
      {25, 6, false, false, false, false}, {26, 6, false, false, false, false},
  };
  for (const Fall& f : faelle) {
    kvspiel_reset();
    INITIALISIERE();
    MEMAVAIL_ORB = SPEICHERBUDGET[8];
    KORRIGIERE(static_cast<std::uint8_t>(f.n), static_cast<std::uint8_t>(f.l), f.wdh, f.leer, false,
               false);
    EXPECT_EQ(KANN_RATEN, f.kann_raten) << f.n << " " << f.l;
    EXPECT_EQ(KANN_MOGELN, f.kann_mogeln) << f.n << " " << f.l;
  }
}

TEST(Korrigiere, ClearsGuessingAndVariableCodeBeyondTheBudget) {
  kvspiel_reset();
  INITIALISIERE();
  X.pc_raet = 1;
  X.fest = 0;
  MEMAVAIL_ORB = SPEICHERBUDGET[1];
  KORRIGIERE(20, 6, false, false, false, false);
  EXPECT_FALSE(KANN_RATEN);
  EXPECT_FALSE(KANN_MOGELN);
  EXPECT_EQ(X.pc_raet, 0);
  EXPECT_EQ(X.fest, 1);
}

}  // namespace
