// The signal watch in this test process: a long sleep ends when a signal arrives and runs the
// ending the program gave it; with the watch gone the handlers that were there come back.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/sdl/real_clock.h"
#include "platform/sdl/signal_watch.h"

namespace velko::sdl {
namespace {

extern "C" void countHangup(int) {}

TEST(SignalWatch, ALongSleepEndsOnTheSignalAndRunsTheEndingOnce) {
    struct sigaction mine {};
    mine.sa_handler = countHangup;
    sigemptyset(&mine.sa_mask);
    struct sigaction saved {};
    ASSERT_EQ(sigaction(SIGHUP, &mine, &saved), 0);
    {
        auto watch = SignalWatch::install();
        ASSERT_TRUE(watch.ok()) << watch.error();
        EXPECT_FALSE(SignalWatch::install().ok()) << "a second watch would take the handlers";
        int ended = 0;
        int endedBy = 0;
        (*watch)->setEnding([&](int sig) {
            ++ended;
            endedBy = sig;
        });
        RealClock clock(watch->get());
        std::thread sender([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            kill(getpid(), SIGHUP);
        });
        // A pause of a day: it can only end here through the signal.
        clock.sleep(24u * 3600 * 1000);
        sender.join();
        EXPECT_EQ((*watch)->arrived(), SIGHUP);
        EXPECT_EQ(ended, 1);
        EXPECT_EQ(endedBy, SIGHUP);
        // A second signal keeps the first as the one that arrived.
        kill(getpid(), SIGTERM);
        EXPECT_EQ((*watch)->arrived(), SIGHUP);
    }
    struct sigaction now {};
    ASSERT_EQ(sigaction(SIGHUP, nullptr, &now), 0);
    EXPECT_EQ(now.sa_handler, &countHangup);
    sigaction(SIGHUP, &saved, nullptr);
}

}  // namespace
}  // namespace velko::sdl
