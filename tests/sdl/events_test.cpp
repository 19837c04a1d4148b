// Scaling and the way back: whole factors, centring on black, logical positions from window
// pixels, and the translation of SDL's events (keys, the full-screen keys, a lone Alt, the
// wheel).

#include <gtest/gtest.h>

#include "platform/sdl/sdl_events.h"
#include "platform/sdl/viewport.h"

namespace velko::sdl {
namespace {

using platform::InputEvent;

TEST(Viewport, LargestWholeFactorCentredOnBlack) {
    const Viewport exact = fitViewport(640, 500, 640, 500);
    EXPECT_EQ(exact.scale, 1);
    EXPECT_EQ(exact.x, 0);
    EXPECT_EQ(exact.y, 0);

    const Viewport wide = fitViewport(1400, 1100, 640, 500);
    EXPECT_EQ(wide.scale, 2);
    EXPECT_EQ(wide.x, 60);
    EXPECT_EQ(wide.y, 50);
    EXPECT_EQ(wide.w, 1280);

    // Full screen on 1920x1080: height allows only 2.
    const Viewport hd = fitViewport(1920, 1080, 640, 500);
    EXPECT_EQ(hd.scale, 2);
    EXPECT_EQ(hd.x, 320);
    EXPECT_EQ(hd.y, 40);

    // Smaller than the frame: still 1, centred (cut at the edges).
    const Viewport small = fitViewport(600, 400, 640, 500);
    EXPECT_EQ(small.scale, 1);
    EXPECT_EQ(small.x, -20);
    EXPECT_EQ(small.y, -50);
}

TEST(Viewport, FirstScaleLeavesRoomForDecorations) {
    EXPECT_EQ(fittingScale(1024, 768, 640, 500, 16, 48), 1);
    EXPECT_EQ(fittingScale(1920, 1050, 640, 500, 16, 48), 2);
    EXPECT_EQ(fittingScale(1920, 1040, 640, 500, 16, 48), 1);  // 1000 + 48 > 1040
    EXPECT_EQ(fittingScale(3840, 2100, 640, 500, 16, 48), 4);
    EXPECT_EQ(fittingScale(320, 200, 640, 500, 16, 48), 1);
}

TEST(Viewport, WindowPixelsToScreenLogical) {
    const Viewport v = fitViewport(1400, 1100, 640, 500);  // scale 2 at (60, 50)
    const LogicalPoint first = toLogical(v, 60, 50 + 2 * 20, 20);
    EXPECT_DOUBLE_EQ(first.x, 0.0);
    EXPECT_DOUBLE_EQ(first.y, 0.0);
    const LogicalPoint half = toLogical(v, 61, 91, 20);
    EXPECT_DOUBLE_EQ(half.x, 0.5);
    EXPECT_DOUBLE_EQ(half.y, 0.5);
    const LogicalPoint bar = toLogical(v, 100, 60, 20);  // inside the menu bar
    EXPECT_DOUBLE_EQ(bar.x, 20.0);
    EXPECT_DOUBLE_EQ(bar.y, -15.0);
}

SDL_Event keyEvent(Uint32 type, SDL_Keycode sym, Uint16 mod = 0, Uint8 repeat = 0) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    e.key.repeat = repeat;
    return e;
}

class TranslatorTest : public ::testing::Test {
protected:
    std::optional<InputEvent> run(const SDL_Event& e) { return t.translate(e, v, 20); }
    EventTranslator t;
    Viewport v = fitViewport(1400, 1100, 640, 500);
};

TEST_F(TranslatorTest, KeysByName) {
    auto e = run(keyEvent(SDL_KEYDOWN, SDLK_RETURN));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->kind, InputEvent::Kind::KeyDown);
    EXPECT_EQ(e->key, "Return");
    EXPECT_EQ(run(keyEvent(SDL_KEYDOWN, SDLK_SPACE))->key, "Space");
    EXPECT_EQ(run(keyEvent(SDL_KEYDOWN, SDLK_y))->key, "Y");
    EXPECT_EQ(run(keyEvent(SDL_KEYDOWN, SDLK_F10))->key, "F10");
    auto tab = run(keyEvent(SDL_KEYDOWN, SDLK_TAB, KMOD_LSHIFT));
    EXPECT_EQ(tab->key, "Tab");
    EXPECT_EQ(tab->shift, platform::kShift);
    EXPECT_EQ(run(keyEvent(SDL_KEYDOWN, SDLK_RETURN, KMOD_LCTRL, 1))->shift,
              platform::kCtrl | platform::kKeyRepeat);
    // Releases matter for held keys (Ctrl skips while held).
    auto up = run(keyEvent(SDL_KEYUP, SDLK_LCTRL));
    EXPECT_EQ(up->kind, InputEvent::Kind::KeyUp);
    EXPECT_EQ(up->key, "Left Ctrl");
}

