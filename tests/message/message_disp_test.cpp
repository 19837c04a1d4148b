// The reveal: its steps, their pacing and event processing, what each step shows, and how
// it ends. The clock is manual, so nothing here waits.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/utf.h"
#include "platform/gfx/raster.h"
#include "reveal_rig.h"

namespace velko::message {
namespace {

using testing::RevealRig;
using testing::sceneWithBackdrop;

const std::u16string& fiveLines() {
    static const std::u16string text =
        MessageDisp::ChangeMessage(u16("「ねえ、聞こえる？　あの鐘の音」'R"
                                       "彼女はそう言って、丘の上の古い教会を指さした。'R"
                                       "夕暮れの風が草を揺らし、遠くで汽笛が鳴った。'R"
                                       "僕は耳を澄ませたけれど、何も聞こえなかった。'R"
                                       "……いや、聞こえたのかもしれない。"));
    return text;
}

std::u16string japanese(std::size_t n) {
    const std::u16string& source = fiveLines();
    std::u16string out;
    for (std::size_t i = 0; out.size() < n; ++i) {
        out += source[i % source.size()];
    }
    return out;
}

::testing::AssertionResult sameImage(const gfx::Bitmap& a, const gfx::Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height()) {
        return ::testing::AssertionFailure() << "sizes differ";
    }
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.at(x, y) != b.at(x, y)) {
                return ::testing::AssertionFailure()
                       << "first difference at (" << x << ", " << y << "): " << std::hex
                       << a.at(x, y) << " vs " << b.at(x, y);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// The back buffer after drawing `text` once, at once (mode 1), over the usual scene.
gfx::Bitmap drawnOnce(std::u16string_view text) {
    RevealRig rig;
    rig.setBackdrop(sceneWithBackdrop());
    rig.disp.messageDisp(rig.picBackBuff, 1, text, 25);
    return rig.picBackBuff.constImage();
}

class ClickCounter final : public platform::SurfaceListener {
public:
    void onMouseDown(const platform::MouseEvent&) override {
        ++clicks;
        if (onClick) {
            onClick();
        }
    }
    int clicks = 0;
    std::function<void()> onClick;
};

platform::InputEvent clickAt(double x, double y) {
    platform::InputEvent e;
    e.kind = platform::InputEvent::Kind::MouseDown;
    e.button = platform::kLeftButton;
    e.x = x;
    e.y = y;
    return e;
}

class Reveal : public ::testing::Test {
protected:
    Reveal() { rig.setBackdrop(sceneWithBackdrop()); }
    RevealRig rig;
};

TEST_F(Reveal, AnEmptyTextTakesOneStepThatShowsTheClearedPicture) {
    gfx::fillRect(rig.picBackBuff.image(), gfx::Rect{60, 380, 100, 30}, gfx::kWhite);
    rig.disp.messageDisp(rig.picBackBuff, 0, u"", 25);
    EXPECT_EQ(rig.clock.waits.size(), 1u);
    EXPECT_EQ(rig.clock.tickCount(), 26u);
    EXPECT_EQ(rig.native.emptyPolls, 1);
    EXPECT_TRUE(sameImage(rig.picDisp.constImage(), sceneWithBackdrop()));
    ASSERT_TRUE(rig.picDisp.picture());
    EXPECT_TRUE(sameImage(*rig.picDisp.picture(), sceneWithBackdrop()));
}

// (characters, clock reading at the start): the steps, their deadlines and their events.
class StepCounts : public ::testing::TestWithParam<std::pair<std::size_t, std::uint32_t>> {};

TEST_P(StepCounts, HalfTheLengthRoundedUpOrOneMoreWhenEvenEachPacedAndProcessedOnce) {
    const auto [n, start] = GetParam();
    RevealRig rig(start);
    rig.setBackdrop(sceneWithBackdrop());
    rig.disp.messageDisp(rig.picBackBuff, 0, japanese(n), 25);
    const std::size_t steps = n % 2 ? (n + 1) / 2 : n / 2 + 1;
    ASSERT_EQ(rig.clock.waits.size(), steps);
    for (std::size_t i = 0; i < steps; ++i) {
        // Each step reads the clock before drawing and ends one tick past its deadline.
        EXPECT_EQ(rig.clock.waits[i].start, static_cast<std::uint32_t>(start + 26 * i)) << i;
        EXPECT_EQ(rig.clock.waits[i].period, 25u);
    }
    EXPECT_EQ(rig.clock.tickCount(), static_cast<std::uint32_t>(start + 26 * steps));
    EXPECT_EQ(rig.native.emptyPolls, static_cast<int>(steps));
}

INSTANTIATE_TEST_SUITE_P(
    LengthsAndClocks, StepCounts,
    ::testing::Values(std::pair<std::size_t, std::uint32_t>{1, 0}, std::pair{2, 0u},
                      std::pair{5, 0u}, std::pair{6, 0u}, std::pair{146, 0u},
                      // The tick count wraps around in the middle of the reveal.
                      std::pair{41, 0xFFFFFF00u}, std::pair{40, 0xFFFFFFF0u}));

TEST_F(Reveal, ANegativeWaitPacesNothingButStillProcessesEventsEachStep) {
    rig.disp.messageDisp(rig.picBackBuff, 0, japanese(7), -5);
    EXPECT_TRUE(rig.clock.waits.empty());
    EXPECT_EQ(rig.clock.tickCount(), 0u);
    EXPECT_EQ(rig.native.emptyPolls, 4);
}

TEST_F(Reveal, EachStepShowsTwoMoreCharactersAsIfDrawnOnce) {
    const std::u16string& text = fiveLines();
    std::vector<gfx::Bitmap> shown;
    rig.clock.onWait = [&] { shown.push_back(rig.picDisp.constImage()); };
    rig.disp.messageDisp(rig.picBackBuff, 0, text, 25);
    ASSERT_EQ(shown.size(), text.size() / 2 + 1);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const std::size_t k = std::min(2 * (i + 1), text.size());
        // Redrawing the shown prefix every step must not thicken it.
        ASSERT_TRUE(sameImage(shown[i], drawnOnce(text.substr(0, k)))) << "step " << i;
    }
    const gfx::Bitmap once = drawnOnce(text);
    EXPECT_TRUE(sameImage(rig.picBackBuff.constImage(), once));
    EXPECT_TRUE(sameImage(rig.picDisp.constImage(), once));
    ASSERT_TRUE(rig.picDisp.picture());
    EXPECT_TRUE(sameImage(*rig.picDisp.picture(), once));
}

TEST_F(Reveal, AStepThatEndsInsideASurrogatePairShowsThePairOnlyWhenComplete) {
    const std::u16string text = u"あ\U00020BB7い";  // four units, three characters
    std::vector<gfx::Bitmap> shown;
    rig.clock.onWait = [&] { shown.push_back(rig.picDisp.constImage()); };
    rig.disp.messageDisp(rig.picBackBuff, 0, text, 25);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_TRUE(sameImage(shown[0], drawnOnce(u"あ")));
    EXPECT_TRUE(sameImage(shown[1], drawnOnce(text)));
}

TEST_F(Reveal, ATextWithLatinWordsEndsAsOneDrawingOfTheWholeText) {
    const std::u16string text = MessageDisp::ChangeMessage(
        u16("The bell rang twice over the valley, and then a third time 'R"
            "— \"Did you hear it?\" she asked, not looking back."));
    rig.disp.messageDisp(rig.picBackBuff, 0, text, 25);
    EXPECT_TRUE(sameImage(rig.picBackBuff.constImage(), drawnOnce(text)));
}

TEST_F(Reveal, DrawingAtOnceLeavesTheScreenAloneAndDoesNotWait) {
    gfx::fillRect(rig.picDisp.image(), gfx::Rect{0, 0, 640, 480}, gfx::rgb(1, 2, 3));
    const gfx::Bitmap before = rig.picDisp.constImage();
    rig.disp.messageDisp(rig.picBackBuff, 1, fiveLines(), 25);
    EXPECT_TRUE(sameImage(rig.picDisp.constImage(), before));
    EXPECT_FALSE(rig.picDisp.picture());
    EXPECT_TRUE(rig.clock.waits.empty());
    EXPECT_EQ(rig.clock.tickCount(), 0u);
    EXPECT_EQ(rig.native.emptyPolls, 0);
    EXPECT_FALSE(sameImage(rig.picBackBuff.constImage(), sceneWithBackdrop()));
}

TEST_F(Reveal, TextIsWhiteAndStaysInsideTheTextAreaWhereTheSixthRowIsCutNotDropped) {
    std::u16string text;
    for (int line = 0; line < 7; ++line) {
        text += std::u16string(26, u'鐘') + u"\r\n";
    }
    text += u16("MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM");
    rig.disp.messageDisp(rig.picBackBuff, 1, text, 25);
    const gfx::Bitmap& img = rig.picBackBuff.constImage();
    const gfx::Bitmap scene = sceneWithBackdrop();
    int sixthRowInk = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            if (img.at(x, y) != scene.at(x, y)) {
                ASSERT_TRUE(MessageDisp::kTextArea.contains(x, y)) << x << "," << y;
                ASSERT_EQ(img.at(x, y), gfx::kWhite) << x << "," << y;
                sixthRowInk += y >= 370 + 5 * 19;
            }
        }
    }
    EXPECT_GT(sixthRowInk, 100);
}

