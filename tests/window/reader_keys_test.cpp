// The reader's keys in the real window: the title menu chosen from the keyboard, the key list
// on F1 and the text history on Page Up, each frame compared with the same state in a
// headless run; the wheel opens and closes the history as well. The frames are also written
// to tests/window/program/ to be looked at.

#include <gtest/gtest.h>

#include "program_window.h"

namespace velko {
namespace {

using testing::ProgramWindow;

const char* const kScenario =
    "1\tST\n"
    "1001\tPA pic.bmp\n"
    "1002\t雨の音が、少しだけ遠くなった。\n"
    "1003\t「ねえ、聞こえる？」'R鳥居の下で、誰かが言った。\n"
    "1004\tKS\n";

TEST_F(ProgramWindow, TheTitleMenuFromTheKeyboardTheKeyListAndTheHistory) {
    game_.addPicture("BMP/title.bmp", test::solid(640, 480, 0x204080));
    game_.addPicture("BMP/button01.bmp", test::codedSheet(564, 344));
    game_.addPicture("BMP/pic.bmp", test::solid(640, 480, 0x336699));
    // The same states in a headless run.
    const auto ref = game_.run(kScenario,
                               "1000 shot title\n"
                               "1100 key Down\n1101 shot focus\n"
                               "1200 key F1\n1201 shot keys\n1300 answer ok\n"
                               "1400 key Return\n"
                               "5000 click 10 10\n9000 shot story\n"
                               "9100 key PageUp\n9101 shot history\n");
    ASSERT_EQ(ref.exitCode, 0) << ref.output;
    ASSERT_TRUE(ref.has("history open")) << ref.output;
    const std::initializer_list<ui::MenuItem> onTitle = {ui::MenuItem::Help, ui::MenuItem::Version};
    const std::initializer_list<ui::MenuItem> inStory = {ui::MenuItem::End, ui::MenuItem::Help,
                                                         ui::MenuItem::Version};

    auto p = start(kScenario, "reader_keys");
    ASSERT_TRUE(p);
    const unsigned long w = waitForWindow(*p);
    ASSERT_NE(w, 0u);
    const auto look = [&](const gfx::Bitmap& frame, const char* name) {
        const bool same = waitForFrame(*p, w, frame, name);
        if (auto shot = x_->capture(w); shot.ok()) {
            (void)gfx::savePng(testing::outDir() / (std::string(name) + ".png"), *shot);
        }
        return same;
    };
    ASSERT_TRUE(look(frameWith(ref.shot("title"), {}, onTitle), "keys_title"));
    ASSERT_TRUE(waitUntilWaiting(*p, true));
    ASSERT_TRUE(x_->sendKey(w, "Down"));
    EXPECT_TRUE(look(frameWith(ref.shot("focus"), {}, onTitle), "keys_title_focus"));
    ASSERT_TRUE(x_->sendKey(w, "F1"));
    EXPECT_TRUE(look(frameWith(ref.shot("keys"), {}, onTitle), "keys_f1_box"));
    // Return presses the box's OK; the next one chooses the focused entry.
    ASSERT_TRUE(x_->sendKey(w, "Return"));
    EXPECT_TRUE(look(frameWith(ref.shot("focus"), {}, onTitle), "keys_f1_closed"));
    ASSERT_TRUE(waitUntilWaiting(*p, true));
    ASSERT_TRUE(x_->sendKey(w, "Return"));
    ASSERT_TRUE(waitUntilWaiting(*p, true));
    ASSERT_TRUE(x_->sendKey(w, "Return"));
    const gfx::Bitmap story = frameWith(ref.shot("story"), {}, inStory);
    ASSERT_TRUE(look(story, "keys_story"));
    ASSERT_TRUE(waitUntilWaiting(*p, true));
    ASSERT_TRUE(x_->sendKey(w, "Prior"));
    EXPECT_TRUE(look(frameWith(ref.shot("history"), {}, inStory), "keys_history"));
    ASSERT_TRUE(x_->sendKey(w, "Escape"));
    EXPECT_TRUE(look(story, "keys_history_closed"));
    // The wheel: a notch up opens it, one down at its end closes it.
    ASSERT_TRUE(waitUntilWaiting(*p, true));
    ASSERT_TRUE(x_->sendButton(w, 4, 320, 240));
    EXPECT_TRUE(look(frameWith(ref.shot("history"), {}, inStory), "keys_history_wheel"));
    ASSERT_TRUE(x_->sendButton(w, 5, 320, 240));
    EXPECT_TRUE(look(story, "keys_history_wheel_closed"));
}

}  // namespace
}  // namespace velko
