// libFuzzer: arbitrary bytes as a picture, a wave and a MIDI file from the game's folders.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/gfx/image_io.h"
#include "formats/midi_info.h"
#include "formats/wave_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    (void)velko::gfx::decodeBmp(bytes);
    (void)velko::sound::inspectWave(bytes);
    (void)velko::sound::inspectMidi(bytes);
    return 0;
}
