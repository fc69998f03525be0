// The clock reading of a row: the first one at which the tracks read it.
#include <gtest/gtest.h>

#include <cmath>

#include "sync/tempo.h"

namespace {

TEST(Tempo, SecondsAtRowIsTheFirstReadingOfTheRowNotAHairBefore)
{
    // Every row of the demo, and a little past its end.
    EXPECT_EQ(SecondsAtRow(0.0), 0.0);
    for (int row = 1; row <= 832; ++row) {
        const double seconds = SecondsAtRow(row);
        ASSERT_GE(SecondsToRows(seconds), row) << row;
        ASSERT_LT(SecondsToRows(std::nextafter(seconds, 0.0)), row) << row;
    }
}

}  // namespace
