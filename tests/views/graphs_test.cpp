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
}

TEST(DrawsGraph, TheWindowEndsAtTheOffset) {
  GraphFixture f({{1, 2, 2}, {1, 2, 4}, {3, 3, 1}, {0, 0, 5}, {9, 9, 9}});
  const DrawsGraph g = BuildDrawsGraph(f.registry, f.Sums(), f.archive, 1, 2, false);
  ASSERT_EQ(g.points.size(), 2u);
  EXPECT_EQ(g.points[0], (DrawsGraphPoint{3, 7}));
  EXPECT_EQ(g.points[1], (DrawsGraphPoint{4, 5}));
  EXPECT_EQ(g.mostFrequent, 7);  // one each: the first met
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
