// velko01: the player, on SDL2, FreeType and the user's desktop.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/window_icon.h"
#include "base/episode_folder.h"
#include "base/utf.h"
#include "engine/engine.h"
#include "engine/game_folder.h"
#include "engine/product.h"
#include "platform/event_pump.h"
#include "platform/fonts/freetype_fonts.h"
#include "platform/gfx/image_io.h"
#include "platform/host/host.h"
#include "platform/sdl/instance_lock.h"
#include "platform/sdl/real_clock.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_desktop.h"
#include "platform/sdl/sdl_window.h"
#include "platform/sdl/signal_watch.h"
#include "platform/sdl/wallpaper.h"
#include "platform/sdl/window_icon.h"
#include "platform/trace.h"
#include "platform/ui/window.h"
#include "script/builtin.h"
#include "script/script.h"
#include "store/store.h"

namespace {

constexpr const char* kUsage =
    "usage: velko01 [--help] [--version] [--script FILE [--from LINE]] [--game DIR]\n"
    "Plays the episode. Left click reads on, right click shows the bare picture; the menu\n"
    "\"終了\" returns to the title. F11 or Alt+Enter: full screen. F10: the menu bar.\n"
    "Ctrl held or Tab: skip lines read before. A: automatic reading. - and =: volume down\n"
    "and up, M: mute. The place, the lines read and the volume are kept in the XDG folders.\n"
    "  --script FILE  play a scenario source instead of the episode (for its author); a\n"
    "                 script error ends the program with exit status 1 after its box\n"
    "  --from LINE    start the script at LINE once the window is open (no logo, no title),\n"
    "                 to try one scene\n"
    "  --game DIR     take BMP/, Music/ and Wall/ from DIR instead of the program's folder\n"
    "  --help         print this and exit\n"
    "  --version      print the version and exit\n"
    "Exit status: 0; 1 when the program cannot start or a --script run met a script error;\n"
    "2 on a usage error.\n";

int usageError(const std::string& message) {
    std::fprintf(stderr, "velko01: %s\n%s", message.c_str(), kUsage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace velko;
    std::optional<std::string> scriptFile;
    std::optional<std::filesystem::path> gameOption;
    std::optional<long> from;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--script" || arg == "--game" || arg == "--from") {
            if (i + 1 >= argc) {
                return usageError(std::string(arg) + (arg == "--script" ? " needs a scenario file"
                                                      : arg == "--game" ? " needs a folder"
                                                                        : " needs a line number"));
            }
            const std::string value = argv[++i];
            if (arg == "--script") {
                scriptFile = value;
            } else if (arg == "--game") {
                gameOption = value;
            } else {
                char* end = nullptr;
                from = std::strtol(value.c_str(), &end, 10);
                if (value.empty() || *end != '\0' || *from < script::kFirstLineNumber ||
                    *from > script::kLastLineNumber) {
                    return usageError("--from takes a line number from 1 to 32767, not \"" + value +
                                      "\"");
                }
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
        return usageError("unknown argument \"" + std::string(arg) + "\"");
    }
    // A folder the reader names must be one; playing black pictures in silence helps no one.
    if (gameOption) {
        if (auto problem = engine::unusableGameFolder(*gameOption)) {
            std::fprintf(stderr, "velko01: --game %s\n", problem->c_str());
            return 2;
        }
    }
    std::optional<std::filesystem::path> gameDir = gameOption;

    // An installed episode lasts; pictures from any other folder are copied before the
    // desktop is handed one as its wallpaper.
    bool installed = false;
    if (!gameDir) {
        const auto candidates = episodeFolderCandidates(executableFolder());
        auto found = findEpisodeFolder(candidates);
        if (!found) {
            std::fprintf(stderr, "velko01: %s\n", found.error().c_str());
            return 1;
        }
        gameDir = *found;
        installed = *gameDir == candidates[1];
    }

    auto script = scriptFile ? script::loadSourceFile(*scriptFile)
                             : script::loadSource(script::builtinScenarioSource(),
                                                  script::builtinScenarioFileName());
    if (!script) {
        std::fprintf(stderr, "velko01: %s\n", script.error().c_str());
        return 1;
    }
    if (from && !script->contains(static_cast<int>(*from))) {
        return usageError("--from " + std::to_string(*from) + ": " +
                          scriptFile.value_or(std::string(script::builtinScenarioFileName())) +
                          " has no line " + std::to_string(*from));
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

    if (auto icon = gfx::decodeBmp(app::windowIconBmp())) {
        sdl::setWindowIcon((*window)->handle(), *icon);
    }

    (*window)->setSignalWatch(watch);
    sdl::RealClock clock(watch);
    platform::EventPump pump(**window, clock);
    ui::Window frame(**window, **fonts);
    pump.setRouter(&frame);
    sdl::SdlDesktop desktop(installed ? std::nullopt : std::optional(sdl::wallpaperKeepFolder()));
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
    // Settings and the reading kept between runs; with no home folder, this run only.
    auto kept = store::FolderStore::forUser([](const char* name) { return std::getenv(name); });
    engine::Engine engine(host, *script, engine::GameFolder(*gameDir), product);
    engine.firstLine = static_cast<int>(from.value_or(script::kFirstLineNumber));
    if (kept) {
        engine.setStore(*kept);
    } else {
        std::fprintf(stderr, "velko01: no home folder; nothing is kept after this run\n");
    }
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
        if (!held) {
            // The window of the running one is all the reader sees; the terminal says why.
            if (acquired->holderPid() > 0) {
                std::fprintf(stderr, "velko01 is already running (pid %ld)\n",
                             acquired->holderPid());
            } else {
                std::fprintf(stderr, "velko01 is already running\n");
            }
        }
        lock.emplace(std::move(acquired).value());
        return !held;
    };
    engine.run();
    // An author's build fails on a script error; the reader's episode just goes on.
    return scriptFile && engine.scriptErrors() > 0 ? 1 : 0;
}
