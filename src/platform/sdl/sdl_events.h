#pragma once

// SDL events to the program's input events: key names, mouse buttons and positions in
// logical coordinates, the full-screen keys, and a lone Alt press-and-release (which opens
// the keyboard menus) reported as one key-down of that Alt key.

#include <SDL.h>

#include <optional>

#include "platform/input.h"
#include "platform/sdl/viewport.h"

namespace velko::sdl {

class EventTranslator {
public:
    // `ratioX`/`ratioY`: output pixels per window coordinate (above 1 on high-density screens).
    std::optional<platform::InputEvent> translate(const SDL_Event& event, const Viewport& viewport,
                                                  int menuBarHeight, double ratioX = 1.0,
                                                  double ratioY = 1.0);

private:
    bool altAlone_ = false;
};

int shiftState(Uint16 mod);
int buttonBit(Uint8 sdlButton);
int heldButtons(Uint32 sdlState);

}  // namespace velko::sdl