TEST_F(TranslatorTest, FullScreenKeys) {
    EXPECT_EQ(run(keyEvent(SDL_KEYDOWN, SDLK_F11))->kind, InputEvent::Kind::ToggleFullscreen);
    EXPECT_FALSE(run(keyEvent(SDL_KEYDOWN, SDLK_F11, 0, 1))) << "a held key toggles once";
    run(keyEvent(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT));
    EXPECT_EQ(run(keyEvent(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT))->kind,
              InputEvent::Kind::ToggleFullscreen);
    // The Alt of Alt+Enter was not alone: releasing it opens no menu.
    EXPECT_FALSE(run(keyEvent(SDL_KEYUP, SDLK_LALT)));
}

TEST_F(TranslatorTest, LoneAltOpensTheMenusOnRelease) {
    EXPECT_FALSE(run(keyEvent(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT)));
    EXPECT_FALSE(run(keyEvent(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT, 1)));
    auto e = run(keyEvent(SDL_KEYUP, SDLK_LALT));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->kind, InputEvent::Kind::KeyDown);
    EXPECT_EQ(e->key, "Left Alt");

    // Alt used with a click or a key is not alone.
    run(keyEvent(SDL_KEYDOWN, SDLK_RALT));
    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.button = SDL_BUTTON_LEFT;
    run(click);
    EXPECT_FALSE(run(keyEvent(SDL_KEYUP, SDLK_RALT)));
    run(keyEvent(SDL_KEYDOWN, SDLK_RALT));
    run(keyEvent(SDL_KEYDOWN, SDLK_x, KMOD_RALT));
    EXPECT_FALSE(run(keyEvent(SDL_KEYUP, SDLK_RALT)));
}

TEST_F(TranslatorTest, MouseAtScaleTwoIsFractionalAndBelowTheMenuBar) {
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_RIGHT;
    e.button.x = 60 + 201;
    e.button.y = 50 + 40 + 101;
    auto down = run(e);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->kind, InputEvent::Kind::MouseDown);
    EXPECT_EQ(down->button, platform::kRightButton);
    EXPECT_DOUBLE_EQ(down->x, 100.5);
    EXPECT_DOUBLE_EQ(down->y, 50.5);

    e.type = SDL_MOUSEBUTTONUP;
    e.button.button = SDL_BUTTON_LEFT;
    EXPECT_EQ(run(e)->kind, InputEvent::Kind::MouseUp);

    SDL_Event m{};
    m.type = SDL_MOUSEMOTION;
    m.motion.x = 60;
    m.motion.y = 50;
    m.motion.state = SDL_BUTTON_LMASK | SDL_BUTTON_MMASK;
    auto move = run(m);
    EXPECT_EQ(move->button, platform::kLeftButton | platform::kMiddleButton);
    EXPECT_DOUBLE_EQ(move->y, -20.0);

    // On a high-density output window coordinates are half the pixels.
    auto dense = t.translate(e, v, 20, 2.0, 2.0);
    EXPECT_DOUBLE_EQ(dense->x, (2.0 * (60 + 201) - 60) / 2);
}

TEST_F(TranslatorTest, CloseRequests) {
    SDL_Event q{};
    q.type = SDL_QUIT;
    EXPECT_EQ(run(q)->kind, InputEvent::Kind::Close);
    SDL_Event w{};
    w.type = SDL_WINDOWEVENT;
    w.window.event = SDL_WINDOWEVENT_CLOSE;
    EXPECT_EQ(run(w)->kind, InputEvent::Kind::Close);
}

TEST_F(TranslatorTest, WheelNotchesUpArePositiveWhicheverWayTheDeviceCounts) {
    const auto wheel = [this](int y, Uint32 direction) {
        SDL_Event e{};
        e.type = SDL_MOUSEWHEEL;
        e.wheel.y = y;
        e.wheel.direction = direction;
        return run(e);
    };
    const auto up = wheel(1, SDL_MOUSEWHEEL_NORMAL);
    ASSERT_TRUE(up);
    EXPECT_EQ(up->kind, InputEvent::Kind::Wheel);
    EXPECT_EQ(up->wheel, 1);
    EXPECT_EQ(wheel(-2, SDL_MOUSEWHEEL_NORMAL)->wheel, -2);
    EXPECT_EQ(wheel(1, SDL_MOUSEWHEEL_FLIPPED)->wheel, -1);
    // A sideways turn only.
    EXPECT_FALSE(wheel(0, SDL_MOUSEWHEEL_NORMAL));
    EXPECT_EQ(run(keyEvent(SDL_KEYDOWN, SDLK_PAGEUP))->key, "PageUp");
}

}  // namespace
}  // namespace velko::sdl
