// Message boxes in their nested loop: keyboard and mouse answers, answers from the headless
// input, and the box leaving the window on every way out.

#include <gtest/gtest.h>

#include "fakes.h"
#include "platform/event_pump.h"
#include "platform/ui/message_box.h"
#include "platform/ui/message_box_view.h"
#include "platform/ui/window.h"

namespace velko::ui {
namespace {

using namespace velko::testing;
using platform::DialogAnswer;
using platform::InputEvent;

MessageBoxSpec request(Buttons buttons, int defaultButton = 0) {
    MessageBoxSpec s;
    s.text = u"ﾀｲﾄﾙに戻りますか？";
    s.title = u"ベルコ";
    s.buttons = buttons;
    s.icon = Icon::Question;
    s.defaultButton = defaultButton;
    return s;
}

class MessageBoxTest : public ::testing::Test {
protected:
    MessageBoxTest() : native(&clock), pump(native, clock), window(native, fonts) {
        pump.setRouter(&window);
    }

    // Runs a box over the queued input.
    std::optional<DialogAnswer> run(const MessageBoxSpec& s,
                                    std::initializer_list<InputEvent> input) {
        for (const auto& e : input) {
            native.push(e);
        }
        auto result = messageBox(window, pump, s);
        EXPECT_FALSE(window.hasOverlay()) << "the box must leave the window";
        return result;
    }

    // Where the box's buttons lie, from a box laid out like the one messageBox() shows.
    gfx::Rect button(const MessageBoxSpec& s, int i) {
        return MessageBoxView(fonts, s).buttonRect(i);
    }

