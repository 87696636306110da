#include <gtest/gtest.h>

#include <cstdlib>

#include "road/sector.h"

namespace {

void Fill(SectorList& list, std::initializer_list<int> lengths) {
  for (int n : lengths) list.append({nullptr, 0, n, 2, 0, 0, 0, 5});
}

TEST(SectorList, AppendChainsStartsTotalsAndGrowsFromFour) {
  SectorList list;
  Fill(list, {100, 50, 0});
  EXPECT_EQ(list.start(0), 0);
  EXPECT_EQ(list.start(1), 100);
  EXPECT_EQ(list.start(2), 150);
  EXPECT_EQ(list.total, 150);
  EXPECT_EQ(list.sectors.capacity, 4u);
  list.append({nullptr, 99, 1, 0, 0, 0, 0, 0});  // a given start is ignored
  list.append({nullptr, 0, 1, 0, 0, 0, 0, 0});
  EXPECT_EQ(list.sectors.capacity, 8u);
  EXPECT_EQ(list.start(3), 150);
  EXPECT_EQ(list.start(4), 151);
}

TEST(SectorList, FractionTreatsLengthZeroAsOne) {
  SectorList list;
  Fill(list, {100, 0});
  EXPECT_FLOAT_EQ(list.fraction(0, 2550), 0.255f);
  EXPECT_FLOAT_EQ(list.fraction(1, 10050), 0.5f);  // (100.5 - 100) / 1
}

TEST(SectorList, DashAndObjectPhases) {
  SectorList list;
  list.append({nullptr, 0, 100, 2, 0, 0, 0, 0});
  list.append({nullptr, 0, 100, 16, 0, 0, 0, 0});
  list.append({nullptr, 0, 100, 0, 0, 0, 0, 0});
  const bool dash[8] = {false, false, true, true, false, false, true, true};
  for (int s = 0; s < 8; ++s) EXPECT_EQ(list.dash_on(0, s * 100 + 50), dash[s]) << s;
  for (int s = 0; s < 64; ++s) EXPECT_EQ(list.object_on(1, s * 100), s == 15 || s == 31 || s == 47 || s == 63) << s;
  for (int s = 0; s < 64; ++s) {
    EXPECT_FALSE(list.object_on(2, s * 100));
    EXPECT_FALSE(list.dash_on(2, s * 100));
  }
}

// Steps of a cursor over lists of 10-segment records. A row with a start index begins a
// new cursor there; -1 goes on with the cursor of the row before.
TEST(SectorCursor, ForwardAndBackwardStepsAndTheIndexTheyLeave) {
  const struct {
    int records;
    bool terminated;
    int start;
    bool backward;
    int p, found, index;
  } steps[] = {
      {3, true, 0, false, 500, 0, 0},     {3, true, -1, false, 1500, 1, 1},
      {3, true, -1, false, 2500, -1, 1},  // a terminated list's last record is never found forward
      {3, true, -1, false, 9999, -1, 1},  // beyond everything: the index stays
      {3, true, -1, false, 500, -1, 1},   // never looks back
      {1, true, 0, false, 0, -1, 0},      {0, true, 0, false, 0, -1, 0},
      {0, true, 0, true, 0, -1, 0},       {3, false, 0, false, 1500, 1, 1},
      {3, false, -1, false, 2500, 2, 2},  // unterminated: the last record is reached
      {3, false, -1, false, 3000, -1, 2}, {3, false, -1, true, 2900, 2, 2},
      {1, false, 0, false, 0, 0, 0},      {3, true, 1, true, 2500, -1, 1},  // record 2 lies later
      {3, true, -1, true, 1200, 1, 1},    {3, true, -1, true, 300, 0, 0},
      {3, true, -1, true, -100, -1, 0},   // before the start: the index is not stored
      {3, true, 2, true, 2500, 2, 2},     // backward may find the last record
  };
  SectorList lists[4];  // with as many records as their index
  Fill(lists[1], {10});
  Fill(lists[3], {10, 10, 10});
  SectorCursor c;
  for (const auto& step : steps) {
    if (step.start >= 0) {
      c.reset(&lists[step.records], step.terminated);
      c.index = step.start;
    }
    EXPECT_EQ(step.backward ? c.find_backward(step.p) : c.find_forward(step.p), step.found)
        << step.records << (step.terminated ? " terminated" : "") << (step.backward ? " back " : " ") << step.p;
    EXPECT_EQ(c.index, step.index) << step.p;
  }
}

}  // namespace

// A pass that seeks its start gives every answer, and leaves every index, exactly as a pass
// that starts at record 0: lists with empty records, both list kinds, every start position.
TEST(SectorCursor, SeekingTheStartChangesNoAnswer) {
  std::srand(11);
  for (int trial = 0; trial < 40; ++trial) {
    SectorList list;
    const int records = trial % 7 == 0 ? trial % 3 : 1 + std::rand() % 30;
    for (int r = 0; r < records; ++r) list.append({nullptr, 0, std::rand() % 4 == 0 ? 0 : 1 + std::rand() % 9, 2, 0, 0, 0, 0});
    for (bool terminated : {true, false}) {
      for (int32_t p = -300; p <= (list.total + 3) * 100; p += 50) {
        SectorCursor plain(&list, terminated), sought(&list, terminated);
        sought.seek(p);
        for (int i = 0; i < 121; ++i)
          ASSERT_EQ(plain.find_forward(p + 100 * i), sought.find_forward(p + 100 * i)) << trial << " " << p << " " << i;
        ASSERT_EQ(plain.index, sought.index) << trial << " " << p;
        for (int i = 120; i >= -4; --i)
          ASSERT_EQ(plain.find_backward(p + 100 * i), sought.find_backward(p + 100 * i)) << trial << " " << p << " " << i;
      }
    }
  }
}
