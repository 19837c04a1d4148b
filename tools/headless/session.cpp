#include "session.h"

#include <memory>

#include "engine/engine.h"
#include "engine/product.h"
#include "platform/event_pump.h"
#include "platform/headless/file_trace.h"
#include "platform/headless/recording_desktop.h"
#include "platform/headless/silent_audio.h"
#include "platform/headless/virtual_clock.h"
#include "platform/host/host.h"
#include "platform/ui/window.h"
#include "store/store.h"

namespace velko::headless {
namespace {

// Hands each event to the trace file and to an observer.
class TeeTrace final : public platform::Trace {
public:
    TeeTrace(platform::Trace* first, platform::Trace* second) : first_(first), second_(second) {}
    void event(std::string_view kind, std::string_view details) override {
        if (closed_) {
            return;
        }
        errors_ += kind == "error" ? 1 : 0;
        if (first_) {
            first_->event(kind, details);
        }
        if (second_) {
            second_->event(kind, details);
        }
    }
    void close() { closed_ = true; }
    // Script errors that the trace recorded (none after the run's end).
    int errors() const { return errors_; }

private:
    platform::Trace* first_;
    platform::Trace* second_;
    bool closed_ = false;
    int errors_ = 0;
};

}  // namespace

Result<SessionResult> runSession(const script::Script& script, platform::FontLibrary& fonts,
                                 SessionOptions options) {
    VirtualClock clock;
    std::unique_ptr<FileTrace> file;
    if (options.traceFile) {
        auto opened = FileTrace::open(*options.traceFile, clock);
        if (!opened) {
            return makeError(opened.error());
        }
        file = std::move(opened).value();
    }
    TeeTrace trace(file.get(), options.observer);

    HeadlessWindow native(clock, std::move(options.input), options.out, options.until);
    native.setDisplay(options.display);
    platform::EventPump pump(native, clock);
    ui::Window window(native, fonts);
    pump.setRouter(&window);
    RecordingDesktop desktop;
    SilentAudio audio(clock);
    platform::Host host{clock, pump, window, fonts, desktop, trace, &audio};
    native.setOnRunEnd([&] {
        pump.requestQuit();
        if (file) {
            file->close();
        }
        trace.close();
    });
    if (options.onIdle) {
        native.setOnIdle([&native, &options] { options.onIdle(native); });
    }

    SessionResult result;
    {
        // Declared first: the engine writes what it keeps as it goes.
        std::optional<store::FolderStore> kept;
        engine::Engine engine(host, script, engine::GameFolder(options.game),
                              engine::builtinProduct());
        engine.programName = options.programName;
        engine.firstLine = options.firstLine;
        if (options.stateDir) {
            kept.emplace(store::FolderStore::under(*options.stateDir));
            engine.setStore(*kept);
        }
        engine.run();
    }
    result.scriptErrors = trace.errors();
    native.flushShots();
    if (file) {
        file->close();
    }
    result.shotErrors = native.shotErrors();
    return result;
}

}  // namespace velko::headless
