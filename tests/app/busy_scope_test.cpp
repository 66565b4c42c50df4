#include "app/busy_scope.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/test_support.h"

namespace korvane {
namespace {

TEST(BusyScope, RestoresStatusAndBusyStateAlsoOnFailure) {
  test::RecordingHost host;
  BusyState state(host);
  state.SetStatus("Готово");
  try {
    BusyScope outer(state, "Внешняя операция");
    {
      BusyScope inner(state, "Внутренняя операция");
      EXPECT_EQ(state.Count(), 2);
      EXPECT_EQ(state.Status(), "Внутренняя операция");
    }
    EXPECT_EQ(state.Status(), "Внешняя операция");
    throw std::runtime_error("сбой");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(state.Busy());
  EXPECT_EQ(state.Status(), "Готово");
  EXPECT_EQ(host.statuses.back(), "Готово");
  EXPECT_EQ(host.busyChanges, 2);  // entered once, left once
}

}  // namespace
}  // namespace korvane
