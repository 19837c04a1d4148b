#include "platform/sdl/sdl_events.h"

namespace velko::sdl {

using platform::InputEvent;

int shiftState(Uint16 mod) {
    int s = 0;
    if (mod & KMOD_SHIFT) {
        s |= platform::kShift;
    }
    if (mod & KMOD_CTRL) {
        s |= platform::kCtrl;
    }
    if (mod & KMOD_ALT) {
        s |= platform::kAlt;
    }
    return s;
}

int buttonBit(Uint8 sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT:
            return platform::kLeftButton;
        case SDL_BUTTON_RIGHT:
            return platform::kRightButton;
        case SDL_BUTTON_MIDDLE:
            return platform::kMiddleButton;
        default:
            return 0;
    }
}

int heldButtons(Uint32 sdlState) {
    int b = 0;
    for (Uint8 button : {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE}) {
        if (sdlState & SDL_BUTTON(button)) {
            b |= buttonBit(button);
        }
    }
    return b;
}

namespace {
bool isAltKey(SDL_Keycode k) {
    return k == SDLK_LALT || k == SDLK_RALT;
}
}  // namespace

std::optional<InputEvent> EventTranslator::translate(const SDL_Event& e, const Viewport& viewport,
                                                     int menuBarHeight, double ratioX,
                                                     double ratioY) {
    InputEvent out;
    const auto place = [&](int x, int y) {
        const LogicalPoint p = toLogical(viewport, x * ratioX, y * ratioY, menuBarHeight);
        out.x = p.x;
        out.y = p.y;
    };
    switch (e.type) {
        case SDL_QUIT:
            out.kind = InputEvent::Kind::Close;
            return out;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                out.kind = InputEvent::Kind::Close;
                return out;
            }
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                altAlone_ = false;
            }
            return std::nullopt;
        case SDL_KEYDOWN: {
            const SDL_Keycode k = e.key.keysym.sym;
            if (isAltKey(k)) {
                if (!e.key.repeat) {
                    altAlone_ = true;
                }
                return std::nullopt;
            }
            altAlone_ = false;
            const Uint16 mod = e.key.keysym.mod;
            const bool altEnter = (k == SDLK_RETURN || k == SDLK_KP_ENTER) && (mod & KMOD_ALT);
            if (k == SDLK_F11 || altEnter) {
                if (e.key.repeat) {
                    return std::nullopt;
                }
                out.kind = InputEvent::Kind::ToggleFullscreen;
                return out;
            }
            out.kind = InputEvent::Kind::KeyDown;
            out.key = SDL_GetKeyName(k);
            out.shift = shiftState(mod) | (e.key.repeat ? platform::kKeyRepeat : 0);
            if (out.key.empty()) {
                return std::nullopt;
            }
            return out;
        }
        case SDL_KEYUP:
            if (isAltKey(e.key.keysym.sym) && altAlone_) {
                altAlone_ = false;
                out.kind = InputEvent::Kind::KeyDown;
                out.key = SDL_GetKeyName(e.key.keysym.sym);
                out.shift = 0;
                return out;
            }
            if (isAltKey(e.key.keysym.sym)) {
                return std::nullopt;
            }
            out.kind = InputEvent::Kind::KeyUp;
            out.key = SDL_GetKeyName(e.key.keysym.sym);
            out.shift = shiftState(e.key.keysym.mod);
            if (out.key.empty()) {
                return std::nullopt;
            }
            return out;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            altAlone_ = false;
            out.kind = e.type == SDL_MOUSEBUTTONDOWN ? InputEvent::Kind::MouseDown
                                                     : InputEvent::Kind::MouseUp;
            out.button = buttonBit(e.button.button);
            if (out.button == 0) {
                return std::nullopt;
            }
            out.shift = shiftState(static_cast<Uint16>(SDL_GetModState()));
            place(e.button.x, e.button.y);
            return out;
        case SDL_MOUSEMOTION:
            out.kind = InputEvent::Kind::MouseMove;
            out.button = heldButtons(e.motion.state);
            out.shift = shiftState(static_cast<Uint16>(SDL_GetModState()));
            place(e.motion.x, e.motion.y);
            return out;
        case SDL_MOUSEWHEEL: {
            int notches = e.wheel.y;
            if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
                notches = -notches;
            }
            if (notches == 0) {
                return std::nullopt;
            }
            out.kind = InputEvent::Kind::Wheel;
            out.wheel = notches;
            out.shift = shiftState(static_cast<Uint16>(SDL_GetModState()));
            return out;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace velko::sdl
