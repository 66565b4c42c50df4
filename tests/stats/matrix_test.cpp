#include <gtest/gtest.h>

#include "stats/stat_fixture.h"
