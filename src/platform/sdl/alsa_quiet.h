#pragma once

// ALSA prints its own error lines to stderr while SDL probes for a sound device; on a
// machine without one that is eight lines before the program's one-line notice. SDL offers
// no switch for them, so the library's error handler is replaced before SDL loads it (the
// same loaded copy is used by both).

namespace velko::sdl {

class AlsaQuiet {
public:
    // Silences ALSA's messages when the library is present; nothing otherwise.
    AlsaQuiet();
    ~AlsaQuiet();
    AlsaQuiet(const AlsaQuiet&) = delete;
    AlsaQuiet& operator=(const AlsaQuiet&) = delete;

private:
    void* library_ = nullptr;
};

}  // namespace velko::sdl
