// The file loading that the silent audio of headless runs shares with the program's audio:
// files are found without regard to letter case and refused with a message naming them when
// they cannot be played. (How long they play is checked through velko-headless.)

#include "platform/headless/silent_audio.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/headless/virtual_clock.h"
#include "formats/sound_file.h"
#include "test_sounds.h"

namespace velko::headless {
namespace {

using platform::AudioDevice;
using platform::DeviceMode;
using platform::SoundPlay;

class SilentAudioTest : public ::testing::Test {
protected:
    SilentAudioTest() {
        char pattern[] = "/tmp/velko-sound-XXXXXX";
        dir_ = mkdtemp(pattern);
        std::filesystem::create_directories(dir_ / "Music");
    }
    ~SilentAudioTest() override {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::filesystem::path add(const std::string& name, const std::string& bytes) {
        const auto p = dir_ / "Music" / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
    std::filesystem::path music(const std::string& name) const { return dir_ / "Music" / name; }

    std::filesystem::path dir_;
    VirtualClock clock_;
    SilentAudio audio_{clock_};
};

TEST_F(SilentAudioTest, NamesMatchWithoutRegardToLetterCase) {
    add("Velko01.MID", test::noteMidi(500));
    ASSERT_TRUE(audio_.open(AudioDevice::Midi, music("velko01.mid")));
    const auto loaded = sound::loadSoundFile(music("VELKO01.mid"), sound::SoundKind::Midi);
    ASSERT_TRUE(loaded) << loaded.error();
    EXPECT_EQ(loaded->path.filename(), "Velko01.MID");
    EXPECT_EQ(loaded->durationMs, 500u);
}

TEST_F(SilentAudioTest, UnplayableFilesAreRefusedWithTheirNameAndLeaveTheDeviceClosed) {
    add("noise.mid", "MThd but not really a MIDI file");
    add("short.wav", test::toneWave(300).substr(0, 30));
    add("tune.mid", test::noteMidi(300));
    std::filesystem::create_directories(music("folder.wav"));
    struct Case {
        AudioDevice device;
        const char* file;
        const char* message;
    };
    const Case cases[] = {
        {AudioDevice::Midi, "absent.mid", "Music/absent.mid: not found"},
        {AudioDevice::Midi, "noise.mid", "Music/noise.mid: "},
        {AudioDevice::Wave, "short.wav", "Music/short.wav: "},
        {AudioDevice::Wave, "tune.mid", "Music/tune.mid: not a RIFF/WAVE file"},
        {AudioDevice::Wave, "folder.wav", "Music/folder.wav: not a file"},
    };
    add("ok.wav", test::toneWave(300));
    for (const auto& c : cases) {
        // Something was open before: a failed open leaves the device closed all the same.
        ASSERT_TRUE(audio_.open(
            c.device, c.device == AudioDevice::Midi ? music("tune.mid") : music("ok.wav")));
        const Status opened = audio_.open(c.device, music(c.file));
        ASSERT_FALSE(opened) << c.file;
        EXPECT_EQ(opened.error().rfind(c.message, 0), 0u) << opened.error();
        EXPECT_EQ(audio_.mode(c.device), DeviceMode::NotOpen) << c.file;
    }
    const Status played = audio_.playSound(music("absent.wav"), SoundPlay::Wait);
    ASSERT_FALSE(played);
    EXPECT_EQ(played.error(), "Music/absent.wav: not found");
    EXPECT_EQ(clock_.now(), 0u);
}

}  // namespace
}  // namespace velko::headless
