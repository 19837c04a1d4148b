// What the reader sees: a five-line message revealed over a scene with the dimmed band,
// compared pixel for pixel with the approved picture. A mismatch writes NAME-Actual.png
// beside it; VELKO_UPDATE_GOLDEN=1 approves the current output.

#include <gtest/gtest.h>

#include "base/utf.h"
#include "reveal_rig.h"
#include "support/golden.h"

namespace velko::message {
namespace {

TEST(MessageGolden, FiveLinesOverTheDimmedBand) {
    // 140 characters, five lines of up to 27 joined by four markers, as the story's
    // longest messages are written.
    const std::u16string source =
        u16("「ねえ、聞こえる？　あの鐘の音」ﾀｲﾄﾙは〈ﾍﾞﾙｺ〉'R"
            "彼女はそう言って、丘の上の古い教会を指さした。ほら、'R"
            "夕暮れの風が草を揺らし、遠くで汽笛が鳴った・・・ね。'R"
            "僕は耳を澄ませたけれど、何も聞こえなかった。でも――'R"
            "……いや、本当は聞こえていたのかもしれない。(END)");
    ASSERT_EQ(source.size(), 140u);
    testing::RevealRig rig;
    rig.setBackdrop(testing::sceneWithBackdrop());
    rig.disp.messageDisp(rig.picBackBuff, 0, MessageDisp::ChangeMessage(source), 25);
    velko::testing::expectMatchesGolden(rig.picDisp.constImage(), "message_window");
}

}  // namespace
}  // namespace velko::message