    ManualClock clock;
    FakeNativeWindow native;
    BoxFontLibrary fonts;
    platform::EventPump pump;
    Window window;
};

TEST_F(MessageBoxTest, EnterEscapeAndLetters) {
    EXPECT_EQ(run(request(Buttons::YesNoCancel, 1), {key("Return")}), DialogAnswer::No);
    EXPECT_EQ(run(request(Buttons::YesNoCancel), {key("Keypad Enter")}), DialogAnswer::Yes);
    EXPECT_EQ(run(request(Buttons::YesNoCancel), {key("Escape")}), DialogAnswer::Cancel);
    EXPECT_EQ(run(request(Buttons::YesNo), {key("Escape")}), DialogAnswer::No);
    EXPECT_EQ(run(request(Buttons::Ok), {key("Escape")}), DialogAnswer::Ok);
    EXPECT_EQ(run(request(Buttons::YesNoCancel, 2), {key("Y")}), DialogAnswer::Yes);
    EXPECT_EQ(run(request(Buttons::YesNoCancel), {key("n")}), DialogAnswer::No);
    // Letters of absent buttons do nothing.
    EXPECT_EQ(run(request(Buttons::Ok), {key("Y"), key("N"), key("Return")}), DialogAnswer::Ok);
}

TEST_F(MessageBoxTest, FocusMovesWithTabAndArrows) {
    EXPECT_EQ(run(request(Buttons::YesNoCancel), {key("Tab"), key("Return")}), DialogAnswer::No);
    EXPECT_EQ(run(request(Buttons::YesNoCancel), {key("Tab", platform::kShift), key("Return")}),
              DialogAnswer::Cancel);
    EXPECT_EQ(run(request(Buttons::YesNoCancel, 1), {key("Right"), key("Space")}),
              DialogAnswer::Cancel);
    EXPECT_EQ(run(request(Buttons::YesNoCancel, 2), {key("Down"), key("Return")}),
              DialogAnswer::Yes);
    EXPECT_EQ(run(request(Buttons::YesNo, 0), {key("Left"), key("Return")}), DialogAnswer::No);
    EXPECT_EQ(run(request(Buttons::YesNo, 1), {key("Up"), key("Return")}), DialogAnswer::Yes);
}

TEST_F(MessageBoxTest, MousePressAndReleaseOnAButton) {
    const auto s = request(Buttons::YesNoCancel, 0);
    const gfx::Rect no = button(s, 1);
    const gfx::Rect cancel = button(s, 2);
    const double nx = no.x + 5.5;
    const double ny = no.y + 5.5;
    EXPECT_EQ(run(s, {down(nx, ny), up(nx, ny)}), DialogAnswer::No);
    // Released beside the button: nothing; the press also moved the focus to No.
    EXPECT_EQ(run(s, {down(nx, ny), move(nx, ny - 40), up(nx, ny - 40), key("Return")}),
              DialogAnswer::No);
    // Pressed on one button and released on another: nothing.
    EXPECT_EQ(run(s, {down(nx, ny), up(cancel.x + 3, cancel.y + 3), key("Escape")}),
              DialogAnswer::Cancel);
    // A release without a press (the click that opened the box) and right clicks: nothing.
    EXPECT_EQ(run(s, {up(nx, ny), down(nx, ny, platform::kRightButton),
                      up(nx, ny, platform::kRightButton), key("Return")}),
              DialogAnswer::Yes);
}

TEST_F(MessageBoxTest, ButtonLooksPressedOnlyWhileThePointerIsOnIt) {
    const auto s = request(Buttons::YesNo);
    MessageBoxView view(fonts, s);
    const gfx::Rect yes = view.buttonRect(0);
    const auto face = [&] {
        gfx::Bitmap f(640, 480);
        view.draw(f, 0);
        return f.at(yes.x + 1, yes.y + 1);  // inside the frame: light raised, grey sunken
    };
    EXPECT_EQ(face(), 0xFFFFFFu);
    view.onMouseDown(yes.x + 5, yes.y + 5, platform::kLeftButton);
    EXPECT_EQ(face(), 0x808080u);
    view.onMouseMove(yes.x - 50, yes.y, 1);
    EXPECT_EQ(face(), 0xFFFFFFu);
    view.onMouseMove(yes.x + 5, yes.y + 5, 1);
    EXPECT_EQ(face(), 0x808080u);
    view.onMouseUp(yes.x + 5, yes.y + 5, platform::kLeftButton);
    EXPECT_EQ(view.result(), DialogAnswer::Yes);
}

TEST_F(MessageBoxTest, AnswerEventsPressOnlyButtonsTheBoxHas) {
    EXPECT_EQ(run(request(Buttons::YesNo), {answer(DialogAnswer::Cancel), answer(DialogAnswer::Ok),
                                            answer(DialogAnswer::No)}),
              DialogAnswer::No);
    EXPECT_EQ(run(request(Buttons::Ok), {answer(DialogAnswer::Yes), answer(DialogAnswer::Ok)}),
              DialogAnswer::Ok);
}

TEST_F(MessageBoxTest, LeavesTheWindowWhenTheRunEnds) {
    EXPECT_EQ(run(request(Buttons::YesNo), {key("Tab")}), std::nullopt);
    pump.requestQuit();
    EXPECT_EQ(run(request(Buttons::YesNo), {}), std::nullopt);
}

TEST_F(MessageBoxTest, CloseWaitsForTheBoxAndBoxesNestInMenuCommands) {
    struct Listener : WindowListener {
        Window* window;
        platform::EventPump* pump;
        std::vector<std::string> log;
        void onCloseRequest() override { log.push_back("close"); }
        void onMenuCommand(platform::MenuCommand) override {
            auto a = messageBox(*window, *pump, request(Buttons::YesNoCancel, 1));
            log.push_back(a == DialogAnswer::Cancel ? "cancel" : "other");
        }
    } listener;
    listener.window = &window;
    listener.pump = &pump;
    window.setListener(&listener);
    window.setMenuEnabled(MenuItem::End, true);
    native.push(menu(platform::MenuCommand::End));
    native.push(simple(InputEvent::Kind::Close));
    native.push(key("Escape"));
    pump.processEvents();
    EXPECT_EQ(listener.log, (std::vector<std::string>{"cancel", "close"}));
    EXPECT_FALSE(window.hasOverlay());
}

}  // namespace
}  // namespace velko::ui
