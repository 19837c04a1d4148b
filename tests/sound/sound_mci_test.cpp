// The sound player's rules over a fake audio that logs what it is told: which device
// commands each operation sends, how the loop timer restarts a piece and when it goes away,
// when the wave the caller waits on counts as ended, and what happens to files that cannot
// be played.

#include "sound/sound_mci.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/event_pump.h"
#include "platform/fonts/freetype_fonts.h"
#include "platform/headless/file_trace.h"
#include "platform/headless/headless_window.h"
#include "platform/headless/recording_desktop.h"
#include "platform/headless/virtual_clock.h"
#include "platform/host.h"
#include "platform/ui/window.h"

namespace velko::sound {
namespace {

using platform::AudioDevice;
using platform::DeviceMode;
using Log = std::vector<std::string>;

const char* name(AudioDevice d) {
    return d == AudioDevice::Midi ? "midi" : "wave";
}

// Files whose name starts with "missing" cannot be opened; the modes are set by the test.
class FakeAudio final : public platform::Audio {
public:
    Status open(AudioDevice d, const std::filesystem::path& file) override {
        const std::string f = file.filename().string();
        log.push_back(std::string("open ") + name(d) + " " + f);
        if (f.rfind("missing", 0) == 0) {
            return makeError("Music/" + f + ": not found");
        }
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
    Status playSound(const std::filesystem::path& file, platform::SoundPlay how) override {
        const char* kinds[] = {"wait", "start", "loop"};
        const std::string f = file.filename().string();
        log.push_back(std::string("sound ") + kinds[static_cast<int>(how)] + " " + f);
        if (f.rfind("missing", 0) == 0) {
            return makeError("Music/" + f + ": not found");
        }
        return Ok{};
    }
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
          fonts_(platform::FreeTypeFontLibrary::create().value()),
          window_(native_, *fonts_),
          trace_(clock_),
          host_{clock_, pump_, window_, *fonts_, desktop_, trace_, &audio_},
          sound_(host_, [this](const std::string& m) { warnings_.push_back(m); }) {
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
    std::unique_ptr<platform::FreeTypeFontLibrary> fonts_;
    ui::Window window_;
    headless::RecordingDesktop desktop_;
    headless::MemoryTrace trace_;
    FakeAudio audio_;
    platform::Host host_;
    std::vector<std::string> warnings_;
    SoundMci sound_;
};

TEST(SoundMciCreation, EndsWhateverBothDevicesHeld) {
    FakeAudio audio;
    headless::VirtualClock clock;
    headless::HeadlessWindow native(clock, {}, "/tmp");
    platform::EventPump pump(native, clock);
    auto fonts = platform::FreeTypeFontLibrary::create().value();
    ui::Window window(native, *fonts);
    headless::RecordingDesktop desktop;
    platform::NullTrace trace;
    platform::Host host{clock, pump, window, *fonts, desktop, trace, &audio};
    SoundMci sound(host, {});
    EXPECT_EQ(audio.log, (Log{"stop midi", "close midi", "stop wave", "close wave"}));
    EXPECT_FALSE(sound.midiLooping());
}

TEST_F(SoundMciTest, MidiCommandsAndTheirOrder) {
    sound_.playMidi("/g/Music/a.mid");
    sound_.stopMidi();
    EXPECT_EQ(audio_.log, (Log{"stop midi", "close midi", "open midi a.mid", "play midi",
                               "stop midi", "close midi"}));
    // Stopping with nothing open sends both commands anyway, and nothing loops.
    audio_.log.clear();
    sound_.stopMidi();
    EXPECT_EQ(audio_.log, (Log{"stop midi", "close midi"}));
    EXPECT_FALSE(sound_.midiLooping());
}

TEST_F(SoundMciTest, LoopRestartsFromTheTimerOnlyOnceThePieceHasEnded) {
    sound_.PlayMidiLoop("/g/Music/loop.mid");
    EXPECT_TRUE(sound_.midiLooping());
    audio_.log.clear();
    let(1000);  // two ticks, the piece still playing
    EXPECT_EQ(audio_.count("mode midi"), 2);
    EXPECT_EQ(audio_.count("play midi"), 0);

    audio_.end(AudioDevice::Midi);
    let(500);
    EXPECT_EQ(audio_.count("play midi"), 1);
    EXPECT_EQ(sounds().back(), "1500 sound restart loop.mid");
    // Restarted, it plays again: the next ticks leave it alone.
    let(1000);
    EXPECT_EQ(audio_.count("play midi"), 1);
}

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

TEST_F(SoundMciTest, SimpleSoundsAndTheirWays) {
    const std::uint64_t waits = host_.waits;
    sound_.playWaveA("/g/Music/a.wav");
    sound_.playWaveB("/g/Music/b.wav");
    sound_.playWaveLoop("/g/Music/c.wav");
    sound_.stopWave();
    EXPECT_EQ(audio_.log,
              (Log{"sound wait a.wav", "sound start b.wav", "sound loop c.wav", "sound stop"}));
    // The blocking play let time pass, like a pause: a script loop around it is no spin.
    EXPECT_EQ(host_.waits, waits + 1);
    EXPECT_EQ(sounds(), (Log{"0 sound playWaveA a.wav", "0 sound playWaveB b.wav",
                             "0 sound playWaveLoop c.wav", "0 sound stopWave"}));
}

TEST_F(SoundMciTest, FilesThatCannotBePlayedAreReportedAndHoldNothingUp) {
    sound_.PlayMidiLoop("/g/Music/missing.mid");
    sound_.playWaveC("/g/Music/missing.wav");
    sound_.playWaveA("/g/Music/missing-a.wav");
    EXPECT_EQ(warnings_, (Log{"Music/missing.mid: not found (not played)",
                              "Music/missing.wav: not found (not played)",
                              "Music/missing-a.wav: not found (not played)"}));
    // The wait for the wave ends at once, and the loop never restarts what is not there.
    EXPECT_TRUE(sound_.GetWaveStop());
    let(2000);
    EXPECT_EQ(audio_.count("play midi"), 1);
    for (const auto& line : sounds()) {
        EXPECT_EQ(line.find("restart"), std::string::npos) << line;
    }
}

}  // namespace
}  // namespace velko::sound
