#include "sensor/ErrorDisplayOff.h"

#include <gtest/gtest.h>

TEST(ErrorDisplayOffTest, OffInsideThenOnOrAsItWas) {
    using Afterwards = ErrorDisplayOff::Afterwards;
    for (bool before : {false, true}) {
        std::atomic<bool> visible{before};
        {
            ErrorDisplayOff quiet(visible, Afterwards::SwitchOn);
            EXPECT_FALSE(visible);
        }
        EXPECT_TRUE(visible);
        visible = before;
        {
            ErrorDisplayOff quiet(visible, Afterwards::Restore);
            EXPECT_FALSE(visible);
            visible = true;  // switched on inside: the scope still ends as it began
        }
        EXPECT_EQ(visible, before);
    }
}
