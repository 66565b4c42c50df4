#include "views/graphs.h"

#include <gtest/gtest.h>

#include "core/settings.h"

namespace korvane {
namespace {

DrawArchive ArchiveOf(const std::vector<TComb>& oldestFirst) {
  DrawArchive archive;
  int32_t number = 1;
  for (const TComb& c : oldestFirst) {
    TDrawRec d;
    d.number = number++;
    d.nums = c;
    archive.Append(d);
  }
  return archive;
}

struct GraphFixture {
  GameSettings settings;
  DrawArchive archive;
  TStatList registry;
  explicit GraphFixture(const std::vector<TComb>& draws)
      : archive(ArchiveOf(draws)), registry(archive.Draws(), settings) {
    registry.Build();
  }
  int Sums() const { return registry.IndexOfCode("SUMS"); }
};

TEST(DrawsGraph, AverageAndTheFirstOfTheMostFrequentValues) {
  // Sums 5, 7, 7, 5, oldest first.
  GraphFixture f({{1, 2, 2}, {1, 2, 4}, {3, 3, 1}, {0, 0, 5}});
  const DrawsGraph g = BuildDrawsGraph(f.registry, f.Sums(), f.archive, 0, 100, false);
  ASSERT_EQ(g.points.size(), 4u);  // the window is longer than the archive: all of it
  EXPECT_EQ(g.points.front(), (DrawsGraphPoint{1, 5}));
  EXPECT_EQ(g.points.back(), (DrawsGraphPoint{4, 5}));
  EXPECT_EQ(g.mostFrequent, 5);
  EXPECT_DOUBLE_EQ(g.average, 6.0);
  EXPECT_EQ(g.CountOf(7), 2);
  EXPECT_EQ(g.title, f.registry.ListText(f.Sums(), true));
}

TEST(DrawsGraph, TheWindowEndsAtTheOffset) {
  // Sums 5, 7, 7, 5, 27 for draws 1..5.
  GraphFixture f({{1, 2, 2}, {1, 2, 4}, {3, 3, 1}, {0, 0, 5}, {9, 9, 9}});
  const struct {
    int offset, length;
    std::vector<int32_t> draws;
    int32_t mostFrequent;
    double average;
  } cases[] = {
      {0, 100, {1, 2, 3, 4, 5}, 5, 51.0 / 5},
      {0, 1, {5}, 27, 27},
      {1, 2, {3, 4}, 7, 6},  // one each: the first met
      {1, 100, {1, 2, 3, 4}, 5, 6},
      {2, 2, {2, 3}, 7, 7},
      {4, 3, {1}, 5, 5},
      {9, 3, {1}, 5, 5},  // past the archive: as far back as it goes
  };
  for (const auto& c : cases) {
    const DrawsGraph g =
        BuildDrawsGraph(f.registry, f.Sums(), f.archive, c.offset, c.length, false);
    std::vector<int32_t> draws;
    for (const DrawsGraphPoint& p : g.points) draws.push_back(p.draw);
    EXPECT_EQ(draws, c.draws) << c.offset << ", " << c.length;
    EXPECT_EQ(g.mostFrequent, c.mostFrequent) << c.offset << ", " << c.length;
    EXPECT_DOUBLE_EQ(g.average, c.average) << c.offset << ", " << c.length;
  }
  EXPECT_TRUE(BuildDrawsGraph(f.registry, f.registry.IndexOfCode("NUMS"), f.archive, 0, 9, false)
                  .points.empty());  // no graph value
}

TEST(DrawsGraph, MethodsWithAGraph) {
  GraphFixture f({});
  const std::vector<int> methods = GraphMethods(f.registry);
  ASSERT_FALSE(methods.empty());
  for (int m : methods) EXPECT_TRUE(f.registry.HasGraph(m));
  EXPECT_NE(std::find(methods.begin(), methods.end(), f.Sums()), methods.end());
  EXPECT_TRUE(BuildDrawsGraph(f.registry, f.Sums(), f.archive, 0, 10, false).points.empty());
}

}  // namespace
}  // namespace korvane
