// A reveal step redraws the whole shown text and copies the 640 by 480 back buffer to the
// screen, every 25 ms. Both are measured against a plain copy of the screen from the same
// run; the goal is a step well under a tenth of its 25 ms.

#include <benchmark/benchmark.h>

#include <string>

#include "base/utf.h"
#include "common/ratio_reporter.h"
#include "message/message_disp.h"
#include "message/text_layout.h"
#include "platform/event_pump.h"
#include "platform/gfx/raster.h"
#include "platform/host/host.h"
#include "platform/ui/window.h"
#include "support/fake_platform.h"
#include "support/shared_fonts.h"

namespace {

using namespace velko;

using velko::testing::fonts;

// Five lines, 140 characters with the markers: the story's longest messages.
std::u16string fiveLines() {
    return message::MessageDisp::ChangeMessage(
        u16("「ねえ、聞こえる？　あの鐘の音」ﾀｲﾄﾙは〈ﾍﾞﾙｺ〉'R"
            "彼女はそう言って、丘の上の古い教会を指さした。ほら、'R"
            "夕暮れの風が草を揺らし、遠くで汽笛が鳴った・・・ね。'R"
            "僕は耳を澄ませたけれど、何も聞こえなかった。でも――'R"
            "……いや、本当は聞こえていたのかもしれない。(END)"));
}

gfx::Bitmap scene() {
    gfx::Bitmap bmp(640, 480);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            bmp.set(x, y, gfx::rgb(static_cast<std::uint8_t>(x / 3), 90, 120));
        }
    }
    return bmp;
}

void ScreenCopy(benchmark::State& state) {
    const gfx::Bitmap from = scene();
    gfx::Bitmap to(640, 480);
    for (auto _ : state) {
        gfx::bitBlt(to, 0, 0, 640, 480, from, 0, 0, gfx::Rop::SrcCopy);
        benchmark::DoNotOptimize(to.pixels().data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ScreenCopy);

// The last step: the whole text redrawn over itself, then the screen copy.
void RevealStep(benchmark::State& state) {
    platform::FontSpec request;
    request.emHeight = 19;
    request.emWidth = 22;
    request.bold = true;
    request.antialias = false;
    const auto font = fonts().open(request);
    const std::u16string text = fiveLines();
    const auto lines = message::layoutText(*font, text, message::MessageDisp::kTextArea.w);
    gfx::Bitmap backBuffer = scene();
    gfx::Bitmap screen(640, 480);
    for (auto _ : state) {
        message::drawLines(backBuffer, *font, text, lines, text.size(),
                           message::MessageDisp::kTextArea, gfx::kWhite);
        gfx::bitBlt(screen, 0, 0, 640, 480, backBuffer, 0, 0, gfx::Rop::SrcCopy);
        benchmark::DoNotOptimize(screen.pixels().data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(RevealStep);

// Time stands still. Unlike the tests' clock it remembers no waits, so long runs stay flat.
class NullClock final : public platform::Clock {
public:
    std::uint32_t tickCount() override { return now_; }
    void sleep(std::uint32_t ms) override { now_ += ms; }
    void waitElapsed(std::uint32_t start, std::uint32_t period) override {
        now_ = start + period + 1;
    }

private:
    std::uint32_t now_ = 0;
};

// Hands each frame to the optimiser so that composing it is not left out.
class NullWindow final : public velko::testing::NullNativeWindow {
public:
    void present(const gfx::Bitmap& frame, int) override {
        benchmark::DoNotOptimize(frame.pixels().data());
    }
};

// A whole reveal through MessageDisp with time standing still: every step as the program
// runs it, window composition included. The "step" column is the time of one step.
void WholeReveal(benchmark::State& state) {
    NullClock clock;
    NullWindow native;
    platform::EventPump pump(native, clock);
    ui::Window window(native, fonts());
    velko::testing::NoDesktop desktop;
    platform::NullTrace trace;
    platform::Host host{clock, pump, window, fonts(), desktop, trace};
    platform::Surface picDisp("picDisp", 640, 480, &fonts());
    platform::Surface picBackBuff("picBackBuff", 640, 480, &fonts());
    picBackBuff.setPicture(scene());
    window.setScreen(&picDisp);
    pump.setRouter(&window);
    message::MessageDisp disp(host, picDisp);
    const std::u16string text = fiveLines();
    const double steps =
        static_cast<double>(text.size() % 2 ? (text.size() + 1) / 2 : text.size() / 2 + 1);
    for (auto _ : state) {
        disp.messageDisp(picBackBuff, 0, text, 25);
    }
    state.counters["step"] = benchmark::Counter(
        steps, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(WholeReveal);

}  // namespace

int main(int argc, char** argv) {
    return velko::bench::runWithRatios(argc, argv, "ScreenCopy");
}
