// The embedded scenario is the source file byte for byte, and it parses like the file.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "script/builtin.h"
#include "script/script.h"

namespace velko::script {
namespace {

TEST(EmbeddedScenario, HoldsTheSourceBytesUnchanged) {
    std::ifstream in(std::string(VELKO_SCRIPT_TEST_DATA) + "/embed_sample.txt", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    ASSERT_FALSE(bytes.str().empty());
    EXPECT_EQ(builtinScenarioSource(), bytes.str());
    EXPECT_EQ(builtinScenarioFileName(), "tests/script/data/embed_sample.txt");

    auto script = loadSource(builtinScenarioSource(), builtinScenarioFileName());
    ASSERT_TRUE(script.ok()) << script.error();
    EXPECT_EQ(script->line(2), u"\u3000\u3042\u3044\r\n\u3046");
    EXPECT_EQ(script->line(3), u"ED");
}

}  // namespace
}  // namespace velko::script