TEST_F(Reveal, RowsBelowTheTextAreaTakeTheirStepsButDrawAndShowNothingNew) {
    // Two hundred rows: a few show, the rest still take their time, as they always did,
    // but each of those steps costs no drawing and no new frame.
    std::u16string source;
    for (int row = 0; row < 200; ++row) {
        source += u"雨やどりの鳥居'R";
    }
    const std::u16string text = MessageDisp::ChangeMessage(source);
    const std::size_t n = text.size();
    rig.disp.messageDisp(rig.picBackBuff, 0, text, 25);
    const std::size_t steps = n % 2 ? (n + 1) / 2 : n / 2 + 1;
    EXPECT_EQ(rig.clock.waits.size(), steps);
    EXPECT_EQ(rig.native.emptyPolls, static_cast<int>(steps));
    EXPECT_LT(rig.native.frames, 60);
    const gfx::Bitmap once = drawnOnce(text);
    EXPECT_TRUE(sameImage(rig.picDisp.constImage(), once));
    ASSERT_TRUE(rig.picDisp.picture());
    EXPECT_TRUE(sameImage(*rig.picDisp.picture(), once));
}

TEST_F(Reveal, ClicksReachTheScreensListenersBetweenStepsWithoutCuttingItShort) {
    ClickCounter counter;
    rig.picDisp.subscribe(&counter);
    rig.native.queue.push_back(clickAt(100, 100));
    rig.disp.messageDisp(rig.picBackBuff, 0, japanese(10), 25);
    EXPECT_EQ(counter.clicks, 1);
    EXPECT_EQ(rig.clock.waits.size(), 6u);
    rig.picDisp.unsubscribe(&counter);
}

