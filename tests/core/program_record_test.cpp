#include "core/session.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace mqx;

TEST(ProgramRecord, Holds51AndDefaultsSetTheOutputsAndForgetPageMemoriesAndMeters) {
    Session s;
    s.peqBandOff.type[1][4] = 2;
    s.savedBandSettings.channel[3].lpf_freq = 40;
    s.meterLevels.compReduction[0] = 12;
    ApplyDefaults(s);
    for (const OutputChannel& o : s.CurrentRecord().out)
        EXPECT_EQ(std::tuple(o.hpf_type, o.lpf_type, o.level, o.on), std::tuple(1, 1, 181, 1));
    EXPECT_EQ(s.meterLevels.compReduction[0], 90);
    EXPECT_FALSE(s.peqBandOff.holdsAnything() || s.savedBandSettings.holdsAnything());
    // After the defaults, the first of the 51 records is current; there is no other.
    EXPECT_EQ(&s.CurrentRecord(), &s.Record(0));
    EXPECT_THROW(s.Record(51), std::out_of_range);
    EXPECT_THROW(s.Record(-1), std::out_of_range);
}
