// The text question on a bare 640 by 480 surface with the real fonts: where the answers
// print and in which colour for each pointer position, which presses hand on an answer, and
// how the object ends inside its own press.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "branch/branch.h"
#include "platform/input.h"
#include "support/shared_fonts.h"

namespace velko::branch {
namespace {

using gfx::Bitmap;
using gfx::Pixel;

constexpr Pixel kGround = 0x203040;
constexpr Pixel kSilver = 0xC0C0C0;
constexpr Pixel kWhite = 0xFFFFFF;
const std::u16string kCommand = u"QE どちらへ行く？:丘の上の教会,2,500:海辺の灯台へ行く,-1,600";
const std::u16string kFirst = u"丘の上の教会";
const std::u16string kSecond = u"海辺の灯台へ行く";

// The font the answers must be printed with: the fixed-pitch gothic at a 19-pixel cell and
// 22-pixel full width, bold, one-bit.
std::shared_ptr<const platform::Font> answerFont() {
    platform::FontSpec request;
    request.face = platform::FontFace::Gothic;
    request.emHeight = 19;
    request.emWidth = 22;
    request.bold = true;
    request.antialias = false;
    return testing::fonts().open(request);
}

// The screen as the question must leave it: answer 1 at (50, 408), answer 2 at (50, 427),
// the highlighted one white, the other silver.
Bitmap expectedScreen(int hover) {
    Bitmap b(640, 480, kGround);
    const auto font = answerFont();
    font->draw(b, 50, 408, kFirst, hover == 1 ? kWhite : kSilver, b.rect());
    font->draw(b, 50, 427, kSecond, hover == 2 ? kWhite : kSilver, b.rect());
    return b;
}

struct Call {
    char kind;  // 'L' SetLineNumber, 'P' BranchSelect
    int value;
    friend bool operator==(const Call&, const Call&) = default;
};

struct QuestionRig {
    QuestionRig() { screen.setPicture(Bitmap(640, 480, kGround)); }

    Status show(std::u16string_view command = kCommand) {
        branch = std::make_shared<Branch>(
            [this](std::int16_t n) {
                calls.push_back({'L', n});
            },
            [this](std::int16_t p) {
                calls.push_back({'P', p});
                if (onSelect) {
                    onSelect();
                }
            });
        branch->setPictureBox(screen);
        branch->setCommand(command);
        return branch->subBranchDisp();
    }
    void move(double x, double y) { screen.mouseMove({0, 0, x, y}); }
    void press(double x, double y, int button = platform::kLeftButton) {
        screen.mouseDown({button, 0, x, y});
    }

