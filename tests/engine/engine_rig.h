#pragma once

// The engine on the headless platform, in the test's own process, so that re-entry points
// (MenuJump, BranchSelect, TitleSelect) can be called the way the choice objects will call
// them. The trace is kept in memory.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "script/script.h"
#include "platform/event_pump.h"
#include "platform/fonts/freetype_fonts.h"
#include "platform/gfx/image_io.h"
#include "platform/headless/file_trace.h"
#include "platform/headless/headless_window.h"
#include "platform/headless/recording_desktop.h"
#include "platform/headless/virtual_clock.h"
#include "platform/host/host.h"
#include "platform/ui/window.h"

namespace velko::test {

class EngineRig {
public:
    // `scenario` in the source format; `input` in the headless input format.
    EngineRig(const std::string& scenario, const std::string& input = "")
        : dir_(makeDir()),
          script_(script::loadSource(scenario, "test.txt").value()),
          native_(clock_, headless::parseInputScript(input, "input").value(), dir_),
          pump_(native_, clock_),
          fonts_(platform::FreeTypeFontLibrary::create().value()),
          window_(native_, *fonts_),
          trace_(clock_),
          host_{clock_, pump_, window_, *fonts_, desktop_, trace_} {
        pump_.setRouter(&window_);
        native_.setOnRunEnd([this] { pump_.requestQuit(); });
        for (const char* sub : {"BMP", "Music", "Wall"}) {
            std::filesystem::create_directories(dir_ / sub);
        }
    }
    ~EngineRig() {
        engine_.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    void addPicture(const std::string& relative, const gfx::Bitmap& bitmap) {
        (void)gfx::saveBmp24(dir_ / relative, bitmap);
    }
    void addFile(const std::string& relative) {
        std::filesystem::path p = dir_ / relative;
        std::FILE* f = std::fopen(p.c_str(), "wb");
        if (f) {
            std::fclose(f);
        }
    }
    // The title screen's three files.
    void addTitleAssets() {
        addPicture("BMP/title.bmp", gfx::Bitmap(640, 480, 0x102030));
        addPicture("BMP/button01.bmp", gfx::Bitmap(600, 400, 0x808080));
        addFile("Music/title.mid");
    }

    engine::Engine& engine() {
        if (!engine_) {
            engine_ = std::make_unique<engine::Engine>(host_, script_, engine::GameFolder(dir_),
                                                       engine::Product{u"Test", {}, {}, {}, {}});
        }
        return *engine_;
    }
    // Lets the program live on its events until the input is used up or it ends.
    void idle() {
        while (!engine().ended() && pump_.waitAndProcess()) {
        }
    }

    // Trace lines without their times.
    std::vector<std::string> events() const {
        std::vector<std::string> out;
        for (const auto& l : trace_.lines()) {
            out.push_back(l.substr(l.find(' ') + 1));
        }
        return out;
    }
    bool has(const std::string& event) const {
        for (const auto& e : events()) {
            if (e == event) {
                return true;
            }
        }
        return false;
    }
    int count(const std::string& event) const {
        int n = 0;
        for (const auto& e : events()) {
            n += e == event;
        }
        return n;
    }
    std::vector<int> executedLines() const {
        std::vector<int> out;
        for (const auto& e : events()) {
            if (e.rfind("line ", 0) == 0) {
                out.push_back(std::stoi(e.substr(5)));
            }
        }
        return out;
    }

    ui::Window& window() { return window_; }
    headless::MemoryTrace& trace() { return trace_; }

private:
    static std::filesystem::path makeDir() {
        char pattern[] = "/tmp/velko-engine-XXXXXX";
        return mkdtemp(pattern);
    }

    std::filesystem::path dir_;
    script::Script script_;
    headless::VirtualClock clock_;
    headless::HeadlessWindow native_;
    platform::EventPump pump_;
    std::unique_ptr<platform::FreeTypeFontLibrary> fonts_;
    ui::Window window_;
    headless::RecordingDesktop desktop_;
    headless::MemoryTrace trace_;
    platform::Host host_;
    std::unique_ptr<engine::Engine> engine_;
};

}  // namespace velko::test
