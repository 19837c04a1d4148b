#pragma once

// What the presentation classes and the engine are given instead of a global platform:
// the clock, the event pump, the window, fonts, the desktop, the trace and the audio. Passed
// by reference; the program and the headless runner each build one.

#include <cstdint>

#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/event_pump.h"
#include "platform/fonts.h"
#include "platform/trace.h"
#include "platform/ui/window.h"

namespace velko::platform {

struct Host {
    Clock& clock;
    EventPump& pump;
    ui::Window& window;
    FontLibrary& fonts;
    Desktop& desktop;
    Trace& trace;
    // Hosts without sound (unit rigs) leave it empty: the sound player then plays nothing.
    Audio* audio = nullptr;

    // Processes pending window events once.
    void doEvents() { pump.processEvents(); }

    // A paced step: the screen as drawn so far is shown, then the step waits until more
    // than `period` ms have passed since `start`. Nothing is processed meanwhile.
    void pace(std::uint32_t start, std::uint32_t period) {
        ++waits;
        window.present();
        clock.waitElapsed(start, period);
    }

    // A plain pause (the script's WT): the screen is shown, nothing is processed.
    void sleep(std::uint32_t ms) {
        if (ms > 0) {
            ++waits;
        }
        window.present();
        clock.sleep(ms);
    }

    bool quitting() const { return pump.quitRequested(); }

    // Paced steps and pauses so far. Every wait goes through pace or sleep, so the
    // interpreter can tell a loop of lines that lets time pass from one that spins.
    std::uint64_t waits = 0;
};

}  // namespace velko::platform