    platform::Surface screen{"picDisp", 640, 480, &testing::fonts()};
    std::shared_ptr<Branch> branch;
    std::vector<Call> calls;
    std::function<void()> onSelect;
};

TEST(Branch, PrintsBothAnswersInSilverWithTheCrispAnswerFont) {
    QuestionRig rig;
    ASSERT_TRUE(rig.show().ok());
    EXPECT_EQ(rig.branch->row1(), 408);
    EXPECT_EQ(rig.branch->row2(), 427);
    EXPECT_EQ(rig.branch->zoneHeight(), 38);
    EXPECT_EQ(rig.screen.constImage(), expectedScreen(0));
    // The answer font stays selected into the surface while the question is shown.
    EXPECT_EQ(rig.screen.currentFont(), answerFont());
}

TEST(Branch, ThePointerHighlightsTheAnswerUnderItAndPressesOffThemDoNothing) {
    struct Case {
        double x, y;
        int hover;
    };
    // The zone spans x 40 to 600 and y 408 to 446, split at 427; every edge is outside.
    const Case cases[] = {
        {100, 415, 1},  {40.5, 408.5, 1}, {599.5, 426.9, 1}, {300, 435, 2}, {599.9, 445.9, 2},
        {41, 427.1, 2}, {40, 415, 0},     {600, 415, 0},     {300, 408, 0}, {300, 427, 0},
        {300, 446, 0},  {300, 407.5, 0},  {300, 460, 0},     {300, 380, 0}, {20, 435, 0},
        {620, 435, 0},  {-10, -10, 0},    {1e6, 415, 0},
    };
    QuestionRig rig;
    ASSERT_TRUE(rig.show().ok());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        rig.move(c.x, c.y);
        EXPECT_EQ(rig.branch->answerAt(c.x, c.y), c.hover);
        EXPECT_EQ(rig.branch->hoverState(), c.hover);
        EXPECT_EQ(rig.screen.constImage(), expectedScreen(c.hover));
        if (c.hover == 0) {
            rig.press(c.x, c.y);
        }
    }
    rig.press(100, 415, platform::kRightButton);
    rig.press(100, 415, platform::kMiddleButton);
    EXPECT_TRUE(rig.calls.empty());
    EXPECT_FALSE(rig.branch->answered());
}

TEST(Branch, MovesWithinOneAnswerDrawNothingAfterTheFirstAndARepaintRestsTheHighlight) {
    QuestionRig rig;
    ASSERT_TRUE(rig.show().ok());
    rig.move(100, 415);
    const auto drawn = rig.screen.version();
    rig.move(200, 420);
    rig.move(590, 410);
    EXPECT_EQ(rig.screen.version(), drawn);
    // Outside both answers while none is highlighted: nothing either.
    rig.move(300, 300);
    const auto rested = rig.screen.version();
    rig.move(300, 200);
    rig.move(300, 427);
    EXPECT_EQ(rig.screen.version(), rested);

    // A repaint shows both silver and keeps the hover state.
    rig.move(100, 415);
    rig.screen.paint();
    EXPECT_EQ(rig.screen.constImage(), expectedScreen(0));
    EXPECT_EQ(rig.branch->hoverState(), 1);
    // Still in answer 1: it stays silver until the pointer changes zone.
    rig.move(120, 416);
    EXPECT_EQ(rig.screen.constImage(), expectedScreen(0));
    rig.move(120, 440);
    EXPECT_EQ(rig.screen.constImage(), expectedScreen(2));
}

TEST(Branch, ALeftPressOnAnAnswerHandsOnItsLineThenItsPoints) {
    const std::pair<double, double> at[] = {{100, 415}, {300, 440}};
    const std::vector<Call> expected[] = {{{'L', 500}, {'P', 2}}, {{'L', 600}, {'P', -1}}};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        QuestionRig rig;
        ASSERT_TRUE(rig.show().ok());
        rig.press(at[i].first, at[i].second);
        EXPECT_EQ(rig.calls, expected[i]);
        EXPECT_TRUE(rig.branch->answered());

        // Answered: moves, repaints and presses no longer reach it.
        const auto drawn = rig.screen.version();
        rig.move(300, 440);
        rig.move(100, 415);
        rig.screen.paint();
        rig.press(100, 415);
        rig.press(300, 440);
        EXPECT_EQ(rig.screen.version(), drawn);
        EXPECT_EQ(rig.calls.size(), 2u);
    }
}

TEST(Branch, ReleasedInsideItsPressItFinishesAndLeavesTheScreenAndItsFont) {
    QuestionRig rig;
    ASSERT_TRUE(rig.show().ok());
    std::weak_ptr<Branch> watch = rig.branch;
    rig.onSelect = [&] { rig.branch.reset(); };
    rig.press(300, 440);
    EXPECT_EQ(rig.calls, (std::vector<Call>{{'L', 600}, {'P', -1}}));
    EXPECT_TRUE(watch.expired());
    // The surface prints with its own font again, and no longer feeds a listener.
    EXPECT_NE(rig.screen.currentFont(), answerFont());
    rig.move(100, 415);
    rig.press(100, 415);
    EXPECT_EQ(rig.calls.size(), 2u);
}

TEST(Branch, ACommandThatIsNoQuestionPrintsNothingAndTakesNoPress) {
    for (const std::u16string command : {u"QE どちらへ:丘,2,500", u"QE q:a,x,500:b,1,600", u"QE"}) {
        QuestionRig rig;
        EXPECT_FALSE(rig.show(command).ok());
        EXPECT_EQ(rig.screen.constImage(), Bitmap(640, 480, kGround));
        rig.move(100, 415);
        rig.press(100, 415);
        rig.screen.paint();
        EXPECT_TRUE(rig.calls.empty());
        EXPECT_EQ(rig.screen.constImage(), Bitmap(640, 480, kGround));
    }
}

}  // namespace
}  // namespace velko::branch
