// velko-headless: runs the real engine with the headless platform and the virtual clock,
// driven by a timed input file, writing trace.log and shots.

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "engine/product.h"
#include "script/builtin.h"
#include "script/script.h"
#include "platform/event_pump.h"
#include "platform/fonts/freetype_fonts.h"
#include "platform/headless/file_trace.h"
#include "platform/headless/headless_window.h"
#include "platform/headless/input_script.h"
#include "platform/headless/recording_desktop.h"
#include "platform/headless/silent_audio.h"
#include "platform/headless/virtual_clock.h"
#include "platform/host/host.h"
#include "platform/ui/window.h"

namespace {

constexpr const char* kUsage =
    "usage: velko-headless [--game DIR] [--script FILE] [--input FILE] [--out DIR] [--until MS]\n"
    "                      [--display WxHxBPP]\n"
    "Runs the player without a display on a virtual clock; writes OUT/trace.log and the shots\n"
    "the input asks for.\n"
    "Input events besides clicks, moves and keys: T wheel up|down (a notch of the wheel).\n";

int usageError(const std::string& message) {
    std::cerr << "velko-headless: " << message << "\n" << kUsage;
    return 2;
}

bool parseNumber(std::string_view s, std::uint64_t& out) {
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc{} && p == s.data() + s.size();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace velko;
    std::filesystem::path game = VELKO_GAME_DIR;
    std::optional<std::string> scriptFile;
    std::optional<std::string> inputFile;
    std::filesystem::path out = ".";
    std::optional<std::uint64_t> until;
    platform::DisplayInfo display{1024, 768, 32};

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= argc) {
                return std::nullopt;
            }
            return std::string(argv[++i]);
        };
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        std::optional<std::string> v;
        if (arg == "--game" || arg == "--script" || arg == "--input" || arg == "--out" ||
            arg == "--until" || arg == "--display") {
            v = value();
            if (!v) {
                return usageError(std::string(arg) + " needs a value");
            }
        } else {
            return usageError("unknown argument \"" + std::string(arg) + "\"");
        }
        if (arg == "--game") {
            game = *v;
        } else if (arg == "--script") {
            scriptFile = *v;
        } else if (arg == "--input") {
            inputFile = *v;
        } else if (arg == "--out") {
            out = *v;
        } else if (arg == "--until") {
            std::uint64_t ms = 0;
            if (!parseNumber(*v, ms)) {
                return usageError("--until takes milliseconds");
            }
            until = ms;
        } else if (arg == "--display") {
            int w = 0;
            int h = 0;
            int bpp = 0;
            char x1 = 0;
            char x2 = 0;
            std::istringstream in(*v);
            if (!(in >> w >> x1 >> h >> x2 >> bpp) || x1 != 'x' || x2 != 'x' || w <= 0 || h <= 0) {
                return usageError("--display takes WIDTHxHEIGHTxBITS, e.g. 1024x768x32");
            }
            display = {w, h, bpp};
        }
    }

    // The scenario: the built-in episode or the given file.
    Result<script::Script> loaded = scriptFile
                                        ? script::loadSourceFile(*scriptFile)
                                        : script::loadSource(script::builtinScenarioSource(),
                                                             script::builtinScenarioFileName());
    if (!loaded) {
        std::cerr << "velko-headless: " << loaded.error() << "\n";
        return 2;
    }

    headless::InputScript input;
    if (inputFile) {
        const auto text = script::readSourceFile(*inputFile);
        if (!text) {
            std::cerr << "velko-headless: " << text.error() << "\n";
            return 2;
        }
        auto parsed = headless::parseInputScript(*text, *inputFile);
        if (!parsed) {
            std::cerr << "velko-headless: " << parsed.error() << "\n";
            return 2;
        }
        input = std::move(parsed).value();
    }

    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    headless::VirtualClock clock;
    auto trace = headless::FileTrace::open(out / "trace.log", clock);
    if (!trace) {
        std::cerr << "velko-headless: " << trace.error() << "\n";
        return 2;
    }
    auto fonts = platform::FreeTypeFontLibrary::create();
    if (!fonts) {
        std::cerr << "velko-headless: " << fonts.error() << "\n";
        return 1;
    }

    headless::HeadlessWindow native(clock, std::move(input), out, until);
    native.setDisplay(display);
    platform::EventPump pump(native, clock);
    ui::Window window(native, **fonts);
    pump.setRouter(&window);
    headless::RecordingDesktop desktop;
    headless::SilentAudio audio(clock);
    platform::Host host{clock, pump, window, **fonts, desktop, **trace, &audio};
    native.setOnRunEnd([&] {
        pump.requestQuit();
        (*trace)->close();
    });

    {
        engine::Engine engine(host, *loaded, engine::GameFolder(game), engine::builtinProduct());
        engine.run();
    }
    native.flushShots();
    (*trace)->close();
    for (const auto& e : native.shotErrors()) {
        std::cerr << "velko-headless: cannot write shot " << e << "\n";
    }
    return 0;
}
