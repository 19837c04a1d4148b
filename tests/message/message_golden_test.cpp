// What the reader sees: a five-line message revealed over a scene with the dimmed band,
// compared pixel for pixel with the approved picture. A mismatch writes NAME-Actual.png
// beside it; VELKO_UPDATE_GOLDEN=1 approves the current output.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/utf.h"
#include "platform/gfx/image_io.h"
#include "reveal_rig.h"

namespace velko::message {
namespace {

const std::filesystem::path kDataDir = VELKO_MESSAGE_DATA_DIR;

void expectGolden(const gfx::Bitmap& actual, const std::string& name) {
    const auto expectedPath = kDataDir / (name + ".png");
    const auto actualPath = kDataDir / (name + "-Actual.png");
    const char* update = std::getenv("VELKO_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        const auto saved = gfx::savePng(expectedPath, actual);
        ASSERT_TRUE(saved) << saved.error();
        std::filesystem::remove(actualPath);
        return;
    }
    const auto expected = gfx::loadPng(expectedPath);
    ASSERT_TRUE(expected) << expected.error() << " (VELKO_UPDATE_GOLDEN=1 writes it)";
    if (*expected == actual) {
        std::filesystem::remove(actualPath);
        return;
    }
    (void)gfx::savePng(actualPath, actual);
    ADD_FAILURE() << name << " differs from " << expectedPath << "; see " << actualPath;
}

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
    expectGolden(rig.picDisp.constImage(), "message_window");
}

}  // namespace
}  // namespace velko::message
