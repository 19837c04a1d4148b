// The sound player's rules over a fake audio that logs what it is told: at most one loop
// timer, a loop that ends when anything else happens to the music (even from inside the
// timer's own event processing), and the wave the caller waits on. Timings and missing files
// are checked through velko-headless.

#include "sound/sound_mci.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/event_pump.h"
#include "platform/headless/file_trace.h"
#include "platform/headless/headless_window.h"
#include "platform/headless/recording_desktop.h"
#include "platform/headless/virtual_clock.h"
#include "platform/host/host.h"
#include "platform/ui/window.h"
#include "support/fake_platform.h"

namespace velko::sound {
namespace {

using platform::AudioDevice;
using platform::DeviceMode;
using Log = std::vector<std::string>;

const char* name(AudioDevice d) {
    return d == AudioDevice::Midi ? "midi" : "wave";
}

// Every file opens; the pieces and waves end when the test says so.
class FakeAudio final : public platform::Audio {
public:
    Status open(AudioDevice d, const std::filesystem::path& file) override {
        const std::string f = file.filename().string();
        log.push_back(std::string("open ") + name(d) + " " + f);
        modes[d] = DeviceMode::Stopped;
        return Ok{};
    }
    void play(AudioDevice d) override {
        log.push_back(std::string("play ") + name(d));
        if (modes[d] != DeviceMode::NotOpen) {
            modes[d] = DeviceMode::Playing;
        }
    }
    void stop(AudioDevice d) override {
        log.push_back(std::string("stop ") + name(d));
        if (modes[d] != DeviceMode::NotOpen) {
            modes[d] = DeviceMode::Stopped;
        }
    }
    void close(AudioDevice d) override {
        log.push_back(std::string("close ") + name(d));
        modes[d] = DeviceMode::NotOpen;
    }
    DeviceMode mode(AudioDevice d) override {
        log.push_back(std::string("mode ") + name(d));
        return modes[d];
    }
    Status playSound(const std::filesystem::path&, platform::SoundPlay) override { return Ok{}; }
    void stopSound() override { log.push_back("sound stop"); }

    // The piece or wave comes to its end by itself.
    void end(AudioDevice d) { modes[d] = DeviceMode::Stopped; }
    int count(const std::string& entry) const {
        return static_cast<int>(std::count(log.begin(), log.end(), entry));
    }

    Log log;
    std::map<AudioDevice, DeviceMode> modes{{AudioDevice::Midi, DeviceMode::NotOpen},
                                            {AudioDevice::Wave, DeviceMode::NotOpen}};
};

class SoundMciTest : public ::testing::Test {
protected:
    SoundMciTest()
        : native_(clock_, {}, "/tmp"),
          pump_(native_, clock_),
          window_(native_, fonts_),
          trace_(clock_),
          host_{clock_, pump_, window_, fonts_, desktop_, trace_, &audio_},
          sound_(host_, {}) {
        audio_.log.clear();
    }

    // Lets `ms` of virtual time pass with events processed every 10 ms, as the interpreter's
    // waits do, so that the loop timer fires on time.
    void let(std::uint32_t ms) {
        for (std::uint32_t t = 0; t < ms; t += 10) {
            clock_.sleep(10);
            pump_.processEvents();
        }
    }
    std::vector<std::string> sounds() const {
        std::vector<std::string> out;
        for (const auto& l : trace_.lines()) {
            if (l.find(" sound ") != std::string::npos) {
                out.push_back(l);
            }
        }
        return out;
    }

    headless::VirtualClock clock_;
    headless::HeadlessWindow native_;
    platform::EventPump pump_;
    velko::testing::BlankFonts fonts_;  // the window is never drawn
    ui::Window window_;
    headless::RecordingDesktop desktop_;
    headless::MemoryTrace trace_;
    FakeAudio audio_;
    platform::Host host_;
    SoundMci sound_;
};

TEST_F(SoundMciTest, ANewLoopReplacesTheOldOneAndItsTimer) {
    sound_.PlayMidiLoop("/g/Music/first.mid");
    let(200);
    sound_.PlayMidiLoop("/g/Music/second.mid");
    // The first piece ends at once, before the second opens.
    EXPECT_EQ(std::vector<std::string>(audio_.log.end() - 4, audio_.log.end()),
              (Log{"stop midi", "close midi", "open midi second.mid", "play midi"}));
    audio_.log.clear();
    let(2000);
    // One timer is left: one question a tick.
    EXPECT_EQ(audio_.count("mode midi"), 4);
}

TEST_F(SoundMciTest, PlayMidiOrStopMidiEndsTheLoop) {
    sound_.PlayMidiLoop("/g/Music/loop.mid");
    sound_.playMidi("/g/Music/once.mid");
    EXPECT_FALSE(sound_.midiLooping());
    audio_.end(AudioDevice::Midi);
    audio_.log.clear();
    let(2000);
    // The piece that ends while nothing loops is not started again, and no timer asks.
    EXPECT_EQ(audio_.log, Log{});

    sound_.PlayMidiLoop("/g/Music/loop.mid");
    sound_.stopMidi();
    audio_.end(AudioDevice::Midi);
    audio_.log.clear();
    let(2000);
    EXPECT_EQ(audio_.log, Log{});
}

TEST_F(SoundMciTest, AStopDuringTheTimersOwnEventProcessingIsNotUndone) {
    sound_.PlayMidiLoop("/g/Music/loop.mid");
    audio_.end(AudioDevice::Midi);
    // Another timer, due with the loop's, stands for a click that stops the music while the
    // loop timer processes events.
    platform::TimerId stopper = 0;
    stopper = pump_.setTimer(500, [&] {
        sound_.stopMidi();
        pump_.killTimer(stopper);
    });
    let(3000);
    EXPECT_EQ(audio_.count("play midi"), 1);  // only the first start
    EXPECT_FALSE(sound_.midiLooping());
    for (const auto& line : sounds()) {
        EXPECT_EQ(line.find("restart"), std::string::npos) << line;
    }
}

TEST_F(SoundMciTest, TheWaitedForWaveEndsByItselfAndIsClosedWhenAskedAbout) {
    sound_.playWaveC("/g/Music/voice.wav");
    EXPECT_EQ(audio_.log, (Log{"stop wave", "close wave", "open wave voice.wav", "play wave"}));
    EXPECT_FALSE(sound_.GetWaveStop());
    // The simple sound is another channel: stopping it leaves this wave playing.
    sound_.stopWave();
    EXPECT_FALSE(sound_.GetWaveStop());

    audio_.end(AudioDevice::Wave);
    audio_.log.clear();
    EXPECT_TRUE(sound_.GetWaveStop());
    EXPECT_EQ(audio_.log, (Log{"mode wave", "close wave"}));
    // Closed, it stays ended.
    EXPECT_TRUE(sound_.GetWaveStop());
}

}  // namespace
}  // namespace velko::sound
