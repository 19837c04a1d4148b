// The event pump as the window drives it: nested processing from inside a handler, and the
// windowless timers.

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "fakes.h"
#include "platform/event_pump.h"
#include "platform/surface.h"
#include "platform/ui/window.h"

namespace velko::ui {
namespace {

using namespace velko::testing;

class EventPumpTest : public ::testing::Test {
protected:
    EventPumpTest()
        : native(&clock),
          pump(native, clock),
          window(native, fonts),
          screen("s", 640, 480, &fonts) {
        pump.setRouter(&window);
        window.setScreen(&screen);
    }

    ManualClock clock;
    FakeNativeWindow native;
    BoxFontLibrary fonts;
    platform::EventPump pump;
    Window window;
    platform::Surface screen;
};

TEST_F(EventPumpTest, NestedProcessingSeesLaterEventsOnceAndInOrder) {
    struct Listener : platform::SurfaceListener {
        platform::EventPump* pump;
        std::vector<int> seen;
        void onMouseDown(const platform::MouseEvent& e) override {
            seen.push_back(static_cast<int>(e.x));
            if (e.x == 2) {
                pump->processEvents();  // as the interpreter does before each line
            }
        }
    } listener;
    listener.pump = &pump;
    screen.subscribe(&listener);
    for (int i = 1; i <= 5; ++i) {
        native.push(down(i, 10));
    }
    pump.processEvents();
    EXPECT_EQ(listener.seen, (std::vector<int>{1, 2, 3, 4, 5}));
    pump.processEvents();
    EXPECT_EQ(listener.seen.size(), 5u);
}

// A press handler that frees one listener and builds the next in its place: the new one is
// at the same address but was not subscribed when the press began, so it must not hear it.
TEST_F(EventPumpTest, ListenersSubscribedDuringADeliveryHearOnlyLaterEvents) {
    struct Counter : platform::SurfaceListener {
        explicit Counter(platform::Surface& s) : surface(s) { surface.subscribe(this); }
        ~Counter() override { surface.unsubscribe(this); }
        void onMouseDown(const platform::MouseEvent&) override { ++presses; }
        platform::Surface& surface;
        int presses = 0;
    };
    alignas(Counter) unsigned char place[sizeof(Counter)];
    struct Replacer : platform::SurfaceListener {
        void onMouseDown(const platform::MouseEvent&) override {
            if (replace) {
                replace = false;
                old->~Counter();
                fresh = new (storage) Counter(*surface);
                fresh->presses = 0;
            }
        }
        platform::Surface* surface = nullptr;
        unsigned char* storage = nullptr;
        Counter* old = nullptr;
        Counter* fresh = nullptr;
        bool replace = true;
    } replacer;
    replacer.surface = &screen;
    replacer.storage = place;
    screen.subscribe(&replacer);  // first, so it runs before the counter it replaces
    replacer.old = new (place) Counter(screen);
    native.push(down(10, 10));
    pump.processEvents();
    ASSERT_NE(replacer.fresh, nullptr);
    EXPECT_EQ(static_cast<void*>(replacer.fresh), static_cast<void*>(place));
    EXPECT_EQ(replacer.fresh->presses, 0);

    native.push(down(10, 10));
    pump.processEvents();
    EXPECT_EQ(replacer.fresh->presses, 1);
    replacer.fresh->~Counter();
}

TEST_F(EventPumpTest, TimersFireFromProcessingAndNeverReenter) {
    int fired = 0;
    int depth = 0;
    int maxDepth = 0;
    platform::TimerId id = 0;
    id = pump.setTimer(500, [&] {
        ++fired;
        maxDepth = std::max(maxDepth, ++depth);
        clock.now += 600;  // a long callback that processes events itself
        pump.processEvents();
        --depth;
    });
    const platform::TimerId killed =
        pump.setTimer(100, [&] { ADD_FAILURE() << "killed timer fired"; });
    pump.killTimer(killed);
    pump.killTimer(12345);  // unknown ids are ignored

    clock.now = 499;
    pump.processEvents();
    EXPECT_EQ(fired, 0);
    clock.now = 500;
    pump.processEvents();
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(maxDepth, 1);

    // Idle waits are bounded by the next timer, so a waiting program still hears it.
    native.waits.clear();
    EXPECT_TRUE(pump.waitAndProcess());
    ASSERT_FALSE(native.waits.empty());
    ASSERT_TRUE(native.waits.front().has_value());
    EXPECT_LE(*native.waits.front(), 500u);
    EXPECT_EQ(fired, 2);

    pump.killTimer(id);
    clock.now += 5000;
    pump.processEvents();
    EXPECT_EQ(fired, 2);
}

TEST_F(EventPumpTest, TimerKilledInsideItsOwnCallbackStops) {
    int fired = 0;
    platform::TimerId id = 0;
    id = pump.setTimer(500, [&] {
        ++fired;
        pump.killTimer(id);
    });
    clock.now = 1000;
    pump.processEvents();
    clock.now = 2000;
    pump.processEvents();
    EXPECT_EQ(fired, 1);
}

}  // namespace
}  // namespace velko::ui
