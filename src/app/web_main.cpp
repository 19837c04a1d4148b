// velko01 in a browser page: the same engine on the SDL window and mixer, with the page's
// waits, tabs and downloads, music from renderings, and the fonts from the program's files.

#include <cstdio>
#include <filesystem>
#include <string>

#include "base/utf.h"
#include "engine/engine.h"
#include "engine/game_folder.h"
#include "engine/product.h"
#include "platform/event_pump.h"
#include "platform/fonts/freetype_fonts.h"
#include "platform/host/host.h"
#include "platform/sdl/real_clock.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/trace.h"
#include "platform/ui/window.h"
#include "platform/web/browser_time.h"
#include "platform/web/page_bridge.h"
#include "platform/web/web_desktop.h"
#include "platform/web/web_music.h"
#include "platform/web/web_window.h"
#include "script/builtin.h"
#include "script/script.h"
#include "store/store.h"

namespace {

// Where the page's data package puts the episode and the fonts, and where the page serves
// the files that are fetched only when needed (music renderings, wallpapers).
const std::filesystem::path kGameDir = "/game";
constexpr const char* kGameUrl = "game/";
const std::filesystem::path kFontDir = "/fonts";
// Settings, lines read and the place in the story, kept in the browser's storage.
constexpr const char* kKeptDir = "/kept";

}  // namespace

int main() {
    using namespace velko;
    auto script =
        script::loadSource(script::builtinScenarioSource(), script::builtinScenarioFileName());
    if (!script) {
        std::fprintf(stderr, "velko01: %s\n", script.error().c_str());
        return 1;
    }
    const engine::Product& product = engine::builtinProduct();
    auto fonts = platform::FreeTypeFontLibrary::create(
        platform::FontFiles{{kFontDir / "ipag.ttf", 0}, {kFontDir / "ipagp.ttf", 0}});
    if (!fonts) {
        std::fprintf(stderr, "velko01: %s\n", fonts.error().c_str());
        return 1;
    }
    auto window = web::WebWindow::create(utf16ToUtf8(product.title));
    if (!window) {
        std::fprintf(stderr, "velko01: %s\n", window.error().c_str());
        return 1;
    }

    web::BrowserTimeSource time;
    sdl::RealClock clock(time);
    platform::EventPump pump(**window, clock);
    ui::Window frame(**window, **fonts);
    pump.setRouter(&frame);
    web::WebDesktop desktop(kGameDir, kGameUrl);
    platform::NullTrace trace;
    web::WebMusic music(kGameDir, kGameUrl);
    sdl::SdlAudio audio(
        clock,
        [](const std::string& notice) { std::fprintf(stderr, "velko01: %s\n", notice.c_str()); },
        [&music](const std::filesystem::path& midi) { return music.rendering(midi); });
    platform::Host host{clock, pump, frame, **fonts, desktop, trace, &audio};

    // One page is one reader: no other instance to look for.
    engine::Engine engine(host, *script, engine::GameFolder(kGameDir), product);
    // What the desktop keeps in the XDG folders; a browser that refuses storage keeps it for
    // this visit only, after a line in the page's log.
    (void)velko_keep_folder(kKeptDir);
    store::FolderStore kept = store::FolderStore::under(kKeptDir);
    engine.setStore(kept);
    engine.run();
    velko_ended(0);
    return 0;
}
