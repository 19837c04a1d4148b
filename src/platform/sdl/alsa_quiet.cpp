#include "platform/sdl/alsa_quiet.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>

namespace velko::sdl {

namespace {

extern "C" void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
using SetErrorHandler = int (*)(ErrorHandler);

}  // namespace

AlsaQuiet::AlsaQuiet() {
    // Only where SDL may try ALSA at all.
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    if (driver && *driver && !std::strstr(driver, "alsa")) {
        return;
    }
    // Loaded by name as SDL does, never linked: a machine without ALSA needs nothing here.
    library_ = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!library_) {
        return;
    }
    if (auto set =
            reinterpret_cast<SetErrorHandler>(dlsym(library_, "snd_lib_error_set_handler"))) {
        set(&ignoreAlsaError);
    }
}

AlsaQuiet::~AlsaQuiet() {
    if (library_) {
        // The handler lives in this program: put the library's own back before letting go.
        if (auto set =
                reinterpret_cast<SetErrorHandler>(dlsym(library_, "snd_lib_error_set_handler"))) {
            set(nullptr);
        }
        dlclose(library_);
    }
}

}  // namespace velko::sdl