TEST_F(Reveal, QuittingEndsTheRevealAtOnceWithTheWholeText) {
    ClickCounter closer;
    closer.onClick = [&] { rig.pump.requestQuit(); };
    rig.picDisp.subscribe(&closer);
    rig.native.queue.push_back(clickAt(10, 10));
    rig.disp.messageDisp(rig.picBackBuff, 0, fiveLines(), 25);
    EXPECT_EQ(rig.clock.waits.size(), 1u);
    const gfx::Bitmap once = drawnOnce(fiveLines());
    EXPECT_TRUE(sameImage(rig.picBackBuff.constImage(), once));
    EXPECT_TRUE(sameImage(rig.picDisp.constImage(), once));
    ASSERT_TRUE(rig.picDisp.picture());
    EXPECT_TRUE(sameImage(*rig.picDisp.picture(), once));
    rig.picDisp.unsubscribe(&closer);
}

TEST_F(Reveal, TheMessageFontIsSelectedOnlyWhileItPrintsAndLeavesThePictureBold) {
    std::optional<platform::FontSpec> during;
    rig.clock.onWait = [&] { during = rig.picBackBuff.currentFont()->request(); };
    rig.disp.messageDisp(rig.picBackBuff, 0, u"あ", 25);
    ASSERT_TRUE(during);
    EXPECT_EQ(during->face, platform::FontFace::Gothic);
    EXPECT_EQ(during->emHeight, 19);
    EXPECT_EQ(during->emWidth, 22);
    EXPECT_TRUE(during->bold);
    EXPECT_TRUE(rig.picBackBuff.fontBold);
    EXPECT_EQ(rig.picBackBuff.foreColor, gfx::kWhite);
    EXPECT_NE(rig.picBackBuff.currentFont()->request(), *during);
}

}  // namespace
}  // namespace velko::message
