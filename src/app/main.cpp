// velko01: the player, on SDL2, FreeType and the user's desktop.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/utf.h"
#include "engine/engine.h"
#include "engine/game_folder.h"
#include "engine/product.h"
#include "script/builtin.h"
#include "script/script.h"
#include "platform/event_pump.h"
#include "platform/fonts/freetype_fonts.h"
#include "platform/host/host.h"
#include "platform/sdl/instance_lock.h"
#include "platform/sdl/real_clock.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_desktop.h"
#include "platform/sdl/sdl_window.h"
#include "platform/sdl/signal_watch.h"
#include "platform/trace.h"
#include "platform/ui/window.h"

namespace {

constexpr const char* kUsage =
    "usage: velko01 [--help] [--version] [--script FILE] [--game DIR]\n"
    "Plays the episode. Left click reads on, right click shows the bare picture; the menu\n"
    "\"終了\" returns to the title. F11 or Alt+Enter: full screen. F10: the menu bar.\n"
    "  --script FILE  play a scenario source instead of the episode (for its author)\n"
    "  --game DIR     take BMP/, Music/ and Wall/ from DIR instead of the program's folder\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace velko;
    std::optional<std::string> scriptFile;
    std::filesystem::path gameDir = engine::executableFolder();
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if ((arg == "--script" || arg == "--game") && i + 1 < argc) {
            if (arg == "--script") {
                scriptFile = argv[++i];
            } else {
                gameDir = argv[++i];
            }
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("velko01 Version 1.0\n");
            return 0;
        }
        std::fprintf(stderr, "velko01: unknown argument \"%s\"\n%s", argv[i], kUsage);
        return 2;
    }

    auto script = scriptFile ? script::loadSourceFile(*scriptFile)
                             : script::loadSource(script::builtinScenarioSource(),
                                                  script::builtinScenarioFileName());
    if (!script) {
        std::fprintf(stderr, "velko01: %s\n", script.error().c_str());
        return 1;
    }

    const engine::Product& product = engine::builtinProduct();
    auto fonts = platform::FreeTypeFontLibrary::create();
    if (!fonts) {
        std::fprintf(stderr, "velko01: %s\n", fonts.error().c_str());
        return 1;
    }
    // Before SDL starts, so that SDL leaves the signals to the watch.
    auto signals = sdl::SignalWatch::install();
    if (!signals) {
        std::fprintf(stderr, "velko01: %s\n", signals.error().c_str());
    }
    sdl::SignalWatch* const watch = signals ? signals->get() : nullptr;
    // The window stays hidden until start-up has placed it.
    auto window = sdl::SdlWindow::create(utf16ToUtf8(product.title));
    if (!window) {
        std::fprintf(stderr, "velko01: %s\n", window.error().c_str());
        return 1;
    }

    (*window)->setSignalWatch(watch);
    sdl::RealClock clock(watch);
    platform::EventPump pump(**window, clock);
    ui::Window frame(**window, **fonts);
    pump.setRouter(&frame);
    sdl::SdlDesktop desktop;
    platform::NullTrace trace;
    // No sound device is no reason not to play: the story runs silent after a notice.
    sdl::SdlAudio audio(clock, [](const std::string& notice) {
        std::fprintf(stderr, "velko01: %s\n", notice.c_str());
    });
    if (watch) {
        // Asked to end from outside, perhaps deep in a box, a pause or a fade: stop the sound,
        // close the window (which gives the desktop its display mode back) and end with the
        // status a close on the title screen gives.
        watch->setEnding([&](int) {
            audio.close(platform::AudioDevice::Midi);
            audio.close(platform::AudioDevice::Wave);
            audio.stopSound();
            window->reset();
            std::fflush(nullptr);
            std::_Exit(0);
        });
    }
    platform::Host host{clock, pump, frame, **fonts, desktop, trace, &audio};

    // Held for the program's whole life; a crashed or killed earlier instance leaves no
    // lock behind.
    std::optional<sdl::InstanceLock> lock;
    engine::Engine engine(host, *script, engine::GameFolder(gameDir), product);
    engine.anotherInstanceRunning = [&lock] {
        auto path = sdl::InstanceLock::defaultPath();
        auto acquired = path ? sdl::InstanceLock::acquire(*path)
                             : Result<sdl::InstanceLock>(makeError(path.error()));
        if (!acquired) {
            // Without a lock file the check cannot be made; playing is better than refusing.
            std::fprintf(stderr, "velko01: %s\n", acquired.error().c_str());
            return false;
        }
        const bool held = acquired->held();
        lock.emplace(std::move(acquired).value());
        return !held;
    };
    engine.run();
    return 0;
}
