// velko01 asked to end from outside (a logout, a service stop, Ctrl+C, a closed terminal)
// while it is busy or waiting in each of the ways it can: a message box, a long pause, fades,
// a text reveal, the staff roll and the version dialog. Each must end within a few seconds
// with the status a close on the title screen gives; the limit is generous and only tells an
// ending program from one that ignores the signal.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "program_window.h"

namespace velko {
namespace {

using namespace std::chrono_literals;
using testing::ChildProcess;
using testing::ProgramWindow;

constexpr auto kEndsWithin = 3s;

class SignalEnd : public ProgramWindow {
protected:
    // Starts `scenario`, waits for its window, brings it into the state with `reach`, sends
    // `sig` and checks that it ends in time.
    void endsOn(int sig, const std::string& name, const std::string& scenario,
                const std::function<bool(ChildProcess&, unsigned long)>& reach) {
        SCOPED_TRACE(name);
        auto p = start(scenario, name);
        ASSERT_TRUE(p);
        const unsigned long w = waitForWindow(*p);
        ASSERT_NE(w, 0u);
        ASSERT_TRUE(reach(*p, w));
        ASSERT_TRUE(p->running()) << "it ended before the signal: " << p->standardError();
        p->signal(sig);
        EXPECT_EQ(p->waitForExit(kEndsWithin), std::optional<int>(0))
            << strsignal(sig) << " did not end it within " << kEndsWithin.count()
            << " s; it said: " << p->standardError();
    }

    // Gives a paced state time to be under way.
    static bool after(std::chrono::milliseconds ms) {
        std::this_thread::sleep_for(ms);
        return true;
    }
};

TEST_F(SignalEnd, EndsInABoxOrAPauseAtOnce) {
    // A script error's box: the program waits for its OK.
    endsOn(SIGTERM, "box", "1\tZB 1,2,3\n2\tKS\n",
           [&](ChildProcess& p, unsigned long) { return bool(waitUntilWaiting(p)); });
    // A pause of almost 25 days.
    endsOn(SIGINT, "pause", "1\tWT 2100000000\n2\tKS\n",
           [](ChildProcess&, unsigned long) { return after(500ms); });
}

TEST_F(SignalEnd, EndsInFadesRevealsAndTheStaffRoll) {
    game_.addPicture("BMP/red.bmp", gfx::Bitmap(640, 480, 0xFF0000));
    game_.addPicture("BMP/blue.bmp", gfx::Bitmap(640, 480, 0x0000FF));
    // Fades without end, a line at a time.
    endsOn(SIGHUP, "fades", "1\tPK red.bmp\n2\tPK blue.bmp\n3\tJP 1\n",
           [](ChildProcess&, unsigned long) { return after(700ms); });
    // A text of two hundred characters shows two at a time.
    std::string text;
    for (int i = 0; i < 100; ++i) {
        text += "あい";
    }
    endsOn(SIGTERM, "reveal", "1\tPA red.bmp\n2\t" + text + "\n3\tKS\n",
           [](ChildProcess&, unsigned long) { return after(700ms); });
    endsOn(SIGINT, "staff", "1\tES red.bmp\n2\tKS\n",
           [](ChildProcess&, unsigned long) { return after(1500ms); });
}

TEST_F(SignalEnd, EndsWithTheVersionDialogOpen) {
    game_.addPicture("BMP/title.bmp", gfx::Bitmap(640, 480, 0x102030));
    game_.addPicture("BMP/button01.bmp", gfx::Bitmap(564, 344, 0x405060));
    endsOn(SIGHUP, "version", "1\tST\n", [&](ChildProcess& p, unsigned long w) {
        if (!waitUntilWaiting(p, true)) {
            return false;
        }
        auto before = x_->capture(w);
        if (!before) {
            return false;
        }
        // "ﾍﾙﾌﾟ" > "バージョン情報" from the keyboard; the dialog covers the middle of the
        // screen.
        const auto middle = [](const gfx::Bitmap& b) { return b.at(320, testing::kBarRows + 240); };
        for (const char* key : {"F10", "Right", "Down", "Return"}) {
            if (!x_->sendKey(w, key)) {
                return false;
            }
        }
        const auto deadline = std::chrono::steady_clock::now() + testing::kPatience;
        while (std::chrono::steady_clock::now() < deadline) {
            auto now = x_->capture(w);
            if (now && middle(*now) != middle(*before)) {
                return waitUntilWaiting(p, true) && after(300ms);
            }
            std::this_thread::sleep_for(30ms);
        }
        ADD_FAILURE() << "the version dialog did not open";
        return false;
    });
}

}  // namespace
}  // namespace velko
