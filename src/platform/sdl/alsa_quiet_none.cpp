#include "platform/sdl/alsa_quiet.h"

// Where there is no ALSA (a browser page, whose dlopen stops the program), nothing to silence.

namespace velko::sdl {

AlsaQuiet::AlsaQuiet() = default;
AlsaQuiet::~AlsaQuiet() = default;

}  // namespace velko::sdl
