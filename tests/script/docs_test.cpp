// The author's guide against the program: its command table lists exactly the commands the
// interpreter knows, and its worked example passes velko-check without a finding.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "checker.h"
#include "platform/fonts/freetype_fonts.h"
#include "script/opcode.h"

namespace velko::check {
namespace {

std::string guide() {
    std::ifstream in(std::string(VELKO_DOCS_DIR) + "/scenario.md", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(ScenarioGuide, ItsCommandTableListsEveryCommandOnceAndNothingElse) {
    const std::string text = guide();
    ASSERT_FALSE(text.empty());
    const std::regex row(R"(\n\| `([A-Z]{2})` \|)");
    std::vector<std::string> listed;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), row);
         it != std::sregex_iterator(); ++it) {
        listed.push_back((*it)[1]);
    }
    std::vector<std::string> known;
    for (int i = 0; i < script::kOpcodeCount; ++i) {
        known.emplace_back(script::opcodeName(static_cast<script::Opcode>(i)));
    }
    // In the interpreter's order, so that the table reads as the player tests for them.
    EXPECT_EQ(listed, known);
}

TEST(ScenarioGuide, TheWorkedExamplePassesTheCheckAgainstTheBuiltEpisodeFolder) {
    const std::string text = guide();
    const std::regex block("```scenario\n([^`]*)```");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(text, m, block));
    auto fonts = platform::FreeTypeFontLibrary::create();
    ASSERT_TRUE(fonts) << fonts.error();
    const CheckResult result = checkScenario(
        m[1].str(), CheckOptions{std::filesystem::path(VELKO_GAME_DIR), fonts->get()});
    for (const auto& f : result.findings) {
        ADD_FAILURE() << formatFinding("example", f);
    }
    EXPECT_TRUE(result.notes.empty());
    EXPECT_GT(m[1].str().size(), 200u);
}

}  // namespace
}  // namespace velko::check
