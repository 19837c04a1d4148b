// The real clock's pacing rule on a hand-moved time source: a wait ends at the first reading
// past its deadline, sleeps instead of spinning, and does not mind the counter wrapping.

#include <gtest/gtest.h>

#include <vector>

#include "platform/sdl/real_clock.h"

namespace velko::sdl {
namespace {

// Sleeps move the time by the amount asked, less `early` ms on the first sleep (a wake-up
// that comes too soon, which the clock must notice and sleep again).
class FakeTime final : public TimeSource {
public:
    std::uint64_t now = 0;
    std::uint32_t early = 0;
    std::vector<std::uint32_t> sleeps;
    std::uint64_t nowMs() override { return now; }
    void sleepMs(std::uint32_t ms) override {
        sleeps.push_back(ms);
        const std::uint32_t cut = sleeps.size() == 1 ? std::min(early, ms) : 0;
        now += ms - cut;
    }
};

TEST(RealClock, WaitEndsAtTheFirstReadingPastTheDeadline) {
    FakeTime t;
    RealClock clock(t);
    t.now = 1000;
    clock.waitElapsed(1000, 40);
    EXPECT_EQ(t.now, 1041u);
    EXPECT_EQ(t.sleeps, std::vector<std::uint32_t>{41});

    // Woken 5 ms early: it looks again and sleeps the rest.
    t.sleeps.clear();
    t.early = 5;
    t.now = 2010;
    clock.waitElapsed(2000, 40);
    EXPECT_EQ(t.now, 2041u);
    EXPECT_EQ(t.sleeps, (std::vector<std::uint32_t>{31, 5}));
    for (std::uint32_t s : t.sleeps) {
        EXPECT_GT(s, 0u) << "a zero sleep would spin";
    }
}

TEST(RealClock, NoSleepWhenTheDeadlineHasPassed) {
    FakeTime t;
    RealClock clock(t);
    t.now = 5000;
    clock.waitElapsed(1000, 40);
    clock.waitElapsed(4959, 40);  // 41 ms elapsed: already more than the period
    EXPECT_TRUE(t.sleeps.empty());
    clock.waitElapsed(4960, 40);  // exactly 40 elapsed is not yet "more than"
    EXPECT_EQ(t.now, 5001u);
}

TEST(RealClock, TickCountWrapsAndWaitsAcrossTheWrap) {
    FakeTime t;
    RealClock clock(t);
    t.now = (std::uint64_t{1} << 32) + 7;
    EXPECT_EQ(clock.tickCount(), 7u);

    t.now = (std::uint64_t{1} << 32) - 10;  // reading 0xFFFFFFF6
    const std::uint32_t start = clock.tickCount();
    clock.waitElapsed(start, 40);
    EXPECT_EQ(clock.tickCount(), 31u);  // start + 41, past the wrap
    EXPECT_EQ(t.sleeps.size(), 1u);
}

TEST(RealClock, SleepPassesTheTime) {
    FakeTime t;
    RealClock clock(t);
    clock.sleep(250);
    EXPECT_EQ(t.now, 250u);
}

}  // namespace
}  // namespace velko::sdl
