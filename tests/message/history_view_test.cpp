// The history view as the reader sees it (compared pixel for pixel with the approved
// picture), how far each key and the wheel scroll it, what closes it, and the cap on what
// it keeps.

#include <gtest/gtest.h>

#include <vector>

#include "base/utf.h"
#include "message/history_view.h"
#include "message/message_disp.h"
#include "platform/input.h"
#include "support/golden.h"
#include "support/shared_fonts.h"

namespace velko::message {
namespace {

TextHistory numbered(int n) {
    TextHistory h;
    for (int i = 1; i <= n; ++i) {
        h.add(u"その" + u16(std::to_string(i)) + u"\r\n");
    }
    return h;
}

TEST(HistoryView, LooksLikeTheClassicWindowWithTheNewestTextAtTheBottom) {
    TextHistory h;
    for (const char* text :
         {"雨の音が、少しだけ遠くなった。", "「ねえ、聞こえる？」'R鳥居の下で、誰かが言った。",
          "石段は二十七段。数えながら上ると、いつも一段足りない気がする。ﾍﾞﾙｺ(1)"}) {
        h.add(MessageDisp::ChangeMessage(u16(text)));
    }
    HistoryView view(testing::fonts(), h);
    gfx::Bitmap frame(640, 480 + 20, 0x336699);
    view.draw(frame, 20);
    velko::testing::expectMatchesGolden(frame, "history_view");
}

TEST(HistoryView, ScrollsByRowsPagesAndNotchesWithinItsRows) {
    HistoryView view(testing::fonts(), numbered(40));
    // Forty one-row texts and the blank rows between them.
    ASSERT_EQ(view.rowCount(), 79);
    const int bottom = view.maxTop();
    EXPECT_EQ(bottom, 79 - view.visibleRows());
    EXPECT_EQ(view.top(), bottom);
    view.onKeyDown("Up", 0);
    EXPECT_EQ(view.top(), bottom - 1);
    view.onWheel(1);
    EXPECT_EQ(view.top(), bottom - 1 - HistoryView::kWheelRows);
    view.onKeyDown("PageUp", 0);
    EXPECT_EQ(view.top(), bottom - 1 - HistoryView::kWheelRows - (view.visibleRows() - 1));
    view.onKeyDown("Home", 0);
    view.onKeyDown("Up", 0);
    view.onWheel(2);
    EXPECT_EQ(view.top(), 0);
    view.onKeyDown("PageDown", 0);
    EXPECT_EQ(view.top(), view.visibleRows() - 1);
    view.onKeyDown("End", 0);
    view.onKeyDown("Down", 0);
    view.onKeyDown("PageDown", 0);
    EXPECT_EQ(view.top(), bottom);
    // Only the wheel turned down past the end closes it; a notch short of it scrolls.
    EXPECT_FALSE(view.closed());
    view.onWheel(1);
    view.onWheel(-1);
    EXPECT_FALSE(view.closed());
    EXPECT_EQ(view.top(), bottom);
    view.onMouseDown(10, 10, platform::kMiddleButton);
    view.onKeyDown("A", 0);
    EXPECT_FALSE(view.closed());
    view.onWheel(-1);
    EXPECT_TRUE(view.closed());

    // Return closes it as a left click does.
    HistoryView other(testing::fonts(), numbered(3));
    EXPECT_EQ(other.maxTop(), 0);
    other.onKeyDown("Return", 0);
    EXPECT_TRUE(other.closed());
}

TEST(HistoryView, KeepsTheNewestTextsUpToItsCap) {
    const auto h = numbered(static_cast<int>(TextHistory::kMaxEntries) + 5);
    EXPECT_EQ(h.entries().size(), TextHistory::kMaxEntries);
    EXPECT_EQ(h.entries().front(), u"その6\r\n");
    EXPECT_EQ(h.entries().back(), u"その2005\r\n");
}

}  // namespace
}  // namespace velko::message
